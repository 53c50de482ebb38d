#include "interop/ical/windows_zones.h"

#include <cstring>

namespace {

struct TZonePair {
  const char* Windows;
  const char* Iana;
};

// The zones of the places most calendars come from, each by its city of reference.
constexpr TZonePair kZones[] = {
    {"Dateline Standard Time", "Etc/GMT+12"},
    {"Hawaiian Standard Time", "Pacific/Honolulu"},
    {"Alaskan Standard Time", "America/Anchorage"},
    {"Pacific Standard Time", "America/Los_Angeles"},
    {"Mountain Standard Time", "America/Denver"},
    {"US Mountain Standard Time", "America/Phoenix"},
    {"Central Standard Time", "America/Chicago"},
    {"Canada Central Standard Time", "America/Regina"},
    {"Central America Standard Time", "America/Guatemala"},
    {"Eastern Standard Time", "America/New_York"},
    {"Atlantic Standard Time", "America/Halifax"},
    {"Newfoundland Standard Time", "America/St_Johns"},
    {"E. South America Standard Time", "America/Sao_Paulo"},
    {"Argentina Standard Time", "America/Buenos_Aires"},
    {"UTC", "Etc/UTC"},
    {"GMT Standard Time", "Europe/London"},
    {"Greenwich Standard Time", "Atlantic/Reykjavik"},
    {"W. Europe Standard Time", "Europe/Berlin"},
    {"Central Europe Standard Time", "Europe/Budapest"},
    {"Central European Standard Time", "Europe/Warsaw"},
    {"Romance Standard Time", "Europe/Paris"},
    {"E. Europe Standard Time", "Europe/Chisinau"},
    {"FLE Standard Time", "Europe/Kiev"},
    {"GTB Standard Time", "Europe/Bucharest"},
    {"Turkey Standard Time", "Europe/Istanbul"},
    {"Israel Standard Time", "Asia/Jerusalem"},
    {"South Africa Standard Time", "Africa/Johannesburg"},
    {"Russian Standard Time", "Europe/Moscow"},
    {"Arabian Standard Time", "Asia/Dubai"},
    {"India Standard Time", "Asia/Kolkata"},
    {"China Standard Time", "Asia/Shanghai"},
    {"Singapore Standard Time", "Asia/Singapore"},
    {"Tokyo Standard Time", "Asia/Tokyo"},
    {"Korea Standard Time", "Asia/Seoul"},
    {"AUS Eastern Standard Time", "Australia/Sydney"},
    {"E. Australia Standard Time", "Australia/Brisbane"},
    {"Cen. Australia Standard Time", "Australia/Adelaide"},
    {"W. Australia Standard Time", "Australia/Perth"},
    {"New Zealand Standard Time", "Pacific/Auckland"},
    // Display names older mail programs wrote in place of the zone's own name.
    {"Canberra, Melbourne, Sydney", "Australia/Sydney"},
    {"Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna", "Europe/Berlin"},
    {"Eastern Time (US & Canada)", "America/New_York"},
    {"Pacific Time (US & Canada)", "America/Los_Angeles"},
};

}  // namespace

const char* IanaZoneOfWindowsName(const char* windowsName) {
  for (const TZonePair& pair : kZones)
    if (std::strcmp(pair.Windows, windowsName) == 0) return pair.Iana;
  return nullptr;
}
