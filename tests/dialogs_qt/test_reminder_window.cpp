#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

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

}  // namespace
