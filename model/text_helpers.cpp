#include "model/text_helpers.h"

#include <algorithm>

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the sequence a lead byte announces; 1 for anything that cannot lead one.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::vector<size_t> CodePointStarts(std::string_view text) {
  std::vector<size_t> starts;
  size_t i = 0;
  while (i < text.size()) {
    starts.push_back(i);
    const size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
    size_t next = i + 1;
    while (next < i + length && next < text.size() &&
           IsContinuationByte(static_cast<unsigned char>(text[next])))
      ++next;
    i = next;
  }
  starts.push_back(text.size());
  return starts;
}

std::string UpperCaseAscii(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), UpperAscii);
  return result;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

int CodePointCount(std::string_view text) { return static_cast<int>(CodePointStarts(text).size()) - 1; }
