#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/data_packet.h"
#include "store/packet_rows.h"

// Any bytes read as a table file: either an error, or fields and rows that write back into a
// file that reads again to the same fields and rows; and every row that knows its piece of the
// bytes has exactly the piece it would be written as. The quick look at the rows, keeping every
// row, either cannot tell them apart or gives a text that reads to the same fields and rows, and
// looks a name up in a row as going through its attributes does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TFieldDefs fields;
  TRowStore store;
  try {
    ReadDataPacket(bytes, fields, store);
  } catch (const EDataTableError&) {
    return 0;
  }
  std::vector<TRowValues> rows;
  std::string piece;
  for (const TRowStore::TRow& row : store.Rows()) {
    rows.push_back(store.Values(row));
    piece.clear();
    TDataPacketFormat::Instance().AppendRow(piece, fields, rows.back());
    if (row.PieceLength > 0 && bytes.substr(row.PieceOffset, row.PieceLength) != piece) __builtin_trap();
  }
  // The quick lookup of a name finds what a walk through the row's attributes finds first.
  const auto keepAll = [](const TPacketRowText& row) {
    std::string_view name, value;
    for (size_t at = 0; row.NextAttribute(at, name, value);) {
      std::string_view earlier, earlierValue;
      size_t from = 0;
      while (row.NextAttribute(from, earlier, earlierValue) && earlier != name) {}
      if (row.Value(TPacketRowName(name)) != earlierValue) __builtin_trap();
    }
    return true;
  };
  const auto part = DataPacketPart(bytes, keepAll);
  // Fed in small blocks, as a file is read, the part is the same.
  TDataPacketPart inBlocks(keepAll);
  const size_t block = 1 + size % 13;
  std::string held;
  for (size_t at = 0;; at += block) {
    const bool last = at >= size;
    held += bytes.substr(std::min(at, size), block);
    held.erase(0, inBlocks.Take(held, last));
    if (last) break;
  }
  if (std::move(inBlocks).Result() != part) __builtin_trap();
  if (part) {
    TFieldDefs partFields;
    std::vector<TRowValues> partRows;
    ReadDataPacket(*part, partFields, partRows);
    if (partFields != fields || partRows != rows) __builtin_trap();
  }
  TFieldDefs again;
  std::vector<TRowValues> rowsAgain;
  ReadDataPacket(FormatDataPacket(fields, rows), again, rowsAgain);
  if (again != fields || rowsAgain != rows) __builtin_trap();
  return 0;
}
