#include "model/clock_time.h"

#include "model/day_number.h"
#include "model/moment.h"

double WallOf(const icaltimetype& time) {
  const double date = EncodeDate(time.year, time.month, time.day);
  return time.is_date ? date : ClockValue(date, time.hour, time.minute, time.second);
}

icaltimetype ClockTimeOf(double wall, bool dateOnly) {
  const TVpDate date = DecodeDate(wall);
  icaltimetype time = icaltime_null_time();
  time.is_date = dateOnly;
  time.year = date.Year;
  time.month = date.Month;
  time.day = date.Day;
  if (!dateOnly) {
    const TVpTime clock = DecodeTime(wall);
    time.hour = clock.Hour;
    time.minute = clock.Minute;
    time.second = clock.Second;
  }
  return time;
}
