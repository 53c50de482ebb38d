#include <gtest/gtest.h>

#include "views/day/time_slot_color.h"

namespace {

TEST(TimeSlotColor, ChangesRepaintTheDayView) {
  TVpTimeSlotColor colors;
  int repaints = 0;
  colors.OnRepaint = [&] { ++repaints; };
  colors.SetActive(colors.Active());
  EXPECT_EQ(repaints, 0);
  colors.SetWeekday(clSilver);
  EXPECT_EQ(repaints, 1);
  colors.ActiveRange().SetRangeBegin(8);
  EXPECT_EQ(repaints, 2);
}

}  // namespace
