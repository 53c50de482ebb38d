#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto sound = ReadWav(std::string_view(reinterpret_cast<const char*>(data), size));
  if (sound && !sound->Samples.empty()) {
    volatile char last = sound->Samples.back();  // the samples must lie inside the input
    (void)last;
  }
  return 0;
}
