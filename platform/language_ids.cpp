#include "platform/language_ids.h"

#include "platform/ascii_text.h"

namespace {

// A language as spoken in a territory and its platform numbers. The first entry of a language is
// its principal variety. tools/make_localize.py reads this table to give each country of the
// localization file its languages, so keep one entry per line in this form.
struct TLanguageEntry {
  const char* Language;   // ISO 639-1 code
  const char* Territory;  // ISO 3166-1 alpha-2 code
  int Primary;
  int Sub;
};

// clang-format off
constexpr TLanguageEntry kLanguages[] = {
    {"af", "ZA", 0x36, 1},
    {"ar", "SA", 0x01, 1},
    {"ar", "IQ", 0x01, 2},
    {"ar", "EG", 0x01, 3},
    {"ar", "LY", 0x01, 4},
    {"ar", "DZ", 0x01, 5},
    {"ar", "MA", 0x01, 6},
    {"ar", "TN", 0x01, 7},
    {"ar", "OM", 0x01, 8},
    {"ar", "YE", 0x01, 9},
    {"ar", "SY", 0x01, 10},
    {"ar", "JO", 0x01, 11},
    {"ar", "LB", 0x01, 12},
    {"ar", "KW", 0x01, 13},
    {"ar", "AE", 0x01, 14},
    {"ar", "BH", 0x01, 15},
    {"ar", "QA", 0x01, 16},
    {"be", "BY", 0x23, 1},
    {"bg", "BG", 0x02, 1},
    {"ca", "ES", 0x03, 1},
    {"cs", "CZ", 0x05, 1},
    {"cy", "GB", 0x52, 1},
    {"da", "DK", 0x06, 1},
    {"de", "DE", 0x07, 1},
    {"de", "CH", 0x07, 2},
    {"de", "AT", 0x07, 3},
    {"de", "LU", 0x07, 4},
    {"de", "LI", 0x07, 5},
    {"el", "GR", 0x08, 1},
    {"en", "US", 0x09, 1},
    {"en", "GB", 0x09, 2},
    {"en", "AU", 0x09, 3},
    {"en", "CA", 0x09, 4},
    {"en", "NZ", 0x09, 5},
    {"en", "IE", 0x09, 6},
    {"en", "ZA", 0x09, 7},
    {"en", "JM", 0x09, 8},
    {"en", "BZ", 0x09, 10},
    {"en", "TT", 0x09, 11},
    {"en", "ZW", 0x09, 12},
    {"en", "PH", 0x09, 13},
    {"en", "IN", 0x09, 16},
    {"en", "MY", 0x09, 17},
    {"en", "SG", 0x09, 18},
    {"es", "ES", 0x0a, 3},
    {"es", "MX", 0x0a, 2},
    {"es", "GT", 0x0a, 4},
    {"es", "CR", 0x0a, 5},
    {"es", "PA", 0x0a, 6},
    {"es", "DO", 0x0a, 7},
    {"es", "VE", 0x0a, 8},
    {"es", "CO", 0x0a, 9},
    {"es", "PE", 0x0a, 10},
    {"es", "AR", 0x0a, 11},
    {"es", "EC", 0x0a, 12},
    {"es", "CL", 0x0a, 13},
    {"es", "UY", 0x0a, 14},
    {"es", "PY", 0x0a, 15},
    {"es", "BO", 0x0a, 16},
    {"es", "SV", 0x0a, 17},
    {"es", "HN", 0x0a, 18},
    {"es", "NI", 0x0a, 19},
    {"es", "PR", 0x0a, 20},
    {"es", "US", 0x0a, 21},
    {"et", "EE", 0x25, 1},
    {"eu", "ES", 0x2d, 1},
    {"fa", "IR", 0x29, 1},
    {"fi", "FI", 0x0b, 1},
    {"fo", "FO", 0x38, 1},
    {"fr", "FR", 0x0c, 1},
    {"fr", "BE", 0x0c, 2},
    {"fr", "CA", 0x0c, 3},
    {"fr", "CH", 0x0c, 4},
    {"fr", "LU", 0x0c, 5},
    {"fr", "MC", 0x0c, 6},
    {"gl", "ES", 0x56, 1},
    {"he", "IL", 0x0d, 1},
    {"hi", "IN", 0x39, 1},
    {"hr", "HR", 0x1a, 1},
    {"hu", "HU", 0x0e, 1},
    {"hy", "AM", 0x2b, 1},
    {"id", "ID", 0x21, 1},
    {"is", "IS", 0x0f, 1},
    {"it", "IT", 0x10, 1},
    {"it", "CH", 0x10, 2},
    {"ja", "JP", 0x11, 1},
    {"ka", "GE", 0x37, 1},
    {"kk", "KZ", 0x3f, 1},
    {"ko", "KR", 0x12, 1},
    {"lt", "LT", 0x27, 1},
    {"lv", "LV", 0x26, 1},
    {"mk", "MK", 0x2f, 1},
    {"ms", "MY", 0x3e, 1},
    {"ms", "BN", 0x3e, 2},
    {"mt", "MT", 0x3a, 1},
    {"nb", "NO", 0x14, 1},
    {"nl", "NL", 0x13, 1},
    {"nl", "BE", 0x13, 2},
    {"nn", "NO", 0x14, 2},
    {"pl", "PL", 0x15, 1},
    {"pt", "PT", 0x16, 2},
    {"pt", "BR", 0x16, 1},
    {"ro", "RO", 0x18, 1},
    {"ru", "RU", 0x19, 1},
    {"sk", "SK", 0x1b, 1},
    {"sl", "SI", 0x24, 1},
    {"sq", "AL", 0x1c, 1},
    {"sv", "SE", 0x1d, 1},
    {"sv", "FI", 0x1d, 2},
    {"sw", "KE", 0x41, 1},
    {"th", "TH", 0x1e, 1},
    {"tr", "TR", 0x1f, 1},
    {"uk", "UA", 0x22, 1},
    {"ur", "PK", 0x20, 1},
    {"vi", "VN", 0x2a, 1},
    {"zh", "CN", 0x04, 2},
    {"zh", "TW", 0x04, 1},
    {"zh", "HK", 0x04, 3},
    {"zh", "SG", 0x04, 4},
    {"zh", "MO", 0x04, 5},
};
// clang-format on

}  // namespace

int LanguageIdentifierOf(std::string_view localeName) {
  // language[_territory][.codeset][@modifier]; Qt and some desktops write "-" for "_".
  const std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
  const size_t separator = name.find_first_of("_-");
  const std::string_view language = name.substr(0, separator);
  const std::string_view territory = separator == std::string_view::npos ? "" : name.substr(separator + 1);
  // "no" is the older code of Norwegian Bokmål.
  const std::string_view code = SameTextAscii(language, "no") ? "nb" : language;
  const TLanguageEntry* principal = nullptr;
  for (const TLanguageEntry& entry : kLanguages) {
    if (!SameTextAscii(entry.Language, code)) continue;
    if (principal == nullptr) principal = &entry;
    if (SameTextAscii(entry.Territory, territory)) return MakeLanguageIdentifier(entry.Primary, entry.Sub);
  }
  return principal != nullptr ? MakeLanguageIdentifier(principal->Primary, principal->Sub) : 0;
}
