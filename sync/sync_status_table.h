#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_writer.h"
#include "store/data_table.h"
#include "sync/sync_codec.h"

// What the last sync left an item as, on both sides alike.
struct TSyncStatusEntry {
  std::string Uid;
  std::string Href;  // where the item is on the server
  std::string ETag;  // its ETag there; empty when the server gave none
  int RecordID = 0;  // the organizer's record
  TSyncItemKind Kind = sikEvent;
  std::string Hash;        // the hash of the normalised content both sides had
  std::string ServerText;  // the server's text, which the next upload of a change starts from
  friend bool operator==(const TSyncStatusEntry&, const TSyncStatusEntry&) = default;
};

// The status table of one collection: one row per item synced, and a row of its own for the
// collection's sync token, in a data-packet file. A missing file means the collection was never
// synced; the first Save makes it. Changes are kept in memory until Save writes them together.
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
  void CreateFile();

  TFileWriter& Writer_;
  TDataTable Table_;
  std::map<std::string, TSyncStatusEntry> Entries_;
  std::string Token_;
  std::set<std::string> Unsaved_;  // UIDs whose entry was set or removed since the last save
  bool TokenUnsaved_ = false;
};
