#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/xml/event_recorder.h"

namespace {

struct TErrorCase {
  const char* Name;
  std::string Document;
  const char* Error;  // the whole error line
};

void PrintTo(const TErrorCase& row, std::ostream* out) { *out << row.Name; }

class ParserError : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(ParserError, IsOneLineWithPosition) { EXPECT_EQ(ErrorOf(GetParam().Document), GetParam().Error); }

// One row per message, the position being that of the next character not yet consumed.
INSTANTIATE_TEST_SUITE_P(
    Messages, ParserError,
    ::testing::Values(
        TErrorCase{"BadlyFormedUtf8", "<a>\xFF</a>", "Line: 1 Col: 4 Error: Badly formed UTF-8 character in stream"},
        TErrorCase{"InvalidCharacter", "<a>\n x\x01</a>", "Line: 2 Col: 3 Error: Invalid XML Character found"},
        TErrorCase{"InvalidCharacterBeforeRoot", "\x0B<a/>", "Line: 1 Col: 1 Error: Invalid XML Character found"},
        TErrorCase{"ExpectedLessThan", "text", "Line: 1 Col: 1 Error: Expected String: '<'"},
        TErrorCase{"ExpectedGreaterThanForInternalSubset", "<!DOCTYPE a [<!ELEMENT a ANY>]><a/>",
                   "Line: 1 Col: 13 Error: Expected String: '>'"},
        TErrorCase{"ExpectedGreaterThanAfterSlash", "<a/ >", "Line: 1 Col: 4 Error: Expected String: '>'"},
        TErrorCase{"ExpectedEquals", "<a b></a>", "Line: 1 Col: 5 Error: Expected String: '='"},
        TErrorCase{"ExpectedSemicolon", "<a>&amp</a>", "Line: 1 Col: 8 Error: Expected String: ';'"},
        TErrorCase{"ExpectedDeclarationEnd", "<?xml version=\"1.0\" foo?><a/>",
                   "Line: 1 Col: 21 Error: Expected String: '?>'"},
        TErrorCase{"ExpectedSecondDash", "<a><!-x--></a>", "Line: 1 Col: 7 Error: Expected String: '-'"},
        TErrorCase{"ExpectedCData", "<a><![CDAT[x]]></a>", "Line: 1 Col: 7 Error: Expected String: 'CDATA['"},
        TErrorCase{"ExpectedVersion", "<?xml encoding=\"UTF-8\"?><a/>",
                   "Line: 1 Col: 7 Error: Expected String: 'version'"},
        TErrorCase{"WhitespaceAfterDocType", "<!DOCTYPEa><a/>",
                   "Line: 1 Col: 10 Error: Whitespace expected at byte Line: 1 Position: 10"},
        TErrorCase{"WhitespaceAfterTarget", "<?pi\"x\"?><a/>",
                   "Line: 1 Col: 5 Error: Whitespace expected at byte Line: 1 Position: 5"},
        TErrorCase{"WhitespaceBetweenIdentifiers", "<!DOCTYPE a PUBLIC 'p''s'><a/>",
                   "Line: 1 Col: 23 Error: Whitespace expected at byte Line: 1 Position: 23"},
        TErrorCase{"UnclosedComment", "<!-- never closed",
                   "Line: 1 Col: 18 Error: End of input while looking for delimiter: '-->'"},
        TErrorCase{"UnclosedInstruction", "<?pi data",
                   "Line: 1 Col: 10 Error: End of input while looking for delimiter: '?>'"},
        TErrorCase{"UnclosedCData", "<a><![CDATA[x",
                   "Line: 1 Col: 14 Error: End of input while looking for delimiter: ']]>'"},
        TErrorCase{"DataAfterRoot", "<a/>\n<b/>",
                   "Line: 2 Col: 1 Error: There is invalid data after valid XML document"},
        TErrorCase{"DeclarationAfterComment", "<!--c--><?xml version=\"1.0\"?><a/>",
                   "Line: 1 Col: 14 Error: The XML declaration must appear before the first element"},
        TErrorCase{"DeclarationInContent", "<a><?xml version=\"1.0\"?></a>",
                   "Line: 1 Col: 9 Error: The XML declaration must appear before the first element"},
        TErrorCase{"VersionCharacter", "<?xml version=\"1 0\"?><a/>",
                   "Line: 1 Col: 20 Error: Invalid XML version number: '1 0'"},
        TErrorCase{"VersionNumber", "<?xml version=\"1.1\"?><a/>",
                   "Line: 1 Col: 20 Error: Quenwick does not support XML versions greater than 1.0"},
        TErrorCase{"EncodingName", "<?xml version=\"1.0\" encoding=\"8bit\"?><a/>",
                   "Line: 1 Col: 36 Error: Invalid encoding declaration: '8bit'"},
        TErrorCase{"EmptyEncodingName", "<?xml version=\"1.0\" encoding=\"\"?><a/>",
                   "Line: 1 Col: 32 Error: Invalid encoding declaration: ''"},
        TErrorCase{"EncodingWithoutByteOrderMark", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>",
                   "Line: 1 Col: 38 Error: Encoding declaration does not match the document's encoding: 'UTF-16'"},
        TErrorCase{"Standalone", "<?xml version=\"1.0\" standalone=\"maybe\"?><a/>",
                   "Line: 1 Col: 39 Error: Standalone value must equal 'yes' or 'no'"},
        TErrorCase{"PublicIdCharacter", "<!DOCTYPE a PUBLIC \"x{y\" \"z\"><a/>",
                   "Line: 1 Col: 25 Error: Invalid PublicID character: '{'"},
        TErrorCase{"PublicIdTab", "<!DOCTYPE a PUBLIC \"x\ty\" \"z\"><a/>",
                   "Line: 1 Col: 25 Error: Invalid PublicID character: '\t'"},
        TErrorCase{"CommentWithDoubleDash", "<a><!-- a -- b --></a>", "Line: 1 Col: 19 Error: Invalid comment text"},
        TErrorCase{"CommentEndingInDash", "<!-- a ---><a/>", "Line: 1 Col: 12 Error: Invalid comment text"},
        TErrorCase{"NeitherCommentNorCData", "<a><!x></a>",
                   "Line: 1 Col: 6 Error: Expected comment or CDATA section (x)"},
        TErrorCase{"EndInsideElement", "<a>\ntext", "Line: 2 Col: 5 Error: Unexpected end of file "},
        TErrorCase{"EndInsideStartTag", "<a x='1' ", "Line: 1 Col: 10 Error: Unexpected end of file "},
        TErrorCase{"EndAfterLessThan", "<a><", "Line: 1 Col: 5 Error: Unexpected end of file "},
        TErrorCase{"EndAfterReference", "<a>&amp;", "Line: 1 Col: 9 Error: Unexpected end of file "},
        TErrorCase{"MismatchedEndTag", "<a></b>",
                   "Line: 1 Col: 8 Error: Mismatched end tag: Start tag = \"a\" End tag = \"b\""},
        TErrorCase{"MismatchBeforeABadCharacter", "<a></b>\x01",
                   "Line: 1 Col: 8 Error: Mismatched end tag: Start tag = \"a\" End tag = \"b\""},
        TErrorCase{"EmptyEndTag", "<a></>",
                   "Line: 1 Col: 7 Error: Mismatched end tag: Start tag = \"a\" End tag = \"\""},
        TErrorCase{"EmptyElementName", "<a>< b/></a>", "Line: 1 Col: 5 Error: Invalid element name: ''"},
        TErrorCase{"NameCharacter", "<a!/>", "Line: 1 Col: 3 Error: Invalid XML name: '!'"},
        TErrorCase{"NameStartsWithDigit", "<1a/>", "Line: 1 Col: 2 Error: Invalid XML name: '1'"},
        TErrorCase{"NameStartsWithCombiningMark", "<a \xCC\x80=''/>",
                   "Line: 1 Col: 4 Error: Invalid XML name: '\xCC\x80'"},
        TErrorCase{"ParameterEntityName", "<a %x='1'/>", "Line: 1 Col: 4 Error: Invalid XML name: '%'"},
        TErrorCase{"EmptyAttributeName", "<a ='1'/>", "Line: 1 Col: 4 Error: Invalid XML name: '='"},
        TErrorCase{"EmptyInstructionTarget", "<? pi?><a/>", "Line: 1 Col: 3 Error: Invalid XML name: ' '"},
        TErrorCase{"EmptyDocTypeName", "<!DOCTYPE ><a/>", "Line: 1 Col: 11 Error: Invalid XML name: '>'"},
        TErrorCase{"RepeatedAttribute", "<a x=\"1\" x=\"2\"/>",
                   "Line: 1 Col: 15 Error: Attributes cannot be redefined in a start tag"},
        TErrorCase{"LessThanInValue", "<a x=\"<\"/>",
                   "Line: 1 Col: 7 Error: Invalid character in attribute value: '<'"},
        TErrorCase{"LessThanAfterReference", "<a x=\"&amp;<\"/>",
                   "Line: 1 Col: 12 Error: Invalid character in attribute value: '<'"},
        TErrorCase{"MissingQuote", "<a x=1/>", "Line: 1 Col: 6 Error: Expected \" or '"},
        TErrorCase{"UnclosedValue", "<a x=\"1", "Line: 1 Col: 8 Error: Expected: \""},
        TErrorCase{"CapitalHexMark", "<a>&#X4A;</a>", "Line: 1 Col: 6 Error: Illegal character in reference'X'"},
        TErrorCase{"UndeclaredEntity", "<a>&nbsp;</a>",
                   "Line: 1 Col: 10 Error: Reference to undeclared entity: 'nbsp'"},
        TErrorCase{"CDataEndInText", "<a>x]]>y</a>",
                   "Line: 1 Col: 5 Error: Invalid characters in element's character data: ']]>'"},
        TErrorCase{"CDataEndInLaterRun", "<a>x<b/>y]]></a>",
                   "Line: 1 Col: 10 Error: Invalid characters in element's character data: ']]>'"},
        TErrorCase{"ReferenceCannotCloseATag", "<a x=\"1\"&#62;</a>", "Line: 1 Col: 9 Error: Invalid XML name: '&'"},
        TErrorCase{"ReferenceCannotOpenATag", "&#60;a/>", "Line: 1 Col: 1 Error: Expected String: '<'"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Character references need a digit, must name an XML character and may have any number of
// digits without overflowing.
INSTANTIATE_TEST_SUITE_P(
    References, ParserError,
    ::testing::Values(
        TErrorCase{"NoDigits", "<a>&#;</a>", "Line: 1 Col: 6 Error: Illegal character in reference';'"},
        TErrorCase{"NoHexDigits", "<a>&#x;</a>", "Line: 1 Col: 7 Error: Illegal character in reference';'"},
        TErrorCase{"Zero", "<a>&#0;</a>", "Line: 1 Col: 8 Error: Invalid character reference: '&#0;'"},
        TErrorCase{"Control", "<a v='&#5;'/>", "Line: 1 Col: 11 Error: Invalid character reference: '&#5;'"},
        TErrorCase{"HighSurrogate", "<a>&#xD800;</a>",
                   "Line: 1 Col: 12 Error: Invalid character reference: '&#xD800;'"},
        TErrorCase{"LowSurrogate", "<a>&#57343;</a>", "Line: 1 Col: 12 Error: Invalid character reference: '&#57343;'"},
        TErrorCase{"NotACharacter", "<a>&#xFFFE;</a>",
                   "Line: 1 Col: 12 Error: Invalid character reference: '&#xFFFE;'"},
        TErrorCase{"AboveUnicode", "<a>&#x110000;</a>",
                   "Line: 1 Col: 14 Error: Invalid character reference: '&#x110000;'"},
        TErrorCase{"ManyDigits", "<a>&#184467440737095516190000000065;</a>",
                   "Line: 1 Col: 37 Error: Invalid character reference: '&#184467440737095516190000000065;'"},
        TErrorCase{"ManyHexDigits", "<a>&#x100000000000000000041;</a>",
                   "Line: 1 Col: 29 Error: Invalid character reference: '&#x100000000000000000041;'"},
        TErrorCase{"LetterInDecimal", "<a>&#1a;</a>", "Line: 1 Col: 7 Error: Illegal character in reference'a'"},
        TErrorCase{"EndOfInput", "<a>&#12", "Line: 1 Col: 8 Error: Unexpected end of file "}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParserReferences, LeadingZerosAndTheLastCharacterAreFine) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  ASSERT_TRUE(parser.ParseMemory("<a>&#0000000065;&#x0000010FFFF;</a>"));
  EXPECT_EQ(recorder.Only("Text"), std::vector<std::string>{"A\xF4\x8F\xBF\xBF"});
}

struct TByteSequence {
  const char* Name;
  std::string Bytes;
};

// Where a character can stand, with %s where the bytes go.
const std::vector<std::string> kContexts = {"<a>%s</a>",        "<a v='%s'/>",      "<a%s/>",
                                            "<a><!--%s--></a>", "<a><?pi %s?></a>", "<a><![CDATA[%s]]></a>"};

std::string InContext(const std::string& context, const std::string& bytes) {
  std::string document = context;
  document.replace(document.find("%s"), 2, bytes);
  return document;
}

void PrintTo(const TByteSequence& row, std::ostream* out) { *out << row.Name; }

class MalformedUtf8 : public ::testing::TestWithParam<TByteSequence> {};

TEST_P(MalformedUtf8, IsAnErrorWhereverItStands) {
  for (const std::string& context : kContexts) {
    const std::string document = InContext(context, GetParam().Bytes);
    SCOPED_TRACE(context);
    const std::string column = std::to_string(context.find("%s") + 1);
    EXPECT_EQ(ErrorOf(document), "Line: 1 Col: " + column + " Error: Badly formed UTF-8 character in stream");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MalformedUtf8,
    ::testing::Values(
        TByteSequence{"LoneContinuation", "\x80"}, TByteSequence{"LastContinuation", "\xBF"},
        TByteSequence{"OverlongLessThan", "\xC0\xBC"}, TByteSequence{"OverlongC1", "\xC1\x81"},
        TByteSequence{"OverlongThreeBytes", "\xE0\x80\xBC"}, TByteSequence{"OverlongThreeBytesHigh", "\xE0\x9F\xBF"},
        TByteSequence{"OverlongFourBytes", "\xF0\x8F\xBF\xBF"}, TByteSequence{"EncodedHighSurrogate", "\xED\xA0\x80"},
        TByteSequence{"EncodedLowSurrogate", "\xED\xBF\xBF"}, TByteSequence{"AboveUnicode", "\xF4\x90\x80\x80"},
        TByteSequence{"LeadF5", "\xF5\x80\x80\x80"}, TByteSequence{"FiveBytes", "\xF8\x88\x80\x80\x80"},
        TByteSequence{"SixBytes", "\xFC\x84\x80\x80\x80\x80"}, TByteSequence{"LeadFE", "\xFE"},
        TByteSequence{"LeadFF", "\xFF"}, TByteSequence{"MissingContinuation", "\xC3x"},
        TByteSequence{"ShortThreeBytes", "\xE2\x82"}, TByteSequence{"ShortFourBytes", "\xF0\x9F\x98"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MalformedUtf8, ASequenceCutByTheEndIsAnError) {
  EXPECT_EQ(ErrorOf("<a>\xE2\x82"), "Line: 1 Col: 4 Error: Badly formed UTF-8 character in stream");
  EXPECT_EQ(ErrorOf("<a>x</a>\xC3"), "Line: 1 Col: 9 Error: Badly formed UTF-8 character in stream");
}

TEST(MalformedUtf8, NonCharactersAreRefusedAndTheLimitsAccepted) {
  EXPECT_EQ(ErrorOf("<a>\xEF\xBF\xBE</a>"), "Line: 1 Col: 4 Error: Invalid XML Character found");
  EXPECT_EQ(ErrorOf("<a>\xEF\xBF\xBF</a>"), "Line: 1 Col: 4 Error: Invalid XML Character found");
  for (const char* bytes : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBD",
                            "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"}) {
    for (const std::string& context : {std::string("<a>%s</a>"), std::string("<a v='%s'/>")}) {
      SCOPED_TRACE(InContext(context, bytes));
      EXPECT_EQ(ErrorOf(InContext(context, bytes)), "(no error)");
    }
  }
}

// A print format file as the designer writes it, with escaped captions and non-ASCII names.
const std::string kPrintFormats =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<VpPrintFormats\r\n"
    "  Version = \"0.0.1\">\r\n"
    "  <PrintFormat\r\n"
    "    Name=\"Wochen\xC3\xBC\x62\x65rsicht &amp; Aufgaben\"\r\n"
    "    Description=\"Week &quot;A&quot; &lt;landscape&gt;\"\r\n"
    "    DayIncrement=\"7\"\r\n"
    "    Visible=\"True\"\r\n"
    "    DayIncrementUnits=\"Day\">\r\n"
    "    <Element\r\n"
    "      Name=\"\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x85\"\r\n"
    "      Visible=\"True\"\r\n"
    "      Rotation=\"ra0\"\r\n"
    "      Item=\"itCaption\"\r\n"
    "      Measurement=\"imPercent\"\r\n"
    "      Left=\"5.5\"\r\n"
    "      Top=\"2\"\r\n"
    "      Width=\"90\"\r\n"
    "      Height=\"10\"\r\n"
    "      DayOffset=\"0\"\r\n"
    "      DayOffsetUnits=\"Day\">\r\n"
    "      <Caption\r\n"
    "        Caption=\"Page &amp;PageNum of &lt;&#x263A;&gt;\">\r\n"
    "        <Font\r\n"
    "          CharSet=\"ANSI\"\r\n"
    "          Color=\"0\"\r\n"
    "          Height=\"-13\"\r\n"
    "          Name=\"Arial\"\r\n"
    "          Bold=\"True\"\r\n"
    "          Strikeout=\"False\"/>\r\n"
    "      </Caption>\r\n"
    "    </Element>\r\n"
    "    <!-- shapes follow -->\r\n"
    "    <Element Name=\"Box\" Item=\"itShape\"><Shape Type=\"Rectangle\"><![CDATA[x]]></Shape></Element>\r\n"
    "  </PrintFormat>\r\n"
    "</VpPrintFormats>\r\n";

TEST(ParserPrefixes, EveryCutOfADocumentFailsCleanly) {
  const std::size_t complete = kPrintFormats.rfind('>') + 1;
  ASSERT_TRUE(TVpParser().ParseMemory(kPrintFormats));
  for (std::size_t length = 0; length < complete; ++length) {
    const std::string_view prefix = std::string_view(kPrintFormats).substr(0, length);
    SCOPED_TRACE(length);
    TVpParser parser;
    TEventRecorder recorder(parser);
    EXPECT_FALSE(parser.ParseMemory(prefix));
    ASSERT_EQ(parser.ErrorMessages().size(), 1u);
    EXPECT_EQ(recorder.Events().back(), "DocumentEnd");
    // The error stands inside the prefix: on one of its lines (every CR but a last one is
    // followed by LF).
    const int lines = static_cast<int>(std::count(prefix.begin(), prefix.end(), '\n')) + 1 + prefix.ends_with('\r');
    int line = 0;
    ASSERT_EQ(std::sscanf(parser.ErrorMessages().front().c_str(), "Line: %d", &line), 1);
    EXPECT_GE(line, 1);
    EXPECT_LE(line, lines);
  }
  EXPECT_TRUE(TVpParser().ParseMemory(std::string_view(kPrintFormats).substr(0, complete)));
}

}  // namespace
