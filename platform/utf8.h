#pragma once

#include <string>
#include <string_view>
#include <vector>

// UTF-8 text: the one strict decoder, the encoder, and cutting text into whole code points.

// Result of decoding one UTF-8 sequence.
struct TUtf8Sequence {
  enum TStatus {
    usOk,           // Value holds the code point, Length its byte count (1 to 4)
    usBadlyFormed,  // not a shortest-form encoding of a scalar value: bad lead or continuation
                    // byte, overlong form, encoded surrogate, value above 0x10FFFF
    usTruncated     // the sequence is cut short by the end of the bytes
  };
  TStatus Status = usOk;
  char32_t Value = 0;
  // The bytes the sequence takes, at least 1. A faulty sequence takes its bytes up to the first
  // one that does not fit it (all of them when only the decoded value is wrong).
  int Length = 0;
};

// Decodes the sequence starting at p (p < end).
TUtf8Sequence DecodeUtf8(const char* p, const char* end);

// Appends the UTF-8 encoding of a scalar value (0 to 0x10FFFF, no surrogate).
void AppendUtf8(std::string& out, char32_t c);

// The byte offsets at which the text's code points start, followed by the text's length. The
// bytes of a faulty sequence count as one code point, as far as DecodeUtf8 takes them.
std::vector<size_t> CodePointStarts(std::string_view text);
// The number of code points of the text, counted as CodePointStarts does.
int CodePointCount(std::string_view text);
// The text's first count code points: nothing for a count of 0 or less, all of a shorter text.
std::string FirstCodePoints(std::string_view text, int count);
