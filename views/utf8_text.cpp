#include "views/utf8_text.h"

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::vector<size_t> CodePointOffsets(std::string_view text) {
  std::vector<size_t> offsets;
  offsets.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i)
    if (i == 0 || !IsContinuationByte(text[i])) offsets.push_back(i);
  offsets.push_back(text.size());
  return offsets;
}

int CodePointCount(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (i == 0 || !IsContinuationByte(text[i])) ++count;
  return count;
}
