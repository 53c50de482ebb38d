#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "store/data_table.h"
#include "store/record_fields.h"

// The stable UIDs of the records, which calendar and address-book files know them by: one row per
// record (its table kind, its RecordID and its UID) in a table of its own, "UIDs" in uids.xml of
// the data folder, kept like every table. A folder without the file has no UIDs yet; the first
// write makes it.
class TVpUidTable {
 public:
  static constexpr const char* kFile = "uids.xml";

  explicit TVpUidTable(TFileWriter& writer);

  // Binds the table to the file in the data folder and reads it when it exists (else it is empty).
  // Raises EDataTableError for a file that cannot be read.
  void Open(const std::string& dataFolder);
  // Reads the file again when another writer replaced it since (call it holding the folder lock).
  void ReadAgainIfChanged();

  // The record's UID; empty when it has none.
  std::string UidOf(TVpTableKind kind, int recordID) const;
  // The record's UID; a record without one is given a new one first (NewUid, stored as Set does).
  std::string UidGivenTo(TVpTableKind kind, int recordID);
  // The record that has the UID, if any (the record itself may since have been removed).
  std::optional<int> RecordOf(TVpTableKind kind, const std::string& uid) const;
  // Gives the record the UID; a UID another record of the kind had moves to this one. Changes
  // are written at once, or by the batch they are part of.
  void Set(TVpTableKind kind, int recordID, const std::string& uid);

  TDataTable& Table() { return Table_; }

 private:
  void CreateFile();
  void Index();

  TFileWriter& Writer_;
  TDataTable Table_;
  std::map<std::pair<int, int>, std::string> Uids_;     // (kind, RecordID) -> UID
  std::map<std::pair<int, std::string>, int> Records_;  // (kind, UID) -> RecordID
};

// A new UID: 128 random bits as 32 lower-case hex digits, then "@koret".
std::string NewUid();
