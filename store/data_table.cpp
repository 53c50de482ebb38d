#include "store/data_table.h"

#include <algorithm>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/ascii_text.h"
#include "platform/file_reader.h"
#include "platform/file_version_reader.h"
#include "platform/huge_pages.h"

namespace {

// The day a moment lies in (rounded down), held in the index's 32 bits.
std::int32_t DayOfMs(std::int64_t ms) {
  const std::int64_t day = ms >= 0 ? ms / kMsPerDay : -((-(ms + 1)) / kMsPerDay) - 1;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(day, INT32_MIN, INT32_MAX));
}

}  // namespace

// --- TField ---

const TFieldDef& TField::Def() const { return Table_.Fields_[static_cast<size_t>(Index_)]; }

bool TField::Editing() const { return Table_.State_ == TDataTable::dsEdit || Table_.State_ == TDataTable::dsInsert; }

const TRowStore::TRow& TField::Row() const {
  Table_.RequireRow();
  return Table_.Stored()[Table_.Current_];
}

TFieldValue TField::Value() const {
  const size_t index = static_cast<size_t>(Index_);
  return Editing() ? Table_.Buffer_[index] : Table_.Store_.Value(Row(), index);
}

bool TField::IsNull() const {
  const size_t index = static_cast<size_t>(Index_);
  return Editing() ? ValueIsNull(Table_.Buffer_[index]) : Table_.Store_.IsNull(Row(), index);
}

std::int64_t TField::AsInteger() const { return ValueAsInteger(Value(), Def().Name); }
bool TField::AsBoolean() const { return ValueAsBoolean(Value(), Def().Name); }
std::string TField::AsString() const { return ValueAsString(Value()); }
double TField::AsDateTime() const { return ValueAsFloat(Value(), Def().Name); }

void TField::Set(const TFieldValue& value) {
  if (!Editing()) Table_.Fail("is not in edit or insert mode");
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

std::vector<TRowValues> TDataTable::Rows() {
  RequireWhole();
  std::vector<TRowValues> rows;
  rows.reserve(Stored().size());
  for (const TRow& row : Stored()) rows.push_back(Store_.Values(row));
  return rows;
}

std::map<std::string, TFieldValue> TDataTable::CurrentValues() const {
  RequireRow();
  std::map<std::string, TFieldValue> values;
  const TRowView row(Store_, Stored()[Current_]);
  for (size_t field = 0; field < Fields_.size(); ++field)
    if (!row.IsNull(field)) values.emplace(Fields_[field].Name, row[field]);
  return values;
}

std::optional<std::int64_t> TDataTable::HighestInteger(const std::string& fieldName) {
  RequireWhole();
  const int index = FieldIndex(fieldName);
  if (index < 0) return std::nullopt;
  const size_t field = static_cast<size_t>(index);
  for (const auto& [known, highest] : Highest_)
    if (known == field) return highest;
  std::optional<std::int64_t> highest;
  for (const TRow& row : Stored()) {
    if (Store_.IsNull(row, field)) continue;
    const std::int64_t number = Fields_[field].DataType == ftInteger
                                    ? Store_.Number(row, field)
                                    : ValueAsInteger(Store_.Value(row, field), fieldName);
    if (!highest || number > *highest) highest = number;
  }
  if (Fields_[field].DataType == ftInteger) Highest_.emplace_back(field, highest);
  return highest;
}

void TDataTable::Fail(const std::string& what) const { throw EDataTableError(Name_ + ": " + what); }

void TDataTable::SetFieldDefs(TFieldDefs fields) {
  if (Active()) Fail("cannot change the fields of an open table");
  Fields_ = std::move(fields);
  Store_.SetFields(Fields_);
}

void TDataTable::ReadFile(TFieldDefs& fields, TRowStore& rows, const TPacketRowChoice& keep) const {
  // Rows chosen as the file is read, block by block, hold no more than the chosen rows in memory;
  // a file whose rows cannot be told apart so is read whole.
  std::optional<std::string> bytes;
  try {
    if (std::unique_ptr<TDataPacketPart> part = keep ? Format_.PartReader(keep) : nullptr) {
      const bool exists =
          ReadFileInBlocks(FileName_, [&](std::string_view text, bool last) { return part->Take(text, last); });
      if (exists) bytes = std::move(*part).Result();
    }
    if (!bytes) bytes = ReadWholeFile(FileName_);
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
  for (const TFieldDef& added : AddedFields_) {
    if (FieldIndexIn(fields, added.Name) >= 0) continue;
    fields.push_back(added);
    rows.AddField(added);
  }
}

void TDataTable::TakeRows(TFieldDefs&& fields, TRowStore&& rows) {
  Fields_ = std::move(fields);
  Store_ = std::move(rows);
  DayIndexes_.clear();
  RowsMoved();
  ++ReadCount_;
  NarrowFilter();
}

void TDataTable::Open() {
  if (Active()) return;
  // Taken before reading: should another writer replace the file meanwhile, the next check sees
  // a change and reads again, never the other way round.
  const TFileSignature signature = FileSignatureOf(FileName_);
  TFieldDefs fields;
  TRowStore rows;
  ReadFile(fields, rows);
  TakeRows(std::move(fields), std::move(rows));
  ReadSignature_ = signature;
  PiecesSignature_ = signature;
  State_ = dsBrowse;
  Unsaved_ = false;
  First();
}

namespace {

// The day of a date or date-time value as the data packet writes it (yyyymmdd...) as the number
// yyyymmdd, which orders as the days do; nothing when the value is not one. The text runs from
// the value's start to the row's end: the value ends at its closing quote.
std::optional<std::uint32_t> StampDayKey(std::string_view text) {
  if (text.size() < 9 || (text[8] != 'T' && text[8] != '"' && text[8] != '\'')) return std::nullopt;
  std::uint32_t key = 0;
  for (size_t at = 0; at < 8; ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    key = key * 10 + static_cast<std::uint32_t>(text[at] - '0');
  }
  const int year = static_cast<int>(key / 10000), month = static_cast<int>(key / 100 % 100);
  const int day = static_cast<int>(key % 100);
  if (year < 1 || month < 1 || month > 12 || day < 1 || (day > 28 && day > MonthLength(year, month)))
    return std::nullopt;
  return key;
}

// The same number for the day a moment lies in; below or above every stamp's outside the years
// a stamp can hold.
std::uint32_t DayKeyOfMs(std::int64_t ms) {
  const std::int64_t day = DayOfMs(ms);
  if (day < DayNumberOf(EncodeDate(1, 1, 1))) return 0;
  if (day > DayNumberOf(EncodeDate(9999, 12, 31))) return 99991232;
  const TVpDate date = DecodeDate(static_cast<double>(day));
  return static_cast<std::uint32_t>(date.Year * 10000 + date.Month * 100 + date.Day);
}

}  // namespace

void TDataTable::OpenPart(std::vector<TNamedRange> ranges) {
  if (Active()) return;
  // A range that holds the day of null values selects rows without the field: those cannot be
  // found by their text, so the whole file is read.
  const bool narrows = !ranges.empty() && std::none_of(ranges.begin(), ranges.end(), [](const TNamedRange& range) {
    return range.From <= 0 && range.To > 0;
  });
  if (!narrows) return Open();
  // The names the ranges look at, each looked up at most once a row.
  std::vector<TPacketRowName> names;
  auto nameIndex = [&](const std::string& name) -> size_t {
    if (name.empty()) return SIZE_MAX;
    const auto found =
        std::find_if(names.begin(), names.end(), [&](const TPacketRowName& known) { return known.Name() == name; });
    if (found != names.end()) return static_cast<size_t>(found - names.begin());
    names.emplace_back(name);
    return names.size() - 1;
  };
  struct TLook {
    size_t Field, End, Start;
    std::uint32_t From, To, EndsAfter, StartsBy;
  };
  std::vector<TLook> looks;
  for (const TNamedRange& range : ranges)
    looks.push_back({nameIndex(range.Field), nameIndex(range.EndField), nameIndex(range.StartField),
                     DayKeyOfMs(range.From), DayKeyOfMs(range.To), DayKeyOfMs(range.EndsAfter),
                     DayKeyOfMs(range.StartsBy)});
  // Per name: the day key of the row's value; kAbsent without the attribute, kUnread when its
  // value is not a day, kUnlooked until looked up.
  constexpr std::uint32_t kAbsent = 0, kUnread = 1, kUnlooked = 2;
  std::vector<std::uint32_t> days(names.size());
  auto keep = [&](const TPacketRowText& row) {
    std::fill(days.begin(), days.end(), kUnlooked);
    auto day = [&](size_t name) {
      if (days[name] == kUnlooked) {
        const std::optional<std::string_view> value = row.ValueOnwards(names[name]);
        const std::optional<std::uint32_t> key = value ? StampDayKey(*value) : std::nullopt;
        days[name] = !value ? kAbsent : key ? *key : kUnread;
      }
      return days[name];
    };
    for (const TLook& look : looks) {
      // The start first: it is often looked up already, and a row starting later is out whatever
      // its field holds.
      if (look.Start != SIZE_MAX && day(look.Start) > kUnlooked && day(look.Start) > look.StartsBy) continue;
      const std::uint32_t key = day(look.Field);
      if (key == kAbsent) continue;
      if (key == kUnread) return true;
      if (key < look.From || key > look.To) continue;
      if (look.End == SIZE_MAX || key >= look.EndsAfter) return true;
      const std::uint32_t end = day(look.End);
      if (end <= kUnlooked || end >= look.EndsAfter) return true;
    }
    return false;
  };
  OpenOn(keep);
  PartRanges_ = std::move(ranges);
}

void TDataTable::OpenExcerpt(const TPacketRowChoice& keep) {
  if (Active()) return;
  OpenOn(keep);
  Excerpt_ = true;
}

void TDataTable::OpenOn(const TPacketRowChoice& keep) {
  const TFileSignature signature = FileSignatureOf(FileName_);
  TFieldDefs fields;
  TRowStore rows;
  ReadFile(fields, rows, keep);
  TakeRows(std::move(fields), std::move(rows));
  ReadSignature_ = signature;
  PiecesSignature_ = TFileSignature();  // the rows' pieces lie in the part, not in the file
  State_ = dsBrowse;
  Unsaved_ = false;
  First();
}

void TDataTable::ReadWhole() {
  if (Partial() && !Excerpt_) AdoptWhole(ReadWholeApart());
}

TDataTable::TWholeRead TDataTable::ReadWholeApart() const {
  TWholeRead read;
  read.Signature = FileSignatureOf(FileName_);
  ReadFile(read.Fields, read.Rows);
  return read;
}

bool TDataTable::TakeWhole(TWholeRead&& read) {
  if (!Partial() || Excerpt_ || State_ != dsBrowse || !(read.Signature == ReadSignature_)) return false;
  AdoptWhole(std::move(read));
  return true;
}

void TDataTable::AdoptWhole(TWholeRead&& read) {
  // The filter knows the fields by position: one made for another layout is dropped.
  if (read.Fields != Fields_) {
    Filtered_ = false;
    Ranges_.clear();
  }
  PartRanges_.clear();
  TakeRows(std::move(read.Fields), std::move(read.Rows));
  ReadSignature_ = read.Signature;
  PiecesSignature_ = read.Signature;
  First();
}

void TDataTable::RequireWhole() {
  if (Partial() && !Excerpt_ && State_ == dsBrowse) ReadWhole();
}

void TDataTable::RequireNoPart() const {
  // The cursor's row, or the positions given, are those of the part: reading the whole file now
  // would move them.
  if (Partial()) Fail("holds only part of \"" + FileName_ + "\" (find the row with Locate first)");
}

bool TDataTable::PartHolds(const std::vector<TFieldRange>& ranges) const {
  if (Excerpt_) return true;
  if (ranges.empty()) return false;
  for (const TFieldRange& range : ranges) {
    if (range.Field < 0 || static_cast<size_t>(range.Field) >= Fields_.size()) return false;
    const std::string& name = Fields_[static_cast<size_t>(range.Field)].Name;
    const bool held = std::any_of(PartRanges_.begin(), PartRanges_.end(), [&](const TNamedRange& part) {
      return part.Field == name && DayOfMs(part.From) <= DayOfMs(range.From) && DayOfMs(range.To) <= DayOfMs(part.To);
    });
    if (!held) return false;
  }
  return true;
}

bool TDataTable::ReadAgainIfChanged(bool retryUnreadable) {
  if (State_ != dsBrowse || !BatchMarks_.empty() || Excerpt_) return false;
  const TFileSignature signature = FileSignatureOf(FileName_);
  if (signature == ReadSignature_) return false;
  if (!retryUnreadable && signature == UnreadableSignature_) return false;
  // Rows not yet written would be lost under the other writer's; they are never dropped silently.
  if (Unsaved_) Fail("has changes not yet written, and another program replaced \"" + FileName_ + "\"");
  TFieldDefs fields;
  TRowStore rows;
  try {
    ReadFile(fields, rows);
  } catch (...) {
    UnreadableSignature_ = signature;
    throw;
  }
  // A filter knows the fields by position: one made for another layout is dropped, and whoever
  // filters sets it again.
  if (fields != Fields_) {
    Filtered_ = false;
    Ranges_.clear();
  }
  PartRanges_.clear();
  TakeRows(std::move(fields), std::move(rows));
  ReadSignature_ = signature;
  PiecesSignature_ = signature;
  First();
  return true;
}

void TDataTable::Close() {
  if (!Active()) return;
  if (State_ != dsBrowse) Cancel();
  if (Unsaved_) WriteFile();
  Store_.SetFields(Fields_);
  DayIndexes_.clear();
  RowsMoved();
  Candidates_.clear();
  CandidateRowsKept_ = false;
  PartRanges_.clear();
  Excerpt_ = false;
  State_ = dsInactive;
  Current_ = 0;
  BatchMarks_.clear();
  BatchLog_.clear();
}

void TDataTable::WriteFile() { Write(BatchLog_.empty()); }

bool TDataTable::Assemble(std::string& text, std::vector<std::uint64_t>& offsets, bool copyPieces) const {
  // The file as the pieces know it, when it is still that version; the rows without a piece are
  // rendered first, so that the text is put together in one buffer of its exact size.
  bool pieces = false;
  for (const TRow& row : Stored()) pieces = pieces || row.PieceLength > 0;
  const TFileVersionReader file(FileName_, copyPieces && pieces ? PiecesSignature_ : TFileSignature());
  auto copied = [&](const TRow& row) { return file.IsOpen() && row.PieceLength > 0; };
  std::string rendered;
  std::vector<size_t> renderedEnds;
  const std::string head = Format_.Head(Fields_);
  const std::string tail = Format_.Tail();
  size_t size = head.size() + tail.size();
  for (const TRow& row : Stored()) {
    if (copied(row)) {
      size += static_cast<size_t>(row.PieceLength);
      continue;
    }
    Format_.AppendRow(rendered, Fields_, Store_.Values(row));
    renderedEnds.push_back(rendered.size());
  }
  size += rendered.size();
  text.clear();
  text.reserve(size);
  AdviseHugePages(text.data(), text.capacity());
  text.resize(size);
  offsets.clear();
  offsets.reserve(Stored().size() + 1);
  size_t at = head.copy(text.data(), head.size());
  // Pieces that follow each other in the file are read at once.
  std::uint64_t runFrom = 0;
  size_t runAt = 0;
  size_t runLength = 0;
  bool read = true;
  auto flush = [&] {
    if (runLength > 0) read = read && file.ReadAt(runFrom, text.data() + runAt, runLength);
    runLength = 0;
  };
  size_t next = 0;
  size_t renderedAt = 0;
  for (const TRow& row : Stored()) {
    offsets.push_back(at);
    if (!copied(row)) {
      flush();
      const size_t end = renderedEnds[next++];
      at += rendered.copy(text.data() + at, end - renderedAt, renderedAt);
      renderedAt = end;
      continue;
    }
    if (runLength == 0 || runFrom + runLength != row.PieceOffset) {
      flush();
      runFrom = row.PieceOffset;
      runAt = at;
    }
    runLength += static_cast<size_t>(row.PieceLength);
    at += static_cast<size_t>(row.PieceLength);
  }
  flush();
  offsets.push_back(at);
  tail.copy(text.data() + at, tail.size());
  if (!read) return false;
  // Each copied piece must still be a row: a file changed behind its signature is not trusted.
  for (size_t row = 0; row < Stored().size(); ++row) {
    if (!copied(Stored()[row])) continue;
    const std::string_view piece(text.data() + offsets[row], offsets[row + 1] - offsets[row]);
    if (!piece.starts_with("<ROW") || !piece.ends_with("/>")) return false;
  }
  return true;
}

void TDataTable::Write(bool keepPieces) {
  RequireNoPart();
  std::string text;
  std::vector<std::uint64_t> offsets;
  if (!Assemble(text, offsets, true)) Assemble(text, offsets, false);
  Writer_.ReplaceFile(FileName_, text, FileAccess_);
  Unsaved_ = false;
  // Every writer replaces the file under the folder's lock, so the file now is this table's.
  ReadSignature_ = FileSignatureOf(FileName_);
  // The rows' pieces are now those of the text written, unless an undo may still bring back rows
  // with pieces of the file before (they are then rendered), or the file is not the one written.
  if (!keepPieces || ReadSignature_.Size != static_cast<std::int64_t>(text.size())) return;
  std::vector<TRow>& rows = Store_.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::uint64_t length = offsets[i + 1] - offsets[i];
    rows[i].PieceOffset = length <= TRowStore::kMaxPieceLength ? offsets[i] : 0;
    rows[i].PieceLength = length <= TRowStore::kMaxPieceLength ? length : 0;
  }
  PiecesSignature_ = ReadSignature_;
}

void TDataTable::RequireOpen() const {
  if (!Active()) Fail("cannot perform this operation on a closed table");
}

void TDataTable::RequireRow() const {
  RequireOpen();
  if (Eof()) Fail("there is no current row");
}

// --- filter and cursor ---

void TDataTable::SetFilter(TFilter filter, std::vector<TFieldRange> ranges) {
  if (!PartHolds(ranges)) RequireWhole();
  Filter_ = std::move(filter);
  Ranges_ = std::move(ranges);
  NarrowFilter();
  if (Active()) First();
}

void TDataTable::SetFiltered(bool on) {
  if (!on) RequireWhole();
  Filtered_ = on;
  if (Active()) First();
}

// The entries ordered by day (rows of one day in any order: each is only flagged). The days of a
// table lie close together, so they are counted out rather than compared.
std::vector<TDataTable::TDayEntry> TDataTable::SortedByDay(std::vector<TDayEntry> entries) {
  if (entries.empty()) return entries;
  const auto [low, high] = std::minmax_element(entries.begin(), entries.end());
  const std::int64_t span = std::int64_t{high->Day} - low->Day + 1;
  if (span > static_cast<std::int64_t>(entries.size()) * 4 + 1024) {
    std::sort(entries.begin(), entries.end());
    return entries;
  }
  const std::int32_t first = low->Day;
  std::vector<std::uint32_t> starts(static_cast<size_t>(span) + 1, 0);
  for (const auto& entry : entries) ++starts[static_cast<size_t>(entry.Day - first) + 1];
  for (size_t day = 1; day < starts.size(); ++day) starts[day] += starts[day - 1];
  std::vector<TDayEntry> sorted(entries.size());
  for (const auto& entry : entries) sorted[starts[static_cast<size_t>(entry.Day - first)]++] = entry;
  return sorted;
}

const std::vector<TDataTable::TDayEntry>& TDataTable::DayIndex(int field) {
  for (const auto& [indexed, entries] : DayIndexes_)
    if (indexed == field) return entries;
  std::vector<TDayEntry> entries;
  entries.reserve(Stored().size());
  const size_t column = static_cast<size_t>(field);
  for (size_t row = 0; row < Stored().size(); ++row) {
    if (Store_.IsNull(Stored()[row], column)) continue;
    entries.push_back({DayOfMs(Store_.Ms(Stored()[row], column)), static_cast<std::uint32_t>(row)});
  }
  DayIndexes_.emplace_back(field, SortedByDay(std::move(entries)));
  return DayIndexes_.back().second;
}

void TDataTable::NarrowFilter() {
  Candidates_.clear();
  CandidateRows_.clear();
  CandidateRowsKept_ = false;
  if (Ranges_.empty() || Stored().empty()) return;
  for (const TFieldRange& range : Ranges_) {
    const bool dated = range.Field >= 0 && static_cast<size_t>(range.Field) < Fields_.size() &&
                       (Fields_[static_cast<size_t>(range.Field)].DataType == ftDateTime ||
                        Fields_[static_cast<size_t>(range.Field)].DataType == ftDate);
    // A range over no date field, or one that holds the day of null values, cannot be found
    // through the index: every row is asked.
    if (!dated || (range.From <= 0 && range.To > 0)) {
      Candidates_.clear();
      return;
    }
  }
  Candidates_.assign(Stored().size(), false);
  for (const TFieldRange& range : Ranges_) {
    const std::vector<TDayEntry>& index = DayIndex(range.Field);
    const auto first = std::lower_bound(index.begin(), index.end(), TDayEntry{DayOfMs(range.From), 0});
    const auto last = std::upper_bound(first, index.end(), TDayEntry{DayOfMs(range.To), 0});
    for (auto entry = first; entry != last; ++entry) {
      if (!Candidates_[entry->Row]) CandidateRows_.push_back(entry->Row);
      Candidates_[entry->Row] = true;
    }
  }
  std::sort(CandidateRows_.begin(), CandidateRows_.end());
  CandidateRowsKept_ = true;
}

void TDataTable::RowInserted(size_t row) {
  DayIndexes_.clear();
  if (row + 1 == Stored().size()) {
    AddToKeyIndexes(row);
    AddToHighest(row);
  } else {
    RowsMoved();
  }
  if (!Candidates_.empty()) Candidates_.insert(Candidates_.begin() + static_cast<std::ptrdiff_t>(row), true);
  CandidateRowsKept_ = false;
}

void TDataTable::RowRemoved(size_t row) {
  DayIndexes_.clear();
  // The last row going leaves its entries, which no longer match; the highest may have gone.
  if (row != Stored().size()) KeyIndexes_.clear();
  Highest_.clear();
  if (!Candidates_.empty()) Candidates_.erase(Candidates_.begin() + static_cast<std::ptrdiff_t>(row));
  CandidateRowsKept_ = false;
}

void TDataTable::RowChanged(size_t row, const TRow& before) {
  DayIndexes_.clear();
  AddToKeyIndexes(row);
  // A highest value that the row held before may be gone.
  std::erase_if(Highest_, [&](const auto& entry) {
    return entry.second && !Store_.IsNull(before, entry.first) && Store_.Number(before, entry.first) == *entry.second;
  });
  AddToHighest(row);
  if (!Candidates_.empty()) Candidates_[row] = true;
  CandidateRowsKept_ = false;
}

void TDataTable::RowsMoved() {
  KeyIndexes_.clear();
  Highest_.clear();
}

TDataTable::TKeyIndex& TDataTable::KeyIndex(int field) {
  for (TKeyIndex& index : KeyIndexes_)
    if (index.Field == field) return index;
  TKeyIndex& index = KeyIndexes_.emplace_back(TKeyIndex{field, {}});
  const size_t column = static_cast<size_t>(field);
  index.Rows.reserve(Stored().size());
  for (size_t row = 0; row < Stored().size(); ++row)
    if (!Store_.IsNull(Stored()[row], column))
      index.Rows.emplace(Store_.KeyHash(Stored()[row], column), static_cast<std::uint32_t>(row));
  return index;
}

void TDataTable::AddToKeyIndexes(size_t row) {
  for (TKeyIndex& index : KeyIndexes_) {
    const size_t column = static_cast<size_t>(index.Field);
    if (!Store_.IsNull(Stored()[row], column))
      index.Rows.emplace(Store_.KeyHash(Stored()[row], column), static_cast<std::uint32_t>(row));
  }
  // Entries of changed rows pile up; past twice the rows the index is built anew when next asked.
  std::erase_if(KeyIndexes_, [&](const TKeyIndex& index) { return index.Rows.size() > 2 * Stored().size() + 1024; });
}

void TDataTable::AddToHighest(size_t row) {
  for (auto& [field, highest] : Highest_) {
    if (Store_.IsNull(Stored()[row], field)) continue;
    const std::int64_t number = Store_.Number(Stored()[row], field);
    if (!highest || number > *highest) highest = number;
  }
}

bool TDataTable::Visible(size_t row) const {
  if (!Filtered_ || !Filter_) return true;
  if (!Candidates_.empty() && !Candidates_[row]) return false;
  return Filter_(TRowView(Store_, Stored()[row]));
}

size_t TDataTable::NextVisible(size_t from) const {
  // While the candidates are the ones the index gave, only they are looked at: a step through a
  // window of days costs what the window holds, not what the table holds.
  if (Filtered_ && Filter_ && CandidateRowsKept_) {
    for (auto row = std::lower_bound(CandidateRows_.begin(), CandidateRows_.end(), from); row != CandidateRows_.end();
         ++row)
      if (Filter_(TRowView(Store_, Stored()[*row]))) return *row;
    return Stored().size();
  }
  size_t row = from;
  while (row < Stored().size() && !Visible(row)) ++row;
  return row;
}

void TDataTable::Seek(size_t from) { Current_ = NextVisible(from); }

void TDataTable::First() {
  RequireOpen();
  Seek(0);
}

void TDataTable::Next() {
  RequireOpen();
  if (Current_ < Stored().size()) Seek(Current_ + 1);
}

bool TDataTable::Eof() const { return Current_ >= Stored().size(); }

bool TDataTable::IsEmpty() const { return NextVisible(0) >= Stored().size(); }

int TDataTable::RecordCount() const {
  int count = 0;
  for (size_t row = NextVisible(0); row < Stored().size(); row = NextVisible(row + 1)) ++count;
  return count;
}

bool TDataTable::Locate(const std::string& fieldName, const TFieldValue& value) {
  RequireOpen();
  RequireWhole();
  const int index = FieldIndex(fieldName);
  if (index < 0) Fail("field '" + fieldName + "' not found");
  const size_t column = static_cast<size_t>(index);
  if (const auto* number = std::get_if<std::int64_t>(&value); number && Fields_[column].DataType == ftInteger) {
    const auto [lowest, highest] = IntegerRangeOf(Fields_[column]);
    if (*number < lowest || *number > highest) return false;  // no row can hold it
  }
  const TFieldValue wanted = ValueForField(Fields_[column], value);
  if (ValueIsNull(wanted) || !Store_.IsKeyField(column)) {
    for (size_t row = 0; row < Stored().size(); ++row) {
      if (Store_.Equals(Stored()[row], column, wanted) && Visible(row)) {
        Current_ = row;
        return true;
      }
    }
    return false;
  }
  const auto [first, last] = KeyIndex(index).Rows.equal_range(TRowStore::KeyHash(wanted));
  size_t found = Stored().size();
  for (auto entry = first; entry != last; ++entry) {
    const size_t row = entry->second;
    if (row < found && row < Stored().size() && Store_.Equals(Stored()[row], column, wanted) && Visible(row))
      found = row;
  }
  if (found == Stored().size()) return false;
  Current_ = found;
  return true;
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
  RequireNoPart();
  if (Eof()) Seek(0);
  if (Eof()) {
    Append();
    return;
  }
  Buffer_ = Store_.Values(Stored()[Current_]);
  State_ = dsEdit;
}

void TDataTable::Append() {
  RequireOpen();
  if (State_ != dsBrowse) Cancel();
  RequireWhole();
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
  const TRow row = Store_.Encode(Buffer_);
  if (State_ == dsEdit) {
    undo = {TUndo::ukModified, Current_, Stored()[Current_], {}};
    Stored()[Current_] = row;
    RowChanged(Current_, undo.Old);
  } else {
    Store_.Append(row);
    Current_ = Stored().size() - 1;
    RowInserted(Current_);
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
  RequireNoPart();
  const size_t row = Current_;
  TUndo undo{TUndo::ukDeleted, row, Stored()[row], {}};
  Stored().erase(Stored().begin() + static_cast<std::ptrdiff_t>(row));
  RowRemoved(row);
  Changed(std::move(undo));
  Seek(row);
}

int TDataTable::DeleteWhere(const TFilter& selects) {
  RequireOpen();
  RequireWhole();
  return RemoveRows([&](size_t row) { return selects(TRowView(Store_, Stored()[row])); });
}

int TDataTable::DeleteRows(const std::vector<size_t>& rows) {
  RequireOpen();
  RequireNoPart();
  std::vector<bool> selected(Stored().size(), false);
  for (const size_t row : rows)
    if (row < selected.size()) selected[row] = true;
  return RemoveRows([&](size_t row) { return selected[row]; });
}

int TDataTable::RemoveRows(const std::function<bool(size_t row)>& selects) {
  if (State_ != dsBrowse) Cancel();
  // One pass that keeps the other rows, and their flags, in order.
  TUndo undo{TUndo::ukDeletedMany, 0, {}, {}};
  std::vector<TRow>& rows = Stored();
  size_t kept = 0;
  for (size_t row = 0; row < rows.size(); ++row) {
    if (selects(row)) {
      undo.Removed.emplace_back(row, rows[row]);
      continue;
    }
    if (!Candidates_.empty()) Candidates_[kept] = Candidates_[row];
    rows[kept++] = rows[row];
  }
  const int removed = static_cast<int>(undo.Removed.size());
  rows.resize(kept);
  if (!Candidates_.empty()) Candidates_.resize(kept);
  CandidateRowsKept_ = false;
  if (removed > 0) {
    DayIndexes_.clear();
    RowsMoved();
    Changed(std::move(undo));
  }
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
    Write(true);
  } catch (...) {
    Undo(undo);
    Unsaved_ = false;  // the rows are back to what the file holds
    throw;
  }
}

void TDataTable::Undo(TUndo& undo) {
  std::vector<TRow>& rows = Stored();
  const auto at = rows.begin() + static_cast<std::ptrdiff_t>(undo.Row);
  switch (undo.Kind) {
    case TUndo::ukModified: {
      const TRow before = rows[undo.Row];
      rows[undo.Row] = undo.Old;
      RowChanged(undo.Row, before);
      break;
    }
    case TUndo::ukAppended:
      rows.erase(at);
      RowRemoved(undo.Row);
      break;
    case TUndo::ukDeleted:
      rows.insert(at, undo.Old);
      RowInserted(undo.Row);
      break;
    case TUndo::ukDeletedMany: {
      // Merge the removed rows back into their places; every row is asked again.
      std::vector<TRow> merged;
      merged.reserve(rows.size() + undo.Removed.size());
      size_t next = 0;
      for (const auto& [position, row] : undo.Removed) {
        while (merged.size() < position) merged.push_back(rows[next++]);
        merged.push_back(row);
      }
      while (next < rows.size()) merged.push_back(rows[next++]);
      rows = std::move(merged);
      DayIndexes_.clear();
      RowsMoved();
      if (!Candidates_.empty()) Candidates_.assign(rows.size(), true);
      CandidateRowsKept_ = false;
      break;
    }
  }
  Current_ = std::min(undo.Row, rows.size());
}

// --- batches ---

void TDataTable::BeginBatch() {
  RequireWhole();
  BatchMarks_.push_back({BatchLog_.size(), Unsaved_});
}

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
      Write(true);  // the batch's log is dropped once the write is done
    } catch (...) {
      RollbackBatch();
      throw;
    }
  }
  BatchMarks_.clear();
  BatchLog_.clear();
}
