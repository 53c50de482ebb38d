#pragma once

#include <libical/ical.h>

// Clock times as the calendar library holds them, to and from day numbers: the fields as they
// stand, whatever zone the time names.

// The day number of the time's fields (a whole day's midnight); times before 30 December 1899 too.
double WallOf(const icaltimetype& time);
// The fields of the day number as a floating time, or a whole day when dateOnly. A whole day is built
// on a null time's zeros: a null date's clock fields are -1, on which the library's iterator never
// leaves its start day.
icaltimetype ClockTimeOf(double wall, bool dateOnly = false);
