#include <gtest/gtest.h>

#include "platform/error_text.h"

namespace {

TEST(ValueExcerpt, QuotesAShortPrefixOfWholeCodePoints) {
  const std::string sixty(60, 'a');
  struct TCase {
    const char* Name;
    std::string Value;
    std::string Expected;
  };
  const TCase cases[] = {
      {"empty", "", ""},
      {"short", "2024-13-45", "2024-13-45"},
      {"exactly the length", sixty, sixty},
      {"one too many", sixty + "b", sixty + "\u2026"},
      {"huge", std::string(10'000'000, 'x'), std::string(60, 'x') + "\u2026"},
      // The cut falls after whole characters of two, three and four bytes.
      {"two-byte letters", std::string(59, 'a') + "\u00e9\u00e9", std::string(59, 'a') + "\u00e9\u2026"},
      {"three-byte signs", std::string(58, 'a') + "\u20ac\u20ac\u20ac", std::string(58, 'a') + "\u20ac\u20ac\u2026"},
      {"four-byte signs", std::string(59, 'a') + "\U0001F600\U0001F600", std::string(59, 'a') + "\U0001F600\u2026"},
      // A byte that is not UTF-8 counts as one code point of its own: the excerpt stays short.
      {"stray continuation bytes", std::string(100'000, '\x80'), std::string(60, '\x80') + "\u2026"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ValueExcerpt(c.Value), c.Expected);
  }
}

TEST(OneLine, JoinsTheLinesOfAMessage) {
  EXPECT_EQ(OneLine("Error: Unable to open Events\n\nEvents: Unable to read \"events.xml\"\r\n"),
            "Error: Unable to open Events: Events: Unable to read \"events.xml\"");
  EXPECT_EQ(OneLine("\nsingle line"), "single line");
}

}  // namespace
