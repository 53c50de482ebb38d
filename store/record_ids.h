#pragma once

#include <string>

#include "store/data_table.h"

// New record IDs, from the counters table (one row: ResourceID, EventID, TaskID, ContactID, the
// last ID given out for each table). IDs start at 1 and rise by one per request, separately for
// each table; an ID is used up even when the record that asked for it is never saved.
class TVpRecordIDs {
 public:
  explicit TVpRecordIDs(TDataTable& table) : Table_(table) {}

  // The next ID of the named table ("Resources", "Events", "Contacts" or "Tasks"), counted and
  // written to the counters file before it is returned. Another name raises EDataTableError.
  int NextID(const std::string& tableName);

 private:
  TDataTable& Table_;
};
