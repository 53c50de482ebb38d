#include <gtest/gtest.h>

#include "app/core/windows/main_commands.h"
#include "model/contacts.h"
#include "model/event.h"
#include "model/quick_add.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "store/change_path.h"
#include "tests/support/planner_fixture.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/tasks/task_list.h"

namespace {

// The main window as a record of what the commands did to it.
class TFakeCommandWindow : public TMainCommandShell {
 public:
  bool MainWindowShowing() const override { return Showing; }
  void ShowMainWindow() override { Showing = true; }
  int ActiveTab() const override { return Tab; }
  void SetActiveTab(int index) override { Tab = index; }
  void SetTrayAddEntriesEnabled(bool enabled) override { TrayAddEntries = enabled; }
  int EventsTabWidth() const override { return TabWidth; }
  bool WeekViewShown() const override { return WeekShown; }
  int WeekViewWidth() const override { return WeekWidth; }
  void SetWeekView(bool shown, int width) override {
    WeekShown = shown;
    WeekWidth = width;
  }
  bool CalendarShowing() const override { return Calendar; }
  void SetCalendarShowing(bool shown) override { Calendar = shown; }
  void CalButtonsBeh(bool) override {}

  bool Showing = true;
  int Tab = mtEvents;
  bool TrayAddEntries = true;
  int TabWidth = 655;
  bool WeekShown = false;
  int WeekWidth = 0;
  bool Calendar = false;
};

// The commands over the views of a connected store with the active resource "KORET".
class MainCommands : public ::testing::Test, protected TPlannerFixture {
 protected:
  MainCommands() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    for (TVpLinkableControl* view : std::initializer_list<TVpLinkableControl*>{&DayView, &TaskList, &ContactGrid}) {
      view->SetDataStore(&Store());
      view->SetEditDialogs(&Dialogs);
    }
    DayView.Loaded();
  }

  TVpTask& PostedTask(const std::string& description) {
    TVpTask* task = Store().ActiveResource()->Tasks().AddTask(Store().GetNextID("Tasks"));
    task->SetDescription(description);
    Store().PostTasks();
    return *task;
  }
  int TaskCount() { return Store().ActiveResource()->Tasks().Count(); }

  TEnglishLocale Locale;
  TVpDayView DayView{Clock, Locale, &Window};
  TVpTaskList TaskList{Clock, Locale, &Window};
  TVpContactGrid ContactGrid{&Window};
  TFakeCommandWindow Shell;
  TMainCommands Commands{Shell, Store(), DayView, TaskList, ContactGrid, Clock};
};

TEST(SteppedDate, DaysWeeksMonthsAndYearsKeepTheDayWithinTheMonth) {
  const struct {
    double From;
    TDateStep Step;
    double To;
  } cases[] = {
      {At(2024, 3, 31), dsPreviousMonth, At(2024, 2, 29)},  {At(2023, 1, 31), dsNextMonth, At(2023, 2, 28)},
      {At(2024, 1, 15), dsPreviousMonth, At(2023, 12, 15)}, {At(2024, 12, 10), dsNextMonth, At(2025, 1, 10)},
      {At(2024, 2, 29), dsNextYear, At(2025, 2, 28)},       {At(2024, 2, 29), dsPreviousYear, At(2023, 2, 28)},
      {At(2024, 5, 10), dsNextYear, At(2025, 5, 10)},       {At(2024, 1, 1, 9), dsPreviousDay, At(2023, 12, 31)},
      {At(2023, 12, 31), dsNextDay, At(2024, 1, 1)},        {At(2024, 3, 1), dsPreviousWeek, At(2024, 2, 23)},
      {At(2024, 12, 28), dsNextWeek, At(2025, 1, 4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.From << " step " << c.Step);
    EXPECT_EQ(SteppedDate(c.From, c.Step), c.To);
  }
}

TEST_F(MainCommands, NavigationSelectsTheEventsTabAndMovesTheDayView) {
  DayView.SetDate(At(2024, 3, 31));
  Shell.Tab = mtTaskList;
  Commands.Navigate(dsPreviousMonth);
  EXPECT_EQ(Shell.Tab, mtEvents);
  EXPECT_EQ(DayView.Date(), At(2024, 2, 29));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 2, 29)) << "the store follows the day view";
  Shell.Tab = mtContacts;
  Commands.GoToToday();
  EXPECT_EQ(Shell.Tab, mtEvents);
  EXPECT_EQ(DayView.Date(), At(2024, 5, 10)) << "today, without the time of day";
}

TEST_F(MainCommands, ThreeDaysTakeShortWeekdayNamesAndOneDayTheFullOnes) {
  Shell.Tab = mtTaskList;
  Commands.ShowDays(3);
  EXPECT_EQ(Shell.Tab, mtEvents);
  EXPECT_EQ(DayView.NumDays(), 3);
  EXPECT_EQ(DayView.DateLabelFormat(), "ddd, mmmm dd, yyyy");
  Commands.ShowDays(2);
  EXPECT_EQ(DayView.DateLabelFormat(), "dddd, mmmm dd, yyyy");
  Commands.ShowDays(1);  // the Days button
  EXPECT_EQ(DayView.NumDays(), 1);
  EXPECT_EQ(DayView.DateLabelFormat(), "dddd, mmmm dd, yyyy");
}

TEST_F(MainCommands, TheWeekViewTakesHalfTheTabUntilItIsHidden) {
  Shell.Tab = mtTaskList;
  Commands.ToggleWeekView();
  EXPECT_EQ(Shell.Tab, mtEvents);
  EXPECT_TRUE(Shell.WeekShown);
  EXPECT_EQ(Shell.WeekWidth, 327);
  Shell.WeekWidth = 200;  // dragged with the splitter
  Shell.TabWidth = 801;
  Commands.EventsTabResized();
  EXPECT_EQ(Shell.WeekWidth, 400) << "a resize resets the dragged width";
  Commands.ToggleWeekView();
  EXPECT_FALSE(Shell.WeekShown);
  EXPECT_EQ(Shell.WeekWidth, 400) << "kept for the settings";
  Shell.TabWidth = 500;
  Commands.EventsTabResized();
  EXPECT_FALSE(Shell.WeekShown) << "a hidden week view stays hidden";
}

// Edit Task and Delete Task: on the Task List tab, with an active task, and rows in the table.
TEST_F(MainCommands, TheTaskEntriesNeedTheTaskListTabAnActiveTaskAndRows) {
  const struct {
    int Tab;
    bool ActiveTask;
    bool Rows;
    bool Enabled;
  } cases[] = {
      {mtTaskList, true, true, true},   {mtEvents, true, true, false},    {mtContacts, true, true, false},
      {mtTaskList, false, true, false}, {mtTaskList, true, false, false}, {mtTaskList, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "tab " << c.Tab << " active " << c.ActiveTask << " rows " << c.Rows);
    TVpTasks& tasks = Store().ActiveResource()->Tasks();
    for (int i = 0; i < tasks.Count(); ++i) tasks.Items(i)->SetDeleted(true);
    Store().ActiveResource()->SetTasksDirty(true);
    Store().PostTasks();
    Store().ReloadTasks();
    if (c.Rows) PostedTask("Taxes");
    ASSERT_EQ(Store().TasksTable()->RecordCount() > 0, c.Rows);
    if (c.ActiveTask && !c.Rows) tasks.AddTask(Store().GetNextID("Tasks"));  // loaded, not yet written
    TaskList.SetActiveTask(c.ActiveTask ? tasks.Items(0) : nullptr);
    Shell.Tab = c.Tab;
    EXPECT_EQ(Commands.TaskEntriesEnabled(), c.Enabled);
  }
}

TEST_F(MainCommands, EditAndDeleteTaskOnAnEmptyTableOnlySelectTheTaskList) {
  Commands.EditTask();
  EXPECT_EQ(Shell.Tab, mtTaskList);
  Shell.Tab = mtEvents;
  Commands.DeleteTask();
  EXPECT_EQ(Shell.Tab, mtTaskList);
  EXPECT_TRUE(MessageBoxes.Shown.empty());

  TaskList.SetActiveTask(&PostedTask("Taxes"));
  MessageBoxes.Answers.push_back(mrYes);
  Commands.DeleteTask();
  EXPECT_EQ(TaskCount(), 0);
}

TEST_F(MainCommands, AddingFromTheTrayRestoresSelectsTheTabAndTurnsTheEntriesOffMeanwhile) {
  Shell.Showing = false;
  std::vector<std::string> whileOpen;
  Dialogs.EditTaskAnswer = [&](TVpTask& task) {
    whileOpen.push_back(std::to_string(Shell.Showing) + std::to_string(Shell.Tab) +
                        std::to_string(Shell.TrayAddEntries));
    task.SetDescription("Taxes");
    return true;
  };
  Dialogs.EditContactAnswer = [&](TVpContact&) {
    whileOpen.push_back(std::to_string(Shell.Showing) + std::to_string(Shell.Tab) +
                        std::to_string(Shell.TrayAddEntries));
    return true;
  };
  Commands.AddTask();
  EXPECT_TRUE(Shell.TrayAddEntries);
  Shell.Showing = false;
  Commands.AddContact();
  EXPECT_TRUE(Shell.TrayAddEntries);
  EXPECT_EQ(whileOpen, (std::vector<std::string>{"100", "120"})) << "shown, the tab, entries off";
  EXPECT_EQ(TaskCount(), 1);
  EXPECT_EQ(Store().ActiveResource()->Contacts().Count(), 1);
}

// A store that cannot write: the add ends with its error, leaves nothing behind, and the entries
// of the notification-area menu come back; a delete leaves the task.
TEST_F(MainCommands, AFailingStoreEndsTheCommandAndLeavesTheEntriesOn) {
  TVpTask& task = PostedTask("Taxes");
  Writer.Fail = true;
  Dialogs.EditTaskAnswer = [](TVpTask&) { return true; };
  EXPECT_ANY_THROW(Commands.AddTask());
  EXPECT_TRUE(Shell.TrayAddEntries);
  EXPECT_ANY_THROW(Commands.AddContact());
  EXPECT_TRUE(Shell.TrayAddEntries);
  EXPECT_EQ(Store().ActiveResource()->Contacts().Count(), 0);

  TaskList.SetActiveTask(&task);
  MessageBoxes.Answers.push_back(mrYes);
  EXPECT_ANY_THROW(Commands.DeleteTask());
  Writer.Fail = false;
  Store().ReloadTasks();
  EXPECT_EQ(TaskCount(), 1);
}

}  // namespace

namespace {

// A quick-add line becomes one step of the history: an event on its day in the day view, a task
// on the Task List; "Open in Event Dialog" adds only what the dialog confirms.
TEST_F(MainCommands, AQuickAddLineIsOneStepOnTheTabOfItsKind) {
  Clock.Set(At(2024, 5, 10, 14));
  const auto read = [&](const char* line) { return ParseQuickAdd(line, Clock.Now()); };
  Commands.QuickAdd(read("Dentist tomorrow 9:15 for 45 min remind me 30 min before"), false);
  EXPECT_EQ(Shell.Tab, mtEvents);
  EXPECT_EQ(DayView.Date(), At(2024, 5, 11));
  TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  ASSERT_EQ(schedule.Count(), 1);
  const TVpEvent& dentist = *schedule.Items(0);
  EXPECT_EQ(DayView.ActiveEvent(), &dentist);
  EXPECT_EQ(dentist.StartTime(), At(2024, 5, 11, 9, 15));
  EXPECT_EQ(dentist.EndTime(), At(2024, 5, 11, 10));
  EXPECT_TRUE(dentist.AlarmSet());
  EXPECT_EQ(dentist.AlarmAdvance(), 30);

  Commands.QuickAdd(read("task: taxes Friday"), false);
  EXPECT_EQ(Shell.Tab, mtTaskList);
  ASSERT_EQ(TaskCount(), 1);
  EXPECT_EQ(Store().ActiveResource()->Tasks().Items(0)->DueDate(), At(2024, 5, 10));

  Dialogs.EditEventAnswer = [](TVpEvent&, bool) { return false; };
  Commands.QuickAdd(read("Gym every day 7:00"), true);
  EXPECT_EQ(Dialogs.EditedEvents.size(), 1u);
  EXPECT_EQ(schedule.Count(), 1) << "cancelled in the dialog";

  Store().Changes().Undo();
  EXPECT_EQ(TaskCount(), 0);
  Store().Changes().Undo();
  EXPECT_EQ(Store().ActiveResource()->Schedule().Count(), 0);
}

}  // namespace
