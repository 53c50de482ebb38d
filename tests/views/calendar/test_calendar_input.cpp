#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "store/control_link.h"
#include "tests/support/fake_timers.h"
#include "tests/support/recording_canvas.h"
#include "views/calendar/calendar.h"

namespace {

double Day(int year, int month, int day) { return EncodeDate(year, month, day); }

struct TChange {
  double Date;
  bool KeepOpen;
  friend bool operator==(const TChange&, const TChange&) = default;
};

// A calendar on 15 March 2024 (a Friday) with today 10 May 2024, painted at its default size so
// that clicks find their cells, recording its changes and the menus it asks for.
class CalendarInput : public ::testing::Test {
 protected:
  CalendarInput() : Calendar(Clock, Locale) {
    Clock.Set(Day(2024, 5, 10) + 0.5);
    Calendar.SetDate(Day(2024, 3, 15));
    Calendar.OnChange = [this](TVpCalendar& sender, double date) { Changes.push_back({date, sender.KeepOpen()}); };
    Calendar.OnShowMenu = [this](const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
      for (const TVpMenuItem& item : items) MenuCaptions.push_back(item.Caption);
      MenuPlacement = placement;
      return MenuChoice;
    };
    Paint();
  }

  void Paint() { Calendar.Paint(Canvas, {0, 0, TVpCalendar::DefaultWidth, TVpCalendar::DefaultHeight}); }
  void Click(TMouseButton button, int x, int y) {
    Calendar.MouseDown(button, 0, x, y);
    Calendar.MouseUp(button, 0, x, y);
  }
  std::string Shown() const {
    const TVpDate d = DecodeDate(Calendar.Date());
    return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
  }

  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpCalendar Calendar;
  TRecordingCanvas Canvas;
  std::vector<TChange> Changes;
  std::vector<std::string> MenuCaptions;
  TVpMenuPlacement MenuPlacement;
  int MenuChoice = -1;
};

TEST_F(CalendarInput, KeysMoveTheDate) {
  struct TKeyRow {
    const char* Name;
    double From;
    int Key;
    TShiftState Shift;
    double To;
  };
  const double mar15 = Day(2024, 3, 15);
  const std::vector<TKeyRow> rows = {
      {"Left", mar15, VK_LEFT, 0, Day(2024, 3, 14)},
      {"Right", mar15, VK_RIGHT, 0, Day(2024, 3, 16)},
      {"Ctrl+Left", mar15, VK_LEFT, ssCtrl, Day(2024, 2, 15)},
      {"Ctrl+Right", mar15, VK_RIGHT, ssCtrl, Day(2024, 4, 15)},
      {"Shift+Left", mar15, VK_LEFT, ssShift, Day(2023, 3, 15)},
      {"Shift+Right", mar15, VK_RIGHT, ssShift, Day(2025, 3, 15)},
      {"Up", mar15, VK_UP, 0, Day(2024, 3, 8)},
      {"Down", mar15, VK_DOWN, 0, Day(2024, 3, 22)},
      {"Ctrl+Up", mar15, VK_UP, ssCtrl, Day(2023, 3, 15)},
      {"Ctrl+Down", mar15, VK_DOWN, ssCtrl, Day(2025, 3, 15)},
      {"Shift+Up", mar15, VK_UP, ssShift, Day(2024, 2, 15)},
      {"Shift+Down", mar15, VK_DOWN, ssShift, Day(2024, 4, 15)},
      {"Page Up", mar15, VK_PRIOR, 0, Day(2024, 2, 15)},
      {"Page Down", mar15, VK_NEXT, 0, Day(2024, 4, 15)},
      {"Ctrl+Page Up", mar15, VK_PRIOR, ssCtrl, Day(2023, 3, 15)},
      {"Ctrl+Page Down", mar15, VK_NEXT, ssCtrl, Day(2025, 3, 15)},
      {"Home", mar15, VK_HOME, 0, Day(2024, 3, 1)},
      {"Ctrl+Home", mar15, VK_HOME, ssCtrl, Day(2024, 1, 1)},
      {"End", mar15, VK_END, 0, Day(2024, 3, 31)},
      {"Ctrl+End", mar15, VK_END, ssCtrl, Day(2024, 12, 31)},
      {"Alt+Backspace", mar15, VK_BACK, ssAlt, Day(2024, 5, 10)},
      {"month step lowers the day", Day(2024, 1, 31), VK_NEXT, 0, Day(2024, 2, 29)},
      {"year step lowers the day", Day(2024, 2, 29), VK_RIGHT, ssShift, Day(2025, 2, 28)},
      {"day step crosses the year", Day(2024, 12, 31), VK_RIGHT, 0, Day(2025, 1, 1)},
  };
  for (const TKeyRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Calendar.SetDate(row.From);
    Changes.clear();
    EXPECT_TRUE(Calendar.KeyDown(row.Key, row.Shift));
    EXPECT_EQ(Calendar.Date(), row.To);
    // Every key that moved the date tells OnChange so, keeping a drop-down open.
    EXPECT_EQ(Changes, (std::vector<TChange>{{row.To, true}}));
  }
}

TEST_F(CalendarInput, KeysThatDoNotMoveRaiseNoChange) {
  Calendar.SetDate(Day(2024, 3, 1));
  EXPECT_TRUE(Calendar.KeyDown(VK_HOME, 0));
  EXPECT_FALSE(Calendar.KeyDown(VK_LEFT, ssAlt));
  EXPECT_FALSE(Calendar.KeyDown(VK_BACK, 0));
  EXPECT_FALSE(Calendar.KeyDown(VK_DELETE, 0));
  EXPECT_EQ(Calendar.Date(), Day(2024, 3, 1));
  EXPECT_TRUE(Changes.empty());
}

TEST_F(CalendarInput, EscapeReturnsToTheDateTheFocusCameWith) {
  Calendar.FocusChanged(true);
  Calendar.KeyDown(VK_NEXT, 0);
  Calendar.KeyDown(VK_RIGHT, 0);
  EXPECT_TRUE(Calendar.KeyDown(VK_ESCAPE, 0));
  EXPECT_EQ(Calendar.Date(), Day(2024, 3, 15));
  EXPECT_EQ(Calendar.RevertDate(), Day(2024, 3, 15));
}

TEST_F(CalendarInput, CharactersChooseOrStep) {
  EXPECT_TRUE(Calendar.KeyPress(U'+'));
  EXPECT_TRUE(Calendar.KeyPress(U'+'));
  EXPECT_TRUE(Calendar.KeyPress(U'-'));
  EXPECT_EQ(Calendar.Date(), Day(2024, 3, 16));
  EXPECT_TRUE(Calendar.KeyPress(U'\r'));  // a choice: the drop-down may close
  EXPECT_TRUE(Calendar.KeyPress(0x1A));   // Ctrl+Z: today
  EXPECT_EQ(Calendar.Date(), Day(2024, 5, 10));
  EXPECT_FALSE(Calendar.KeyPress(U'x'));
  EXPECT_EQ(Changes, (std::vector<TChange>{{Day(2024, 3, 16), true},
                                           {Day(2024, 3, 17), true},
                                           {Day(2024, 3, 16), true},
                                           {Day(2024, 3, 16), false},
                                           {Day(2024, 5, 10), true}}));
}

TEST_F(CalendarInput, ReadOnlyCalendarTakesNoKeysClicksOrWheel) {
  Calendar.SetReadOnly(true);
  EXPECT_FALSE(Calendar.KeyDown(VK_RIGHT, 0));
  EXPECT_FALSE(Calendar.KeyPress(U'+'));
  EXPECT_FALSE(Calendar.MouseWheel(0, 120, 0, 0));
  Click(mbLeft, 20, 58);  // a day cell
  const TRect nextMonth = *Calendar.ButtonRect(cbNextMonth);
  Click(mbLeft, nextMonth.Left + 2, nextMonth.Top + 2);
  EXPECT_EQ(Calendar.Date(), Day(2024, 3, 15));
  EXPECT_TRUE(Changes.empty());
}

TEST_F(CalendarInput, WheelStepsByTheSizeOfTheTurn) {
  struct TWheelRow {
    const char* Name;
    int Delta;
    double To;
  };
  const std::vector<TWheelRow> rows = {
      {"one notch away goes a month back", 120, Day(2024, 2, 15)},
      {"one notch toward goes a month on", -120, Day(2024, 4, 15)},
      {"more than a notch is a year", 240, Day(2023, 3, 15)},
      {"less than a notch is a week", 60, Day(2024, 3, 8)},
      {"a fine turn toward", -1, Day(2024, 3, 22)},
      {"the largest turn", -2147483647 - 1, Day(2025, 3, 15)},
  };
  for (const TWheelRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Calendar.SetDate(Day(2024, 3, 15));
    EXPECT_TRUE(Calendar.MouseWheel(0, row.Delta, 0, 0));
    EXPECT_EQ(Calendar.Date(), row.To);
  }
  EXPECT_FALSE(Calendar.MouseWheel(0, 0, 0, 0));
}

TEST_F(CalendarInput, DisabledDatesAreSkippedInTheDirectionOfTheMove) {
  // Weekends disabled.
  Calendar.OnGetDateEnabled = [](TVpCalendar&, double date, bool& enabled) {
    enabled = DayOfWeek(date) != 1 && DayOfWeek(date) != 7;
  };
  struct TSkipRow {
    const char* Name;
    double From;
    int Key;
    TShiftState Shift;
    const char* To;
  };
  const std::vector<TSkipRow> rows = {
      {"Right from Friday goes on to Monday", Day(2024, 3, 15), VK_RIGHT, 0, "2024-3-18"},
      {"Left from Monday goes back to Friday", Day(2024, 3, 18), VK_LEFT, 0, "2024-3-15"},
      {"End stays in the month when its last day is a Sunday", Day(2024, 3, 4), VK_END, 0, "2024-3-29"},
      {"Home finds the first weekday", Day(2024, 6, 12), VK_HOME, 0, "2024-6-3"},
      {"Ctrl+End finds the last weekday of the year", Day(2024, 6, 12), VK_END, ssCtrl, "2024-12-31"},
      {"a month step to a Saturday takes the nearest weekday", Day(2024, 5, 15), VK_NEXT, 0, "2024-6-14"},
  };
  for (const TSkipRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Calendar.SetDate(row.From);
    Calendar.KeyDown(row.Key, row.Shift);
    EXPECT_EQ(Shown(), row.To);
  }
  // Undirected moves take the nearest date, later ones first: today, Friday 10 May, disabled too.
  Calendar.OnGetDateEnabled = [](TVpCalendar&, double date, bool& enabled) {
    enabled = date != Day(2024, 5, 10) && date != Day(2024, 5, 11);
  };
  Calendar.KeyDown(VK_BACK, ssAlt);
  EXPECT_EQ(Shown(), "2024-5-9");
  EXPECT_EQ(Calendar.NearestEnabledDate(1, Day(2024, 5, 10)), Day(2024, 5, 9));
  EXPECT_EQ(Calendar.NearestEnabledDate(-1, Day(2024, 5, 11)), Day(2024, 5, 12));
}

TEST_F(CalendarInput, NoEnabledDateWithinReachRaisesAndKeepsTheDate) {
  Calendar.OnGetDateEnabled = [](TVpCalendar&, double, bool& enabled) { enabled = false; };
  try {
    Calendar.KeyDown(VK_RIGHT, 0);
    ADD_FAILURE() << "no error raised";
  } catch (const EVpCalendarError& error) {
    EXPECT_STREQ(error.what(), "Error: Invalid Date.");
  }
  EXPECT_EQ(Calendar.Date(), Day(2024, 3, 15));
  EXPECT_TRUE(Changes.empty());
}

TEST_F(CalendarInput, StepsStopAtTheEndsOfTheCalendarRange) {
  // Years below 100 cannot be drawn: a step there stops on the first day of year 100, and the
  // calendar still paints.
  Calendar.SetDate(Day(100, 6, 15));
  Calendar.KeyDown(VK_LEFT, ssShift);
  EXPECT_EQ(Shown(), "100-1-1");
  Calendar.KeyDown(VK_LEFT, 0);
  Calendar.KeyDown(VK_PRIOR, 0);
  EXPECT_EQ(Shown(), "100-1-1");
  EXPECT_NO_THROW(Paint());
  Calendar.SetDate(Day(9999, 12, 31));
  Calendar.KeyDown(VK_RIGHT, 0);
  Calendar.MouseWheel(0, -240, 0, 0);
  EXPECT_EQ(Shown(), "9999-12-31");
  EXPECT_NO_THROW(Paint());
}

TEST_F(CalendarInput, DateOutsideTheRangeIsRefusedBeforeItIsStored) {
  for (const double date : {Day(99, 12, 31), Day(10000, 1, 1), -700000.0}) {
    SCOPED_TRACE(date);
    try {
      Calendar.SetDate(date);
      ADD_FAILURE() << "no error raised";
    } catch (const EVpCalendarError& error) {
      EXPECT_STREQ(error.what(), "Error: Invalid Date.");
    }
    EXPECT_EQ(Calendar.Date(), Day(2024, 3, 15));
  }
}

TEST_F(CalendarInput, ClickOnADayOfTheMonthChoosesIt) {
  // 20 March 2024: fourth column (Wednesday) of the fourth week row; cells 28 wide from x = 4,
  // week rows 12 high from y = 52.
  Click(mbLeft, 4 + 3 * 28 + 5, 52 + 3 * 12 + 5);
  EXPECT_EQ(Shown(), "2024-3-20");
  EXPECT_EQ(Changes, (std::vector<TChange>{{Day(2024, 3, 20), false}}));
  // A click on the selected day chooses it again.
  Click(mbLeft, 4 + 3 * 28 + 5, 52 + 3 * 12 + 5);
  EXPECT_EQ(Changes.size(), 2u);
  // Other buttons move without choosing.
  Click(mbMiddle, 10, 80);  // Sunday 10 March
  EXPECT_EQ(Shown(), "2024-3-10");
  EXPECT_EQ(Changes.size(), 2u);
}

TEST_F(CalendarInput, ClickOnANeighbouringMonthNeedsItShown) {
  Click(mbLeft, 10, 55);  // 25 February, not shown
  EXPECT_EQ(Shown(), "2024-3-15");
  EXPECT_TRUE(Changes.empty());
  Calendar.SetOptions(Calendar.Options() | CalOption(cdoShowInactive));
  Click(mbLeft, 10, 55);
  EXPECT_EQ(Shown(), "2024-2-25");
  EXPECT_EQ(Changes, (std::vector<TChange>{{Day(2024, 2, 25), true}}));  // a drop-down stays open
}

TEST_F(CalendarInput, ButtonsActLikeTheirKeys) {
  struct TButtonRow {
    TVpCalendarButton Button;
    const char* After;
  };
  const std::vector<TButtonRow> rows = {{cbNextMonth, "2024-4-15"},     {cbNextYear, "2025-4-15"},
                                        {cbPreviousMonth, "2025-3-15"}, {cbPreviousYear, "2024-3-15"},
                                        {cbToday, "2024-5-10"},         {cbRevert, "2024-3-15"}};
  Calendar.FocusChanged(true);  // the revert date: 15 March
  for (const TButtonRow& row : rows) {
    SCOPED_TRACE(CalendarButtonHint(row.Button));
    const TRect rect = *Calendar.ButtonRect(row.Button);
    Calendar.MouseDown(mbLeft, 0, rect.Left + 2, rect.Top + 2);
    EXPECT_EQ(Shown(), row.After);
  }
}

TEST_F(CalendarInput, RightPressOpensTheCalendarsMenuAlsoWhenReadOnly) {
  Calendar.SetReadOnly(true);
  MenuChoice = 1;  // Next Month
  Calendar.MouseDown(mbRight, 0, 50, 70);
  EXPECT_EQ(MenuCaptions,
            (std::vector<std::string>{"Today", "Next Month", "Previous Month", "Next Year", "Previous Year"}));
  EXPECT_EQ(MenuPlacement.At, (TPoint{50, 70}));
  EXPECT_EQ(Shown(), "2024-4-15");
  EXPECT_TRUE(Calendar.Focused());
  // "Today" takes the time of day too.
  MenuChoice = 0;
  Calendar.MouseDown(mbRight, 0, 50, 70);
  EXPECT_EQ(Calendar.Date(), Day(2024, 5, 10) + 0.5);
}

TEST_F(CalendarInput, TitleClickListsTheMonthsAroundTheShownOne) {
  struct TMonthRow {
    const char* Name;
    double From;
    int Choice;
    std::vector<std::string> Months;
    const char* To;
  };
  const std::vector<TMonthRow> rows = {
      {"three months back",
       Day(2024, 3, 15),
       0,
       {"December", "January", "February", "March", "April", "May", "June"},
       "2023-12-15"},
      {"three months on",
       Day(2024, 3, 15),
       6,
       {"December", "January", "February", "March", "April", "May", "June"},
       "2024-6-15"},
      {"back over the year",
       Day(2024, 1, 31),
       1,
       {"October", "November", "December", "January", "February", "March", "April"},
       "2023-11-30"},
      {"on over the year",
       Day(2024, 11, 30),
       5,
       {"August", "September", "October", "November", "December", "January", "February"},
       "2025-1-30"},
  };
  for (const TMonthRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Calendar.SetDate(row.From);
    Changes.clear();
    MenuCaptions.clear();
    MenuChoice = row.Choice;
    Click(mbLeft, 100, 12);
    EXPECT_EQ(MenuCaptions, row.Months);
    EXPECT_EQ(MenuPlacement.At, (TPoint{80, 12}));
    EXPECT_EQ(MenuPlacement.RaiseByItems, 3.5);
    EXPECT_EQ(Shown(), row.To);
    EXPECT_EQ(Changes.size(), 1u);
  }
}

TEST_F(CalendarInput, DateChangesTravelOverTheControlLink) {
  TVpControlLink link;
  TVpCalendar other(Clock, Locale);
  Calendar.SetControlLink(&link);
  other.SetControlLink(&link);
  int repaints = 0;
  other.OnInvalidate = [&] { ++repaints; };

  Calendar.SetDate(Day(2024, 7, 1));
  EXPECT_EQ(other.Date(), Day(2024, 7, 1));
  EXPECT_TRUE(Changes.empty());  // the setter raises no OnChange
  // The follower does not send the date back (the sender would be told its own date again).
  Calendar.OnInvalidate = [&] { ADD_FAILURE() << "the sender was told again"; };
  other.HandleLinkNotification(&Calendar, nkDateChanged, Day(2024, 8, 1));
  EXPECT_EQ(Calendar.Date(), Day(2024, 7, 1));
  Calendar.OnInvalidate = nullptr;

  repaints = 0;
  other.HandleLinkNotification(&Calendar, nkRepaint, 0);
  EXPECT_EQ(repaints, 0);
  other.HandleLinkNotification(&Calendar, nkRepaintAll, 0);
  EXPECT_EQ(repaints, 1);
  // A date the calendar cannot hold is not followed.
  other.HandleLinkNotification(&Calendar, nkDateChanged, Day(50, 1, 1));
  EXPECT_EQ(other.Date(), Day(2024, 8, 1));
}

}  // namespace
