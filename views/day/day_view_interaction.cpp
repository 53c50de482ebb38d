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

void TVpDayView::SelectAt(int x, int y) {
  if (y > Screen_.HeaderHeight) {
    if (const int column = ColumnAt(x, y); column >= 0) SetActiveCol(column);
    if (const int row = RowAt(x, y, false); row >= 0) SetActiveRow(row);
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
  if (y > Screen_.HeaderHeight) SelectAt(x, y);
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
  // The selection follows the pointer where a drop is taken.
  if (x > GutterWidth_ && y > Screen_.HeaderHeight) {
    if (const int column = ColumnAt(x, y); column >= 0) SetActiveCol(column);
    if (const int row = RowAt(x, y, true); row >= 0) SetActiveRow(row);
  }
}

void TVpDayView::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  const bool dropping = Dragging_ && x > GutterWidth_ && y > Screen_.HeaderHeight && !ReadOnly();
  PressPoint_.reset();
  Dragging_ = false;
  if (dropping) DropEvent(DragEvent_, DragEventID_);
  DragEvent_ = nullptr;
}

void TVpDayView::DoubleClick(int x, int y) {
  if (ReadOnly() || y <= Screen_.HeaderHeight) return;
  if (const int row = RowAt(x, y, false); row >= 0) SetActiveRow(row);
  if (TVpEvent* event = ActiveEvent()) EditEvent(event, false);
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
  if (ReadOnly() || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = store != nullptr ? store->ActiveResource() : nullptr;
  if (resource == nullptr) return;
  // Before the first paint, or before a row was chosen, the slot is the top row.
  const int row = ActiveRow_ < 0 ? TopLine_ : ActiveRow_;
  const double start =
      ColumnDate(ActiveCol_) + Screen_.Lines[static_cast<size_t>(ActiveCol_)][static_cast<size_t>(row)].Time;
  const double end = start + GranularityMinutes(Granularity_) / 1440.0;
  TVpEvent* event = resource->Schedule().AddEvent(store->GetNextID("Events"), start, end);
  if (event == nullptr) return;
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

void TVpDayView::DropEvent(const TVpEvent* identity, int recordID) {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = FindRecordAgain(store, identity, recordID);
  if (event == nullptr) return;
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
  MoveEventOccurrence(*store, *event, DragEventDay_, start, end);
  Invalidate();
}
