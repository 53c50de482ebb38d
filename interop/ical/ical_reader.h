#pragma once
#include <string_view>

#include "interop/ical/ical_item.h"
#include "interop/ical/ical_text.h"

// Reads the events and tasks of a calendar file, with local times of this machine. Each event of
// the file is one event: a repeat keeps its rule (as a repeat code where one says it), exception
// and extra dates, and each of its changed occurrences follows it as an event of its own with the
// same UID (see TIcalEvent::OriginalStart). A file that is not a readable calendar gives false and
// the error, and nothing of it is taken in; an item that cannot be taken in is skipped with its
// reason in the content's notes.
bool ReadIcal(std::string_view bytes, TIcalContent& content, TIcalReadError& error);
