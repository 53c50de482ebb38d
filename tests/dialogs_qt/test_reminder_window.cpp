#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <optional>

#include "dialogs/qt/alarm_notify_form.h"
#include "model/event.h"
#include "platform/english_locale.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"

namespace {

class ReminderWindow : public ::testing::Test {
 protected:
  ReminderWindow() {
    Clock.Set(At(2024, 5, 13, 10, 5));
    Event.SetStartTime(At(2024, 5, 13, 10, 0));
    Event.SetEndTime(At(2024, 5, 13, 11, 0));
    Event.SetDescription("Dentist");
    Event.SetNotes("bring the card");
    Form.emplace(Clock, Locale, Event, clInfoBk);
  }
  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpEvent Event;
  std::optional<TVpNotificationRules> Form;
  QObject Guard;
};

TEST_F(ReminderWindow, ShowsTheEventAndItsButtonsGiveTheirAnswers) {
  const struct {
    const char* Button;
    TVpReminderAnswer Answer;
  } cases[] = {{"DismissBtn", raDismiss}, {"SnoozeBtn", raSnooze}, {"OpenItemBtn", raOpenItem}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Button);
    TAlarmNotifyForm window(*Form);
    EXPECT_EQ(window.windowTitle(), "OVERDUE! : 5/13/2024 10:00 AM");
    EXPECT_EQ(Control<QLineEdit>(window, "SubjectEdit").text(), "Dentist");
    EXPECT_EQ(Control<QPlainTextEdit>(window, "NotesMemo").toPlainText(), "bring the card");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.show();
    Control<QPushButton>(window, c.Button).click();
    EXPECT_EQ(window.Answer(), c.Answer);
    EXPECT_FALSE(window.isVisible());
  }
}

TEST_F(ReminderWindow, TheBodyShowsTheDayAndTimesWholeAboveTheNotes) {
  Event.SetEndTime(At(2024, 5, 14, 1, 0));  // the longest text: two days named
  Form.emplace(Clock, Locale, Event, clInfoBk, false);
  TAlarmNotifyForm window(*Form);
  window.show();
  QApplication::processEvents();
  const QLabel& when = Control<QLabel>(window, "WhenText");
  EXPECT_EQ(when.text(), "Monday, May 13, 2024, 10:00 to Tuesday, May 14, 2024, 01:00");
  EXPECT_EQ(Control<QLabel>(window, "WhenCaption").text(), "When:");
  EXPECT_EQ(window.width(), 292);
  EXPECT_GE(window.height(), 236);
  EXPECT_GE(when.height(), when.heightForWidth(when.width())) << "every line shows";
  const QWidget& notes = Control<QPlainTextEdit>(window, "NotesMemo");
  EXPECT_GE(notes.geometry().top(), when.geometry().bottom());
  EXPECT_GE(notes.height(), 40) << "the notes keep their room";
  for (const char* name : {"WhenText", "NotesMemo", "SnoozeCombo", "DismissBtn", "OpenItemBtn"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(window.rect().contains(Control<QWidget>(window, name).geometry()));
  }
}

TEST_F(ReminderWindow, EscapeSnoozesWithTheChosenDelayAndClosingAnswersNothing) {
  {
    TAlarmNotifyForm window(*Form);
    QComboBox& delays = Control<QComboBox>(window, "SnoozeCombo");
    EXPECT_EQ(delays.count(), 20);
    EXPECT_EQ(delays.currentText(), "5 Minutes");
    delays.setCurrentIndex(delays.findText("1 Week"));
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(window.Answer(), raSnooze);
    EXPECT_EQ(Form->SnoozeIndex(), 19);
  }
  TAlarmNotifyForm window(*Form);
  window.show();
  window.close();
  EXPECT_EQ(window.Answer(), raClosed);
}

TEST_F(ReminderWindow, TheStripBlinksEveryHalfSecond) {
  TAlarmNotifyForm window(*Form);
  window.show();
  QWidget& strip = Control<QWidget>(window, "pnlClr");
  EXPECT_EQ(strip.height(), 9);
  const QColor first = strip.palette().color(QPalette::Window);
  QTest::qWait(TVpNotificationRules::kBlinkMs + 150);
  EXPECT_NE(strip.palette().color(QPalette::Window), first);
}

TEST_F(ReminderWindow, OpensOnScreenOnTopOfATopmostMainWindowAndWithoutOne) {
  QWidget mainWindow;
  mainWindow.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  mainWindow.show();
  mainWindow.activateWindow();
  for (bool mainShown : {true, false}) {
    SCOPED_TRACE(mainShown ? "main window shown" : "main window hidden");
    mainWindow.setVisible(mainShown);
    TVpDialogPlacement placement;
    placement.Position = mpCustom;
    placement.Left = -5000;  // a screen that is gone
    placement.Top = 9000;
    WhenModalShows<TAlarmNotifyForm>(Guard, [](TAlarmNotifyForm& window) {
      const QRect screen = QApplication::primaryScreen()->availableGeometry();
      EXPECT_TRUE(screen.contains(window.frameGeometry().topLeft()));
      EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
      Control<QPushButton>(window, "SnoozeBtn").click();
    });
    TQtReminderWindow reminder;
    EXPECT_EQ(reminder.Show(*Form, placement), raSnooze);
  }
}

// A reminder answered elsewhere closes its window, answering nothing.
TEST_F(ReminderWindow, AWindowAnsweredElsewhereClosesByItself) {
  bool elsewhere = false;
  Form->AnsweredElsewhere = [&] { return elsewhere; };
  QTimer::singleShot(700, [&] { elsewhere = true; });
  QTimer::singleShot(10'000, [] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TAlarmNotifyForm*>(window)) form->done(QDialog::Rejected);
  });
  TQtReminderWindow window;
  EXPECT_EQ(window.Show(*Form, {}), raClosed);
  EXPECT_TRUE(elsewhere);
}

}  // namespace
