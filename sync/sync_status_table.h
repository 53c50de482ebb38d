#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_writer.h"
#include "store/data_table.h"
#include "sync/sync_codec.h"

// The side a write of the sync changes.
enum TSyncWriteSide {
  swsNone,      // no write under way
  swsHere,      // the organizer's record
  swsThere,     // the server's item
  swsCopyHere,  // a record here for the copy of the server's version of a conflict (kept both ways)
};

// What the last sync left an item as, on both sides alike.
struct TSyncStatusEntry {
  std::string Uid;
  std::string Href;  // where the item is on the server
  std::string ETag;  // its ETag there; empty when the server gave none
  int RecordID = 0;  // the organizer's record
  TSyncItemKind Kind = sikEvent;
  std::string Hash;        // the hash of the normalised content both sides had; empty: never synced
  std::string ServerText;  // the server's text, which the next upload of a change starts from
  // A write begun and not known to have ended: the side it changes, and the hash that side holds
  // of the item once it is done (empty: the item is gone there; for the copy of a conflict, the
  // hash of the server's version copied). The fields above stay as the last sync left the item, so
  // that a write that never happened leaves the entry as it was.
  TSyncWriteSide PendingSide = swsNone;
  std::string PendingHash;
  friend bool operator==(const TSyncStatusEntry&, const TSyncStatusEntry&) = default;
};

// The status table of one collection: one row per item synced, and a row of its own for the
// collection's sync token, in a data-packet file only its owner may read (it holds the server's
// texts of private items). A missing file means the collection was never synced; the first Save
// makes it. Changes are kept in memory until Save writes them together.
//
// Writes are recorded ahead: before the sync changes either side, BeginWrite marks the item's
// entry with the write, and Save makes that durable; once the write is done the entry is set to
// its outcome. A sync killed between the two finds the mark next time and looks at the side to
// tell whether the write happened, so that it neither brings back what was deleted nor takes its
// own write for another program's change.
class TSyncStatusTable {
 public:
  TSyncStatusTable(const std::string& fileName, TFileWriter& writer);

  // Reads the file when it exists. Raises ESyncError naming the file and the reason when it
  // cannot be read; the file is then never written.
  void Open();

  // The entries by UID.
  const std::map<std::string, TSyncStatusEntry>& Entries() const { return Entries_; }
  const TSyncStatusEntry* Find(const std::string& uid) const;
  // Adds or replaces the entry of its UID.
  void Set(const TSyncStatusEntry& entry);
  void Remove(const std::string& uid);

  // Marks the item's entry (base: as the last sync left it, or a new one with an empty Hash) with
  // a write about to change the side so that it holds the hash (empty: removes the item there).
  void BeginWrite(TSyncStatusEntry base, TSyncWriteSide side, const std::string& hash);
  // The write of the UID did not happen (the other side changed meanwhile): the entry is as before.
  void AbandonWrite(const std::string& uid);
  // The token the server gave at the end of the last complete sync; empty for none.
  const std::string& Token() const { return Token_; }
  void SetToken(const std::string& token);

  // How many changes wait for Save.
  size_t UnsavedCount() const { return Unsaved_.size() + (TokenUnsaved_ ? 1 : 0); }
  // Writes the changes since the last save, rewriting only the rows that changed. Raises
  // ESyncError when the file cannot be written (the file is then as before).
  void Save();

 private:
  void ReadRows();
  void WriteWhole();

  TFileWriter& Writer_;
  TDataTable Table_;
  std::map<std::string, TSyncStatusEntry> Entries_;
  std::string Token_;
  std::set<std::string> Unsaved_;  // UIDs whose entry was set or removed since the last save
  bool TokenUnsaved_ = false;
  bool LacksFields_ = false;  // the file was written before a field of ours existed
};
