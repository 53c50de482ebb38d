#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/date_helpers.h"
#include "model/vp_exception.h"
#include "tests/model/model_test_support.h"

namespace {

TEST(DateHelpers, LeapYears) {
  const std::pair<int, bool> years[] = {{1900, false}, {2000, true}, {2023, false}, {2024, true},
                                        {2100, false}, {2400, true}, {4000, false}, {8000, false}};
  for (const auto& [year, leap] : years) EXPECT_EQ(LeapYear(year), leap) << year;
}

TEST(DateHelpers, MonthLengths) {
  EXPECT_EQ(MonthLength(2024, 2), 29);
  EXPECT_EQ(MonthLength(2023, 2), 28);
  EXPECT_EQ(MonthLength(2024, 4), 30);
  EXPECT_EQ(MonthLength(2024, 12), 31);
  EXPECT_EQ(MonthLength(2024, 13), 0);
  EXPECT_EQ(MonthLength(2024, 0), 0);
  EXPECT_EQ(MonthLength(100, 2), 28);
  try {
    MonthLength(99, 1);
    ADD_FAILURE() << "year 99 accepted";
  } catch (const EVpDateException& e) {
    EXPECT_STREQ(e.what(), "Error: Invalid Year. \"99\"");
  }
}

TEST(DateHelpers, CenturyOfToday) {
  TFakeClock clock;
  clock.Set(At(2024, 5, 3, 10, 0));
  EXPECT_EQ(CenturyOfToday(clock), 2000);
  clock.Set(Day(2100, 1, 1));
  EXPECT_EQ(CenturyOfToday(clock), 2100);
}

TEST(DateHelpers, WeekStartMayLieAfterTheDate) {
  EXPECT_EQ(WeekStartFor(Day(2024, 5, 8), dtSunday), Day(2024, 5, 5));
  EXPECT_EQ(WeekStartFor(Day(2024, 5, 12), dtMonday), Day(2024, 5, 13));
  EXPECT_EQ(WeekStartFor(At(2024, 5, 8, 14, 30), dtMonday), At(2024, 5, 6, 14, 30));
}

TEST(DateHelpers, MonthsLaterCases) {
  EXPECT_EQ(MonthsLater(1, Day(2024, 1, 31)), Day(2024, 2, 29));
  EXPECT_EQ(MonthsLater(-1, Day(2024, 1, 15)), Day(2023, 12, 15));
  EXPECT_EQ(MonthsLater(13, At(2024, 12, 10, 14, 30)), Day(2026, 1, 10));
  EXPECT_EQ(MonthsLater(-13, Day(2024, 1, 31)), Day(2022, 12, 31));
  EXPECT_EQ(YearsLater(1, Day(2024, 2, 29)), Day(2025, 2, 28));
  EXPECT_EQ(YearsLater(-4, Day(2024, 2, 29)), Day(2020, 2, 29));
}

TEST(DateHelpers, TimeWithinWithAndWithoutEnds) {
  const double start = At(2024, 5, 3, 9, 0), end = At(2024, 5, 3, 10, 0);
  EXPECT_TRUE(TimeWithin(start, start, end, true));
  EXPECT_TRUE(TimeWithin(end, start, end, true));
  EXPECT_FALSE(TimeWithin(start, start, end, false));
  EXPECT_FALSE(TimeWithin(end, start, end, false));
  EXPECT_TRUE(TimeWithin(At(2024, 5, 3, 9, 30), start, end, false));
  EXPECT_FALSE(TimeWithin(At(2024, 5, 3, 10, 1), start, end, true));
}

TEST(DayNumbers, KnownDays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2024, 5, 3), 45415);
  EXPECT_EQ(DayOfWeek(0), 7) << "30 December 1899 was a Saturday";
  EXPECT_EQ(DecodeDate(-1.25), (TVpDate{1899, 12, 29}));
  EXPECT_EQ(DecodeTime(-1.25), (TVpTime{6, 0, 0, 0}));
  EXPECT_EQ(DecodeTime(At(2024, 5, 3, 23, 59) + 59.999 / 86400), (TVpTime{23, 59, 59, 999}));
  // A value a hair below midnight is midnight of the next day on whole milliseconds.
  EXPECT_EQ(DecodeDate(Day(2024, 5, 4) - 1e-10), (TVpDate{2024, 5, 4}));
  EXPECT_EQ(DecodeTime(Day(2024, 5, 4) - 1e-10), (TVpTime{}));
}

// The day at a time of day; before the epoch the time of day counts away from zero.
double DayAt(long long day, double time) {
  return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

// Day numbers, weekdays, MonthsLater and WeekStartFor against Python's datetime arithmetic.
TEST(DateHelpers, AgreeWithIndependentCalendarArithmetic) {
  std::ifstream in(TestDataPath("date_vectors.txt"));
  ASSERT_TRUE(in) << "date_vectors.txt is missing";
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    std::istringstream fields(line);
    char kind;
    fields >> kind;
    if (kind == 'D') {
      long long day;
      TVpDate date;
      int weekday;
      fields >> day >> date.Year >> date.Month >> date.Day >> weekday;
      EXPECT_EQ(DecodeDate(static_cast<double>(day)), date);
      EXPECT_EQ(EncodeDate(date.Year, date.Month, date.Day), static_cast<double>(day));
      EXPECT_EQ(DayOfWeek(DayAt(day, 0.75)), weekday);
    } else if (kind == 'M') {
      long long months, day, result;
      fields >> months >> day >> result;
      EXPECT_EQ(MonthsLater(months, DayAt(day, 0.5)), static_cast<double>(result));
    } else if (kind == 'W') {
      long long day, result;
      int first;
      fields >> day >> first >> result;
      EXPECT_EQ(WeekStartFor(static_cast<double>(day), static_cast<TVpDayType>(first)), static_cast<double>(result));
    }
    ++checked;
  }
  EXPECT_EQ(checked, 1350);
}

}  // namespace
