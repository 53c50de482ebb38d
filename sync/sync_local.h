#pragma once

#include <string>
#include <vector>

#include "sync/sync_codec.h"

// One record of the organizer's side as the sync sees it: its text as it would be uploaded now.
struct TSyncLocalItem {
  TSyncItemKind Kind = sikEvent;
  int RecordID = 0;
  std::string Uid;
  std::string Text;
};

// The organizer's side of one collection: the records of the synced resource of the collection's
// kinds. Changes are kept until Flush writes them together (holding the folder's lock), so that a
// sync of many items writes the tables a few times, not once per item.
class TSyncLocal {
 public:
  virtual ~TSyncLocal() = default;

  // Every record of the collection's kinds, each with its UID (a record without one is given a
  // new UID first), as the tables are now.
  virtual std::vector<TSyncLocalItem> Items() = 0;
  // A new record from an item text; returns its RecordID. The item's UID becomes the record's.
  virtual int Create(const std::string& text) = 0;
  // Sets the record's fields from an item text.
  virtual void Update(int recordID, const std::string& text) = 0;
  virtual void Remove(int recordID) = 0;
  // Writes the changes made since the last flush. A record another writer changed since Items()
  // read it is not overwritten: Flush leaves it and returns its RecordID among the skipped, for
  // the next sync to decide again.
  virtual std::vector<int> Flush() = 0;
};
