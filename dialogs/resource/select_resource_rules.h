#pragma once

#include "dialogs/resource/resource_edit_dialog.h"
#include "views/resource_combo.h"

class TVpCustomDataStore;
class TVpSelectResourceRules;

// The resource selection window as CheckResourceSelected drives it.
class TVpSelectResourceWindow {
 public:
  virtual ~TVpSelectResourceWindow() = default;
  // Shows the form modally; true when the user closed it with OK, false for Cancel.
  virtual bool Show(TVpSelectResourceRules& form) = 0;
};

// What the selection window does, without the window: its resource list follows the store and
// makes the chosen resource active at once; "Add New Resource" and "Edit This Resource" run the
// window's own resource edit dialog on the same store, so what they do stays done whether the
// selection window ends with OK or Cancel.
class TVpSelectResourceRules {
 public:
  TVpSelectResourceRules(TVpCustomDataStore& store, TVpResourceEditWindow& editWindow);

  TVpResourceCombo& ResourceList() { return ResourceList_; }
  bool AddNewResource() { return EditDialog_.AddResource(EditWindow_); }
  bool EditThisResource() { return EditDialog_.EditResource(EditWindow_); }

 private:
  TVpResourceCombo ResourceList_;
  TVpResourceEditDialog EditDialog_;
  TVpResourceEditWindow& EditWindow_;
};

// Shows the selection window over the store's resources; true when it was closed with OK and a
// resource is active then, so that a caller never goes on without one.
bool ShowResourceSelection(TVpCustomDataStore& store, TVpSelectResourceWindow& window,
                           TVpResourceEditWindow& editWindow);
