#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/link_listener.h"
#include "xml/localization.h"

// Joins a data store and the views that show it: views attached to one link keep their dates in
// step through it, and printing finds the views to print through it.
class TVpControlLink {
 public:
  explicit TVpControlLink(const void* owner = nullptr) : Owner_(owner) {}
  // Detaches every view: first those of its own window, then the rest.
  ~TVpControlLink();
  TVpControlLink(const TVpControlLink&) = delete;
  TVpControlLink& operator=(const TVpControlLink&) = delete;

  const void* Owner() const { return Owner_; }
  TVpCustomDataStore* DataStore() const { return DataStore_; }
  void SetDataStore(TVpCustomDataStore* store) { DataStore_ = store; }

  // Appends the view unless it is attached already.
  void AttachControl(TVpLinkListener* control);
  // Removes the view and clears its link.
  void DetachControl(TVpLinkListener* control);
  const std::vector<TVpLinkListener*>& Controls() const { return Controls_; }

  // Passes the notification to every attached view but the sender, in the order they attached.
  void NotifyLinked(TVpLinkListener* sender, TVpNotificationKind kind, double value);

  // The country the contact dialogs offer first.
  const std::string& DefaultCountry() const { return DefaultCountry_; }
  void SetDefaultCountry(const std::string& value) { DefaultCountry_ = value; }

  // The countries, states and languages the contact dialogs use, read from LocalizationFile.
  const TVpLocalization& Localization() const { return Localization_; }
  const std::string& LocalizationFile() const { return LocalizationFile_; }
  // A new, non-empty name reads that file at once, replacing the tables; when the file does not
  // exist the tables are emptied and OnNoLocalizationFile runs. A file with an error keeps what
  // was read before it, and Localization().LoadError() says what went wrong.
  void SetLocalizationFile(const std::string& fileName);
  using TNotifyEvent = std::function<void(TVpControlLink& sender)>;
  void SetOnNoLocalizationFile(TNotifyEvent handler) { OnNoLocalizationFile_ = std::move(handler); }

 private:
  const void* Owner_;
  TVpCustomDataStore* DataStore_ = nullptr;
  std::vector<TVpLinkListener*> Controls_;
  std::string DefaultCountry_;
  TVpLocalization Localization_;
  std::string LocalizationFile_;
  TNotifyEvent OnNoLocalizationFile_;
};
