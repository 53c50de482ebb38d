#pragma once

#include "dialogs/common/base_dialog.h"
#include "dialogs/resource/resource_edit_rules.h"

// The resource edit window as the resource dialog drives it.
class TVpResourceEditWindow {
 public:
  virtual ~TVpResourceEditWindow() = default;
  // Shows the form modally until the user answers; true when OK accepted it (TVpResourceEditRules::PressOk
  // said so). An OK without a change, and Cancel, give false.
  virtual bool Show(TVpResourceEditRules& form, const TVpDialogPlacement& placement, TVpDialogOptions options) = 0;
};

// The resource edit dialog component: adds a resource to the store, or edits the active one, in
// the resource edit window, and writes what was accepted to the Resources table at once. It opens
// centred, 400 × 250 pixels, and can be resized.
class TVpResourceEditDialog : public TVpBaseDialog {
 public:
  TVpResourceEditDialog();

  // A new resource, made only once the window was accepted, so that a cancelled one leaves nothing
  // behind. It is posted with the next resource ID, the resources are read again, and it becomes
  // the active resource; true. False without a store, or when the window was not accepted. A post
  // that fails takes the new resource out of the list again and raises.
  bool AddResource(TVpResourceEditWindow& window);
  // The active resource's description and notes; when accepted they are posted at once; true.
  // False without a store or active resource, when not accepted, or when the resource was removed
  // while the window was up (the user is told).
  bool EditResource(TVpResourceEditWindow& window);
};
