#pragma once

#include <string>

#include "store/field_value.h"

// The layouts of the planner's tables: "Resources", "Events", "Contacts", "Tasks" and the
// record-ID counters "RecordIDS", and the
// records' UIDs "UIDs".

// Clears the definitions and fills them with the named table's fields; any other name leaves
// them untouched.
void CreateFieldDefs(const std::string& tableName, TFieldDefs& fields);

// The fields the named table gained after files of it were written (the last of its fields): a
// file written before lacks them and means what it always meant. None for the other tables.
TFieldDefs AddedFieldDefs(const std::string& tableName);
