#pragma once
#include <libical/ical.h>
#include <ctime>

#include "model/zone_clock.h"

// Moments between calendar files and the planner. The planner holds local times of this machine
// (as the C library's local zone names it, TZ included), so every zoned or UTC time of a file is
// converted to local time on the way in, and local times are named in the local zone on the way
// out.

// The zone a TZID names: the file's own VTIMEZONE first, then the zone data known by that name
// (also behind a path-like prefix), then a Windows zone name of the common ones. nullptr when
// none fits.
icaltimezone* ResolveZone(icalcomponent* calendar, const char* tzid);

// The time as a local day number. A DATE is its midnight; a floating time is taken as it stands.
double LocalDayNumberOf(icaltimetype time, icaltimezone* zone);

// This machine's local zone (TZ, else /etc/localtime) when the zone data knows it, else nullptr.
icaltimezone* LocalZone();
