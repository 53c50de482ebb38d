#pragma once

#include <memory>

class TVpCustomDataStore;
class TVpEvent;

// Finds an event again after a modal window ran. While the window is up the store may reload its
// events (a reminder posting, a change of day) and free the record the window was opened on, so the
// record is never touched through the old reference: an event of the store's active resource is
// looked up again by its RecordID (by identity while it has none).
class TVpEventReference {
 public:
  TVpEventReference(TVpCustomDataStore& store, TVpEvent& event);

  // The event as it is now: itself when the store does not hold it (its owner keeps it), else the
  // active resource's event found again; nullptr when it is gone or the store itself is gone.
  TVpEvent* Find() const;

 private:
  std::weak_ptr<void> StoreAlive_;
  TVpCustomDataStore* Store_;
  TVpEvent* Event_;
  bool HeldByStore_;
  int RecordID_;
};
