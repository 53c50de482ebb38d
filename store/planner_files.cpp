#include "store/planner_files.h"

#include <exception>

#include <filesystem>

#include "store/data_packet.h"
#include "store/table_schemas.h"

namespace {

TDataTable MakeTable(const char* name, TFileWriter& writer) {
  TDataTable table(name, writer, TDataPacketFormat::Instance());
  table.SetWriteThrough(true);
  table.SetAddedFields(AddedFieldDefs(name));
  return table;
}

std::string Folder(const std::string& folder) { return folder.empty() || folder.back() == '/' ? folder : folder + "/"; }

// Each table's name and file.
constexpr std::pair<const char*, const char*> kTableFiles[] = {{"Resources", TVpPlannerFiles::kResourcesFile},
                                                               {"Events", TVpPlannerFiles::kEventsFile},
                                                               {"Contacts", TVpPlannerFiles::kContactsFile},
                                                               {"Tasks", TVpPlannerFiles::kTasksFile},
                                                               {"RecordIDS", TVpPlannerFiles::kRecordIDsFile}};

}  // namespace

std::string EmptyTableText(const std::string& tableName) {
  TFieldDefs fields;
  CreateFieldDefs(tableName, fields);
  std::vector<TRowValues> rows;
  if (tableName == "RecordIDS") rows.emplace_back(fields.size(), TFieldValue(std::int64_t{0}));
  return FormatDataPacket(fields, rows);
}

std::vector<std::string> CreateMissingTables(const std::string& folder, TFileWriter& writer) {
  std::vector<std::string> written;
  for (const auto& [table, file] : kTableFiles) {
    const std::string path = Folder(folder) + file;
    if (std::filesystem::exists(path)) continue;
    writer.ReplaceFile(path, EmptyTableText(table));
    written.push_back(path);
  }
  return written;
}

TVpPlannerFiles::TVpPlannerFiles(TVpStoreServices services, TFileWriter& writer, const void* owner)
    : ResourceTable_(MakeTable("Resources", writer)),
      EventsTable_(MakeTable("Events", writer)),
      ContactsTable_(MakeTable("Contacts", writer)),
      TasksTable_(MakeTable("Tasks", writer)),
      RecordIDTable_(MakeTable("RecordIDS", writer)),
      RecordIDs_(RecordIDTable_),
      Store_(services, owner) {
  Store_.SetAutoCreate(false);
  Store_.SetAutoConnect(false);
  TVpDataSources& sources = Store_.DataSources();
  sources.ResourceDataSource = &ResourceTable_;
  sources.EventsDataSource = &EventsTable_;
  sources.ContactsDataSource = &ContactsTable_;
  sources.TasksDataSource = &TasksTable_;
  SetProgramFieldMappings(Store_);
  Store_.OnGetNextID = [this](TVpFlexDataStore&, const std::string& tableName) {
    int id = -1;
    WhileWriting([&] { id = RecordIDs_.NextID(tableName, HighestIDIn(tableName)); });
    return id;
  };
  Store_.OnWrite = [this](const std::function<void()>& write) { WhileWriting(write); };
  RecordIDTable_.SetRequiredFields({"ResourceID", "EventID", "TaskID", "ContactID"});
  SetDataFolder("");
}

std::optional<std::int64_t> TVpPlannerFiles::HighestIDIn(const std::string& tableName) {
  if (tableName == "Resources") return ResourceTable_.HighestInteger("ResourceID");
  if (tableName == "Events") return EventsTable_.HighestInteger("RecordID");
  if (tableName == "Contacts") return ContactsTable_.HighestInteger("RecordID");
  if (tableName == "Tasks") return TasksTable_.HighestInteger("RecordID");
  return std::nullopt;
}

void TVpPlannerFiles::WhileWriting(const std::function<void()>& change) {
  TFolderLockHold hold(*Lock_);
  if (hold.Outermost()) {
    RemoveStaleTemporaryFiles(DataFolder_.empty() ? "." : DataFolder_);
    for (TDataTable* table : {&ResourceTable_, &EventsTable_, &ContactsTable_, &TasksTable_, &RecordIDTable_})
      table->ReadAgainIfChanged();
  }
  change();
}

void TVpPlannerFiles::SetDataFolder(const std::string& folder) {
  const std::string base = Folder(folder);
  DataFolder_ = folder;
  const int timeout = Lock_ ? Lock_->TimeoutMs() : TFolderLock::kDefaultTimeoutMs;
  Lock_ = std::make_unique<TFolderLock>(base + kLockFile);
  Lock_->SetTimeoutMs(timeout);
  ResourceTable_.SetFileName(base + kResourcesFile);
  EventsTable_.SetFileName(base + kEventsFile);
  ContactsTable_.SetFileName(base + kContactsFile);
  TasksTable_.SetFileName(base + kTasksFile);
  RecordIDTable_.SetFileName(base + kRecordIDsFile);
}

void TVpPlannerFiles::ReadEventsForDays(double first, double last) { EventDays_.emplace(first, last); }

void TVpPlannerFiles::ReadOnlyRows(TRowChoices choices) {
  RowChoices_ = std::move(choices);
  LoadEveryRecord();  // the rows read are all there is to show
}

void TVpPlannerFiles::LoadEveryRecord() {
  Store_.OnSetFilterCriteria = [this](TDataTable& table, bool, int resourceID, double, double) {
    Store_.TVpCustomDBDataStore::SetFilterCriteria(table, false, resourceID, 0, 0);
  };
}

void TVpPlannerFiles::Connect() {
  if (RowChoices_) {
    try {
      EventsTable_.OpenExcerpt(RowChoices_->Events);
      ContactsTable_.OpenExcerpt(RowChoices_->Contacts);
      TasksTable_.OpenExcerpt(RowChoices_->Tasks);
    } catch (const std::exception&) {
      // Connecting opens the tables and says why one cannot be.
    }
  }
  if (EventDays_) {
    // The store's window reaches its day buffer (and a day) beyond the date it is set to.
    const double margin = Store_.DayBuffer() + 1;
    try {
      EventsTable_.OpenPart(Store_.EventWindowRanges(EventDays_->first - margin, EventDays_->second + 1 + margin));
    } catch (const std::exception&) {
      // Connecting opens the table and says why it cannot.
    }
  }
  Store_.SetConnected(true);
  try {
    RecordIDTable_.Open();
  } catch (const std::exception&) {
    Store_.SetConnected(false);
    RaiseTableOpenError(RecordIDTable_.Name());
  }
}

void TVpPlannerFiles::LeaveOutContactsAndTasks() {
  Store_.DataSources().ContactsDataSource = nullptr;
  Store_.DataSources().TasksDataSource = nullptr;
}

void TVpPlannerFiles::Disconnect() {
  RecordIDTable_.Close();
  Store_.SetConnected(false);
}
