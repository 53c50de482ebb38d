#include "store/row_store.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "model/day_number.h"
#include "platform/huge_pages.h"
#include "xml/xml_escape.h"

namespace {

constexpr size_t kChunkWords = size_t{1} << 18;  // 2 MiB, a huge page
// A text's word: whether it lies in the row's piece of the source (as written) or among the
// row's own bytes, its length and its offset from the start of either.
constexpr std::uint64_t kInSource = std::uint64_t{1} << 63;
constexpr std::uint64_t kMaxTextLength = (std::uint64_t{1} << 31) - 1;

std::uint64_t TextWord(bool inSource, std::uint64_t offset, std::uint64_t length) {
  if (length > kMaxTextLength || offset > 0xFFFFFFFFu)
    throw EDataTableError("a text of more than 2 GB cannot be kept in a table");
  return (inSource ? kInSource : 0) | (length << 32) | offset;
}

std::uint64_t BitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

}  // namespace

void TRowStore::SetFields(const TFieldDefs& fields) {
  Kinds_.clear();
  for (const TFieldDef& field : fields) {
    switch (field.DataType) {
      case ftInteger: Kinds_.push_back(kInteger); break;
      case ftBoolean: Kinds_.push_back(kBoolean); break;
      case ftFloat: Kinds_.push_back(kFloat); break;
      case ftDate:
      case ftDateTime: Kinds_.push_back(kMs); break;
      case ftString:
      case ftMemo: Kinds_.push_back(kText); break;
    }
  }
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
  ChunkFree_ = 0;
  ChunkNext_ = nullptr;
  Staged_.assign(Kinds_.size(), {});
}

void TRowStore::AdoptSource(std::string bytes) {
  OwnedSource_ = std::move(bytes);
  Source_ = OwnedSource_;
}

void TRowStore::ViewSource(std::string_view bytes) {
  OwnedSource_.clear();
  Source_ = bytes;
}

void TRowStore::ReleaseUnusedSource() {
  for (const TRow& row : Rows_)
    if (row.SourceLength > 0) return;
  OwnedSource_ = std::string();
  Source_ = {};
}

void TRowStore::ReplaceSource(std::string text, const std::vector<std::uint64_t>& offsets) {
  OwnedSource_ = std::move(text);
  Source_ = OwnedSource_;
  for (size_t i = 0; i < Rows_.size(); ++i) {
    const std::uint64_t end = i + 1 < offsets.size() ? offsets[i + 1] : offsets[i];
    const std::uint64_t length = end - offsets[i];
    // A row longer than a piece can be stays without one; its texts are its own.
    if (length > kMaxSourceLength) continue;
    Rows_[i].SourceOffset = offsets[i];
    Rows_[i].SourceLength = length;
  }
}

bool TRowStore::InSource(std::string_view text) const {
  const auto at = reinterpret_cast<std::uintptr_t>(text.data());
  const auto begin = reinterpret_cast<std::uintptr_t>(Source_.data());
  return !Source_.empty() && at >= begin && at + text.size() <= begin + Source_.size();
}

std::uint64_t* TRowStore::Allocate(size_t words) {
  if (words > ChunkFree_) {
    // Whole huge pages, filled as rows come.
    const size_t size = (std::max(kChunkWords, words) + kChunkWords - 1) / kChunkWords * kChunkWords;
    void* memory = std::aligned_alloc(kChunkWords * sizeof(std::uint64_t), size * sizeof(std::uint64_t));
    if (memory == nullptr) throw std::bad_alloc();
    AdviseHugePages(memory, size * sizeof(std::uint64_t));
    Chunks_.emplace_back(static_cast<std::uint64_t*>(memory));
    ChunkNext_ = Chunks_.back().get();
    ChunkFree_ = size;
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

std::string_view TRowStore::TextBytes(const TRow& row, std::uint64_t descriptor) const {
  const size_t offset = static_cast<size_t>(descriptor & 0xFFFFFFFFu);
  const size_t length = static_cast<size_t>((descriptor & ~kInSource) >> 32);
  if (descriptor & kInSource) return SourceOf(row).substr(offset, length);
  const char* bytes = reinterpret_cast<const char*>(row.Words + HeaderWords_ + ValueWordCount(row.Words));
  return std::string_view(bytes + offset, length);
}

std::string TRowStore::TextOf(const TRow& row, std::uint64_t descriptor) const {
  if (!(descriptor & kInSource)) return std::string(TextBytes(row, descriptor));
  std::string text;
  AppendXmlUnescaped(text, TextBytes(row, descriptor));
  return text;
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
    case kText: return TextOf(row, word);
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
  if (const auto* text = std::get_if<std::string>(&value); text && Kinds_[field] == kText) {
    // Compared where the text lies, in its written form when it lies in the row's piece.
    const std::string_view bytes = TextBytes(row, word);
    return word & kInSource ? IsXmlEscapedForm(bytes, *text) : bytes == *text;
  }
  return Value(row, field) == value;
}

// --- building ---

void TRowStore::BeginRow() {
  for (TStaged& staged : Staged_) staged = {};
  Pool_.clear();
}

void TRowStore::SetInteger(size_t field, std::int64_t value) {
  Staged_[field] = {true, static_cast<std::uint64_t>(value)};
}
void TRowStore::SetBoolean(size_t field, bool value) { Staged_[field] = {true, value ? 1u : 0u}; }
void TRowStore::SetFloat(size_t field, double value) { Staged_[field] = {true, BitsOf(value)}; }
void TRowStore::SetMs(size_t field, std::int64_t ms) { Staged_[field] = {true, static_cast<std::uint64_t>(ms)}; }

void TRowStore::SetText(size_t field, std::string_view value, std::string_view escaped) {
  TStaged staged{true, value.size()};
  if (InSource(value)) {
    staged.Text = value.data();
  } else {
    staged.PoolOffset = Pool_.size();
    Pool_ += value;
  }
  if (!escaped.empty() && InSource(escaped)) {
    staged.Escaped = escaped.data();
    staged.EscapedLength = escaped.size();
  }
  Staged_[field] = staged;
}

TRowStore::TRow TRowStore::Commit(std::string_view piece) {
  TRow row;
  const bool keepsPiece = !piece.empty() && piece.size() <= kMaxSourceLength && InSource(piece);
  if (keepsPiece) {
    row.SourceOffset = static_cast<std::uint64_t>(piece.data() - Source_.data());
    row.SourceLength = piece.size();
  }
  auto inPiece = [&](const TStaged& staged) {
    return keepsPiece && staged.Escaped != nullptr && staged.Escaped >= piece.data() &&
           staged.Escaped + staged.EscapedLength <= piece.data() + piece.size();
  };
  size_t values = 0;
  size_t textBytes = 0;
  for (size_t field = 0; field < Kinds_.size(); ++field) {
    const TStaged& staged = Staged_[field];
    if (!staged.Set || Kinds_[field] == kBoolean) continue;
    ++values;
    if (Kinds_[field] == kText && !inPiece(staged)) textBytes += static_cast<size_t>(staged.Word);
  }
  const size_t words = HeaderWords_ + values + (textBytes + 7) / 8;
  std::uint64_t* out = Allocate(words);
  std::memset(out, 0, words * sizeof *out);
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
      continue;
    }
    if (Kinds_[field] != kText) {
      out[next++] = staged.Word;
    } else if (inPiece(staged)) {
      out[next++] = TextWord(true, static_cast<std::uint64_t>(staged.Escaped - piece.data()), staged.EscapedLength);
    } else {
      const size_t length = static_cast<size_t>(staged.Word);
      if (length > 0)
        std::memcpy(texts + textOffset, staged.Text ? staged.Text : Pool_.data() + staged.PoolOffset, length);
      out[next++] = TextWord(false, textOffset, length);
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
        SetText(field, text ? std::string_view(*text) : std::string_view(ValueAsString(value)));
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
