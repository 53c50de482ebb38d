#include "model/recurrence.h"

#include <algorithm>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"

namespace {

int WeekOfMonth(int dayOfMonth) { return (dayOfMonth + 6) / 7; }

// Same weekday in the same week of the month. An event in the fifth week also repeats in the last
// week of months that have only four of its weekday.
bool SameWeekdayOfMonth(const TVpRecurrence& rule, const TVpDayFacts& day) {
  if (rule.Weekday != day.Weekday) return false;
  if (rule.WeekOfMonth == day.WeekOfMonth) return true;
  return rule.WeekOfMonth == 5 && day.WeekOfMonth == 4 && day.InLastWeek;
}

}  // namespace

bool IsRepeating(int repeatCode) { return repeatCode >= rcDaily && repeatCode <= rcCustom; }

TVpRecurrence RecurrenceFrom(int repeatCode, int customInterval, double start, double rangeEnd) {
  TVpRecurrence rule;
  rule.RepeatCode = repeatCode;
  rule.CustomInterval = customInterval;
  rule.StartDay = DayNumberOf(start);
  rule.RangeEndDay = DayNumberOf(rangeEnd);
  const TVpDate date = DecodeDate(start);
  rule.DayOfMonth = date.Day;
  rule.Month = date.Month;
  rule.Weekday = DayOfWeek(start);
  rule.WeekOfMonth = WeekOfMonth(date.Day);
  return rule;
}

TVpRecurrence RecurrenceOf(const TVpEvent& event) {
  return RecurrenceFrom(event.RepeatCode(), event.CustomInterval(), event.StartTime(), event.RepeatRangeEnd());
}

TVpDayFacts FactsOf(double day) {
  TVpDayFacts facts;
  facts.Value = SnapToMs(day);
  facts.DayNumber = DayNumberOf(facts.Value);
  const TVpDate date = DecodeDate(facts.Value);
  facts.DayOfMonth = date.Day;
  facts.Month = date.Month;
  facts.Weekday = DayOfWeek(facts.Value);
  facts.WeekOfMonth = WeekOfMonth(date.Day);
  facts.InLastWeek = DecodeDate(static_cast<double>(facts.DayNumber + 7)).Month != date.Month;
  return facts;
}

bool OccursOn(const TVpRecurrence& rule, const TVpDayFacts& day) {
  if (!IsRepeating(rule.RepeatCode)) return false;
  // The range runs from the day after the start day to the day of RepeatRangeEnd; a range end of
  // 0 therefore means that the event never recurs.
  if (!(static_cast<double>(rule.RangeEndDay + 1) > day.Value && day.Value > static_cast<double>(rule.StartDay)))
    return false;
  const std::int64_t daysSinceStart = day.DayNumber - rule.StartDay;
  switch (rule.RepeatCode) {
    case rcDaily: return true;
    case rcWeekly: return daysSinceStart % 7 == 0;
    case rcMonthlyByDay: return SameWeekdayOfMonth(rule, day);
    case rcMonthlyByDate: return rule.DayOfMonth == day.DayOfMonth;
    case rcYearlyByDay: return rule.Month == day.Month && SameWeekdayOfMonth(rule, day);
    case rcYearlyByDate: return rule.Month == day.Month && rule.DayOfMonth == day.DayOfMonth;
    case rcCustom:
      // An interval below 1 cannot place any repetition: such an event keeps its start day only.
      return rule.CustomInterval >= 1 && daysSinceStart % rule.CustomInterval == 0;
  }
  return false;
}

bool OccursOn(const TVpEvent& event, double day) { return OccursOn(RecurrenceOf(event), FactsOf(day)); }

std::int64_t ExtraDaysOf(const TVpEvent& event) {
  const std::int64_t start = MomentOf(event.StartTime());
  const std::int64_t end = MomentOf(event.EndTime());
  return end <= start ? 0 : DayOfMoment(end - 1) - DayOfMoment(start);
}

std::int64_t LongestGapDays(const TVpRecurrence& rule) {
  return std::max<std::int64_t>(4 * 366 + 1, static_cast<std::int64_t>(rule.CustomInterval) + 1);
}

std::optional<std::int64_t> CoveringStartDay(const TVpRecurrence& rule, bool repeating, std::int64_t extraDays,
                                             const TVpDayFacts& day) {
  if (!repeating) {
    if (day.DayNumber >= rule.StartDay && day.DayNumber <= rule.StartDay + extraDays) return rule.StartDay;
    return std::nullopt;
  }
  const std::int64_t reach = std::min(extraDays, LongestGapDays(rule));
  for (std::int64_t back = 0; back <= reach; ++back) {
    const std::int64_t start = day.DayNumber - back;
    if (start < rule.StartDay) break;
    if (start == rule.StartDay || OccursOn(rule, back == 0 ? day : FactsOf(static_cast<double>(start)))) return start;
  }
  return std::nullopt;
}
