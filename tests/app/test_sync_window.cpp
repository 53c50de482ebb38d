#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <filesystem>

#include "app/calendar_window.h"
#include "app/main_window.h"
#include "app/preferences_window.h"
#include "app/secondary_windows.h"
#include "app/sync_page.h"
#include "model/day_number.h"
#include "platform/qt/command_guard.h"
#include "sync/sync_account.h"
#include "tests/support/temporary_folder.h"

namespace {

bool RunUntil(const std::function<bool()>& holds, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (!holds() && timer.elapsed() < milliseconds) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  return holds();
}

// The organizer's windows on a new installation, as the program puts them together; every
// message box is answered with its default at once, its text kept.
class SyncWindow : public ::testing::Test {
 protected:
  SyncWindow() {
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR), Folder.Path(), std::filesystem::copy_options::recursive);
    Preferences.SetSyncPage(new TSyncPage(Window.Sync(), Desktop.MessageBoxes, Desktop.Writer, &Preferences));
    Window.SetWindows(&Preferences, &Calendar, &About);
    QObject::connect(&BoxCloser, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Boxes.push_back(box->text().toStdString());
        box->close();
      }
    });
    BoxCloser.start(50);
    Window.Created();
    RunUntil([this] { return Window.LifeCycle().Planner().Store().ActiveResource() != nullptr; }, 5000);
  }
  template <class T>
  T& Field(const char* name) {
    T* field = Preferences.findChild<T*>(name);
    if (field == nullptr) throw std::runtime_error(std::string("no ") + name);
    return *field;
  }
  QAction* FileEntry(const QString& caption) {
    for (QAction* menu : Window.menuBar()->actions())
      if (menu->text() == "&File")
        for (QAction* entry : menu->menu()->actions())
          if (entry->text() == caption) return entry;
    return nullptr;
  }
  std::string SyncPanel() { return Window.findChild<QLabel*>("SyncPanel")->toolTip().toStdString(); }

  TTemporaryFolder Folder;
  const int ConfigHome = setenv("XDG_CONFIG_HOME", Folder.File("xdg").c_str(), 1);
  TQtDesktop Desktop;
  TForm1 Window{Folder.Path().string(), Desktop};
  TfrmOpt Preferences{Desktop, Window.Owner(), &Window};
  TfrmCalendar Calendar{Desktop.Clock, Desktop.Locale, Window.Owner()};
  TAboutBox About{&Window};
  QTimer BoxCloser;
  std::vector<std::string> Boxes;
};

TEST_F(SyncWindow, WithoutAnAccountSynchronizeNowOpensTheSyncPageWhichRefusesAnIncompleteAccount) {
  QAction* now = FileEntry("S&ynchronize Now");
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(SyncPanel(), "") << "no account, no sync panel";
  QTimer::singleShot(0, [this] {
    auto& pages = Field<QTabWidget>("PageControl1");
    EXPECT_EQ(QApplication::activeModalWidget(), &Preferences);
    EXPECT_EQ(pages.tabText(pages.currentIndex()), "Sync");
    EXPECT_EQ(Field<QLineEdit>("edSyncPassword").echoMode(), QLineEdit::Password);
    Field<QLineEdit>("edSyncServer").setText("https://dav.example.org/");
    Field<QPushButton>("btnOK").click();  // no user name
    EXPECT_TRUE(Preferences.isVisible());
    Field<QLineEdit>("edSyncServer").clear();
    Field<QPushButton>("btnOK").click();
  });
  now->trigger();
  EXPECT_EQ(Boxes, std::vector<std::string>{"Enter the user name for the server."});
  EXPECT_EQ(Preferences.result(), QDialog::Accepted);
  const int resource = Window.LifeCycle().Planner().Store().ActiveResource()->ResourceID();
  EXPECT_FALSE(TSyncAccounts(Folder.File("Data"), Desktop.Writer).Of(resource));
}

}  // namespace
