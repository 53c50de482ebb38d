#include "app/desktop_services.h"

#include "dialogs/qt/event_edit_dialog.h"
#include "model/event.h"
#include "store/data_store.h"

void TQtStoreDialogs::ShowReminder(TVpCustomDataStore& store, TVpEvent& event) {
  // The reminder keeps its window from opening twice while the box is up.
  event.SetAlertDisplayed(true);
  const int recordID = event.RecordID();
  Boxes_.Show("Reminder : " + event.Description(), mkInformation, mbOK);
  // The event may have been reloaded while the box was open: find it again.
  TVpResource* resource = store.ActiveResource();
  TVpEvent* current = resource != nullptr ? resource->Schedule().FindByRecordID(recordID) : nullptr;
  if (current == nullptr) return;
  current->SetAlertDisplayed(false);
  current->SetAlarmSet(false);
  store.PostEvents();
}

bool TQtStoreDialogs::EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) {
  TVpEventEditDialog dialog;
  dialog.SetDataStore(&store);
  return dialog.Execute(event, twelveHour);
}

bool TQtStoreDialogs::AddResource(TVpCustomDataStore&) {
  Boxes_.ShowMessage("Resources cannot be edited yet.");
  return false;
}

bool TQtStoreDialogs::SelectResource(TVpCustomDataStore&) {
  Boxes_.ShowMessage("Resources cannot be chosen here yet.");
  return false;
}
