#include "dialogs/resource/select_resource_rules.h"

#include "store/data_store.h"

TVpSelectResourceRules::TVpSelectResourceRules(TVpCustomDataStore& store, TVpResourceEditWindow& editWindow)
    : EditWindow_(editWindow) {
  ResourceList_.SetDataStore(&store);
  EditDialog_.SetDataStore(&store);
}

bool ShowResourceSelection(TVpCustomDataStore& store, TVpSelectResourceWindow& window,
                           TVpResourceEditWindow& editWindow) {
  TVpSelectResourceRules form(store, editWindow);
  return window.Show(form) && store.ActiveResource() != nullptr;
}
