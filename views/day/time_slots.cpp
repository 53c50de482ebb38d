#include "views/day/time_slots.h"

#include <cstdint>

#include "model/day_number.h"

namespace {

std::int64_t SlotMs(TVpGranularity granularity) { return GranularityMinutes(granularity) * kMsPerMinute; }

std::int64_t TimeOfDayMs(double time) { return ToMs(TimeOf(time)); }

}  // namespace

int GranularityMinutes(TVpGranularity granularity) {
  switch (granularity) {
    case gr05Min: return 5;
    case gr06Min: return 6;
    case gr10Min: return 10;
    case gr15Min: return 15;
    case gr20Min: return 20;
    case gr30Min: return 30;
    case gr60Min: return 60;
  }
  return 30;
}

int SlotsPerHour(TVpGranularity granularity) { return 60 / GranularityMinutes(granularity); }

double SlotLength(TVpGranularity granularity) {
  if (granularity == gr60Min) return 1.0 / 60;
  return GranularityMinutes(granularity) / 1440.0;
}

int SlotOfStart(TVpGranularity granularity, double time) {
  return static_cast<int>((TimeOfDayMs(time) + kMsPerMinute) / SlotMs(granularity));
}

int SlotOfEnd(TVpGranularity granularity, double time) {
  return static_cast<int>((TimeOfDayMs(time) - kMsPerMinute) / SlotMs(granularity));
}

int SlotsBeforeHour(int hour, TVpGranularity granularity) { return hour * SlotsPerHour(granularity); }
