#include "platform/unicode_text.h"

TUtf8Sequence DecodeUtf8(const char* p, const char* end) {
  const auto lead = static_cast<unsigned char>(*p);
  if (lead < 0x80) return {TUtf8Sequence::usOk, lead, 1};
  int length;
  char32_t value;
  char32_t smallest;  // the lowest value that needs this many bytes: below it the form is overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return {TUtf8Sequence::usBadlyFormed, 0, 1};  // continuation byte, C0, C1 or F5-FF
  }
  for (int i = 1; i < length; ++i) {
    if (p + i >= end) return {TUtf8Sequence::usTruncated, 0, i};
    const auto next = static_cast<unsigned char>(p[i]);
    if ((next & 0xC0) != 0x80) return {TUtf8Sequence::usBadlyFormed, 0, i};
    value = (value << 6) | (next & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return {TUtf8Sequence::usBadlyFormed, 0, length};
  return {TUtf8Sequence::usOk, value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

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
