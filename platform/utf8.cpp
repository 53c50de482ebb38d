#include "platform/utf8.h"

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

std::vector<size_t> CodePointStarts(std::string_view text) {
  std::vector<size_t> starts;
  const char* const end = text.data() + text.size();
  size_t i = 0;
  while (i < text.size()) {
    starts.push_back(i);
    i += static_cast<size_t>(DecodeUtf8(text.data() + i, end).Length);
  }
  starts.push_back(text.size());
  return starts;
}

namespace {

// The byte offset just past the text's first count code points, counted as CodePointStarts does.
size_t EndOfCodePoints(std::string_view text, size_t count) {
  const char* const end = text.data() + text.size();
  size_t i = 0;
  for (; count > 0 && i < text.size(); --count) i += static_cast<size_t>(DecodeUtf8(text.data() + i, end).Length);
  return i;
}

}  // namespace

int CodePointCount(std::string_view text) {
  const char* const end = text.data() + text.size();
  int count = 0;
  for (size_t i = 0; i < text.size(); ++count) i += static_cast<size_t>(DecodeUtf8(text.data() + i, end).Length);
  return count;
}

std::string FirstCodePoints(std::string_view text, int count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, EndOfCodePoints(text, static_cast<size_t>(count))));
}
