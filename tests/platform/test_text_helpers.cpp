#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/utf8.h"

namespace {

TEST(AsciiText, FoldsOnlyAsciiLettersWhateverTheLocale) {
  // A Turkish locale folds "I" to a dotless i; the helpers must not follow it.
  const char* const previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  std::setlocale(LC_ALL, "tr_TR.UTF-8");
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } cases[] = {
      {"fieldtype", "FIELDTYPE", true}, {"Width", "wIDTH", true}, {"ISO-8859-1", "iso-8859-1", true}, {"i", "I", true},
      {"\xC4\xB0", "i", false},         // capital I with dot is not ASCII
      {"\xC3\xA9", "\xC3\x89", false},  // e acute and E acute stay apart
      {"@[`{", "`{@[", false},          // the bytes next to the letters do not fold
      {"true", "tru", false},           {"", "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.A) + " / " + c.B);
    EXPECT_EQ(SameTextAscii(c.A, c.B), c.Same);
  }
  EXPECT_EQ(UpperCaseAscii("am/pm \xC3\xA9z"), "AM/PM \xC3\xA9Z");
  EXPECT_TRUE(StartsWithTextAscii("utf-16le", "UTF-16"));
  EXPECT_FALSE(StartsWithTextAscii("UTF", "UTF-16"));
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Utf8, DecodesStrictlyAndSaysHowFarAFaultReaches) {
  const struct {
    const char* Name;
    std::string Bytes;
    TUtf8Sequence::TStatus Status;
    char32_t Value;
    int Length;
  } cases[] = {
      {"ASCII", "A", TUtf8Sequence::usOk, U'A', 1},
      {"two bytes", "\xC3\xA9", TUtf8Sequence::usOk, 0xE9, 2},
      {"three bytes", "\xE2\x82\xAC", TUtf8Sequence::usOk, 0x20AC, 3},
      {"four bytes", "\xF0\x9F\x98\x80", TUtf8Sequence::usOk, 0x1F600, 4},
      {"lone continuation", "\x80", TUtf8Sequence::usBadlyFormed, 0, 1},
      {"C0 lead", "\xC0\x80", TUtf8Sequence::usBadlyFormed, 0, 1},
      {"F5 lead", "\xF5\x80\x80\x80", TUtf8Sequence::usBadlyFormed, 0, 1},
      {"overlong three", "\xE0\x80\x80", TUtf8Sequence::usBadlyFormed, 0, 3},
      {"surrogate", "\xED\xA0\x80", TUtf8Sequence::usBadlyFormed, 0, 3},
      {"above 10FFFF", "\xF4\x90\x80\x80", TUtf8Sequence::usBadlyFormed, 0, 4},
      {"ASCII in place of a continuation",
       "\xE2\x82"
       "A",
       TUtf8Sequence::usBadlyFormed, 0, 2},
      {"cut short", "\xE2\x82", TUtf8Sequence::usTruncated, 0, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TUtf8Sequence sequence = DecodeUtf8(c.Bytes.data(), c.Bytes.data() + c.Bytes.size());
    EXPECT_EQ(sequence.Status, c.Status);
    EXPECT_EQ(sequence.Value, c.Value);
    EXPECT_EQ(sequence.Length, c.Length);
  }
  for (const char32_t c : {char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800}, char32_t{0xFFFD},
                           char32_t{0x10000}, char32_t{0x10FFFF}}) {
    std::string encoded;
    AppendUtf8(encoded, c);
    const TUtf8Sequence back = DecodeUtf8(encoded.data(), encoded.data() + encoded.size());
    EXPECT_EQ(back.Status, TUtf8Sequence::usOk) << static_cast<unsigned>(c);
    EXPECT_EQ(back.Value, c);
    EXPECT_EQ(static_cast<size_t>(back.Length), encoded.size());
  }
}

TEST(Utf8, SplitsIntoCodePointsAndCutsWholeOnes) {
  const struct {
    const char* Name;
    std::string Text;
    std::vector<size_t> Starts;
  } splits[] = {
      {"empty", "", {0}},
      {"mixed", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", {0, 1, 3, 6, 10}},
      {"stray bytes stand alone",
       "\x80\xFF"
       "a",
       {0, 1, 2, 3}},
      {"a cut sequence is one", "a\xE2\x82", {0, 1, 3}},
      {"a broken sequence ends before the byte that breaks it",
       "\xE2\x82"
       "a",
       {0, 2, 3}},
  };
  for (const auto& c : splits) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(CodePointStarts(c.Text), c.Starts);
    EXPECT_EQ(CodePointCount(c.Text), static_cast<int>(c.Starts.size()) - 1);
  }

  const std::string text = "\xC3\xA9t\xC3\xA9";  // three code points, five bytes
  const struct {
    int Count;
    std::string First;
  } cuts[] = {{-1, ""}, {0, ""}, {1, "\xC3\xA9"}, {2, "\xC3\xA9t"}, {3, text}, {9, text}};
  for (const auto& c : cuts) {
    SCOPED_TRACE(c.Count);
    EXPECT_EQ(FirstCodePoints(text, c.Count), c.First);
  }
}

}  // namespace
