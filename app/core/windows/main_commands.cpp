#include "app/core/windows/main_commands.h"

#include <algorithm>

#include "model/contact.h"
#include "model/date_helpers.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/quick_add.h"
#include "model/resource.h"
#include "model/task.h"
#include "platform/clock.h"
#include "store/change_path.h"
#include "store/data_table.h"
#include "store/flex_data_store.h"
#include "store/record_search.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/event_commands.h"
#include "views/tasks/task_list.h"

namespace {

// The same day of the month in another month, lowered to that month's length.
double DayInMonth(int year, int month, int day) {
  return EncodeDate(year, month, std::min(day, MonthLength(year, month)));
}

}  // namespace

double SteppedDate(double date, TDateStep step) {
  const TVpDate d = DecodeDate(date);
  const double day = DateOf(date);
  switch (step) {
    case dsPreviousDay: return day - 1;
    case dsNextDay: return day + 1;
    case dsPreviousWeek: return day - 7;
    case dsNextWeek: return day + 7;
    case dsPreviousMonth:
      return d.Month == 1 ? DayInMonth(d.Year - 1, 12, d.Day) : DayInMonth(d.Year, d.Month - 1, d.Day);
    case dsNextMonth: return d.Month == 12 ? DayInMonth(d.Year + 1, 1, d.Day) : DayInMonth(d.Year, d.Month + 1, d.Day);
    case dsPreviousYear: return DayInMonth(d.Year - 1, d.Month, d.Day);
    case dsNextYear: return DayInMonth(d.Year + 1, d.Month, d.Day);
  }
  return day;
}

std::string DayViewLabelFormat(int numDays) { return numDays <= 2 ? "dddd, mmmm dd, yyyy" : "ddd, mmmm dd, yyyy"; }

int MessagePanelWidth(int statusBarWidth) {
  return std::max(0, statusBarWidth - kTimePanelWidth - kDatePanelWidth - kEndPanelWidth);
}

std::string ViewHint(TVpItemType view) {
  switch (view) {
    case itTasks: return "  Double click to add task";
    case itDayView:
    case itWeekView: return "  Double click to add event";
    case itContacts: return "  Double click to add contact";
    default: return "";
  }
}

TMainCommands::TMainCommands(TMainCommandShell& shell, TVpFlexDataStore& store, TVpDayView& dayView,
                             TVpTaskList& taskList, TVpContactGrid& contactGrid, const TClock& clock)
    : Shell_(shell), Store_(store), DayView_(dayView), TaskList_(taskList), ContactGrid_(contactGrid), Clock_(clock) {}

void TMainCommands::Navigate(TDateStep step) {
  Shell_.SetActiveTab(mtEvents);
  DayView_.SetDate(SteppedDate(DayView_.Date(), step));
}

void TMainCommands::GoToToday() { GoToDate(Clock_.Now()); }

void TMainCommands::GoToDate(double date) {
  Shell_.SetActiveTab(mtEvents);
  DayView_.SetDate(DateOf(date));
}

void TMainCommands::ShowDays(int numDays) {
  Shell_.SetActiveTab(mtEvents);
  DayView_.SetDateLabelFormat(DayViewLabelFormat(numDays));
  DayView_.SetNumDays(numDays);
}

void TMainCommands::ShowEvents() {
  DayView_.SetDate(DateOf(Clock_.Now()));
  Shell_.SetActiveTab(mtEvents);
}

void TMainCommands::ToggleWeekView() {
  Shell_.SetActiveTab(mtEvents);
  if (Shell_.WeekViewShown()) Shell_.SetWeekView(false, Shell_.WeekViewWidth());
  else Shell_.SetWeekView(true, Shell_.EventsTabWidth() / 2);
}

void TMainCommands::EventsTabResized() {
  if (Shell_.WeekViewShown()) Shell_.SetWeekView(true, Shell_.EventsTabWidth() / 2);
}

void TMainCommands::ToggleCalendar() {
  Shell_.SetActiveTab(mtEvents);
  const bool show = !Shell_.CalendarShowing();
  Shell_.SetCalendarShowing(show);
  Shell_.CalButtonsBeh(show);
}

void TMainCommands::RunAdd(TMainTab tab, const std::function<void()>& add) {
  if (!Shell_.MainWindowShowing()) Shell_.ShowMainWindow();
  Shell_.SetActiveTab(tab);
  Shell_.SetTrayAddEntriesEnabled(false);
  try {
    add();
  } catch (...) {
    Shell_.SetTrayAddEntriesEnabled(true);
    throw;
  }
  Shell_.SetTrayAddEntriesEnabled(true);
}

void TMainCommands::AddTask() {
  RunAdd(mtTaskList, [this] { TaskList_.AddTask(); });
}

void TMainCommands::AddContact() {
  RunAdd(mtContacts, [this] { ContactGrid_.AddContact(); });
}

void TMainCommands::QuickAdd(const TVpQuickAdd& added, bool inDialog) {
  TVpResource* resource = Store_.ActiveResource();
  if (resource == nullptr) return;
  const double now = Clock_.Now();
  const std::optional<TVpQuickTimes> said = QuickAddTimes(added, now);
  if (added.IsTask) {
    RunAdd(mtTaskList, [&] {
      TVpTask* task = resource->Tasks().AddTask(Store_.GetNextID("Tasks"));
      ApplyQuickAdd(added, now, *task);
      Store_.Changes().Add(*task);
    });
    return;
  }
  // A line without a day or time goes on the day shown.
  TVpQuickAdd dated = added;
  if (!said) dated.Day = DayNumberOf(DayView_.Date());
  const TVpQuickTimes times = *QuickAddTimes(dated, now);
  const double day = DateOf(times.Start);
  RunAdd(mtEvents, [&] {
    DayView_.SetDate(day);
    TVpEvent* event = resource->Schedule().AddEvent(Store_.GetNextID("Events"), times.Start, times.End);
    if (event == nullptr) return;
    ApplyQuickAdd(added, times, *event);
    TVpEditDialogs* dialogs = DayView_.EditDialogs();
    if (inDialog && dialogs != nullptr) {
      EditEventInDialog(Store_, *dialogs, *event, true, DayView_.TimeFormat() == tf12Hour, day);
      return;
    }
    const int id = event->RecordID();
    Store_.Changes().Add(*event);
    DayView_.SetActiveEvent(resource->Schedule().FindByRecordID(id));
  });
}

bool TMainCommands::TasksTableHasRows() const {
  const TDataTable* table = Store_.TasksTable();
  return table != nullptr && table->Active() && table->RecordCount() > 0;
}

void TMainCommands::ShowFound(const TVpFound& found, bool inDialog) {
  TVpResource* resource = Store_.ActiveResource();
  if (resource == nullptr) return;
  if (found.Kind == fkEvent) {
    Shell_.SetActiveTab(mtEvents);
    const double day = DateOf(found.When);
    DayView_.SetDate(day);  // loads the events of the day's window
    TVpEvent* event = resource->Schedule().FindByRecordID(found.RecordID);
    if (event == nullptr) return;
    DayView_.SetActiveEvent(event);
    if (inDialog && DayView_.EditDialogs() != nullptr)
      EditEventInDialog(Store_, *DayView_.EditDialogs(), *event, false, DayView_.TimeFormat() == tf12Hour, day);
  } else if (found.Kind == fkTask) {
    Shell_.SetActiveTab(mtTaskList);
    TVpTask* task = resource->Tasks().FindByRecordID(found.RecordID);
    if (task == nullptr) return;
    TaskList_.SetActiveTask(task);
    if (inDialog) TaskList_.EditActiveTask();
  } else {
    Shell_.SetActiveTab(mtContacts);
    TVpContact* contact = resource->Contacts().FindByRecordID(found.RecordID);
    if (contact == nullptr) return;
    ContactGrid_.ShowContact(*contact);
    if (inDialog) ContactGrid_.EditActiveContact();
  }
}

void TMainCommands::EditTask() {
  Shell_.SetActiveTab(mtTaskList);
  if (TasksTableHasRows()) TaskList_.EditActiveTask();
}

void TMainCommands::DeleteTask() {
  Shell_.SetActiveTab(mtTaskList);
  if (TasksTableHasRows()) TaskList_.DeleteActiveTask();
}

bool TMainCommands::TaskEntriesEnabled() const {
  return Shell_.ActiveTab() == mtTaskList && TaskList_.ActiveTask() != nullptr && TasksTableHasRows();
}
