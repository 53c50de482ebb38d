#include <gtest/gtest.h>

#include "app/core/windows/calendar_window_logic.h"
#include "model/date_helpers.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"

namespace {

TEST(CalendarWindowLogic, TheListsHoldTheMonthNamesAndTheYears1900To2200) {
  const TEnglishLocale locale;
  const std::vector<std::string> months = MonthListNames(locale);
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months.front(), "January");
  EXPECT_EQ(months.back(), "December");
  const std::vector<std::string> years = YearListNames();
  ASSERT_EQ(years.size(), 301u);
  EXPECT_EQ(years.front(), "1900");
  EXPECT_EQ(years.back(), "2200");
}

TEST(CalendarWindowLogic, AYearOutsideTheListLeavesItsSelectionAlone) {
  EXPECT_EQ(YearListIndex(At(1900, 1, 1)), 0);
  EXPECT_EQ(YearListIndex(At(2024, 9, 2)), 124);
  EXPECT_EQ(YearListIndex(At(2200, 12, 31)), 300);
  EXPECT_EQ(YearListIndex(At(1899, 12, 31)), std::nullopt);
  EXPECT_EQ(YearListIndex(At(2201, 1, 1)), std::nullopt);
}

TEST(CalendarWindowLogic, TheListsChooseTheMonthOnTheCurrentDayLoweredToItsLength) {
  struct TCase {
    const char* Year;
    int Month;
    double Current;
    std::optional<double> Expected;
  };
  const TCase cases[] = {
      {"2024", 2, At(2024, 1, 31), At(2024, 2, 29)}, {"2023", 2, At(2024, 1, 31), At(2023, 2, 28)},
      {"2030", 7, At(2024, 1, 15), At(2030, 7, 15)}, {"", 2, At(2024, 1, 31), std::nullopt},  // the list shows no year
      {"1899", 2, At(2024, 1, 31), std::nullopt},                                             // typed past the list
      {"20x4", 2, At(2024, 1, 31), std::nullopt},    {"2024", 0, At(2024, 1, 31), std::nullopt},  // no month selected
  };
  for (const TCase& c : cases) EXPECT_EQ(ListedMonthDate(c.Year, c.Month, c.Current), c.Expected) << c.Year << c.Month;
}

TEST(CalendarWindowLogic, PreviousAndNextMonthKeepTheDayWithinTheMonth) {
  // The window's buttons move by MonthsLater.
  EXPECT_EQ(MonthsLater(1, At(2024, 1, 31)), At(2024, 2, 29));
  EXPECT_EQ(MonthsLater(-1, At(2024, 3, 31)), At(2024, 2, 29));
  EXPECT_EQ(MonthsLater(-1, At(2024, 1, 15)), At(2023, 12, 15));
}

}  // namespace
