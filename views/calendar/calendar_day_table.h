#pragma once

#include "model/enumerations.h"

// The day table of the month a calendar shows: positions 1 to 42 are drawn, seven per week row. The first of the month
// stands at FirstPosition(), the days before it are the last days of the previous month and the days after the month
// count on into the next one.
class TVpCalendarDayTable {
 public:
  static constexpr int ShownPositions = 42;

  // The table of the month holding the date, for weeks starting on weekStarts. The date must lie
  // within the calendar range (calendar_date_range.h).
  TVpCalendarDayTable(double date, TVpDayType weekStarts);

  int Year() const { return Year_; }
  int Month() const { return Month_; }
  // The position of the first of the month: 1 to 7.
  int FirstPosition() const { return First_; }
  int MonthLength() const { return Length_; }

  // The date and day number shown at a position.
  double DateAt(int position) const;
  int DayAt(int position) const;
  // Whether the position holds a day of the month itself rather than of a neighbouring month.
  bool IsActive(int position) const { return position >= First_ && position < First_ + Length_; }
  // The position of a day of the month.
  int PositionOf(int day) const { return First_ + day - 1; }

 private:
  int Year_;
  int Month_;
  double FirstOfMonth_;
  int First_;
  int Length_;
};
