#include "platform/utf16.h"

#include "platform/utf8.h"

std::size_t AppendUtf16AsUtf8(std::string& out, std::string_view units, bool bigEndian) {
  out.reserve(out.size() + units.size() + units.size() / 2);
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(units[i]);
    const auto second = static_cast<unsigned char>(units[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::size_t i = 0;
  for (; i + 1 < units.size(); i += 2) {
    char32_t c = unitAt(i);
    if (c >= 0xDC00 && c <= 0xDFFF) break;  // a low surrogate without its high one
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 3 >= units.size()) break;
      const char32_t low = unitAt(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) break;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(out, c);
  }
  return i;
}

std::string Utf8AsUtf16(std::string_view text, bool bigEndian) {
  std::string units;
  units.reserve(text.size() * 2);
  const auto append = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    units += bigEndian ? high : low;
    units += bigEndian ? low : high;
  };
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    const char32_t c = sequence.Status == TUtf8Sequence::usOk ? sequence.Value : 0xFFFD;
    p += sequence.Length > 0 ? sequence.Length : 1;
    if (c < 0x10000) {
      append(c);
    } else {
      append(0xD800 + ((c - 0x10000) >> 10));
      append(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return units;
}
