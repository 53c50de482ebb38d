#include "interop/ical/ical_time.h"

#include <unistd.h>
#include <cstdlib>
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

double LocalDayNumberOfUnix(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

double LocalDayNumberOf(icaltimetype time, icaltimezone* zone) {
  if (time.is_date || (!icaltime_is_utc(time) && !zone))
    return EncodeDate(time.year, time.month, time.day) +
           (time.is_date ? 0 : EncodeTime(time.hour, time.minute, time.second));
  return LocalDayNumberOfUnix(icaltime_as_timet_with_zone(time, icaltime_is_utc(time) ? nullptr : zone));
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

icaltimezone* LocalZone() {
  std::string name;
  if (const char* tz = std::getenv("TZ"); tz && *tz) {
    name = tz[0] == ':' ? tz + 1 : tz;
  } else {
    char link[512];
    const ssize_t length = readlink("/etc/localtime", link, sizeof link - 1);
    if (length > 0) name.assign(link, static_cast<std::size_t>(length));
  }
  if (const std::size_t at = name.find("zoneinfo/"); at != std::string::npos) name.erase(0, at + 9);
  if (name.empty()) return nullptr;
  if (name == "UTC" || name == "Etc/UTC") return icaltimezone_get_utc_timezone();
  return icaltimezone_get_builtin_timezone(name.c_str());
}
