#include "views/calendar/calendar_layout.h"

#include <algorithm>
#include <numeric>

namespace {

// Margin between the frame and the cells.
constexpr int Margin = 4;

// numerator / denominator rounded to the nearest whole number, halves to the even one
// (non-negative values).
int RoundHalfEven(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  const int twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 == 1)) return quotient + 1;
  return quotient;
}

}  // namespace

TVpCalendarLayout::TVpCalendarLayout(const TRect& frame, int textHeight, bool buttonBand)
    : Origin_{frame.Left + Margin, frame.Top + Margin} {
  // Columns: the room divided by seven; the first (rest + 1) columns are a pixel wider.
  const int room = frame.Width() - 2 * Margin;
  const int wider = room % Columns + 1;
  for (int column = 0; column < Columns; ++column)
    ColumnWidths_[static_cast<size_t>(column)] = room / Columns + (column < wider ? 1 : 0);

  // The title is 1.4 and the weekday names 1.5 text heights high; the weeks (and the button band
  // when there is one) share the rest evenly, and what is left over goes to the title and the
  // names, the title taking the larger half.
  textHeight = std::max(textHeight, 0);
  int& title = RowHeights_[0];
  int& names = RowHeights_[1];
  title = RoundHalfEven(14 * textHeight, 10);
  names = RoundHalfEven(15 * textHeight, 10);
  const int lastRow = buttonBand ? 8 : 7;
  const int height = frame.Height();
  const int evenRow = (height - title - names - 2 * Margin) / (lastRow - 1);
  for (int row = 2; row < Rows; ++row) RowHeights_[static_cast<size_t>(row)] = evenRow;
  const int used = title + names + (lastRow - 1) * evenRow;
  const int leftOver = height - 2 * Margin - used;
  title += leftOver - leftOver / 2;
  names += leftOver / 2;
}

TRect TVpCalendarLayout::Cell(int row, int column) const {
  const int left = Origin_.X + std::accumulate(ColumnWidths_.begin(), ColumnWidths_.begin() + column, 0);
  const int top = Origin_.Y + std::accumulate(RowHeights_.begin(), RowHeights_.begin() + row, 0);
  return {left, top, left + ColumnWidth(column), top + RowHeight(row)};
}

TRect TVpCalendarLayout::TitleRect() const {
  const TRect first = Cell(0, 1);
  return {first.Left, first.Top, Cell(0, Columns - 1).Left, first.Bottom};
}

std::optional<std::pair<int, int>> TVpCalendarLayout::DayCellAt(TPoint point) const {
  for (int row = FirstWeekRow; row <= LastWeekRow; ++row)
    for (int column = 0; column < Columns; ++column)
      if (Cell(row, column).Contains(point)) return std::pair{row, column};
  return std::nullopt;
}
