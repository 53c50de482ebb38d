#include "xml/xml_escape.h"

#include <array>
#include <cstdint>

#include "platform/utf8.h"
#include "xml/xml_chars.h"

namespace {

// The references an attribute value is written with; the single quote's only when asked for.
constexpr char kReferenced[] = {'&', '<', '>', '"', '\'', '\t', '\n', '\r'};
constexpr std::string_view kReferences[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#009;", "&#010;", "&#013;"};

// Per ASCII character: its place in the lists plus one; 0 for a character written as itself.
constexpr std::array<std::uint8_t, 128> kReferenceIndex = [] {
  std::array<std::uint8_t, 128> index{};
  for (size_t i = 0; i < sizeof kReferenced; ++i)
    index[static_cast<size_t>(kReferenced[i])] = static_cast<std::uint8_t>(i + 1);
  return index;
}();

// The reference a character is written as; empty for one written as itself.
std::string_view ReferenceFor(char32_t c) {
  if (c >= 128 || kReferenceIndex[c] == 0) return {};
  return kReferences[kReferenceIndex[c] - 1];
}

}  // namespace

void AppendXmlEscaped(std::string& out, std::string_view text, TXmlApostrophe apostrophe) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    const std::string_view character(p, static_cast<size_t>(sequence.Length));
    p += sequence.Length;
    if (sequence.Status != TUtf8Sequence::usOk || !IsXmlChar(sequence.Value)) continue;
    const std::string_view reference = ReferenceFor(sequence.Value);
    if (reference.empty() || (sequence.Value == '\'' && apostrophe == xaAsIs)) out += character;
    else out += reference;
  }
}

bool IsXmlEscapedForm(std::string_view written, std::string_view text) {
  size_t at = 0;
  for (const char c : text) {
    const std::string_view reference = ReferenceFor(static_cast<unsigned char>(c));
    if (reference.empty()) {
      if (at >= written.size() || written[at] != c) return false;
      ++at;
    } else {
      if (written.substr(at, reference.size()) != reference) return false;
      at += reference.size();
    }
  }
  return at == written.size();
}

TXmlReference XmlReferenceAt(std::string_view text) {
  const size_t semicolon = text.empty() || text[0] != '&' ? std::string_view::npos : text.find(';');
  if (semicolon == std::string_view::npos || semicolon > 12) return {};
  const std::string_view name = text.substr(1, semicolon - 1);
  std::uint32_t c = 0;
  if (name == "amp") c = '&';
  else if (name == "lt") c = '<';
  else if (name == "gt") c = '>';
  else if (name == "quot") c = '"';
  else if (name == "apos") c = '\'';
  else if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    for (const char d : digits) {
      const int value = d >= '0' && d <= '9'          ? d - '0'
                        : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                        : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                      : -1;
      if (value < 0 || c > 0x10FFFF) return {};
      c = c * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
    }
    if (digits.empty()) return {};
  }
  if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
  return {static_cast<char32_t>(c), semicolon + 1};
}
