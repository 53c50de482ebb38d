#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/data_packet.h"

// Any bytes read as a table file: either an error, or fields and rows that write back into a
// file that reads again to the same fields and rows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFieldDefs fields;
  std::vector<TRowValues> rows;
  try {
    ReadDataPacket(std::string_view(reinterpret_cast<const char*>(data), size), fields, rows);
  } catch (const EDataTableError&) {
    return 0;
  }
  TFieldDefs again;
  std::vector<TRowValues> rowsAgain;
  ReadDataPacket(FormatDataPacket(fields, rows), again, rowsAgain);
  if (again != fields || rowsAgain != rows) __builtin_trap();
  return 0;
}
