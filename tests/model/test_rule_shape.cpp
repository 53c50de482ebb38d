#include <gtest/gtest.h>

#include <string>

#include "model/enumerations.h"
#include "model/recurrence.h"
#include "model/rule_shape.h"
#include "model/rule_steps.h"
#include "tests/model/model_test_support.h"

namespace {

// Friday 10 May 2024, 10:00.
const double kStart = At(2024, 5, 10, 10, 0);

unsigned Days(std::initializer_list<int> weekdays) {
  unsigned bits = 0;
  for (const int weekday : weekdays) bits |= WeekdayBit(weekday);
  return bits;
}

TVpRuleShape Shape(TVpRuleFrequency frequency, int interval) {
  TVpRuleShape shape = RuleShapeOfRepeat(rcNone, 0, kStart);
  shape.Frequency = frequency;
  shape.Interval = interval;
  return shape;
}

struct TRoundTrip {
  const char* Name;
  TVpRuleShape Fields;
  bool DateOnly;
  const char* Zone;
  const char* Rule;  // as calendar files write it, by hand
};

TRoundTrip Row(const char* name, TVpRuleShape fields, const char* rule, bool dateOnly = false, const char* zone = "") {
  return {name, fields, dateOnly, zone, rule};
}

// Every kind of rule the editor makes: fields to rule text and back to the same fields.
TEST(RuleShape, EveryEditableRuleComesBackAsTheSameFields) {
  const TLocalZone berlin("Europe/Berlin");
  std::vector<TRoundTrip> rows;
  rows.push_back(Row("every day", Shape(rfDaily, 1), "FREQ=DAILY"));
  rows.push_back(Row("every third day", Shape(rfDaily, 3), "FREQ=DAILY;INTERVAL=3"));
  TVpRuleShape mwf = Shape(rfWeekly, 1);
  mwf.Weekdays = Days({2, 4, 6});
  rows.push_back(Row("Monday, Wednesday, Friday", mwf, "FREQ=WEEKLY;BYDAY=MO,WE,FR"));
  TVpRuleShape weekend = Shape(rfWeekly, 2);
  weekend.Weekdays = Days({1, 7});
  weekend.Count = 6;
  rows.push_back(Row("every other weekend, six times", weekend, "FREQ=WEEKLY;COUNT=6;INTERVAL=2;BYDAY=SA,SU"));
  TVpRuleShape on31 = Shape(rfMonthly, 1);
  on31.MonthDay = 31;
  rows.push_back(Row("monthly on the 31st", on31, "FREQ=MONTHLY;BYMONTHDAY=31"));
  TVpRuleShape secondTuesday = Shape(rfMonthly, 3);
  secondTuesday.ByWeekday = true;
  secondTuesday.WeekdayPosition = 2;
  secondTuesday.Weekday = 3;
  rows.push_back(Row("every third month on the second Tuesday", secondTuesday, "FREQ=MONTHLY;INTERVAL=3;BYDAY=2TU"));
  TVpRuleShape lastFriday = Shape(rfMonthly, 1);
  lastFriday.ByWeekday = true;
  lastFriday.WeekdayPosition = -1;
  lastFriday.Weekday = 6;
  lastFriday.UntilDay = DayNumberOf(Day(2024, 12, 31));
  rows.push_back(Row("last Friday until the year's end", lastFriday, "FREQ=MONTHLY;UNTIL=20241231T235959;BYDAY=-1FR"));
  rows.push_back(Row("every second year", Shape(rfYearly, 2), "FREQ=YEARLY;INTERVAL=2"));
  TVpRuleShape allDay = mwf;
  allDay.UntilDay = DayNumberOf(Day(2024, 6, 30));
  rows.push_back(Row("whole days until a date", allDay, "FREQ=WEEKLY;UNTIL=20240630;BYDAY=MO,WE,FR", true));
  // 30 June 23:59:59 in New York (summer time, UTC-4) is 1 July 03:59:59 UTC.
  rows.push_back(Row("zoned, until in UTC", allDay, "FREQ=WEEKLY;UNTIL=20240701T035959Z;BYDAY=MO,WE,FR", false,
                     "America/New_York"));

  for (const TRoundTrip& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::string rule = RuleTextOf(row.Fields, row.DateOnly, row.Zone);
    EXPECT_EQ(rule, row.Rule);
    const std::optional<TVpRuleShape> back = RuleShapeOf(rule, row.DateOnly ? DateOf(kStart) : kStart, row.Zone);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == row.Fields);
  }
}

TEST(RuleShape, RulesTheFieldsCannotHoldExactlyAreLeftToTheWords) {
  for (const char* rule :
       {"FREQ=WEEKLY;BYDAY=MO,WE,FR;BYMONTH=6,7", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", "FREQ=HOURLY",
        "FREQ=DAILY;BYHOUR=9,17", "FREQ=MONTHLY;BYMONTHDAY=1,15", "FREQ=MONTHLY;BYDAY=5FR", "FREQ=MONTHLY;BYDAY=-2MO",
        "FREQ=WEEKLY;BYDAY=2MO", "FREQ=WEEKLY;INTERVAL=2;WKST=SU;BYDAY=TU", "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
        "FREQ=YEARLY;BYYEARDAY=100", "not a rule", ""}) {
    SCOPED_TRACE(rule);
    EXPECT_FALSE(RuleShapeOf(rule, kStart, "").has_value());
  }
}

// A rule without days of its own repeats on the start's: the fields show them.
TEST(RuleShape, ARuleWithoutDaysShowsTheStartsDays) {
  const std::optional<TVpRuleShape> weekly = RuleShapeOf("FREQ=WEEKLY;INTERVAL=2", kStart, "");
  ASSERT_TRUE(weekly);
  EXPECT_EQ(weekly->Weekdays, Days({6}));
  const std::optional<TVpRuleShape> monthly = RuleShapeOf("FREQ=MONTHLY", kStart, "");
  ASSERT_TRUE(monthly);
  EXPECT_FALSE(monthly->ByWeekday);
  EXPECT_EQ(monthly->MonthDay, 10);
  // An UNTIL at midnight ends before that day's 10:00 occurrence.
  const std::optional<TVpRuleShape> until = RuleShapeOf("FREQ=DAILY;UNTIL=20240520T000000", kStart, "");
  ASSERT_TRUE(until);
  EXPECT_EQ(until->UntilDay, DayNumberOf(Day(2024, 5, 19)));
}

// Where a code places the same occurrences it is preferred; what it cannot say stays a rule.
TEST(RuleShape, ACodeIsChosenOnlyWhereItPlacesTheSameOccurrences) {
  struct TRow {
    const char* Rule;
    double Start;
    int Code;
    int Interval;
  };
  const double friday31 = At(2024, 5, 31, 10, 0);
  const double leapDay = At(2024, 2, 29, 10, 0);
  const TRow rows[] = {
      {"FREQ=DAILY", kStart, rcDaily, 0},
      {"FREQ=DAILY;INTERVAL=4", kStart, rcCustom, 4},
      {"FREQ=WEEKLY;BYDAY=FR", kStart, rcWeekly, 0},
      {"FREQ=WEEKLY;INTERVAL=3;BYDAY=FR", kStart, rcCustom, 21},
      {"FREQ=WEEKLY;INTERVAL=5000;BYDAY=FR", kStart, rcNone, 0},  // 35000 days: more than a rule holds
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", kStart, rcNone, 0},
      {"FREQ=WEEKLY;BYDAY=MO", kStart, rcNone, 0},
      {"FREQ=MONTHLY;BYMONTHDAY=10", kStart, rcMonthlyByDate, 0},
      {"FREQ=MONTHLY;BYMONTHDAY=11", kStart, rcNone, 0},
      {"FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=10", kStart, rcNone, 0},
      {"FREQ=MONTHLY;BYMONTHDAY=31", friday31, rcNone, 0},
      {"FREQ=MONTHLY;BYDAY=2FR", kStart, rcMonthlyByDay, 0},
      {"FREQ=MONTHLY;BYDAY=2TH", kStart, rcNone, 0},
      {"FREQ=MONTHLY;BYDAY=-1FR", friday31, rcNone, 0},
      {"FREQ=YEARLY", kStart, rcYearlyByDate, 0},
      {"FREQ=YEARLY", leapDay, rcNone, 0},
      {"FREQ=DAILY;COUNT=5", kStart, rcNone, 0},
      {"FREQ=DAILY;UNTIL=20240601T235959", kStart, rcDaily, 0},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Rule);
    const std::optional<TVpRuleShape> shape = RuleShapeOf(row.Rule, row.Start, "");
    ASSERT_TRUE(shape);
    int interval = -1;
    EXPECT_EQ(RepeatCodeOf(*shape, row.Start, interval), row.Code);
    EXPECT_EQ(interval, row.Interval);
  }
}

// The last local day a rule reaches, for the store's window.
TEST(RuleRangeEnd, IsTheDayOfUntilOrOfTheLastCountedOccurrence) {
  const TLocalZone berlin("Europe/Berlin");
  struct TRow {
    const char* Rule;
    bool DateOnly;
    const char* Zone;
    double RangeEnd;
  };
  const TRow rows[] = {
      // From Friday 10 May: 13, 15, 17, 20, 22, 24, 27, 29, 31 May are the 2nd to the 10th.
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10", false, "", Day(2024, 5, 31)},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10", true, "", Day(2024, 5, 31)},
      {"FREQ=DAILY;COUNT=1", false, "", Day(2024, 5, 10)},
      // The start counts as the first even where the rule would not place it: 10 May, then the
      // last Fridays 31 May and 28 June.
      {"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3", false, "", Day(2024, 6, 28)},
      // 10:00 in Tokyo is 03:00 in Berlin: the last of three days' starts is 12 May locally too;
      // 23:00 in New York is 05:00 the next day in Berlin.
      {"FREQ=DAILY;COUNT=3", false, "Asia/Tokyo", Day(2024, 5, 12)},
      {"FREQ=DAILY;UNTIL=20240601", true, "", Day(2024, 6, 1)},
      {"FREQ=DAILY;UNTIL=20240601T235959", false, "", Day(2024, 6, 1)},
      // 1 June 23:30 UTC is 2 June 01:30 in Berlin.
      {"FREQ=DAILY;UNTIL=20240601T233000Z", false, "America/New_York", Day(2024, 6, 2)},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", false, "", kRepeatWithoutEnd},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Rule);
    const double start = row.DateOnly ? Day(2024, 5, 10) : kStart;
    EXPECT_EQ(RuleRangeEnd(row.Rule, start, row.DateOnly, row.Zone), row.RangeEnd);
  }
  EXPECT_EQ(RuleRangeEnd("FREQ=DAILY;COUNT=3", At(2024, 5, 10, 23, 0), false, "America/New_York"), Day(2024, 5, 13));
}

}  // namespace
