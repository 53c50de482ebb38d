#pragma once
#include <libical/ical.h>
#include <ctime>
#include <string>

#include "model/clock_time.h"
#include "model/zone_clock.h"

// Moments between calendar files and the planner. The planner holds local times of this machine
// (as the C library's local zone names it, TZ included), so every zoned or UTC time of a file is
// converted to local time on the way in; an event that keeps a zone also keeps its times on that
// zone's clock, and those go back out.

// The zone a TZID names: the file's own VTIMEZONE first, then the zone data known by that name
// (also behind a path-like prefix), then a Windows zone name of the common ones. nullptr when
// none fits.
icaltimezone* ResolveZone(icalcomponent* calendar, const char* tzid);

// The time as a local day number. A DATE is its midnight; a floating time is taken as it stands.
double LocalDayNumberOf(icaltimetype time, icaltimezone* zone);

// The zone data's zone of the name ("UTC" included), nullptr when it knows none.
icaltimezone* ZoneOfName(const std::string& name);

// The zone data name of the zone a TZID names (see ResolveZone: the file's own description of it
// when it has one, then the name itself, behind a prefix or as a Windows name); empty when the
// zone data knows no zone of that name.
std::string KnownZoneName(const char* tzid, icaltimezone* resolved);

// A day as a DATE value, and a moment as a UTC value.
icaltimetype DateValueOf(double day);
icaltimetype UtcValueOf(std::time_t moment);
