#include "dialogs/resource/resource_edit_dialog.h"

#include "model/vp_exception.h"
#include "store/change_path.h"

TVpResourceEditDialog::TVpResourceEditDialog() {
  Placement().Position = mpCenter;
  Placement().Width = 400;
  Placement().Height = 250;
  SetOptions(DialogOption(doSizeable));  // the window can be made larger than it opens
}

bool TVpResourceEditDialog::AddResource(TVpResourceEditWindow& window) {
  TVpCustomDataStore* store = DataStore();
  if (store == nullptr) return false;
  TVpResourceEditRules form(store->Resources(), -1);
  if (!window.Show(form, Placement(), Options())) return false;

  TVpResources& resources = store->Resources();
  TVpResource* resource = nullptr;
  try {
    resource = resources.AddResource(store->GetNextID("Resources"));
  } catch (const EFailToCreateResource&) {
    return false;
  }
  try {
    form.WriteTo(*resource);
    store->PostResources();
  } catch (...) {
    resources.DeleteResource(resource);  // no unposted resource is left for a later post to write
    throw;
  }
  store->LoadResources();
  store->SelectResourceByName(form.Description());
  return true;
}

bool TVpResourceEditDialog::EditResource(TVpResourceEditWindow& window) {
  TVpCustomDataStore* store = DataStore();
  if (store == nullptr || store->ActiveResource() == nullptr) return false;
  const int resourceID = store->ActiveResource()->ResourceID();
  TVpResourceEditRules form(store->Resources(), resourceID);
  form.Fill(*store->ActiveResource());
  if (!window.Show(form, Placement(), Options())) return false;

  // The store may have read its resources again while the window was up.
  TVpResource* resource = store->Resources().FindResourceByID(resourceID);
  if (resource == nullptr) {
    store->Services().MessageBoxes.ShowMessage(
        "The resource was removed while it was being edited; the changes were not saved.");
    return false;
  }
  store->Changes().Recorded("Edit resource \"" + form.Description() + "\"", [&] {
    form.WriteTo(*resource);
    store->PostResources();
  });
  store->NotifyLinkedControls();
  return true;
}
