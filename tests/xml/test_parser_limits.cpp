#include <gtest/gtest.h>

#include "xml/parser.h"

// Sizes far beyond any real file must neither crash nor take quadratic time.
namespace {

constexpr int kDepth = 1'000'000;
constexpr int kAttributes = 100'000;

std::string Repeat(std::string_view text, int count) {
  std::string repeated;
  repeated.reserve(text.size() * count);
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

TEST(ParserLimits, AMillionNestedElements) {
  TVpParser parser;
  int starts = 0;
  int ends = 0;
  parser.SetOnElementStart([&starts](TVpParser&, std::string_view) { ++starts; });
  parser.SetOnElementEnd([&ends](TVpParser&, std::string_view) { ++ends; });
  EXPECT_TRUE(parser.ParseMemory(Repeat("<a>", kDepth) + "x" + Repeat("</a>", kDepth)));
  EXPECT_EQ(starts, kDepth);
  EXPECT_EQ(ends, kDepth);
}

TEST(ParserLimits, AMillionUnclosedElements) {
  TVpParser parser;
  EXPECT_FALSE(parser.ParseMemory(Repeat("<a>", kDepth)));
  EXPECT_EQ(parser.ErrorMessages().front(),
            "Line: 1 Col: " + std::to_string(3 * kDepth + 1) + " Error: Unexpected end of file ");
}

std::string ManyAttributes(std::string_view last) {
  std::string tag = "<a";
  for (int i = 0; i < kAttributes; ++i) tag += " n" + std::to_string(i) + "='" + std::to_string(i) + "'";
  return tag + std::string(last) + "/>";
}

TEST(ParserLimits, AHundredThousandAttributesOnOneTag) {
  TVpParser parser;
  std::size_t count = 0;
  std::string lastValue;
  parser.SetOnElementStart([&](TVpParser& sender, std::string_view) {
    count = sender.Attributes().size();
    lastValue = sender.Attributes().back().Value;
  });
  EXPECT_TRUE(parser.ParseMemory(ManyAttributes("")));
  EXPECT_EQ(count, static_cast<std::size_t>(kAttributes));
  EXPECT_EQ(lastValue, std::to_string(kAttributes - 1));
}

TEST(ParserLimits, ARepeatAmongAHundredThousandAttributes) {
  TVpParser parser;
  EXPECT_FALSE(parser.ParseMemory(ManyAttributes(" n5='again'")));
  EXPECT_NE(parser.ErrorMessages().front().find("Attributes cannot be redefined in a start tag"), std::string::npos);
}

TEST(ParserLimits, ALongRunOfReferences) {
  TVpParser parser;
  std::size_t length = 0;
  parser.SetOnText([&length](TVpParser&, std::string_view text) { length += text.size(); });
  EXPECT_TRUE(parser.ParseMemory("<a>" + Repeat("&amp;&#x263A;", kAttributes) + "</a>"));
  EXPECT_EQ(length, static_cast<std::size_t>(kAttributes) * 4);
}

}  // namespace
