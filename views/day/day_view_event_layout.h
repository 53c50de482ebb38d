#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/enumerations.h"

class TVpEvent;

// An event of one day column as the day view places it.
struct TVpPlacedEvent {
  TVpEvent* Event = nullptr;
  // Time of day in milliseconds. An event that ends at midnight, or on a later day than it starts,
  // ends at 23:59:59 in this column; an end before the start is taken as the start.
  std::int64_t StartMs = 0;
  std::int64_t EndMs = 0;
  // The slot rows it covers at the view's granularity; LastRow is never before FirstRow.
  int FirstRow = 0;
  int LastRow = 0;
  // Its place among events side by side (0 is leftmost) and the number of parts the column width
  // is divided into for it (always more than Level).
  int Level = 0;
  int WidthDivisor = 1;
};

// The rows one event covers in the column of a day it falls on (from the first row when it began on
// an earlier day, to the last when it goes on past the day), level and width divisor not yet given.
TVpPlacedEvent MeasureDayEvent(TVpEvent* event, TVpGranularity granularity, double day);

// Places the events of one day (the events falling on it): at most maxEvents of them (the
// earliest), in levels. A level
// holds events whose rows do not meet, taken by start time of day; events whose rows meet stand
// side by side and share the column's width. Returns them level by level, each level in order of
// time of day.
std::vector<TVpPlacedEvent> PlaceDayEvents(std::span<TVpEvent* const> events, TVpGranularity granularity, int maxEvents,
                                           double day);
