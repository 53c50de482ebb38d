#pragma once

#include "dialogs/common/base_dialog.h"
#include "dialogs/reminder/notification_rules.h"
#include "model/enumerations.h"

class TVpEditDialogs;
class TVpEvent;

// The reminder window as the reminder dialog drives it.
class TVpReminderWindow {
 public:
  virtual ~TVpReminderWindow() = default;
  // Shows the form, always on top and modal, until the user answers; the form then holds the
  // snooze delay the user chose.
  virtual TVpReminderAnswer Show(TVpNotificationRules& form, const TVpDialogPlacement& placement) = 0;
};

// The reminder dialog component: shows the reminder of one due event and writes the answer to the
// events file at once. It opens centred, 273 pixels wide, on the desktop's tool-tip colour.
class TVpNotificationDialog : public TVpBaseDialog {
 public:
  TVpNotificationDialog();

  TColor BackgroundColor() const { return BackgroundColor_; }
  void SetBackgroundColor(TColor value) { BackgroundColor_ = value; }
  // The event window "Open Item" opens; without one the answer leaves the event as it is.
  void SetEditDialogs(TVpEditDialogs* dialogs) { EditDialogs_ = dialogs; }
  // The program's time format, in which the window gives the event's times and Open Item's event
  // window shows them; 12-hour unless set.
  TVpTimeFormat TimeFormat() const { return TimeFormat_; }
  void SetTimeFormat(TVpTimeFormat value) { TimeFormat_ = value; }

  // Shows the event's reminder in the window until the user answers, and gives the event the
  // answer: Snooze, Dismiss, or Open Item, which edits the event in the event window (times in
  // the time format) of the edit dialogs. The store posts the events when the event changed.
  // Nothing happens without an event or while its reminder window is already open (its
  // AlertDisplayed flag, which is set while the window is up and cleared however it ends).
  //
  // While the window is up the store may reload its events and free this one: the answer then goes
  // to the store's event with the same RecordID, or nowhere when the event is gone. DataStore must
  // be set (EVpException otherwise).
  void Execute(TVpEvent* event, const TLocale& locale, TVpReminderWindow& window);

 private:
  TColor BackgroundColor_ = clInfoBk;
  TVpEditDialogs* EditDialogs_ = nullptr;
  TVpTimeFormat TimeFormat_ = tf12Hour;
};
