#include "sync/sync_status_table.h"

#include <filesystem>

#include "store/data_packet.h"
#include "sync/sync_server.h"

namespace {

const char* const kItemFields[] = {"UID", "Href", "ETag", "RecordID", "Kind", "Hash", "ServerText"};
const char* const kTokenField = "SyncToken";

TFieldDefs StatusFields() {
  return {FieldDef("UID", ftMemo),         FieldDef("Href", ftMemo),     FieldDef("ETag", ftMemo),
          FieldDef("RecordID", ftInteger), FieldDef("Kind", ftInteger),  FieldDef("Hash", ftMemo),
          FieldDef("ServerText", ftMemo),  FieldDef(kTokenField, ftMemo)};
}

}  // namespace

TSyncStatusTable::TSyncStatusTable(const std::string& fileName, TFileWriter& writer)
    : Writer_(writer), Table_("SyncStatus", writer, TDataPacketFormat::Instance()) {
  Table_.SetFileName(fileName);
  Table_.SetWriteThrough(true);
  std::vector<std::string> required(std::begin(kItemFields), std::end(kItemFields));
  required.push_back(kTokenField);
  Table_.SetRequiredFields(std::move(required));
}

void TSyncStatusTable::Open() {
  Entries_.clear();
  Token_.clear();
  Unsaved_.clear();
  TokenUnsaved_ = false;
  if (!std::filesystem::exists(Table_.FileName())) return;
  try {
    Table_.Open();
    ReadRows();
  } catch (const EDataTableError& e) {
    Table_.Close();
    Entries_.clear();
    Token_.clear();
    throw ESyncError("The sync status file \"" + Table_.FileName() + "\" cannot be read (" + e.what() +
                     "); it was left as it is.");
  }
}

void TSyncStatusTable::ReadRows() {
  int index[std::size(kItemFields)];
  for (size_t i = 0; i < std::size(kItemFields); ++i) index[i] = Table_.FieldIndex(kItemFields[i]);
  const auto tokenIndex = static_cast<size_t>(Table_.FieldIndex(kTokenField));
  for (const TRowValues& row : Table_.Rows()) {
    const auto value = [&row, &index](size_t field) -> const TFieldValue& {
      return row[static_cast<size_t>(index[field])];
    };
    if (ValueIsNull(value(0))) {
      if (!ValueIsNull(row[tokenIndex])) Token_ = ValueAsString(row[tokenIndex]);
      continue;
    }
    TSyncStatusEntry entry;
    entry.Uid = ValueAsString(value(0));
    entry.Href = ValueAsString(value(1));
    entry.ETag = ValueAsString(value(2));
    entry.RecordID = static_cast<int>(ValueAsInteger(value(3), "RecordID"));
    const std::int64_t kind = ValueAsInteger(value(4), "Kind");
    if (kind < sikEvent || kind > sikContact) throw EDataTableError("an item of unknown kind " + std::to_string(kind));
    entry.Kind = static_cast<TSyncItemKind>(kind);
    entry.Hash = ValueAsString(value(5));
    entry.ServerText = ValueAsString(value(6));
    if (!Entries_.emplace(entry.Uid, entry).second) throw EDataTableError("the UID \"" + entry.Uid + "\" twice");
  }
}

const TSyncStatusEntry* TSyncStatusTable::Find(const std::string& uid) const {
  const auto found = Entries_.find(uid);
  return found == Entries_.end() ? nullptr : &found->second;
}

void TSyncStatusTable::Set(const TSyncStatusEntry& entry) {
  auto [at, added] = Entries_.try_emplace(entry.Uid, entry);
  if (!added) {
    if (at->second == entry) return;
    at->second = entry;
  }
  Unsaved_.insert(entry.Uid);
}

void TSyncStatusTable::Remove(const std::string& uid) {
  if (Entries_.erase(uid) > 0) Unsaved_.insert(uid);
}

void TSyncStatusTable::SetToken(const std::string& token) {
  if (token == Token_) return;
  Token_ = token;
  TokenUnsaved_ = true;
}

void TSyncStatusTable::CreateFile() {
  Writer_.ReplaceFile(Table_.FileName(), FormatDataPacket(StatusFields(), {}));
  Table_.Open();
}

void TSyncStatusTable::Save() {
  if (UnsavedCount() == 0) return;
  try {
    if (!Table_.Active()) CreateFile();
    const auto uidIndex = static_cast<size_t>(Table_.FieldIndex("UID"));
    TTableBatch batch(Table_);
    // The rows of the changed entries go and come back at the end; every other row keeps the
    // text it was written with.
    Table_.DeleteWhere([this, uidIndex](const TRowView& row) {
      const TFieldValue uid = row[uidIndex];
      return ValueIsNull(uid) ? TokenUnsaved_ : Unsaved_.count(ValueAsString(uid)) > 0;
    });
    for (const std::string& uid : Unsaved_) {
      const TSyncStatusEntry* entry = Find(uid);
      if (!entry) continue;
      Table_.Append();
      Table_.FieldByName("UID").SetAsString(entry->Uid);
      Table_.FieldByName("Href").SetAsString(entry->Href);
      Table_.FieldByName("ETag").SetAsString(entry->ETag);
      Table_.FieldByName("RecordID").SetAsInteger(entry->RecordID);
      Table_.FieldByName("Kind").SetAsInteger(entry->Kind);
      Table_.FieldByName("Hash").SetAsString(entry->Hash);
      Table_.FieldByName("ServerText").SetAsString(entry->ServerText);
      Table_.Post();
    }
    if (TokenUnsaved_ && !Token_.empty()) {
      Table_.Append();
      Table_.FieldByName(kTokenField).SetAsString(Token_);
      Table_.Post();
    }
    batch.Commit();
  } catch (const std::exception& e) {
    throw ESyncError("The sync status file \"" + Table_.FileName() + "\" cannot be written: " + e.what());
  }
  Unsaved_.clear();
  TokenUnsaved_ = false;
}
