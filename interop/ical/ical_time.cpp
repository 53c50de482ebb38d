#include "interop/ical/ical_time.h"

#include <cstring>
#include <string>

#include "interop/ical/windows_zones.h"
#include "model/day_number.h"

icaltimezone* ResolveZone(icalcomponent* calendar, const char* tzid) {
  if (!tzid || !*tzid) return nullptr;
  if (calendar)
    if (icaltimezone* own = icalcomponent_get_timezone(calendar, tzid)) return own;
  // Zone data by name, also behind a prefix such as "/example.org/20050126_1/Europe/Berlin".
  for (const char* name = tzid; name; name = std::strchr(name + 1, '/')) {
    const char* candidate = *name == '/' ? name + 1 : name;
    if (icaltimezone* known = icaltimezone_get_builtin_timezone(candidate)) return known;
  }
  if (const char* iana = IanaZoneOfWindowsName(tzid)) return icaltimezone_get_builtin_timezone(iana);
  return nullptr;
}

double LocalDayNumberOf(icaltimetype time, icaltimezone* zone) {
  if (time.is_date || (!icaltime_is_utc(time) && !zone)) return WallOf(time);
  return LocalDayNumberOfUnix(icaltime_as_timet_with_zone(time, icaltime_is_utc(time) ? nullptr : zone));
}

icaltimezone* ZoneOfName(const std::string& name) {
  if (name.empty()) return nullptr;
  if (name == "UTC" || name == "Etc/UTC") return icaltimezone_get_utc_timezone();
  return icaltimezone_get_builtin_timezone(name.c_str());
}

std::string KnownZoneName(const char* tzid, icaltimezone* resolved) {
  if (resolved)
    if (const char* location = icaltimezone_get_location(resolved); location && IsKnownZone(location)) return location;
  if (!tzid || !*tzid) return {};
  for (const char* name = tzid; name; name = std::strchr(name + 1, '/')) {
    const char* candidate = *name == '/' ? name + 1 : name;
    if (IsKnownZone(candidate)) return candidate;
  }
  if (const char* iana = IanaZoneOfWindowsName(tzid); iana && IsKnownZone(iana)) return iana;
  return {};
}

icaltimetype DateValueOf(double day) {
  const TVpDate date = DecodeDate(day);
  icaltimetype time = icaltime_null_date();
  time.year = date.Year;
  time.month = date.Month;
  time.day = date.Day;
  return time;
}

icaltimetype UtcValueOf(std::time_t moment) {
  return icaltime_from_timet_with_zone(moment, 0, icaltimezone_get_utc_timezone());
}
