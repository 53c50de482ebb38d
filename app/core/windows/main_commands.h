#pragma once

#include <functional>
#include <string>

#include "views/linkable_control.h"

class TClock;
struct TVpQuickAdd;
struct TVpFound;
class TVpContactGrid;
class TVpDayView;
class TVpFlexDataStore;
class TVpTaskList;

// The main window's tabs, by their index.
enum TMainTab { mtTaskList = 0, mtEvents = 1, mtContacts = 2 };

// The steps the tool bar's day buttons and their drop-down menus take.
enum TDateStep {
  dsPreviousDay,
  dsNextDay,
  dsPreviousWeek,
  dsNextWeek,
  dsPreviousMonth,
  dsNextMonth,
  dsPreviousYear,
  dsNextYear
};

// The date one step from the date (whole days). A month or year step keeps the day of the month,
// lowered to the length of the month it lands in.
double SteppedDate(double date, TDateStep step);
// The day view's date label: the full weekday name for one and two days, the short one for more.
std::string DayViewLabelFormat(int numDays);

// The status bar's message panel takes what the time, date and end panels leave.
constexpr int kTimePanelWidth = 75;
constexpr int kDatePanelWidth = 75;
constexpr int kEndPanelWidth = 10;
int MessagePanelWidth(int statusBarWidth);
// The message panel's text while the pointer is over no view.
constexpr const char* kReadyHint = "  Ready";
// The message panel's text while the pointer is over a view of that kind ("" for none).
std::string ViewHint(TVpItemType view);

// What the main window's commands do to the window itself. The desktop window implements it;
// tests use a fake.
class TMainCommandShell {
 public:
  virtual ~TMainCommandShell() = default;
  // Whether the window is on the screen (not in the notification area); and the way back.
  virtual bool MainWindowShowing() const = 0;
  virtual void ShowMainWindow() = 0;
  virtual int ActiveTab() const = 0;
  virtual void SetActiveTab(int index) = 0;
  // The notification-area menu's "Add Task" and "Add Contact" entries.
  virtual void SetTrayAddEntriesEnabled(bool enabled) = 0;
  virtual int EventsTabWidth() const = 0;
  virtual bool WeekViewShown() const = 0;
  virtual int WeekViewWidth() const = 0;
  // Shows the week view at the width (with its splitter, and the Week button down) or hides it.
  virtual void SetWeekView(bool shown, int width) = 0;
  virtual bool CalendarShowing() const = 0;
  virtual void SetCalendarShowing(bool shown) = 0;
  // Sets the Calendar button down or up.
  virtual void CalButtonsBeh(bool down) = 0;
};

// The main window's commands on its views: navigation, the number of days, the week view and the
// calendar window, and adding, editing and deleting tasks and contacts. A command that raises
// leaves what it changed before the failing step; the caller reports the error.
class TMainCommands {
 public:
  TMainCommands(TMainCommandShell& shell, TVpFlexDataStore& store, TVpDayView& dayView, TVpTaskList& taskList,
                TVpContactGrid& contactGrid, const TClock& clock);

  // On the Events tab: the day view one step on or back, or on today.
  void Navigate(TDateStep step);
  void GoToToday();
  // On the Events tab: the day view on the date.
  void GoToDate(double date);
  // On the Events tab: the day view shows numDays days (1 to 7).
  void ShowDays(int numDays);
  // The day view on today, then the Events tab.
  void ShowEvents();
  // On the Events tab: shows the week view at half the tab's width, or hides it (keeping its width).
  void ToggleWeekView();
  // The Events tab changed its size: a shown week view gets half its width again.
  void EventsTabResized();
  // On the Events tab: shows or hides the calendar window; the Calendar button follows.
  void ToggleCalendar();

  // Restores a hidden window, selects the Task List (Contacts) tab and adds a task (contact) in
  // its dialog. The notification area's two add entries are off meanwhile, and on again however
  // the add ends.
  void AddTask();
  void AddContact();
  // Adds what a quick-add line said (model/quick_add.h) as one step of the history, on the tab of
  // its kind, the day view on its day; inDialog opens a new event in the event dialog instead (a
  // cancel adds nothing). A line without a day or time is an all-day event on the day view's date,
  // as the quick-add window says before.
  void QuickAdd(const TVpQuickAdd& added, bool inDialog);
  // Shows a record a search found (store/record_search.h) on the tab of its kind: an event on
  // its occurrence's day in the day view, selected; inDialog opens it in its dialog too.
  void ShowFound(const TVpFound& found, bool inDialog);
  // On the Task List tab: edits (deletes) the active task, when the tasks table has rows.
  void EditTask();
  void DeleteTask();
  // Whether the Edit menu offers "Edit Task" and "Delete Task": on the Task List tab, with an
  // active task, and rows in the tasks table.
  bool TaskEntriesEnabled() const;

 private:
  void RunAdd(TMainTab tab, const std::function<void()>& add);
  bool TasksTableHasRows() const;

  TMainCommandShell& Shell_;
  TVpFlexDataStore& Store_;
  TVpDayView& DayView_;
  TVpTaskList& TaskList_;
  TVpContactGrid& ContactGrid_;
  const TClock& Clock_;
};
