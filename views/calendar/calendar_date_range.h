#pragma once

#include "model/day_number.h"

// The dates the date-picker calendar and the date edit accept: 1 January 100 to 31 December 9999.
// The calendar helpers refuse years below 100, and four digits are what the date formats show, so
// a date outside stays out of the picker altogether instead of failing each time it is drawn.

inline bool WithinCalendarRange(double date) {
  const double day = DateOf(date);
  return day >= EncodeDate(100, 1, 1) && day <= EncodeDate(9999, 12, 31);
}

// The nearest date of the range: the date itself when it lies within.
inline double ClampToCalendarRange(double date) {
  if (DateOf(date) < EncodeDate(100, 1, 1)) return EncodeDate(100, 1, 1);
  if (DateOf(date) > EncodeDate(9999, 12, 31)) return EncodeDate(9999, 12, 31);
  return date;
}
