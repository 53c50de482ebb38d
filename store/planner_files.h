#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_writer.h"
#include "store/data_table.h"
#include "store/flex_data_store.h"
#include "store/record_ids.h"

// Writes the tables the folder lacks, empty: field definitions only, and for the counters table
// one row of zeros. Existing files are never touched. Returns the names of the files written.
std::vector<std::string> CreateMissingTables(const std::string& folder, TFileWriter& writer);
// The text of an empty table file.
std::string EmptyTableText(const std::string& tableName);

// The planner data of a program folder: the five tables in its Data folder, each bound to its
// file and written through on every change, the store over the four record tables with the
// program's field mappings, and record IDs from the counters table.
class TVpPlannerFiles {
 public:
  // The table file names inside the data folder.
  static constexpr const char* kResourcesFile = "resources.xml";
  static constexpr const char* kEventsFile = "events.xml";
  static constexpr const char* kContactsFile = "contacts.xml";
  static constexpr const char* kTasksFile = "tasks.xml";
  static constexpr const char* kRecordIDsFile = "recordids.xml";

  TVpPlannerFiles(TVpStoreServices services, TFileWriter& writer, const void* owner = nullptr);

  // Binds the five tables to their files in the folder.
  void SetDataFolder(const std::string& folder);
  // Connects the store (opening the four record tables and loading the resources), then opens the
  // counters table. Raises EVpTableOpenError for a table that cannot be opened: then no table is
  // left open and nothing has been written.
  void Connect();
  // Closes everything.
  void Disconnect();

  TVpFlexDataStore& Store() { return Store_; }
  TDataTable& RecordIDTable() { return RecordIDTable_; }

 private:
  TDataTable ResourceTable_;
  TDataTable EventsTable_;
  TDataTable ContactsTable_;
  TDataTable TasksTable_;
  TDataTable RecordIDTable_;
  TVpRecordIDs RecordIDs_;
  TVpFlexDataStore Store_;
};
