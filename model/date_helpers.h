#pragma once

#include "model/enumerations.h"
#include "platform/clock.h"

// Calendar helpers of the planner: pure functions on day numbers (see day_number.h).

// True when the year is divisible by 4, except years divisible by 100 but not by 400, and except
// years divisible by 4000.
bool LeapYear(int year);

// Days in the month by LeapYear; 0 for a month outside 1 to 12. Raises EVpDateException for a
// year below 100.
int MonthLength(int year, int month);

// The current year rounded down to a multiple of 100.
int CenturyOfToday(const TClock& clock);

// The date minus its weekday number (Sunday 1 to Saturday 7) plus firstDay + 1, with the date's
// time part kept. The result can lie up to 6 days after the date: callers that want the week
// holding the date step back 7 days when it does.
double WeekStartFor(double date, TVpDayType firstDay);

// The Monday of the week (Monday to Sunday) holding the date's day, a whole date.
double MondayOfWeek(double date);

// The ISO 8601 week number of the date's day (1 to 53): weeks start on Monday, and week 1 is the
// week holding the year's first Thursday.
int IsoWeekNumber(double date);

// The date count months later (count may be negative), without time part; the day is lowered to
// the length of the target month.
double MonthsLater(long long count, double date);
double YearsLater(long long count, double date);

// Inclusive: start <= time <= end; otherwise start < time < end. Compared on whole milliseconds.
bool TimeWithin(double time, double start, double end, bool inclusive);
