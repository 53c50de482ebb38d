#include "store/control_link.h"

#include <algorithm>

TVpControlLink::~TVpControlLink() {
  std::vector<TVpLinkableControl*> own;
  for (TVpLinkableControl* control : Controls_)
    if (control->Owner() == Owner_) own.push_back(control);
  for (TVpLinkableControl* control : own) DetachControl(control);
  while (!Controls_.empty()) DetachControl(Controls_.front());
}

void TVpControlLink::AttachControl(TVpLinkableControl* control) {
  if (control == nullptr || std::find(Controls_.begin(), Controls_.end(), control) != Controls_.end()) return;
  Controls_.push_back(control);
}

void TVpControlLink::DetachControl(TVpLinkableControl* control) {
  std::erase(Controls_, control);
  if (control != nullptr && control->ControlLink_ == this) control->ControlLink_ = nullptr;
}

void TVpControlLink::NotifyLinked(TVpLinkableControl* sender, TVpNotificationKind kind, double value) {
  // A view may attach or leave while it handles the notification: go over a copy, skipping views
  // that left meanwhile.
  const std::vector<TVpLinkableControl*> controls = Controls_;
  for (TVpLinkableControl* control : controls) {
    if (control == sender) continue;
    if (std::find(Controls_.begin(), Controls_.end(), control) == Controls_.end()) continue;
    control->HandleLinkNotification(sender, kind, value);
  }
}
