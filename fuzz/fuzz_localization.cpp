#include <cstddef>
#include <cstdint>
#include <string_view>

#include "xml/localization.h"

// Any bytes read as a localization file: whatever was read before an error is usable, and every
// country is found by its own name at or before its place.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TVpLocalization tables;
  tables.LoadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", false);
  const std::vector<std::string> names = tables.CountryNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const int found = tables.CountryIndexByName(names[i]);
    if (!names[i].empty() && (found < 0 || found > static_cast<int>(i))) __builtin_trap();
    (void)tables.StateNames(static_cast<int>(i));
  }
  (void)tables.CountryOfLanguage(0x0409);
  return 0;
}
