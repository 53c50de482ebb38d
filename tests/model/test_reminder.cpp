#include <gtest/gtest.h>

#include "model/enumerations.h"
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

}  // namespace
