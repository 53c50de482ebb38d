#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "model/day_number.h"
#include "store/data_packet.h"
#include "tests/support/temporary_folder.h"

void PrintTo(const TFieldDef& field, std::ostream* out) {
  *out << field.Name << ":" << field.DataType << "(" << field.Size << ")" << (field.Required ? " required" : "")
       << (field.FileType.empty() ? "" : " as " + field.FileType + "/" + field.FileSubType);
}

namespace {

TFieldDefs SampleFields() {
  return {FieldDef("RecordID", ftInteger, 0, true), FieldDef("StartTime", ftDateTime, 0, true),
          FieldDef("Description", ftString, 255, false), FieldDef("AllDayEvent", ftBoolean, 0, false),
          FieldDef("Birthdate", ftDate, 0, false)};
}

TEST(DataPacket, WritesTheDataPacketLayout) {
  const std::vector<TRowValues> rows = {{std::int64_t{7}, EncodeDate(2024, 5, 3) + EncodeTime(10, 30),
                                         std::string("Lunch & talk\r\nroom 2"), false, std::monostate{}}};
  EXPECT_EQ(FormatDataPacket(SampleFields(), rows),
            "<?xml version=\"1.0\" standalone=\"yes\"?>\n"
            "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"RecordID\" fieldtype=\"i4\" required=\"true\"/>"
            "<FIELD attrname=\"StartTime\" fieldtype=\"dateTime\" required=\"true\"/>"
            "<FIELD attrname=\"Description\" fieldtype=\"string\" WIDTH=\"255\"/>"
            "<FIELD attrname=\"AllDayEvent\" fieldtype=\"boolean\"/>"
            "<FIELD attrname=\"Birthdate\" fieldtype=\"date\"/>"
            "</FIELDS><PARAMS/></METADATA><ROWDATA>"
            "<ROW RecordID=\"7\" StartTime=\"20240503T10:30:00000\" "
            "Description=\"Lunch &amp; talk&#013;&#010;room 2\" AllDayEvent=\"FALSE\"/>"
            "</ROWDATA></DATAPACKET>");
}

// Values at the edges of every kind, written and read back.
std::vector<TRowValues> EdgeRows() {
  return {
      {std::int64_t{1}, EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999),
       std::string("tab\there \"quoted\" 'single' <b>"), true, EncodeDate(1970, 1, 1)},
      {std::int64_t{-2147483647 - 1}, EncodeDate(1899, 12, 30), std::string("Ärzte – 日本 – 𝄞"), false,
       EncodeDate(9999, 12, 31)},
      {std::int64_t{2147483647}, EncodeDate(2000, 1, 1) + EncodeTime(0, 0, 0, 1), std::string(""), std::monostate{},
       std::monostate{}},
      {std::int64_t{3}, EncodeDate(1850, 6, 15), std::string(255, 'x'), std::monostate{}, EncodeDate(1600, 3, 1)},
  };
}

TEST(DataPacket, EveryKindOfValueComesBackAsWritten) {
  const std::vector<TRowValues> rows = EdgeRows();
  TFieldDefs fields;
  std::vector<TRowValues> read;
  ReadDataPacket(FormatDataPacket(SampleFields(), rows), fields, read);
  EXPECT_EQ(fields, SampleFields());
  ASSERT_EQ(read.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i], rows[i]);
  }
}

TEST(DataPacket, AnotherReaderSeesTheSameValues) {
  TTemporaryFolder folder;
  const std::string file = folder.File("events.xml");
  TTemporaryFolder::Write(file, FormatDataPacket(SampleFields(), EdgeRows()));
  const std::string command = std::string(KORET_PYTHON) + " " + KORET_PACKET_CHECKER + " " + file;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  ASSERT_TRUE(pipe);
  std::string output;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, n);
  EXPECT_EQ(output,
            "0 RecordID 1\n"
            "0 StartTime 20240229T23:59:59999\n"
            "0 Description tab\\x09here \"quoted\" 'single' <b>\n"
            "0 AllDayEvent TRUE\n"
            "0 Birthdate 19700101\n"
            "1 RecordID -2147483648\n"
            "1 StartTime 18991230T00:00:00000\n"
            "1 Description Ärzte – 日本 – 𝄞\n"
            "1 AllDayEvent FALSE\n"
            "1 Birthdate 99991231\n"
            "2 RecordID 2147483647\n"
            "2 StartTime 20000101T00:00:00001\n"
            "2 Description \n"
            "3 RecordID 3\n"
            "3 StartTime 18500615T00:00:00000\n"
            "3 Description " +
                std::string(255, 'x') +
                "\n"
                "3 Birthdate 16000301\n");
}

TEST(DataPacket, ReadsTablesWrittenByOtherPrograms) {
  const std::string foreign =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\r\n"
      "<DATAPACKET Version=\"2.0\">\r\n"
      "  <METADATA>\r\n"
      "    <FIELDS>\r\n"
      "      <FIELD attrname=\"RecordID\" fieldtype=\"i4\" required=\"true\" readonly=\"true\"/>\r\n"
      "      <FIELD attrname=\"Notes\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\" WIDTH=\"1024\"/>\r\n"
      "      <FIELD attrname=\"Name\" fieldtype=\"string.uni\" WIDTH=\"100\"/>\r\n"
      "      <FIELD attrname=\"Small\" fieldtype=\"i2\"/>\r\n"
      "      <FIELD attrname=\"Big\" fieldtype=\"i8\"/>\r\n"
      "      <FIELD attrname=\"Ratio\" fieldtype=\"r8\"/>\r\n"
      "      <FIELD attrname=\"Picture\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>\r\n"
      "      <FIELD attrname=\"Odd\" fieldtype=\"x.custom\"/>\r\n"
      "    </FIELDS>\r\n"
      "  </METADATA>\r\n"
      "  <ROWDATA>\r\n"
      "    <ROW RowState=\"4\" RecordID=\"1\" Notes=\"line one&#013;&#010;line two\" Name=\"M\xFCller\" "
      "Small=\"-3\"/>\r\n"
      "    <ROW RowState=\"2\" RecordID=\"2\" Name=\"gone\"/>\r\n"
      "    <ROW RowState=\"1\" RecordID=\"3\" Name=\"old\" Big=\"9000000000\" Ratio=\"0.25\" Picture=\"0A0B\" "
      "Odd=\"kept\"/>\r\n"
      "    <ROW RowState=\"8\" Name=\"new\"/>\r\n"
      "  </ROWDATA>\r\n"
      "</DATAPACKET>\r\n";
  TFieldDefs fields;
  std::vector<TRowValues> rows;
  ReadDataPacket(foreign, fields, rows);
  ASSERT_EQ(fields.size(), 8u);
  EXPECT_EQ(fields[1].DataType, ftMemo);
  EXPECT_EQ(fields[2].DataType, ftString);
  EXPECT_EQ(fields[2].Size, 50) << "a wide string's width counts two bytes a character";
  EXPECT_EQ(fields[3].DataType, ftInteger);
  EXPECT_EQ(fields[5].DataType, ftFloat);
  EXPECT_EQ(fields[6].FileSubType, "Graphics");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], TFieldValue(std::string("line one\r\nline two")));
  EXPECT_EQ(rows[0][2], TFieldValue(std::string("Müller")));
  EXPECT_EQ(rows[0][3], TFieldValue(std::int64_t{-3}));
  EXPECT_EQ(rows[1][0], TFieldValue(std::int64_t{3}));
  EXPECT_EQ(rows[1][2], TFieldValue(std::string("new")));
  EXPECT_EQ(rows[1][4], TFieldValue(std::int64_t{9000000000}));
  EXPECT_EQ(rows[1][5], TFieldValue(0.25));

  // Rewriting keeps the other program's types.
  const std::string rewritten = FormatDataPacket(fields, rows);
  EXPECT_NE(rewritten.find("fieldtype=\"string.uni\""), std::string::npos);
  EXPECT_NE(rewritten.find("fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\""), std::string::npos);
  EXPECT_NE(rewritten.find("<FIELD attrname=\"Odd\" fieldtype=\"x.custom\"/>"), std::string::npos)
      << "a type of its own is kept as it was, as text";
  TFieldDefs again;
  std::vector<TRowValues> rowsAgain;
  ReadDataPacket(rewritten, again, rowsAgain);
  EXPECT_EQ(again, fields);
  EXPECT_EQ(rowsAgain, rows);
}

struct TBadPacket {
  const char* Name;
  std::string Text;
  const char* Message;  // a part of the error message
};

class DataPacketRefuses : public ::testing::TestWithParam<TBadPacket> {};

TEST_P(DataPacketRefuses, WithAMessageSayingWhy) {
  TFieldDefs fields;
  std::vector<TRowValues> rows;
  try {
    ReadDataPacket(GetParam().Text, fields, rows);
    FAIL() << "read without error";
  } catch (const EDataTableError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().Message), std::string::npos) << e.what();
  }
}

const std::string kFields =
    "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"RecordID\" fieldtype=\"i4\"/><FIELD attrname=\"StartTime\" fieldtype=\"dateTime\"/>"
    "<FIELD attrname=\"Done\" fieldtype=\"boolean\"/>"
    "</FIELDS></METADATA><ROWDATA>";

INSTANTIATE_TEST_SUITE_P(
    Cases, DataPacketRefuses,
    ::testing::Values(
        TBadPacket{"Empty", "", "Line"}, TBadPacket{"NotXml", "RecordID,StartTime\n1,2\n", "Line"},
        TBadPacket{"OtherDocument", "<Formats/>", "not a table"},
        TBadPacket{"NoFields", "<DATAPACKET/>", "no field definitions"},
        TBadPacket{"Truncated", kFields + "<ROW RecordID=\"1\"/></ROWDA", "Line"},
        TBadPacket{"BadInteger", kFields + "<ROW RecordID=\"x1\"/></ROWDATA></DATAPACKET>",
                   "\"x1\" is not a valid integer for field \"RecordID\""},
        TBadPacket{"HugeInteger", kFields + "<ROW RecordID=\"99999999999999999999\"/></ROWDATA></DATAPACKET>",
                   "is not a valid integer"},
        // Wrapped to 32 bits these would read as 1 and as 2147483647.
        TBadPacket{"IdPastFourBytes",
                   kFields + "<ROW RecordID=\"1\"/><ROW RecordID=\"4294967297\"/></ROWDATA></DATAPACKET>",
                   "row 2: \"4294967297\" is outside the range -2147483648 to 2147483647 for field \"RecordID\""},
        TBadPacket{"IdBelowFourBytes", kFields + "<ROW RecordID=\"-2147483649\"/></ROWDATA></DATAPACKET>",
                   "row 1: \"-2147483649\" is outside the range"},
        TBadPacket{"SmallTypeOverflows",
                   "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"N\" fieldtype=\"ui1\"/></FIELDS></METADATA>"
                   "<ROWDATA><ROW N=\"255\"/><ROW N=\"256\"/></ROWDATA></DATAPACKET>",
                   "row 2: \"256\" is outside the range 0 to 255 for field \"N\""},
        TBadPacket{"BadDate", kFields + "<ROW StartTime=\"20240231T10:00:00000\"/></ROWDATA></DATAPACKET>",
                   "is not a valid date-time for field \"StartTime\""},
        TBadPacket{"BadTime", kFields + "<ROW StartTime=\"20240201T25:00:00000\"/></ROWDATA></DATAPACKET>",
                   "is not a valid date-time"},
        TBadPacket{"BadBoolean", kFields + "<ROW Done=\"yes\"/></ROWDATA></DATAPACKET>", "is not a valid boolean"},
        TBadPacket{"UnnamedField",
                   "<DATAPACKET><METADATA><FIELDS><FIELD fieldtype=\"i4\"/></FIELDS></METADATA></DATAPACKET>",
                   "a field has no name"},
        TBadPacket{"DoubleField",
                   "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"A\" fieldtype=\"i4\"/>"
                   "<FIELD attrname=\"a\" fieldtype=\"i4\"/></FIELDS></METADATA></DATAPACKET>",
                   "defined twice"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DataPacket, EveryCutShortFileIsRefused) {
  const std::string whole = FormatDataPacket(SampleFields(), EdgeRows());
  for (size_t length = 0; length < whole.size(); ++length) {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    EXPECT_THROW(ReadDataPacket(std::string_view(whole).substr(0, length), fields, rows), EDataTableError)
        << "length " << length;
  }
}

}  // namespace
