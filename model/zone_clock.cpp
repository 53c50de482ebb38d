#include "model/zone_clock.h"

#include <libical/ical.h>
#include <unistd.h>

#include <cstdlib>

#include "model/clock_time.h"
#include "model/day_number.h"
#include "model/moment.h"

namespace {

icaltimezone* ZoneNamed(const std::string& zone) {
  if (zone.empty()) return nullptr;
  if (zone == "UTC" || zone == "Etc/UTC") return icaltimezone_get_utc_timezone();
  // The library compares the name with each zone it knows, and a walk asks for the same zone at
  // every start: the last answer is kept (the library keeps its zones for good).
  thread_local std::string lastName;
  thread_local icaltimezone* last = nullptr;
  if (zone != lastName) {
    last = icaltimezone_get_builtin_timezone(zone.c_str());
    lastName = zone;
  }
  return last;
}

// The clock time of the zone at the moment, as seconds since 1970 read as if that clock were UTC.
std::time_t ClockSecondsOf(std::time_t moment, icaltimezone* zone) {
  icaltimetype clock = icaltime_from_timet_with_zone(moment, 0, zone);
  clock.zone = nullptr;
  return icaltime_as_timet(clock);
}

// The value with the whole milliseconds the other holds beyond its whole seconds (clock times of
// the zone data go by seconds).
double WithMillisecondsOf(double value, double from) {
  return ValueOfMoment(MomentOf(value) + DecodeTime(from).Millisecond);
}

}  // namespace

bool IsKnownZone(const std::string& zone) { return ZoneNamed(zone) != nullptr; }

double LocalFromZone(double wall, const std::string& zone) {
  icaltimezone* named = ZoneNamed(zone);
  if (!named) return wall;
  // The clock time read as UTC, and the zone's offset a day before and a day after it: the moment
  // is the clock time less the offset before a change, unless that misses the clock time and the
  // offset after meets it. A time in the gap of a change thus takes the offset before it, and a
  // time shown twice is the first (the offset before is the larger one).
  const std::time_t asUtc = icaltime_as_timet(ClockTimeOf(wall));
  const auto offset = [named](std::time_t moment) { return ClockSecondsOf(moment, named) - moment; };
  const auto shows = [&](std::time_t moment) { return ClockSecondsOf(moment, named) == asUtc; };
  const std::time_t before = offset(asUtc - 86400);
  const std::time_t after = offset(asUtc + 86400);
  std::time_t moment = asUtc - before;
  if (before != after && !shows(moment) && shows(asUtc - after)) moment = asUtc - after;
  return WithMillisecondsOf(LocalDayNumberOfUnix(moment), wall);
}

double ZoneFromLocal(double local, const std::string& zone) {
  icaltimezone* named = ZoneNamed(zone);
  if (!named) return local;
  const icaltimetype clock = icaltime_from_timet_with_zone(UnixOfLocalDayNumber(local), 0, named);
  return WithMillisecondsOf(WallOf(clock), local);
}

double ZoneClockOfUnix(std::time_t moment, const std::string& zone) {
  icaltimezone* named = ZoneNamed(zone);
  if (!named) return LocalDayNumberOfUnix(moment);
  return WallOf(icaltime_from_timet_with_zone(moment, 0, named));
}

double LocalDayNumberOfUnix(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return ClockValue(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday), local.tm_hour, local.tm_min,
                    local.tm_sec);
}

std::time_t UnixOfLocalDayNumber(double value) {
  const TVpDate date = DecodeDate(value);
  const TVpTime time = DecodeTime(value);
  std::tm local{};
  local.tm_year = date.Year - 1900;
  local.tm_mon = date.Month - 1;
  local.tm_mday = date.Day;
  local.tm_hour = time.Hour;
  local.tm_min = time.Minute;
  local.tm_sec = time.Second;
  local.tm_isdst = -1;  // the zone's own rule for that day
  return std::mktime(&local);
}

std::string LocalZoneName() {
  std::string name;
  if (const char* tz = std::getenv("TZ"); tz && *tz) {
    name = tz[0] == ':' ? tz + 1 : tz;
  } else {
    char link[512];
    const ssize_t length = readlink("/etc/localtime", link, sizeof link - 1);
    if (length > 0) name.assign(link, static_cast<std::size_t>(length));
  }
  if (const std::size_t at = name.find("zoneinfo/"); at != std::string::npos) name.erase(0, at + 9);
  return name;
}

bool LocalZoneChanged() {
  static std::string seen;
  tzset();
  // The name, and the offsets of a winter and a summer moment: a zone file replaced in place keeps
  // its name.
  std::string now = LocalZoneName();
  for (const std::time_t probe : {std::time_t{946'684'800}, std::time_t{962'409'600}}) {
    std::tm local{};
    localtime_r(&probe, &local);
    now += ' ' + std::to_string(local.tm_gmtoff);
  }
  const bool changed = !seen.empty() && now != seen;
  seen = now;
  return changed;
}
