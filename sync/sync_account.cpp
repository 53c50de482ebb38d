#include "sync/sync_account.h"

#include <filesystem>
#include <variant>
#include <vector>

#include "platform/file_reader.h"
#include "platform/folder_lock.h"
#include "store/data_packet.h"
#include "store/planner_files.h"
#include "sync/dav_url.h"

namespace {

TFieldDefs AccountFields() {
  return {FieldDef("ResourceID", ftInteger, 0, true),
          FieldDef("ServerUrl", ftMemo),
          FieldDef("UserName", ftMemo),
          FieldDef("CalendarUrl", ftMemo),
          FieldDef("AddressBookUrl", ftMemo),
          FieldDef("Policy", ftInteger),
          FieldDef("IntervalMinutes", ftInteger),
          FieldDef("SyncAtStart", ftBoolean),
          FieldDef("LastSync", ftDateTime),
          FieldDef("LastError", ftMemo)};
}

// The "SyncAccounts" table as its file is now: no file, no accounts. Fields a file lacks are added (null in
// every row); fields it has beyond ours stay, so that writing it back keeps them.
struct TAccountsTable {
  std::string Path;
  TFieldDefs Fields;
  std::vector<TRowValues> Rows;

  explicit TAccountsTable(const std::string& dataFolder)
      : Path((std::filesystem::path(dataFolder) / TSyncAccounts::kFile).string()) {
    try {
      if (const std::optional<std::string> bytes = ReadWholeFile(Path)) {
        ReadDataPacket(*bytes, Fields, Rows);
        if (FieldIndexIn(Fields, "ResourceID") < 0) throw EDataTableError("it has no ResourceID field");
      }
    } catch (const std::exception& e) {
      throw EDataTableError(Path + ": the sync accounts cannot be read (" + e.what() + ")");
    }
    for (const TFieldDef& field : AccountFields()) {
      if (FieldIndexIn(Fields, field.Name) >= 0) continue;
      Fields.push_back(field);
      for (TRowValues& row : Rows) row.emplace_back();
    }
  }

  const TFieldValue& Value(const TRowValues& row, const char* name) const {
    return row[static_cast<size_t>(FieldIndexIn(Fields, name))];
  }
  void Set(TRowValues& row, const char* name, TFieldValue value) const {
    const int index = FieldIndexIn(Fields, name);
    row[static_cast<size_t>(index)] = ValueForField(Fields[static_cast<size_t>(index)], value);
  }

  // The row of the resource, or nullptr.
  TRowValues* RowOf(int resourceID) {
    for (TRowValues& row : Rows)
      if (!std::holds_alternative<std::monostate>(Value(row, "ResourceID")) &&
          ValueAsInteger(Value(row, "ResourceID"), "ResourceID") == resourceID)
        return &row;
    return nullptr;
  }

  void Write(TFileWriter& writer) const { writer.ReplaceFile(Path, FormatDataPacket(Fields, Rows), faOwnerOnly); }
};

TFieldValue Text(const std::string& text) { return text.empty() ? TFieldValue() : TFieldValue(text); }

// The data folder's write lock, held from reading the accounts to writing them back, so that two
// writers (the window and koret-cli, or a sync recording its outcome) never lose each other's change.
std::string FolderLockFile(const std::string& dataFolder) {
  return (std::filesystem::path(dataFolder) / TVpPlannerFiles::kLockFile).string();
}

}  // namespace

TSyncAccounts::TSyncAccounts(const std::string& dataFolder, TFileWriter& writer)
    : DataFolder_(dataFolder), Writer_(writer) {}

std::optional<TSyncAccount> TSyncAccounts::Of(int resourceID) const {
  TAccountsTable table(DataFolder_);
  const TRowValues* row = table.RowOf(resourceID);
  if (!row) return std::nullopt;
  auto integer = [&](const char* name, std::int64_t otherwise) {
    const TFieldValue& value = table.Value(*row, name);
    return std::holds_alternative<std::monostate>(value) ? otherwise : ValueAsInteger(value, name);
  };
  TSyncAccount account;
  account.ResourceID = resourceID;
  // A user name and password an earlier version kept in the address are left out of it.
  account.ServerUrl = SplitDavUserInfo(ValueAsString(table.Value(*row, "ServerUrl"))).Url;
  account.UserName = ValueAsString(table.Value(*row, "UserName"));
  account.CalendarUrl = ValueAsString(table.Value(*row, "CalendarUrl"));
  account.AddressBookUrl = ValueAsString(table.Value(*row, "AddressBookUrl"));
  const std::int64_t policy = integer("Policy", scpKeepBoth);
  // A policy this program does not know keeps both versions: that never loses an edit.
  account.Policy =
      policy == scpServerWins || policy == scpOursWins ? static_cast<TSyncConflictPolicy>(policy) : scpKeepBoth;
  account.IntervalMinutes = static_cast<int>(std::max<std::int64_t>(0, integer("IntervalMinutes", 0)));
  const TFieldValue& atStart = table.Value(*row, "SyncAtStart");
  account.SyncAtStart = std::holds_alternative<std::monostate>(atStart) || ValueAsBoolean(atStart, "SyncAtStart");
  const TFieldValue& lastSync = table.Value(*row, "LastSync");
  account.LastSync = std::holds_alternative<std::monostate>(lastSync) ? 0 : ValueAsFloat(lastSync, "LastSync");
  account.LastError = ValueAsString(table.Value(*row, "LastError"));
  return account;
}

void TSyncAccounts::Store(const TSyncAccount& account) {
  TFolderLock lock(FolderLockFile(DataFolder_));
  const TFolderLockHold hold(lock);
  TAccountsTable table(DataFolder_);
  TRowValues* row = table.RowOf(account.ResourceID);
  if (!row) {
    table.Rows.emplace_back(table.Fields.size());
    row = &table.Rows.back();
  }
  table.Set(*row, "ResourceID", std::int64_t{account.ResourceID});
  table.Set(*row, "ServerUrl", Text(SplitDavUserInfo(account.ServerUrl).Url));
  table.Set(*row, "UserName", Text(account.UserName));
  table.Set(*row, "CalendarUrl", Text(account.CalendarUrl));
  table.Set(*row, "AddressBookUrl", Text(account.AddressBookUrl));
  table.Set(*row, "Policy", std::int64_t{account.Policy});
  table.Set(*row, "IntervalMinutes", std::int64_t{account.IntervalMinutes});
  table.Set(*row, "SyncAtStart", account.SyncAtStart);
  table.Set(*row, "LastSync", account.LastSync == 0 ? TFieldValue() : TFieldValue(account.LastSync));
  table.Set(*row, "LastError", Text(account.LastError));
  table.Write(Writer_);
}

void TSyncAccounts::Remove(int resourceID) {
  TFolderLock lock(FolderLockFile(DataFolder_));
  const TFolderLockHold hold(lock);
  TAccountsTable table(DataFolder_);
  TRowValues* row = table.RowOf(resourceID);
  if (!row) return;
  table.Rows.erase(table.Rows.begin() + (row - table.Rows.data()));
  table.Write(Writer_);
}

namespace {

std::string StatusFile(const std::string& dataFolder, const char* collection, int resourceID) {
  return (std::filesystem::path(dataFolder) / ("syncstatus-" + std::to_string(resourceID) + "-" + collection + ".xml"))
      .string();
}

}  // namespace

std::string CalendarStatusFile(const std::string& dataFolder, int resourceID) {
  return StatusFile(dataFolder, "calendar", resourceID);
}

std::string AddressBookStatusFile(const std::string& dataFolder, int resourceID) {
  return StatusFile(dataFolder, "addressbook", resourceID);
}
