#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "interop/vcard/vcard_reader.h"

using namespace std::string_literals;

namespace {

std::string Card(const std::string& version, const std::string& body) {
  return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n";
}

const TVpVCardProperty& OnlyProperty(const std::string& text) {
  static std::vector<TVpVCard> cards;
  cards = ReadVCards(text);
  EXPECT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].Properties.size(), 1u);
  return cards[0].Properties.at(0);
}

// Each trap of the line layer and the value codings, with the text it must give.
TEST(VCardReader, DecodesFoldingEscapesEncodingsAndCharsets) {
  struct TCase {
    const char* Name;
    std::string Text;
    std::string Expected;
  };
  const TCase cases[] = {
      {"folding inside a two-byte character",
       Card("3.0",
            "NOTE:Ma\xC3\r\n \xB1"
            "ana\r\n"),
       "Ma\xC3\xB1"
       "ana"},
      {"folding with LF and a tab", "BEGIN:VCARD\nVERSION:3.0\nNOTE:one\n\ttwo\nEND:VCARD\n", "onetwo"},
      {"CR CR LF line ends", "BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nNOTE:x\r\r\n y\r\r\nEND:VCARD\r\r\n", "xy"},
      {"byte order mark", "\xEF\xBB\xBF" + Card("4.0", "NOTE:bom\r\n"), "bom"},
      {"escapes", Card("3.0", "NOTE:a\\, b\\; c\\\\d\\ne\\Nf\r\n"), "a, b; c\\d\ne\nf"},
      {"2.1 quoted-printable UTF-8 with soft breaks",
       Card("2.1", "NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91o=\r\n=C3=B1=\r\no=0D=0Ax\r\n"),
       "\xC3\x91o\xC3\xB1o\r\nx"},
      {"2.1 bare quoted-printable in Latin-1", Card("2.1", "NOTE;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:caf=E9\r\n"),
       "caf\xC3\xA9"},
      {"Windows-1252 euro sign", Card("3.0", "NOTE;CHARSET=windows-1252:\x80 5 \x81\r\n"), "\xE2\x82\xAC 5 \xC2\x81"},
      {"2.1 without a character set falls back to Windows-1252",
       Card("2.1",
            "NOTE:M\xFC"
            "ller \x93x\x94\r\n"),
       "M\xC3\xBCller \xE2\x80\x9Cx\xE2\x80\x9D"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(OnlyProperty(c.Text).Text(), c.Expected);
    EXPECT_FALSE(OnlyProperty(c.Text).Repaired);
  }
  // Faulty UTF-8 (a character cut short) is replaced, and the property says so.
  const TVpVCardProperty& cut = OnlyProperty(Card("3.0", "ORG;CHARSET=UTF-8:Caf\xC3\r\n"));
  EXPECT_EQ(cut.Text(), "Caf\xEF\xBF\xBD");
  EXPECT_TRUE(cut.Repaired);
}

TEST(VCardReader, SplitsGroupsParametersAndStructuredValues) {
  const std::vector<TVpVCard> cards =
      ReadVCards(Card("3.0",
                      "item1.TEL;type=CELL;type=pref:555\r\nitem1.X-ABLabel:_$!<Mobile>!$_\r\n"
                      "ADR;TYPE=\"work,postal\";X-ID=\"a;b:c\":;;1 Main St\\, Apt 2;Town;;;\r\n"
                      "TEL;CELL;VOICE:556\r\nCATEGORIES:one,two\\,three\r\nNOTE;LABEL=\"x^'y^'^nz\":v\r\n"));
  ASSERT_EQ(cards.size(), 1u);
  const std::vector<TVpVCardProperty>& p = cards[0].Properties;
  ASSERT_EQ(p.size(), 6u);
  EXPECT_EQ(p[0].Group, "item1");
  EXPECT_EQ(p[0].Name, "TEL");
  EXPECT_TRUE(p[0].HasType("cell"));
  EXPECT_TRUE(p[0].Preferred());
  EXPECT_EQ(p[1].Name, "X-ABLABEL");
  EXPECT_TRUE(p[2].HasType("POSTAL"));
  EXPECT_EQ(p[2].ParamValues("X-ID"), std::vector<std::string>{"a;b:c"});
  EXPECT_EQ(p[2].Components(), (std::vector<std::string>{"", "", "1 Main St, Apt 2", "Town", "", "", ""}));
  EXPECT_TRUE(p[3].HasType("CELL") && p[3].HasType("VOICE") && !p[3].Preferred());
  EXPECT_EQ(p[4].ListItems(), (std::vector<std::string>{"one", "two,three"}));
  EXPECT_EQ(p[5].ParamValues("LABEL"), std::vector<std::string>{"x\"y\"\nz"});
}

TEST(VCardReader, DecodesBinaryValues) {
  const TVpVCardProperty& b30 = OnlyProperty(Card("3.0", "PHOTO;ENCODING=b;TYPE=JPEG:/9j/\r\n 4A==\r\n"));
  EXPECT_TRUE(b30.Binary);
  EXPECT_EQ(b30.Value, "\xFF\xD8\xFF\xE0");
  const TVpVCardProperty& data = OnlyProperty(Card("4.0", "PHOTO:data:image/png;base64,iVBO\r\n RyA=\r\n"));
  EXPECT_TRUE(data.Binary);
  EXPECT_EQ(data.Value, "\x89PNG\x20");
  const TVpVCardProperty& b21 = OnlyProperty(Card("2.1", "PHOTO;ENCODING=BASE64;JPEG:\r\n /9j/\r\n 4A==\r\n\r\n"));
  EXPECT_EQ(b21.Value, "\xFF\xD8\xFF\xE0");
}

// Bad input of every kind: a clear error naming the line, quickly, never a crash.
TEST(VCardReader, RefusesBadInputNamingTheLine) {
  struct TCase {
    const char* Name;
    std::string Text;
    int Line;
    const char* Says;
  };
  const TCase cases[] = {
      {"empty", "", 1, "no card"},
      {"blank lines only", "\r\n\r\n", 1, "no card"},
      {"not a card file", "hello world\n", 1, "not a card line"},
      {"truncated", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\n", 1, "no END:VCARD"},
      {"binary", "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:\x01\x02\0\x03\r\nEND:VCARD\r\n"s, 3, "control character"},
      {"unknown character set", Card("2.1", "NOTE;CHARSET=KOI8-R:x\r\n"), 3, "character set KOI8-R is unknown"},
      {"damaged quoted-printable", Card("2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:=ZZ\r\n"), 3, "quoted-printable"},
      {"damaged base64", Card("3.0", "PHOTO;ENCODING=b:ab*d\r\n"), 3, "base64"},
      {"control character in quoted-printable", Card("2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:a=00b\r\n"), 3,
       "control character"},
      {"no colon", Card("3.0", "FN:a\r\nNOTE\r\n"), 4, "not a card line"},
      {"unknown version", "BEGIN:VCARD\r\nVERSION:9.9\r\nEND:VCARD\r\n", 1, "version"},
      {"card inside a card", "BEGIN:VCARD\r\nBEGIN:VCARD\r\n", 2, "inside a card"},
      {"unclosed quote", Card("3.0", "TEL;X=\"a:1\r\n"), 3, "quote"},
      {"text after the card", Card("3.0", "") + "junk:1\r\n", 4, "BEGIN:VCARD expected"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      ReadVCards(c.Text);
      ADD_FAILURE() << "no error";
    } catch (const EVpVCardError& error) {
      EXPECT_EQ(error.Line(), c.Line);
      EXPECT_NE(std::string(error.what()).find(c.Says), std::string::npos) << error.what();
    }
  }
}

// Far below the minutes a reader that copies the line at each fold would take.
#if defined(__SANITIZE_ADDRESS__)
constexpr auto kFiftyMegabyteBound = std::chrono::seconds(10);  // the sanitizers slow each step down
#else
constexpr auto kFiftyMegabyteBound = std::chrono::seconds(2);
#endif

TEST(VCardReader, RefusesAFiftyMegabyteLineQuickly) {
  for (const std::string folding : {"", "\r\n "}) {
    std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:";
    for (int i = 0; i < 50 * 1024 * 16; ++i) text += std::string(64, 'a') + folding;
    const auto start = std::chrono::steady_clock::now();
    try {
      ReadVCards(text);
      ADD_FAILURE() << "no error";
    } catch (const EVpVCardError& error) {
      EXPECT_EQ(error.Line(), 3);
      EXPECT_NE(std::string(error.what()).find("longer than 1 MB"), std::string::npos);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, kFiftyMegabyteBound);
  }
}

}  // namespace
