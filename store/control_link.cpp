#include "store/control_link.h"

#include <algorithm>
#include <filesystem>

TVpControlLink::~TVpControlLink() {
  std::vector<TVpLinkListener*> own;
  for (TVpLinkListener* control : Controls_)
    if (control->Owner() == Owner_) own.push_back(control);
  for (TVpLinkListener* control : own) DetachControl(control);
  while (!Controls_.empty()) DetachControl(Controls_.front());
}

void TVpControlLink::AttachControl(TVpLinkListener* control) {
  if (control == nullptr || std::find(Controls_.begin(), Controls_.end(), control) != Controls_.end()) return;
  Controls_.push_back(control);
}

void TVpControlLink::DetachControl(TVpLinkListener* control) {
  std::erase(Controls_, control);
  if (control != nullptr) control->ControlLinkReleased(this);
}

void TVpControlLink::NotifyLinked(TVpLinkListener* sender, TVpNotificationKind kind, double value) {
  // A view may attach or leave while it handles the notification: go over a copy, skipping views
  // that left meanwhile.
  const std::vector<TVpLinkListener*> controls = Controls_;
  for (TVpLinkListener* control : controls) {
    if (control == sender) continue;
    if (std::find(Controls_.begin(), Controls_.end(), control) == Controls_.end()) continue;
    control->LinkNotified(sender, kind, value);
  }
}

void TVpControlLink::SetLocalizationFile(const std::string& fileName) {
  if (fileName.empty() || fileName == LocalizationFile_) return;
  LocalizationFile_ = fileName;
  std::error_code error;
  if (std::filesystem::exists(fileName, error)) {
    Localization_.LoadFromFile(fileName, false);
    return;
  }
  Localization_ = TVpLocalization();
  if (OnNoLocalizationFile_) OnNoLocalizationFile_(*this);
}
