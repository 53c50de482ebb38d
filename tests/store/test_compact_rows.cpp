#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "model/day_number.h"
#include "store/data_packet.h"
#include "store/data_table.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"

// The compact rows of a table: every kind of value and null as it was given, pieces of the file
// kept only where they are exactly what would be written, and a filter narrowed by the index of
// days finding exactly the rows a full scan finds.
namespace {

TFieldDefs EveryKind() {
  return {FieldDef("ID", ftInteger, 0, true), FieldDef("Done", ftBoolean), FieldDef("Name", ftString, 20),
          FieldDef("Notes", ftMemo),          FieldDef("Ratio", ftFloat),  FieldDef("Day", ftDate),
          FieldDef("At", ftDateTime),         FieldDef("Late", ftBoolean)};
}

std::vector<TRowValues> EveryKindRows() {
  const TFieldValue null;
  return {
      {std::int64_t{1}, true, std::string("a"), std::string(""), 0.5, EncodeDate(2024, 2, 29),
       EncodeDate(2024, 5, 3) + EncodeTime(10, 30, 15, 999), false},
      {std::int64_t{INT32_MAX}, null, null, null, null, null, null, null},
      {std::int64_t{INT32_MIN}, false, std::string("M\xC3\xBCller & <Co> \"q\" 'a'\t\r\n"), std::string(100000, 'x'),
       -1e300, EncodeDate(1, 1, 1), EncodeDate(1850, 7, 1) - EncodeTime(23, 59, 59, 1), true},
      {std::int64_t{0}, null, std::string(">"), std::string("&amp; stays a text"), 3.0, null,
       EncodeDate(9999, 12, 31) + EncodeTime(23, 59, 59, 999), null},
  };
}

// Counts the rows the format renders.
class TCountingFormat : public TTableFormat {
 public:
  void Read(std::string_view bytes, TFieldDefs& fields, TRowStore& rows) const override {
    TDataPacketFormat::Instance().Read(bytes, fields, rows);
  }
  std::string Head(const TFieldDefs& fields) const override { return TDataPacketFormat::Instance().Head(fields); }
  void AppendRow(std::string& out, const TFieldDefs& fields, const TRowValues& row) const override {
    ++Rendered;
    TDataPacketFormat::Instance().AppendRow(out, fields, row);
  }
  std::string Tail() const override { return TDataPacketFormat::Instance().Tail(); }
  mutable int Rendered = 0;
};

class CompactRows : public ::testing::Test {
 protected:
  CompactRows() : Table_("Things", Writer_, Format_) {
    Table_.SetFileName(Folder_.File("things.xml"));
    Table_.SetWriteThrough(true);
  }
  std::string FileText() const { return TTemporaryFolder::Read(Table_.FileName()); }

  TTemporaryFolder Folder_;
  TRecordingFileWriter Writer_;
  TCountingFormat Format_;
  TDataTable Table_;
};

TEST(RowStore, EveryKindAndNullComesBackAsGiven) {
  const TFieldDefs fields = EveryKind();
  TRowStore store(fields);
  const std::vector<TRowValues> rows = EveryKindRows();
  for (const TRowValues& row : rows) store.Append(store.Encode(row));
  ASSERT_EQ(store.Size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(store.Values(store[i]), rows[i]) << "row " << i;
    for (size_t f = 0; f < fields.size(); ++f) EXPECT_EQ(store.IsNull(store[i], f), ValueIsNull(rows[i][f]));
  }
  EXPECT_EQ(store.Ms(store[0], 6), ToMs(EncodeDate(2024, 5, 3) + EncodeTime(10, 30, 15, 999)));
  EXPECT_EQ(store.Number(store[2], 0), INT32_MIN);
  EXPECT_TRUE(store.Equals(store[1], 2, TFieldValue()));
  EXPECT_FALSE(store.Equals(store[0], 2, TFieldValue()));
}

TEST(RowStore, ReadingKeepsOnlyPiecesWrittenAsThisProgramWritesThem) {
  const std::string ours = FormatDataPacket(EveryKind(), EveryKindRows());
  struct TCase {
    const char* Name;
    std::string Row;
    bool Kept;
  };
  const std::vector<TCase> cases = {
      {"ours", "<ROW ID=\"5\" Done=\"TRUE\" Name=\"a &amp; b\" At=\"20240503T10:30:00000\"/>", true},
      {"fields out of order", "<ROW Done=\"TRUE\" ID=\"5\"/>", false},
      {"two blanks", "<ROW ID=\"5\"  Done=\"TRUE\"/>", false},
      {"single quotes", "<ROW ID='5'/>", false},
      {"blank before the end", "<ROW ID=\"5\" />", false},
      {"negative zero", "<ROW ID=\"-0\"/>", false},
      {"leading zero", "<ROW ID=\"05\"/>", false},
      {"lower-case boolean", "<ROW ID=\"5\" Done=\"true\"/>", false},
      {"dashed date", "<ROW ID=\"5\" Day=\"2024-05-03\"/>", false},
      {"time on a date", "<ROW ID=\"5\" Day=\"20240503T00:00:00000\"/>", false},
      {"milliseconds after a point", "<ROW ID=\"5\" At=\"20240503T10:30:00.000\"/>", false},
      {"other reference", "<ROW ID=\"5\" Name=\"&#65;\"/>", false},
      {"raw greater-than", "<ROW ID=\"5\" Name=\"a>b\"/>", false},
      {"raw apostrophe", "<ROW ID=\"5\" Name=\"it's\"/>", false},
      {"unknown attribute", "<ROW ID=\"5\" Colour=\"red\"/>", false},
      {"no attributes", "<ROW/>", false},
  };
  const std::string head = TDataPacketFormat::Instance().Head(EveryKind());
  for (const TCase& c : cases) {
    const std::string text = head + c.Row + TDataPacketFormat::Instance().Tail();
    TFieldDefs fields;
    TRowStore store;
    ReadDataPacket(text, fields, store);
    ASSERT_EQ(store.Size(), 1u) << c.Name;
    EXPECT_EQ(store[0].PieceLength > 0, c.Kept) << c.Name;
    std::string written;
    TDataPacketFormat::Instance().AppendRow(written, fields, store.Values(store[0]));
    if (c.Kept) {
      EXPECT_EQ(text.substr(store[0].PieceOffset, store[0].PieceLength), written) << c.Name;
    }
  }
  // The whole of our own file: every row keeps its piece, and reads the same as without them.
  TFieldDefs fields;
  TRowStore store;
  ReadDataPacket(ours, fields, store);
  std::vector<TRowValues> plain;
  ReadDataPacket(ours, fields, plain);
  for (size_t i = 0; i < store.Size(); ++i) {
    EXPECT_GT(store[i].PieceLength, 0u) << "row " << i;
    EXPECT_EQ(store.Values(store[i]), plain[i]) << "row " << i;
  }
}

TEST_F(CompactRows, AChangedRowIsRenderedAndItsNeighboursCopied) {
  TTemporaryFolder::Write(Table_.FileName(), FormatDataPacket(EveryKind(), EveryKindRows()));
  Table_.Open();
  ASSERT_TRUE(Table_.Locate("ID", std::int64_t{INT32_MIN}));
  Table_.Edit();
  Table_.FieldByName("Name").SetAsString("changed");
  Table_.Post();
  EXPECT_EQ(Format_.Rendered, 1) << "only the changed row is rendered";
  std::vector<TRowValues> expected = EveryKindRows();
  expected[2][2] = std::string("changed");
  EXPECT_EQ(FileText(), FormatDataPacket(EveryKind(), expected));

  // The next write copies the changed row too, from the text written last.
  Table_.Append();
  Table_.FieldByName("ID").SetAsInteger(7);
  Table_.Post();
  EXPECT_EQ(Format_.Rendered, 2);
  expected.push_back({std::int64_t{7}, TFieldValue(), TFieldValue(), TFieldValue(), TFieldValue(), TFieldValue(),
                      TFieldValue(), TFieldValue()});
  EXPECT_EQ(FileText(), FormatDataPacket(EveryKind(), expected));
  EXPECT_EQ(Table_.Rows(), expected);
}

// The pieces are copied only from the version of the file they were read from: a file replaced
// behind the table's back gives no bytes to the table's rows.
TEST_F(CompactRows, AFileReplacedBehindTheTablesBackLendsItNoPieces) {
  TTemporaryFolder::Write(Table_.FileName(), FormatDataPacket(EveryKind(), EveryKindRows()));
  Table_.Open();
  const std::vector<TRowValues> rows = Table_.Rows();
  std::vector<TRowValues> other = EveryKindRows();
  for (TRowValues& row : other) row[2] = std::string("other writer's text, longer than ours");
  TTemporaryFolder::Write(Table_.FileName(), FormatDataPacket(EveryKind(), other));
  Table_.Append();
  Table_.FieldByName("ID").SetAsInteger(9);
  Table_.Post();
  std::vector<TRowValues> expected = rows;
  expected.push_back(Table_.Rows().back());
  EXPECT_EQ(FileText(), FormatDataPacket(EveryKind(), expected));
  EXPECT_EQ(Format_.Rendered, 5);
}

TEST_F(CompactRows, AFileFromElsewhereIsWrittenInOurFormOnTheFirstChange) {
  const std::string foreign =
      "<?xml version=\"1.0\"?>\r\n<DATAPACKET Version=\"2.0\">\r\n <METADATA><FIELDS>"
      "<FIELD attrname=\"ID\" fieldtype=\"i4\" required=\"true\"/><FIELD attrname=\"Name\" fieldtype=\"string\" "
      "WIDTH=\"20\"/><FIELD attrname=\"At\" fieldtype=\"dateTime\"/></FIELDS></METADATA>\r\n <ROWDATA>\r\n"
      "  <ROW Name='x &#x41;' ID=\"1\"/>\r\n"
      "  <ROW ID=\"2\" At=\"2024-05-03T10:30:00.500\"/>\r\n"
      "  <ROW RowState=\"4\" ID=\"3\" Name=\"new\"/>\r\n"
      "  <ROW RowState=\"8\" Name=\"renamed\"/>\r\n"
      "  <ROW ID=\"4\" Name=\"plain\"/>\r\n"
      " </ROWDATA>\r\n</DATAPACKET>\r\n";
  TTemporaryFolder::Write(Table_.FileName(), foreign);
  Table_.Open();
  const std::vector<TRowValues> read = Table_.Rows();
  ASSERT_EQ(read.size(), 4u);
  EXPECT_EQ(read[0][1], TFieldValue(std::string("x A")));
  EXPECT_EQ(read[2][1], TFieldValue(std::string("renamed")));
  Table_.Close();
  EXPECT_EQ(FileText(), foreign) << "reading never writes";

  Table_.Open();
  ASSERT_TRUE(Table_.Locate("ID", std::int64_t{4}));
  Table_.Delete();
  std::vector<TRowValues> expected(read.begin(), read.begin() + 3);
  EXPECT_EQ(FileText(), FormatDataPacket(Table_.FieldDefs(), expected));
  EXPECT_EQ(Format_.Rendered, 3) << "no row of the other program's form is copied";
}

// The filter of a window of days, narrowed through the index, against the same filter asking
// every row, over random rows (some without a value, some before 1900) and random changes.
TEST_F(CompactRows, AWindowThroughTheIndexFindsWhatAFullScanFinds) {
  const TFieldDefs fields = {FieldDef("ID", ftInteger, 0, true), FieldDef("At", ftDateTime),
                             FieldDef("Until", ftDateTime)};
  std::mt19937 random(11);
  const double base = EncodeDate(1899, 6, 1);
  auto moment = [&]() -> TFieldValue {
    if (random() % 10 == 0) return TFieldValue();
    return SnapToMs(base + static_cast<double>(random() % 1000) +
                    static_cast<double>(random() % 86400000) / 86400000.0);
  };
  std::vector<TRowValues> rows;
  for (int i = 0; i < 2000; ++i) rows.push_back({std::int64_t{i}, moment(), random() % 5 ? TFieldValue() : moment()});
  TTemporaryFolder::Write(Table_.FileName(), FormatDataPacket(fields, rows));
  Table_.Open();

  auto visible = [&](std::int64_t from, std::int64_t to, bool narrowed) {
    auto accepts = [from, to](const TRowView& row) {
      const std::int64_t at = row.Ms(1);
      return (at >= from && at < to) || (!row.IsNull(2) && row.Ms(2) >= from);
    };
    std::vector<TDataTable::TFieldRange> ranges;
    if (narrowed) ranges = {{1, from, to}, {2, from, INT64_MAX}};
    Table_.SetFilter(accepts, ranges);
    Table_.SetFiltered(true);
    std::vector<std::int64_t> ids;
    for (Table_.First(); !Table_.Eof(); Table_.Next()) ids.push_back(Table_.FieldByName("ID").AsInteger());
    return ids;
  };
  for (int round = 0; round < 30; ++round) {
    const std::int64_t from = ToMs(base + static_cast<double>(random() % 1100) - 50);
    const std::int64_t to = from + static_cast<std::int64_t>(random() % 20) * kMsPerDay + (round % 3) * 1000;
    const std::vector<std::int64_t> narrowed = visible(from, to, true);
    EXPECT_EQ(narrowed, visible(from, to, false)) << "round " << round;
    // A change under the narrowed filter: a row moved into the window, one added, one removed.
    visible(from, to, true);
    Table_.SetFiltered(false);
    ASSERT_TRUE(Table_.Locate("ID", std::int64_t{500 + static_cast<int>(random() % 1000)}));
    Table_.Edit();
    Table_.FieldByName("At").SetAsDateTime(FromMs(from));
    Table_.Post();
    Table_.Append();
    Table_.FieldByName("ID").SetAsInteger(10000 + round);
    Table_.FieldByName("At").SetAsDateTime(FromMs(to - 1));
    Table_.Post();
    Table_.First();
    Table_.Delete();
    Table_.SetFiltered(true);
    std::vector<std::int64_t> afterChanges;
    for (Table_.First(); !Table_.Eof(); Table_.Next()) afterChanges.push_back(Table_.FieldByName("ID").AsInteger());
    EXPECT_EQ(afterChanges, visible(from, to, false)) << "round " << round << " after changes";
  }
}

}  // namespace
