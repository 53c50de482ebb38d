#include <gtest/gtest.h>

#include <string>

#include "print/print_formats_file.h"
#include "print/printer.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"
#include "xml/xml_errors.h"

namespace {

TVpPrintFormatElementItem Element(const char* name, TVpItemType type) {
  TVpPrintFormatElementItem element;
  element.ElementName = name;
  element.ItemType = type;
  return element;
}

// One format with an element of every kind; the caption and shape carry values off their defaults.
TVpPrintFormatItem EveryKind() {
  TVpPrintFormatItem format;
  format.SetFormatName("All \"kinds\"");
  format.Description = "a < b & c";
  format.DayInc = -2;
  format.DayIncUnits = duWeek;
  format.Visible = false;
  for (int kind = itDayView; kind <= itContacts; ++kind) format.Elements.push_back(Element("E", TVpItemType(kind)));
  TVpPrintFormatElementItem& day = format.Elements[itDayView];
  day.Measurement = imCentimetres;
  day.Left = 12.5;
  day.Top = 0.1;
  day.Width = 1e-7;
  day.Height = 1234567.25;
  day.Rotation = ra270;
  day.DayOffset = 3;
  day.DayOffsetUnits = duYear;
  day.Visible = false;
  TVpPrintShape& shape = format.Elements[itShape].Shape;
  shape.Shape = ustBLToTRLine;
  shape.Pen = {RGB(1, 2, 3), 4, psDashDot, pmCopy};
  shape.BrushColor = 0x80000005;  // a system colour: written negative
  shape.BrushStyle = pbsDiagCross;
  TVpPrintCaption& caption = format.Elements[itCaption].Caption;
  caption.Caption = "<&\"' $Page\tA\r\nB\x01";
  caption.Font = {134, clRed, -16, "Mono & Co", fpFixed, fsBold | fsStrikeOut};
  return format;
}

}  // namespace

TEST(PrintFormatsFile, WritesEveryLineAsLaidOut) {
  TVpPrintFormatItem format = EveryKind();
  format.Elements.erase(format.Elements.begin() + itTasks, format.Elements.end());
  format.Elements.erase(format.Elements.begin() + itWeekView, format.Elements.begin() + itShape);
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<VpPrintFormats\r\n  Version = \"0.0.1\">\r\n"
      "  <PrintFormat\r\n    Name=\"All &quot;kinds&quot;\"\r\n    Description=\"a &lt; b &amp; c\"\r\n"
      "    DayIncrement=\"-2\"\r\n    Visible=\"False\"\r\n    DayIncrementUnits=\"Week\">\r\n"
      "    <Element\r\n      Name=\"E\"\r\n      Visible=\"False\"\r\n      Rotation=\"270\"\r\n"
      "      Item=\"DayView\"\r\n      Measurement=\"Centimetres\"\r\n      Left=\"12.5\"\r\n"
      "      Top=\"0.1\"\r\n      Width=\"1e-07\"\r\n      Height=\"1234567.25\"\r\n      DayOffset=\"3\"\r\n"
      "      DayOffsetUnits=\"Year\">\r\n    </Element>\r\n"
      "    <Element\r\n      Name=\"E\"\r\n      Visible=\"True\"\r\n      Rotation=\"0\"\r\n      Item=\"Shape\"\r\n"
      "      Measurement=\"Percent\"\r\n      Left=\"0\"\r\n      Top=\"0\"\r\n      Width=\"100\"\r\n"
      "      Height=\"100\"\r\n      DayOffset=\"0\"\r\n      DayOffsetUnits=\"Day\">\r\n"
      "      <Shape\r\n        Type=\"BLToTRLine\">\r\n        <Brush\r\n          Color=\"-2147483643\"\r\n"
      "          Style=\"DiagCross\"/>\r\n        <Pen\r\n          Color=\"197121\"\r\n          Style=\"DashDot\"\r\n"
      "          Width=\"4\"/>\r\n      </Shape>\r\n    </Element>\r\n"
      "    <Element\r\n      Name=\"E\"\r\n      Visible=\"True\"\r\n      Rotation=\"0\"\r\n      Item=\"Caption\"\r\n"
      "      Measurement=\"Percent\"\r\n      Left=\"0\"\r\n      Top=\"0\"\r\n      Width=\"100\"\r\n"
      "      Height=\"100\"\r\n      DayOffset=\"0\"\r\n      DayOffsetUnits=\"Day\">\r\n"
      "      <Caption\r\n        Caption=\"&lt;&amp;&quot;' $Page&#009;A&#013;&#010;B\">\r\n        <Font\r\n"
      "          CharSet=\"GB2312\"\r\n          Color=\"255\"\r\n          Height=\"-16\"\r\n"
      "          Name=\"Mono &amp; Co\"\r\n          Pitch=\"Fixed\"\r\n          Bold=\"True\"\r\n"
      "          Italic=\"False\"\r\n          Underline=\"False\"\r\n          Strikeout=\"True\"/>\r\n"
      "      </Caption>\r\n    </Element>\r\n  </PrintFormat>\r\n</VpPrintFormats>\r\n";
  EXPECT_EQ(PrintFormatsDocument({format}), expected);
}

TEST(PrintFormatsFile, ReadsBackWhatItWrote) {
  const TVpPrintFormatItem written = EveryKind();
  TVpPrintFormats read;
  EXPECT_EQ(ReadPrintFormatsDocument(read, PrintFormatsDocument({written}), "f", false), "");
  ASSERT_EQ(read.size(), 1u);
  TVpPrintFormatItem expected = written;
  expected.Elements[itCaption].Caption.Caption.pop_back();  // a control character a file cannot hold
  EXPECT_EQ(read[0], expected);
}

// A format's Monday start and a day view's day columns are written only when they are set, so a
// file without them means what it always meant, and come back as they were.
TEST(PrintFormatsFile, MondayStartAndDayColumnsAreWrittenOnlyWhenSet) {
  TVpPrintFormatItem plain;
  plain.SetFormatName("Plain");
  plain.Elements = {Element("Day", itDayView)};
  TVpPrintFormatItem week = plain;
  week.SetFormatName("Week");
  week.StartsOnMonday = true;
  week.Elements[0].DayColumns = 5;
  const std::string document = PrintFormatsDocument({plain, week});
  EXPECT_EQ(document.find("StartsOnMonday"), document.rfind("StartsOnMonday")) << "once, for the week";
  EXPECT_NE(document.find("    StartsOnMonday=\"True\"\r\n    DayIncrementUnits=\"Day\">"), std::string::npos);
  EXPECT_NE(document.find("      DayColumns=\"5\"\r\n      DayOffsetUnits=\"Day\">"), std::string::npos);
  EXPECT_EQ(PrintFormatsDocument({plain}).find("DayColumns"), std::string::npos);
  TVpPrintFormats read;
  EXPECT_EQ(ReadPrintFormatsDocument(read, document, "f", false), "");
  EXPECT_EQ(read, (TVpPrintFormats{plain, week}));
  // Texts other than True and False leave the start as it is; a count that is no number stops
  // the element's later attributes, as any number does.
  EXPECT_EQ(ReadPrintFormatsDocument(read,
                                     "<VpPrintFormats><PrintFormat Name=\"F\" StartsOnMonday=\"yes\">"
                                     "<Element DayColumns=\"x\" DayOffset=\"2\"/></PrintFormat></VpPrintFormats>",
                                     "f", false),
            "");
  EXPECT_FALSE(read.at(0).StartsOnMonday);
  EXPECT_EQ(read.at(0).Elements.at(0).DayColumns, 0);
  EXPECT_EQ(read.at(0).Elements.at(0).DayOffset, 0) << "written after the count that does not convert";
}

TEST(PrintFormatsFile, ReadsNumbersWhateverTheWritersDecimalSeparator) {
  const char* document =
      "<VpPrintFormats><PrintFormat Name=\"F\"><Element Item=\"Caption\" Left=\"12,5\" Top=\"1.5E1\" "
      "Width=\"+3\" Height=\"-0,25e-1\"/></PrintFormat></VpPrintFormats>";
  TVpPrintFormats read;
  ReadPrintFormatsDocument(read, document, "f", false);
  const TVpPrintFormatElementItem& e = read.at(0).Elements.at(0);
  EXPECT_EQ(e.Left, 12.5);
  EXPECT_EQ(e.Top, 15);
  EXPECT_EQ(e.Width, 3);
  EXPECT_EQ(e.Height, -0.025);
}

TEST(PrintFormatsFile, ReaderRules) {
  const char* document =
      "<VpPrintFormats>"
      "<Element Name=\"outside any format\"/>"
      "<PrintFormat Name=\"A\" Visible=\"yes\"><Element Name=\"a1\" Rotation=\"45\"/></PrintFormat>"
      "<PrintFormat Name=\"A\"><Element Name=\"dropped\"/></PrintFormat>"
      "<PrintFormat Name=\"\"><Element Name=\"b1\" Top=\"5\" Left=\"abc\" Width=\"7\"><Font Bold=\"yes\"/>"
      "</Element></PrintFormat>"
      "</VpPrintFormats>";
  TVpPrintFormats read;
  EXPECT_EQ(ReadPrintFormatsDocument(read, document, "f", false), "");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_TRUE(read[0].Visible);
  ASSERT_EQ(read[0].Elements.size(), 1u);  // the duplicate's element went nowhere
  EXPECT_EQ(read[0].Elements[0].Rotation, ra0);
  EXPECT_EQ(read[1].FormatName(), "Unknown");
  const TVpPrintFormatElementItem& b1 = read[1].Elements.at(0);
  EXPECT_EQ(b1.Top, 5);      // before the bad number
  EXPECT_EQ(b1.Width, 100);  // after it: not applied
  EXPECT_EQ(b1.Caption.Font.Style, 0u);
  // Appending a file whose names are there adds nothing for them.
  ReadPrintFormatsDocument(read, document, "f", true);
  EXPECT_EQ(read.size(), 2u);
}

TEST(PrintFormatsFile, FailuresKeepWhatWasRead) {
  TVpPrintFormats read;
  const std::string good = PrintFormatsDocument({EveryKind()});
  const std::string truncated = good + good.substr(0, good.find("<Element", good.find("<PrintFormat", 60)) + 30);
  // The second format's name is taken, so only the first is there; the cut ends the reading.
  const std::string error = ReadPrintFormatsDocument(read, truncated, "cut.xml", false);
  EXPECT_EQ(error.rfind("cut.xml: Line: ", 0), 0u) << error;
  EXPECT_EQ(read.size(), 1u);

  const char* badItem =
      "<VpPrintFormats><PrintFormat Name=\"B\"/><PrintFormat Name=\"C\"><Element Item=\"Clock\"/>"
      "</PrintFormat></VpPrintFormats>";
  EXPECT_THROW(
      try { ReadPrintFormatsDocument(read, badItem, "f", true); } catch (const EVpPrintFormatError& e) {
        EXPECT_STREQ(e.what(), "Invalid item type Clock");
        throw;
      },
      EVpPrintFormatError);
  EXPECT_EQ(read.size(), 3u);  // the first, B, and C with no element

  TTemporaryFolder folder;
  EXPECT_THROW(ReadPrintFormatsFile(read, folder.File("none.xml"), false), EVpParserError);
  EXPECT_EQ(read.size(), 3u);  // a missing file removes nothing
}

TEST(PrintFormatsFile, ThePrinterReplacesTheFileAndTellsItsWindows) {
  TFakeMessagePoster poster;
  TRecordingFileWriter writer;
  TVpPrinter printer(poster, writer);
  struct TWindow : TMessageTarget {
    void HandleMessage(int) override {}
  } window;
  printer.RegisterFormatWindow(window);
  printer.RegisterFormatWindow(window);
  printer.MutablePrintFormats().push_back(EveryKind());
  TTemporaryFolder folder;
  printer.SetFormatsFileName(folder.File("PrintFormats.xml"));
  printer.WriteFormatsFile("");
  EXPECT_EQ(writer.WritesOf(folder.File("PrintFormats.xml")), 1);
  EXPECT_EQ(printer.ReadFormatsFile("", false), "");
  EXPECT_EQ(printer.PrintFormats().size(), 1u);
  EXPECT_EQ(poster.Pending(), 1u);  // once per window, however often it registered
  EXPECT_THROW(printer.SetActiveFormatIndex(1), EVpPrintFormatError);
  printer.SetMargins({1, 2, 3, 4, imInches});
  printer.SetMargins({1, 2, 3, 4, imInches});
  EXPECT_EQ(poster.Pending(), 2u);
  EXPECT_THROW(printer.MutablePrintFormats()[0].SetFormatName(""), EVpPrintFormatError);
}
