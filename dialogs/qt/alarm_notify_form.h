#pragma once

#include <QDialog>

#include "dialogs/reminder/notification_dialog.h"

class QComboBox;
class TDesktopNotifications;
class QPushButton;
class QTimer;
class QWidget;

// The reminder window: the blinking strip, the event's subject and notes, the snooze delays and
// the three answers. It holds no rules of its own; the form gives the texts and what the answers
// mean. Escape snoozes; closing it by its window button answers nothing.
//
// The form must outlive the window.
class TAlarmNotifyForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAlarmNotifyForm(TVpNotificationRules& form, QWidget* parent = nullptr);

  // How the user left the window; raClosed until an answer was given.
  TVpReminderAnswer Answer() const { return Answer_; }
  // Answers as the button would, from the desktop's notification: "snooze" (by five minutes),
  // "dismiss", or "default" (open the item); other keys are ignored.
  void AnswerFromNotification(const QString& actionKey);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Build();
  void Blink();
  void Give(TVpReminderAnswer answer);

  TVpNotificationRules& Form_;
  TVpReminderAnswer Answer_ = raClosed;
  QWidget* PnlClr_ = nullptr;
  QComboBox* SnoozeCombo_ = nullptr;
  QTimer* BlinkTimer_ = nullptr;
};

// Shows reminders in the reminder window: always on top, also while the main window is hidden,
// and modal, so the other windows take no input until it is answered.
// With notifications, each reminder also goes to the desktop's notification service while its
// window is up; an answer on either closes both.
class TQtReminderWindow : public TVpReminderWindow {
 public:
  explicit TQtReminderWindow(TDesktopNotifications* notifications = nullptr) : Notifications_(notifications) {}
  TVpReminderAnswer Show(TVpNotificationRules& form, const TVpDialogPlacement& placement) override;

 private:
  TDesktopNotifications* Notifications_;
};
