#pragma once

#include <array>
#include <optional>

#include "platform/geometry.h"

// Where the parts of a calendar go in a frame: seven columns, and nine rows (0 the title, 1 the
// weekday names, 2 to 7 the six weeks, 8 the band of the Revert and Today buttons), inside a
// margin of 4 pixels.
class TVpCalendarLayout {
 public:
  static constexpr int Columns = 7;
  static constexpr int Rows = 9;
  static constexpr int FirstWeekRow = 2;
  static constexpr int LastWeekRow = 7;

  // The layout of a frame (the logical frame of the drawing) for a font whose "Yy" is textHeight
  // pixels high; buttonBand keeps room for the Revert and Today buttons under the weeks.
  TVpCalendarLayout(const TRect& frame, int textHeight, bool buttonBand);

  int ColumnWidth(int column) const { return ColumnWidths_[static_cast<size_t>(column)]; }
  int RowHeight(int row) const { return RowHeights_[static_cast<size_t>(row)]; }
  // The cell of a row 0 to 7 and a column 0 to 6.
  TRect Cell(int row, int column) const;
  // The title: from the left of the second column to the left of the last, row 0's height.
  TRect TitleRect() const;
  // The week row and column of the day cell holding the point, if any.
  std::optional<std::pair<int, int>> DayCellAt(TPoint point) const;

 private:
  TPoint Origin_;
  std::array<int, Columns> ColumnWidths_{};
  std::array<int, Rows> RowHeights_{};
};
