#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_writer.h"
#include "platform/folder_lock.h"
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
  // The lock every writer of the data folder holds while it changes the files.
  static constexpr const char* kLockFile = "koret.lock";

  TVpPlannerFiles(TVpStoreServices services, TFileWriter& writer, const void* owner = nullptr);

  // Binds the five tables to their files in the folder, and the write lock to its lock file.
  void SetDataFolder(const std::string& folder);
  const std::string& DataFolder() const { return DataFolder_; }
  // Connects the store (opening the four record tables and loading the resources), then opens the
  // counters table. Raises EVpTableOpenError for a table that cannot be opened: then no table is
  // left open and nothing has been written.
  void Connect();
  // Before connecting: the events table reads from its file only the rows that the store's window
  // of days around any date from first to last can load, which is quicker than reading them all;
  // it reads the whole file once anything needs more (see TDataTable::OpenPart).
  void ReadEventsForDays(double first, double last);
  // Before connecting, for reading: the events, contacts and tasks tables read only the rows each
  // choice keeps by their text, and never write (see TDataTable::OpenExcerpt); the store then
  // loads every one of them, whatever its dates.
  struct TRowChoices {
    TPacketRowChoice Events, Contacts, Tasks;
  };
  void ReadOnlyRows(TRowChoices choices);
  // The store loads every record of the active resource, whatever its dates (exports, searches).
  void LoadEveryRecord();
  // Closes everything.
  void Disconnect();
  // For work on events alone: before connecting, the contacts and tasks tables are left out of
  // the store, so that they are neither read nor written.
  void LeaveOutContactsAndTasks();

  // Runs a change of the data files as one: holding the folder's write lock (waiting at most the
  // lock's timeout for another writer, else raising EFolderLockError with nothing written); on
  // taking it, the temporary files of killed writers are removed and every table whose file
  // another writer replaced is read again. Every post, removal and new record ID of the store
  // runs inside it; a command that reads, decides and posts wraps all of that in one call.
  void WhileWriting(const std::function<void()>& change);
  TFolderLock& WriteLock() { return *Lock_; }

  TVpFlexDataStore& Store() { return Store_; }
  // The events table: partial after ReadEventsForDays until the rest of its file is read.
  TDataTable& EventsTable() { return EventsTable_; }
  TDataTable& RecordIDTable() { return RecordIDTable_; }

 private:
  std::optional<std::int64_t> HighestIDIn(const std::string& tableName);

  std::optional<std::pair<double, double>> EventDays_;  // set by ReadEventsForDays
  std::optional<TRowChoices> RowChoices_;               // set by ReadOnlyRows
  TDataTable ResourceTable_;
  TDataTable EventsTable_;
  TDataTable ContactsTable_;
  TDataTable TasksTable_;
  TDataTable RecordIDTable_;
  TVpRecordIDs RecordIDs_;
  TVpFlexDataStore Store_;
  std::string DataFolder_;
  std::unique_ptr<TFolderLock> Lock_;
};
