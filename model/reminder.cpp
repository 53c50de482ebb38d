#include "model/reminder.h"

#include <algorithm>
#include <cstdint>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"

namespace {

std::int64_t AlarmAdvanceMs(std::int64_t advance, int unit) {
  switch (unit) {
    case atMinutes: return advance * kMsPerMinute;
    case atHours: return advance * 60 * kMsPerMinute;
    case atDays: return advance * kMsPerDay;
  }
  return 0;
}

std::int64_t LeadMs(const TVpEvent& event) { return AlarmAdvanceMs(event.AlarmAdvance(), event.AlarmAdvanceType()); }

// Whether the event's reminder follows its occurrences: a repeating event on days from 1900.
bool RemindsPerOccurrence(const TVpEvent& event) { return Repeats(event) && event.StartTime() >= 0; }

// The occurrence ReminderOccurrence gives, for an event that reminds per occurrence: the latest
// whose reminder lies strictly before now, else the first.
std::optional<TVpOccurrence> ReminderOccurrenceOf(const TVpEvent& event, double now) {
  if (auto latest = OccurrenceAtOrBefore(event, ToMs(now) + LeadMs(event) - 1)) return latest;
  return OccurrenceAfter(event, MomentOf(event.StartTime()) - 1);
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

double ReminderOccurrence(const TVpEvent& event, double now) {
  if (!RemindsPerOccurrence(event)) return event.StartTime();
  const std::optional<TVpOccurrence> occurrence = ReminderOccurrenceOf(event, now);
  return occurrence ? ValueOfMoment(occurrence->Start) : event.StartTime();
}

std::optional<double> NextReminderAfter(const TVpEvent& event, double now) {
  if (!RemindsPerOccurrence(event)) return std::nullopt;
  const std::optional<TVpOccurrence> occurrence = ReminderOccurrenceOf(event, now);
  if (!occurrence) return std::nullopt;
  const std::optional<TVpOccurrence> next = OccurrenceAfter(event, occurrence->Start);
  if (!next) return std::nullopt;
  return ValueOfMoment(next->Start - LeadMs(event));
}

bool IsAlarmDue(const TVpEvent& event, double now) {
  if (!event.AlarmSet()) return false;
  const std::int64_t nowMs = ToMs(now);
  const std::int64_t dueMs = ToMs(ReminderOccurrence(event, now)) - LeadMs(event);
  return nowMs > dueMs && nowMs > ToMs(event.SnoozeTime());
}
