#pragma once

#include <string>

#include "dialogs/common/dialog_placement.h"

class TVpControlLink;
class TVpCustomDataStore;

// What a dialog component may be asked to do; a set of these is a bit mask of 1 << value.
enum TVpDialogOption {
  doSizeable = 0,  // the user may resize the window
};
using TVpDialogOptions = unsigned;
constexpr TVpDialogOptions DialogOption(TVpDialogOption option) { return 1u << option; }

// The base of the edit dialogs. A dialog component builds its window for one execute call, shows it
// modally and reports whether the user confirmed it; the window is gone afterwards, so the component
// can be executed again and again.
class TVpBaseDialog {
 public:
  virtual ~TVpBaseDialog() = default;

  // The store whose active resource and category colours the dialog uses.
  TVpCustomDataStore* DataStore() const { return DataStore_; }
  void SetDataStore(TVpCustomDataStore* store) { DataStore_ = store; }
  TVpControlLink* ControlLink() const { return ControlLink_; }
  void SetControlLink(TVpControlLink* link) { ControlLink_ = link; }
  TVpDialogOptions Options() const { return Options_; }
  void SetOptions(TVpDialogOptions value) { Options_ = value; }
  TVpDialogPlacement& Placement() { return Placement_; }
  const TVpDialogPlacement& Placement() const { return Placement_; }

 protected:
  // The store, which the dialog cannot do without; raises EVpException naming the dialog when none
  // is set.
  TVpCustomDataStore& RequiredDataStore(const std::string& dialogKind) const;

 private:
  TVpCustomDataStore* DataStore_ = nullptr;
  TVpControlLink* ControlLink_ = nullptr;
  TVpDialogOptions Options_ = 0;
  TVpDialogPlacement Placement_;
};

// The caption of a dialog window: the record's name, " - " and the kind of record; "Untitled"
// stands for an empty name.
std::string DialogCaption(const std::string& name, const std::string& kind);
