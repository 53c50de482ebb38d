#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text is UTF-8. Cutting works on whole code points; letter case is folded for ASCII letters only,
// every other byte compares as it is.

// The byte offsets at which the text's code points start, followed by the text's length. A stray
// byte that is not part of a well-formed sequence counts as a code point of its own.
std::vector<size_t> CodePointStarts(std::string_view text);
// The number of code points of the text, counted as CodePointStarts does.
int CodePointCount(std::string_view text);

std::string UpperCaseAscii(std::string_view text);
// Equal when ASCII letters are compared without regard to case.
bool SameTextAscii(std::string_view a, std::string_view b);
