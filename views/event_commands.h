#pragma once

#include <string>

#include "store/change_path.h"

class TVpCustomDataStore;
class TVpEditDialogs;
class TVpEvent;

// Editing and deleting an event from a view, the same in every view that shows events. Both run a
// modal dialog, during which a reminder may post or reload the events: the event is looked up
// again by its record ID afterwards and never read through the reference given.

// Opens the event dialog of dialogs for the event (a new one when isNew) with times in 12 or 24
// hours. For a repeating event it asks first which occurrences the edit is for (from the one on
// the day, the day it was chosen on): only this or this and all following are split off the
// series in memory and written on OK only.
TVpEditOutcome EditEventInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpEvent& event, bool isNew,
                                 bool twelveHour, double day);

// Asks whether to delete the event; on Yes marks it deleted and posts the events. A repeating event
// asks instead which of its occurrences to delete: the one on the day (the day it was chosen on),
// this and all following, or all. True when something was deleted.
bool ConfirmAndDeleteEvent(TVpCustomDataStore& store, TVpEvent& event, double day);

// Moves or resizes the occurrence of the event on the day to the start and end; a repeating event
// asks first, naming the change by its verb ("Move", "Resize"), whether only this occurrence, this
// and all following, or all of them change (each by as much). One step of the history under the
// verb; false when nothing changed (Cancel, or the event is gone).
bool ChangeEventOccurrence(TVpCustomDataStore& store, TVpEvent& event, double day, double start, double end,
                           const std::string& verb);
