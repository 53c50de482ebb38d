#include "store/uid_table.h"

#include <filesystem>
#include <random>

#include "store/data_packet.h"
#include "store/planner_files.h"

TVpUidTable::TVpUidTable(TFileWriter& writer) : Writer_(writer), Table_("UIDs", writer, TDataPacketFormat::Instance()) {
  Table_.SetWriteThrough(true);
  Table_.SetRequiredFields({"TableKind", "RecordID", "UID"});
}

void TVpUidTable::Open(const std::string& dataFolder) {
  Table_.Close();
  Table_.SetFileName((std::filesystem::path(dataFolder) / kFile).string());
  if (std::filesystem::exists(Table_.FileName())) Table_.Open();
  Index();
}

void TVpUidTable::ReadAgainIfChanged() {
  if (!Table_.Active() && std::filesystem::exists(Table_.FileName())) Table_.Open();
  else if (!Table_.ReadAgainIfChanged()) return;
  Index();
}

void TVpUidTable::Index() {
  Uids_.clear();
  Records_.clear();
  if (!Table_.Active()) return;
  const int kindField = Table_.FieldIndex("TableKind");
  const int idField = Table_.FieldIndex("RecordID");
  const int uidField = Table_.FieldIndex("UID");
  for (const TRowValues& row : Table_.Rows()) {
    const int kind = static_cast<int>(ValueAsInteger(row[static_cast<size_t>(kindField)], "TableKind"));
    const int id = static_cast<int>(ValueAsInteger(row[static_cast<size_t>(idField)], "RecordID"));
    const std::string uid = ValueAsString(row[static_cast<size_t>(uidField)]);
    Uids_[{kind, id}] = uid;
    Records_[{kind, uid}] = id;
  }
}

std::string TVpUidTable::UidOf(TVpTableKind kind, int recordID) const {
  const auto found = Uids_.find({kind, recordID});
  return found == Uids_.end() ? std::string() : found->second;
}

std::string TVpUidTable::UidGivenTo(TVpTableKind kind, int recordID) {
  std::string uid = UidOf(kind, recordID);
  if (uid.empty()) {
    uid = NewUid();
    Set(kind, recordID, uid);
  }
  return uid;
}

std::optional<int> TVpUidTable::RecordOf(TVpTableKind kind, const std::string& uid) const {
  const auto found = Records_.find({kind, uid});
  if (found == Records_.end()) return std::nullopt;
  return found->second;
}

void TVpUidTable::CreateFile() {
  Writer_.ReplaceFile(Table_.FileName(), EmptyTableText(Table_.Name()));
  Table_.Open();
}

void TVpUidTable::Set(TVpTableKind kind, int recordID, const std::string& uid) {
  if (!Table_.Active()) CreateFile();
  Table_.SetFiltered(false);
  const auto had = Records_.find({kind, uid});
  bool found = false;
  if (had != Records_.end()) {
    const auto kindField = static_cast<size_t>(Table_.FieldIndex("TableKind"));
    Table_.SetFilter([kindField, kind](const TRowView& row) { return row.Number(kindField) == kind; });
    Table_.SetFiltered(true);
    found = Table_.Locate("UID", uid);
  }
  try {
    if (found) Table_.Edit();
    else Table_.Append();
    Table_.FieldByName("TableKind").SetAsInteger(kind);
    Table_.FieldByName("RecordID").SetAsInteger(recordID);
    Table_.FieldByName("UID").SetAsString(uid);
    Table_.Post();
  } catch (...) {
    if (Table_.State() != TDataTable::dsBrowse) Table_.Cancel();
    Table_.SetFiltered(false);
    throw;
  }
  Table_.SetFiltered(false);
  if (had != Records_.end()) Uids_.erase({kind, had->second});
  Uids_[{kind, recordID}] = uid;
  Records_[{kind, uid}] = recordID;
}

std::string NewUid() {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string uid;
  for (int half = 0; half < 2; ++half) {
    std::uint64_t bits = random();
    for (int i = 0; i < 16; ++i, bits >>= 4) uid += kHex[bits & 15];
  }
  return uid + "@koret";
}
