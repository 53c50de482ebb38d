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
