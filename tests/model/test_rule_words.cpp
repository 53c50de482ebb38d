#include <gtest/gtest.h>

#include "model/rule_text.h"
#include "model/rule_words.h"

namespace {

TEST(RepeatRuleInWords, SaysTheCommonRulesAndLeavesTheRestAsTheyStand) {
  const struct {
    const char* Rule;
    const char* Words;
  } kRows[] = {
      {"", ""},
      {"FREQ=DAILY", "Every day"},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH", "Every other week on Tuesday and Thursday"},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR;UNTIL=20271231T235959Z",
       "Every week on Monday, Wednesday and Friday, until 31 December 2027"},
      {"FREQ=MONTHLY;INTERVAL=3;BYDAY=-1FR;COUNT=10", "Every 3 months on the last Friday, 10 times"},
      {"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
       "Every month on the last of Monday, Tuesday, Wednesday, "
       "Thursday and Friday"},
      {"FREQ=MONTHLY;BYMONTHDAY=-2", "Every month on the second to last day"},
      {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", "Every year on the fourth Thursday in November"},
      {"FREQ=YEARLY;BYMONTH=1,2;COUNT=1", "Every year in January and February, once"},
      {"FREQ=MONTHLY;BYDAY=22MO", "Every month on the 22nd Monday"},
      {"FREQ=DAILY;BYHOUR=9,10", "Repeats by the rule FREQ=DAILY;BYHOUR=9,10"},
      {"FREQ=YEARLY;BYWEEKNO=20", "Repeats by the rule FREQ=YEARLY;BYWEEKNO=20"},
      {"NOT A RULE", "Repeats by the rule NOT A RULE"},
  };
  for (const auto& row : kRows) EXPECT_EQ(RepeatRuleInWords(row.Rule), row.Words) << row.Rule;
}

// A series moved by whole days takes its weekdays and month days along.
TEST(RuleShiftedByDays, WeekdaysAndMonthDaysMoveAlong) {
  const struct {
    const char* Rule;
    int Days;
    const char* Expected;
  } kRows[] = {
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", 1, "FREQ=WEEKLY;BYDAY=TU,TH,SA"},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", -1, "FREQ=WEEKLY;BYDAY=SU,TU,TH"},
      {"FREQ=WEEKLY;BYDAY=SA", 8, "FREQ=WEEKLY;BYDAY=SU"},
      {"FREQ=MONTHLY;BYDAY=-1FR", 1, "FREQ=MONTHLY;BYDAY=-1SA"},
      {"FREQ=MONTHLY;BYDAY=2TU", 7, "FREQ=MONTHLY;BYDAY=2TU"},
      {"FREQ=MONTHLY;BYMONTHDAY=15", 2, "FREQ=MONTHLY;BYMONTHDAY=17"},
      {"FREQ=MONTHLY;BYMONTHDAY=31", 1, "FREQ=MONTHLY;BYMONTHDAY=31"},
      {"FREQ=WEEKLY;BYDAY=MO;COUNT=3", 0, "FREQ=WEEKLY;BYDAY=MO;COUNT=3"},
      {"not a rule", 1, "not a rule"},
  };
  for (const auto& row : kRows) EXPECT_EQ(RuleShiftedByDays(row.Rule, row.Days), row.Expected) << row.Rule;
}

}  // namespace
