#include <gtest/gtest.h>

#include "tests/support/planner_fixture.h"
#include "views/day/time_slots.h"

namespace {

TEST(TimeSlots, SlotLengths) {
  EXPECT_DOUBLE_EQ(SlotLength(gr15Min), 1.0 / 96);
  EXPECT_DOUBLE_EQ(SlotLength(gr60Min), 1.0 / 60) << "the day view's hour geometry: 24 minutes";
  EXPECT_EQ(SlotsBeforeHour(13, gr20Min), 39);
  EXPECT_EQ(SlotsBeforeHour(13, gr60Min), 13);
}

TEST(TimeSlots, StartAndEndSlots) {
  EXPECT_EQ(SlotOfStart(gr30Min, At(2024, 5, 3, 9, 0)), 18);
  EXPECT_EQ(SlotOfEnd(gr30Min, At(2024, 5, 3, 10, 0)), 19);
  EXPECT_EQ(SlotOfEnd(gr30Min, At(2024, 5, 3)), 0) << "a small negative quotient cuts to 0";
  // Exact boundaries: 09:29 plus a minute is exactly the start of slot 19.
  EXPECT_EQ(SlotOfStart(gr30Min, At(2024, 5, 3, 9, 29)), 19);
  EXPECT_EQ(SlotOfStart(gr30Min, At(2024, 5, 3, 9, 28)), 18);
  EXPECT_EQ(SlotOfEnd(gr30Min, At(2024, 5, 3, 10, 1)), 20);
  EXPECT_EQ(SlotOfStart(gr60Min, At(2024, 5, 3, 23, 59)), 24);
  EXPECT_EQ(SlotOfEnd(gr60Min, At(2024, 5, 3, 23, 59)), 23);
  EXPECT_EQ(SlotOfStart(gr05Min, At(2024, 5, 3, 0, 4)), 1);
  EXPECT_EQ(SlotOfStart(gr06Min, At(2024, 5, 3, 0, 4)), 0);
}

TEST(TimeSlots, UnknownGranularityCountsAsHalfHours) {
  EXPECT_EQ(GranularityMinutes(static_cast<TVpGranularity>(9)), 30);
}

}  // namespace
