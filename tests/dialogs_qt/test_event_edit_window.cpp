#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <stdexcept>
#include <string>

#include "dialogs/qt/dlg_event_edit.h"
#include "model/enumerations.h"
#include "model/schedule.h"
#include "platform/qt/command_guard.h"
#include "tests/dialogs/event/event_form_fixture.h"
#include "tests/dialogs_qt/window_controls.h"
#include "views/qt/date_edit_widget.h"
#include "views/qt/spin_text_edit.h"

namespace {

void Choose(QComboBox& box, const char* text) { box.setCurrentIndex(box.findText(text)); }

// Failures the window would show in a message box are collected instead.
class TCollectedErrors {
 public:
  TCollectedErrors() {
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
  }
  ~TCollectedErrors() { SetErrorHandler(nullptr); }
  std::vector<std::string> Errors;
};

// The event window over the form of an event 10 May 2024 10:00 - 11:00.
class EventWindow : public EventFormTest, protected TCollectedErrors {};

TEST_F(EventWindow, ControlsShowTheFormAndPassTheUsersChangesToItsRules) {
  Open([](TVpEvent&) {});
  TDlgEventEdit window(Form);
  QComboBox& start = Control<QComboBox>(window, "StartTime");
  EXPECT_EQ(start.count(), 49);
  EXPECT_EQ(start.currentText(), "10:00");
  EXPECT_EQ(Control<QComboBox>(window, "EndTime").currentText(), "11:00");
  EXPECT_EQ(Control<QComboBox>(window, "Category").currentText(), "Category 0");

  Choose(start, "11:00");
  EXPECT_EQ(start.currentText(), "10:30");

  Control<QCheckBox>(window, "CBAllDay").setChecked(true);
  for (const char* name : {"StartTime", "EndTime", "lblFrom", "lblTo"})
    EXPECT_FALSE(Control<QWidget>(window, name).isEnabled()) << name;
  for (const char* name : {"StartDate", "StartTimeLbl", "EndDate", "EndDateLbl"})
    EXPECT_TRUE(Control<QWidget>(window, name).isEnabled()) << name;
  EXPECT_TRUE(Control<QWidget>(window, "EndDate").isVisibleTo(&window));

  QGroupBox& interval = Control<QGroupBox>(window, "pnlInterval");
  EXPECT_FALSE(interval.isVisibleTo(&window));
  Choose(Control<QComboBox>(window, "RecurringType"), "Custom");
  EXPECT_TRUE(interval.isVisibleTo(&window));
  EXPECT_EQ(Control<TVpDateEditWidget>(window, "RepeatUntil").text(), "") << "no end";

  TVpSpinTextEdit& advance = Control<TVpSpinTextEdit>(window, "AlarmAdvance");
  EXPECT_FALSE(advance.isEnabled());
  Control<QGroupBox>(window, "AlarmSet").setChecked(true);
  EXPECT_TRUE(advance.isEnabled());
  advance.stepBy(2);
  EXPECT_EQ(advance.text(), "17");

  window.ChooseSound = [](const std::string& current) {
    return current.empty() ? std::optional<std::string>("/snd/bell.wav") : std::nullopt;
  };
  QToolButton& sound = Control<QToolButton>(window, "SpeedButton1");
  sound.click();
  EXPECT_EQ(Form.SoundFile(), "/snd/bell.wav");
  EXPECT_EQ(sound.toolTip(), "/snd/bell.wav");
  EXPECT_TRUE(Errors.empty());
}

TEST_F(EventWindow, OkWithADateThatCannotBeReadKeepsTheWindowOpenAndMarksTheField) {
  Open([](TVpEvent&) {});
  TDlgEventEdit window(Form);
  window.show();
  TVpDateEditWidget& date = Control<TVpDateEditWidget>(window, "StartDate");
  date.selectAll();
  QTest::keyClicks(&date, "5/45/2024");
  Control<QPushButton>(window, "OkBtn").click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_TRUE(date.styleSheet().contains("rgb(255, 0, 0)"));
  EXPECT_EQ(date.toolTip(), "Error: Day is required.");
  // Put right, the mark goes when the field is left, and OK closes the window.
  date.selectAll();
  QTest::keyClicks(&date, "5/14/2024");
  QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&date, &leaving);
  EXPECT_TRUE(date.styleSheet().isEmpty());
  Control<QPushButton>(window, "OkBtn").click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(EventWindow, CancelIsNotHeldUpByADateBeingTyped) {
  Open([](TVpEvent&) {});
  TDlgEventEdit window(Form);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  TVpDateEditWidget& date = Control<TVpDateEditWidget>(window, "StartDate");
  date.setFocus();
  date.selectAll();
  QTest::keyClicks(&date, "5/45");
  QTest::mouseClick(&Control<QPushButton>(window, "CancelBtn"), Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(Errors.empty());
}

// A Monday-Wednesday-Friday series made with the rule editor's controls.
TEST_F(EventWindow, TheRuleEditorMakesAWeeklyRuleOfSeveralDays) {
  Open([](TVpEvent&) {});  // Friday 10 May 2024
  TDlgEventEdit window(Form);
  QWidget& panel = Control<QWidget>(window, "RulePanel");
  EXPECT_FALSE(panel.isVisibleTo(&window));
  Choose(Control<QComboBox>(window, "RecurringType"), "Custom rule");
  EXPECT_TRUE(panel.isVisibleTo(&window));
  EXPECT_FALSE(Control<QWidget>(window, "RuleMonthly").isVisibleTo(&window));
  EXPECT_EQ(Control<QComboBox>(window, "RuleUnit").currentText(), "weeks");
  EXPECT_TRUE(Control<QCheckBox>(window, "RuleWeekday6").isChecked()) << "the start's Friday";
  EXPECT_EQ(Control<QLabel>(window, "RuleEveryLbl").buddy(), &Control<QWidget>(window, "RuleInterval"));
  Control<QCheckBox>(window, "RuleWeekday2").click();
  Control<QCheckBox>(window, "RuleWeekday4").click();
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRule(), "FREQ=WEEKLY;BYDAY=MO,WE,FR");

  // Shown again in the editor; a monthly rule shows its own controls.
  Reopen();
  TDlgEventEdit again(Form);
  EXPECT_EQ(Control<QComboBox>(again, "RecurringType").currentText(), "Custom rule");
  EXPECT_TRUE(Control<QCheckBox>(again, "RuleWeekday4").isChecked());
  EXPECT_FALSE(Control<QCheckBox>(again, "RuleWeekday3").isChecked());
  Choose(Control<QComboBox>(again, "RuleUnit"), "months");
  Choose(Control<QComboBox>(again, "RuleMonthly"), "On the");
  Choose(Control<QComboBox>(again, "RulePosition"), "last");
  EXPECT_FALSE(Control<QWidget>(again, "RuleWeekdays").isVisibleTo(&again));
  EXPECT_TRUE(Control<QWidget>(again, "RuleWeekday").isVisibleTo(&again));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRule(), "FREQ=MONTHLY;BYDAY=-1FR");
  EXPECT_TRUE(Errors.empty());
}

// The exceptions list: Remove takes the chosen one out; a changed occurrence's cannot be.
TEST_F(EventWindow, AnExceptionIsRemovedFromTheList) {
  MakeEvent([](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetExceptionDates("20240517T100000,20240524T100000");
  });
  Form.Fill(*Event, false, Categories, {{At(2024, 5, 24, 10)}});
  TDlgEventEdit window(Form);
  window.show();
  QListWidget& list = Control<QListWidget>(window, "ExceptionList");
  QPushButton& remove = Control<QPushButton>(window, "RemoveExceptionBtn");
  EXPECT_EQ(Control<QLabel>(window, "ExceptionsLbl").buddy(), &list);
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.item(1)->text(), "5/24/2024 10:00 (changed)");
  list.setCurrentRow(1);
  EXPECT_FALSE(remove.isEnabled());
  list.setCurrentRow(0);
  EXPECT_TRUE(remove.isEnabled());
  remove.setFocus();
  QTest::keyClick(&remove, Qt::Key_Space);
  ASSERT_EQ(list.count(), 1);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->ExceptionDates(), "20240524T100000");
  EXPECT_TRUE(Errors.empty());
}

// --- the dialog component over the program's store ---

class EventDialog : public ::testing::Test, protected TPlannerFixture, protected TCollectedErrors {
 protected:
  EventDialog() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialog.SetDataStore(&Store());
  }

  // An event of the store, posted and marked unchanged.
  TVpEvent& StoredEvent(const std::function<void(TVpEvent&)>& setup) {
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
    setup(*event);
    event->SetChanged(true);
    Store().PostEvents();
    event->SetChanged(false);
    return *event;
  }
  // Runs the dialog; the user's work happens in the window once it is up.
  bool Execute(TVpEvent& event, const std::function<void(TDlgEventEdit&)>& user) {
    WhenModalShows<TDlgEventEdit>(Guard, [&](TDlgEventEdit& window) {
      Caption = window.windowTitle().toStdString();
      user(window);
    });
    return Dialog.Execute(event, false, Locale, Window);
  }
  static void ClickOk(TDlgEventEdit& window) { Control<QPushButton>(window, "OkBtn").click(); }

  TEnglishLocale Locale;
  TVpEventEditDialog Dialog;
  TQtEventWindow Window{Sound, Timers};
  std::string Caption;
  QObject Guard;
};

TEST_F(EventDialog, OpenAndOkLeaveAnEventOfTheStoreUnchanged) {
  Store().CategoryColorMap().Category(3)->SetDescription("");
  TVpEvent& event = StoredEvent([](TVpEvent& e) {
    e.SetDescription("Late call");
    e.SetStartTime(At(2024, 5, 10, 22, 15));
    e.SetEndTime(At(2024, 5, 11));
    e.SetCategory(5);
    e.SetNotes("line one\r\nline two");
    e.SetLocation("Room 4");
    e.SetRepeatCode(rcCustom);
    e.SetCustomInterval(3);
    e.SetRepeatRangeEnd(At(2024, 6, 1));
  });
  const std::string before = Snapshot(event);
  EXPECT_TRUE(Execute(event, [](TDlgEventEdit& window) {
    EXPECT_EQ(Control<QComboBox>(window, "StartTime").currentText(), "22:15");
    EXPECT_EQ(Control<QComboBox>(window, "EndTime").currentText(), "23:59");
    EXPECT_EQ(Control<QComboBox>(window, "Category").currentText(), "Category 5");
    ClickOk(window);
  }));
  EXPECT_EQ(Caption, "Late call - Event");
  EXPECT_EQ(Snapshot(event), before);
  EXPECT_FALSE(event.Changed());
}

// The location sits under the subject, one Tab further, and goes to the event on OK.
TEST_F(EventDialog, TheLocationIsShownAndEditedFromTheKeyboard) {
  TVpEvent& event = StoredEvent([](TVpEvent& e) {
    e.SetDescription("Review");
    e.SetLocation("Room 4");
  });
  EXPECT_TRUE(Execute(event, [](TDlgEventEdit& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit& subject = Control<QLineEdit>(window, "DescriptionEdit");
    QLineEdit& location = Control<QLineEdit>(window, "LocationEdit");
    EXPECT_EQ(location.text(), "Room 4");
    EXPECT_EQ(Control<QLabel>(window, "LocationLbl").buddy(), &location);
    subject.setFocus();
    QTest::keyClick(&subject, Qt::Key_Tab);
    EXPECT_TRUE(location.hasFocus());
    location.selectAll();
    QTest::keyClicks(&location, "Hall B & Garden");
    ClickOk(window);
  }));
  EXPECT_EQ(event.Location(), "Hall B & Garden");
  EXPECT_EQ(event.Description(), "Review");
}

// The dialog finds the series' changed occurrences among the store's events: their exceptions stay.
TEST_F(EventDialog, TheExceptionOfAChangedOccurrenceCannotBeRemoved) {
  TVpEvent& series = StoredEvent([](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetExceptionDates("20240517T100000,20240524T100000");
  });
  const int seriesID = series.RecordID();
  StoredEvent([&](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 24, 15));
    e.SetEndTime(At(2024, 5, 24, 16));
    e.SetSeriesID(seriesID);
    e.SetOriginalStart(At(2024, 5, 24, 10));
  });
  EXPECT_TRUE(Execute(series, [](TDlgEventEdit& window) {
    QListWidget& list = Control<QListWidget>(window, "ExceptionList");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "5/17/2024 10:00");
    EXPECT_EQ(list.item(1)->text(), "5/24/2024 10:00 (changed)");
    for (int row : {1, 0}) {
      list.setCurrentRow(row);
      Control<QPushButton>(window, "RemoveExceptionBtn").click();
    }
    ClickOk(window);
  }));
  EXPECT_EQ(series.ExceptionDates(), "20240524T100000");
}

TEST_F(EventDialog, EscapeCancelsWithoutTouchingTheEvent) {
  TVpEvent& event = StoredEvent([](TVpEvent& e) {
    e.SetAlarmSet(true);
    e.SetSnoozeTime(At(2024, 5, 10, 9, 50));
  });
  const std::string before = Snapshot(event);
  EXPECT_FALSE(Execute(event, [](TDlgEventEdit& window) {
    Control<QLineEdit>(window, "DescriptionEdit").setText("changed");
    QTest::keyClick(&window, Qt::Key_Escape);
  }));
  EXPECT_EQ(Caption, "Untitled - Event");
  EXPECT_EQ(Snapshot(event), before);
  EXPECT_FALSE(event.Changed());
}

TEST_F(EventDialog, ChangesGoToTheEventFoundAgainAfterAReload) {
  TVpEvent& event = StoredEvent([](TVpEvent&) {});
  const int id = event.RecordID();
  EXPECT_TRUE(Execute(event, [this](TDlgEventEdit& window) {
    Store().ReloadEvents();
    QTest::keyClicks(&Control<QLineEdit>(window, "DescriptionEdit"), "Moved");
    ClickOk(window);
  }));
  TVpEvent* reloaded = Store().ActiveResource()->Schedule().FindByRecordID(id);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->Description(), "Moved");
}

TEST_F(EventDialog, AnEventRemovedMeanwhileIsNotWrittenAndTheUserIsTold) {
  TVpEvent& event = StoredEvent([](TVpEvent&) {});
  EXPECT_FALSE(Execute(event, [&](TDlgEventEdit& window) {
    event.SetDeleted(true);
    Store().PostEvents();
    Store().ReloadEvents();
    ClickOk(window);
  }));
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "The event was removed while it was being edited; the changes were not saved.");
}

TEST_F(EventDialog, ADialogWithoutAStoreSaysSo) {
  TVpEventEditDialog alone;
  TVpEvent event;
  EXPECT_THROW(alone.Execute(event, false, Locale, Window), EVpException);
}

}  // namespace
