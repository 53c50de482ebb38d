#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Character classes of XML 1.0 and the UTF-8 helpers the parser is built on. Characters are
// Unicode code points (char32_t); text is UTF-8.

// The Char class: TAB, LF, CR, 0x20-0xD7FF, 0xE000-0xFFFD, 0x10000-0x10FFFF.
inline bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
  if (c <= 0xD7FF) return true;
  if (c < 0xE000) return false;
  if (c <= 0xFFFD) return true;
  return c >= 0x10000 && c <= 0x10FFFF;
}

// TAB, LF, CR and space.
inline bool IsXmlWhitespace(char32_t c) { return c == 0x20 || c == 0x09 || c == 0x0A || c == 0x0D; }

// Letter, "_" or ":": may start a name. Letters are the base characters and ideographs of XML 1.0.
bool IsNameStartChar(char32_t c);
// Letter, digit, ".", "-", "_", ":", combining character or extender: may continue a name.
bool IsNameChar(char32_t c);
// Characters allowed in a public identifier.
bool IsPubidChar(char32_t c);

// Result of decoding one UTF-8 sequence.
struct TUtf8Sequence {
  enum TStatus {
    usOk,         // Value holds the character, Length its byte count (1 to 4)
    usBadlyFormed,  // not a shortest-form encoding of a scalar value: bad lead or continuation
                    // byte, overlong form, encoded surrogate, value above 0x10FFFF
    usTruncated   // the sequence is cut short by the end of the bytes
  };
  TStatus Status = usOk;
  char32_t Value = 0;
  int Length = 0;
};

// Decodes the sequence starting at p (p < end).
TUtf8Sequence DecodeUtf8(const char* p, const char* end);

// Appends the UTF-8 encoding of a scalar value (0 to 0x10FFFF, no surrogate).
void AppendUtf8(std::string& out, char32_t c);
