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

// Finding a record (an event, a task or a contact) again after anything that may have reloaded the
// store: a modal window, a reminder posting, a change of day, another writer's change. The record
// is never touched through an old reference: the store's active resource's record is looked up
// again by its RecordID (by identity while it has none, comparing the address and never following
// it).

// The active resource's collection of the records of the kind, or nullptr.
template <class TRecord>
auto* ActiveCollectionOf(const TVpCustomDataStore& store) {
  TVpResource* resource = store.ActiveResource();
  if constexpr (std::is_same_v<TRecord, TVpEvent>) return resource != nullptr ? &resource->Schedule() : nullptr;
  else if constexpr (std::is_same_v<TRecord, TVpContact>) return resource != nullptr ? &resource->Contacts() : nullptr;
  else return resource != nullptr ? &resource->Tasks() : nullptr;
}

// The active resource's record with the RecordID, or (an ID of -1) the very record at identity;
// nullptr without a store or when the record is gone.
template <class TRecord>
TRecord* FindRecordAgain(const TVpCustomDataStore* store, const TRecord* identity, int recordID) {
  if (store == nullptr || identity == nullptr) return nullptr;
  const auto* records = ActiveCollectionOf<TRecord>(*store);
  if (records == nullptr) return nullptr;
  if (recordID != -1) return records->FindByRecordID(recordID);
  for (int i = 0; i < records->Count(); ++i)
    if (records->Items(i) == identity) return records->Items(i);
  return nullptr;
}

// A record kept across such calls, found again by Find; nothing is found once the store is gone.
// A record the store does not hold (its owner keeps it) is itself.
template <class TRecord>
class TVpRecordHandle {
 public:
  TVpRecordHandle(TVpCustomDataStore& store, TRecord& record)
      : StoreAlive_(store.Liveness()),
        Store_(&store),
        Record_(&record),
        HeldByStore_(record.Owner() != nullptr && record.Owner() == ActiveCollectionOf<TRecord>(store)),
        RecordID_(record.RecordID()) {}

  TRecord* Find() const {
    if (!HeldByStore_) return Record_;
    if (StoreAlive_.expired()) return nullptr;
    return FindRecordAgain(Store_, Record_, RecordID_);
  }

 private:
  std::weak_ptr<void> StoreAlive_;
  TVpCustomDataStore* Store_;
  TRecord* Record_;
  bool HeldByStore_;
  int RecordID_;
};
