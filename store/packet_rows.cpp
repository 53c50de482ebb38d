#include "store/packet_rows.h"

#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// One attribute of an element's text from a position after the element's name: its name and
// value, and where the text goes on after it. Stops (false) at the element's end or at anything
// that is not an attribute.
struct TAttribute {
  std::string_view Name;
  std::string_view Value;
  size_t Next = 0;
};

bool NextAttribute(std::string_view text, size_t at, TAttribute& attribute) {
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

constexpr std::string_view kRowStart = "<ROW";

}  // namespace

std::optional<std::string_view> TPacketRowText::Value(std::string_view name) const {
  TAttribute attribute;
  for (size_t at = kRowStart.size(); NextAttribute(Text_, at, attribute); at = attribute.Next)
    if (attribute.Name == name) return attribute.Value;
  return std::nullopt;
}

std::optional<std::string> DataPacketPart(std::string_view text,
                                          const std::function<bool(const TPacketRowText& row)>& keep) {
  constexpr std::string_view kRowsStart = "<ROWDATA>";
  constexpr std::string_view kRowsEnd = "</ROWDATA>";
  const size_t rowsStart = text.find(kRowsStart);
  if (rowsStart == std::string_view::npos) return std::nullopt;
  size_t at = rowsStart + kRowsStart.size();
  std::string part(text.substr(0, at));
  for (;;) {
    at = SkipSpace(text, at);
    if (text.substr(at, kRowsEnd.size()) == kRowsEnd) break;
    if (text.substr(at, kRowStart.size()) != kRowStart) return std::nullopt;
    const size_t rowStart = at;
    at += kRowStart.size();
    if (at >= text.size() || (!IsSpace(text[at]) && text[at] != '/')) return std::nullopt;
    TAttribute attribute;
    while (NextAttribute(text, at, attribute)) at = attribute.Next;
    at = SkipSpace(text, at);
    if (text.substr(at, 2) != "/>") return std::nullopt;
    at += 2;
    const std::string_view row = text.substr(rowStart, at - rowStart);
    if (keep(TPacketRowText(row))) part += row;
  }
  part += text.substr(at);
  return part;
}
