#pragma once
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <string>

#include "interop/ical/ical_item.h"
#include "model/day_number.h"

// Calendar tests run in one known zone, so that local times are the same on every machine.
class TIcalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
};

// A local date-time as the tests write it: "2024-01-15 09:30".
inline std::string Shown(double value) {
  const TVpDate date = DecodeDate(value);
  const TVpTime time = DecodeTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.Year, date.Month, date.Day, time.Hour, time.Minute);
  return text;
}

// An event's placement and repeat in one line: "start..end" with " all-day", " zone Z",
// " repeat C to DAY" or " rule R to DAY", " except STAMPS", " extra STAMPS" (" to DAY" without a
// rule), and for a changed
// occurrence " in place of STAMP".
inline std::string Shown(const TIcalEvent& event) {
  std::string text = Shown(event.StartTime) + ".." + Shown(event.EndTime) + (event.AllDayEvent ? " all-day" : "");
  if (!event.TimeZone.empty()) text += " zone " + event.TimeZone;
  if (event.RepeatCode != 0)
    text += " repeat " + std::to_string(event.RepeatCode) + " to " + Shown(event.RepeatRangeEnd).substr(0, 10);
  if (!event.RepeatRule.empty())
    text += " rule " + event.RepeatRule + " to " + Shown(event.RepeatRangeEnd).substr(0, 10);
  if (!event.ExceptionDates.empty()) text += " except " + event.ExceptionDates;
  if (!event.ExtraDates.empty()) text += " extra " + event.ExtraDates;
  if (event.RepeatCode == 0 && event.RepeatRule.empty() && event.RepeatRangeEnd != 0)
    text += " to " + Shown(event.RepeatRangeEnd).substr(0, 10);
  if (event.IsOverride()) text += " in place of " + Shown(event.OriginalStart);
  return text;
}

inline void PrintTo(const TIcalEvent& event, std::ostream* out) {
  *out << event.Uid << " " << Shown(event) << " \"" << event.Description << "\" \"" << event.Notes << "\" ["
       << event.CategoryName << "] alarm " << event.AlarmSet << "/" << event.AlarmAdvance << "/"
       << int(event.AlarmAdvanceType) << " every " << event.CustomInterval << " kept \"" << event.KeptProperties
       << "\"";
}
