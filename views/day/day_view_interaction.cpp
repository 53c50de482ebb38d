// What the user does in the day view: selection, keys, wheel, popup menu, adding, editing,
// deleting and dragging events. Everything works on the tables of the last on-screen pass.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "model/day_number.h"
#include "model/event.h"
#include "model/occurrences.h"
#include "store/change_path.h"
#include "store/record_handle.h"
#include "views/date_change_menu.h"
#include "views/day/day_view.h"
#include "views/day/day_view_event_layout.h"
#include "views/day/day_view_metrics.h"
#include "views/day/time_slots.h"
#include "views/event_commands.h"

namespace {

// The popup menu's commands.
enum TMenuCommand { mcAddEvent, mcEditEvent, mcDeleteEvent };

// How far the pointer must move with the button down before a drag starts.
constexpr int kDragDistance = 4;
constexpr int kWheelNotch = 120;
// How near an event's top or bottom edge a press resizes it.
constexpr int kEdgeReach = 3;

std::int64_t Minutes(double span) { return std::llround(span * 1440); }

}  // namespace

// --- hit tests ---

int TVpDayView::ColumnAt(int x, int y) const {
  for (size_t i = 0; i < Screen_.Columns.size(); ++i) {
    const TRect& r = Screen_.Columns[i].Rec;
    if (r.Left < x && x < r.Right && r.Top < y && y < r.Bottom) return static_cast<int>(i);
  }
  return -1;
}

int TVpDayView::RowAt(int x, int y, bool dragging) const {
  if (ActiveCol_ < 0 || static_cast<size_t>(ActiveCol_) >= Screen_.Lines.size()) return -1;
  const TVpLineArray& rows = Screen_.Lines[static_cast<size_t>(ActiveCol_)];
  for (int i = 0; i < LineCount(); ++i) {
    const TRect& r = rows[static_cast<size_t>(i)].Rec;
    if (r == kUndrawnRect) continue;
    if (r.Top < y && y <= r.Bottom && (!dragging || (r.Left < x && x < r.Right))) return i;
  }
  return -1;
}

TVpEvent* TVpDayView::EventAt(int x, int y) const {
  for (size_t i = 0; i < Screen_.Events.size(); ++i) {
    const TRect& r = Screen_.Events[i].Rec;
    if (r.Left < x && x < r.Right && r.Top < y && y < r.Bottom) return DrawnEvent(i);
  }
  return nullptr;
}

int TVpDayView::StripColumnAt(int x, int y) const {
  if (y <= Screen_.StripTop || y > Screen_.HeaderHeight) return -1;
  for (size_t i = 0; i < Screen_.Columns.size(); ++i) {
    const TRect& r = Screen_.Columns[i].Rec;
    if (r.Left < x && x < r.Right) return static_cast<int>(i);
  }
  return -1;
}

std::pair<TVpDayView::TEdge, TVpEvent*> TVpDayView::EdgeAt(int x, int y) const {
  for (size_t i = 0; i < Screen_.Events.size(); ++i) {
    const TRect& r = Screen_.Events[i].Rec;
    if (r.Top < Screen_.HeaderHeight || x <= r.Left || x >= r.Right) continue;
    // The drawn rectangle is a pixel taller than the event's frame.
    const TEdge edge = std::abs(y - r.Top) <= kEdgeReach            ? edTop
                       : std::abs(y - (r.Bottom - 1)) <= kEdgeReach ? edBottom
                                                                    : edNone;
    if (edge != edNone) return {edge, DrawnEvent(i)};
  }
  return {edNone, nullptr};
}

TPointerShape TVpDayView::PointerShapeAt(int x, int y) const {
  return !ReadOnly() && EdgeAt(x, y).second != nullptr ? psResizeVertical : psArrow;
}

void TVpDayView::SelectAt(int x, int y) {
  if (y > Screen_.HeaderHeight) {
    if (const int column = ColumnAt(x, y); column >= 0) SetActiveCol(column);
    if (const int row = RowAt(x, y, false); row >= 0) SetActiveRow(row);
  } else if (const int column = StripColumnAt(x, y); column >= 0) {
    SetActiveCol(column);
  }
  SetActiveEvent(EventAt(x, y));
}

double TVpDayView::ColumnDate(int column) const {
  const std::vector<double> days = ColumnDays(Date_, NumDays_, IncludeWeekends_);
  return days[static_cast<size_t>(std::clamp(column, 0, static_cast<int>(days.size()) - 1))];
}

// --- mouse ---

void TVpDayView::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (ReadOnly()) return;
  if (button == mbRight) {
    ShowPopupMenu(x, y);
    return;
  }
  if (button != mbLeft) return;
  RequestFocus();
  PressPoint_ = TPoint{x, y};
  Dragging_ = false;
  ResizeEdge_ = edNone;
  if (y <= Screen_.StripTop) return;
  SelectAt(x, y);
  if (const auto [edge, event] = EdgeAt(x, y); event != nullptr) {
    SetActiveEvent(event);
    ResizeEdge_ = edge;
  }
}

void TVpDayView::MouseMove(TShiftState shift, int x, int y) {
  if (!PressPoint_ || (shift & ssLeft) == 0) return;
  if (!Dragging_) {
    if (std::abs(x - PressPoint_->X) < kDragDistance && std::abs(y - PressPoint_->Y) < kDragDistance) return;
    TVpEvent* event = ActiveEvent();
    if (event == nullptr) return;
    Dragging_ = true;
    DragEvent_ = event;
    DragEventID_ = event->RecordID();
    DragEventDay_ = ColumnDate(ActiveCol_);  // the day of the occurrence dragged
  }
  // A resize keeps to its column; the selection follows the pointer where a drop is taken.
  if (ResizeEdge_ != edNone) {
    if (const int row = RowAt(x, y, false); row >= 0) SetActiveRow(row);
  } else if (x > GutterWidth_ && y > Screen_.HeaderHeight) {
    if (const int column = ColumnAt(x, y); column >= 0) SetActiveCol(column);
    if (const int row = RowAt(x, y, true); row >= 0) SetActiveRow(row);
  } else if (const int column = StripColumnAt(x, y); column >= 0) {
    SetActiveCol(column);
  }
}

void TVpDayView::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  const bool dropping = Dragging_ && x > GutterWidth_ && y > Screen_.StripTop && !ReadOnly();
  PressPoint_.reset();
  Dragging_ = false;
  if (dropping && ResizeEdge_ != edNone) ResizeEvent(DragEvent_, DragEventID_, ResizeEdge_);
  else if (dropping) DropEvent(DragEvent_, DragEventID_, y <= Screen_.HeaderHeight);
  ResizeEdge_ = edNone;
  DragEvent_ = nullptr;
}

void TVpDayView::DoubleClick(int x, int y) {
  if (ReadOnly() || y <= Screen_.StripTop) return;
  const bool inStrip = y <= Screen_.HeaderHeight;
  if (const int row = RowAt(x, y, false); row >= 0 && !inStrip) SetActiveRow(row);
  if (TVpEvent* event = ActiveEvent()) EditEvent(event, false);
  else if (inStrip) AddAllDayEventAtActiveColumn();
  else AddEventAtActiveSlot();
}

void TVpDayView::FocusChanged(bool focused) {
  if (focused && ActiveRow_ == -1) ActiveRow_ = TopLine_;
  TVpLinkableControl::FocusChanged(focused);
}

bool TVpDayView::MouseWheel(TShiftState shift, int delta, int x, int y) {
  TVpLinkableControl::MouseWheel(shift, delta, x, y);
  for (int notch = std::abs(delta) / kWheelNotch; notch > 0; --notch) {
    if (delta > 0 && TopLine_ > 0) SetTopLine(TopLine_ - 1);
    else if (delta < 0 && TopLine_ + Screen_.VisibleLines <= LineCount()) SetTopLine(TopLine_ + 1);
  }
  return true;
}

// --- keys ---

// The view scrolls first and then moves the selection, so that a key scrolls by its own amount:
// Up and Down keep a row of room above or below the selection where there is one (one row per
// press), Page Up and Page Down a page.
bool TVpDayView::KeyDown(int key, TShiftState) {
  const int row = ActiveRow_ < 0 ? TopLine_ : ActiveRow_;
  switch (key) {
    case VK_RETURN:
    case VK_INSERT:
      if (!ReadOnly()) AddEventAtActiveSlot();
      return true;
    case VK_UP: {
      const int next = std::max(row - 1, 0);
      if (next <= TopLine_) SetTopLine(TopLine_ - 1);
      SetActiveRow(next);
      return true;
    }
    case VK_DOWN: {
      const int next = std::min(row + 1, LineCount() - 1);
      if (next >= TopLine_ + Screen_.VisibleLines - 1) SetTopLine(TopLine_ + 1);
      SetActiveRow(next);
      return true;
    }
    case VK_PRIOR:
      SetTopLine(TopLine_ - Screen_.VisibleLines);
      SetActiveRow(row - Screen_.VisibleLines);
      return true;
    case VK_NEXT:
      SetTopLine(TopLine_ + Screen_.VisibleLines);
      SetActiveRow(row + Screen_.VisibleLines);
      return true;
    case VK_HOME:
      SetTopLine(0);
      SetActiveRow(0);
      return true;
    case VK_END:
      SetTopLine(LineCount());
      SetActiveRow(LineCount() - 1);
      return true;
    case VK_LEFT: SetDate(Date_ - 1); return true;
    case VK_RIGHT: SetDate(Date_ + 1); return true;
    default: return false;
  }
}

// --- popup menu ---

void TVpDayView::ShowPopupMenu(int x, int y) {
  RequestFocus();
  SelectAt(x, y);
  const bool event = ActiveEvent() != nullptr;
  const std::vector<TVpMenuItem> items = {
      {"Add Event...", mcAddEvent, true, {}},
      {"Edit Event...", mcEditEvent, event, {}},
      {"Delete Event...", mcDeleteEvent, event, {}},
      DateChangeMenu({dcToday, dcYesterday, dcTomorrow, dcNextDay, dcPreviousDay, dcNextWeek, dcPreviousWeek,
                      dcNextMonth, dcPreviousMonth, dcNextYear, dcPreviousYear})};
  const int command = ShowMenu(items, {{x, y}, 0});
  switch (command) {
    case mcAddEvent: AddEventAtActiveSlot(); break;
    case mcEditEvent:
      Invalidate();
      if (TVpEvent* active = ActiveEvent()) EditEvent(active, false);
      break;
    case mcDeleteEvent:
      Invalidate();
      DeleteActiveEvent();
      break;
    default:
      if (const std::optional<double> date = DateChangeTarget(command, Date_, Clock_.Now())) SetDate(*date);
      break;
  }
}

// --- adding, editing, deleting ---

void TVpDayView::AddEventAtActiveSlot() {
  // Before the first paint, or before a row was chosen, the slot is the top row.
  const int row = ActiveRow_ < 0 ? TopLine_ : ActiveRow_;
  const double start =
      ColumnDate(ActiveCol_) + Screen_.Lines[static_cast<size_t>(ActiveCol_)][static_cast<size_t>(row)].Time;
  AddEvent(start, start + GranularityMinutes(Granularity_) / 1440.0, false);
}

void TVpDayView::AddAllDayEventAtActiveColumn() {
  const double day = ColumnDate(ActiveCol_);
  AddEvent(day, day + 1439.0 / 1440, true);
}

void TVpDayView::AddEvent(double start, double end, bool allDay) {
  if (ReadOnly() || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = store != nullptr ? store->ActiveResource() : nullptr;
  if (resource == nullptr) return;
  TVpEvent* event = resource->Schedule().AddEvent(store->GetNextID("Events"), start, end);
  if (event == nullptr) return;
  event->SetAllDayEvent(allDay);
  SetActiveEvent(event);
  Invalidate();
  EditEvent(event, true);
}

void TVpDayView::EditEvent(TVpEvent* event, bool isNew) {
  TVpCustomDataStore* store = DataStore();
  TVpEditDialogs* dialogs = EditDialogs();
  if (ReadOnly() || store == nullptr || dialogs == nullptr || store->ActiveResource() == nullptr || event == nullptr)
    return;
  if (EditEventInDialog(*store, *dialogs, *event, isNew, TimeFormat_ == tf12Hour, ColumnDate(ActiveCol_)) == eoRemoved)
    SetActiveEvent(nullptr);
  Invalidate();
}

void TVpDayView::DeleteActiveEvent() {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = ActiveEvent();
  if (ReadOnly() || store == nullptr || event == nullptr) return;
  if (ConfirmAndDeleteEvent(*store, *event, ColumnDate(ActiveCol_))) SetActiveEvent(nullptr);
  Invalidate();
}

// --- dragging ---

void TVpDayView::DropEvent(const TVpEvent* identity, int recordID, bool inStrip) {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = FindRecordAgain(store, identity, recordID);
  if (event == nullptr) return;
  if (event->AllDayEvent() || inStrip) {
    // Moved by whole days to the column's day, its times of day kept.
    const TVpOccurrenceTimes times = OccurrenceTimesOn(*event, DragEventDay_);
    const double shift = ColumnDate(ActiveCol_) - DateOf(times.StartTime);
    ChangeEventOccurrence(*store, *event, DragEventDay_, times.StartTime + shift, times.EndTime + shift, "Move");
    Invalidate();
    return;
  }
  // The rows it covers in its start day's column, by the same rule the layout draws it with (an end
  // at midnight or on a later day ends with the start day).
  const TVpPlacedEvent rows =
      MeasureDayEvent(event, Granularity_, DateOf(OccurrenceTimesOn(*event, DragEventDay_).StartTime));
  const int n = rows.LastRow - rows.FirstRow + 1;
  if (ActiveRow_ + n > LineCount()) SetActiveRow(LineCount() - n);
  const double start =
      ColumnDate(ActiveCol_) + Screen_.Lines[static_cast<size_t>(ActiveCol_)][static_cast<size_t>(ActiveRow_)].Time;

  // The duration in whole minutes. An event shortened to end at 23:59 (as one dropped on the last
  // rows is) gets its minute back when it moves away from the end of the day.
  std::int64_t minutes = Minutes(event->EndTime() - event->StartTime());
  if (ToMs(TimeOf(event->EndTime())) == 1439 * kMsPerMinute && minutes % 30 == 29) ++minutes;
  double end = start + static_cast<double>(minutes) / 1440;
  // An event that would end exactly at midnight ends at 23:59 of its day instead.
  if (ToMs(end) == ToMs(DateOf(start) + 1)) end = DateOf(start) + 1439.0 / 1440;
  ChangeEventOccurrence(*store, *event, DragEventDay_, start, end, "Move");
  Invalidate();
}

void TVpDayView::ResizeEvent(const TVpEvent* identity, int recordID, TEdge edge) {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = FindRecordAgain(store, identity, recordID);
  if (event == nullptr || ActiveRow_ < 0) return;
  const TVpOccurrenceTimes times = OccurrenceTimesOn(*event, DragEventDay_);
  const double slot = GranularityMinutes(Granularity_) / 1440.0;
  const double rowStart =
      ColumnDate(ActiveCol_) + Screen_.Lines[static_cast<size_t>(ActiveCol_)][static_cast<size_t>(ActiveRow_)].Time;
  double start = times.StartTime;
  double end = times.EndTime;
  // The edge goes to the start of the row under the pointer (top) or its end (bottom); an event
  // keeps at least one row.
  if (edge == edTop) start = std::min(rowStart, end - slot);
  else end = std::max(rowStart + slot, start + slot);
  // An end at midnight is 23:59 of the day, as a drop makes it.
  if (ToMs(end) == ToMs(DateOf(end)) && DateOf(end) > DateOf(start)) end -= 1.0 / 1440;
  if (ToMs(start) != ToMs(times.StartTime) || ToMs(end) != ToMs(times.EndTime))
    ChangeEventOccurrence(*store, *event, DragEventDay_, start, end, "Resize");
  Invalidate();
}
