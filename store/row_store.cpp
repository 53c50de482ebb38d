#include "store/row_store.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "model/day_number.h"
#include "platform/huge_pages.h"

namespace {

constexpr size_t kFirstChunkWords = size_t{1} << 10;  // 8 KiB
constexpr size_t kChunkWords = size_t{1} << 18;       // 2 MiB, a huge page
// A text's word: its length and its offset from the start of the row's text bytes.
constexpr std::uint64_t kMaxTextLength = 0xFFFFFFFFu;

std::uint64_t TextWord(std::uint64_t offset, std::uint64_t length) {
  if (length > kMaxTextLength || offset > 0xFFFFFFFFu)
    throw EDataTableError("a row with more than 4 GB of text cannot be kept in a table");
  return (length << 32) | offset;
}

std::uint64_t BitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

}  // namespace

TRowStore::TKind TRowStore::KindOf(TFieldType type) {
  switch (type) {
    case ftInteger: return kInteger;
    case ftBoolean: return kBoolean;
    case ftFloat: return kFloat;
    case ftDate:
    case ftDateTime: return kMs;
    case ftString:
    case ftMemo: break;
  }
  return kText;
}

void TRowStore::SetFields(const TFieldDefs& fields) {
  std::vector<TKind> kinds;
  for (const TFieldDef& field : fields) kinds.push_back(KindOf(field.DataType));
  SetKinds(std::move(kinds));
}

void TRowStore::SetKinds(std::vector<TKind> kinds) {
  Kinds_ = std::move(kinds);
  BitmapWords_ = (Kinds_.size() + 63) / 64;
  BooleanMask_.assign(BitmapWords_, 0);
  bool booleans = false;
  for (size_t i = 0; i < Kinds_.size(); ++i)
    if (Kinds_[i] == kBoolean) {
      BooleanMask_[i / 64] |= std::uint64_t{1} << (i % 64);
      booleans = true;
    }
  HeaderWords_ = BitmapWords_ * (booleans ? 2 : 1);
  Rows_.clear();
  Chunks_.clear();
  ChunkSize_ = 0;
  ChunkFree_ = 0;
  ChunkNext_ = nullptr;
  Staged_.assign(Kinds_.size(), {});
  StagedFields_.clear();
}

void TRowStore::AddField(const TFieldDef& field) {
  const TKind kind = KindOf(field.DataType);
  const size_t index = Kinds_.size();
  const bool booleans = HeaderWords_ > BitmapWords_;
  const bool fits = index % 64 != 0 && (kind != kBoolean || booleans);
  if (fits) {
    // The field's bit is clear in every row's bitmap, and it adds no value word.
    Kinds_.push_back(kind);
    if (kind == kBoolean) BooleanMask_[index / 64] |= std::uint64_t{1} << (index % 64);
    Staged_.emplace_back();
    return;
  }
  TRowStore wider;
  std::vector<TKind> kinds = Kinds_;
  kinds.push_back(kind);
  wider.SetKinds(std::move(kinds));
  wider.Rows_.reserve(Rows_.size());
  for (const TRow& row : Rows_) {
    TRowValues values = Values(row);
    values.emplace_back();
    TRow copy = wider.Encode(values);
    copy.PieceOffset = row.PieceOffset;
    copy.PieceLength = row.PieceLength;
    wider.Rows_.push_back(copy);
  }
  *this = std::move(wider);
}

std::uint64_t* TRowStore::Allocate(size_t words) {
  if (words > ChunkFree_) {
    // Chunks double from a small first one, so that small tables stay small; large ones are
    // whole huge pages, filled as rows come.
    const size_t doubled =
        std::clamp(Chunks_.empty() ? kFirstChunkWords : ChunkSize_ * 2, kFirstChunkWords, kChunkWords);
    ChunkSize_ = std::max(doubled, words);
    if (ChunkSize_ >= kChunkWords) ChunkSize_ = (ChunkSize_ + kChunkWords - 1) / kChunkWords * kChunkWords;
    const size_t bytes = ChunkSize_ * sizeof(std::uint64_t);
    void* memory =
        ChunkSize_ >= kChunkWords ? std::aligned_alloc(kChunkWords * sizeof(std::uint64_t), bytes) : std::malloc(bytes);
    if (memory == nullptr) throw std::bad_alloc();
    AdviseHugePages(memory, bytes);
    Chunks_.emplace_back(static_cast<std::uint64_t*>(memory));
    ChunkNext_ = Chunks_.back().get();
    ChunkFree_ = ChunkSize_;
  }
  std::uint64_t* start = ChunkNext_;
  ChunkNext_ += words;
  ChunkFree_ -= words;
  return start;
}

// --- reading ---

size_t TRowStore::WordIndex(const std::uint64_t* words, size_t field) const {
  size_t index = HeaderWords_;
  const size_t word = field / 64;
  for (size_t w = 0; w < word; ++w) index += static_cast<size_t>(std::popcount(words[w] & ~BooleanMask_[w]));
  const std::uint64_t below = (std::uint64_t{1} << (field % 64)) - 1;
  return index + static_cast<size_t>(std::popcount(words[word] & ~BooleanMask_[word] & below));
}

size_t TRowStore::ValueWordCount(const std::uint64_t* words) const {
  size_t count = 0;
  for (size_t w = 0; w < BitmapWords_; ++w) count += static_cast<size_t>(std::popcount(words[w] & ~BooleanMask_[w]));
  return count;
}

bool TRowStore::IsNull(const TRow& row, size_t field) const {
  return (row.Words[field / 64] & (std::uint64_t{1} << (field % 64))) == 0;
}

std::string_view TRowStore::TextOf(const TRow& row, std::uint64_t word) const {
  const char* bytes = reinterpret_cast<const char*>(row.Words + HeaderWords_ + ValueWordCount(row.Words));
  return std::string_view(bytes + (word & 0xFFFFFFFFu), static_cast<size_t>(word >> 32));
}

TFieldValue TRowStore::Value(const TRow& row, size_t field) const {
  if (IsNull(row, field)) return std::monostate{};
  if (Kinds_[field] == kBoolean)
    return (row.Words[BitmapWords_ + field / 64] & (std::uint64_t{1} << (field % 64))) != 0;
  const std::uint64_t word = row.Words[WordIndex(row.Words, field)];
  switch (Kinds_[field]) {
    case kInteger: return static_cast<std::int64_t>(word);
    case kFloat: return std::bit_cast<double>(word);
    case kMs: return FromMs(static_cast<std::int64_t>(word));
    case kText: return std::string(TextOf(row, word));
    case kBoolean: break;
  }
  return std::monostate{};
}

TRowValues TRowStore::Values(const TRow& row) const {
  TRowValues values;
  values.reserve(Kinds_.size());
  for (size_t field = 0; field < Kinds_.size(); ++field) values.push_back(Value(row, field));
  return values;
}

std::int64_t TRowStore::Number(const TRow& row, size_t field) const {
  if (IsNull(row, field)) return 0;
  if (Kinds_[field] == kInteger) return static_cast<std::int64_t>(row.Words[WordIndex(row.Words, field)]);
  return ValueAsInteger(Value(row, field), "");
}

std::int64_t TRowStore::Ms(const TRow& row, size_t field) const {
  if (IsNull(row, field)) return 0;
  if (Kinds_[field] == kMs) return static_cast<std::int64_t>(row.Words[WordIndex(row.Words, field)]);
  return ToMs(ValueAsFloat(Value(row, field), ""));
}

bool TRowStore::Equals(const TRow& row, size_t field, const TFieldValue& value) const {
  if (IsNull(row, field) || ValueIsNull(value)) return IsNull(row, field) && ValueIsNull(value);
  const std::uint64_t word = Kinds_[field] == kBoolean ? 0 : row.Words[WordIndex(row.Words, field)];
  if (const auto* integer = std::get_if<std::int64_t>(&value); integer && Kinds_[field] == kInteger)
    return static_cast<std::int64_t>(word) == *integer;
  if (const auto* text = std::get_if<std::string>(&value); text && Kinds_[field] == kText)
    return TextOf(row, word) == *text;
  return Value(row, field) == value;
}

std::size_t TRowStore::KeyHash(const TRow& row, size_t field) const {
  const std::uint64_t word = row.Words[WordIndex(row.Words, field)];
  if (Kinds_[field] == kText) return std::hash<std::string_view>()(TextOf(row, word));
  return std::hash<std::int64_t>()(static_cast<std::int64_t>(word));
}

std::size_t TRowStore::KeyHash(const TFieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return std::hash<std::string_view>()(*text);
  return std::hash<std::int64_t>()(std::get<std::int64_t>(value));
}

// --- building ---

void TRowStore::BeginRow() {
  for (const size_t field : StagedFields_) Staged_[field] = {};
  StagedFields_.clear();
  Pool_.clear();
}

void TRowStore::Stage(size_t field, const TStaged& staged) {
  if (!Staged_[field].Set) StagedFields_.push_back(field);
  Staged_[field] = staged;
}

void TRowStore::SetInteger(size_t field, std::int64_t value) {
  Stage(field, {true, static_cast<std::uint64_t>(value)});
}
void TRowStore::SetBoolean(size_t field, bool value) { Stage(field, {true, value ? 1u : 0u}); }
void TRowStore::SetFloat(size_t field, double value) { Stage(field, {true, BitsOf(value)}); }
void TRowStore::SetMs(size_t field, std::int64_t ms) { Stage(field, {true, static_cast<std::uint64_t>(ms)}); }

void TRowStore::SetText(size_t field, std::string_view value, bool lasting) {
  TStaged staged{true, value.size()};
  if (lasting) {
    staged.Text = value.data();
  } else {
    staged.PoolOffset = Pool_.size();
    Pool_ += value;
  }
  Stage(field, staged);
}

TRowStore::TRow TRowStore::Commit(std::uint64_t pieceOffset, size_t pieceLength) {
  TRow row;
  if (pieceLength > 0 && pieceLength <= kMaxPieceLength && pieceOffset <= kMaxPieceOffset) {
    row.PieceOffset = pieceOffset;
    row.PieceLength = pieceLength;
  }
  size_t values = 0;
  size_t textBytes = 0;
  for (size_t field = 0; field < Kinds_.size(); ++field) {
    const TStaged& staged = Staged_[field];
    if (!staged.Set || Kinds_[field] == kBoolean) continue;
    ++values;
    if (Kinds_[field] == kText) textBytes += static_cast<size_t>(staged.Word);
  }
  const size_t words = HeaderWords_ + values + (textBytes + 7) / 8;
  std::uint64_t* out = Allocate(words);
  if (words > 0) std::memset(out, 0, words * sizeof *out);
  char* texts = reinterpret_cast<char*>(out + HeaderWords_ + values);
  size_t next = HeaderWords_;
  size_t textOffset = 0;
  for (size_t field = 0; field < Kinds_.size(); ++field) {
    const TStaged& staged = Staged_[field];
    if (!staged.Set) continue;
    const std::uint64_t bit = std::uint64_t{1} << (field % 64);
    out[field / 64] |= bit;
    if (Kinds_[field] == kBoolean) {
      if (staged.Word != 0) out[BitmapWords_ + field / 64] |= bit;
    } else if (Kinds_[field] != kText) {
      out[next++] = staged.Word;
    } else {
      const size_t length = static_cast<size_t>(staged.Word);
      if (length > 0)
        std::memcpy(texts + textOffset, staged.Text ? staged.Text : Pool_.data() + staged.PoolOffset, length);
      out[next++] = TextWord(textOffset, length);
      textOffset += length;
    }
  }
  row.Words = out;
  return row;
}

TRowStore::TRow TRowStore::Encode(const TRowValues& values) {
  BeginRow();
  for (size_t field = 0; field < Kinds_.size() && field < values.size(); ++field) {
    const TFieldValue& value = values[field];
    if (ValueIsNull(value)) continue;
    switch (Kinds_[field]) {
      case kInteger: SetInteger(field, ValueAsInteger(value, "")); break;
      case kBoolean: SetBoolean(field, ValueAsBoolean(value, "")); break;
      case kFloat: SetFloat(field, ValueAsFloat(value, "")); break;
      case kMs: SetMs(field, ToMs(ValueAsFloat(value, ""))); break;
      case kText: {
        const auto* text = std::get_if<std::string>(&value);
        if (text) SetText(field, *text, true);
        else SetText(field, ValueAsString(value), false);
        break;
      }
    }
  }
  return Commit();
}

void TRowStore::Append(const TRow& row) {
  if (Rows_.size() == Rows_.capacity()) Rows_.reserve(Rows_.size() + std::max<size_t>(16, Rows_.size() / 8));
  Rows_.push_back(row);
}
