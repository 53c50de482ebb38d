#include "interop/ical/ical_repeat.h"

#include <algorithm>
#include <cstddef>

#include "interop/ical/ical_time.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/recurrence.h"
#include "model/rule_shape.h"

namespace {

// The number of values in one of the rule's BY lists.
template <std::size_t N>
int CountOf(const short (&list)[N]) {
  int count = 0;
  while (count < static_cast<int>(N) && list[count] != ICAL_RECURRENCE_ARRAY_MAX) ++count;
  return count;
}

// True when the list is empty or holds only the value.
template <std::size_t N>
bool HoldsNothingBut(const short (&list)[N], int value) {
  const int count = CountOf(list);
  return count == 0 || (count == 1 && list[0] == value);
}

// True when the rule's only day is the start's weekday at the start's week of the month.
bool IsStartsWeekdayInWeek(const icalrecurrencetype& rule, icaltimetype start) {
  if (CountOf(rule.by_day) != 1 || CountOf(rule.by_month_day) != 0) return false;
  return icalrecurrencetype_day_day_of_week(rule.by_day[0]) == icaltime_day_of_week(start) &&
         icalrecurrencetype_day_position(rule.by_day[0]) == WeekdayPositionOfDay(start.day);
}

}  // namespace

TIcalRepeatShape RepeatShapeOf(const icalrecurrencetype& rule, icaltimetype start) {
  if (CountOf(rule.by_second) || CountOf(rule.by_minute) || CountOf(rule.by_hour) || CountOf(rule.by_year_day) ||
      CountOf(rule.by_week_no) || CountOf(rule.by_set_pos) || rule.interval < 1 || (rule.rscale && *rule.rscale))
    return {};
  const int days = CountOf(rule.by_day);
  const int monthDays = CountOf(rule.by_month_day);
  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      if (days || monthDays || CountOf(rule.by_month)) return {};
      return rule.interval == 1 ? TIcalRepeatShape{rcDaily, 0} : TIcalRepeatShape{rcCustom, rule.interval};
    case ICAL_WEEKLY_RECURRENCE:
      if (monthDays || CountOf(rule.by_month) || days > 1) return {};
      if (days == 1 && (icalrecurrencetype_day_position(rule.by_day[0]) != 0 ||
                        icalrecurrencetype_day_day_of_week(rule.by_day[0]) != icaltime_day_of_week(start)))
        return {};
      return rule.interval == 1 ? TIcalRepeatShape{rcWeekly, 0} : TIcalRepeatShape{rcCustom, 7 * rule.interval};
    case ICAL_MONTHLY_RECURRENCE:
      if (rule.interval != 1 || CountOf(rule.by_month)) return {};
      if (days == 0 && HoldsNothingBut(rule.by_month_day, start.day)) return {rcMonthlyByDate, 0};
      return IsStartsWeekdayInWeek(rule, start) ? TIcalRepeatShape{rcMonthlyByDay, 0} : TIcalRepeatShape{};
    case ICAL_YEARLY_RECURRENCE:
      if (rule.interval != 1 || !HoldsNothingBut(rule.by_month, start.month)) return {};
      if (days == 0 && HoldsNothingBut(rule.by_month_day, start.day)) return {rcYearlyByDate, 0};
      return CountOf(rule.by_month) == 1 && IsStartsWeekdayInWeek(rule, start) ? TIcalRepeatShape{rcYearlyByDay, 0}
                                                                               : TIcalRepeatShape{};
    default: return {};
  }
}

bool RuleOfRepeat(int repeatCode, int customInterval, double start, icalrecurrencetype& rule) {
  icalrecurrencetype_clear(&rule);
  const TVpDate date = DecodeDate(start);
  // DayOfWeek counts 1 Sunday to 7 Saturday, as the rule's weekdays do.
  const short weekdayInWeek = RuleDayCode(DayOfWeek(start), WeekdayPositionOfDay(date.Day));
  switch (repeatCode) {
    case rcDaily: rule.freq = ICAL_DAILY_RECURRENCE; return true;
    case rcWeekly: rule.freq = ICAL_WEEKLY_RECURRENCE; return true;
    case rcMonthlyByDay:
      rule.freq = ICAL_MONTHLY_RECURRENCE;
      rule.by_day[0] = weekdayInWeek;
      rule.by_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
      return true;
    case rcMonthlyByDate: rule.freq = ICAL_MONTHLY_RECURRENCE; return true;
    case rcYearlyByDay:
      rule.freq = ICAL_YEARLY_RECURRENCE;
      rule.by_month[0] = static_cast<short>(date.Month);
      rule.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
      rule.by_day[0] = weekdayInWeek;
      rule.by_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
      return true;
    case rcYearlyByDate: rule.freq = ICAL_YEARLY_RECURRENCE; return true;
    case rcCustom:
      if (customInterval < 1 || customInterval > 32767) return false;  // the rule holds a short
      rule.freq = ICAL_DAILY_RECURRENCE;
      rule.interval = static_cast<short>(customInterval);
      return true;
    default: return false;
  }
}

bool WrittenRuleOfRepeat(const TIcalEvent& event, icalrecurrencetype& rule) {
  const double start = OwnStartOf(event);
  if (!RuleOfRepeat(event.RepeatCode, event.CustomInterval, start, rule) ||
      DateOf(event.RepeatRangeEnd) <= DateOf(start))
    return false;
  if (IsRepeatWithoutEnd(event.RepeatRangeEnd)) return true;
  if (event.AllDayEvent) {
    rule.until = DateValueOf(event.RepeatRangeEnd);
    return true;
  }
  const double end = DateOf(event.RepeatRangeEnd) + 1 - 1.0 / 86400;
  icaltimezone* zone = ZoneOfName(event.TimeZone);
  rule.until = zone ? UtcValueOf(icaltime_as_timet_with_zone(ClockTimeOf(end), zone)) : ClockTimeOf(end);
  return true;
}
