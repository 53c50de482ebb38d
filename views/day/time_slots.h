#pragma once

#include "model/enumerations.h"

// The time slots of the day view. A slot's number counts from midnight: at 30-minute granularity
// 09:00 starts slot 18.

// Minutes in one slot of the granularity; a value outside the enumeration counts as 30 minutes.
int GranularityMinutes(TVpGranularity granularity);
int SlotsPerHour(TVpGranularity granularity);

// The slot length the day view measures event-bar offsets with, as a fraction of a day: the
// granularity's minutes, except that gr60Min gives 1/60 of a day (24 minutes), on which the day
// view's hour geometry is built.
double SlotLength(TVpGranularity granularity);

// The slot in which the time starts: (time of day + 1 minute) / slot length, cut toward zero.
int SlotOfStart(TVpGranularity granularity, double time);
// The last slot the time still covers: (time of day - 1 minute) / slot length, cut toward zero,
// so that an event ending at 10:00 ends in the slot before 10:00 and midnight gives 0.
int SlotOfEnd(TVpGranularity granularity, double time);

// The first slot of the hour (0 to 23).
int SlotsBeforeHour(int hour, TVpGranularity granularity);
