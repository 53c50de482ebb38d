#include <gtest/gtest.h>

#include <string>

#include "model/event.h"
#include "model/occurrences.h"
#include "tests/model/model_test_support.h"

// Occurrences of events kept on a zone's clock, seen from the desktop's zone. The expected local
// times are worked out from the zones' offsets and checked with Python's zoneinfo: in 2027 the US
// clocks go forward on 14 March and back on 7 November, the European ones on 28 March and
// 31 October; Tokyo keeps UTC+9 all year.

namespace {

struct TZonedCase {
  const char* Desktop;
  const char* Zone;  // "" for a floating event
  double Start;      // on the event's own clock
  int Minutes;
  const char* Rule;
  double Day;
  int From;  // DayPartOf in minutes; -1 when the event does not fall on the day
  int To;
  bool GoesOn = false;
};

void PlaceEvent(TVpEvent& event, const TZonedCase& c) {
  event.SetStartTime(c.Start);
  event.SetEndTime(c.Start + c.Minutes * kOneMinute);
  if (*c.Zone) {
    event.SetTimeZone(c.Zone);
    event.SetZoneStartTime(c.Start);
  }
  event.SetRepeatRule(c.Rule);
}

const char* const kNewYork = "America/New_York";
const char* const kBerlin = "Europe/Berlin";
const double kWeekly9 = At(2027, 3, 4, 9, 0);  // a Thursday
const double kDaily230 = At(2027, 3, 12, 2, 30);
const double kDaily130 = At(2027, 11, 5, 1, 30);
const double kTokyo7 = At(2027, 1, 4, 7, 0);  // a Monday, Sunday 23:00 in Berlin
const double kFloating12 = At(2027, 3, 4, 12, 0);

const TZonedCase kCases[] = {
    // Weekly 09:00 in New York seen from Berlin: 15:00, but 14:00 between the two changes.
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 4), 900, 960},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 11), 900, 960},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 18), 840, 900},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 25), 840, 900},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 4, 1), 900, 960},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 10, 28), 900, 960},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 11, 4), 840, 900},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 11, 11), 900, 960},
    {kBerlin, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 11, 12), -1, -1},
    // The same from New York: 09:00 throughout.
    {kNewYork, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 11), 540, 600},
    {kNewYork, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 3, 18), 540, 600},
    {kNewYork, kNewYork, kWeekly9, 60, "FREQ=WEEKLY", Day(2027, 11, 4), 540, 600},
    // A floating event keeps its 12:00 wherever the desktop is.
    {kBerlin, "", kFloating12, 30, "FREQ=WEEKLY", Day(2027, 3, 18), 720, 750},
    {kBerlin, "", kFloating12, 30, "FREQ=WEEKLY", Day(2027, 11, 4), 720, 750},
    {kNewYork, "", kFloating12, 30, "FREQ=WEEKLY", Day(2027, 3, 18), 720, 750},
    // Daily 02:30 in New York: on the day the clocks go forward it takes the offset before the
    // gap, 03:30 there (07:30 UTC as the days around it).
    {kNewYork, kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 13), 150, 165},
    {kNewYork, kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 14), 210, 225},
    {kNewYork, kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 15), 150, 165},
    {"UTC", kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 13), 450, 465},
    {"UTC", kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 14), 450, 465},
    {"UTC", kNewYork, kDaily230, 15, "FREQ=DAILY", Day(2027, 3, 15), 390, 405},
    // Daily 01:30 in New York: on the day the clocks go back it is the first of the two.
    {"UTC", kNewYork, kDaily130, 15, "FREQ=DAILY", Day(2027, 11, 6), 330, 345},
    {"UTC", kNewYork, kDaily130, 15, "FREQ=DAILY", Day(2027, 11, 7), 330, 345},
    {"UTC", kNewYork, kDaily130, 15, "FREQ=DAILY", Day(2027, 11, 8), 390, 405},
    // Monday 07:00 to 09:00 in Tokyo is Sunday 23:00 to Monday 01:00 in Berlin.
    {kBerlin, "Asia/Tokyo", kTokyo7, 120, "FREQ=WEEKLY", Day(2027, 1, 9), -1, -1},
    {kBerlin, "Asia/Tokyo", kTokyo7, 120, "FREQ=WEEKLY", Day(2027, 1, 10), 1380, 1440},
    {kBerlin, "Asia/Tokyo", kTokyo7, 120, "FREQ=WEEKLY", Day(2027, 1, 11), 0, 60, true},
    {kBerlin, "Asia/Tokyo", kTokyo7, 120, "FREQ=WEEKLY", Day(2027, 1, 12), -1, -1},
    // An UNTIL in UTC is a moment: 18:00 in Berlin on 10 January is 17:00 UTC, still within it.
    {kBerlin, "", At(2024, 1, 5, 18, 0), 60, "FREQ=DAILY;UNTIL=20240110T170000Z", Day(2024, 1, 10), 1080, 1140},
    {kBerlin, "", At(2024, 1, 5, 18, 0), 60, "FREQ=DAILY;UNTIL=20240110T165959Z", Day(2024, 1, 10), -1, -1},
    {kBerlin, kNewYork, At(2024, 1, 5, 12, 0), 60, "FREQ=DAILY;UNTIL=20240110T170000Z", Day(2024, 1, 10), 1080, 1140},
    {kBerlin, kNewYork, At(2024, 1, 5, 12, 0), 60, "FREQ=DAILY;UNTIL=20240110T170000Z", Day(2024, 1, 11), -1, -1},
};

}  // namespace

TEST(ZonedOccurrences, EachOccurrenceFallsOnItsLocalDayAtItsLocalTime) {
  for (const TZonedCase& c : kCases) {
    const TLocalZone desktop(c.Desktop);
    TVpEvent event;
    PlaceEvent(event, c);
    SCOPED_TRACE(std::string(c.Desktop) + " <- " + c.Zone + " " + c.Rule + " on day " + std::to_string(c.Day));
    ASSERT_EQ(FallsOn(event, c.Day), c.From >= 0);
    if (c.From < 0) continue;
    const TVpDayPart part = DayPartOf(event, c.Day);
    EXPECT_EQ(part.StartMs / kMsPerMinute, c.From);
    EXPECT_EQ(part.EndMs / kMsPerMinute, c.To);
    EXPECT_EQ(GoesOnInto(event, c.Day), c.GoesOn);
  }
}
