#include "views/resource_combo.h"

#include "platform/scoped_value.h"
#include "store/data_store.h"

TVpResourceCombo::~TVpResourceCombo() { SetDataStore(nullptr); }

void TVpResourceCombo::SetDataStore(TVpCustomDataStore* store) {
  if (DataStore_ != nullptr && !StoreAlive_.expired()) DataStore_->RemoveWatcher(this);
  DataStore_ = store;
  StoreAlive_ = store != nullptr ? store->Liveness() : std::weak_ptr<void>();
  if (store != nullptr) store->AddWatcher(this);
  Refill();
}

void TVpResourceCombo::HandleMessage(int message) {
  if (message == StoreChanged) Refill();
}

void TVpResourceCombo::Refill() {
  {
    const TScopedValue refilling(Refilling_, true);
    Items_.clear();
    ItemIndex_ = -1;
    if (DataStore_ != nullptr && !StoreAlive_.expired()) {
      const TVpResources& resources = DataStore_->Resources();
      const TVpResource* active = DataStore_->ActiveResource();
      for (int i = 0; i < resources.Count(); ++i) {
        const TVpResource* resource = resources.Items(i);
        if (resource->Description().empty()) continue;
        if (resource == active) ItemIndex_ = static_cast<int>(Items_.size());
        Items_.push_back(resource->Description());
      }
    }
  }
  if (OnItemsChanged) OnItemsChanged();
}

void TVpResourceCombo::SelectItem(int index) {
  if (Refilling_ || index < -1 || index >= static_cast<int>(Items_.size())) return;
  ItemIndex_ = index;
  if (UpdateStyle_ == ruOnChange) Apply();
}

void TVpResourceCombo::FocusLost() {
  if (UpdateStyle_ == ruOnExit) Apply();
}

void TVpResourceCombo::DropDownClosed() {
  if (UpdateStyle_ == ruOnDropDownClose) Apply();
}

void TVpResourceCombo::Apply() {
  if (DataStore_ == nullptr || StoreAlive_.expired() || ItemIndex_ < 0) return;
  if (ItemIndex_ == AppliedIndex_ && ItemIndex_ != 0) return;
  AppliedIndex_ = ItemIndex_;
  DataStore_->SelectResourceByName(Items_[static_cast<size_t>(ItemIndex_)]);
}
