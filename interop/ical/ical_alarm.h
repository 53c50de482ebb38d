#pragma once
#include <libical/ical.h>

#include "interop/ical/ical_item.h"

// The one reminder an event holds, between its fields and a reminder (VALARM) of a calendar file.

// How long before the start the reminder's trigger (a TRIGGER property) reminds, in seconds
// (negative: after it), for an event from start to end (local day numbers). A trigger at a fixed
// moment is read in its zone (TZID, found as ResolveZone finds it in the calendar), UTC or local
// time.
long long SecondsBeforeStart(icalproperty* trigger, icalcomponent* calendar, double start, double end);

// Sets the event's reminder to the lead time: whole days or hours where it divides, minutes
// otherwise.
void SetAlarmAdvance(TIcalEvent& item, long long seconds);

// The event's reminder as a trigger before its start.
icaltriggertype TriggerOf(const TIcalEvent& item);
