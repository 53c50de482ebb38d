#include "model/recurrence.h"

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"

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

bool FallsOn(const TVpEvent& event, double day) {
  if (DayNumberOf(event.StartTime()) == DayNumberOf(day)) return true;
  return IsRepeating(event.RepeatCode()) && OccursOn(event, day);
}
