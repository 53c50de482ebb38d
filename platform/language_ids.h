#pragma once

#include <string_view>

// The platform's numbers for languages: a language identifier holds the primary language in its
// low 10 bits and the sub-language (the language as spoken in one country) in bits 10 to 15.
constexpr int MakeLanguageIdentifier(int primary, int sub) { return (sub << 10) | primary; }

// The language identifier of a locale name as the desktop gives it: an ISO 639 language code,
// optionally a territory code, code set and modifier ("de_AT.UTF-8", "pt-BR", "fr", "sr@latin").
// A territory the table does not list for the language gives the language's principal variety
// (as does a name without territory); 0 for a language the table does not list, "C" and "POSIX".
int LanguageIdentifierOf(std::string_view localeName);
