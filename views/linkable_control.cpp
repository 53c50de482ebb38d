#include "views/linkable_control.h"

#include "store/control_link.h"
#include "store/data_store.h"
#include "views/edit_dialogs.h"

TVpLinkableControl::~TVpLinkableControl() {
  SetControlLink(nullptr);
  if (DataStore_ != nullptr) DataStore_->ControlChangedStore(this, nullptr);
}

void TVpLinkableControl::SetDataStore(TVpCustomDataStore* store) {
  if (DataStore_ != nullptr && DataStore_ != store) DataStore_->ControlChangedStore(this, store);
  DataStore_ = store;
  if (store != nullptr) store->ControlChangedStore(this, store);
  Invalidate();
}

void TVpLinkableControl::SetControlLink(TVpControlLink* link) {
  if (ControlLink_ == link) return;
  TVpControlLink* old = ControlLink_;
  ControlLink_ = nullptr;
  if (old != nullptr) old->DetachControl(this);
  ControlLink_ = link;
  if (link != nullptr) link->AttachControl(this);
}

bool TVpLinkableControl::CheckResourceSelected() {
  TVpCustomDataStore* store = DataStore_;
  if (store == nullptr || EditDialogs_ == nullptr) return false;
  if (store->ActiveResource() != nullptr) return true;
  const TVpStoreServices& services = store->Services();
  if (!store->Connected()) {  // no resources were read: there is nothing to add one to
    services.MessageBoxes.ShowError(store->NotConnectedMessage());
    return false;
  }
  if (store->Resources().Count() == 0) {
    if (!services.MessageBoxes.AskYesNo("No resources have been defined. Would you like to add one now?")) return false;
    return EditDialogs_->AddResource(*store);
  }
  if (!services.MessageBoxes.AskYesNo("No resource has been selected. Would you like to select one now?")) return false;
  return EditDialogs_->SelectResource(*store);
}

void TVpLinkableControl::LinkNotified(TVpLinkListener* sender, TVpNotificationKind kind, double value) {
  // Every listener of a link is a view; a sender of another kind reaches the view as none.
  HandleLinkNotification(dynamic_cast<TVpLinkableControl*>(sender), kind, value);
}

void TVpLinkableControl::DataStoreReleased(const TVpCustomDataStore* store) {
  if (DataStore_ == store) DataStore_ = nullptr;
}

void TVpLinkableControl::ControlLinkReleased(const TVpControlLink* link) {
  if (ControlLink_ == link) ControlLink_ = nullptr;
}

void TVpLinkableControl::Invalidate() {
  if (OnInvalidate) OnInvalidate();
}

void TVpLinkableControl::FocusChanged(bool focused) {
  Focused_ = focused;
  Invalidate();
  if (focused && AfterEnter) AfterEnter(*this);
  if (!focused && AfterExit) AfterExit(*this);
}

void TVpLinkableControl::Paint(TCanvas& canvas, const TRect& clientRect) {
  const double date = DataStore_ != nullptr ? DataStore_->DisplayDate() : 0;
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, date, -1, -1, gr30Min, false);
}

void TVpLinkableControl::Resize(int width, int height) {
  if (width == Width_ && height == Height_) return;
  Width_ = width;
  Height_ = height;
  Invalidate();
}

bool TVpLinkableControl::MouseWheel(TShiftState shift, int delta, int x, int y) {
  if (!OnMouseWheel) return false;
  OnMouseWheel(*this, shift, delta, x, y);
  return true;
}

int TVpLinkableControl::ShowMenu(const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
  return OnShowMenu ? OnShowMenu(items, placement) : -1;
}

void TVpLinkableControl::RequestFocus() {
  if (Focused()) return;
  if (OnRequestFocus) OnRequestFocus();
  else FocusChanged(true);
}
