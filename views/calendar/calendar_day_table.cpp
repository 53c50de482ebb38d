#include "views/calendar/calendar_day_table.h"

#include "model/date_helpers.h"
#include "model/day_number.h"

TVpCalendarDayTable::TVpCalendarDayTable(double date, TVpDayType weekStarts) {
  const TVpDate parts = DecodeDate(date);
  Year_ = parts.Year;
  Month_ = parts.Month;
  FirstOfMonth_ = EncodeDate(Year_, Month_, 1);
  Length_ = ::MonthLength(Year_, Month_);
  const int weekday = DayOfWeek(FirstOfMonth_);    // 1 Sunday ... 7 Saturday
  const int start = static_cast<int>(weekStarts);  // 0 Sunday ... 6 Saturday
  First_ = weekday - start + (weekday - 1 - start < 0 ? 7 : 0);
}

double TVpCalendarDayTable::DateAt(int position) const { return FirstOfMonth_ + (position - First_); }

int TVpCalendarDayTable::DayAt(int position) const { return DecodeDate(DateAt(position)).Day; }
