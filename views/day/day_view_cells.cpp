#include <algorithm>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "views/day/day_view.h"
#include "views/day/day_view_metrics.h"
#include "views/day/day_view_pass.h"

// The cells of one day column: a gutter strip at the left, then the slot rows, each filled with
// its slot colour on screen and ruled above and below.

namespace {

TColor SlotColor(const TVpTimeSlotColor& colors, bool weekend, double rowTime) {
  if (weekend) return colors.Weekend();
  const TVpTimeRange& range = colors.ActiveRange();
  if (range.RangeBegin() == range.RangeEnd()) return colors.Weekday();
  return TimeWithin(rowTime, range.StartTime(), range.EndTime() - kOneMinute, true) ? colors.Active()
                                                                                    : colors.Inactive();
}

}  // namespace

void TVpDayViewPass::DrawCells(const TRect& cell, int column, double day) {
  // A gutter as wide as the column leaves no room for slots, but never a reversed rectangle.
  const int gutterRight = std::min(cell.Left + GutterPixels_, cell.Right);
  const int slotLeft = std::min(gutterRight + 1, cell.Right);
  Fill(Rect(cell.Left, cell.Top, gutterRight, cell.Bottom), Colors_.Background);
  Line(gutterRight, cell.Top, gutterRight, cell.Bottom, Colors_.Shadow);
  Fill(Rect(slotLeft, cell.Top, cell.Right, cell.Bottom), Colors_.Background);

  const bool weekend = IsWeekendDay(day);
  TVpLineArray& lines = Layout_.Lines[static_cast<size_t>(column)];
  for (int i = 0; StartLine_ + i <= LastRow_; ++i) {
    TVpLineRec& line = lines[static_cast<size_t>(StartLine_ + i)];
    line.Rec = Rect(slotLeft, cell.Top + i * RowHeight_, cell.Right, cell.Top + (i + 1) * RowHeight_);
    if (!DisplayOnly()) {
      const bool selected = column == View_.ActiveCol() && StartLine_ + i == View_.ActiveRow();
      Fill(line.Rec, selected ? clHighlight : SlotColor(View_.TimeSlotColors(), weekend, line.Time));
    }
    Line(slotLeft, line.Rec.Top, cell.Right - 1, line.Rec.Top, View_.LineColor());
    Line(slotLeft, line.Rec.Bottom, cell.Right - 1, line.Rec.Bottom, View_.LineColor());
  }
  Line(cell.Right - 1, cell.Bottom, cell.Right - 1, cell.Top - 1, Colors_.Shadow);
}
