#include "store/packet_rows.h"

#include <algorithm>
#include <cstring>

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

// Where the text holds the name from a place on: string_view::find, but with the name's last
// letter checked before the rest (names share their first letters: RecordID, ResourceID,
// RepeatCode, RepeatRangeEnd).
size_t Find(std::string_view text, std::string_view name, size_t from) {
  const size_t n = name.size();
  if (n == 0) return from <= text.size() ? from : std::string_view::npos;
  while (from + n <= text.size()) {
    const auto* hit = static_cast<const char*>(std::memchr(text.data() + from, name[0], text.size() - n + 1 - from));
    if (hit == nullptr) return std::string_view::npos;
    const size_t at = static_cast<size_t>(hit - text.data());
    if (hit[n - 1] == name[n - 1] && std::memcmp(hit, name.data(), n) == 0) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> TPacketRowText::Value(std::string_view name) const {
  // Where the row holds no single quote, every value stands in double quotes and holds none: a
  // place with an even number of double quotes before it lies between attributes, and the name
  // found there followed by ="value" is the attribute. That look is quicker than going through
  // the attributes, which is left for rows with single quotes.
  if (Text_.find('\'') == std::string_view::npos) {
    for (size_t at = Find(Text_, name, 0); at != std::string_view::npos; at = Find(Text_, name, at + 1)) {
      const size_t quotes = static_cast<size_t>(std::count(Text_.begin(), Text_.begin() + static_cast<long>(at), '"'));
      if (at == 0 || quotes % 2 != 0 || !IsSpace(Text_[at - 1])) continue;
      size_t next = SkipSpace(Text_, at + name.size());
      if (next >= Text_.size() || Text_[next] != '=') continue;
      next = SkipSpace(Text_, next + 1);
      if (next >= Text_.size() || Text_[next] != '"') return std::nullopt;
      const size_t close = Text_.find('"', next + 1);
      if (close == std::string_view::npos) return std::nullopt;
      return Text_.substr(next + 1, close - next - 1);
    }
    return std::nullopt;
  }
  TAttribute attribute;
  for (size_t at = kRowStart.size(); ReadAttribute(Text_, at, attribute); at = attribute.Next)
    if (attribute.Name == name) return attribute.Value;
  return std::nullopt;
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
    if (Keep_(TPacketRowText(row))) Part_ += row;
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
