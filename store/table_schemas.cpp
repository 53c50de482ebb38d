#include "store/table_schemas.h"

namespace {

void AddUserFields(TFieldDefs& fields) {
  for (int i = 0; i < 10; ++i) fields.push_back(FieldDef("UserField" + std::to_string(i), ftString, 100));
}

TFieldDefs ResourceFields() {
  TFieldDefs f = {FieldDef("ResourceID", ftInteger, 0, true), FieldDef("Description", ftString, 255),
                  FieldDef("Notes", ftString, 1024), FieldDef("ImageIndex", ftInteger),
                  FieldDef("ResourceActive", ftBoolean)};
  AddUserFields(f);
  return f;
}

TFieldDefs EventFields() {
  TFieldDefs f = {FieldDef("RecordID", ftInteger, 0, true), FieldDef("StartTime", ftDateTime, 0, true),
                  FieldDef("EndTime", ftDateTime, 0, true), FieldDef("ResourceID", ftInteger, 0, true),
                  FieldDef("Description", ftString, 255),   FieldDef("Notes", ftString, 1024),
                  FieldDef("Category", ftInteger),          FieldDef("AllDayEvent", ftBoolean),
                  FieldDef("DingPath", ftString, 255),      FieldDef("AlarmSet", ftBoolean),
                  FieldDef("AlarmAdvance", ftInteger),      FieldDef("AlarmAdvanceType", ftInteger),
                  FieldDef("SnoozeTime", ftDateTime),       FieldDef("RepeatCode", ftInteger),
                  FieldDef("RepeatRangeEnd", ftDateTime),   FieldDef("CustomInterval", ftInteger)};
  AddUserFields(f);
  return f;
}

// Where the event takes place; its zone, its start on the zone's clock, a repeat rule, exception
// and extra dates (see event.h); and for an occurrence changed on its own, its series and the start
// it had there; what a calendar file said that the organizer keeps only to give it back.
TFieldDefs AddedEventFields() {
  return {FieldDef("Location", ftString, 1024),  FieldDef("TimeZone", ftString, 64),
          FieldDef("ZoneStartTime", ftDateTime), FieldDef("RepeatRule", ftMemo),
          FieldDef("ExceptionDates", ftMemo),    FieldDef("ExtraDates", ftMemo),
          FieldDef("SeriesID", ftInteger),       FieldDef("OriginalStart", ftDateTime),
          FieldDef("KeptProperties", ftMemo)};
}

TFieldDefs ContactFields() {
  TFieldDefs f = {FieldDef("RecordID", ftInteger, 0, true),
                  FieldDef("ResourceID", ftInteger, 0, true),
                  FieldDef("FirstName", ftString, 50),
                  FieldDef("LastName", ftString, 50),
                  FieldDef("Birthdate", ftDate),
                  FieldDef("Anniversary", ftDate),
                  FieldDef("Title", ftString, 50),
                  FieldDef("Company", ftString, 50),
                  FieldDef("Job_Position", ftString, 30),
                  FieldDef("Address", ftString, 100),
                  FieldDef("City", ftString, 50),
                  FieldDef("State", ftString, 25),
                  FieldDef("Zip", ftString, 10),
                  FieldDef("Country", ftString, 25),
                  FieldDef("Note", ftString, 1024)};
  for (int i = 1; i <= 5; ++i) f.push_back(FieldDef("Phone" + std::to_string(i), ftString, 25));
  for (int i = 1; i <= 5; ++i) f.push_back(FieldDef("PhoneType" + std::to_string(i), ftInteger));
  f.push_back(FieldDef("Category", ftInteger));
  f.push_back(FieldDef("EMail", ftString, 100));
  for (int i = 1; i <= 4; ++i) f.push_back(FieldDef("Custom" + std::to_string(i), ftString, 100));
  AddUserFields(f);
  return f;
}

// The kind of the address (a TVpAddressType).
TFieldDefs AddedContactFields() { return {FieldDef("AddressType", ftInteger)}; }

TFieldDefs TaskFields() {
  TFieldDefs f = {FieldDef("RecordID", ftInteger, 0, true), FieldDef("ResourceID", ftInteger, 0, true),
                  FieldDef("Complete", ftBoolean),          FieldDef("Description", ftString, 255),
                  FieldDef("Details", ftString, 1024),      FieldDef("CreatedOn", ftDateTime),
                  FieldDef("Priority", ftInteger),          FieldDef("Category", ftInteger),
                  FieldDef("CompletedOn", ftDateTime),      FieldDef("DueDate", ftDateTime)};
  AddUserFields(f);
  return f;
}

TFieldDefs RecordIDFields() {
  return {FieldDef("ResourceID", ftInteger, 0, true), FieldDef("EventID", ftInteger, 0, true),
          FieldDef("TaskID", ftInteger, 0, true), FieldDef("ContactID", ftInteger, 0, true)};
}

// The stable UIDs of records (see uid_table.h): TableKind is a TVpTableKind.
TFieldDefs UidFields() {
  return {FieldDef("TableKind", ftInteger, 0, true), FieldDef("RecordID", ftInteger, 0, true),
          FieldDef("UID", ftMemo, 0, true)};
}

}  // namespace

TFieldDefs AddedFieldDefs(const std::string& tableName) {
  if (tableName == "Events") return AddedEventFields();
  if (tableName == "Contacts") return AddedContactFields();
  return {};
}

void CreateFieldDefs(const std::string& tableName, TFieldDefs& fields) {
  const auto withAdded = [&tableName](TFieldDefs first) {
    for (TFieldDef& added : AddedFieldDefs(tableName)) first.push_back(std::move(added));
    return first;
  };
  if (tableName == "Resources") fields = ResourceFields();
  else if (tableName == "Events") fields = withAdded(EventFields());
  else if (tableName == "Contacts") fields = withAdded(ContactFields());
  else if (tableName == "Tasks") fields = TaskFields();
  else if (tableName == "RecordIDS") fields = RecordIDFields();
  else if (tableName == "UIDs") fields = UidFields();
}
