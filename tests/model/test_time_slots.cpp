#include <gtest/gtest.h>

#include "model/time_slots.h"
#include "tests/model/model_test_support.h"

namespace {

TEST(TimeSlots, SlotLengthsAndCounts) {
  const TVpGranularity all[] = {gr05Min, gr06Min, gr10Min, gr15Min, gr20Min, gr30Min, gr60Min};
  const int minutes[] = {5, 6, 10, 15, 20, 30, 60};
  const int perHour[] = {12, 10, 6, 4, 3, 2, 1};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(static_cast<int>(all[i]), i);
    EXPECT_EQ(GranularityMinutes(all[i]), minutes[i]);
    EXPECT_EQ(SlotsPerHour(all[i]), perHour[i]);
    EXPECT_EQ(SlotsBeforeHour(13, all[i]), 13 * perHour[i]);
    if (all[i] != gr60Min) {
      EXPECT_DOUBLE_EQ(SlotLength(all[i]), minutes[i] / 1440.0);
    }
  }
  EXPECT_DOUBLE_EQ(SlotLength(gr15Min), 1.0 / 96);
  EXPECT_DOUBLE_EQ(SlotLength(gr60Min), 1.0 / 60) << "the day view's hour geometry: 24 minutes";
}

TEST(TimeSlots, StartAndEndSlots) {
  EXPECT_EQ(SlotOfStart(gr30Min, At(2024, 5, 3, 9, 0)), 18);
  EXPECT_EQ(SlotOfEnd(gr30Min, At(2024, 5, 3, 10, 0)), 19);
  EXPECT_EQ(SlotOfEnd(gr30Min, Day(2024, 5, 3)), 0) << "a small negative quotient cuts to 0";
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
