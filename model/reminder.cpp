#include "model/reminder.h"

#include <algorithm>
#include <cstdint>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/recurrence.h"

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

// The first day after the day after that an occurrence of the series starts on, looked for no
// further than the longest gap and within the series' range.
std::optional<std::int64_t> NextStartDay(const TVpRecurrence& rule, std::int64_t after) {
  const std::int64_t last = std::min(rule.RangeEndDay, after + 1 + LongestGapDays(rule));
  for (std::int64_t day = std::max(after + 1, rule.StartDay); day <= last; ++day)
    if (day == rule.StartDay || OccursOn(rule, FactsOf(static_cast<double>(day)))) return day;
  return std::nullopt;
}

// The day of the occurrence ReminderOccurrence gives, for a repeating event on days from 1900.
std::optional<std::int64_t> ReminderDay(const TVpEvent& event, const TVpRecurrence& rule, double now) {
  // The latest day whose occurrence's reminder lies strictly before now.
  const std::int64_t latest = (ToMs(now) + LeadMs(event) - TimeMsOf(event.StartTime()) - 1) / kMsPerDay;
  if (latest <= rule.StartDay) return rule.StartDay;
  const std::int64_t from = std::min(latest, rule.RangeEndDay);
  return CoveringStartDay(rule, true, LongestGapDays(rule), FactsOf(static_cast<double>(from)));
}

bool RepeatsFrom1900(const TVpEvent& event) { return IsRepeating(event.RepeatCode()) && event.StartTime() >= 0; }

double OccurrenceStart(const TVpEvent& event, std::int64_t day) {
  return FromMs(day * kMsPerDay + TimeMsOf(event.StartTime()));
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
  if (!RepeatsFrom1900(event)) return event.StartTime();
  const TVpRecurrence rule = RecurrenceOf(event);
  const std::optional<std::int64_t> day = ReminderDay(event, rule, now);
  return day ? OccurrenceStart(event, *day) : event.StartTime();
}

std::optional<double> NextReminderAfter(const TVpEvent& event, double now) {
  if (!RepeatsFrom1900(event)) return std::nullopt;
  const TVpRecurrence rule = RecurrenceOf(event);
  const std::optional<std::int64_t> day = ReminderDay(event, rule, now);
  if (!day) return std::nullopt;
  const std::optional<std::int64_t> next = NextStartDay(rule, *day);
  if (!next) return std::nullopt;
  return FromMs(ToMs(OccurrenceStart(event, *next)) - LeadMs(event));
}

bool IsAlarmDue(const TVpEvent& event, double now) {
  if (!event.AlarmSet()) return false;
  const std::int64_t nowMs = ToMs(now);
  const std::int64_t dueMs = ToMs(ReminderOccurrence(event, now)) - LeadMs(event);
  return nowMs > dueMs && nowMs > ToMs(event.SnoozeTime());
}
