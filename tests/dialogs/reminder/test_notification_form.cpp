#include <gtest/gtest.h>

#include "dialogs/reminder/notification_rules.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"

namespace {

class NotificationForm : public ::testing::Test {
 protected:
  NotificationForm() {
    Event.SetStartTime(At(2024, 5, 13, 10, 0));  // a Monday
    Event.SetEndTime(At(2024, 5, 13, 11, 0));
    Event.SetDescription("Dentist");
    Event.SetNotes("bring the card\r\nroom 2");
    Event.SetAlarmSet(true);
  }
  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpEvent Event;
};

TEST_F(NotificationForm, CaptionSaysOverdueOnlyOnceTheStartHasPassed) {
  const struct {
    const char* Name;
    double Now;
    const char* Caption;
  } cases[] = {
      {"a quarter before", At(2024, 5, 13, 9, 45), "Reminder : 5/13/2024 10:00 AM"},
      {"at the start", At(2024, 5, 13, 10, 0), "Reminder : 5/13/2024 10:00 AM"},
      {"a millisecond after", At(2024, 5, 13, 10, 0, 0, 1), "OVERDUE! : 5/13/2024 10:00 AM"},
      {"the next day", At(2024, 5, 14, 8, 0), "OVERDUE! : 5/13/2024 10:00 AM"},
  };
  TVpNotificationRules form(Clock, Locale, Event, clInfoBk);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Clock.Set(c.Now);
    EXPECT_EQ(form.Caption(), c.Caption);
  }
  EXPECT_EQ(form.Subject(), "Dentist");
  EXPECT_EQ(form.Notes(), "bring the card\nroom 2");
}

TEST_F(NotificationForm, SnoozeMovesTheReminderByTheChosenDelayFromNow) {
  const struct {
    int Index;
    const char* Text;
    double Expected;
  } cases[] = {
      {0, "5 Minutes", At(2024, 5, 13, 10, 5)}, {4, "45 Minutes", At(2024, 5, 13, 10, 45)},
      {5, "1 Hour", At(2024, 5, 13, 11, 0)},    {12, "8 Hours", At(2024, 5, 13, 18, 0)},
      {13, "1 Day", At(2024, 5, 14, 10, 0)},    {18, "6 Days", At(2024, 5, 19, 10, 0)},
      {19, "1 Week", At(2024, 5, 20, 10, 0)},
  };
  ASSERT_EQ(TVpNotificationRules::SnoozeDelays().size(), 20u);
  Clock.Set(At(2024, 5, 13, 10, 0));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TVpNotificationRules form(Clock, Locale, Event, clInfoBk);
    EXPECT_EQ(form.SnoozeIndex(), 0) << "5 Minutes until another is chosen";
    form.SelectSnooze(c.Index);
    EXPECT_STREQ(TVpNotificationRules::SnoozeDelays()[static_cast<size_t>(c.Index)].Text, c.Text);
    form.Apply(raSnooze, Event);
    EXPECT_EQ(Event.SnoozeTime(), c.Expected);
    EXPECT_TRUE(Event.AlarmSet());
  }
}

// A weekly series reminds of the week's occurrence, and Dismiss keeps the next week's reminder on;
// the last occurrence's Dismiss switches the reminder off.
TEST_F(NotificationForm, DismissingAnOccurrenceOfASeriesKeepsTheNextOnesReminder) {
  Event.SetRepeatCode(rcWeekly);
  Event.SetRepeatRangeEnd(At(2024, 5, 27, 0, 0));
  Event.SetAlarmAdvance(15);
  Event.SetAlarmAdvanceType(atMinutes);
  Clock.Set(At(2024, 5, 20, 9, 50));
  TVpNotificationRules week(Clock, Locale, Event, clInfoBk);
  EXPECT_EQ(week.Caption(), "Reminder : 5/20/2024 10:00 AM");
  week.Apply(raDismiss, Event);
  EXPECT_TRUE(Event.AlarmSet());
  EXPECT_EQ(Event.SnoozeTime(), At(2024, 5, 27, 9, 45)) << "held back until the next occurrence's reminder";

  Clock.Set(At(2024, 5, 27, 10, 5));
  TVpNotificationRules last(Clock, Locale, Event, clInfoBk);
  EXPECT_EQ(last.Caption(), "OVERDUE! : 5/27/2024 10:00 AM");
  last.Apply(raDismiss, Event);
  EXPECT_FALSE(Event.AlarmSet());
}

TEST_F(NotificationForm, TheBodyGivesTheDayAndTimesInTheProgramsTimeFormat) {
  const struct {
    const char* Name;
    double Start, End;
    bool AllDay, TwelveHour;
    const char* When;
  } cases[] = {
      {"24 hours", At(2024, 5, 13, 10, 0), At(2024, 5, 13, 11, 30), false, false,
       "Monday, May 13, 2024, 10:00 \u2013 11:30"},
      {"12 hours", At(2024, 5, 13, 10, 0), At(2024, 5, 13, 13, 30), false, true,
       "Monday, May 13, 2024, 10:00 AM \u2013 1:30 PM"},
      {"midnight and noon", At(2024, 5, 13, 0, 0), At(2024, 5, 13, 12, 0), false, true,
       "Monday, May 13, 2024, 12:00 AM \u2013 12:00 PM"},
      {"across midnight", At(2024, 5, 13, 22, 0), At(2024, 5, 14, 1, 15), false, false,
       "Monday, May 13, 2024, 22:00 to Tuesday, May 14, 2024, 01:15"},
      {"no length", At(2024, 5, 13, 5, 30), At(2024, 5, 13, 5, 30), false, false, "Monday, May 13, 2024, 05:30"},
      {"an end before the start", At(2024, 5, 13, 5, 30), At(2024, 5, 12, 5, 30), false, false,
       "Monday, May 13, 2024, 05:30"},
      {"all day", At(2024, 5, 13, 0, 0), At(2024, 5, 13, 23, 59), true, false, "Monday, May 13, 2024, all day"},
      {"all day, ending at the next midnight", At(2024, 5, 13, 0, 0), At(2024, 5, 14, 0, 0), true, false,
       "Monday, May 13, 2024, all day"},
      {"three whole days", At(2024, 5, 13, 0, 0), At(2024, 5, 16, 0, 0), true, true,
       "Monday, May 13, 2024 to Wednesday, May 15, 2024, all day"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Event.SetStartTime(c.Start);
    Event.SetEndTime(c.End);
    Event.SetAllDayEvent(c.AllDay);
    const TVpNotificationRules form(Clock, Locale, Event, clInfoBk, c.TwelveHour);
    EXPECT_EQ(form.When(), c.When);
  }
}

}  // namespace
