#pragma once

#include <vector>

#include "model/enumerations.h"
#include "platform/geometry.h"

class TVpCustomDataStore;
class TVpEvent;

// Where a row, column or event was not drawn: never hit.
constexpr TRect kUndrawnRect{-1, -1, -1, -1};

// One slot row of a day column: the time it starts and where the last pass drew it.
struct TVpLineRec {
  int Hour = 0;
  int Minute = 0;
  double Time = 0;  // time of day of the slot's start, as a fraction of a day
  TRect Rec = kUndrawnRect;
};
// The rows of one column: LineCount records and one more, all zero, that ends the table.
using TVpLineArray = std::vector<TVpLineRec>;
// One line array per day column.
using TVpLineMatrix = std::vector<TVpLineArray>;

// A day column: its cell rectangle and the day it shows (a whole date).
struct TVpColRec {
  TRect Rec = kUndrawnRect;
  double Date = 0;
};
using TVpColRectArray = std::vector<TVpColRec>;

// An event as the last pass drew it: its rectangle (one pixel taller than the drawn frame), its
// icon area, and the event. The event is held by identity and record ID only: look it up with
// FindRecordAgain before use, since the store may have reloaded its events since the pass.
struct TVpEventRec {
  TRect Rec = kUndrawnRect;
  TRect IconRect = kUndrawnRect;
  const TVpEvent* Event = nullptr;
  int RecordID = -1;
};
using TVpEventArray = std::vector<TVpEventRec>;

// What one drawing pass of a day view laid out: its metrics and where it drew rows, columns and
// events.
struct TVpDayViewLayout {
  int RowHeight = 1;
  // Below the date headers, down to HeaderHeight, the strip of all-day events (none: equal).
  int StripTop = 0;
  int HeaderHeight = 0;
  int VisibleLines = 1;
  TVpLineMatrix Lines;
  TVpColRectArray Columns;
  TVpEventArray Events;
};

// Rows per day at the granularity: 288, 240, 144, 96, 72, 48 or 24.
int LineCountOf(TVpGranularity granularity);
// The line records of one column for the granularity, none of them drawn.
TVpLineArray BuildLineArray(TVpGranularity granularity);
