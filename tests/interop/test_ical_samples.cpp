#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "interop/ical/ical_reader.h"
#include "tests/interop/ical_test_support.h"
#include "tests/support/temporary_folder.h"

namespace {

struct TSampleRow {
  const char* File;
  double Horizon;
  std::vector<std::string> Expected;  // summary, then placement, per event
  const char* Notes;
};

class IcalSample : public TIcalTest, public ::testing::WithParamInterface<TSampleRow> {};

TEST_P(IcalSample, GivesTheEventsAUserExpects) {
  const TSampleRow& row = GetParam();
  TIcalContent content;
  TIcalReadError error;
  ASSERT_TRUE(ReadIcal(TTemporaryFolder::Read(std::string(KORET_INTEROP_SAMPLES) + "/" + row.File), {row.Horizon},
                       content, error))
      << error.Message;
  std::vector<std::string> shown;
  for (const TIcalEvent& event : content.Events) {
    shown.push_back(event.Description);
    shown.push_back(Shown(event));
  }
  EXPECT_EQ(shown, row.Expected);
  std::string kinds;
  for (const TIcalItemNote& note : content.Notes) kinds += "ECS"[note.Kind];
  EXPECT_EQ(kinds, row.Notes);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, IcalSample,
    ::testing::Values(
        TSampleRow{"pyical__bom_calendar.ics", 0, {}, ""},
        // Its own VTIMEZONE under a Windows name wins over the name: +01:00 in November 2019.
        TSampleRow{
            "khal__tz_windows_format.ics", 0, {"Event with Windows TZ name", "2019-11-20 13:00..2019-11-20 14:30"}, ""},
        // Brisbane noon is 03:00 in Berlin; two days excluded.
        TSampleRow{"ical4j__EXDATE.ics",
                   0,
                   {"Repeating Event", "2006-01-01 03:00..2006-01-01 04:00", "Repeating Event",
                    "2006-01-02 03:00..2006-01-02 04:00", "Repeating Event", "2006-01-05 03:00..2006-01-05 04:00",
                    "Repeating Event", "2006-01-06 03:00..2006-01-06 04:00", "Repeating Event",
                    "2006-01-07 03:00..2006-01-07 04:00"},
                   "E"},
        // Weekdays at 09:30 in Sydney (daylight time) fall on the evening before in Berlin.
        TSampleRow{"ical4j__Standup.ics",
                   EncodeDate(2009, 3, 20),
                   {"Standup", "2009-03-09 23:30..2009-03-09 23:45", "Standup", "2009-03-10 23:30..2009-03-10 23:45",
                    "Standup", "2009-03-11 23:30..2009-03-11 23:45", "Standup", "2009-03-12 23:30..2009-03-12 23:45",
                    "Standup", "2009-03-15 23:30..2009-03-15 23:45", "Standup", "2009-03-16 23:30..2009-03-16 23:45",
                    "Standup", "2009-03-17 23:30..2009-03-17 23:45", "Standup", "2009-03-18 23:30..2009-03-18 23:45",
                    "Standup", "2009-03-19 23:30..2009-03-19 23:45"},
                   "E"},
        // Four reminders: the first is kept, and the summary says so.
        TSampleRow{
            "pyical__alarm_google_future.ics", 0, {"event with alarms", "2024-10-04 20:15..2024-10-04 21:00"}, "C"}),
    [](const auto& info) {
      std::string name = info.param.File;
      name = name.substr(0, name.find('.'));
      std::erase_if(name, [](char c) { return c == '_'; });
      return name;
    });

}  // namespace
