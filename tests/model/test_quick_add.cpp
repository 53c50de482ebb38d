#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/day_number.h"
#include "model/quick_add.h"

// Lines of English read on Thursday 10 December 2026 at 14:00, weeks starting on Monday, numeric
// dates day first; the expected days are worked out on a paper calendar of December 2026.
namespace {

const double kNow = EncodeDate(2026, 12, 10) + EncodeTime(14, 0);

std::string DayText(const std::optional<std::int64_t>& day) {
  if (!day) return "-";
  const TVpDate date = DecodeDate(static_cast<double>(*day));
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
  return text;
}

std::string TimesText(const TVpQuickAdd& added) {
  const std::optional<TVpQuickTimes> times = QuickAddTimes(added, kNow);
  if (!times) return "-";
  if (times->AllDay) return "all day";
  const auto clock = [](double value) {
    const TVpTime time = DecodeTime(value);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", time.Hour, time.Minute);
    return std::string(text);
  };
  return clock(times->Start) + "-" + clock(times->End) + (DateOf(times->End) > DateOf(times->Start) ? "+1" : "");
}

TEST(QuickAdd, EachPartOfTheLineIsReadAndTheRestIsTheSubject) {
  const struct {
    const char* Line;
    const char* Subject;
    const char* Day;
    const char* Times;
    const char* Location = "";
    const char* Rule = "";
    int Reminder = 0;
  } kRows[] = {
      {"Dentist today 16:00", "Dentist", "2026-12-10", "16:00-17:00"},
      {"Dentist tomorrow at 7pm", "Dentist", "2026-12-11", "19:00-20:00"},
      {"Dentist Monday 9:30", "Dentist", "2026-12-14", "09:30-10:30"},
      {"Dentist on thursday at noon", "Dentist", "2026-12-10", "12:00-13:00"},
      {"Dentist next Monday 8 am", "Dentist", "2026-12-14", "08:00-09:00"},
      {"Dentist next Sunday", "Dentist", "2026-12-20", "all day"},
      {"Dentist in 3 days", "Dentist", "2026-12-13", "all day"},
      {"Party Dec 24", "Party", "2026-12-24", "all day"},
      {"Party 24 December 2027", "Party", "2027-12-24", "all day"},
      {"Party 24th of December", "Party", "2026-12-24", "all day"},
      {"Party 24.12.", "Party", "2026-12-24", "all day"},
      {"Party 2027-01-15 all day", "Party", "2027-01-15", "all day"},
      {"Party 3/1", "Party", "2027-01-03", "all day"},
      {"Party Jan 5 7:30pm", "Party", "2027-01-05", "19:30-20:30"},
      {"Review from 9 to 10:30 Friday", "Review", "2026-12-11", "09:00-10:30"},
      {"Review 9-10 tomorrow", "Review", "2026-12-11", "09:00-10:00"},
      {"Review 2-5pm tomorrow", "Review", "2026-12-11", "14:00-17:00"},
      {"Night shift tomorrow 22:00-6:00", "Night shift", "2026-12-11", "22:00-06:00+1"},
      {"Call tomorrow 10:00 for 45 min", "Call", "2026-12-11", "10:00-10:45"},
      {"Call tomorrow 10:00 for 2h", "Call", "2026-12-11", "10:00-12:00"},
      {"Call tomorrow 10:00 for half an hour", "Call", "2026-12-11", "10:00-10:30"},
      {"Lunch with Anna at Café Central tomorrow 12:30", "Lunch with Anna", "2026-12-11", "12:30-13:30",
       "Café Central"},
      {"Lunch at 12:30 at Café Central", "Lunch", "-", "12:30-13:30", "Café Central"},
      {"Gym every day 7:00", "Gym", "-", "07:00-08:00", "", "FREQ=DAILY"},
      {"Gym every other week Friday 18:00", "Gym", "2026-12-11", "18:00-19:00", "", "FREQ=WEEKLY;INTERVAL=2"},
      {"Jour fixe every Monday and Thursday 9:00", "Jour fixe", "2026-12-10", "09:00-10:00", "",
       "FREQ=WEEKLY;BYDAY=MO,TH"},
      {"Standup every weekday 9:15-9:30", "Standup", "2026-12-10", "09:15-09:30", "",
       "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
      {"Rent every month Jan 1", "Rent", "2027-01-01", "all day", "", "FREQ=MONTHLY"},
      {"Course every Tuesday 18:00 until March", "Course", "2026-12-15", "18:00-19:00", "",
       "FREQ=WEEKLY;BYDAY=TU;UNTIL=20270228T235959"},
      {"Course weekly Tuesday 18:00 6 times", "Course", "2026-12-15", "18:00-19:00", "", "FREQ=WEEKLY;COUNT=6"},
      {"Flight Dec 20 6:00 remind me 2 hours before", "Flight", "2026-12-20", "06:00-07:00", "", "", 120},
      {"Flight Dec 20 6:00 reminder 15 min", "Flight", "2026-12-20", "06:00-07:00", "", "", 15},
      {"Buy 3 apples and 24 pears", "Buy 3 apples and 24 pears", "-", "-"},
      {"Task force meeting Friday", "Task force meeting", "2026-12-11", "all day"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Line);
    const TVpQuickAdd added = ParseQuickAdd(row.Line, kNow);
    EXPECT_EQ(added.Subject, row.Subject);
    EXPECT_EQ(DayText(added.Day), row.Day);
    EXPECT_EQ(TimesText(added), row.Times);
    EXPECT_EQ(added.Location, row.Location);
    EXPECT_EQ(added.RepeatRule, row.Rule);
    EXPECT_EQ(added.ReminderMinutes.value_or(0), row.Reminder);
    EXPECT_FALSE(added.IsTask);
  }
}

TEST(QuickAdd, TasksAndWhatIsShownBeforeAdding) {
  TVpQuickAdd added = ParseQuickAdd("task: report Friday", kNow);
  EXPECT_TRUE(added.IsTask);
  EXPECT_EQ(DescribeQuickAdd(added, kNow), "Task \"report\", due Friday, 11 December 2026");
  added = ParseQuickAdd("todo call the bank", kNow);
  EXPECT_TRUE(added.IsTask);
  EXPECT_EQ(DescribeQuickAdd(added, kNow), "Task \"call the bank\", no date found");
  added = ParseQuickAdd("Yoga every other week 7pm 3 times at the studio remind me 10 min before", kNow);
  EXPECT_EQ(DescribeQuickAdd(added, kNow),
            "Event \"Yoga\", on Thursday, 10 December 2026, 19:00 to 20:00, at the studio, every other week, 3 "
            "times, reminder 10 minutes before");
}

TEST(QuickAdd, NumericDatesFollowTheLocalesOrderAndWeekStart) {
  const TVpQuickAddOptions us = QuickAddOptionsOf("en_US.UTF-8");
  EXPECT_EQ(us.WeekStart, 1);
  EXPECT_FALSE(us.DayFirst);
  EXPECT_EQ(DayText(ParseQuickAdd("Party 3/1", kNow, us).Day), "2027-03-01");
  EXPECT_EQ(DayText(ParseQuickAdd("Party 24.12.", kNow, us).Day), "2026-12-24") << "dots are always day first";
  // Thursday 10 December: the next week starts on Sunday 13 (US) or Monday 14 (Germany).
  EXPECT_EQ(DayText(ParseQuickAdd("next Sunday", kNow, us).Day), "2026-12-13");
  EXPECT_EQ(DayText(ParseQuickAdd("next Sunday", kNow, QuickAddOptionsOf("de_DE.UTF-8")).Day), "2026-12-20");
  EXPECT_TRUE(QuickAddOptionsOf("").DayFirst);
}

}  // namespace
