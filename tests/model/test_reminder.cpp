#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/occurrences.h"
#include "model/reminder.h"
#include "tests/model/model_test_support.h"

namespace {

class Reminder : public ::testing::Test, public TPlannerFixture {
 protected:
  Reminder() {
    Event = Resource->Schedule().AddEvent(1, At(2024, 5, 3, 10, 0), At(2024, 5, 3, 11, 0));
    Event->SetAlarmSet(true);
    Event->SetAlarmAdvance(15);
    Event->SetAlarmAdvanceType(atMinutes);
  }
  static double Ms(double value, int ms) { return FromMs(ToMs(value) + ms); }
  TVpEvent* Event;
};

TEST_F(Reminder, DueStrictlyAfterTheLeadTime) {
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 9, 45))) << "a tick at exactly 09:45:00.000 does not fire";
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 3, 9, 45), 1)));
  EXPECT_TRUE(IsAlarmDue(*Event, At(2024, 5, 4, 9, 0))) << "a reminder already past is due";
  Event->SetAlarmSet(false);
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 9, 50)));
}

TEST_F(Reminder, SnoozeHoldsItBack) {
  Event->SetSnoozeTime(At(2024, 5, 3, 9, 55));
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 9, 50)));
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 9, 55)));
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 3, 9, 55), 1)));
}

TEST_F(Reminder, LeadTimeUnits) {
  Event->SetAlarmAdvance(2);
  Event->SetAlarmAdvanceType(atHours);
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 8, 0)));
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 3, 8, 0), 1)));
  Event->SetAlarmAdvanceType(atDays);
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 1, 10, 0), 1)));
  Event->SetAlarmAdvanceType(7);  // an unknown unit has no lead time
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 3, 9, 59)));
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 3, 10, 0), 1)));
}

TEST(AlarmAdvanceAsDays, EachUnit) {
  EXPECT_DOUBLE_EQ(AlarmAdvanceAsDays(15, atMinutes), 15.0 / 1440);
  EXPECT_DOUBLE_EQ(AlarmAdvanceAsDays(2, atHours), 120.0 / 1440);
  EXPECT_DOUBLE_EQ(AlarmAdvanceAsDays(3, atDays), 3.0);
  EXPECT_DOUBLE_EQ(AlarmAdvanceAsDays(3, 3), 0.0);
  EXPECT_DOUBLE_EQ(AlarmAdvanceAsDays(100'000'000, atHours), 100'000'000 / 24.0);
}

// Each occurrence of a series reminds on its own: the occurrence reminded of is the latest whose
// reminder time has passed, checked against a walk over every day from the start (FallsOn), and
// dismissing it (SnoozeTime at the next one's reminder) leaves the next occurrence's reminder on.
TEST_F(Reminder, EachOccurrenceOfASeriesRemindsOnItsOwn) {
  const struct {
    int Code;
    int Interval;
  } repeats[] = {{rcDaily, 0},       {rcWeekly, 0},       {rcMonthlyByDay, 0}, {rcMonthlyByDate, 0},
                 {rcYearlyByDay, 0}, {rcYearlyByDate, 0}, {rcCustom, 3},       {rcCustom, 2000}};
  const double moments[] = {At(2024, 5, 3, 9, 0),  At(2024, 5, 10, 9, 50), At(2024, 5, 10, 9, 40),
                            At(2024, 6, 7, 12, 0), At(2025, 5, 3, 9, 46),  At(2029, 1, 1, 0, 0)};
  const int lead = 15;
  for (const auto& r : repeats) {
    Event->SetRepeatCode(static_cast<std::uint8_t>(r.Code));
    Event->SetCustomInterval(r.Interval);
    Event->SetRepeatRangeEnd(At(2028, 12, 31, 0, 0));
    for (const double now : moments) {
      // The oracle: every occurrence's start in order, by the day-by-day rule.
      std::vector<double> starts;
      for (double day = At(2024, 5, 3, 0, 0); day <= At(2029, 1, 2, 0, 0); ++day)
        if (FallsOn(*Event, day)) starts.push_back(day + TimeOf(Event->StartTime()));
      // The last occurrence whose reminder lies before now, or the first while none does.
      size_t last = 0;
      for (size_t i = 0; i < starts.size(); ++i)
        if (ToMs(starts[i]) - lead * kMsPerMinute < ToMs(now)) last = i;
      const double expected = starts[last];
      // The next occurrence's reminder in milliseconds, -1 for none.
      const std::int64_t next = last + 1 < starts.size() ? ToMs(starts[last + 1]) - lead * kMsPerMinute : -1;
      const std::string where =
          "code " + std::to_string(r.Code) + "/" + std::to_string(r.Interval) + " at " + std::to_string(now);
      EXPECT_EQ(ToMs(ReminderOccurrence(*Event, now)), ToMs(expected)) << where;
      const std::optional<double> got = NextReminderAfter(*Event, now);
      EXPECT_EQ(got ? ToMs(*got) : -1, next) << where;
    }
  }
}

TEST_F(Reminder, DismissingOneWeekLeavesTheNextWeeksReminderOn) {
  Event->SetRepeatCode(rcWeekly);
  Event->SetRepeatRangeEnd(At(9999, 12, 31, 0, 0));
  const double now = At(2024, 5, 10, 9, 50);
  ASSERT_TRUE(IsAlarmDue(*Event, now)) << "the second week's reminder";
  Event->SetSnoozeTime(*NextReminderAfter(*Event, now));  // what Dismiss does
  EXPECT_FALSE(IsAlarmDue(*Event, At(2024, 5, 17, 9, 45)));
  EXPECT_TRUE(IsAlarmDue(*Event, Ms(At(2024, 5, 17, 9, 45), 1))) << "the third week's reminder";

  // Missed for years, a daily series reminds once, of its latest occurrence, at once.
  Event->SetRepeatCode(rcDaily);
  Event->SetSnoozeTime(0);
  EXPECT_EQ(ReminderOccurrence(*Event, At(2026, 12, 11, 8, 0)), At(2026, 12, 10, 10, 0));
  EXPECT_FALSE(NextReminderAfter(*Event, At(2026, 12, 11, 8, 0)) == std::nullopt);

  // A series that ended reminds of its last occurrence and of none after it.
  Event->SetRepeatRangeEnd(At(2024, 5, 20, 0, 0));
  EXPECT_EQ(ReminderOccurrence(*Event, At(2026, 12, 11, 0, 0)), At(2024, 5, 20, 10, 0));
  EXPECT_EQ(NextReminderAfter(*Event, At(2026, 12, 11, 0, 0)), std::nullopt);
  Event->SetRepeatCode(rcNone);
  EXPECT_EQ(NextReminderAfter(*Event, At(2026, 12, 11, 0, 0)), std::nullopt);
}

}  // namespace
