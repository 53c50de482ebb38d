#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/main_window.h"
#include "dialogs/qt/alarm_notify_form.h"
#include "dialogs/qt/dlg_event_edit.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "platform/qt/command_guard.h"
#include "print/qt/print_preview_window.h"
#include "store/change_path.h"
#include "store/flex_data_store.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/temporary_folder.h"
#include "views/qt/view_widget.h"

namespace {

// The main window on a new installation, shown and active.
class MainWindowCommands : public ::testing::Test {
 protected:
  MainWindowCommands() {
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR), Folder.Path(), std::filesystem::copy_options::recursive);
    Window.Created();
    Window.resize(660, 483);
    Window.show();
    Window.activateWindow();
    QApplication::processEvents();  // the second start-up stage
  }
  ~MainWindowCommands() override { SetErrorHandler(nullptr); }

  template <class T>
  T& Child(const char* name) {
    T* child = Window.findChild<T*>(name);
    if (child == nullptr) throw std::runtime_error(std::string("no ") + name);
    return *child;
  }
  QAction* Entry(const QWidget& menu, const QString& caption) {
    for (QAction* action : menu.actions())
      if (action->text() == caption) return action;
    return nullptr;
  }
  TVpDayView& DayView() { return static_cast<TVpDayView&>(Child<TVpViewWidget>("VpDayView1").View()); }

  TTemporaryFolder Folder;
  TQtDesktop Desktop;
  TForm1 Window{Folder.Path().string(), Desktop};
};

TEST_F(MainWindowCommands, TheToolBarHasItsTenButtonsInOrderEachWithHintAndPictureThenTheSearchField) {
  const std::vector<std::string> expected{"SBCal1 Show Calendar",
                                          "SBWeek Show Week View",
                                          "-",
                                          "SBAddContact Add Contact",
                                          "SBAddTask Add Task",
                                          "-",
                                          "SBOneDay Show One Day",
                                          "SBYest Goto Previous Day",
                                          "SBNext Goto Next Day",
                                          "SBToday Show Today",
                                          "-",
                                          "SearchField"};
  QToolBar& bar = Child<QToolBar>("ToolBar1");
  std::vector<std::string> buttons;
  for (QAction* action : bar.actions()) {
    QWidget* widget = bar.widgetForAction(action);
    auto* button = qobject_cast<QToolButton*>(widget);
    buttons.push_back(action->isSeparator() ? "-"
                      : button != nullptr   ? (button->objectName() + " " + button->toolTip()).toStdString()
                                            : widget->objectName().toStdString());
    if (button != nullptr) {
      EXPECT_FALSE(button->icon().pixmap(24, 23).isNull()) << "a picture without an icon theme";
    }
  }
  EXPECT_EQ(buttons, expected);

  std::vector<std::string> days;
  for (QAction* action : Child<QToolButton>("SBOneDay").menu()->actions()) days.push_back(action->text().toStdString());
  EXPECT_EQ(days, (std::vector<std::string>{"One", "Two", "Three", "Four", "Five", "Six", "Seven"}));
  Entry(*Child<QToolButton>("SBOneDay").menu(), "Three")->trigger();
  EXPECT_EQ(DayView().NumDays(), 3);
  DayView().SetDate(EncodeDate(2024, 3, 31));
  Entry(*Child<QToolButton>("SBYest").menu(), "Previous Month")->trigger();
  EXPECT_EQ(DayView().Date(), EncodeDate(2024, 2, 29));
}

TEST_F(MainWindowCommands, ShortcutsReachTheirCommandsWhileTheWindowIsActive) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  auto& tabs = Child<QTabWidget>("PCMain");
  const struct {
    int Key;
    int Tab;
  } views[] = {{Qt::Key_F1, 0}, {Qt::Key_F3, 2}, {Qt::Key_F2, 1}};
  for (const auto& v : views) {
    QTest::keyClick(&Window, static_cast<Qt::Key>(v.Key), Qt::ControlModifier);
    EXPECT_EQ(tabs.currentIndex(), v.Tab) << "Ctrl+F" << v.Key - Qt::Key_F1 + 1;
  }
  QTest::keyClick(&Window, Qt::Key_W, Qt::ControlModifier);
  EXPECT_TRUE(Window.WeekViewShown());
  EXPECT_TRUE(Child<QToolButton>("SBWeek").isChecked()) << "Week stays down";
  EXPECT_FALSE(Child<QToolButton>("SBWeek").icon().isNull()) << "and keeps its picture";
  QTest::keyClick(&Window, Qt::Key_W, Qt::ControlModifier);
  EXPECT_FALSE(Window.WeekViewShown());
  EXPECT_FALSE(Child<QToolButton>("SBWeek").isChecked());

  // Tab goes from the tool bar's last button to the day view and on to the tabs; Down opens a
  // button's drop-down menu.
  Child<QToolButton>("SBToday").setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &Child<TVpViewWidget>("VpDayView1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(tabs.tabBar()));
  QWidget* opened = nullptr;
  QTimer::singleShot(0, [&] {
    opened = QApplication::activePopupWidget();
    if (opened != nullptr) opened->close();
  });
  QTest::keyClick(&Child<QToolButton>("SBNext"), Qt::Key_Down);
  EXPECT_EQ(opened, static_cast<QWidget*>(Child<QToolButton>("SBNext").menu()));

  // The Edit menu's rule: on the Events tab the task entries are off.
  QMenu& edit = *Entry(*Window.menuBar(), "&Edit")->menu();
  emit edit.aboutToShow();
  EXPECT_FALSE(Entry(edit, "&Edit Task")->isEnabled());
  EXPECT_FALSE(Entry(edit, "&Delete Task")->isEnabled());
  QMenu& file = *Entry(*Window.menuBar(), "&File")->menu();
  EXPECT_TRUE(Entry(file, "&Print...")->isEnabled());
  EXPECT_TRUE(Entry(file, "&Load Print Formats")->isEnabled());
  QAction* designer = Entry(file, "Print &Format Designer");
  EXPECT_TRUE(designer->isEnabled());
  EXPECT_EQ(file.actions().indexOf(designer), file.actions().indexOf(Entry(file, "&Print...")) + 1);
  EXPECT_EQ(file.actions().indexOf(designer), file.actions().indexOf(Entry(file, "&Load Print Formats")) - 1);
}

// Ctrl+P previews the shipped one-day format for the day the day view shows.
TEST_F(MainWindowCommands, PrintOpensThePreviewOfTheDisplayedDay) {
  DayView().SetDate(EncodeDate(2026, 12, 7));
  DayView().SetTopLine(3);
  int printedTopLine = -1;
  QString format;
  double start = 0, end = 0;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
    if (preview == nullptr) return;
    format = preview->findChild<QComboBox*>("VpPrintFormatComboBox1")->currentText();
    start = preview->Preview().StartDate();
    end = preview->Preview().EndDate();
    printedTopLine = DayView().TopLine();
    preview->reject();
  });
  QTimer::singleShot(10000, [] {
    if (QWidget* window = QApplication::activeModalWidget()) window->close();
  });
  QTest::keyClick(&Window, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(format, "Day");
  EXPECT_EQ(start, EncodeDate(2026, 12, 7));
  EXPECT_EQ(end, EncodeDate(2026, 12, 7));
  EXPECT_EQ(printedTopLine, 14) << "the printed day view starts at line 14";
  EXPECT_EQ(DayView().TopLine(), 3) << "the day view on screen keeps its own first line";
}

TEST_F(MainWindowCommands, TheStatusBarShowsTheHintOfTheViewUnderThePointer) {
  Window.resize(660, 483);
  QApplication::processEvents();
  ASSERT_EQ(Window.statusBar()->width(), 660);
  auto& panel = Child<QLabel>("MessagePanel");
  EXPECT_EQ(panel.width(), 500);
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(&Child<TVpViewWidget>("VpDayView1"), &enter);
  EXPECT_EQ(panel.text(), "  Double click to add event");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&Child<TVpViewWidget>("VpDayView1"), &leave);
  EXPECT_EQ(panel.text(), "  Ready");
}

// The tray's Add Task while the window is hidden, on a store that cannot write: the window comes
// back on the Task List tab, the error reaches the general handler, and the entries are on again.
TEST_F(MainWindowCommands, AFailedAddFromTheTrayIsReportedAndLeavesItsEntriesOn) {
  std::vector<std::string> errors;
  SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
  Window.HideMainWindow();
  std::filesystem::remove_all(Folder.Path() / "Data");
  QMenu* tray = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "PopupMenu1") tray = qobject_cast<QMenu*>(widget);
  ASSERT_NE(tray, nullptr);
  Entry(*tray, "Add &Task\tCtrl+A")->trigger();
  EXPECT_TRUE(Window.isVisible());
  EXPECT_EQ(Child<QTabWidget>("PCMain").currentIndex(), 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(Entry(*tray, "Add &Task\tCtrl+A")->isEnabled());
  EXPECT_TRUE(Entry(*tray, "Add &Contact\tCtrl+Z")->isEnabled());
  EXPECT_NE(Entry(*tray, "&Hide to Tray...\tCtrl+M"), nullptr) << "the menu shows the shortcuts";
}

// A resource's "&" is shown as it is, and the entry still chooses the resource by its description.
TEST_F(MainWindowCommands, AnAmpersandInAResourceIsShownAsItIs) {
  Window.SetResourcesMenu({"R&D", "KORET"}, 1);
  QMenu& resources = *Entry(*Entry(*Window.menuBar(), "Resource")->menu(), "Resources")->menu();
  ASSERT_EQ(resources.actions().size(), 2);
  EXPECT_EQ(resources.actions()[0]->text(), "R&&D");
  resources.actions()[1]->trigger();
  EXPECT_EQ(Window.LifeCycle().Planner().Store().ActiveResource()->Description(), "KORET");
}

// Edit > Undo and Redo name the step, reach it by Alt+Backspace and Ctrl+Y, and say in the status
// bar what they took; a deleted event comes back into the file with its own RecordID.
TEST_F(MainWindowCommands, UndoAndRedoTakeTheLastChangeBackAndAgain) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  TVpFlexDataStore& store = Window.LifeCycle().Planner().Store();
  TVpEvent* event = store.ActiveResource()->Schedule().AddEvent(
      store.GetNextID("Events"), EncodeDate(2024, 5, 10) + 0.5, EncodeDate(2024, 5, 10) + 0.55);
  event->SetDescription("Gym");
  store.Changes().Add(*event);
  const std::string id = "RecordID=\"" + std::to_string(event->RecordID()) + "\"";
  store.Changes().Delete(*event);
  const auto eventsFile = [this] { return TTemporaryFolder::Read((Folder.Path() / "Data" / "events.xml").string()); };
  ASSERT_EQ(eventsFile().find("Gym"), std::string::npos);

  QMenu& edit = *Entry(*Window.menuBar(), "&Edit")->menu();
  emit edit.aboutToShow();
  ASSERT_NE(Entry(edit, "&Undo Delete \"Gym\""), nullptr);
  EXPECT_TRUE(Entry(edit, "&Undo Delete \"Gym\"")->isEnabled());
  EXPECT_FALSE(Entry(edit, "&Redo")->isEnabled());
  emit edit.aboutToHide();

  QTest::keyClick(&Window, Qt::Key_Backspace, Qt::AltModifier);
  const std::string undone = eventsFile();
  const size_t row = undone.find("Gym");
  ASSERT_NE(row, std::string::npos) << "the event is back";
  EXPECT_NE(undone.rfind(id, row), std::string::npos) << "with its RecordID";
  EXPECT_EQ(Child<QLabel>("MessagePanel").text(), "  Undone: Delete \"Gym\"");

  QTest::keyClick(&Window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(eventsFile().find("Gym"), std::string::npos);
  EXPECT_EQ(Child<QLabel>("MessagePanel").text(), "  Redone: Delete \"Gym\"");
  emit edit.aboutToShow();
  EXPECT_NE(Entry(edit, "&Undo Delete \"Gym\""), nullptr);
}

// Runs the test's work on the modal window of the kind once it is up; it waits while another
// modal window is in front, so that one window can follow another.
template <class TWindow>
void WhenUp(QObject& guard, std::function<void(TWindow&)> work) {
  auto* poll = new QTimer(&guard);
  QObject::connect(poll, &QTimer::timeout, [poll, work = std::move(work)] {
    if (auto* window = qobject_cast<TWindow*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      work(*window);
    }
  });
  poll->start(20);
}

TEST_F(MainWindowCommands, AReminderAndItsOpenItemShowTimesInTheProgramsTimeFormat) {
  TVpFlexDataStore& store = Window.LifeCycle().Planner().Store();
  TVpSchedule& schedule = store.ActiveResource()->Schedule();
  TVpEvent* added = schedule.AddEvent(store.GetNextID("Events"), EncodeDate(2024, 5, 13) + 10.0 / 24,
                                      EncodeDate(2024, 5, 13) + 11.5 / 24);
  added->SetDescription("Dentist");
  added->SetAlarmSet(true);
  store.PostEvents();
  const struct {
    TVpTimeFormat Format;
    const char* When;
    const char* Start;
  } cases[] = {{tf24Hour, ", 10:00 \u2013 11:30", "10:00"}, {tf12Hour, ", 10:00 AM \u2013 11:30 AM", "10:00 AM"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Start);
    DayView().SetTimeFormat(c.Format);  // as the settings or the preferences' OK set it
    QObject guard;
    QString when, start;
    WhenUp<TAlarmNotifyForm>(guard, [&](TAlarmNotifyForm& reminder) {
      when = Control<QLabel>(reminder, "WhenText").text();
      Control<QPushButton>(reminder, "OpenItemBtn").click();
    });
    WhenUp<TDlgEventEdit>(guard, [&](TDlgEventEdit& dialog) {
      start = Control<QComboBox>(dialog, "StartTime").currentText();
      Control<QPushButton>(dialog, "CancelBtn").click();
    });
    QTimer::singleShot(10000, &guard, [] {
      if (QWidget* window = QApplication::activeModalWidget()) window->close();
    });
    TVpEvent* event = nullptr;
    for (int i = 0; i < schedule.Count(); ++i)
      if (schedule.Items(i)->Description() == "Dentist") event = schedule.Items(i);
    ASSERT_NE(event, nullptr);
    Desktop.Reminders.ShowReminder(store, *event);
    // The day as the desktop's locale writes it out, then the times.
    EXPECT_TRUE(when.contains("2024") && when.contains("13") && when.endsWith(QString::fromUtf8(c.When)))
        << when.toStdString();
    EXPECT_EQ(start.toStdString(), c.Start);
  }
}

}  // namespace

namespace {

// The search field's text searched in the search window: the results come while it shows, off
// the window's thread, and Enter shows the first, an event years back, selected on its day.
TEST_F(MainWindowCommands, TheSearchFieldFindsAnEventYearsBackAndEnterShowsItsDay) {
  TVpFlexDataStore& store = Window.LifeCycle().Planner().Store();
  TVpEvent* added = store.ActiveResource()->Schedule().AddEvent(
      store.GetNextID("Events"), EncodeDate(2009, 3, 4) + 10.0 / 24, EncodeDate(2009, 3, 4) + 11.0 / 24);
  added->SetDescription("Dentist Dr. Müller");
  const int id = added->RecordID();
  store.PostEvents();
  QStringList listed;
  QTimer* poll = new QTimer(&Window);
  QObject::connect(poll, &QTimer::timeout, [&] {
    QWidget* window = QApplication::activeModalWidget();
    auto* results = window != nullptr ? window->findChild<QTreeWidget*>("SearchResults") : nullptr;
    if (results == nullptr || results->topLevelItemCount() < 2) return;
    for (int i = 0; i < results->topLevelItemCount(); ++i) listed << results->topLevelItem(i)->text(1);
    poll->stop();
    QTest::keyClick(window->findChild<QLineEdit*>("SearchText"), Qt::Key_Return);
  });
  poll->start(20);
  QTimer::singleShot(10000, [] {
    if (QWidget* window = QApplication::activeModalWidget()) window->close();
  });
  auto& field = Child<QLineEdit>("SearchField");
  field.setText("MULLER");
  QTest::keyClick(&field, Qt::Key_Return);
  EXPECT_EQ(listed, (QStringList{"", "Dentist Dr. Müller"})) << "the Events group, then the event";
  EXPECT_EQ(DayView().Date(), EncodeDate(2009, 3, 4));
  ASSERT_NE(DayView().ActiveEvent(), nullptr);
  EXPECT_EQ(DayView().ActiveEvent()->RecordID(), id);
  EXPECT_TRUE(field.text().isEmpty());
}

}  // namespace

namespace {

// Ctrl+Shift+A: the line typed is read while it is typed, the window says what it read, and Enter
// adds the event so.
TEST_F(MainWindowCommands, QuickAddShowsItsReadingAndEnterAddsTheEvent) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  QString understood;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    auto* line = window != nullptr ? window->findChild<QLineEdit*>("QuickAddLine") : nullptr;
    if (line == nullptr) return;
    QTest::keyClicks(line, "Lunch with Ann tomorrow 12:30 for 1h every Friday remind me 10 min before");
    understood = window->findChild<QLabel*>("QuickAddUnderstood")->text();
    QTest::keyClick(line, Qt::Key_Return);
  });
  QTimer::singleShot(10000, [] {
    if (QWidget* window = QApplication::activeModalWidget()) window->close();
  });
  QTest::keyClick(&Window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NE(understood.indexOf("12:30"), -1) << understood.toStdString();
  EXPECT_NE(understood.indexOf("Friday"), -1) << understood.toStdString();
  const TVpEvent* event = DayView().ActiveEvent();
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->Description(), "Lunch with Ann");
  EXPECT_NEAR(event->EndTime() - event->StartTime(), 1.0 / 24, 1e-9);
  EXPECT_TRUE(event->RepeatCode() == rcWeekly || event->RepeatRule().find("BYDAY=FR") != std::string::npos)
      << event->RepeatRule();
  EXPECT_TRUE(event->AlarmSet());
  EXPECT_EQ(event->AlarmAdvance(), 10);
}

}  // namespace
