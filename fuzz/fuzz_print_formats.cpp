#include <cstddef>
#include <cstdint>
#include <string_view>

#include "print/print_formats_file.h"

// Any bytes read as a print formats file: reading never fails other than by its own errors, and
// what was read, once written, reads back to the very same file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TVpPrintFormats formats;
  try {
    ReadPrintFormatsDocument(formats, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", false);
  } catch (const EVpPrintFormatError&) {  // an unknown item type or measurement: what was read stays
  }
  const std::string written = PrintFormatsDocument(formats);
  TVpPrintFormats again;
  if (!ReadPrintFormatsDocument(again, written, "written", false).empty()) __builtin_trap();
  if (PrintFormatsDocument(again) != written) __builtin_trap();
  return 0;
}
