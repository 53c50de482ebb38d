#pragma once

#include <memory>
#include <type_traits>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/event.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "model/task.h"
#include "model/tasks.h"
#include "store/data_store.h"

// Finds a record (an event, a task or a contact) again after a modal window ran. While the window is up the
// store may reload its records (a reminder posting, a change of day) and free the record the window
// was opened on, so the record is never touched through the old reference: a record of the store's
// active resource is looked up again by its RecordID (by identity while it has none).
template <class TRecord>
class TVpRecordReference {
 public:
  TVpRecordReference(TVpCustomDataStore& store, TRecord& record)
      : StoreAlive_(store.Liveness()),
        Store_(&store),
        Record_(&record),
        HeldByStore_(record.Owner() != nullptr && record.Owner() == ActiveCollection(store)),
        RecordID_(record.RecordID()) {}

  // The record as it is now: itself when the store does not hold it (its owner keeps it), else the
  // active resource's record found again; nullptr when it is gone or the store itself is gone.
  TRecord* Find() const {
    if (!HeldByStore_) return Record_;
    if (StoreAlive_.expired()) return nullptr;
    const auto* records = ActiveCollection(*Store_);
    if (records == nullptr) return nullptr;
    if (RecordID_ != -1) return records->FindByRecordID(RecordID_);
    // Without an ID only the very record will do; its address is compared, never followed.
    for (int i = 0; i < records->Count(); ++i)
      if (records->Items(i) == Record_) return Record_;
    return nullptr;
  }

 private:
  // The active resource's collection of such records, or nullptr.
  static auto* ActiveCollection(const TVpCustomDataStore& store) {
    TVpResource* resource = store.ActiveResource();
    if constexpr (std::is_same_v<TRecord, TVpEvent>) return resource != nullptr ? &resource->Schedule() : nullptr;
    else if constexpr (std::is_same_v<TRecord, TVpContact>)
      return resource != nullptr ? &resource->Contacts() : nullptr;
    else return resource != nullptr ? &resource->Tasks() : nullptr;
  }

  std::weak_ptr<void> StoreAlive_;
  TVpCustomDataStore* Store_;
  TRecord* Record_;
  bool HeldByStore_;
  int RecordID_;
};
