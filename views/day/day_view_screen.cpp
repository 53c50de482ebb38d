#include <algorithm>

#include "model/event.h"
#include "platform/assign_if_changed.h"
#include "store/record_handle.h"
#include "views/day/day_view.h"
#include "views/day/day_view_pass.h"
#include "views/day/time_slots.h"
#include "views/drawing/canvas_error.h"

// What the day view keeps of its picture on screen: the last on-screen pass's metrics and tables,
// the top row and the selection, and the scroll bar that follows them.

void TVpDayView::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale,
                                double renderDate, int startLine, int stopLine, TVpGranularity granularity,
                                bool displayOnly) {
  if (canvas == nullptr) throw EVpCanvasError("TCanvas not assigned");
  TVpDayViewPass pass(*this, *canvas, rect, angle, scale, renderDate, startLine, stopLine, granularity, displayOnly);
  TVpDayViewLayout layout = pass.Draw();
  if (!displayOnly) Screen_ = std::move(layout);
}

void TVpDayView::PrintDaysIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale,
                                   double renderDate, int startLine, int stopLine, TVpGranularity granularity,
                                   int numDays) {
  if (canvas == nullptr) throw EVpCanvasError("TCanvas not assigned");
  TVpDayViewPass(*this, *canvas, rect, angle, scale, renderDate, startLine, stopLine, granularity, true, numDays)
      .Draw();
}

void TVpDayView::Paint(TCanvas& canvas, const TRect& clientRect) {
  FollowStoreDate();
  // The rows the client area shows decide how far down the top row may be; a view made taller
  // pulls the top row up so that no empty space is left below the last row.
  Screen_.VisibleLines =
      TVpDayViewPass(*this, canvas, clientRect, ra0, 1.0, Date_, TopLine_, -1, Granularity_, false).VisibleLines();
  TopLine_ = std::clamp(TopLine_, 0, LastTopLine());
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, Date_, TopLine_, -1, Granularity_, false);
}

int TVpDayView::LastTopLine() const {
  return Screen_.VisibleLines >= LineCount() ? 0 : LineCount() - Screen_.VisibleLines + 1;
}

void TVpDayView::SetTopLine(int value) {
  value = std::clamp(value, 0, LastTopLine());
  if (AssignIfChanged(TopLine_, value)) Invalidate();
}

void TVpDayView::ScrollToHour(int hour) {
  if (!AssignIfChanged(TopHour_, std::optional<int>(hour))) return;
  SetTopLine(SlotsBeforeHour(hour, Granularity_));
}

void TVpDayView::SetActiveRow(int row) {
  row = std::clamp(row, 0, LineCount() - 1);
  if (row < TopLine_) SetTopLine(row);
  else if (row >= TopLine_ + Screen_.VisibleLines) SetTopLine(row - Screen_.VisibleLines + 1);
  if (row == ActiveRow_) return;
  ActiveRow_ = row;
  Invalidate();
}

void TVpDayView::SetActiveCol(int col) {
  col = std::clamp(col, 0, NumDays_ - 1);
  if (col == ActiveCol_) return;
  ActiveCol_ = col;
  Invalidate();
}

TVpEvent* TVpDayView::ActiveEvent() const { return FindRecordAgain(DataStore(), ActiveEvent_, ActiveEventID_); }

void TVpDayView::SetActiveEvent(TVpEvent* event) {
  ActiveEvent_ = event;
  ActiveEventID_ = event != nullptr ? event->RecordID() : -1;
}

TVpEvent* TVpDayView::DrawnEvent(size_t index) const {
  if (index >= Screen_.Events.size()) return nullptr;
  const TVpEventRec& drawn = Screen_.Events[index];
  return FindRecordAgain(DataStore(), drawn.Event, drawn.RecordID);
}

TVpScrollBarInfo TVpDayView::ScrollBar() const {
  TVpScrollBarInfo bar;
  bar.Visible = true;
  bar.Top = Screen_.HeaderHeight;  // one pixel above the ruler
  bar.Bottom = std::max(bar.Top, Height() - 2);
  bar.RightMargin = 2;
  bar.Max = LastTopLine();
  bar.PageSize = Screen_.VisibleLines >= LineCount() ? LineCount() : Screen_.VisibleLines;
  bar.Position = TopLine_;
  return bar;
}

void TVpDayView::Scroll(TVpScrollAction action, int position) {
  switch (action) {
    case saLineUp: SetTopLine(TopLine_ - 1); break;
    case saLineDown: SetTopLine(TopLine_ + 1); break;
    case saPageUp: SetTopLine(TopLine_ - Screen_.VisibleLines); break;
    case saPageDown: SetTopLine(TopLine_ + Screen_.VisibleLines); break;
    case saTrack: SetTopLine(position); break;
  }
}
