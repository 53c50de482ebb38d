#pragma once

#include <array>
#include <string>
#include <utility>

#include "platform/assign_if_changed.h"

template <class TRecord>
class TVpRecordList;

// What every planner record carries: the Loading and Changed flags, its position in the collection
// that owns it and ten free text fields.
//
// Loading is set while a record is filled from its table or initialised, so that the filling does
// not count as a change. Setting Changed does nothing while Loading is set; setting it true also
// raises the owning resource's flag for this kind of record (EventsDirty, ContactsDirty,
// TasksDirty), which tells the data store what to post. Clearing Changed leaves that flag alone.
class TVpRecord {
 public:
  static constexpr int kUserFieldCount = 10;

  TVpRecord() = default;
  TVpRecord(const TVpRecord&) = delete;
  TVpRecord& operator=(const TVpRecord&) = delete;
  virtual ~TVpRecord() = default;

  bool Loading() const { return Loading_; }
  void SetLoading(bool value) { Loading_ = value; }
  bool Changed() const { return Changed_; }
  void SetChanged(bool value);
  // Position in the owning collection; -1 until the record is added to one.
  int ListIndex() const { return ListIndex_; }

  // UserField0 to UserField9: free fields, not change-tracked. Raises EVpIndexError for a number
  // outside 0 to 9.
  const std::string& UserField(int number) const;
  void SetUserField(int number, std::string value);

 protected:
  // Raises the owning resource's dirty flag for this kind of record.
  virtual void MarkOwnerDirty() {}
  // Sets Changed even while Loading is set (a resource's Description and Notes do).
  void ForceChanged() { Changed_ = true; }

  // The common setter rule: a differing value is stored and marks the record changed. Returns
  // whether the value was stored.
  template <class T, class U>
  bool Store(T& field, U&& value) {
    if (!AssignIfChanged(field, std::forward<U>(value))) return false;
    SetChanged(true);
    return true;
  }

 private:
  template <class TRecord>
  friend class TVpRecordList;

  bool Loading_ = false;
  bool Changed_ = false;
  int ListIndex_ = -1;
  std::array<std::string, kUserFieldCount> UserFields_;
};
