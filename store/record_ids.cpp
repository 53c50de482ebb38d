#include "store/record_ids.h"

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

int TVpRecordIDs::NextID(const std::string& tableName) {
  const char* counter = CounterFieldOf(tableName);
  if (counter == nullptr) throw EDataTableError(Table_.Name() + ": no record-ID counter for \"" + tableName + "\"");
  Table_.SetFiltered(false);
  Table_.First();
  const std::int64_t last = Table_.Eof() ? 0 : Table_.FieldByName(counter).AsInteger();
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
