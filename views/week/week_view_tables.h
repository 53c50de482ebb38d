#pragma once

#include <array>

#include "platform/geometry.h"
#include "views/day/day_view_tables.h"

// One day box of the week view as the last pass drew it, and its date (a whole date).
struct TVpWeekdayRec {
  TRect Rec = kUndrawnRect;
  double Day = 0;
};
using TVpWeekdayArray = std::array<TVpWeekdayRec, 7>;

// What one drawing pass of a week view laid out: its metrics, the day boxes and every event line
// and all-day box it drew. The event table holds as many entries as the pass drew.
struct TVpWeekViewLayout {
  int HeaderHeight = 0;
  int DayHeadHeight = 0;
  int EventLineHeight = 0;
  TVpWeekdayArray Days;
  TVpEventArray Events;
};
