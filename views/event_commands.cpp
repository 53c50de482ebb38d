#include "views/event_commands.h"

#include <string>

#include "model/event.h"
#include "model/occurrences.h"
#include "store/change_path.h"
#include "views/edit_dialogs.h"

TVpEditOutcome EditEventInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpEvent& event, bool isNew,
                                 bool twelveHour) {
  return store.Changes().Edit<TVpEvent>(event, isNew,
                                        [&](TVpEvent& edited) { return dialogs.EditEvent(store, edited, twelveHour); });
}

bool ConfirmAndDeleteEvent(TVpCustomDataStore& store, TVpEvent& event) {
  const TVpRecordHandle<TVpEvent> handle(store, event);
  // A repeating event is one record: deleting it takes every occurrence, which the question says.
  const std::string what = Repeats(event) ? "\" and all its occurrences" : "\"";
  const std::string question =
      "Delete \"" + event.Description() + what + " from your schedule?\r\n\nThis operation cannot be undone!";
  if (!store.Services().MessageBoxes.AskYesNo(question)) return false;
  TVpEvent* confirmed = handle.Find();
  return confirmed != nullptr && store.Changes().Delete(*confirmed);
}
