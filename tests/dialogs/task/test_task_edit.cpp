#include <gtest/gtest.h>

#include <functional>

#include "dialogs/task/task_edit_dialog.h"
#include "model/resource.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "store/change_path.h"
#include "tests/support/planner_fixture.h"

namespace {

// The task window, scripted by the test: the user's work on the form, then OK (true) or Cancel.
class TScriptedTaskWindow : public TVpTaskWindow {
 public:
  bool Show(TVpTaskEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
            TVpDialogOptions) override {
    Captions.push_back(caption);
    LastPlacement = placement;
    return Work ? Work(form) : false;
  }
  std::function<bool(TVpTaskEditRules&)> Work;
  std::vector<std::string> Captions;
  TVpDialogPlacement LastPlacement;
};

class TaskEdit : public ::testing::Test, protected TPlannerFixture {
 protected:
  TaskEdit() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialog.SetDataStore(&Store());
  }
  TVpTasks& Tasks() { return Store().ActiveResource()->Tasks(); }
  // A task as the task list makes one: created now, due a week from today.
  TVpTask& NewTask() {
    TVpTask* task = Tasks().AddTask(Store().GetNextID("Tasks"));
    task->SetDueDate(Clock.Now() + 7);
    return *task;
  }
  TVpTask& PostedTask(const char* description) {
    TVpTask& task = NewTask();
    task.SetDescription(description);
    task.SetDetails("line one\r\nline two");
    Store().PostTasks();
    return task;
  }
  std::string TasksFile() const { return TTemporaryFolder::Read(TableFile("tasks.xml")); }
  // The dialog as the organizer runs it: through the change path, which posts what it wrote.
  bool Execute(TVpTask& task) {
    bool ok = false;
    Store().Changes().Edit<TVpTask>(task, false, [&](TVpTask& t) { return ok = Dialog.Execute(&t, Locale, Window); });
    return ok;
  }

  TEnglishLocale Locale;
  TScriptedTaskWindow Window;
  TVpTaskEditDialog Dialog;
};

TEST_F(TaskEdit, OpenAndOkLeavesATaskAsItWas) {
  TVpTask& task = PostedTask("Taxes");
  const std::string before = TasksFile();
  Window.Work = [](TVpTaskEditRules& form) {
    EXPECT_EQ(form.Description(), "Taxes");
    EXPECT_EQ(form.DueDate().Text(), "5/17/2024") << "a new task is due a week from today";
    EXPECT_EQ(form.Details(), "line one\nline two");
    EXPECT_EQ(form.CreatedOnText(), "Created on 5/10/2024");
    EXPECT_FALSE(form.CompletedOnVisible());
    return true;
  };
  EXPECT_TRUE(Execute(task));
  EXPECT_FALSE(task.Changed());
  EXPECT_EQ(TasksFile(), before);
  EXPECT_EQ(Window.Captions, std::vector<std::string>{"Taxes - Task"});
  EXPECT_EQ(Window.LastPlacement.Width, 380);
  EXPECT_EQ(Window.LastPlacement.Height, 341);
}

// The due date takes a typed date: "/" for today, a two-digit year in 2000 to 2099.
TEST_F(TaskEdit, TheDueDateTakesATypedDate) {
  for (const auto& [typed, due] : {std::pair{"/", EncodeDate(2024, 5, 10)}, {"6/1/31", EncodeDate(2031, 6, 1)}}) {
    SCOPED_TRACE(typed);
    TVpTask& task = PostedTask("Taxes");
    Window.Work = [typed = std::string(typed)](TVpTaskEditRules& form) {
      form.DueDate().SetText(typed);
      return true;
    };
    EXPECT_TRUE(Execute(task));
    EXPECT_EQ(task.DueDate(), due);
  }
}

TEST_F(TaskEdit, CompletedStampsTheCompletionAndUncheckingClearsIt) {
  TVpTask& task = PostedTask("Report");
  Clock.Set(At(2024, 5, 12, 14, 30));
  Window.Work = [](TVpTaskEditRules& form) {
    form.SetComplete(true);
    EXPECT_TRUE(form.DateLabelsEnabled());
    return true;
  };
  EXPECT_TRUE(Execute(task));
  EXPECT_TRUE(task.Complete());
  EXPECT_EQ(task.CompletedOn(), At(2024, 5, 12, 14, 30));
  EXPECT_NE(TasksFile().find("CompletedOn=\"20240512T14:30:00000\""), std::string::npos);

  Window.Work = [](TVpTaskEditRules& form) {
    EXPECT_TRUE(form.CompletedOnVisible());
    EXPECT_EQ(form.CompletedOnText(), "Completed on 5/12/2024");
    form.SetComplete(false);
    EXPECT_FALSE(form.DateLabelsEnabled());
    EXPECT_TRUE(form.CompletedOnVisible()) << "greyed, but in place until the window opens again";
    return true;
  };
  EXPECT_TRUE(Execute(task));
  EXPECT_FALSE(task.Complete());
  EXPECT_EQ(task.CompletedOn(), 0);
}

TEST_F(TaskEdit, CancelKeepsAnEarlierChangeForTheNextPost) {
  TVpTask& task = PostedTask("Shopping");
  task.SetComplete(true);  // ticked in the task list, not posted yet
  Window.Work = [](TVpTaskEditRules& form) {
    form.SetDescription("changed and cancelled");
    return false;
  };
  EXPECT_FALSE(Execute(task));
  EXPECT_TRUE(task.Changed());
  EXPECT_EQ(task.Description(), "Shopping");
  Store().PostTasks();
  EXPECT_NE(TasksFile().find("Complete=\"TRUE\""), std::string::npos);
}

TEST_F(TaskEdit, CancelOfANewTaskWritesNothing) {
  const std::string before = TasksFile();
  TVpTask& task = NewTask();
  EXPECT_FALSE(Execute(task));
  EXPECT_EQ(TasksFile(), before);
}

TEST_F(TaskEdit, WithoutTaskStoreOrActiveResourceNothingOpens) {
  TVpTask& task = PostedTask("Plan");
  EXPECT_FALSE(Dialog.Execute(nullptr, Locale, Window));
  TVpTaskEditDialog unbound;
  EXPECT_FALSE(unbound.Execute(&task, Locale, Window));
  Store().SetActiveResource(nullptr);
  EXPECT_FALSE(Execute(task));
  EXPECT_TRUE(Window.Captions.empty());
}

TEST_F(TaskEdit, ATaskRemovedWhileTheWindowIsUpIsNotWritten) {
  TVpTask& task = PostedTask("Plan");
  Window.Work = [this](TVpTaskEditRules& form) {
    Tasks().Items(0)->SetDeleted(true);
    Store().ActiveResource()->SetTasksDirty(true);
    Store().PostTasks();
    Store().ReloadTasks();
    form.SetDescription("late");
    return true;
  };
  EXPECT_FALSE(Execute(task));
  EXPECT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(TasksFile().find("late"), std::string::npos);
}

}  // namespace
