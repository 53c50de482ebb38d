#pragma once

#include "dialogs/common/base_dialog.h"
#include "platform/qt/qt_locale.h"

class TVpEvent;

// The event edit dialog component: of the three event-editing classes, the one a caller uses (the
// rules are TVpEventEditForm, the Qt window TDlgEventEdit). It builds the event window for one
// call, shows it modally over the active window and, on OK, writes the window's fields into the
// event. It opens centred across the screen, a third of the way down.
class TVpEventEditDialog : public TVpBaseDialog {
 public:
  TVpEventEditDialog();

  // The locale of the date fields; the desktop's unless set. It must outlive the dialog.
  const TLocale& Locale() const { return Locale_ != nullptr ? *Locale_ : DesktopLocale_; }
  void SetLocale(const TLocale* locale) { Locale_ = locale; }

  // Lets the user edit the event (times in 12-hour form when asked); true when OK was pressed and
  // the event holds the changes. The category colours and the clock come from DataStore, which
  // must be set (EVpException otherwise).
  //
  // While the window is up the store may reload its events; the changes then go to the store's
  // record with the event's RecordID, and callers must look their record up again the same way.
  // When the event is gone meanwhile, the user is told and nothing is written (false).
  bool Execute(TVpEvent& event, bool twelveHour);

 private:
  TQtLocale DesktopLocale_;
  const TLocale* Locale_ = nullptr;
};
