#include "interop/vcard/vcard_text.h"

#include <array>

#include "platform/ascii_text.h"
#include "platform/utf8.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int Base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+' || c == '-') return 62;
  if (c == '/' || c == '_') return 63;
  return -1;
}

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page leaves a byte undefined (it stands for
// itself then, as in ISO-8859-1).
constexpr std::array<char16_t, 32> kWindows1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<std::string> DecodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=') {
      out += text[i];
      continue;
    }
    if (i + 1 == text.size()) continue;  // a soft break at the very end
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  unsigned bits = 0;
  int count = 0;
  int padding = 0;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const int digit = Base64Digit(c);
    if (digit < 0 || padding > 0) return std::nullopt;
    bits = (bits << 6) | static_cast<unsigned>(digit);
    if (++count == 4) {
      out += static_cast<char>((bits >> 16) & 0xFF);
      out += static_cast<char>((bits >> 8) & 0xFF);
      out += static_cast<char>(bits & 0xFF);
      bits = 0;
      count = 0;
    }
  }
  if (padding > 2) return std::nullopt;
  if (count == 2) out += static_cast<char>((bits >> 4) & 0xFF);
  if (count == 3) {
    out += static_cast<char>((bits >> 10) & 0xFF);
    out += static_cast<char>((bits >> 2) & 0xFF);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    if (static_cast<unsigned char>(*p) < 0x80) {
      ++p;
      continue;
    }
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    if (sequence.Status != TUtf8Sequence::usOk) return false;
    p += sequence.Length;
  }
  return true;
}

std::string ReplaceInvalidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    if (sequence.Status == TUtf8Sequence::usOk) {
      out.append(p, static_cast<size_t>(sequence.Length));
    } else {
      AppendUtf8(out, 0xFFFD);
    }
    p += sequence.Length;
  }
  return out;
}

std::optional<std::string> ConvertToUtf8(std::string_view text, std::string_view charset) {
  const std::string name = UpperCaseAscii(charset);
  const bool latin1 = name == "ISO-8859-1" || name == "LATIN1" || name == "LATIN-1" || name == "ISO8859-1";
  // A text declared ASCII with bytes above 127 is in the system's code page.
  const bool windows = name == "WINDOWS-1252" || name == "CP1252" || name == "US-ASCII" || name == "ASCII";
  if (!latin1 && !windows) return std::nullopt;
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    char32_t code = byte;
    if (byte >= 0x80 && byte < 0xA0 && windows && kWindows1252High[byte - 0x80] != 0) {
      code = kWindows1252High[byte - 0x80];
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::vector<std::string_view> SplitUnescaped(std::string_view value, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\') {
      ++i;
    } else if (value[i] == separator) {
      parts.push_back(value.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(value.substr(start));
  return parts;
}

std::string Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    const char next = i + 1 < value.size() ? value[i + 1] : '\0';
    if (value[i] != '\\' || next == '\0') {
      out += value[i];
    } else if (next == 'n' || next == 'N') {
      out += '\n';
      ++i;
    } else if (next == ',' || next == ';' || next == ':' || next == '\\') {
      out += next;
      ++i;
    } else {
      out += '\\';
    }
  }
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ',' || c == ';') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (!IsControlCharacter(c)) {
      out += c;
    }
  }
  return out;
}

bool IsControlCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
}
