#include "views/event_commands.h"

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "store/change_path.h"
#include "store/series_changes.h"
#include "views/edit_dialogs.h"

namespace {

// Which occurrences of a repeating event the change is for; nothing for Cancel.
std::optional<TVpOccurrenceScope> AskScope(TVpCustomDataStore& store, const std::string& question) {
  const std::vector<std::string> choices(std::begin(kOccurrenceScopeNames), std::end(kOccurrenceScopeNames));
  const int chosen = store.Services().MessageBoxes.Choose(question, choices);
  if (chosen < 0 || chosen >= static_cast<int>(choices.size())) return std::nullopt;
  return static_cast<TVpOccurrenceScope>(chosen);
}

}  // namespace

TVpEditOutcome EditEventInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpEvent& event, bool isNew,
                                 bool twelveHour, double day) {
  const auto edit = [&](TVpEvent& edited) { return dialogs.EditEvent(store, edited, twelveHour); };
  const std::optional<TVpOccurrence> occurrence =
      !isNew && Repeats(event) ? OccurrenceOn(event, day) : std::optional<TVpOccurrence>();
  if (isNew) event.SetTimeZone(dialogs.NewEventZone());
  if (!occurrence) return store.Changes().Edit<TVpEvent>(event, isNew, edit);
  const TVpRecordHandle<TVpEvent> handle(store, event);
  const std::optional<TVpOccurrenceScope> scope =
      AskScope(store, "Edit \"" + event.Description() + "\"?\r\n\nIt repeats: which occurrences?");
  TVpEvent* series = handle.Find();
  if (!scope || series == nullptr) return eoCancelled;
  if (CoversWholeSeries(*series, occurrence->Start, *scope))
    return store.Changes().Edit<TVpEvent>(*series, false, edit);
  // Split off in memory only: Cancel reads the events again, which drops the split.
  TVpEvent& target = OccurrencesToChange(store, *series, occurrence->Start, *scope);
  const TVpRecordHandle<TVpEvent> targetHandle(store, target);
  const bool accepted = edit(target);
  TVpEvent* edited = targetHandle.Find();
  if (!accepted || edited == nullptr) {
    store.ReloadEvents();
    return eoCancelled;
  }
  store.Changes().Recorded("Edit \"" + edited->Description() + "\"", [&] {
    edited->SetChanged(true);
    store.PostEvents();
  });
  return eoAccepted;
}

bool ConfirmAndDeleteEvent(TVpCustomDataStore& store, TVpEvent& event, double day) {
  const TVpRecordHandle<TVpEvent> handle(store, event);
  const std::optional<TVpOccurrence> occurrence = Repeats(event) ? OccurrenceOn(event, day) : std::nullopt;
  if (!occurrence) {
    // One record: deleting it takes every occurrence, which the question says.
    const std::string what = Repeats(event) ? "\" and all its occurrences" : "\"";
    const std::string question =
        "Delete \"" + event.Description() + what + " from your schedule?\r\n\nThis operation cannot be undone!";
    if (!store.Services().MessageBoxes.AskYesNo(question)) return false;
    TVpEvent* confirmed = handle.Find();
    return confirmed != nullptr && store.Changes().Delete(*confirmed);
  }
  const std::optional<TVpOccurrenceScope> scope =
      AskScope(store, "Delete \"" + event.Description() + "\" from your schedule?\r\n\nIt repeats: which occurrences?");
  TVpEvent* confirmed = handle.Find();
  if (!scope || confirmed == nullptr) return false;
  if (CoversWholeSeries(*confirmed, occurrence->Start, *scope)) return store.Changes().Delete(*confirmed);
  return store.Changes().Change<TVpEvent>(
      *confirmed, *scope == osOnlyThis ? "Delete one occurrence of" : "Delete following occurrences of",
      [&](TVpEvent& series) { DeleteOccurrences(store, series, occurrence->Start, *scope); });
}

bool ChangeEventOccurrence(TVpCustomDataStore& store, TVpEvent& event, double day, double start, double end,
                           const std::string& verb) {
  const std::int64_t length = MomentOf(end) - MomentOf(start);
  const std::optional<TVpOccurrence> occurrence = OccurrenceOn(event, day);
  const std::int64_t from = occurrence ? occurrence->Start : MomentOf(event.StartTime());
  TVpEvent* found = &event;
  std::optional<TVpOccurrenceScope> scope = osAll;
  if (Repeats(event) && occurrence) {
    const TVpRecordHandle<TVpEvent> handle(store, event);
    scope = AskScope(store, verb + " \"" + event.Description() + "\"?\r\n\nIt repeats: which occurrences?");
    found = handle.Find();
    if (!scope || found == nullptr) return false;
  }
  // Every occurrence of the scope moves by as much as the one dragged.
  const std::int64_t shift = MomentOf(start) - from;
  return store.Changes().Change<TVpEvent>(*found, verb, [&](TVpEvent& series) {
    TVpEvent& moved = OccurrencesToChange(store, series, from, *scope);
    const std::int64_t newStart = MomentOf(moved.StartTime()) + shift;
    MoveSeries(store, moved, newStart, newStart + length);
  });
}
