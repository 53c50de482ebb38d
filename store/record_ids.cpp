#include "store/record_ids.h"

#include <algorithm>

namespace {

const char* CounterFieldOf(const std::string& tableName) {
  if (tableName == "Resources") return "ResourceID";
  if (tableName == "Tasks") return "TaskID";
  if (tableName == "Events") return "EventID";
  if (tableName == "Contacts") return "ContactID";
  return nullptr;
}

constexpr const char* kCounterFields[] = {"ResourceID", "EventID", "TaskID", "ContactID"};

}  // namespace

int TVpRecordIDs::NextID(const std::string& tableName, std::optional<std::int64_t> highestInUse) {
  const char* counter = CounterFieldOf(tableName);
  if (counter == nullptr) throw EDataTableError(Table_.Name() + ": no record-ID counter for \"" + tableName + "\"");
  Table_.SetFiltered(false);
  Table_.First();
  const bool counted = !Table_.Eof() && !Table_.FieldByName(counter).IsNull();
  const std::int64_t count = counted ? Table_.FieldByName(counter).AsInteger() : 0;
  const std::int64_t last = std::max({count, highestInUse.value_or(0), std::int64_t{0}});
  if (last >= kHighestID)
    throw EDataTableError(Table_.Name() + ": no record ID is left for " + tableName + " (the counter " + counter +
                          " stands at " + std::to_string(count) + ", the highest ID in use is " +
                          std::to_string(highestInUse.value_or(0)) + ", and IDs end at " + std::to_string(kHighestID) +
                          ")");
  Table_.Edit();  // an empty table gets its row here
  try {
    // Every counter is required: a new row starts them all at 0.
    for (const char* field : kCounterFields)
      if (Table_.FieldByName(field).IsNull()) Table_.FieldByName(field).SetAsInteger(0);
    Table_.FieldByName(counter).SetAsInteger(last + 1);
    Table_.Post();
  } catch (...) {
    Table_.Cancel();
    throw;
  }
  return static_cast<int>(last + 1);
}
