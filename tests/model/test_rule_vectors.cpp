#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/date_stamps.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "model/rule_steps.h"
#include "tests/model/model_test_support.h"

// The example rules of RFC 5545 against the starts python3-dateutil places for them
// (data/make_rule_vectors.py writes rule_vectors.txt).

namespace {

constexpr std::size_t kLimit = 20;    // the most starts a line holds
const double kEnd = Day(2030, 1, 1);  // and none after this

struct TRuleVector {
  std::string Name;
  double Start = 0;
  std::string Rule;
  std::vector<std::string> Starts;
};

std::vector<TRuleVector> ReadVectors() {
  std::ifstream in(TestDataPath("rule_vectors.txt"));
  std::vector<TRuleVector> vectors;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    TRuleVector v;
    std::string start, starts;
    std::getline(fields, v.Name, '\t');
    std::getline(fields, start, '\t');
    std::getline(fields, v.Rule, '\t');
    std::getline(fields, starts);
    EXPECT_TRUE(ParseStamp(start, v.Start)) << line;
    std::istringstream list(starts);
    for (std::string stamp; list >> stamp;) v.Starts.push_back(stamp);
    vectors.push_back(std::move(v));
  }
  return vectors;
}

// After the starts a line holds, the walk ends, reaches past its bound, or the line was full.
void ExpectNothingMissing(const TRuleVector& v, std::optional<double> next) {
  if (v.Starts.size() < kLimit && next) {
    EXPECT_GT(*next, kEnd) << "more: " << StampText(*next, false);
  }
}

}  // namespace

TEST(RuleVectors, TheWalkPlacesTheStartsOfTheIndependentRules) {
  const std::vector<TRuleVector> vectors = ReadVectors();
  ASSERT_EQ(vectors.size(), 42u) << "rule_vectors.txt is missing or cut short";
  for (const TRuleVector& v : vectors) {
    SCOPED_TRACE(v.Name + ": " + v.Rule);
    TVpRuleSteps steps;
    ASSERT_TRUE(steps.Open(v.Rule, v.Start, false, "America/New_York"));
    std::vector<std::string> walked;
    std::optional<double> next;
    while ((next = steps.Next()) && walked.size() < v.Starts.size()) walked.push_back(StampText(*next, false));
    EXPECT_EQ(walked, v.Starts);
    ExpectNothingMissing(v, next);
  }
}

// The same rules as events of America/New_York seen from there: the engine walks them, and each
// occurrence follows the one before.
TEST(RuleVectors, AnEventWithTheRuleOccursAtTheSameStarts) {
  const TLocalZone zone("America/New_York");
  for (const TRuleVector& v : ReadVectors()) {
    SCOPED_TRACE(v.Name + ": " + v.Rule);
    TVpEvent event;
    event.SetStartTime(v.Start);
    event.SetEndTime(v.Start + 10 * kOneMinute);
    event.SetTimeZone("America/New_York");
    event.SetRepeatRule(v.Rule);
    ASSERT_EQ(event.ZoneStartTime(), v.Start);
    std::vector<std::string> walked;
    std::optional<TVpOccurrence> next = OccurrenceAfter(event, MomentOf(v.Start) - 1);
    for (; next && walked.size() < v.Starts.size(); next = OccurrenceAfter(event, next->Start))
      walked.push_back(StampText(ValueOfMoment(next->Start), false));
    EXPECT_EQ(walked, v.Starts);
    ExpectNothingMissing(v, next ? std::optional<double>(ValueOfMoment(next->Start)) : std::nullopt);
  }
}

// Before 30 December 1899 a date-time's fraction counts forward into the day while its day number
// counts back: stamps and walks keep clock times in order there too.
TEST(RuleVectors, StartsBeforeTheEpochKeepTheirClockTimes) {
  double value = 0;
  ASSERT_TRUE(ParseStamp("18991229T060000", value));
  EXPECT_EQ(value, -1.25);
  ASSERT_TRUE(ParseStamp("18991228T090000", value));
  TVpRuleSteps steps;
  ASSERT_TRUE(steps.Open("FREQ=DAILY;BYHOUR=9,18;COUNT=5", value, false));
  std::vector<std::string> walked;
  while (const std::optional<double> next = steps.Next()) walked.push_back(StampText(*next, false));
  EXPECT_EQ(walked, (std::vector<std::string>{"18991228T090000", "18991228T180000", "18991229T090000",
                                              "18991229T180000", "18991230T090000"}));
}

// A rule of an all-day event steps by whole days.
TEST(RuleVectors, WholeDayRulesStepFromDayToDay) {
  TVpRuleSteps steps;
  ASSERT_TRUE(steps.Open("FREQ=WEEKLY;BYDAY=SU,WE;COUNT=4", Day(2024, 3, 31), true));
  std::vector<std::string> walked;
  while (const std::optional<double> next = steps.Next()) walked.push_back(StampText(*next, true));
  EXPECT_EQ(walked, (std::vector<std::string>{"20240331", "20240403", "20240407", "20240410"}));

  TVpEvent event;
  event.SetStartTime(Day(2024, 3, 31));
  event.SetAllDayEvent(true);
  event.SetRepeatRule("FREQ=DAILY;INTERVAL=2");
  EXPECT_TRUE(FallsOn(event, Day(2024, 4, 2)));
  EXPECT_FALSE(FallsOn(event, Day(2024, 4, 3)));
}
