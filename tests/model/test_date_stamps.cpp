#include <gtest/gtest.h>

#include <string>

#include "model/date_stamps.h"
#include "tests/model/model_test_support.h"

TEST(DateStamps, OnlyRealDatesAndTimesRead) {
  struct TCase {
    const char* Text;
    bool Reads;
  };
  const TCase cases[] = {
      {"20240229T235959", true},  {"20240229", true},         {"00210112", true},  // a year below 100 is a year
      {"20230229", false},        {"20240431", false},        {"20241301", false}, {"20240100", false},
      {"20240101T240000", false}, {"20240101T126000", false}, {"2024010", false},  {"20240101X120000", false},
      {"20240101T1200", false},   {"+2024010", false},        {"", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    double value = 0;
    ASSERT_EQ(ParseStamp(c.Text, value), c.Reads);
    if (c.Reads) {
      EXPECT_EQ(StampText(value, std::string(c.Text).size() == 8), c.Text);
    }
  }
}

TEST(DateStamps, AListKeepsItsStampsInOrderAndLeavesOutTheRest) {
  const std::vector<TVpStamp> stamps = ParseStampList("20240102T100000,nonsense,,20240101");
  ASSERT_EQ(stamps.size(), 2u);
  EXPECT_EQ(stamps[0].Value, At(2024, 1, 2, 10, 0));
  EXPECT_FALSE(stamps[0].DateOnly);
  EXPECT_EQ(stamps[1].Value, Day(2024, 1, 1));
  EXPECT_TRUE(stamps[1].DateOnly);
  EXPECT_EQ(StampListText({Day(2024, 1, 1), Day(2024, 1, 2)}, true), "20240101,20240102");
}
