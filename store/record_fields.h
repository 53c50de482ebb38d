#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/event.h"
#include "model/resource.h"
#include "model/task.h"
#include "store/data_table.h"

// The kinds of planner table.
enum TVpTableKind { tkResources, tkEvents, tkContacts, tkTasks };

// The table field of the program's own tables that holds the record field with this store key:
// the key itself, except for the few fields the tables name differently.
std::string CanonicalTableField(TVpTableKind kind, const std::string& storeKey);

// How one field of a record is read from and written to a table field, named by its store key.
template <class TRecord>
struct TRecordField {
  std::string Key;
  // Sets the record's field from the table field; empty for fields the record does not read back
  // (those that create the record, and the owning resource's ID).
  std::function<void(TRecord&, const TField&)> Read;
  std::function<void(const TRecord&, TField&)> Write;
};

// The fields of each kind of record, in the order they are read when loading (some setters act
// on other fields, so the order matters). The keys that create a record (RecordID, and StartTime
// and EndTime of an event) and ResourceID are not listed: the store handles them itself.
const std::vector<TRecordField<TVpResource>>& ResourceRecordFields();
const std::vector<TRecordField<TVpEvent>>& EventRecordFields();
const std::vector<TRecordField<TVpContact>>& ContactRecordFields();
const std::vector<TRecordField<TVpTask>>& TaskRecordFields();
