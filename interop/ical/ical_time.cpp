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
  if (time.is_date || (!icaltime_is_utc(time) && !zone))
    return EncodeDate(time.year, time.month, time.day) +
           (time.is_date ? 0 : EncodeTime(time.hour, time.minute, time.second));
  return LocalDayNumberOfUnix(icaltime_as_timet_with_zone(time, icaltime_is_utc(time) ? nullptr : zone));
}

icaltimezone* LocalZone() {
  const std::string name = LocalZoneName();
  if (name.empty()) return nullptr;
  if (name == "UTC" || name == "Etc/UTC") return icaltimezone_get_utc_timezone();
  return icaltimezone_get_builtin_timezone(name.c_str());
}
