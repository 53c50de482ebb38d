#pragma once

#include <string>

#include "dialogs/common/base_dialog.h"
#include "dialogs/event/event_edit_rules.h"

class TVpEvent;

// The event window as the event dialog drives it.
class TVpEventWindow {
 public:
  virtual ~TVpEventWindow() = default;
  // Shows the rules' state modally with the caption until the user answers; true for OK, and then
  // the rules can write every field (the window stays open while one cannot be read).
  virtual bool Show(TVpEventEditRules& rules, const std::string& caption, const TVpDialogPlacement& placement,
                    TVpDialogOptions options) = 0;
};

// The event edit dialog component: lets the user edit an event in the event window and, on OK,
// writes the window's fields into the event. It opens centred across the screen, a third of the
// way down.
class TVpEventEditDialog : public TVpBaseDialog {
 public:
  TVpEventEditDialog();

  // Lets the user edit the event (times in 12-hour form when asked, dates in the locale's form);
  // true when OK was pressed and the event holds the changes. The category colours and the clock
  // come from DataStore, which must be set (EVpException otherwise).
  //
  // While the window is up the store may reload its events; the changes then go to the store's
  // record with the event's RecordID, and callers must look their record up again the same way.
  // When the event is gone meanwhile, the user is told and nothing is written (false).
  bool Execute(TVpEvent& event, bool twelveHour, const TLocale& locale, TVpEventWindow& window);
};
