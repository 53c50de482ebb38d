#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "interop/ical/ical_item.h"

// The product identifier written into every calendar file.
inline constexpr const char* kIcalProductId = "-//Koret//Koret Organizer//EN";

// A calendar file holding the events and tasks: CRLF line ends, lines folded at 75 octets between
// whole characters. A zoned event is written on its zone's clock, named and described by a
// VTIMEZONE (in UTC for UTC), a floating one floating (the same clock time wherever read), an
// all-day one as dates. A repeat goes with its rule, exception and extra dates; a changed
// occurrence (see TIcalEvent::OriginalStart) as an event with its series' UID and RECURRENCE-ID,
// its start then left out of the series' exceptions; the lines an event kept from a file go back
// as they came. Line breaks of texts are written as line feeds, the format's only kind. The stamp
// is the moment of writing (DTSTAMP).
std::string WriteIcal(const std::vector<TIcalEvent>& events, const std::vector<TIcalTask>& tasks, std::time_t stamp);
