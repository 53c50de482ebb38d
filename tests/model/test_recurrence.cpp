#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "model/enumerations.h"
#include "model/occurrences.h"
#include "tests/model/model_test_support.h"

namespace {

// A day's events are listed all-day events first, then by the time of day they start.
// The order of a day's events: all-day ones first, then by where they start on that day.
auto InTimeOfDayOrder(double day) {
  return [day](const TVpEvent* a, const TVpEvent* b) {
    if (a->AllDayEvent() != b->AllDayEvent()) return a->AllDayEvent();
    return DayPartOf(*a, day).StartMs < DayPartOf(*b, day).StartMs;
  };
}

struct TRepeatCase {
  const char* Name;
  int Code;
  double Start;
  double RangeEnd;
  int Interval;
  std::vector<double> FallsOn;
  std::vector<double> DoesNotFallOn;
};

std::string FormatDay(double day) {
  const TVpDate d = DecodeDate(day);
  return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
}

class RepeatCases : public ::testing::TestWithParam<TRepeatCase> {};

TEST_P(RepeatCases, PlaceTheEventOnItsDays) {
  const TRepeatCase& c = GetParam();
  TPlannerFixture planner;
  TVpEvent* event = planner.Resource->Schedule().AddEvent(1, c.Start, c.Start + EncodeTime(1, 0));
  event->SetRepeatCode(static_cast<std::uint8_t>(c.Code));
  event->SetRepeatRangeEnd(c.RangeEnd);
  event->SetCustomInterval(c.Interval);
  for (double day : c.FallsOn) {
    SCOPED_TRACE(FormatDay(day));
    EXPECT_TRUE(FallsOn(*event, day));
    EXPECT_EQ(planner.Resource->Schedule().CountEventsOn(day), 1);
  }
  for (double day : c.DoesNotFallOn) {
    SCOPED_TRACE(FormatDay(day));
    EXPECT_FALSE(FallsOn(*event, day));
    EXPECT_EQ(planner.Resource->Schedule().CountEventsOn(day), 0);
  }
  // The start day falls on its day by its start, never through the repetition.
  EXPECT_FALSE(OccursOn(*event, DateOf(c.Start)));
  EXPECT_TRUE(FallsOn(*event, DateOf(c.Start)));
}

INSTANTIATE_TEST_SUITE_P(
    Recurrence, RepeatCases,
    ::testing::Values(
        TRepeatCase{"DailyUpToTheRangeEndDay",
                    rcDaily,
                    At(2024, 3, 1, 9, 0),
                    Day(2024, 3, 5),
                    0,
                    {Day(2024, 3, 2), Day(2024, 3, 3), Day(2024, 3, 4), Day(2024, 3, 5)},
                    {Day(2024, 2, 29), Day(2024, 3, 6)}},
        TRepeatCase{
            "RangeEndZeroNeverRepeats", rcDaily, At(2024, 3, 1, 9, 0), 0, 0, {}, {Day(2024, 3, 2), Day(2024, 3, 5)}},
        TRepeatCase{"Weekly",
                    rcWeekly,
                    At(2024, 3, 6, 9, 0),
                    Day(2024, 12, 31),
                    0,
                    {Day(2024, 3, 13), Day(2024, 3, 20), Day(2024, 3, 27)},
                    {Day(2024, 3, 14), Day(2024, 3, 12)}},
        TRepeatCase{"MonthlyByDayFifthTuesdayFallsBackToTheLast",
                    rcMonthlyByDay,
                    At(2024, 4, 30, 9, 0),
                    Day(2024, 12, 31),
                    0,
                    {Day(2024, 5, 28), Day(2024, 6, 25), Day(2024, 7, 30), Day(2024, 10, 29), Day(2024, 12, 31)},
                    {Day(2024, 7, 23), Day(2024, 5, 21), Day(2024, 6, 18), Day(2024, 5, 31)}},
        TRepeatCase{"MonthlyByDayFourthThursdayNeverOnAFifth",
                    rcMonthlyByDay,
                    At(2024, 5, 23, 9, 0),
                    Day(2025, 12, 31),
                    0,
                    {Day(2024, 6, 27), Day(2024, 8, 22), Day(2024, 10, 24)},
                    {Day(2024, 8, 29), Day(2024, 10, 31), Day(2024, 5, 30)}},
        TRepeatCase{"MonthlyByDateOnThe31st",
                    rcMonthlyByDate,
                    At(2024, 1, 31, 9, 0),
                    Day(2024, 12, 31),
                    0,
                    {Day(2024, 3, 31), Day(2024, 5, 31), Day(2024, 12, 31)},
                    {Day(2024, 2, 29), Day(2024, 4, 30), Day(2024, 6, 30), Day(2024, 9, 30), Day(2024, 11, 30),
                     Day(2024, 3, 1)}},
        TRepeatCase{"YearlyByDateOn29February",
                    rcYearlyByDate,
                    At(2024, 2, 29, 9, 0),
                    Day(2032, 12, 31),
                    0,
                    {Day(2028, 2, 29), Day(2032, 2, 29)},
                    {Day(2025, 2, 28), Day(2025, 3, 1), Day(2026, 2, 28), Day(2024, 3, 29)}},
        TRepeatCase{"YearlyByDaySecondMondayOfOctober",
                    rcYearlyByDay,
                    At(2024, 10, 14, 9, 0),
                    Day(2026, 12, 31),
                    0,
                    {Day(2025, 10, 13), Day(2026, 10, 12)},
                    {Day(2024, 11, 11), Day(2025, 11, 10), Day(2025, 10, 20), Day(2025, 10, 6)}},
        TRepeatCase{"CustomEveryThirdDay",
                    rcCustom,
                    At(2024, 5, 1, 9, 0),
                    Day(2024, 5, 31),
                    3,
                    {Day(2024, 5, 4), Day(2024, 5, 7), Day(2024, 5, 10)},
                    {Day(2024, 5, 2), Day(2024, 5, 3), Day(2024, 5, 5)}},
        // The event dialog lets an interval of 0 through: such an event keeps its start day.
        TRepeatCase{"CustomIntervalZeroKeepsTheStartDayOnly",
                    rcCustom,
                    At(2024, 5, 1, 9, 0),
                    Day(2024, 5, 31),
                    0,
                    {},
                    {Day(2024, 5, 2), Day(2024, 5, 10)}},
        TRepeatCase{"CustomIntervalNegativeKeepsTheStartDayOnly",
                    rcCustom,
                    At(2024, 5, 1, 9, 0),
                    Day(2024, 5, 31),
                    -3,
                    {},
                    {Day(2024, 5, 4), Day(2024, 4, 28)}},
        TRepeatCase{"UnknownCodeNeverRepeats", 8, At(2024, 5, 1, 9, 0), Day(2024, 5, 31), 0, {}, {Day(2024, 5, 2)}}),
    [](const ::testing::TestParamInfo<TRepeatCase>& info) { return std::string(info.param.Name); });

// An event falls on every day it covers, each occurrence of a series too; an end at midnight
// covers no further day. On each day it covers the part from its start (or midnight) to its end
// (or the next midnight).
TEST(Recurrence, AnEventFallsOnEveryDayItCovers) {
  TPlannerFixture planner;
  TVpEvent* night = planner.Resource->Schedule().AddEvent(1, At(2024, 5, 1, 20, 0), At(2024, 5, 2, 8, 0));
  TVpEvent* toMidnight = planner.Resource->Schedule().AddEvent(2, At(2024, 5, 1, 20, 0), Day(2024, 5, 2));
  TVpEvent* weeklyTrip = planner.Resource->Schedule().AddEvent(3, At(2024, 5, 3, 9, 0), At(2024, 5, 5, 17, 0));
  weeklyTrip->SetRepeatCode(rcWeekly);
  weeklyTrip->SetRepeatRangeEnd(Day(2024, 5, 11));
  const struct {
    TVpEvent* Event;
    double Day;
    bool Falls;
    std::int64_t StartMinute, EndMinute;
  } cases[] = {
      {night, Day(2024, 4, 30), false, 0, 0},          {night, Day(2024, 5, 1), true, 1200, 1440},
      {night, Day(2024, 5, 2), true, 0, 480},          {night, Day(2024, 5, 3), false, 0, 0},
      {toMidnight, Day(2024, 5, 1), true, 1200, 1440}, {toMidnight, Day(2024, 5, 2), false, 0, 0},
      {weeklyTrip, Day(2024, 5, 4), true, 0, 1440},    {weeklyTrip, Day(2024, 5, 6), false, 0, 0},
      {weeklyTrip, Day(2024, 5, 10), true, 540, 1440}, {weeklyTrip, Day(2024, 5, 12), true, 0, 1020},
      {weeklyTrip, Day(2024, 5, 13), false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Event->RecordID()) + " on " + std::to_string(c.Day));
    EXPECT_EQ(FallsOn(*c.Event, c.Day), c.Falls);
    if (!c.Falls) continue;
    const TVpDayPart part = DayPartOf(*c.Event, c.Day);
    EXPECT_EQ(part.StartMs, c.StartMinute * kMsPerMinute);
    EXPECT_EQ(part.EndMs, c.EndMinute * kMsPerMinute);
  }
}

// One line of recurrence_vectors.txt: an event and the days its repetition places it on.
struct TOracleEvent {
  int Code;
  std::int64_t StartDay;
  int StartMinute;
  std::int64_t RangeEndDay;
  int RangeEndMinute;
  int Interval;
  std::int64_t FirstDay;
  std::int64_t LastDay;
  std::set<std::int64_t> Occurrences;  // day numbers, the start day left out
  std::string Line;
};

std::vector<TOracleEvent> ReadOracle() {
  std::ifstream in(TestDataPath("recurrence_vectors.txt"));
  std::vector<TOracleEvent> events;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    TOracleEvent e;
    std::string colon;
    fields >> e.Code >> e.StartDay >> e.StartMinute >> e.RangeEndDay >> e.RangeEndMinute >> e.Interval >> e.FirstDay >>
        e.LastDay >> colon;
    for (std::int64_t offset; fields >> offset;) e.Occurrences.insert(e.StartDay + offset);
    e.Line = line.substr(0, line.find(':'));
    events.push_back(std::move(e));
  }
  return events;
}

TVpEvent* AddOracleEvent(TVpSchedule& schedule, const TOracleEvent& e) {
  const double start = static_cast<double>(e.StartDay) + e.StartMinute * kOneMinute;
  TVpEvent* event = schedule.AddEvent(1, start, start + 30 * kOneMinute);
  event->SetRepeatCode(static_cast<std::uint8_t>(e.Code));
  if (e.RangeEndDay != 0) event->SetRepeatRangeEnd(static_cast<double>(e.RangeEndDay) + e.RangeEndMinute * kOneMinute);
  event->SetCustomInterval(e.Interval);
  return event;
}

// An oracle event lasts 30 minutes: one that starts after 23:30 covers the next day too.
bool OracleFallsOn(const TOracleEvent& e, std::int64_t day) {
  const auto startsOn = [&](std::int64_t d) { return d == e.StartDay || e.Occurrences.count(d) > 0; };
  return startsOn(day) || (e.StartMinute > 1410 && startsOn(day - 1));
}

TEST(RecurrenceOracle, EveryRepeatCodeMatchesTheIndependentRules) {
  const std::vector<TOracleEvent> oracle = ReadOracle();
  ASSERT_EQ(oracle.size(), 2400u) << "recurrence_vectors.txt is missing or cut short";
  TPlannerFixture planner;
  int checkedDays = 0;
  for (const TOracleEvent& e : oracle) {
    SCOPED_TRACE(e.Line);
    TVpEvent* event = AddOracleEvent(planner.Resource->Schedule(), e);
    for (std::int64_t day = e.FirstDay; day <= e.LastDay; ++day) {
      const bool expected = e.Occurrences.count(day) > 0;
      if (OccursOn(*event, static_cast<double>(day)) != expected) {
        ADD_FAILURE() << "day " << day << " (offset " << day - e.StartDay << ") expected " << expected;
        break;
      }
      ++checkedDays;
    }
  }
  EXPECT_GT(checkedDays, 300000);
}

// The schedule's day lookup over all oracle events at once, on random days and on every
// occurrence day, agrees with the vectors and keeps schedule order.
TEST(RecurrenceOracle, CollectingADayFindsExactlyTheOracleEvents) {
  const std::vector<TOracleEvent> oracle = ReadOracle();
  ASSERT_FALSE(oracle.empty());
  TPlannerFixture planner;
  TVpSchedule& schedule = planner.Resource->Schedule();
  schedule.BeginUpdate();
  std::map<const TVpEvent*, const TOracleEvent*> source;
  for (const TOracleEvent& e : oracle) source[AddOracleEvent(schedule, e)] = &e;
  schedule.EndUpdate();

  std::mt19937 random(7);
  std::vector<std::int64_t> days;
  for (int i = 0; i < 300; ++i) {
    const TOracleEvent& e = oracle[random() % oracle.size()];
    days.push_back(e.FirstDay + static_cast<std::int64_t>(random() % (e.LastDay - e.FirstDay + 1)));
  }
  for (std::int64_t day : days) {
    SCOPED_TRACE(day);
    std::vector<TVpEvent*> collected;
    schedule.CollectEventsOn(static_cast<double>(day), collected);
    std::set<const TVpEvent*> expected;
    for (const auto& [event, e] : source)
      if (OracleFallsOn(*e, day)) expected.insert(event);
    EXPECT_EQ(std::set<const TVpEvent*>(collected.begin(), collected.end()), expected);
    EXPECT_EQ(collected.size(), expected.size()) << "an event was listed twice";
    EXPECT_EQ(schedule.CountEventsOn(static_cast<double>(day)), static_cast<int>(expected.size()));
    EXPECT_TRUE(std::is_sorted(collected.begin(), collected.end(), InTimeOfDayOrder(static_cast<double>(day))));
  }
}

}  // namespace
