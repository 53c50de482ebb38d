#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

#include "tests/support/temporary_folder.h"
#include "tests/xml/event_recorder.h"

namespace {

using TEvents = std::vector<std::string>;

std::vector<std::string> TextsOf(std::string_view document) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  EXPECT_TRUE(parser.ParseMemory(document)) << document;
  return recorder.Only("Text");
}

TEST(ParserEvents, ReportsADocumentInOrder) {
  EXPECT_EQ(EventsOf(R"(<root x="1">hi<b/>there</root>)"),
            (TEvents{"DocumentStart", "TagOpen(root)", "Attribute(x=1)", "SpaceMode(root)", "ElementStart(root)",
                     "Text(hi)", "TagOpen(b)", "SpaceMode(b)", "ElementStart(b)", "ElementEnd(b)", "Text(there)",
                     "ElementEnd(root)", "DocumentEnd"}));
}

TEST(ParserEvents, AnEmptyDocumentFailsBetweenStartAndEnd) {
  EXPECT_EQ(EventsOf(""),
            (TEvents{"DocumentStart", "DocumentEnd", "Error: Line: 1 Col: 1 Error: Expected String: '<'"}));
}

TEST(ParserEvents, ReportsPrologItemsAndTheTrailingPart) {
  EXPECT_EQ(EventsOf("\xEF\xBB\xBF  <?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n"
                     "<!-- first -->\n<!DOCTYPE doc PUBLIC \"-//K//Doc  Type//EN\" 'doc.dtd'>\n"
                     "<?style sheet?>\n<doc/>\n<!--after--><?done?>\n"),
            (TEvents{"DocumentStart", R"(Instruction(xml|version="1.0" encoding="UTF-8" standalone="yes"))",
                     "Comment( first )", "DocType(doc|-//K//Doc Type//EN|doc.dtd)", "Instruction(style|sheet)",
                     "TagOpen(doc)", "SpaceMode(doc)", "ElementStart(doc)", "ElementEnd(doc)", "Comment(after)",
                     "Instruction(done|)", "DocumentEnd"}));
}

TEST(ParserEvents, KeepsCDataExactlyAndSkipsEmptySections) {
  EXPECT_EQ(EventsOf("<a><![CDATA[ <b> &amp; \r\n x ]]><![CDATA[]]></a>"),
            (TEvents{"DocumentStart", "TagOpen(a)", "SpaceMode(a)", "ElementStart(a)", "CData( <b> &amp; \n x )",
                     "ElementEnd(a)", "DocumentEnd"}));
}

struct TTextCase {
  const char* Name;
  const char* Document;
  std::vector<std::string> Texts;
};

void PrintTo(const TTextCase& row, std::ostream* out) { *out << row.Name; }

class ParserText : public ::testing::TestWithParam<TTextCase> {};

TEST_P(ParserText, IsReportedOncePerRun) { EXPECT_EQ(TextsOf(GetParam().Document), GetParam().Texts); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ParserText,
    ::testing::Values(
        TTextCase{"CollapsedByDefault", "<a>  word   second  </a>", {"word second"}},
        TTextCase{"LineBreaksAndTabsCollapse", "<a>one\r\n\ttwo\rthree</a>", {"one two three"}},
        TTextCase{"WhitespaceOnlyRunsVanish", "<a>\n  <b/>\n  <c>x</c>\n</a>", {"x"}},
        TTextCase{"ReferencesJoinTheRun", "<a>a &amp; b</a>", {"a & b"}},
        TTextCase{"HexAndDecimalReferences", "<a>&#x4A;&#74;&#x6a;</a>", {"JJj"}},
        TTextCase{"ReferencedMarkupStaysText", "<a>&lt;b&gt;&#60;/a&#62;</a>", {"<b></a>"}},
        TTextCase{"ReferencedSpacesCollapseToo", "<a>&#32;x&#10;&#10;y&#9;</a>", {"x y"}},
        TTextCase{"CharactersAboveTheBasicPlane",
                  "<a>\xF0\x9F\x98\x80&#x1F600;&#128512;</a>",
                  {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"}},
        TTextCase{"RunsAroundChildren", "<a>one<b/>two<!--c-->three<?p?>four</a>", {"one", "two", "three", "four"}},
        TTextCase{"BracketsWithoutGreaterThan", "<a>]] ] ]]&gt; x]]</a>", {"]] ] ]]> x]]"}},
        TTextCase{
            "PreserveKeepsEverything", "<a xml:space='preserve'>  x \r\n y<b> </b>\t</a>", {"  x \n y", " ", "\t"}},
        TTextCase{"ChildrenInheritPreserve", "<a xml:space='preserve'><b> x  y </b></a>", {" x  y "}},
        TTextCase{
            "DefaultEndsPreserve", "<a xml:space='preserve'><b xml:space='default'> x  y </b> </a>", {"x y", " "}},
        TTextCase{"OtherSpaceValuesInherit", "<a xml:space='preserve'><b xml:space='keep'> x </b></a>", {" x "}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParserEvents, TheSpaceModeHandlerDecidesForTheElementAndItsChildren) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  parser.SetOnSpaceMode([](TVpParser&, std::string_view name, bool& preserve) {
    if (name == "keep") preserve = true;
  });
  ASSERT_TRUE(parser.ParseMemory("<a> x  <keep> y  <b> z </b></keep> w  </a>"));
  EXPECT_EQ(recorder.Only("Text"), (TEvents{"x", " y  ", " z ", "w"}));
}

struct TAttributeCase {
  const char* Name;
  const char* Document;
  std::string Value;  // of the attribute v
};

void PrintTo(const TAttributeCase& row, std::ostream* out) { *out << row.Name; }

class ParserAttributeValue : public ::testing::TestWithParam<TAttributeCase> {};

TEST_P(ParserAttributeValue, IsReportedAsRead) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  ASSERT_TRUE(parser.ParseMemory(GetParam().Document)) << parser.ErrorMessages().front();
  EXPECT_EQ(recorder.Only("Attribute"), TEvents{"v=" + GetParam().Value});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParserAttributeValue,
    ::testing::Values(TAttributeCase{"LineBreaksBecomeSpaces", "<a v='1\r\n2\n3\r4'/>", "1 2 3 4"},
                      TAttributeCase{"TabsAreKept", "<a v='1\t2'/>", "1\t2"},
                      TAttributeCase{"ReferencedLineFeedIsReal", "<a v='1&#10;2&#13;&#9;'/>", "1\n2\r\t"},
                      TAttributeCase{"DoubleQuoteInsideSingleQuotes", R"(<a v='say "hi"'/>)", R"(say "hi")"},
                      TAttributeCase{"SingleQuoteInsideDoubleQuotes", R"(<a v="it's"/>)", "it's"},
                      TAttributeCase{"TildeDelimiter", R"(<a v=~a"b'c~/>)", R"(a"b'c)"},
                      TAttributeCase{"ReferencedDelimiterDoesNotClose", "<a v='&apos;x&#39;'/>", "'x'"},
                      TAttributeCase{"AllPredefinedEntities", "<a v=\"&amp;&lt;&gt;&apos;&quot;\"/>", "&<>'\""},
                      TAttributeCase{"GreaterThanIsPlain", "<a v='a>b'/>", "a>b"},
                      TAttributeCase{"SpacesAroundEquals", "<a v \n= \t'x'/>", "x"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParserEvents, AttributesNeedNoWhitespaceBetweenThem) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  ASSERT_TRUE(parser.ParseMemory(R"(<a x="1"y='2'/>)"));
  EXPECT_EQ(recorder.Only("Attribute"), (TEvents{"x=1", "y=2"}));
}

TEST(ParserEvents, AStartTagReportsItsAttributesTogether) {
  // Many rewritten values make the value buffer grow while the tag is read.
  std::string document = "<row";
  TEvents expected;
  for (int i = 0; i < 200; ++i) {
    const std::string value = i % 3 ? "plain" + std::to_string(i) : "a &amp; b &#x263A; " + std::to_string(i);
    document += " f" + std::to_string(i) + "='" + value + "'";
    expected.push_back("f" + std::to_string(i) + "=" + (i % 3 ? value : "a & b \xE2\x98\xBA " + std::to_string(i)));
  }
  document += "><child k='v'/></row>";
  TVpParser parser;
  std::vector<TEvents> seen;
  const auto record = [&seen](TVpParser& sender, std::string_view) {
    TEvents attributes;
    for (const TVpXmlAttribute& a : sender.Attributes())
      attributes.push_back(std::string(a.Name) + "=" + std::string(a.Value));
    seen.push_back(attributes);
  };
  parser.SetOnElementStart(record);
  parser.SetOnElementEnd(record);
  ASSERT_TRUE(parser.ParseMemory(document));
  // row's start, child's start and (empty tag) end, row's end
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], expected);
  EXPECT_EQ(seen[1], TEvents{"k=v"});
  EXPECT_EQ(seen[2], TEvents{"k=v"});
  EXPECT_EQ(seen[3], TEvents{});
}

TEST(ParserEvents, ARepeatedAttributeIsReportedBeforeTheParseFails) {
  EXPECT_EQ(EventsOf("<a x='1' y='2' x='3'/>"),
            (TEvents{"DocumentStart", "TagOpen(a)", "Attribute(x=1)", "Attribute(y=2)", "Attribute(x=3)", "DocumentEnd",
                     "Error: Line: 1 Col: 21 Error: Attributes cannot be redefined in a start tag"}));
}

// Tags of one document share attribute names in changing orders, subsets and repeats; a repeat
// in the last tag must fail the parse whatever the tags before it held. The oracle counts names.
TEST(ParserEvents, ARepeatedAttributeIsFoundWhateverTheTagsBeforeIt) {
  const char* const names[] = {"a",
                               "b",
                               "Field",
                               "Fielt",
                               "RepeatRangeEnd",
                               "RepeatRangeEnx",
                               "RepeatXangeEnd",
                               "AlarmAdvanceTypeA",
                               "AlarmAdvanceTypeB"};
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string document = "<r>";
    bool repeated = false;
    const int tags = 1 + static_cast<int>(random() % 4);
    for (int tag = 0; tag < tags; ++tag) {
      const bool last = tag == tags - 1;
      std::vector<std::string_view> written;
      document += "<e";
      for (int count = static_cast<int>(random() % 7); count > 0; --count) {
        const std::string_view name = names[random() % std::size(names)];
        const bool again = std::find(written.begin(), written.end(), name) != written.end();
        if (again && !last) continue;  // only the last tag may repeat a name
        repeated = repeated || again;
        written.push_back(name);
        document += " " + std::string(name) + "=''";
      }
      document += "/>";
    }
    document += "</r>";
    TVpParser parser;
    EXPECT_EQ(parser.ParseMemory(document), !repeated) << document;
  }
}

TEST(ParserEvents, ProcessingInstructionTargetsAreNotReserved) {
  // Only the exact target "xml" is the declaration; "XML" and "xml-stylesheet" are instructions.
  TVpParser parser;
  TEventRecorder recorder(parser);
  ASSERT_TRUE(parser.ParseMemory("<?XML version='1.0'?><?xml-stylesheet href='s'?><a><?xMl x?></a>"));
  EXPECT_EQ(recorder.Only("Instruction"), (TEvents{"XML|version='1.0'", "xml-stylesheet|href='s'", "xMl|x"}));
}

TEST(ParserEvents, ATrailingCommentIsCheckedLikeAnyOther) {
  EXPECT_EQ(ErrorOf("<a/><!-- x -- y -->"), "Line: 1 Col: 20 Error: Invalid comment text");
  EXPECT_EQ(ErrorOf("<a/><?pi unclosed"), "Line: 1 Col: 18 Error: End of input while looking for delimiter: '?>'");
  EXPECT_EQ(ErrorOf("<a/><b/>"), "Line: 1 Col: 5 Error: There is invalid data after valid XML document");
}

TEST(ParserEvents, ASecondXmlDeclarationIsRefused) {
  EXPECT_EQ(ErrorOf("<?xml version='1.0'?><?xml version='1.0'?><a/>"),
            "Line: 1 Col: 27 Error: The XML declaration must appear before the first element");
}

TEST(ParserEvents, LineEndsCountOnceForPositions) {
  TVpParser parser;
  std::vector<TVpTextPosition> positions;
  parser.SetOnElementStart(
      [&positions](TVpParser& sender, std::string_view) { positions.push_back(sender.Position()); });
  ASSERT_TRUE(parser.ParseMemory("<a>\r\n<b>\r<c>\n\xC3\xA9\xE6\x97\xA5<d>\xF0\x9F\x98\x80<e></e></d></c></b></a>"));
  ASSERT_EQ(positions.size(), 5u);
  const std::vector<std::pair<int, int>> expected = {{1, 4}, {2, 4}, {3, 4}, {4, 6}, {4, 10}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(positions[i].Line, expected[i].first);
    EXPECT_EQ(positions[i].Column, expected[i].second);
  }
  EXPECT_EQ(positions[4].StreamPosition, 28);  // bytes up to and including "<e>"
}

TEST(ParserEvents, AHandlerCanEndTheParseWithAPositionedError) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  parser.SetOnAttributeValue([](TVpParser& sender, std::string_view name, std::string_view value) {
    if (name == "Left" && value == "abc") sender.RaiseError("Invalid number: 'abc'");
  });
  EXPECT_FALSE(parser.ParseMemory("<f>\n  <e Left='abc' Top='1'/></f>"));
  EXPECT_EQ(parser.ErrorMessages(), TEvents{"Line: 2 Col: 16 Error: Invalid number: 'abc'"});
  EXPECT_EQ(recorder.Events().back(), "DocumentEnd");
}

TEST(ParserEvents, OtherExceptionsFromHandlersPassThrough) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  parser.SetOnElementStart([](TVpParser&, std::string_view name) {
    if (name == "b") throw std::runtime_error("handler failed");
  });
  EXPECT_THROW(parser.ParseMemory("<a><b/></a>"), std::runtime_error);
  EXPECT_NE(recorder.Events().back(), "DocumentEnd");
  // The parser is ready for the next document.
  parser.SetOnElementStart(nullptr);
  EXPECT_TRUE(parser.ParseMemory("<a><b/></a>"));
}

TEST(ParserEvents, EachParseStartsClean) {
  TVpParser parser;
  EXPECT_FALSE(parser.ParseMemory("<a>"));
  EXPECT_EQ(parser.ErrorMessages().size(), 1u);
  EXPECT_TRUE(parser.ParseMemory("<?xml version='1.0'?><a/>"));
  EXPECT_TRUE(parser.ErrorMessages().empty());
  EXPECT_TRUE(parser.Attributes().empty());
}

TEST(ParserEvents, AParseCannotStartInsideAnother) {
  TVpParser parser;
  parser.SetOnElementStart([](TVpParser& sender, std::string_view) { sender.ParseMemory("<b/>"); });
  EXPECT_THROW(parser.ParseMemory("<a/>"), std::logic_error);
}

TEST(ParserFile, ParsesAFileNamedWithOrWithoutScheme) {
  TTemporaryFolder folder;
  const std::string path = folder.File("formats.xml");
  TTemporaryFolder::Write(path, "<a>x</a>");
  for (const std::string& name : {path, "file://" + path, "FILE://" + path}) {
    SCOPED_TRACE(name);
    TVpParser parser;
    TEventRecorder recorder(parser);
    EXPECT_TRUE(parser.ParseFile(name));
    EXPECT_EQ(recorder.Only("Text"), TEvents{"x"});
  }
}

TEST(ParserFile, AMissingFileRaisesAndIsListed) {
  TTemporaryFolder folder;
  const std::string path = folder.File("missing.xml");
  TVpParser parser;
  TEventRecorder recorder(parser);
  try {
    parser.ParseFile("file://" + path);
    FAIL() << "no exception";
  } catch (const EVpParserError& error) {
    EXPECT_EQ(std::string(error.what()), "File " + path + " could not be found");
    EXPECT_EQ(error.Line(), 0);
    EXPECT_EQ(error.Column(), 0);
  }
  EXPECT_EQ(parser.ErrorMessages(), TEvents{"File " + path + " could not be found"});
  EXPECT_TRUE(recorder.Events().empty());
}

TEST(ParserFile, AnUnreadableFileRaisesWithTheReason) {
  TTemporaryFolder folder;
  TVpParser parser;
  EXPECT_THROW(parser.ParseFile(folder.Path().string()), EVpParserError);
  ASSERT_EQ(parser.ErrorMessages().size(), 1u);
  EXPECT_EQ(parser.ErrorMessages().front(), "File " + folder.Path().string() + " could not be read: Is a directory");
}

}  // namespace
