#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_queue.h"

class TVpCustomDataStore;

// When a choice in the resource list is applied: as soon as it changes, when the list loses the
// focus, or when its drop-down closes.
enum TVpResourceUpdateStyle { ruOnChange = 0, ruOnExit = 1, ruOnDropDownClose = 2 };

// The logic of the drop-down list of resources: it lists the store's resources by description,
// follows the store's changes (as a watcher of it) and makes the chosen resource the active one.
class TVpResourceCombo : public TMessageTarget {
 public:
  TVpResourceCombo() = default;
  ~TVpResourceCombo() override;
  TVpResourceCombo(const TVpResourceCombo&) = delete;
  TVpResourceCombo& operator=(const TVpResourceCombo&) = delete;

  TVpCustomDataStore* DataStore() const { return DataStore_; }
  // Leaves the old store's watchers, joins the new one's and refills the list.
  void SetDataStore(TVpCustomDataStore* store);
  TVpResourceUpdateStyle ResourceUpdateStyle() const { return UpdateStyle_; }
  void SetResourceUpdateStyle(TVpResourceUpdateStyle style) { UpdateStyle_ = style; }

  // The descriptions listed, and the entry selected (-1 for none).
  const std::vector<std::string>& Items() const { return Items_; }
  int ItemIndex() const { return ItemIndex_; }

  // The user's actions.
  void SelectItem(int index);
  void FocusLost();
  void DropDownClosed();

  // The store changed: the list is filled again.
  void HandleMessage(int message) override;

  // Runs after the list was filled again (the widget shows the new entries).
  std::function<void()> OnItemsChanged;

 private:
  void Refill();
  void Apply();

  TVpCustomDataStore* DataStore_ = nullptr;
  std::weak_ptr<void> StoreAlive_;
  TVpResourceUpdateStyle UpdateStyle_ = ruOnChange;
  std::vector<std::string> Items_;
  int ItemIndex_ = -1;
  int AppliedIndex_ = -1;
  bool Refilling_ = false;
};
