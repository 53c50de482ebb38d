#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/enumerations.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "store/change_path.h"
#include "store/series_changes.h"
#include "tests/support/planner_fixture.h"

namespace {

// A series of the active resource changed for one occurrence, this and following, or all, then
// read back from the file: the occurrences the engine shows over three weeks tell the result.
class SeriesChanges : public ::testing::Test, protected TPlannerFixture {
 protected:
  SeriesChanges() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    Connect();
    Store().SetActiveResource(Store().Resources().Items(0));
  }

  // A series from Monday 6 May 2024, 10:00 to 11:00.
  TVpEvent& Series(const std::function<void(TVpEvent&)>& repeat) {
    TVpEvent& event = *Store().ActiveResource()->Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 6, 10),
                                                                     At(2024, 5, 6, 11));
    event.SetDescription("Standup");
    repeat(event);
    event.SetChanged(true);
    Store().PostEvents();
    return event;
  }

  // "MM-DD HH:MM" of each occurrence from 6 to 26 May, as read back from the file.
  std::string Occurrences() {
    Store().ReloadEvents();
    std::string out;
    std::vector<TVpEvent*> events;
    for (double day = At(2024, 5, 6); day < At(2024, 5, 27); ++day) {
      events.clear();
      Store().ActiveResource()->Schedule().CollectEventsOn(day, events);
      for (const TVpEvent* event : events) {
        const double start = OccurrenceTimesOn(*event, day).StartTime;
        const TVpDate date = DecodeDate(start);
        const TVpTime time = DecodeTime(start);
        char text[16];
        std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", date.Month, date.Day, time.Hour, time.Minute);
        out += (out.empty() ? "" : " ") + std::string(text);
      }
    }
    return out;
  }
};

const auto kWeekly = [](TVpEvent& e) {
  e.SetRepeatCode(rcWeekly);
  e.SetRepeatRangeEnd(kRepeatWithoutEnd);
};
const auto kMonWedFriTenTimes = [](TVpEvent& e) {
  e.SetRepeatRule("FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10");
  e.SetRepeatRangeEnd(At(2024, 5, 27));
};

const auto kMonWedFriWithoutTheSecond = [](TVpEvent& e) {
  kMonWedFriTenTimes(e);
  e.SetExceptionDates("20240508T100000");
};

TEST_F(SeriesChanges, MovingOrDeletingOneThisAndFollowingOrAllOccurrences) {
  const double twoHours = 2.0 / 24;
  const struct {
    const char* Name;
    std::function<void(TVpEvent&)> Repeat;
    double Occurrence;  // the occurrence changed
    TVpOccurrenceScope Scope;
    bool Delete;
    double Shift;  // a move: days added to start and end
    const char* Expected;
  } kRows[] = {
      {"weekly: move only this", kWeekly, At(2024, 5, 13, 10), osOnlyThis, false, 1 + twoHours,
       "05-06 10:00 05-14 12:00 05-20 10:00"},
      {"weekly: move this and following", kWeekly, At(2024, 5, 13, 10), osThisAndFollowing, false, twoHours,
       "05-06 10:00 05-13 12:00 05-20 12:00"},
      {"weekly: move all", kWeekly, At(2024, 5, 13, 10), osAll, false, twoHours, "05-06 12:00 05-13 12:00 05-20 12:00"},
      {"weekly: delete only this", kWeekly, At(2024, 5, 13, 10), osOnlyThis, true, 0, "05-06 10:00 05-20 10:00"},
      {"weekly: delete this and following", kWeekly, At(2024, 5, 13, 10), osThisAndFollowing, true, 0, "05-06 10:00"},
      {"rule: move only the 4th", kMonWedFriTenTimes, At(2024, 5, 13, 10), osOnlyThis, false, 1 + twoHours,
       "05-06 10:00 05-08 10:00 05-10 10:00 05-14 12:00 05-15 10:00 05-17 10:00 05-20 10:00 05-22 10:00 05-24 10:00"},
      {"rule: move the 4th and following: 3 and 7", kMonWedFriTenTimes, At(2024, 5, 13, 10), osThisAndFollowing, false,
       twoHours,
       "05-06 10:00 05-08 10:00 05-10 10:00 05-13 12:00 05-15 12:00 05-17 12:00 05-20 12:00 05-22 12:00 05-24 12:00"},
      {"rule: delete only the 4th", kMonWedFriTenTimes, At(2024, 5, 13, 10), osOnlyThis, true, 0,
       "05-06 10:00 05-08 10:00 05-10 10:00 05-15 10:00 05-17 10:00 05-20 10:00 05-22 10:00 05-24 10:00"},
      {"rule: delete the 4th and following", kMonWedFriTenTimes, At(2024, 5, 13, 10), osThisAndFollowing, true, 0,
       "05-06 10:00 05-08 10:00 05-10 10:00"},
      {"rule: all a day later keep their weekdays' pattern", kMonWedFriTenTimes, At(2024, 5, 13, 10), osAll, false, 1,
       "05-07 10:00 05-09 10:00 05-11 10:00 05-14 10:00 05-16 10:00 05-18 10:00 05-21 10:00 05-23 10:00 05-25 10:00"},
      {"rule: the 4th and following a day later", kMonWedFriTenTimes, At(2024, 5, 13, 10), osThisAndFollowing, false, 1,
       "05-06 10:00 05-08 10:00 05-10 10:00 05-14 10:00 05-16 10:00 05-18 10:00 05-21 10:00 05-23 10:00 05-25 10:00"},
      {"rule: all moved keep an occurrence taken out", kMonWedFriWithoutTheSecond, At(2024, 5, 13, 10), osAll, false,
       twoHours, "05-06 12:00 05-10 12:00 05-13 12:00 05-15 12:00 05-17 12:00 05-20 12:00 05-22 12:00 05-24 12:00"},
      {"rule: this and following from the first is all", kMonWedFriTenTimes, At(2024, 5, 6, 10), osThisAndFollowing,
       true, 0, ""},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Name);
    WriteRows("Events", TVpPlannerFiles::kEventsFile, {});
    Store().ReloadEvents();
    const int id = Series(row.Repeat).RecordID();
    const std::string before = Occurrences();  // reloads: the series is found again
    TVpEvent& series = *Store().ActiveResource()->Schedule().FindByRecordID(id);
    const std::int64_t occurrence = MomentOf(row.Occurrence);
    Store().Changes().Recorded("change", [&] {
      if (row.Delete && CoversWholeSeries(series, occurrence, row.Scope)) {
        series.SetDeleted(true);
        series.SetChanged(true);
      } else if (row.Delete) {
        DeleteOccurrences(Store(), series, occurrence, row.Scope);
      } else {
        TVpEvent& target = OccurrencesToChange(Store(), series, occurrence, row.Scope);
        MoveSeries(Store(), target, MomentOf(target.StartTime() + row.Shift), MomentOf(target.EndTime() + row.Shift));
      }
      Store().PostEvents();
    });
    EXPECT_EQ(Occurrences(), row.Expected);
    // One step: undo gives the series back as it was.
    Store().Changes().Undo();
    EXPECT_EQ(Occurrences(), before);
  }
}

}  // namespace
