#include <gtest/gtest.h>

#include <string>

#include "dialogs/event/time_list.h"
#include "model/day_number.h"

namespace {

std::int64_t Ms(int hour, int minute, int second = 0, int ms = 0) {
  return ((hour * 60LL + minute) * 60 + second) * 1000 + ms;
}

TEST(TimeList, HoldsEveryHalfHourAndTheLastMinuteInBothForms) {
  struct TRow {
    int Index;
    const char* TwentyFour;
    const char* Twelve;
  };
  const TRow rows[] = {{0, "00:00", "12:00 AM"}, {1, "00:30", "12:30 AM"},  {2, "01:00", "1:00 AM"},
                       {19, "09:30", "9:30 AM"}, {23, "11:30", "11:30 AM"}, {24, "12:00", "12:00 PM"},
                       {26, "13:00", "1:00 PM"}, {47, "23:30", "11:30 PM"}, {48, "23:59", "11:59 PM"}};
  const TVpTimeList hours24(false);
  const TVpTimeList hours12(true);
  ASSERT_EQ(hours24.Count(), 49);
  ASSERT_EQ(hours12.Count(), 49);
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Index);
    EXPECT_EQ(hours24.Entry(row.Index).Text, row.TwentyFour);
    EXPECT_EQ(hours12.Entry(row.Index).Text, row.Twelve);
    EXPECT_EQ(hours24.Entry(row.Index).Ms, row.Index == 48 ? Ms(23, 59) : row.Index * Ms(0, 30));
  }
  EXPECT_EQ(hours24.EndOfDay(), 48);
}

TEST(TimeList, AnOffGridTimeGetsAnExactEntryInTimeOrder) {
  TVpTimeList list(true);
  list.SelectTime(Ms(10, 15, 30, 250));
  ASSERT_EQ(list.Count(), 50);
  EXPECT_EQ(list.Selected(), 21);
  EXPECT_EQ(list.Entry(20).Text, "10:00 AM");
  EXPECT_EQ(list.Entry(21).Text, "10:15 AM");
  EXPECT_EQ(list.Entry(22).Text, "10:30 AM");
  EXPECT_EQ(list.SelectedMs(), Ms(10, 15, 30, 250));
  EXPECT_EQ(list.EndOfDay(), 49);
  // A time on the grid is selected without another entry.
  list.SelectTime(Ms(9, 30));
  EXPECT_EQ(list.Count(), 50);
  EXPECT_EQ(list.Entry(list.Selected()).Text, "9:30 AM");
}

TEST(TimeList, TheEndOfTheDayStandsForMidnightWhenAnEventEndsThere) {
  TVpTimeList list(false);
  list.SelectTime(kMsPerDay);
  EXPECT_EQ(list.Count(), 49);
  EXPECT_EQ(list.Selected(), list.EndOfDay());
  EXPECT_EQ(list.SelectedMs(), kMsPerDay);
  EXPECT_EQ(list.Entry(list.Selected()).Text, "23:59");
}

TEST(TimeList, FindsNeighboursAndClampsSelections) {
  TVpTimeList list(false);
  EXPECT_EQ(list.LastBefore(Ms(10, 0)), 19);
  EXPECT_EQ(list.LastBefore(Ms(10, 1)), 20);
  EXPECT_EQ(list.LastBefore(0), -1);
  EXPECT_EQ(list.FirstAfter(Ms(10, 0)), 21);
  EXPECT_EQ(list.FirstAfter(Ms(23, 59)), -1);
  list.Select(99);
  EXPECT_EQ(list.Selected(), 48);
  list.Select(-3);
  EXPECT_EQ(list.Selected(), 0);
}

}  // namespace

namespace {

TEST(TimeList, ReadsTimesTypedAsUsersTypeThem) {
  const struct {
    const char* Text;
    std::optional<std::int64_t> Minutes;
  } kRows[] = {{"9:15", 555}, {"09:15", 555},    {"9.15", 555},   {"915", 555},      {"0915", 555},
               {"9", 540},    {"23:59", 1439},   {"00:00", 0},    {"9:15 pm", 1275}, {"9PM", 1260},
               {"12 AM", 0},  {"12:30 pm", 750}, {"24:00", {}},   {"9:60", {}},      {"13 PM", {}},
               {"", {}},      {"abc", {}},       {"9:15:30", {}}, {"12345", {}},     {"123:4", {}}};
  for (const auto& row : kRows) {
    const std::optional<std::int64_t> ms = ParseTimeOfDay(row.Text);
    EXPECT_EQ(ms, row.Minutes ? std::optional<std::int64_t>(*row.Minutes * kMsPerMinute) : std::nullopt) << row.Text;
  }
}

}  // namespace
