#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/link_listener.h"

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

 private:
  const void* Owner_;
  TVpCustomDataStore* DataStore_ = nullptr;
  std::vector<TVpLinkListener*> Controls_;
  std::string DefaultCountry_;
};
