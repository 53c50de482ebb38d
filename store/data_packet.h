#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/data_table.h"
#include "store/field_value.h"
#include "store/row_store.h"

// The XML data-packet layout of a table file:
//
//   <?xml version="1.0" standalone="yes"?>
//   <DATAPACKET Version="2.0"><METADATA><FIELDS><FIELD attrname="RecordID" fieldtype="i4"
//   required="true"/>...</FIELDS><PARAMS/></METADATA><ROWDATA><ROW RecordID="7" .../></ROWDATA>
//   </DATAPACKET>
//
// Field types: i4 (integer), string with WIDTH, boolean (TRUE/FALSE), date (yyyymmdd), dateTime
// (yyyymmddThh:nn:ssmmm), bin.hex with SUBTYPE="Text" (text of any length), r8 (float). A null is
// an absent attribute. Rows keep their order.

// The file text for a table.
std::string FormatDataPacket(const TFieldDefs& fields, const std::vector<TRowValues>& rows);

// Reads a table file, also one written by another program: a missing PARAMS, unknown attributes,
// string.uni, i2/i8/r8/fixed fields, memo fields, other encodings, and rows carrying a RowState
// (rows marked deleted are dropped, changes recorded for a row are applied to it). Raises
// EDataTableError saying where and why for anything else.
void ReadDataPacket(std::string_view bytes, TFieldDefs& fields, std::vector<TRowValues>& rows);
// The same into compact rows. Rows the file holds exactly as this program writes them know their
// piece of the bytes.
void ReadDataPacket(std::string_view bytes, TFieldDefs& fields, TRowStore& rows);

// The data-packet layout as a table format, for data tables.
class TDataPacketFormat : public TTableFormat {
 public:
  void Read(std::string_view bytes, TFieldDefs& fields, TRowStore& rows) const override {
    ReadDataPacket(bytes, fields, rows);
  }
  std::string Head(const TFieldDefs& fields) const override;
  void AppendRow(std::string& out, const TFieldDefs& fields, const TRowValues& row) const override;
  std::string Tail() const override;
  std::unique_ptr<TDataPacketPart> PartReader(TPacketRowChoice keep) const override {
    return std::make_unique<TDataPacketPart>(std::move(keep));
  }

  // The one instance the program needs.
  static const TDataPacketFormat& Instance();
};
