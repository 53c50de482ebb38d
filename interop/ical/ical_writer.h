#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "interop/ical/ical_item.h"

// The product identifier written into every calendar file.
inline constexpr const char* kIcalProductId = "-//Koret//Koret Organizer//EN";

// A calendar file holding the events and tasks: CRLF line ends, lines folded at 75 octets between
// whole characters. Timed events are written in this machine's zone, named and described by a
// VTIMEZONE, so that a repeat keeps its local hour across daylight-saving changes; all-day events
// as dates. Where the zone data does not know the local zone, times are written floating (local
// wherever read), never shifted. Line breaks of texts are written as line feeds, the format's
// only kind. The stamp is the moment of writing (DTSTAMP).
std::string WriteIcal(const std::vector<TIcalEvent>& events, const std::vector<TIcalTask>& tasks, std::time_t stamp);
