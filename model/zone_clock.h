#pragma once

#include <ctime>
#include <string>

// Clock times of named zones and this machine's local time (as the C library's local zone names
// it, TZ included), as day numbers. Zones are named as the system's zone data names them
// ("Europe/Berlin"); the rules of the zone data decide daylight-saving time.

// Whether the zone data knows the zone.
bool IsKnownZone(const std::string& zone);

// The moment a clock time of the zone shows, as local time. A clock time that does not exist (in
// the hour skipped when the clocks go forward) counts with the offset before the change; one that
// exists twice (when they go back) is the first. An unknown zone leaves the time as it is.
double LocalFromZone(double wall, const std::string& zone);
// The clock time of the zone at the local moment; an unknown zone leaves the time as it is.
double ZoneFromLocal(double local, const std::string& zone);
// The clock time of the zone at the moment; local time for no zone or an unknown one.
double ZoneClockOfUnix(std::time_t moment, const std::string& zone);

// A moment as local time, and a local time as a moment.
double LocalDayNumberOfUnix(std::time_t moment);
std::time_t UnixOfLocalDayNumber(double value);

// The name of this machine's local zone (TZ, else /etc/localtime); empty when none is found.
std::string LocalZoneName();

// Whether this machine's local zone differs from the one the last call saw (the first call sees
// none). It reads the zone afresh, so local times follow a change of the desktop's zone.
bool LocalZoneChanged();
