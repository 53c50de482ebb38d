#include "dialogs/event/event_reference.h"

#include "model/resource.h"
#include "model/schedule.h"
#include "store/data_store.h"

namespace {

TVpSchedule* ActiveSchedule(const TVpCustomDataStore& store) {
  TVpResource* resource = store.ActiveResource();
  return resource != nullptr ? &resource->Schedule() : nullptr;
}

}  // namespace

TVpEventReference::TVpEventReference(TVpCustomDataStore& store, TVpEvent& event)
    : StoreAlive_(store.Liveness()),
      Store_(&store),
      Event_(&event),
      HeldByStore_(event.Owner() != nullptr && event.Owner() == ActiveSchedule(store)),
      RecordID_(event.RecordID()) {}

TVpEvent* TVpEventReference::Find() const {
  if (!HeldByStore_) return Event_;
  if (StoreAlive_.expired()) return nullptr;
  const TVpSchedule* schedule = ActiveSchedule(*Store_);
  if (schedule == nullptr) return nullptr;
  if (RecordID_ != -1) return schedule->FindByRecordID(RecordID_);
  // Without an ID only the very record will do; its address is compared, never followed.
  for (int i = 0; i < schedule->Count(); ++i)
    if (schedule->Items(i) == Event_) return Event_;
  return nullptr;
}
