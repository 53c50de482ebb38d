#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/qt/resource_windows.h"
#include "model/resources.h"
#include "platform/qt/command_guard.h"
#include "store/data_store.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"

namespace {

class ResourceWindows : public ::testing::Test, protected TPlannerFixture {
 protected:
  ResourceWindows() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialog.SetDataStore(&Store());
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
  }
  ~ResourceWindows() override { SetErrorHandler(nullptr); }
  std::string ResourcesFile() const { return TTemporaryFolder::Read(TableFile("resources.xml")); }
  std::string Active() { return Store().ActiveResource() ? Store().ActiveResource()->Description() : "<none>"; }
  static void Type(QWidget& edit, const QString& text) {
    edit.setFocus();
    QTest::keyClicks(&edit, text);
  }

  TQtResourceEditWindow EditWindow;
  TVpResourceEditDialog Dialog;
  std::vector<std::string> Errors;
  QObject Guard;
};

TEST_F(ResourceWindows, TheEditWindowEnablesOkWithADescriptionAndStaysOpenOnADuplicate) {
  WhenModalShows<TResEditForm>(Guard, [this](TResEditForm& window) {
    EXPECT_EQ(window.windowTitle(), "Resource Edit");
    EXPECT_GE(window.width(), 400);
    QPushButton& ok = Control<QPushButton>(window, "OkBtn");
    QLineEdit& description = Control<QLineEdit>(window, "DescriptionEdit");
    EXPECT_EQ(window.focusWidget(), &description);
    EXPECT_FALSE(ok.isEnabled());
    Type(description, "koret");
    EXPECT_TRUE(ok.isEnabled());
    Type(Control<QPlainTextEdit>(window, "NotesMemo"), "second floor");
    ok.click();
    EXPECT_TRUE(window.isVisible()) << "a name another resource has keeps the window open";
    EXPECT_EQ(Errors, std::vector<std::string>{"Error: Duplicate Resource."});
    description.selectAll();
    QTest::keyClick(&description, Qt::Key_Backspace);
    EXPECT_FALSE(ok.isEnabled()) << "cleared by the user";
    Type(description, "Room 2");
    ok.click();
  });
  EXPECT_TRUE(Dialog.AddResource(EditWindow));
  EXPECT_EQ(Active(), "Room 2");
  EXPECT_NE(ResourcesFile().find("Description=\"Room 2\" Notes=\"second floor\""), std::string::npos);

  const std::string before = ResourcesFile();
  WhenModalShows<TResEditForm>(Guard, [](TResEditForm& window) {
    EXPECT_EQ(Control<QLineEdit>(window, "DescriptionEdit").text(), "Room 2");
    EXPECT_EQ(Control<QPlainTextEdit>(window, "NotesMemo").toPlainText(), "second floor");
    Control<QPushButton>(window, "OkBtn").click();
  });
  EXPECT_FALSE(Dialog.EditResource(EditWindow)) << "OK without a change";
  EXPECT_EQ(ResourcesFile(), before);
}

TEST_F(ResourceWindows, TheSelectionWindowChoosesAtOnceAndKeepsAnAddWhenCancelled) {
  Store().SetActiveResource(nullptr);
  TQtSelectResourceWindow selectWindow;
  WhenModalShows<TfrmSelectResource>(Guard, [this](TfrmSelectResource& window) {
    EXPECT_EQ(window.windowTitle(), "Select a Resource");
    EXPECT_EQ(window.size(), QSize(284, 190));
    QComboBox& list = Control<QComboBox>(window, "VpResourceCombo1");
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.currentIndex(), -1);
    WhenModalShows<TResEditForm>(Guard, [](TResEditForm& edit) {
      Type(Control<QLineEdit>(edit, "DescriptionEdit"), "Room 2");
      Control<QPushButton>(edit, "OkBtn").click();
    });
    Control<QPushButton>(window, "btnAddNew").click();
    Poster.DeliverAll();  // the store's change reaches the list
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.currentText(), "Room 2");
    list.setCurrentIndex(0);
    EXPECT_EQ(Active(), "KORET") << "chosen at once";
    Control<QPushButton>(window, "CancelBtn").click();
  });
  EXPECT_FALSE(ShowResourceSelection(Store(), selectWindow, EditWindow));
  EXPECT_EQ(Active(), "KORET");
  EXPECT_NE(ResourcesFile().find("Room 2"), std::string::npos);

  WhenModalShows<TfrmSelectResource>(Guard, [](TfrmSelectResource& window) {
    Control<QComboBox>(window, "VpResourceCombo1").setCurrentIndex(1);
    Control<QPushButton>(window, "OkBtn").click();
  });
  EXPECT_TRUE(ShowResourceSelection(Store(), selectWindow, EditWindow));
  EXPECT_EQ(Active(), "Room 2");
}

}  // namespace
