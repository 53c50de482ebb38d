#pragma once

#include <string>
#include <string_view>

// Letter case of text without regard to the process's locale: only the ASCII letters A-Z and a-z
// change case, every other byte (the bytes of multi-byte UTF-8 sequences included) stays as it
// is. File-format and protocol words (field types, encoding names, setting names) compare this
// way, so that a desktop locale cannot change what they match.

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCaseAscii(std::string_view text);
// Equal when ASCII letters are compared without regard to case.
bool SameTextAscii(std::string_view a, std::string_view b);
// Whether the text begins with the prefix, ASCII letters compared without regard to case.
bool StartsWithTextAscii(std::string_view text, std::string_view prefix);
// The text without the blanks (spaces, tabs, carriage returns) at its start and end.
std::string_view TrimBlanksAscii(std::string_view text);
