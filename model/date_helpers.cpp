#include "model/date_helpers.h"

#include <algorithm>

#include "model/day_number.h"
#include "model/vp_exception.h"

namespace {

int DaysInMonth(long long year, int month) {
  switch (month) {
    case 2: return LeapYear(static_cast<int>(year)) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    default: return 0;
  }
}

}  // namespace

bool LeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) && year % 4000 != 0; }

int MonthLength(int year, int month) {
  if (year < 100) throw EVpDateException(year);
  return DaysInMonth(year, month);
}

int CenturyOfToday(const TClock& clock) {
  const int year = DecodeDate(clock.Now()).Year;
  return year - year % 100;
}

double WeekStartFor(double date, TVpDayType firstDay) {
  return date - DayOfWeek(date) + (static_cast<int>(firstDay) + 1);
}

double MondayOfWeek(double date) { return DateOf(date) - (DayOfWeek(date) + 5) % 7; }

int IsoWeekNumber(double date) {
  // The week's Thursday decides the year the week belongs to.
  const double thursday = MondayOfWeek(date) + 3;
  const double firstOfYear = EncodeDate(DecodeDate(thursday).Year, 1, 1);
  return static_cast<int>(DayNumberOf(thursday) - DayNumberOf(firstOfYear)) / 7 + 1;
}

double MonthsLater(long long count, double date) {
  const TVpDate from = DecodeDate(date);
  long long year = from.Year + count / 12;
  long long month = from.Month + count % 12;
  if (month > 12) {
    month -= 12;
    ++year;
  } else if (month < 1) {
    month += 12;
    --year;
  }
  const int day = std::min(from.Day, DaysInMonth(year, static_cast<int>(month)));
  return EncodeDate(static_cast<int>(year), static_cast<int>(month), day);
}

double YearsLater(long long count, double date) { return MonthsLater(12 * count, date); }

bool TimeWithin(double time, double start, double end, bool inclusive) {
  const auto t = ToMs(time), s = ToMs(start), e = ToMs(end);
  return inclusive ? s <= t && t <= e : s < t && t < e;
}
