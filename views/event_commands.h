#pragma once

#include "store/change_path.h"

class TVpCustomDataStore;
class TVpEditDialogs;
class TVpEvent;

// Editing and deleting an event from a view, the same in every view that shows events. Both run a
// modal dialog, during which a reminder may post or reload the events: the event is looked up
// again by its record ID afterwards and never read through the reference given.

// Opens the event dialog of dialogs for the event (a new one when isNew) with times in 12 or 24
// hours.
TVpEditOutcome EditEventInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpEvent& event, bool isNew,
                                 bool twelveHour);

// Asks whether to delete the event; on Yes marks it deleted and posts the events. True when it was
// deleted.
bool ConfirmAndDeleteEvent(TVpCustomDataStore& store, TVpEvent& event);
