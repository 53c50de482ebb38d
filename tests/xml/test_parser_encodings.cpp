#include <gtest/gtest.h>

#include "tests/xml/event_recorder.h"

namespace {

using TEvents = std::vector<std::string>;

// The UTF-16 bytes of a text with its byte-order mark (as the compiler encodes the literal).
std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TVpTextPosition PositionAtElement(std::string_view document, std::string_view element) {
  TVpParser parser;
  TVpTextPosition position;
  parser.SetOnElementStart([&](TVpParser& sender, std::string_view name) {
    if (name == element) position = sender.Position();
  });
  EXPECT_TRUE(parser.ParseMemory(document));
  return position;
}

TEST(ParserEncodings, Utf16InEitherByteOrderReadsAsUtf8Does) {
  const TEvents expected = EventsOf(Utf8(u8"<?xml version='1.0'?><a v='é'>日本 😀<b/></a>"));
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian);
    EXPECT_EQ(EventsOf(Utf16(u"<?xml version='1.0'?><a v='é'>日本 😀<b/></a>", bigEndian)), expected);
  }
}

TEST(ParserEncodings, Utf16PositionsCountCharactersAndBytes) {
  const TVpTextPosition position = PositionAtElement(Utf16(u"<a>\r\né😀<b/></a>", false), "b");
  EXPECT_EQ(position.Line, 2);
  EXPECT_EQ(position.Column, 7);
  EXPECT_EQ(position.StreamPosition, 2 + 2 * (3 + 2 + 1 + 2 + 4));
}

TEST(ParserEncodings, Utf16MayDeclareItselfOnly) {
  EXPECT_TRUE(TVpParser().ParseMemory(Utf16(u"<?xml version='1.0' encoding='utf-16'?><a/>", true)));
  EXPECT_EQ(ErrorOf(Utf16(u"<?xml version='1.0' encoding='UTF-8'?><a/>", true)),
            "Line: 1 Col: 37 Error: Encoding declaration does not match the document's encoding: 'UTF-8'");
}

TEST(ParserEncodings, UndecodableUtf16IsAnErrorWhereItStands) {
  const std::u16string prefix = u"<a>x";
  for (const std::u16string& bad : {std::u16string{0xD800, u'<'}, std::u16string{0xDC00}, std::u16string{0xD83D}}) {
    SCOPED_TRACE(static_cast<int>(bad[0]));
    EXPECT_EQ(ErrorOf(Utf16(prefix + bad + u"</a>", false)),
              "Line: 1 Col: 5 Error: Badly formed UTF-16 character in stream");
  }
  EXPECT_EQ(ErrorOf(Utf16(u"<a/>", false) + "x"), "Line: 1 Col: 5 Error: Badly formed UTF-16 character in stream");
  EXPECT_EQ(ErrorOf(Utf16(std::u16string(u"<a>") + char16_t{0} + u"</a>", true)),
            "Line: 1 Col: 4 Error: Invalid XML Character found");
}

TEST(ParserEncodings, AUtf8ByteOrderMarkIsSkipped) {
  EXPECT_EQ(EventsOf("\xEF\xBB\xBF<?xml version='1.0'?><a>x</a>"), EventsOf("<?xml version='1.0'?><a>x</a>"));
  EXPECT_EQ(PositionAtElement("\xEF\xBB\xBF<a/>", "a").StreamPosition, 7);
}

TEST(ParserEncodings, Iso88591IsReadWhenDeclared) {
  for (const char* name : {"ISO-8859-1", "iso-8859-1"}) {
    SCOPED_TRACE(name);
    TVpParser parser;
    TEventRecorder recorder(parser);
    ASSERT_TRUE(parser.ParseMemory(std::string("<?xml version='1.0' encoding='") + name +
                                   "'?>\n<a v='\xE9t\xE9'>caf\xE9 \xFC\xA0</a>"));
    EXPECT_EQ(recorder.Only("Attribute"), TEvents{Utf8(u8"v=été")});
    EXPECT_EQ(recorder.Only("Text"), TEvents{Utf8(u8"café ü\u00A0")});
  }
}

TEST(ParserEncodings, Iso88591PositionsCountCharactersAndBytes) {
  const std::string declaration = "<?xml version='1.0' encoding='ISO-8859-1'?>";
  const TVpTextPosition position = PositionAtElement(declaration + "\n<a v='\xE9t\xE9'><b/></a>", "b");
  EXPECT_EQ(position.Line, 2);
  EXPECT_EQ(position.Column, 16);
  EXPECT_EQ(position.StreamPosition, static_cast<long long>(declaration.size()) + 1 + 15);
  EXPECT_EQ(ErrorOf(declaration + "<a>\xE9\xE9\x01</a>"), "Line: 1 Col: 49 Error: Invalid XML Character found");
}

TEST(ParserEncodings, Iso88591CannotFollowAUtf8ByteOrderMark) {
  EXPECT_EQ(ErrorOf("\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><a/>"),
            "Line: 1 Col: 42 Error: Encoding declaration does not match the document's encoding: 'ISO-8859-1'");
}

TEST(ParserEncodings, OtherDeclaredEncodingsAreReadAsUtf8) {
  TVpParser parser;
  TEventRecorder recorder(parser);
  ASSERT_TRUE(parser.ParseMemory(Utf8(u8"<?xml version='1.0' encoding='windows-1252'?><a>é</a>")));
  EXPECT_EQ(recorder.Only("Text"), TEvents{Utf8(u8"é")});
}

}  // namespace
