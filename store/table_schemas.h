#pragma once

#include <string>

#include "store/field_value.h"

// The layouts of the planner's tables: "Resources", "Events", "Contacts", "Tasks" and the
// record-ID counters "RecordIDS", and the
// records' UIDs "UIDs".

// Clears the definitions and fills them with the named table's fields; any other name leaves
// them untouched.
void CreateFieldDefs(const std::string& tableName, TFieldDefs& fields);
