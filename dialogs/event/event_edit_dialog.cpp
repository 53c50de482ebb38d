#include "dialogs/event/event_edit_dialog.h"

#include "model/day_number.h"
#include "model/event.h"
#include "model/resource.h"
#include "store/record_handle.h"
#include "store/series_changes.h"

TVpEventEditDialog::TVpEventEditDialog() {
  Placement().Position = mpCenterTop;
  Placement().Width = 584;
  Placement().Height = 378;
}

bool TVpEventEditDialog::Execute(TVpEvent& event, bool twelveHour, const TLocale& locale, TVpEventWindow& window) {
  TVpCustomDataStore& store = RequiredDataStore("event");
  const TVpRecordHandle<TVpEvent> reference(store, event);
  TVpEventEditRules rules(store.Services().Clock, locale);
  // The series' occurrences changed on their own, whose exceptions cannot be removed: those of the
  // days the store has loaded.
  TVpChangedOccurrences changed;
  changed.AllKnown = false;
  changed.KnownFrom = store.LoadedRange().StartTime();
  changed.KnownTo = store.LoadedRange().EndTime();
  if (const TVpResource* resource = store.ActiveResource())
    for (const TVpEvent* occurrence : ChangedOccurrencesOf(resource->Schedule(), event, EncodeDate(1, 1, 1)))
      changed.Starts.push_back(occurrence->OriginalStart());
  rules.Fill(event, twelveHour, store.CategoryColorMap(), changed);
  if (!window.Show(rules, DialogCaption(event.Description(), "Event"), Placement(), Options())) return false;

  TVpEvent* current = reference.Find();
  if (current == nullptr) {
    store.Services().MessageBoxes.ShowMessage(
        "The event was removed while it was being edited; the changes were not saved.");
    return false;
  }
  return rules.WriteTo(*current);
}
