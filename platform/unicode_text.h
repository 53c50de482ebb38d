#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between the encodings of text files: UTF-8, which the program holds text in, and
// UTF-16 in either byte order.

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

// Appends the UTF-8 text of UTF-16 units (two bytes each, in the given byte order) up to the
// first unit that cannot be decoded (an unpaired surrogate, an odd last byte). Returns the number
// of bytes decoded, Units.size() when all of them were.
std::size_t AppendUtf16AsUtf8(std::string& out, std::string_view units, bool bigEndian);

// The UTF-16 units of UTF-8 text, in the given byte order; a byte that is not UTF-8 becomes
// U+FFFD.
std::string Utf8AsUtf16(std::string_view text, bool bigEndian);
