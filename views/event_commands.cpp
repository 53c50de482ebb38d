#include "views/event_commands.h"

#include <string>

#include "model/event.h"
#include "model/recurrence.h"
#include "store/data_store.h"
#include "views/day/day_view_tables.h"

TVpEditOutcome EditEventInDialog(TVpCustomDataStore& store, TVpEvent& event, bool isNew, bool twelveHour) {
  const TVpEvent* identity = &event;
  const int recordID = event.RecordID();
  const bool accepted = store.Services().Dialogs.EditEvent(store, event, twelveHour);
  TVpEvent* edited = LiveEvent(&store, identity, recordID);
  TVpEditOutcome outcome = eoCancelled;
  if (accepted) {
    if (edited != nullptr) edited->SetChanged(true);
    store.PostEvents();
    return eoAccepted;
  }
  if (!store.Connected()) return eoCancelled;
  if (isNew && edited != nullptr) {
    edited->SetDeleted(true);
    outcome = eoRemoved;
  }
  store.PostEvents();
  return outcome;
}

bool ConfirmAndDeleteEvent(TVpCustomDataStore& store, TVpEvent& event) {
  const TVpEvent* identity = &event;
  const int recordID = event.RecordID();
  // A repeating event is one record: deleting it takes every occurrence, which the question says.
  const std::string what = IsRepeating(event.RepeatCode()) ? "\" and all its occurrences" : "\"";
  const std::string question =
      "Delete \"" + event.Description() + what + " from your schedule?\r\n\nThis operation cannot be undone!";
  if (!store.Services().MessageBoxes.AskYesNo(question)) return false;
  TVpEvent* confirmed = LiveEvent(&store, identity, recordID);
  if (confirmed == nullptr) return false;
  confirmed->SetDeleted(true);
  store.PostEvents();
  return true;
}
