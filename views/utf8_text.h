#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Helpers that let text be cut and counted by whole code points of its UTF-8 encoding. A code
// point starts at every byte that is not a continuation byte (10xxxxxx), so a valid multi-byte
// character is never split; a stray continuation byte stays with the character before it.

// The byte offset where each code point starts, followed by the text's length in bytes: code
// point i spans [offsets[i], offsets[i + 1]), and offsets.size() - 1 is the number of code points.
std::vector<size_t> CodePointOffsets(std::string_view text);

int CodePointCount(std::string_view text);
