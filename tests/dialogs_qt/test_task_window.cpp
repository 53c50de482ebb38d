#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/qt/task_edit_form.h"
#include "model/resource.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "platform/qt/command_guard.h"
#include "store/change_path.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"
#include "views/qt/date_edit_widget.h"

namespace {

class TaskWindow : public ::testing::Test, protected TPlannerFixture {
 protected:
  TaskWindow() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialog.SetDataStore(&Store());
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
    Task = Store().ActiveResource()->Tasks().AddTask(Store().GetNextID("Tasks"));
    Task->SetDescription("Taxes");
    Task->SetDueDate(At(2024, 5, 17));
    Task->SetDetails("forms\r\nbills");
    Task->SetComplete(true);
    Store().PostTasks();
  }
  ~TaskWindow() override { SetErrorHandler(nullptr); }
  bool Execute(const std::function<void(TTaskEditForm&)>& user) {
    WhenModalShows<TTaskEditForm>(Guard, [&](TTaskEditForm& window) {
      Caption = window.windowTitle().toStdString();
      user(window);
    });
    bool ok = false;
    Store().Changes().Edit<TVpTask>(*Task, false, [&](TVpTask& t) { return ok = Dialog.Execute(&t, Locale, Window); });
    return ok;
  }

  TEnglishLocale Locale;
  TQtTaskWindow Window;
  TVpTaskEditDialog Dialog;
  TVpTask* Task = nullptr;
  std::string Caption;
  std::vector<std::string> Errors;
  QObject Guard;
};

TEST_F(TaskWindow, OkWritesWhatTheUserChangedInTheWindow) {
  EXPECT_TRUE(Execute([](TTaskEditForm& window) {
    EXPECT_EQ(Control<QLineEdit>(window, "DescriptionEdit").text(), "Taxes");
    EXPECT_EQ(Control<TVpDateEditWidget>(window, "DueDateEdit").text(), "5/17/2024");
    EXPECT_EQ(Control<QLabel>(window, "CreatedOnLbl").text(), "Created on 5/10/2024");
    QLabel& completedOn = Control<QLabel>(window, "CompletedOnLbl");
    EXPECT_EQ(completedOn.text(), "Completed on 5/10/2024");
    QCheckBox& complete = Control<QCheckBox>(window, "CompleteCB");
    complete.click();
    EXPECT_FALSE(completedOn.isEnabled());
    EXPECT_TRUE(completedOn.isVisibleTo(&window));
    QLineEdit& description = Control<QLineEdit>(window, "DescriptionEdit");
    description.end(false);
    QTest::keyClicks(&description, " 2024");
    Control<QPlainTextEdit>(window, "DetailsMemo").setPlainText("forms\nreceipts");
    Control<QPushButton>(window, "OkBtn").click();
  }));
  EXPECT_EQ(Caption, "Taxes - Task");
  EXPECT_EQ(Task->Description(), "Taxes 2024");
  EXPECT_EQ(Task->Details(), "forms\r\nreceipts") << "the task's own line breaks are kept";
  EXPECT_FALSE(Task->Complete());
  EXPECT_NE(TTemporaryFolder::Read(TableFile("tasks.xml")).find("Taxes 2024"), std::string::npos);
}

TEST_F(TaskWindow, OkWithAnUnreadableDueDateStaysOpenAndCancelThenWritesNothing) {
  EXPECT_FALSE(Execute([this](TTaskEditForm& window) {
    TVpDateEditWidget& date = Control<TVpDateEditWidget>(window, "DueDateEdit");
    date.selectAll();
    QTest::keyClicks(&date, "5/45/2024");
    Control<QPushButton>(window, "OkBtn").click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Errors.size(), 1u);
    Control<QPushButton>(window, "CancelBtn").click();
  }));
  EXPECT_EQ(Task->DueDate(), At(2024, 5, 17));
}

}  // namespace
