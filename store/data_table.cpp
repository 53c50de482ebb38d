#include "store/data_table.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/file_reader.h"

// --- TField ---

const TFieldDef& TField::Def() const { return Table_.Fields_[static_cast<size_t>(Index_)]; }

const TFieldValue& TField::Value() const {
  if (Table_.State_ == TDataTable::dsEdit || Table_.State_ == TDataTable::dsInsert)
    return Table_.Buffer_[static_cast<size_t>(Index_)];
  Table_.RequireRow();
  return Table_.Rows_[Table_.Current_].Values[static_cast<size_t>(Index_)];
}

bool TField::IsNull() const { return ValueIsNull(Value()); }
std::int64_t TField::AsInteger() const { return ValueAsInteger(Value(), Def().Name); }
bool TField::AsBoolean() const { return ValueAsBoolean(Value(), Def().Name); }
std::string TField::AsString() const { return ValueAsString(Value()); }
double TField::AsDateTime() const { return ValueAsFloat(Value(), Def().Name); }

void TField::Set(const TFieldValue& value) {
  if (Table_.State_ != TDataTable::dsEdit && Table_.State_ != TDataTable::dsInsert)
    Table_.Fail("is not in edit or insert mode");
  Table_.Buffer_[static_cast<size_t>(Index_)] = ValueForField(Def(), value);
}

void TField::SetAsInteger(std::int64_t value) { Set(value); }
void TField::SetAsBoolean(bool value) { Set(value); }
void TField::SetAsString(const std::string& value) { Set(value); }
void TField::SetAsDateTime(double value) { Set(value); }
void TField::Clear() { Set(std::monostate{}); }

// --- TDataTable ---

TDataTable::TDataTable(std::string name, TFileWriter& writer, const TTableFormat& format)
    : Name_(std::move(name)), Writer_(writer), Format_(format) {}

std::vector<TRowValues> TDataTable::Rows() const {
  std::vector<TRowValues> rows;
  rows.reserve(Rows_.size());
  for (const TStoredRow& row : Rows_) rows.push_back(row.Values);
  return rows;
}

std::optional<std::int64_t> TDataTable::HighestInteger(const std::string& fieldName) const {
  const int index = FieldIndex(fieldName);
  if (index < 0) return std::nullopt;
  std::optional<std::int64_t> highest;
  for (const TStoredRow& row : Rows_) {
    const TFieldValue& value = row.Values[static_cast<size_t>(index)];
    if (ValueIsNull(value)) continue;
    const std::int64_t number = ValueAsInteger(value, fieldName);
    if (!highest || number > *highest) highest = number;
  }
  return highest;
}

void TDataTable::Fail(const std::string& what) const { throw EDataTableError(Name_ + ": " + what); }

void TDataTable::SetFieldDefs(TFieldDefs fields) {
  if (Active()) Fail("cannot change the fields of an open table");
  Fields_ = std::move(fields);
}

void TDataTable::ReadFile(TFieldDefs& fields, std::vector<TRowValues>& rows) const {
  std::optional<std::string> bytes;
  try {
    bytes = ReadWholeFile(FileName_);
  } catch (const EFileReadError& e) {
    Fail(e.what());
  }
  if (!bytes) Fail("the file \"" + FileName_ + "\" does not exist");
  try {
    Format_.Read(*bytes, fields, rows);
  } catch (const std::exception& e) {
    Fail("\"" + FileName_ + "\" is not a readable table: " + e.what());
  }
  std::string missing;
  for (const std::string& name : RequiredFields_)
    if (FieldIndexIn(fields, name) < 0) missing += (missing.empty() ? "" : ", ") + name;
  if (!missing.empty()) Fail("\"" + FileName_ + "\" lacks fields the " + Name_ + " table needs: " + missing);
}

void TDataTable::TakeRows(TFieldDefs&& fields, std::vector<TRowValues>&& rows) {
  Fields_ = std::move(fields);
  Rows_.clear();
  Rows_.reserve(rows.size());
  for (TRowValues& values : rows) Rows_.push_back({std::move(values), {}});
  ++ReadCount_;
}

void TDataTable::Open() {
  if (Active()) return;
  // Taken before reading: should another writer replace the file meanwhile, the next check sees
  // a change and reads again, never the other way round.
  const TFileSignature signature = FileSignatureOf(FileName_);
  TFieldDefs fields;
  std::vector<TRowValues> rows;
  ReadFile(fields, rows);
  TakeRows(std::move(fields), std::move(rows));
  ReadSignature_ = signature;
  State_ = dsBrowse;
  Unsaved_ = false;
  First();
}

bool TDataTable::ReadAgainIfChanged(bool retryUnreadable) {
  if (State_ != dsBrowse || !BatchMarks_.empty()) return false;
  const TFileSignature signature = FileSignatureOf(FileName_);
  if (signature == ReadSignature_) return false;
  if (!retryUnreadable && signature == UnreadableSignature_) return false;
  // Rows not yet written would be lost under the other writer's; they are never dropped silently.
  if (Unsaved_) Fail("has changes not yet written, and another program replaced \"" + FileName_ + "\"");
  TFieldDefs fields;
  std::vector<TRowValues> rows;
  try {
    ReadFile(fields, rows);
  } catch (...) {
    UnreadableSignature_ = signature;
    throw;
  }
  // A filter knows the fields by position: one made for another layout is dropped, and whoever
  // filters sets it again.
  if (fields != Fields_) Filtered_ = false;
  TakeRows(std::move(fields), std::move(rows));
  ReadSignature_ = signature;
  First();
  return true;
}

void TDataTable::Close() {
  if (!Active()) return;
  if (State_ != dsBrowse) Cancel();
  if (Unsaved_) WriteFile();
  Rows_.clear();
  State_ = dsInactive;
  Current_ = 0;
  BatchMarks_.clear();
  BatchLog_.clear();
}

void TDataTable::WriteFile() {
  std::string text = Format_.Head(Fields_);
  size_t size = text.size();
  for (TStoredRow& row : Rows_) {
    if (row.Text.empty()) Format_.AppendRow(row.Text, Fields_, row.Values);
    size += row.Text.size();
  }
  const std::string tail = Format_.Tail();
  text.reserve(size + tail.size());
  for (const TStoredRow& row : Rows_) text += row.Text;
  text += tail;
  Writer_.ReplaceFile(FileName_, text);
  Unsaved_ = false;
  // Every writer replaces the file under the folder's lock, so the file now is this table's.
  ReadSignature_ = FileSignatureOf(FileName_);
}

void TDataTable::RequireOpen() const {
  if (!Active()) Fail("cannot perform this operation on a closed table");
}

void TDataTable::RequireRow() const {
  RequireOpen();
  if (Eof()) Fail("there is no current row");
}

// --- filter and cursor ---

void TDataTable::SetFilter(TFilter filter) {
  Filter_ = std::move(filter);
  if (Active()) First();
}

void TDataTable::SetFiltered(bool on) {
  Filtered_ = on;
  if (Active()) First();
}

bool TDataTable::Visible(size_t row) const { return !Filtered_ || !Filter_ || Filter_(Rows_[row].Values); }

void TDataTable::Seek(size_t from) {
  Current_ = from;
  while (Current_ < Rows_.size() && !Visible(Current_)) ++Current_;
}

void TDataTable::First() {
  RequireOpen();
  Seek(0);
}

void TDataTable::Next() {
  RequireOpen();
  if (Current_ < Rows_.size()) Seek(Current_ + 1);
}

bool TDataTable::Eof() const { return Current_ >= Rows_.size(); }

bool TDataTable::IsEmpty() const {
  for (size_t row = 0; row < Rows_.size(); ++row)
    if (Visible(row)) return false;
  return true;
}

int TDataTable::RecordCount() const {
  int count = 0;
  for (size_t row = 0; row < Rows_.size(); ++row)
    if (Visible(row)) ++count;
  return count;
}

bool TDataTable::Locate(const std::string& fieldName, const TFieldValue& value) {
  RequireOpen();
  const int index = FieldIndex(fieldName);
  if (index < 0) Fail("field '" + fieldName + "' not found");
  const TFieldDef& def = Fields_[static_cast<size_t>(index)];
  const TFieldValue wanted = ValueForField(def, value);
  for (size_t row = 0; row < Rows_.size(); ++row) {
    if (Rows_[row].Values[static_cast<size_t>(index)] == wanted && Visible(row)) {
      Current_ = row;
      return true;
    }
  }
  return false;
}

int TDataTable::FieldIndex(const std::string& name) const { return FieldIndexIn(Fields_, name); }

TField TDataTable::FieldByName(const std::string& name) {
  const int index = FieldIndex(name);
  if (index < 0) Fail("field '" + name + "' not found");
  return TField(*this, index);
}

// --- editing ---

void TDataTable::Edit() {
  RequireOpen();
  if (State_ != dsBrowse) return;
  if (Eof()) Seek(0);
  if (Eof()) {
    Append();
    return;
  }
  Buffer_ = Rows_[Current_].Values;
  State_ = dsEdit;
}

void TDataTable::Append() {
  RequireOpen();
  if (State_ != dsBrowse) Cancel();
  Buffer_.assign(Fields_.size(), std::monostate{});
  State_ = dsInsert;
}

void TDataTable::Cancel() {
  if (State_ == dsEdit || State_ == dsInsert) State_ = dsBrowse;
  Buffer_.clear();
}

void TDataTable::Post() {
  if (State_ != dsEdit && State_ != dsInsert) Fail("is not in edit or insert mode");
  for (size_t i = 0; i < Fields_.size(); ++i)
    if (Fields_[i].Required && ValueIsNull(Buffer_[i])) Fail("field '" + Fields_[i].Name + "' must have a value");

  TUndo undo;
  if (State_ == dsEdit) {
    undo = {TUndo::ukModified, Current_, std::move(Rows_[Current_]), {}};
    Rows_[Current_] = {Buffer_, {}};
  } else {
    Rows_.push_back({Buffer_, {}});
    Current_ = Rows_.size() - 1;
    undo = {TUndo::ukAppended, Current_, {}, {}};
  }
  const TState state = State_;
  State_ = dsBrowse;
  try {
    Changed(std::move(undo));
  } catch (...) {
    State_ = state;  // the row is as before; the edit can be retried or cancelled
    throw;
  }
  Buffer_.clear();
}

void TDataTable::Delete() {
  RequireRow();
  if (State_ != dsBrowse) Cancel();
  const size_t row = Current_;
  TUndo undo{TUndo::ukDeleted, row, std::move(Rows_[row]), {}};
  Rows_.erase(Rows_.begin() + static_cast<std::ptrdiff_t>(row));
  Changed(std::move(undo));
  Seek(row);
}

int TDataTable::DeleteWhere(const TFilter& selects) {
  RequireOpen();
  if (State_ != dsBrowse) Cancel();
  // One pass that keeps the other rows in order.
  TUndo undo{TUndo::ukDeletedMany, 0, {}, {}};
  size_t kept = 0;
  for (size_t row = 0; row < Rows_.size(); ++row) {
    if (selects(Rows_[row].Values)) undo.Removed.emplace_back(row, std::move(Rows_[row]));
    else if (kept++ != row) Rows_[kept - 1] = std::move(Rows_[row]);  // moving a row onto itself would empty it
  }
  const int removed = static_cast<int>(undo.Removed.size());
  Rows_.resize(kept);
  if (removed > 0) Changed(std::move(undo));
  First();
  return removed;
}

void TDataTable::Changed(TUndo&& undo) {
  Unsaved_ = true;
  if (!BatchMarks_.empty()) {
    BatchLog_.push_back(std::move(undo));
    return;
  }
  if (!WriteThrough_) return;
  try {
    WriteFile();
  } catch (...) {
    Undo(undo);
    Unsaved_ = false;  // the rows are back to what the file holds
    throw;
  }
}

void TDataTable::Undo(TUndo& undo) {
  const auto at = Rows_.begin() + static_cast<std::ptrdiff_t>(undo.Row);
  switch (undo.Kind) {
    case TUndo::ukModified: Rows_[undo.Row] = std::move(undo.Old); break;
    case TUndo::ukAppended: Rows_.erase(at); break;
    case TUndo::ukDeleted: Rows_.insert(at, std::move(undo.Old)); break;
    case TUndo::ukDeletedMany: {
      // Merge the removed rows back into their places.
      std::vector<TStoredRow> merged;
      merged.reserve(Rows_.size() + undo.Removed.size());
      size_t next = 0;
      for (auto& [position, row] : undo.Removed) {
        while (merged.size() < position) merged.push_back(std::move(Rows_[next++]));
        merged.push_back(std::move(row));
      }
      while (next < Rows_.size()) merged.push_back(std::move(Rows_[next++]));
      Rows_ = std::move(merged);
      break;
    }
  }
  Current_ = std::min(undo.Row, Rows_.size());
}

// --- batches ---

void TDataTable::BeginBatch() { BatchMarks_.push_back({BatchLog_.size(), Unsaved_}); }

void TDataTable::RollbackBatch() {
  if (BatchMarks_.empty()) return;
  const TBatchMark mark = BatchMarks_.back();
  BatchMarks_.pop_back();
  while (BatchLog_.size() > mark.Log) {
    Undo(BatchLog_.back());
    BatchLog_.pop_back();
  }
  Unsaved_ = mark.Unsaved;
  if (Active()) Seek(Current_);
}

void TDataTable::CommitBatch() {
  if (BatchMarks_.empty()) return;
  if (BatchMarks_.size() > 1) {
    BatchMarks_.pop_back();
    return;
  }
  if (!BatchLog_.empty() && WriteThrough_) {
    try {
      WriteFile();
    } catch (...) {
      RollbackBatch();
      throw;
    }
  }
  BatchMarks_.clear();
  BatchLog_.clear();
}
