#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "app/calendar_window.h"
#include "app/main_window.h"
#include "app/preferences_window.h"
#include "app/secondary_windows.h"
#include "app/sync_page.h"
#include "model/day_number.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "sync/sync_account.h"
#include "tests/support/radicale_fixture.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

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

// A CalDAV server with the calendar "Work" holding an event made by another client today, which
// the organizer's account set up on the Sync page brings into the store; an event added here goes
// up to the server, read back by that client.
TEST_F(SyncWindow, TheAccountSetUpOnTheSyncPageBringsTheServersEventsAndTakesOurs) {
  const TRadicaleFixture server;
  const QStringList account{ToQt(server.Url()), ToQt(server.User()), ToQt(server.Password())};
  const QString today = QDate::currentDate().toString("yyyyMMdd");
  auto client = [&](const QString& script) {
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, caldav\n"
                  "c = caldav.DAVClient(url=sys.argv[1], username=sys.argv[2], password=sys.argv[3])\n" +
                      script,
                  account[0], account[1], account[2]});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput().toStdString();
  };
  client(
      "cal = c.principal().make_calendar(name='Work', cal_id='work')\n"
      "cal.save_event('BEGIN:VCALENDAR\\r\\nVERSION:2.0\\r\\nPRODID:-//test//EN\\r\\nBEGIN:VEVENT\\r\\n"
      "UID:from-server@test\\r\\nDTSTAMP:20260101T000000Z\\r\\nDTSTART:" +
      today +
      "T090000\\r\\n"
      "DTEND:" +
      today + "T100000\\r\\nSUMMARY:From the server\\r\\nEND:VEVENT\\r\\nEND:VCALENDAR\\r\\n')\n");

  Preferences.show();
  auto& pages = Field<QTabWidget>("PageControl1");
  pages.setCurrentIndex(pages.count() - 1);
  Field<QLineEdit>("edSyncServer").setText(account[0]);
  Field<QLineEdit>("edSyncUser").setText(account[1]);
  Field<QLineEdit>("edSyncPassword").setText(account[2]);
  Field<QPushButton>("btnSyncTest").click();
  auto& result = Field<QLabel>("lblSyncTest");
  EXPECT_TRUE(RunUntil([&] { return result.text().startsWith("Conn") && !result.text().endsWith("..."); }, 20000));
  EXPECT_EQ(result.text().toStdString(), "Connected: 1 calendar and 0 address books found.");
  EXPECT_EQ(Field<QComboBox>("cbSyncCalendar").currentText(), "Work");
  Field<QPushButton>("btnOK").click();
  EXPECT_EQ(Preferences.result(), QDialog::Accepted);

  TVpFlexDataStore& store = Window.LifeCycle().Planner().Store();
  auto sync = [&] {
    Boxes.clear();
    FileEntry("S&ynchronize Now")->trigger();
    EXPECT_TRUE(RunUntil([&] { return !Window.Sync().Control().Running() && !Boxes.empty(); }, 30000));
  };
  sync();
  EXPECT_EQ(SyncPanel().rfind("Last sync: ", 0), 0u) << SyncPanel();
  TVpSchedule& schedule = store.ActiveResource()->Schedule();
  std::vector<TVpEvent*> onToday;
  schedule.CollectEventsOn(DateOf(Desktop.Clock.Now()), onToday);
  ASSERT_EQ(onToday.size(), 1u) << (Boxes.empty() ? "" : Boxes[0]);
  EXPECT_EQ(onToday[0]->Description(), "From the server");

  const double now = Desktop.Clock.Now();
  TVpEvent* own = schedule.AddEvent(store.GetNextID("Events"), now, now + 0.01);
  own->SetDescription("From the window");
  own->SetChanged(true);
  store.PostEvents();
  sync();
  EXPECT_NE(client("for e in c.calendar(url=sys.argv[1] + 'tester/work/').events():\n"
                   "    print(e.vobject_instance.vevent.summary.value)\n")
                .find("From the window"),
            std::string::npos);
}

}  // namespace
