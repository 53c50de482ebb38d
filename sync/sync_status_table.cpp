#include "sync/sync_status_table.h"

#include <filesystem>

#include "store/data_packet.h"
#include "sync/sync_server.h"

namespace {

// The fields of an item's row, in the order StatusFields gives them.
enum TStatusField { sfUid, sfHref, sfETag, sfRecordID, sfKind, sfHash, sfServerText, sfPendingSide, sfPendingHash };
const char* const kItemFields[] = {"UID",  "Href",       "ETag",        "RecordID",   "Kind",
                                   "Hash", "ServerText", "PendingSide", "PendingHash"};
const char* const kTokenField = "SyncToken";
// The fields a file written before the writes were recorded ahead lacks.
constexpr size_t kFirstLaterField = sfPendingSide;

TFieldDefs StatusFields() {
  return {FieldDef("UID", ftMemo),         FieldDef("Href", ftMemo),           FieldDef("ETag", ftMemo),
          FieldDef("RecordID", ftInteger), FieldDef("Kind", ftInteger),        FieldDef("Hash", ftMemo),
          FieldDef("ServerText", ftMemo),  FieldDef("PendingSide", ftInteger), FieldDef("PendingHash", ftMemo),
          FieldDef(kTokenField, ftMemo)};
}

TFieldValue Text(const std::string& text) { return text.empty() ? TFieldValue() : TFieldValue(text); }

// An entry's row in the order of StatusFields.
TRowValues RowOf(const TSyncStatusEntry& entry) {
  return {entry.Uid,
          entry.Href,
          entry.ETag,
          std::int64_t{entry.RecordID},
          std::int64_t{entry.Kind},
          entry.Hash,
          entry.ServerText,
          entry.PendingSide == swsNone ? TFieldValue() : TFieldValue(std::int64_t{entry.PendingSide}),
          Text(entry.PendingHash),
          {}};
}

TRowValues TokenRow(const std::string& token) {
  TRowValues row(std::size(kItemFields) + 1);
  row.back() = token;
  return row;
}

}  // namespace

TSyncStatusTable::TSyncStatusTable(const std::string& fileName, TFileWriter& writer)
    : Writer_(writer), Table_("SyncStatus", writer, TDataPacketFormat::Instance()) {
  Table_.SetFileName(fileName);
  Table_.SetWriteThrough(true);
  Table_.SetFileAccess(faOwnerOnly);
  std::vector<std::string> required(std::begin(kItemFields), std::begin(kItemFields) + kFirstLaterField);
  required.push_back(kTokenField);
  Table_.SetRequiredFields(std::move(required));
}

void TSyncStatusTable::Open() {
  Entries_.clear();
  Token_.clear();
  Unsaved_.clear();
  TokenUnsaved_ = false;
  LacksFields_ = false;
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
  for (size_t i = 0; i < std::size(kItemFields); ++i) {
    index[i] = Table_.FieldIndex(kItemFields[i]);
    LacksFields_ = LacksFields_ || index[i] < 0;
  }
  const auto tokenIndex = static_cast<size_t>(Table_.FieldIndex(kTokenField));
  for (const TRowValues& row : Table_.Rows()) {
    static const TFieldValue kNull;
    const auto value = [&row, &index](TStatusField field) -> const TFieldValue& {
      return index[field] < 0 ? kNull : row[static_cast<size_t>(index[field])];
    };
    if (ValueIsNull(value(sfUid))) {
      if (!ValueIsNull(row[tokenIndex])) Token_ = ValueAsString(row[tokenIndex]);
      continue;
    }
    TSyncStatusEntry entry;
    entry.Uid = ValueAsString(value(sfUid));
    entry.Href = ValueAsString(value(sfHref));
    entry.ETag = ValueAsString(value(sfETag));
    entry.RecordID = static_cast<int>(ValueAsInteger(value(sfRecordID), "RecordID"));
    const std::int64_t kind = ValueAsInteger(value(sfKind), "Kind");
    if (kind < sikEvent || kind > sikContact) throw EDataTableError("an item of unknown kind " + std::to_string(kind));
    entry.Kind = static_cast<TSyncItemKind>(kind);
    entry.Hash = ValueAsString(value(sfHash));
    entry.ServerText = ValueAsString(value(sfServerText));
    const std::int64_t side = ValueAsInteger(value(sfPendingSide), "PendingSide");
    if (side < swsNone || side > swsCopyHere) throw EDataTableError("a write of unknown side " + std::to_string(side));
    entry.PendingSide = static_cast<TSyncWriteSide>(side);
    entry.PendingHash = ValueAsString(value(sfPendingHash));
    if (entry.Hash.empty() && entry.PendingSide == swsNone)
      throw EDataTableError("the UID \"" + entry.Uid + "\" without a hash");
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

void TSyncStatusTable::BeginWrite(TSyncStatusEntry base, TSyncWriteSide side, const std::string& hash) {
  base.PendingSide = side;
  base.PendingHash = hash;
  Set(base);
}

void TSyncStatusTable::AbandonWrite(const std::string& uid) {
  const TSyncStatusEntry* entry = Find(uid);
  if (entry == nullptr || entry->PendingSide == swsNone) return;
  if (entry->Hash.empty()) {
    Remove(uid);
    return;
  }
  TSyncStatusEntry before = *entry;
  before.PendingSide = swsNone;
  before.PendingHash.clear();
  Set(before);
}

void TSyncStatusTable::SetToken(const std::string& token) {
  if (token == Token_) return;
  Token_ = token;
  TokenUnsaved_ = true;
}

void TSyncStatusTable::WriteWhole() {
  std::vector<TRowValues> rows;
  rows.reserve(Entries_.size() + 1);
  for (const auto& [uid, entry] : Entries_) rows.push_back(RowOf(entry));
  if (!Token_.empty()) rows.push_back(TokenRow(Token_));
  Table_.Close();
  Writer_.ReplaceFile(Table_.FileName(), FormatDataPacket(StatusFields(), rows), faOwnerOnly);
  Table_.Open();
  LacksFields_ = false;
}

void TSyncStatusTable::Save() {
  if (UnsavedCount() == 0) return;
  try {
    if (!Table_.Active() || LacksFields_) {
      WriteWhole();
    } else {
      const auto uidIndex = static_cast<size_t>(Table_.FieldIndex("UID"));
      const TFieldDefs fields = StatusFields();
      TTableBatch batch(Table_);
      // The rows of the changed entries go and come back at the end; every other row keeps the
      // text it was written with.
      Table_.DeleteWhere([this, uidIndex](const TRowView& row) {
        const TFieldValue uid = row[uidIndex];
        return ValueIsNull(uid) ? TokenUnsaved_ : Unsaved_.count(ValueAsString(uid)) > 0;
      });
      const auto append = [this, &fields](const TRowValues& values) {
        Table_.Append();
        for (size_t field = 0; field < fields.size(); ++field) {
          if (ValueIsNull(values[field])) continue;
          TField target = Table_.FieldByName(fields[field].Name);
          if (const auto* number = std::get_if<std::int64_t>(&values[field])) target.SetAsInteger(*number);
          else target.SetAsString(std::get<std::string>(values[field]));
        }
        Table_.Post();
      };
      for (const std::string& uid : Unsaved_)
        if (const TSyncStatusEntry* entry = Find(uid)) append(RowOf(*entry));
      if (TokenUnsaved_ && !Token_.empty()) append(TokenRow(Token_));
      batch.Commit();
    }
  } catch (const std::exception& e) {
    throw ESyncError("The sync status file \"" + Table_.FileName() + "\" cannot be written: " + e.what());
  }
  Unsaved_.clear();
  TokenUnsaved_ = false;
}
