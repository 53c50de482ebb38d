#include <gtest/gtest.h>

#include "app/core/settings/view_settings.h"
#include "app/core/windows/main_view_looks.h"
#include "platform/english_locale.h"
#include "tests/support/fake_timers.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

namespace {

struct TDayViewCase {
  const char* Name;
  int Gran;
  int TimeFormat;
  TVpGranularity ExpectedGranularity;
  TVpTimeFormat ExpectedTimeFormat;
};

class DayViewSettings : public ::testing::TestWithParam<TDayViewCase> {};

// The day view starts at 15-minute slots and 24 hours here, so that "changes nothing" shows.
TEST_P(DayViewSettings, GranularityAndTimeFormatTakeOnlyValidValues) {
  TFakeClock clock;
  TEnglishLocale locale;
  TVpDayView view(clock, locale);
  view.SetGranularity(gr15Min);
  view.SetTimeFormat(tf24Hour);
  TProgramSettings settings;
  settings.DailyGran = GetParam().Gran;
  settings.TimeFormat = GetParam().TimeFormat;
  ApplyDayViewSettings(view, settings);
  EXPECT_EQ(view.Granularity(), GetParam().ExpectedGranularity);
  EXPECT_EQ(view.TimeFormat(), GetParam().ExpectedTimeFormat);
}

INSTANTIATE_TEST_SUITE_P(Cases, DayViewSettings,
                         ::testing::Values(TDayViewCase{"Five", 5, 1, gr30Min, tf24Hour},
                                           TDayViewCase{"MinusOneCountsAsFive", -1, 1, gr30Min, tf24Hour},
                                           TDayViewCase{"Hourly", 6, 0, gr60Min, tf12Hour},
                                           TDayViewCase{"OutOfRangeChangesNothing", 9, 7, gr15Min, tf24Hour}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(DayViewSettingsFonts, FontsAndColoursReachTheView) {
  TFakeClock clock;
  TEnglishLocale locale;
  TVpDayView view(clock, locale);
  TProgramSettings settings;
  settings.DailyHourFont = {"DejaVu Serif", 1, clNavy, 18, 1 | 16};  // 16: no such style bit
  settings.DailyWEColor = clYellow;
  settings.DailyLineColor = clRed;
  ApplyDayViewSettings(view, settings);
  const TFont& hour = view.RowHeadAttributes().HourFont().Font();
  EXPECT_EQ(hour.Name, "DejaVu Serif");
  EXPECT_EQ(hour.Size, 18);
  EXPECT_EQ(hour.Color, clNavy);
  EXPECT_EQ(hour.Style, static_cast<TFontStyles>(fsBold));
  EXPECT_EQ(view.TimeSlotColors().Weekend(), clYellow);
  EXPECT_EQ(view.LineColor(), clRed);
}

TEST(WeekViewSettings, FontsColoursAndTimeFormatReachTheView) {
  TFakeClock clock;
  TEnglishLocale locale;
  TVpWeekView view(clock, locale);
  TProgramSettings settings;
  settings.WeeklyDFont = {"DejaVu Serif", 1, clNavy, 12, 2};
  settings.WeeklyBGColor = clYellow;
  settings.WeeklyADBGColor = clAqua;
  settings.TimeFormat = 1;
  ApplyWeekViewSettings(view, settings);
  EXPECT_EQ(view.DayHeadAttributes().Font().Name(), "DejaVu Serif");
  EXPECT_EQ(view.DayHeadAttributes().Font().Style(), static_cast<TFontStyles>(fsItalic));
  EXPECT_EQ(view.Color(), clYellow);
  EXPECT_EQ(view.AllDayEventAttributes().BackgroundColor(), clYellow) << "the all-day area takes the background";
  EXPECT_EQ(view.AllDayEventAttributes().EventBackgroundColor(), clAqua);
  EXPECT_EQ(view.TimeFormat(), tf24Hour);
  settings.TimeFormat = 7;
  view.SetTimeFormat(tf12Hour);
  ApplyWeekViewSettings(view, settings);
  EXPECT_EQ(view.TimeFormat(), tf12Hour) << "an unknown time format changes nothing";
}

TEST(ContactGridSettings, TheColumnWidthIsClampedAndTheLooksAreTaken) {
  TVpContactGrid grid;
  ConfigureMainContactGrid(grid);
  EXPECT_EQ(grid.ContactHeadAttributes().Font().Name(), "MS Sans Serif");
  TProgramSettings settings;
  settings.ContactsCW = 999999999;
  settings.ContactsBarColor = clRed;
  ApplyContactGridSettings(grid, settings);
  EXPECT_EQ(grid.ColumnWidth(), TVpContactGrid::kMaxColumnWidth) << "no card image of a billion pixels";
  EXPECT_EQ(grid.BarColor(), clRed);
  settings.ContactsCW = 10;
  ApplyContactGridSettings(grid, settings);
  EXPECT_EQ(grid.ColumnWidth(), TVpContactGrid::kMaxColumnWidth) << "below 50 is ignored";
}

TEST(TaskListSettings, DisplayOptionsAndColoursReachTheList) {
  TFakeClock clock;
  TEnglishLocale locale;
  TVpTaskList list(clock, locale);
  TProgramSettings settings;
  settings.TasksShowAll = true;
  settings.TasksShowCompleted = false;
  settings.TasksShowDue = false;
  settings.TasksCompletedColor = clNavy;
  settings.TasksOverDueColor = clAqua;
  ApplyTaskListSettings(list, settings);
  const TVpTaskDisplayOptions& options = list.DisplayOptions();
  EXPECT_TRUE(options.ShowAll());
  EXPECT_FALSE(options.ShowCompletedTasks());
  EXPECT_FALSE(options.ShowDueDate());
  EXPECT_EQ(options.CompletedColor(), clNavy);
  EXPECT_EQ(options.OverdueColor(), clAqua);
}

}  // namespace
