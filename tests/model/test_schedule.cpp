#include <gtest/gtest.h>

#include <random>

#include "model/enumerations.h"
#include "model/occurrences.h"
#include "tests/model/model_test_support.h"

namespace {

class Schedule : public ::testing::Test, public TPlannerFixture {
 protected:
  TVpSchedule& Events() { return Resource->Schedule(); }
  std::vector<int> RecordIDs() {
    std::vector<int> ids;
    for (int i = 0; i < Events().Count(); ++i) ids.push_back(Events().Items(i)->RecordID());
    return ids;
  }
};

TEST_F(Schedule, AddEventNeedsAnEndLaterThanTheStart) {
  EXPECT_EQ(Events().AddEvent(1, At(2024, 5, 3, 10, 0), At(2024, 5, 3, 10, 0)), nullptr);
  EXPECT_EQ(Events().AddEvent(2, At(2024, 5, 3, 10, 0), At(2024, 5, 3, 9, 0)), nullptr);
  EXPECT_EQ(Events().Count(), 0);
  TVpEvent* event = Events().AddEvent(3, At(2024, 5, 3, 10, 0), At(2024, 5, 3, 10, 1));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->Owner(), &Events());
  EXPECT_FALSE(event->Changed()) << "a new event is not marked changed";
  EXPECT_FALSE(event->Loading());
  EXPECT_FALSE(Resource->EventsDirty());
}

TEST_F(Schedule, KeepsEventsSortedByStartThenEnd) {
  Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  Events().AddEvent(2, At(2024, 5, 3, 9, 0), At(2024, 5, 3, 11, 0));
  Events().AddEvent(3, At(2024, 5, 3, 9, 0), At(2024, 5, 3, 10, 0));
  Events().AddEvent(4, At(2024, 5, 2, 9, 0), At(2024, 5, 2, 10, 0));
  EXPECT_EQ(RecordIDs(), (std::vector<int>{4, 3, 2, 1}));
  for (int i = 0; i < Events().Count(); ++i) EXPECT_EQ(Events().Items(i)->ListIndex(), i);
}

TEST_F(Schedule, EventsAreFoundAgainByTheirRecordID) {
  Events().AddEvent(7, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  TVpEvent* kept = Events().AddEvent(8, At(2024, 5, 3, 9, 0), At(2024, 5, 3, 10, 0));
  EXPECT_EQ(Events().FindByRecordID(8), kept);
  Events().DeleteEvent(kept);
  EXPECT_EQ(Events().FindByRecordID(8), nullptr);
  EXPECT_EQ(Resource->Tasks().FindByRecordID(8), nullptr);
}

TEST_F(Schedule, ItemAccessChecksTheIndex) {
  Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  EXPECT_THROW(Events().Items(1), EVpIndexError);
  EXPECT_THROW(Events().Items(-1), EVpIndexError);
}

TEST_F(Schedule, SortingIsPutOffWhileUpdating) {
  Events().BeginUpdate();
  Events().BeginUpdate();
  Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  Events().AddEvent(2, At(2024, 5, 3, 9, 0), At(2024, 5, 3, 11, 0));
  Events().EndUpdate();
  EXPECT_EQ(RecordIDs(), (std::vector<int>{1, 2}));
  Events().EndUpdate();
  EXPECT_EQ(RecordIDs(), (std::vector<int>{2, 1}));
  Events().EndUpdate();  // one too many: the counter stays at 0 and sorting works on
  Events().AddEvent(3, At(2024, 5, 3, 8, 0), At(2024, 5, 3, 9, 0));
  EXPECT_EQ(RecordIDs(), (std::vector<int>{3, 2, 1}));
}

// While sorting is put off, removing an event still renumbers the rest, so that a later removal
// takes out the right event.
TEST_F(Schedule, DeletingWhileUpdatingKeepsPositionsRight) {
  for (int id = 1; id <= 4; ++id) Events().AddEvent(id, At(2024, 5, 3, 8 + id, 0), At(2024, 5, 3, 9 + id, 0));
  Events().BeginUpdate();
  Events().DeleteEvent(Events().Items(0));
  TVpEvent* third = Events().Items(1);
  EXPECT_EQ(third->RecordID(), 3);
  EXPECT_EQ(third->ListIndex(), 1);
  Events().DeleteEvent(third);
  Events().EndUpdate();
  EXPECT_EQ(RecordIDs(), (std::vector<int>{2, 4}));
}

TEST_F(Schedule, ClearDestroysEveryEvent) {
  for (int id = 1; id <= 3; ++id) Events().AddEvent(id, At(2024, 5, 3, 8 + id, 0), At(2024, 5, 3, 9 + id, 0));
  Events().Clear();
  EXPECT_EQ(Events().Count(), 0);
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 3)), 0);
  Events().AddEvent(9, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  Events().AddEvent(8, At(2024, 5, 3, 11, 0), At(2024, 5, 3, 13, 0));
  EXPECT_EQ(RecordIDs(), (std::vector<int>{8, 9})) << "sorting works again after a clear";
}

TEST_F(Schedule, CollectEventsOnAppendsOrEmptiesTheList) {
  TVpEvent* event = Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  TVpEvent other;
  std::vector<TVpEvent*> list{&other};
  Events().CollectEventsOn(Day(2024, 5, 3), list);
  EXPECT_EQ(list, (std::vector<TVpEvent*>{&other, event}));
  Events().CollectEventsOn(Day(2024, 5, 4), list);
  EXPECT_TRUE(list.empty());
}

// A day's events come in the order of their times on that day, all-day events first, whichever
// day a series started on: a table of series and single events on one Friday.
TEST_F(Schedule, ADaysEventsComeInTheOrderOfTheirTimesOnThatDay) {
  const struct {
    int RecordID;
    double Start, End;
    int RepeatCode;
    bool AllDay;
  } kEvents[] = {
      {1, At(2024, 4, 1, 9, 0), At(2024, 4, 1, 9, 30), rcDaily, false},          // a 09:00 series
      {2, At(2024, 5, 3, 8, 0), At(2024, 5, 3, 8, 45), rcNone, false},           // 08:00 that day
      {3, At(2024, 1, 5, 18, 30), At(2024, 1, 5, 19, 0), rcWeekly, false},       // an 18:30 series
      {4, At(2024, 5, 3, 13, 0), At(2024, 5, 3, 14, 0), rcNone, false},          // 13:00 that day
      {5, At(2024, 5, 3, 13, 0), At(2024, 5, 3, 13, 30), rcNone, false},         // shorter at 13:00
      {6, At(2023, 5, 3, 0, 0), At(2023, 5, 3, 23, 59), rcYearlyByDate, true},   // a birthday
      {7, At(2024, 3, 3, 23, 0), At(2024, 3, 4, 1, 0), rcMonthlyByDate, false},  // late, past midnight
      {8, At(2024, 5, 3, 0, 0), At(2024, 5, 4, 0, 0), rcNone, true},             // all day that day
  };
  for (const auto& e : kEvents) {
    TVpEvent* event = Events().AddEvent(e.RecordID, e.Start, e.End);
    event->SetRepeatCode(static_cast<std::uint8_t>(e.RepeatCode));
    event->SetRepeatRangeEnd(kRepeatWithoutEnd);
    event->SetAllDayEvent(e.AllDay);
  }
  std::vector<TVpEvent*> list;
  Events().CollectEventsOn(Day(2024, 5, 3), list);
  std::vector<int> order;
  for (const TVpEvent* event : list) order.push_back(event->RecordID());
  EXPECT_EQ(order, (std::vector<int>{6, 8, 2, 1, 5, 4, 3, 7}));
  Events().CollectAllDayEventsOn(Day(2024, 5, 3), list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->RecordID(), 6);
}

TEST_F(Schedule, CollectAllDayEventsOnReplacesTheList) {
  TVpEvent* timed = Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  TVpEvent* allDay = Events().AddEvent(2, At(2024, 5, 3, 15, 0), At(2024, 5, 3, 16, 0));
  allDay->SetAllDayEvent(true);
  std::vector<TVpEvent*> list{timed};
  Events().CollectAllDayEventsOn(Day(2024, 5, 3), list);
  EXPECT_EQ(list, (std::vector<TVpEvent*>{allDay}));
  Events().CollectAllDayEventsOn(Day(2024, 5, 4), list);
  EXPECT_TRUE(list.empty());
}

// The day lookup is rebuilt after every change that moves an event to other days.
TEST_F(Schedule, TheDayLookupFollowsEdits) {
  TVpEvent* event = Events().AddEvent(1, At(2024, 5, 3, 12, 0), At(2024, 5, 3, 13, 0));
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 3)), 1);
  event->SetStartTime(At(2024, 5, 6, 12, 0));
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 3)), 0);
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 6)), 1);
  event->SetRepeatCode(rcDaily);
  event->SetRepeatRangeEnd(Day(2024, 5, 8));
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 8)), 1);
  event->SetRepeatCode(rcCustom);
  event->SetCustomInterval(2);
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 7)), 0);
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 8)), 1);
  event->SetRepeatRangeEnd(Day(2024, 5, 12));
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 10)), 1);
  Events().DeleteEvent(event);
  EXPECT_EQ(Events().CountEventsOn(Day(2024, 5, 6)), 0);
}

// Random schedules, also with starts edited after sorting (so the schedule is out of order) and
// while sorting is put off: the lookup gives what the plain per-event rule gives, in the order of
// the times of day.
TEST_F(Schedule, TheDayLookupAgreesWithThePerEventRule) {
  std::mt19937 random(11);
  const double base = Day(2024, 1, 1);
  auto someDay = [&] { return base + static_cast<double>(random() % 120); };
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    Events().Clear();
    if (round == 2) Events().BeginUpdate();
    for (int id = 0; id < 400; ++id) {
      const double start = someDay() + (random() % 1440) * kOneMinute;
      TVpEvent* event = Events().AddEvent(id, start, start + (1 + random() % 2000) * kOneMinute);
      if (random() % 4 == 0) {
        event->SetRepeatCode(static_cast<std::uint8_t>(1 + random() % 7));
        event->SetRepeatRangeEnd(start + static_cast<double>(random() % 200));
        event->SetCustomInterval(static_cast<int>(random() % 9));
      }
    }
    if (round == 1)
      for (int i = 0; i < 50; ++i) Events().Items(static_cast<int>(random() % 400))->SetStartTime(someDay());
    for (double day = base - 2; day < base + 330; ++day) {
      std::vector<TVpEvent*> expected, collected;
      for (int i = 0; i < Events().Count(); ++i)
        if (FallsOn(*Events().Items(i), day)) expected.push_back(Events().Items(i));
      Events().CollectEventsOn(day, collected);
      ASSERT_EQ(std::multiset<TVpEvent*>(collected.begin(), collected.end()),
                std::multiset<TVpEvent*>(expected.begin(), expected.end()))
          << "day " << day;
      ASSERT_TRUE(std::is_sorted(collected.begin(), collected.end(),
                                 [day](const TVpEvent* a, const TVpEvent* b) {
                                   return DayPartOf(*a, day).StartMs < DayPartOf(*b, day).StartMs;
                                 }))
          << "day " << day;
    }
    if (round == 2) Events().EndUpdate();
  }
}

}  // namespace
