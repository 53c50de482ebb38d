#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value codings of address-book cards: transfer encodings, character sets and escapes.

// Decodes quoted-printable text ("=C3=91"; a "=" at the end is a soft break). Nothing for a
// malformed escape.
std::optional<std::string> DecodeQuotedPrintable(std::string_view text);
// Decodes base64, blanks and line breaks aside. A last digit that makes no whole byte is dropped:
// writers have been seen to cut pictures short. Nothing for other characters.
std::optional<std::string> DecodeBase64(std::string_view text);

// The single-byte text in ISO-8859-1 / Latin-1, Windows-1252 or US-ASCII converted to UTF-8.
// Nothing for another set.
std::optional<std::string> ConvertToUtf8(std::string_view text, std::string_view charset);
bool IsValidUtf8(std::string_view text);
// The text with each faulty UTF-8 sequence replaced by U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view text);

// Splits a value at the separator where it is not escaped by a backslash; the parts keep their
// escapes.
std::vector<std::string_view> SplitUnescaped(std::string_view value, char separator);
// Resolves the escapes "\n" "\N" (line break), "\," "\;" "\:" and "\\"; another backslash stays.
std::string Unescape(std::string_view value);
// Escapes backslashes, commas, semicolons and line breaks (CR LF, CR or LF become "\n"); other
// control characters, which no card may hold, are left out.
std::string Escape(std::string_view text);

// A byte below 32 but tab, CR and LF, or 127.
bool IsControlCharacter(char c);
