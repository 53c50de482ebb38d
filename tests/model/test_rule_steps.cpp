#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "model/rule_steps.h"

namespace {

// The first starts a rule places from a whole-day start, as dates.
std::vector<std::string> Days(const std::string& rule, double start, int count) {
  TVpRuleSteps steps;
  EXPECT_TRUE(steps.Open(rule, start, true)) << rule;
  std::vector<std::string> days;
  for (std::optional<double> next = steps.Next(); next && static_cast<int>(days.size()) < count; next = steps.Next()) {
    const TVpDate date = DecodeDate(*next);
    days.push_back(std::to_string(date.Year) + "-" + std::to_string(date.Month) + "-" + std::to_string(date.Day));
  }
  return days;
}

// A yearly rule naming months alone recurs on the start's day of each of those months.
TEST(RuleSteps, AYearlyRuleOfMonthsKeepsTheStartsDay) {
  EXPECT_EQ(Days("FREQ=YEARLY;BYMONTH=1", EncodeDate(2002, 1, 1), 3),
            (std::vector<std::string>{"2002-1-1", "2003-1-1", "2004-1-1"}));
  EXPECT_EQ(Days("FREQ=YEARLY;BYMONTH=4,10", EncodeDate(2024, 4, 15), 4),
            (std::vector<std::string>{"2024-4-15", "2024-10-15", "2025-4-15", "2025-10-15"}));
  // A day named by the rule stays the rule's.
  EXPECT_EQ(Days("FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", EncodeDate(2024, 3, 31), 2),
            (std::vector<std::string>{"2024-3-31", "2025-3-30"}));
}

}  // namespace
