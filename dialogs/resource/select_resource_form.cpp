#include "dialogs/resource/select_resource_form.h"

#include "store/data_store.h"

TVpSelectResourceForm::TVpSelectResourceForm(TVpCustomDataStore& store, TVpResourceEditWindow& editWindow)
    : EditWindow_(editWindow) {
  ResourceList_.SetDataStore(&store);
  EditDialog_.SetDataStore(&store);
}

bool ShowResourceSelection(TVpCustomDataStore& store, TVpSelectResourceWindow& window,
                           TVpResourceEditWindow& editWindow) {
  TVpSelectResourceForm form(store, editWindow);
  return window.Show(form) && store.ActiveResource() != nullptr;
}
