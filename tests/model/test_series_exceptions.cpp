#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/reminder.h"
#include "model/schedule.h"
#include "tests/model/model_test_support.h"

// A series on Monday, Wednesday and Friday at 09:00 from Monday 3 June 2024, with occurrences
// taken out (by a time stamp and by a whole-day stamp), one added, and one moved by an override
// record of its own.

namespace {

class SeriesExceptions : public ::testing::Test, public TPlannerFixture {
 protected:
  SeriesExceptions() {
    TVpSchedule& schedule = Resource->Schedule();
    Series = schedule.AddEvent(10, At(2024, 6, 3, 9, 0), At(2024, 6, 3, 10, 0));
    Series->SetRepeatRule("FREQ=WEEKLY;BYDAY=MO,WE,FR");
    // Friday 7 June, all of Wednesday 12 June, Monday 17 June (overridden); 10:00 on Wednesday
    // 19 June is no start of the series and takes nothing out.
    Series->SetExceptionDates("20240607T090000,20240612,20240617T090000,20240619T100000");
    Series->SetExtraDates("20240615T140000");
    Series->SetAlarmSet(true);
    Series->SetAlarmAdvance(15);
    Series->SetAlarmAdvanceType(atMinutes);
    TVpEvent* moved = schedule.AddEvent(11, At(2024, 6, 18, 11, 0), At(2024, 6, 18, 12, 0));
    moved->SetSeriesID(10);
    moved->SetOriginalStart(At(2024, 6, 17, 9, 0));
  }
  TVpEvent* Series;
};

TEST_F(SeriesExceptions, EachDayHoldsExactlyTheOccurrencesLeft) {
  // Events per day from Sunday 2 June to Sunday 23 June.
  const std::vector<std::string> expected = {
      "",                                    // Su 2
      "10", "",   "10", "", "",   "",   "",  // Mo 3 .. Su 9: Friday taken out
      "10", "",   "",   "", "10", "10", "",  // Mo 10 .. Su 16: Wednesday taken out, Saturday added
      "",   "11", "10", "", "10", "",   "",  // Mo 17 .. Su 23: Monday moved to Tuesday
  };
  std::vector<TVpEvent*> events;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const double day = Day(2024, 6, 2) + static_cast<double>(i);
    events.clear();
    Resource->Schedule().CollectEventsOn(day, events);
    std::string ids;
    for (const TVpEvent* event : events) ids += (ids.empty() ? "" : ",") + std::to_string(event->RecordID());
    EXPECT_EQ(ids, expected[i]) << "2024-06-" << i + 2;
    EXPECT_EQ(Resource->Schedule().CountEventsOn(day), static_cast<int>(events.size())) << "2024-06-" << i + 2;
  }
}

TEST_F(SeriesExceptions, RemindersSkipTakenOutStartsAndSeeAddedOnes) {
  struct TCase {
    double Now;
    double Occurrence;  // the start the reminder is about
    double Next;        // when the next occurrence's reminder falls due
  };
  const TCase cases[] = {
      {At(2024, 6, 7, 8, 50), At(2024, 6, 5, 9, 0), At(2024, 6, 10, 8, 45)},      // Friday 7 is out
      {At(2024, 6, 14, 9, 30), At(2024, 6, 14, 9, 0), At(2024, 6, 15, 13, 45)},   // Saturday 15 is added
      {At(2024, 6, 15, 13, 50), At(2024, 6, 15, 14, 0), At(2024, 6, 19, 8, 45)},  // Monday 17 is out
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Now);
    EXPECT_EQ(ReminderOccurrence(*Series, c.Now), c.Occurrence);
    const std::optional<double> next = NextReminderAfter(*Series, c.Now);
    ASSERT_TRUE(next.has_value());
    EXPECT_NEAR(*next, c.Next, 1e-9);
  }
}

}  // namespace
