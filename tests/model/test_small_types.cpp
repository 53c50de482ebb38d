#include <gtest/gtest.h>

#include "model/category_color_map.h"
#include "model/record_captions.h"
#include "model/time_range.h"
#include "tests/model/model_test_support.h"

namespace {

TEST(TimeRange, MovingOneEndPastTheOtherPushesItAlong) {
  TVpTimeRange range;
  range.SetEndTime(EncodeTime(9, 0));
  range.SetStartTime(EncodeTime(10, 0));
  EXPECT_EQ(range.EndTime(), EncodeTime(10, 30));
  EXPECT_EQ(range.StartTime(), EncodeTime(10, 0));
  range.SetEndTime(EncodeTime(8, 0));
  EXPECT_EQ(range.StartTime(), EncodeTime(7, 30));
  EXPECT_EQ(range.EndTime(), EncodeTime(8, 0));
}

TEST(TimeRange, HoursStayWithinTheDay) {
  TVpTimeRange range;
  range.SetRangeBegin(23);
  EXPECT_EQ(range.RangeBegin(), h_23);
  EXPECT_EQ(range.RangeEnd(), h_23) << "the hour after 23 is not an hour of the day";
  EXPECT_EQ(range.StartTime(), EncodeTime(23, 0));
  range.SetRangeEnd(0);
  EXPECT_EQ(range.RangeBegin(), h_00);
  EXPECT_EQ(range.RangeEnd(), h_00);
  EXPECT_EQ(range.EndTime(), 0);
  range.SetRangeEnd(40);
  EXPECT_EQ(range.RangeEnd(), h_23);
  range.SetRangeBegin(-5);
  EXPECT_EQ(range.RangeBegin(), h_00);
}

TEST(TimeRange, RangeBeginPushesTheEndHourOnly) {
  TVpTimeRange range;
  range.SetRangeEnd(8);
  range.SetRangeBegin(10);
  EXPECT_EQ(range.RangeEnd(), h_11);
  EXPECT_EQ(range.EndTime(), EncodeTime(10, 30)) << "EndTime follows the start, not the hour";
}

TEST(CategoryColorMap, NumbersOutsideTheTenHaveNoColourOrName) {
  TVpCategoryColorMap map;
  EXPECT_EQ(map.Color(9), clMaroon);
  EXPECT_EQ(map.Description(9), "Category 9");
  EXPECT_EQ(map.Category(9)->Index(), 9);
  EXPECT_EQ(map.Color(10), 0u);
  EXPECT_EQ(map.Color(-1), 0u);
  EXPECT_EQ(map.Description(10), "");
  EXPECT_EQ(map.Category(10), nullptr);
}

TEST(RecordCaptions, CodesOutsideTheTablesHaveNoCaption) {
  EXPECT_EQ(PhoneTypeCaption(16), "Work Fax");
  EXPECT_EQ(PhoneTypeCaption(17), "");
  EXPECT_EQ(ContactCategoryCaption(5), "");
  EXPECT_EQ(RepeatCodeCaption(8), "");
  EXPECT_EQ(AlarmAdvanceTypeCaption(-1), "");
}

}  // namespace
