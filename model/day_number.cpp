#include "model/day_number.h"

#include <cmath>
#include <cstdlib>

namespace {

// Days from 1 March of year 0 counted the civil way: the year is taken to start in March so that
// the leap day falls at its end, and 400-year eras repeat exactly.
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const int shiftedMonth = month > 2 ? month - 3 : month + 9;
  const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

TVpDate CivilFromDays(std::int64_t days) {
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return TVpDate{static_cast<int>(year), month, day};
}

constexpr std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

std::int64_t ToMs(double value) { return std::llround(value * static_cast<double>(kMsPerDay)); }

double FromMs(std::int64_t ms) {
  // Whole days and the remainder are converted apart so that large day numbers keep every
  // millisecond.
  return static_cast<double>(ms / kMsPerDay) + static_cast<double>(ms % kMsPerDay) / static_cast<double>(kMsPerDay);
}

std::int64_t DayNumberOf(double value) { return ToMs(value) / kMsPerDay; }

double TimeOf(double value) {
  return static_cast<double>(std::llabs(ToMs(value) % kMsPerDay)) / static_cast<double>(kMsPerDay);
}

double EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
  const std::int64_t ms = ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
  return FromMs(ms);
}

TVpDate DecodeDate(double value) { return CivilFromDays(DayNumberOf(value) + kEpoch); }

TVpTime DecodeTime(double value) {
  std::int64_t ms = std::llabs(ToMs(value) % kMsPerDay);
  TVpTime time;
  time.Millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  time.Second = static_cast<int>(ms % 60);
  ms /= 60;
  time.Minute = static_cast<int>(ms % 60);
  time.Hour = static_cast<int>(ms / 60);
  return time;
}

int DayOfWeek(double value) {
  // Day 1 (31 December 1899) was a Sunday.
  const std::int64_t fromSunday = ((DayNumberOf(value) - 1) % 7 + 7) % 7;
  return static_cast<int>(fromSunday) + 1;
}
