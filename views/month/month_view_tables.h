#pragma once

#include <array>

#include "model/enumerations.h"
#include "platform/geometry.h"
#include "views/day/day_view_tables.h"

// One day cell of the month view as the last pass drew it: its rectangle, its whole date and
// whether it belongs to a neighbouring month. Undrawn cells keep kUndrawnRect and date 0.
struct TVpMonthdayRec {
  TRect Rec = kUndrawnRect;
  double Date = 0;
  bool OffDay = false;
};

// The first day the grid of the date's month shows: the weekStartsOn day of the week holding the
// first of the month. The grid shows it and the 41 days after it.
double MonthGridStart(double date, TVpDayType weekStartsOn);

// What one drawing pass of a month view laid out: its metrics, the 42 day cells (six weeks of
// seven days, row by row) and the event lines it drew. A pass of a view too small for its grid
// draws no cells and no events.
struct TVpMonthViewLayout {
  static constexpr int kDayCells = 42;

  int HeaderHeight = 0;
  int DayNumberHeight = 0;
  int EventHeight = 0;
  int LineHeight = 0;
  int ColWidth = 0;
  int RowHeight = 0;
  std::array<TVpMonthdayRec, kDayCells> Days{};
  // Grows with the lines drawn; an entry's event is looked up by record ID before use.
  TVpEventArray Events;
};
