#include "model/reminder.h"

#include <cstdint>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"

namespace {

std::int64_t AlarmAdvanceMs(std::int64_t advance, int unit) {
  switch (unit) {
    case atMinutes: return advance * kMsPerMinute;
    case atHours: return advance * 60 * kMsPerMinute;
    case atDays: return advance * kMsPerDay;
  }
  return 0;
}

}  // namespace

double AlarmAdvanceAsDays(int advance, int unit) {
  switch (unit) {
    case atMinutes: return advance / 1440.0;
    case atHours: return advance * 60.0 / 1440;
    case atDays: return advance;
  }
  return 0;
}

bool IsAlarmDue(const TVpEvent& event, double now) {
  if (!event.AlarmSet()) return false;
  const std::int64_t nowMs = ToMs(now);
  const std::int64_t dueMs = ToMs(event.StartTime()) - AlarmAdvanceMs(event.AlarmAdvance(), event.AlarmAdvanceType());
  return nowMs > dueMs && nowMs > ToMs(event.SnoozeTime());
}
