#pragma once

#include <string>

#include "dialogs/common/base_dialog.h"
#include "dialogs/task/task_edit_rules.h"

class TVpTask;

// The task window as the task dialog drives it.
class TVpTaskWindow {
 public:
  virtual ~TVpTaskWindow() = default;
  // Shows the form modally with the caption until the user answers; true for OK, and then the
  // form could be written (the window stays open while the due date cannot be read).
  virtual bool Show(TVpTaskEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
                    TVpDialogOptions options) = 0;
};

// The task edit dialog component: edits a task of the store's active resource in the task window
// and, on OK, writes it and posts the tasks. It opens centred, 380 × 341 pixels.
class TVpTaskEditDialog : public TVpBaseDialog {
 public:
  TVpTaskEditDialog();

  // True when the user pressed OK: the task then holds the changes, is marked changed when any
  // field differs (or was already), and the store has posted the tasks and repainted its views.
  // Cancel leaves the task and its Changed flag as they were, so a change made before and not yet
  // posted is still written by the next post. False without a window when there is no task, store
  // or active resource.
  //
  // While the window is up the store may reload its tasks; the changes then go to the store's task
  // with the same RecordID, and nowhere (false) when the task is gone.
  bool Execute(TVpTask* task, const TLocale& locale, TVpTaskWindow& window);
};
