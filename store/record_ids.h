#pragma once

#include <cstdint>
#include <string>

#include "store/data_table.h"

// New record IDs, from the counters table (one row: ResourceID, EventID, TaskID, ContactID, the
// last ID given out for each table), separately for each table; an ID is used up even when the
// record that asked for it is never saved. The counter is not trusted alone: a new ID is greater
// than both the counter and every ID in use in its table, so that a counter of 0, a missing row, a
// negative or a stale counter never gives out an ID twice.
class TVpRecordIDs {
 public:
  // The highest ID a record table holds (its ID fields are 4-byte integers).
  static constexpr std::int64_t kHighestID = 2147483647;

  explicit TVpRecordIDs(TDataTable& table) : Table_(table) {}

  // The next ID of the named table ("Resources", "Events", "Contacts" or "Tasks"), counted and
  // written to the counters file before it is returned; highestInUse: the table's highest ID
  // (or nothing). Another name, or a table whose IDs are used up, raises EDataTableError.
  int NextID(const std::string& tableName, std::optional<std::int64_t> highestInUse);

 private:
  TDataTable& Table_;
};
