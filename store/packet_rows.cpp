#include "store/packet_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/ascii_text.h"

namespace {

constexpr std::string_view kRowsStart = "<ROWDATA>";
constexpr std::string_view kRowsEnd = "</ROWDATA>";
constexpr std::string_view kRowStart = "<ROW";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One attribute of an element's text from a position after the element's name: its name and
// value, and where the text goes on after it. Stops (false) at the element's end or at anything
// that is not an attribute.
struct TAttribute {
  std::string_view Name;
  std::string_view Value;
  size_t Next = 0;
};

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

bool ReadAttribute(std::string_view text, size_t at, TAttribute& attribute) {
  at = SkipSpace(text, at);
  const size_t nameStart = at;
  while (at < text.size() && text[at] != '=' && !IsSpace(text[at]) && text[at] != '/' && text[at] != '>') ++at;
  if (at == nameStart) return false;
  attribute.Name = text.substr(nameStart, at - nameStart);
  at = SkipSpace(text, at);
  if (at >= text.size() || text[at] != '=') return false;
  at = SkipSpace(text, at + 1);
  if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) return false;
  const void* close = std::memchr(text.data() + at + 1, text[at], text.size() - at - 1);
  if (close == nullptr) return false;
  const size_t end = static_cast<size_t>(static_cast<const char*>(close) - text.data());
  attribute.Value = text.substr(at + 1, end - at - 1);
  attribute.Next = end + 1;
  return true;
}

// The first place from From on, before End, that holds the byte; nullptr when none. The bytes
// close by are looked at in place: most looks end there, and a call costs more than they do.
const char* FindByte(const char* from, const char* end, char byte) {
  for (const char* near = std::min(end, from + 32); from < near; ++from)
    if (*from == byte) return from;
  return from < end ? static_cast<const char*>(std::memchr(from, byte, static_cast<size_t>(end - from))) : nullptr;
}

// How many times the text holds the byte, eight bytes at a time.
size_t CountByte(std::string_view text, char byte) {
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL, kOnes = 0x0101010101010101ULL;
  const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
  size_t count = 0, at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    const std::uint64_t x = word ^ pattern;                                 // zero bytes where the byte is
    const std::uint64_t found = ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;  // 1 in each such byte
    count += static_cast<size_t>((found * kOnes) >> 56);
  }
  for (; at < text.size(); ++at) count += text[at] == byte;
  return count;
}

// How common a byte is in rows: digits, punctuation and spaces most, then letters of either case
// by how often English uses them (attribute names are English words), other bytes least.
int Commonness(char c) {
  constexpr std::string_view kLetters = "etaoinshrdlcumwfgypbvkjxqz";
  const char lower = LowerAscii(c);
  if (lower >= 'a' && lower <= 'z') return 100 - static_cast<int>(kLetters.find(lower));
  return static_cast<unsigned char>(c) >= 0x80 ? 50 : 200;
}

}  // namespace

TPacketRowName::TPacketRowName(std::string_view name) : Name_(name) {
  for (size_t at = 1; at < Name_.size(); ++at)
    if (Commonness(Name_[at]) < Commonness(Name_[Anchor_])) Anchor_ = at;
}

size_t TPacketRowName::FindIn(std::string_view text, size_t from) const {
  const size_t n = Name_.size();
  if (from > text.size() || text.size() - from < n) return std::string_view::npos;
  if (n == 0) return from;
  // Seeks the anchor letter, quickly, and compares the name around each place it stands.
  const char anchor = Name_[Anchor_];
  const char* const end = text.data() + text.size() - (n - 1 - Anchor_);
  for (const char* at = text.data() + from + Anchor_; at < end; ++at) {
    at = FindByte(at, end, anchor);
    if (at == nullptr) break;
    // Names are short: compared in place rather than through a call.
    const char* const start = at - Anchor_;
    size_t same = 0;
    while (same < n && start[same] == Name_[same]) ++same;
    if (same == n) return static_cast<size_t>(start - text.data());
  }
  return std::string_view::npos;
}

std::optional<size_t> TPacketRowText::ValueStart(const TPacketRowName& rowName) const {
  const std::string_view name = rowName.Name();
  // Where the row holds no single quote, every value stands in double quotes and holds none: a
  // place with an even number of double quotes before it lies between attributes, and the name
  // found there followed by ="value" is the attribute. That look is quicker than going through
  // the attributes, which is left for rows with single quotes.
  if (Plain_ < 0) Plain_ = Text_.find('\'') == std::string_view::npos;
  if (Plain_) {
    size_t counted = 0, quotes = 0;  // the double quotes before Counted
    for (size_t at = rowName.FindIn(Text_, 0); at != std::string_view::npos; at = rowName.FindIn(Text_, at + 1)) {
      quotes += CountByte(Text_.substr(counted, at - counted), '"');
      counted = at;
      if (at == 0 || quotes % 2 != 0 || !(IsSpace(Text_[at - 1]) || Text_[at - 1] == '"'))
        continue;  // a name follows a space, or the quote that ends a value where the parser allows it
      size_t next = SkipSpace(Text_, at + name.size());
      if (next >= Text_.size() || Text_[next] != '=') continue;
      next = SkipSpace(Text_, next + 1);
      if (next >= Text_.size() || Text_[next] != '"') return std::nullopt;
      return next + 1;
    }
    return std::nullopt;
  }
  TAttribute attribute;
  for (size_t at = kRowStart.size(); ReadAttribute(Text_, at, attribute); at = attribute.Next)
    if (attribute.Name == name) return static_cast<size_t>(attribute.Value.data() - Text_.data());
  return std::nullopt;
}

std::optional<std::string_view> TPacketRowText::Value(const TPacketRowName& name) const {
  const std::optional<size_t> start = ValueStart(name);
  if (!start) return std::nullopt;
  const char* const close = FindByte(Text_.data() + *start, Text_.data() + Text_.size(), Text_[*start - 1]);
  if (close == nullptr) return std::nullopt;
  return Text_.substr(*start, static_cast<size_t>(close - Text_.data()) - *start);
}

std::optional<std::string_view> TPacketRowText::ValueOnwards(const TPacketRowName& name) const {
  const std::optional<size_t> start = ValueStart(name);
  if (!start) return std::nullopt;
  return Text_.substr(*start);
}

bool TPacketRowText::NextAttribute(size_t& at, std::string_view& name, std::string_view& value) const {
  TAttribute attribute;
  if (!::ReadAttribute(Text_, std::max(at, kRowStart.size()), attribute)) return false;
  name = attribute.Name;
  value = attribute.Value;
  at = attribute.Next;
  return true;
}

size_t TDataPacketPart::Take(std::string_view text, bool last) {
  size_t taken = 0;
  if (Stage_ == sHead) {
    const size_t rows = text.find(kRowsStart);
    if (rows == std::string_view::npos) {
      // All but what may be the start of the rows' tag is head.
      taken = last || text.size() < kRowsStart.size() ? 0 : text.size() - kRowsStart.size();
      Part_ += text.substr(0, taken);
      if (last) Stage_ = sFailed;
      return last ? text.size() : taken;
    }
    taken = rows + kRowsStart.size();
    Part_ += text.substr(0, taken);
    Stage_ = sRows;
  }
  if (Stage_ == sRows) taken += TakeRows(text.substr(taken), last);
  if (Stage_ == sTail) {
    Part_ += text.substr(taken);
    taken = text.size();
  }
  if (last && Stage_ == sTail) Stage_ = sDone;
  else if (last || Stage_ == sFailed) Stage_ = sFailed, taken = text.size();
  return taken;
}

size_t TDataPacketPart::TakeRows(std::string_view text, bool last) {
  // Files hardly ever hold a single quote: one look at the whole block spares each row its own.
  const bool plain = std::memchr(text.data(), '\'', text.size()) == nullptr;
  size_t at = 0;
  for (;;) {
    at = SkipSpace(text, at);
    const std::string_view rest = text.substr(at);
    if (!last && rest.size() < kRowsEnd.size()) return at;
    if (rest.substr(0, kRowsEnd.size()) == kRowsEnd) {
      Stage_ = sTail;
      return at;
    }
    // The row runs to the next "<": its own end, "/>", is the last thing before it.
    const void* next = rest.size() > 1 ? std::memchr(rest.data() + 1, '<', rest.size() - 1) : nullptr;
    if (next == nullptr && !last) return at;
    std::string_view row = rest.substr(0, next ? static_cast<size_t>(static_cast<const char*>(next) - rest.data()) : 0);
    const size_t length = row.size();
    while (!row.empty() && IsSpace(row.back())) row.remove_suffix(1);
    if (row.size() < kRowStart.size() + 2 || row.substr(0, kRowStart.size()) != kRowStart ||
        !(IsSpace(row[kRowStart.size()]) || row[kRowStart.size()] == '/') || !row.ends_with("/>")) {
      Stage_ = sFailed;
      return text.size();
    }
    if (Keep_(plain ? TPacketRowText::Plain(row) : TPacketRowText(row))) Part_ += row;
    at += length;
  }
}

std::optional<std::string> TDataPacketPart::Result() && {
  if (Stage_ != sDone) return std::nullopt;
  return std::move(Part_);
}

std::optional<std::string> DataPacketPart(std::string_view text, const TPacketRowChoice& keep) {
  TDataPacketPart part(keep);
  part.Take(text, true);
  return std::move(part).Result();
}
