#include <string>
#include <vector>

#include "tests/views/tasks/test_task_list_support.h"

namespace {

// The first row is the open task "Call", posted to the file.
class TaskListInputTest : public TaskListTest {
 protected:
  TaskListInputTest() {
    AddTask("Call", Today + 2);
    AddTask("Write", Today + 3);
    Store().PostTasks();
    Paint();
  }
  TVpTask& Task(int index) { return *Store().ActiveResource()->Tasks().Items(index); }
};

TEST_F(TaskListInputTest, ClickOnTheBoxCompletesAndWritesAtOnce) {
  List->MouseDown(mbLeft, 0, kFirstCheck.X, kFirstCheck.Y);
  EXPECT_EQ(List->ActiveTask(), &Task(0));
  EXPECT_TRUE(Task(0).Complete());
  EXPECT_EQ(Task(0).CompletedOn(), Clock.Now());
  EXPECT_NE(TasksFile().find("Complete=\"TRUE\""), std::string::npos) << TasksFile();
  List->MouseDown(mbLeft, 0, kFirstCheck.X, kFirstCheck.Y);
  EXPECT_FALSE(Task(0).Complete());
  EXPECT_EQ(TasksFile().find("Complete=\"TRUE\""), std::string::npos);
}

TEST_F(TaskListInputTest, SpaceCompletesAndWritesLikeAClick) {
  List->MouseDown(mbLeft, 0, kFirstText.X, kFirstText.Y);
  EXPECT_FALSE(Task(0).Complete());
  EXPECT_TRUE(List->KeyDown(VK_SPACE, 0));
  EXPECT_TRUE(Task(0).Complete());
  EXPECT_NE(TasksFile().find("Complete=\"TRUE\""), std::string::npos);
}

TEST_F(TaskListInputTest, ReadOnlyClickOnlySelects) {
  List->SetReadOnly(true);
  List->MouseDown(mbLeft, 0, kFirstCheck.X, kFirstCheck.Y);
  EXPECT_EQ(List->ActiveTask(), &Task(0));
  EXPECT_FALSE(Task(0).Complete());
  EXPECT_FALSE(List->KeyDown(VK_SPACE, 0));
  EXPECT_FALSE(Task(0).Complete());
}

TEST_F(TaskListInputTest, ClickBesideEveryRowSelectsNothing) {
  List->MouseDown(mbLeft, 0, kFirstText.X, kFirstText.Y);
  List->MouseDown(mbLeft, 0, kFirstText.X, 150);
  EXPECT_EQ(List->ActiveTask(), nullptr);
}

TEST_F(TaskListInputTest, ArrowsWithNothingSelected) {
  List->KeyDown(VK_UP, 0);
  EXPECT_EQ(List->ActiveTask(), nullptr);
  List->KeyDown(VK_DOWN, 0);
  EXPECT_EQ(List->ActiveTask(), &Task(0));
  List->KeyDown(VK_DOWN, 0);
  EXPECT_EQ(List->ActiveTask(), &Task(1));
  List->KeyDown(VK_DOWN, 0);
  EXPECT_EQ(List->ActiveTask(), &Task(1));
  List->KeyDown(VK_UP, 0);
  EXPECT_EQ(List->ActiveTask(), &Task(0));
  // Space, Delete and the page keys with nothing selected change nothing.
  List->SetActiveTask(nullptr);
  for (int key : {VK_SPACE, VK_DELETE, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) List->KeyDown(key, 0);
  EXPECT_FALSE(Task(0).Complete());
  EXPECT_EQ(Store().ActiveResource()->Tasks().Count(), 2);
}

TEST_F(TaskListInputTest, WheelAndKeysScrollWithinTheShownTasks) {
  for (int i = 0; i < 8; ++i) AddTask("More " + std::to_string(i), Today + 10);
  Paint();  // rows from 30 to 200: 6 rows of 10
  ASSERT_EQ(List->ScreenLayout().Rows.size(), 6u);
  List->MouseWheel(0, -120, 0, 0);
  EXPECT_EQ(List->FirstLine(), 1);
  List->MouseWheel(0, 120, 0, 0);
  List->MouseWheel(0, 120, 0, 0);
  EXPECT_EQ(List->FirstLine(), 0);
  List->KeyDown(VK_NEXT, 0);
  EXPECT_EQ(List->FirstLine(), 4);  // the greatest first line: 10 - 6
  List->KeyDown(VK_PRIOR, 0);
  EXPECT_EQ(List->FirstLine(), 0);
  List->KeyDown(VK_END, 0);
  EXPECT_EQ(List->FirstLine(), 4);
  EXPECT_EQ(List->ScrollBar().Position, 4);

  // Most tasks gone (another resource, a delete elsewhere): the list shows what is left, not an
  // empty page.
  TVpTasks& tasks = Store().ActiveResource()->Tasks();
  while (tasks.Count() > 3) tasks.DeleteTask(tasks.Items(tasks.Count() - 1));
  Paint();
  EXPECT_EQ(List->FirstLine(), 0);
  EXPECT_EQ(List->ScreenLayout().Rows.size(), 3u);
}

TEST_F(TaskListInputTest, AddDueInAWeekAndCancelLeavesNothing) {
  int shownID = -1;
  double shownDue = 0;
  Dialogs.EditTaskAnswer = [&](TVpTask& task) {
    shownID = task.RecordID();
    shownDue = task.DueDate();
    return false;
  };
  List->AddTask();
  EXPECT_EQ(shownDue, Today + 7);
  EXPECT_GE(shownID, 0);
  EXPECT_EQ(Store().ActiveResource()->Tasks().Count(), 2);
  EXPECT_EQ(List->ActiveTask(), nullptr);
  const std::string before = TasksFile();

  Dialogs.EditTaskAnswer = [](TVpTask& task) {
    task.SetDescription("New");
    return true;
  };
  List->AddTask();
  EXPECT_EQ(Store().ActiveResource()->Tasks().Count(), 3);
  EXPECT_NE(TasksFile().find("New"), std::string::npos);
  EXPECT_EQ(before.find("New"), std::string::npos);
}

TEST_F(TaskListInputTest, DeleteAsksExactlyAndLeavesNoActiveTask) {
  List->MouseDown(mbLeft, 0, kFirstText.X, kFirstText.Y);
  MessageBoxes.Answers.push_back(mrNo);
  List->DeleteActiveTask();
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "Delete Call from your task list?\r\n\nThis operation cannot be undone!");
  EXPECT_EQ(Store().ActiveResource()->Tasks().Count(), 2);

  MessageBoxes.Answers.push_back(mrYes);
  List->DeleteActiveTask();
  EXPECT_EQ(List->ActiveTask(), nullptr);
  ASSERT_EQ(Store().ActiveResource()->Tasks().Count(), 1);
  EXPECT_EQ(Task(0).Description(), "Write");
  EXPECT_EQ(TasksFile().find("Call"), std::string::npos);
}

TEST_F(TaskListInputTest, ReloadKeepsTheActiveTaskByRecordID) {
  List->MouseDown(mbLeft, 0, kFirstText.X, kFirstText.Y);
  Store().ReloadTasks();
  ASSERT_NE(List->ActiveTask(), nullptr);
  EXPECT_EQ(List->ActiveTask()->Description(), "Call");
  // A click against rows painted before the reload finds the reloaded task.
  List->MouseDown(mbLeft, 0, kFirstCheck.X, kFirstCheck.Y);
  EXPECT_TRUE(Task(0).Complete());
}

TEST_F(TaskListInputTest, MenuDisablesTaskEntriesWithoutATask) {
  std::vector<TVpMenuItem> shown;
  List->OnShowMenu = [&](const std::vector<TVpMenuItem>& items, TVpMenuPlacement) {
    shown = items;
    return -1;
  };
  List->MouseDown(mbRight, 0, kFirstText.X, 150);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].Caption, "Add Task...");
  EXPECT_EQ(shown[1].Caption, "Edit Task...");
  EXPECT_EQ(shown[2].Caption, "Delete Task...");
  EXPECT_TRUE(shown[0].Enabled);
  EXPECT_FALSE(shown[1].Enabled);
  EXPECT_FALSE(shown[2].Enabled);
  List->MouseDown(mbRight, 0, kFirstText.X, kFirstText.Y);
  EXPECT_TRUE(shown[1].Enabled);
  EXPECT_TRUE(shown[2].Enabled);
}

}  // namespace
