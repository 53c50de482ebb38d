#pragma once

#include <cstdint>
#include <cstdlib>

#include "model/day_number.h"

// A point on a straight time line in milliseconds: day * kMsPerDay + time of day. Unlike a day
// number's own millisecond count, it runs forward within days before 30 December 1899 too, so
// that spans and comparisons are plain arithmetic.

inline std::int64_t Moment(std::int64_t day, std::int64_t timeMs) { return day * kMsPerDay + timeMs; }

inline std::int64_t TimeMsOf(double value) { return std::llabs(ToMs(value) % kMsPerDay); }

inline std::int64_t MomentOf(double value) { return Moment(DayNumberOf(value), TimeMsOf(value)); }

// The day the moment lies in.
inline std::int64_t DayOfMoment(std::int64_t moment) {
  return moment >= 0 ? moment / kMsPerDay : -((-moment + kMsPerDay - 1) / kMsPerDay);
}

// The day number (date-time value) of the moment.
inline double ValueOfMoment(std::int64_t moment) {
  std::int64_t day = moment / kMsPerDay;
  std::int64_t timeMs = moment % kMsPerDay;
  if (timeMs < 0) {
    --day;
    timeMs += kMsPerDay;
  }
  return FromMs(day >= 0 ? Moment(day, timeMs) : day * kMsPerDay - timeMs);
}

// The date-time value of a clock time on the date: before 30 December 1899 too, where the value's
// fraction counts forward into the day while the day number counts back.
inline double ClockValue(double date, int hour, int minute, int second) {
  return ValueOfMoment(Moment(DayNumberOf(date), ((hour * 60LL + minute) * 60 + second) * 1000));
}
