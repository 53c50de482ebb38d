// What the user does in the week view: selecting a day, keys, the popup menu, adding, editing,
// deleting and dragging events. Everything works on the tables of the last on-screen pass.

#include <cstdlib>
#include <optional>
#include <vector>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "store/change_path.h"
#include "store/record_handle.h"
#include "views/date_change_menu.h"
#include "views/drawing/drawing_helpers.h"
#include "views/event_commands.h"
#include "views/week/week_view.h"

namespace {

enum TMenuCommand { mcAddEvent, mcEditEvent, mcDeleteEvent };

// How far the pointer must move with the button down before a drag starts.
constexpr int kDragDistance = 4;
// Where the menu opens when a key asks for it.
constexpr TPoint kKeyMenuPoint{10, 10};

// Days from Monday (0) to Sunday (6).
int DaysFromMonday(double date) { return (DayOfWeek(date) + 5) % 7; }

// The days an arrow key moves by. The moves follow the two columns of a week that starts on
// Monday: Monday to Wednesday at the left, Thursday to Sunday at the right.
int SideStep(int weekday) { return weekday < 3 ? 3 : weekday < 6 ? -3 : -4; }
int UpStep(int weekday) { return weekday == 0 ? 2 : weekday == 3 ? 3 : -1; }
int DownStep(int weekday) { return weekday == 2 ? -2 : weekday == 6 ? -3 : 1; }

}  // namespace

// --- hit tests ---

int TVpWeekView::DayAt(int x, int y) const {
  for (size_t i = 0; i < Screen_.Days.size(); ++i)
    if (Screen_.Days[i].Rec != kUndrawnRect && PointWithin({x, y}, Screen_.Days[i].Rec)) return static_cast<int>(i);
  return -1;
}

TVpEvent* TVpWeekView::EventAt(int x, int y) const {
  for (const TVpEventRec& drawn : Screen_.Events) {
    const TRect& r = drawn.Rec;
    if (r.Left < x && x < r.Right && r.Top < y && y < r.Bottom)
      return FindRecordAgain(DataStore(), drawn.Event, drawn.RecordID);
  }
  return nullptr;
}

void TVpWeekView::SelectAt(int x, int y) {
  if (y > Screen_.HeaderHeight)
    if (const int day = DayAt(x, y); day >= 0) SetDate(Screen_.Days[static_cast<size_t>(day)].Day);
  SetActiveEvent(EventAt(x, y));
}

// --- mouse ---

void TVpWeekView::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (ReadOnly()) return;
  if (button == mbRight) {
    RequestFocus();
    SelectAt(x, y);
    ShowPopupMenu({x, y});
    return;
  }
  if (button != mbLeft) return;
  RequestFocus();
  PressPoint_ = TPoint{x, y};
  Dragging_ = false;
  SelectAt(x, y);
}

void TVpWeekView::MouseMove(TShiftState shift, int x, int y) {
  if (!PressPoint_ || (shift & ssLeft) == 0 || Dragging_) return;
  if (std::abs(x - PressPoint_->X) < kDragDistance && std::abs(y - PressPoint_->Y) < kDragDistance) return;
  const TVpEvent* event = ActiveEvent();
  if (event == nullptr) return;
  Dragging_ = true;
  DragEvent_ = event;
  DragEventID_ = event->RecordID();
  DragEventDay_ = Date();  // selecting the event chose its day
}

void TVpWeekView::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  const int day = Dragging_ && !ReadOnly() && y > Screen_.HeaderHeight ? DayAt(x, y) : -1;
  PressPoint_.reset();
  Dragging_ = false;
  if (day >= 0) DropEvent(DragEvent_, DragEventID_, Screen_.Days[static_cast<size_t>(day)].Day);
  DragEvent_ = nullptr;
}

void TVpWeekView::DoubleClick(int x, int y) {
  if (ReadOnly() || DataStore() == nullptr || !CheckResourceSelected() || y <= Screen_.HeaderHeight) return;
  SetActiveEvent(EventAt(x, y));
  if (TVpEvent* event = ActiveEvent()) EditEvent(event, false);
  else AddEventOnDate();
}

// --- keys ---

bool TVpWeekView::KeyDown(int key, TShiftState shift) {
  const bool withShift = (shift & ssShift) != 0;
  const bool withCtrl = (shift & ssCtrl) != 0;
  const int weekday = DaysFromMonday(Date_);
  switch (key) {
    case VK_RETURN:
    case VK_INSERT: AddEventOnDate(); return true;
    case VK_DELETE: DeleteActiveEvent(); return true;
    case VK_APPS: ShowPopupMenu(kKeyMenuPoint); return true;
    case VK_F10:
      if (!withShift) return false;
      ShowPopupMenu(kKeyMenuPoint);
      return true;
    case VK_LEFT:
    case VK_RIGHT: {
      const int direction = key == VK_LEFT ? -1 : 1;
      if (withCtrl && withShift) SetDate(YearsLater(direction, Date_));
      else if (withCtrl) SetDate(MonthsLater(direction, Date_));
      else if (withShift) SetDate(Date_ + 7 * direction);
      else SetDate(Date_ + SideStep(weekday));
      return true;
    }
    case VK_UP:
    case VK_DOWN:
      if ((shift & (ssShift | ssCtrl | ssAlt)) == 0)
        SetDate(Date_ + (key == VK_UP ? UpStep(weekday) : DownStep(weekday)));
      Invalidate();
      return true;
    default: return false;
  }
}

// --- popup menu ---

void TVpWeekView::ShowPopupMenu(TPoint at) {
  const bool event = ActiveEvent() != nullptr;
  const std::vector<TVpMenuItem> items = {
      {"Add Event...", mcAddEvent, true, {}},
      {"Edit Event...", mcEditEvent, event, {}},
      {"&Delete Event...", mcDeleteEvent, event, {}},
      DateChangeMenu({dcToday, dcNextWeek, dcPreviousWeek, dcNextMonth, dcPreviousMonth, dcNextYear, dcPreviousYear})};
  const int command = ShowMenu(items, {at, 0});
  switch (command) {
    case mcAddEvent: AddEventOnDate(); break;
    case mcEditEvent: EditActiveEvent(); break;
    case mcDeleteEvent: DeleteActiveEvent(); break;
    default:
      if (const std::optional<double> date = DateChangeTarget(command, Date_, Clock_.Now())) SetDate(*date);
      break;
  }
}

// --- adding, editing, deleting ---

void TVpWeekView::AddEventOnDate() {
  if (ReadOnly() || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = store != nullptr ? store->ActiveResource() : nullptr;
  if (resource == nullptr) return;
  const double start = DateOf(Date_) + 0.5;
  TVpEvent* event = resource->Schedule().AddEvent(store->GetNextID("Events"), start, start + 30.0 / 1440);
  if (event == nullptr) return;
  SetActiveEvent(event);
  Invalidate();
  EditEvent(event, true);
}

void TVpWeekView::EditActiveEvent() { EditEvent(ActiveEvent(), false); }

void TVpWeekView::EditEvent(TVpEvent* event, bool isNew) {
  TVpCustomDataStore* store = DataStore();
  TVpEditDialogs* dialogs = EditDialogs();
  if (ReadOnly() || store == nullptr || dialogs == nullptr || store->ActiveResource() == nullptr || event == nullptr)
    return;
  if (EditEventInDialog(*store, *dialogs, *event, isNew, TimeFormat_ == tf12Hour, Date()) == eoRemoved)
    SetActiveEvent(nullptr);
  Invalidate();
}

void TVpWeekView::DeleteActiveEvent() {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = ActiveEvent();
  if (ReadOnly() || store == nullptr || event == nullptr) return;
  if (ConfirmAndDeleteEvent(*store, *event, Date())) SetActiveEvent(nullptr);
  Invalidate();
}

// --- dragging ---

void TVpWeekView::DropEvent(const TVpEvent* identity, int recordID, double day) {
  TVpCustomDataStore* store = DataStore();
  TVpEvent* event = FindRecordAgain(store, identity, recordID);
  if (event == nullptr) return;
  // The occurrence dragged moves to the day, keeping its time of day and length.
  const TVpOccurrenceTimes times = OccurrenceTimesOn(*event, DragEventDay_);
  const double shift = day - DateOf(times.StartTime);
  if (shift == 0) return;
  ChangeEventOccurrence(*store, *event, DragEventDay_, times.StartTime + shift, times.EndTime + shift, "Move");
  Invalidate();
}
