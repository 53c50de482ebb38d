#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/event/event_edit_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TVpDateEditWidget;
class TSoundPlayer;
class TTimerFactory;
class TVpSpinTextEdit;

// The event window: of the three event-editing classes, the Qt window (the rules are
// TVpEventEditRules, the component a caller uses TVpEventEditDialog). It holds no rules of its own:
// every change the user makes goes to the form's rule for it, and then every control shows the
// form's state again (texts, lists, selections, enabled and shown controls, red marks, the focus
// the form asks for). OK closes the window only when the form can write every field. The controls carry the names the
// rules use (DescriptionEdit, StartTime, RepeatUntil, ...).
//
// The form must outlive the window.
class TDlgEventEdit : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgEventEdit(TVpEventEditRules& form, QWidget* parent = nullptr);

  // Shows the form's state in every control.
  void Refresh();

  // Chooses the reminder's sound file starting from the current one ("" for the default sound);
  // nothing when the user gave up. The sound button does nothing without it.
  std::function<std::optional<std::string>(const std::string& current)> ChooseSound;

 public slots:
  void done(int result) override;

 private:
  void Build();
  QGroupBox* BuildAppointment();
  QGroupBox* BuildReminder();
  QGroupBox* BuildRecurrence();
  QWidget* BuildRulePanel(QWidget* parent);
  QWidget* BuildExceptions(QWidget* parent);
  void RefreshRule();
  void RefreshExceptions();
  void ConnectControls();
  // Runs a rule of the form for a user action, then shows the new state.
  void Act(const std::function<void()>& rule);
  void Confirm();
  void ChooseSoundFile();
  // The widgets that stand for a control (with its label).
  std::vector<QWidget*> WidgetsOf(TVpEventControl control) const;
  void ShowMarks();

  TVpEventEditRules& Form_;
  QLineEdit* DescriptionEdit_ = nullptr;
  QLineEdit* LocationEdit_ = nullptr;
  QComboBox* Category_ = nullptr;
  QCheckBox* CBAllDay_ = nullptr;
  QLabel* StartTimeLbl_ = nullptr;
  TVpDateEditWidget* StartDate_ = nullptr;
  QLabel* LblFrom_ = nullptr;
  QComboBox* StartTime_ = nullptr;
  QLabel* LblTo_ = nullptr;
  QComboBox* EndTime_ = nullptr;
  QLabel* EndDateLbl_ = nullptr;
  TVpDateEditWidget* EndDate_ = nullptr;
  QGroupBox* AlarmSet_ = nullptr;
  TVpSpinTextEdit* AlarmAdvance_ = nullptr;
  QComboBox* AlarmAdvType_ = nullptr;
  QToolButton* SpeedButton1_ = nullptr;
  QComboBox* RecurringType_ = nullptr;
  QLabel* RecurrenceEndsLbl_ = nullptr;
  TVpDateEditWidget* RepeatUntil_ = nullptr;
  QGroupBox* PnlInterval_ = nullptr;
  QLabel* RuleWords_ = nullptr;
  QComboBox* TimeZone_ = nullptr;
  TVpSpinTextEdit* IntervalEdit_ = nullptr;
  // The rule editor.
  QWidget* RulePanel_ = nullptr;
  QLabel* RuleEveryLbl_ = nullptr;
  TVpSpinTextEdit* RuleInterval_ = nullptr;
  QComboBox* RuleUnit_ = nullptr;
  QWidget* RuleWeekdays_ = nullptr;
  std::vector<QCheckBox*> RuleWeekdayBoxes_;  // in the locale's week order; the weekday as property
  QComboBox* RuleMonthly_ = nullptr;
  QComboBox* RuleMonthDay_ = nullptr;
  QComboBox* RulePosition_ = nullptr;
  QComboBox* RuleWeekday_ = nullptr;
  QLabel* RuleCountLbl_ = nullptr;
  TVpSpinTextEdit* RuleCount_ = nullptr;
  QLabel* RuleTimesLbl_ = nullptr;
  // The series' exceptions.
  QWidget* ExceptionsPanel_ = nullptr;
  QListWidget* ExceptionList_ = nullptr;
  QPushButton* RemoveExceptionBtn_ = nullptr;
  QPlainTextEdit* NotesMemo_ = nullptr;
  QPushButton* OkBtn_ = nullptr;
  QPushButton* CancelBtn_ = nullptr;
};

// The event window for the event dialog: the window over the active window, its sound button
// choosing with the sound finder.
class TQtEventWindow : public TVpEventWindow {
 public:
  TQtEventWindow(TSoundPlayer& sound, TTimerFactory& timers) : Sound_(sound), Timers_(timers) {}
  bool Show(TVpEventEditRules& rules, const std::string& caption, const TVpDialogPlacement& placement,
            TVpDialogOptions options) override;

 private:
  TSoundPlayer& Sound_;
  TTimerFactory& Timers_;
};
