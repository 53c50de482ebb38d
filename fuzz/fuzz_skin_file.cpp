#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/core/skin/skin_file.h"

// Any bytes read as a skin file: either a clear error or a named skin, never anything else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const TSkin skin = ParseSkin(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    if (skin.Name.empty() || skin.Name.find('\n') != std::string::npos) __builtin_trap();
  } catch (const ESkinFileError&) {}
  return 0;
}
