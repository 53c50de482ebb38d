#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "interop/ical/ical_reader.h"
#include "tests/interop/ical_test_support.h"
#include "tests/support/temporary_folder.h"

namespace {

struct TSampleRow {
  const char* File;
  std::vector<std::string> Expected;  // summary, then placement, per event
  const char* Notes;
};

class IcalSample : public TIcalTest, public ::testing::WithParamInterface<TSampleRow> {};

TEST_P(IcalSample, GivesTheEventsAUserExpects) {
  const TSampleRow& row = GetParam();
  TIcalContent content;
  TIcalReadError error;
  ASSERT_TRUE(ReadIcal(TTemporaryFolder::Read(std::string(KORET_INTEROP_SAMPLES) + "/" + row.File), content, error))
      << error.Message;
  std::vector<std::string> shown;
  for (const TIcalEvent& event : content.Events) {
    shown.push_back(event.Description);
    shown.push_back(Shown(event));
  }
  EXPECT_EQ(shown, row.Expected);
  std::string kinds;
  for (const TIcalItemNote& note : content.Notes) kinds += "CS"[note.Kind];
  EXPECT_EQ(kinds, row.Notes);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, IcalSample,
    ::testing::Values(
        TSampleRow{"pyical__bom_calendar.ics", {}, ""},
        // Its own VTIMEZONE under a Windows name wins over the name for the moment: +01:00 in
        // November 2019; the event keeps the zone the name stands for.
        TSampleRow{"khal__tz_windows_format.ics",
                   {"Event with Windows TZ name", "2019-11-20 13:00..2019-11-20 14:30 zone Pacific/Auckland"},
                   ""},
        // Brisbane noon is 03:00 in Berlin; two days excluded, on Brisbane's clock.
        TSampleRow{"ical4j__EXDATE.ics",
                   {"Repeating Event",
                    "2006-01-01 03:00..2006-01-01 04:00 zone Australia/Brisbane rule FREQ=DAILY;COUNT=7 to "
                    "2006-01-07 except 20060103T120000,20060104T120000"},
                   ""},
        // Weekdays at 09:30 in Sydney (daylight time) fall on the evening before in Berlin.
        TSampleRow{"ical4j__Standup.ics",
                   {"Standup",
                    "2009-03-09 23:30..2009-03-09 23:45 zone Australia/Sydney rule "
                    "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR;WKST=SU to 9999-12-31"},
                   ""},
        // Four reminders: the first is kept, and the summary says so.
        TSampleRow{"pyical__alarm_google_future.ics",
                   {"event with alarms", "2024-10-04 20:15..2024-10-04 21:00 zone UTC"},
                   "C"}),
    [](const auto& info) {
      std::string name = info.param.File;
      name = name.substr(0, name.find('.'));
      std::erase_if(name, [](char c) { return c == '_'; });
      return name;
    });

}  // namespace
