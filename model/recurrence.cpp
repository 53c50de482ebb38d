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

TVpRecurrence RecurrenceOf(const TVpEvent& event) {
  TVpRecurrence rule;
  rule.RepeatCode = event.RepeatCode();
  rule.CustomInterval = event.CustomInterval();
  rule.StartDay = DayNumberOf(event.StartTime());
  rule.RangeEndDay = DayNumberOf(event.RepeatRangeEnd());
  const TVpDate start = DecodeDate(event.StartTime());
  rule.DayOfMonth = start.Day;
  rule.Month = start.Month;
  rule.Weekday = DayOfWeek(event.StartTime());
  rule.WeekOfMonth = WeekOfMonth(start.Day);
  return rule;
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

namespace {

// The day a moment lies in.
std::int64_t DayOfMoment(std::int64_t moment) {
  return moment >= 0 ? moment / kMsPerDay : -((-moment + kMsPerDay - 1) / kMsPerDay);
}

}  // namespace

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

namespace {

std::optional<std::int64_t> CoveringStartDayOf(const TVpEvent& event, std::int64_t extraDays, double day) {
  return CoveringStartDay(RecurrenceOf(event), IsRepeating(event.RepeatCode()), extraDays, FactsOf(day));
}

}  // namespace

bool FallsOn(const TVpEvent& event, double day) {
  return CoveringStartDayOf(event, ExtraDaysOf(event), day).has_value();
}

bool GoesOnInto(const TVpEvent& event, double day) {
  // An event within one day goes on into none.
  const std::int64_t extraDays = ExtraDaysOf(event);
  if (extraDays == 0) return false;
  const std::optional<std::int64_t> startDay = CoveringStartDayOf(event, extraDays, day);
  return startDay && *startDay < DayNumberOf(day);
}

TVpDayPart DayPartOf(const TVpEvent& event, double day) {
  const std::int64_t dayNumber = DayNumberOf(day);
  const std::int64_t start = MomentOf(event.StartTime());
  // An event within one day has its occurrence start on the day itself; no search is needed.
  const std::int64_t extraDays = ExtraDaysOf(event);
  const std::int64_t startDay =
      extraDays == 0 ? dayNumber : CoveringStartDayOf(event, extraDays, day).value_or(dayNumber);
  // The occurrence's start and end in milliseconds from the day's midnight.
  const std::int64_t from = start + (startDay - DayOfMoment(start)) * kMsPerDay - Moment(dayNumber, 0);
  const std::int64_t to = from + std::max<std::int64_t>(0, MomentOf(event.EndTime()) - start);
  return {std::clamp<std::int64_t>(from, 0, kMsPerDay), std::clamp<std::int64_t>(to, 0, kMsPerDay)};
}
