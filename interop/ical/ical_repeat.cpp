#include "interop/ical/ical_repeat.h"

#include <algorithm>
#include <cstddef>

#include "model/day_number.h"
#include "model/enumerations.h"

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

// A weekday of the rule's BY-day list, with its position in the month (0 for every one).
short EncodeDay(int weekday, int position) {
  const int code = (position < 0 ? -position : position) * 8 + weekday;
  return static_cast<short>(position < 0 ? -code : code);
}

// 1 for days 1-7 ... 5 for days 29-31, as the planner counts weeks of a month.
int WeekOfMonth(int day) { return (day + 6) / 7; }

// The BY-day position the planner's "same weekday in the same week" means: the n-th weekday in
// the first four weeks, the last one in the fifth.
int PositionOfWeek(int week) { return week == 5 ? -1 : week; }

// True when the rule's only day is the start's weekday at the start's week of the month.
bool IsStartsWeekdayInWeek(const icalrecurrencetype& rule, icaltimetype start) {
  if (CountOf(rule.by_day) != 1 || CountOf(rule.by_month_day) != 0) return false;
  return icalrecurrencetype_day_day_of_week(rule.by_day[0]) == icaltime_day_of_week(start) &&
         icalrecurrencetype_day_position(rule.by_day[0]) == PositionOfWeek(WeekOfMonth(start.day));
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The day of the month holding the weekday (1 Sunday to 7 Saturday) in the week (5: the last).
int DayOfWeekInWeek(int year, int month, int weekday, int week) {
  if (week == 5) {
    const int last = DaysInMonth(year, month);
    return last - (DayOfWeek(EncodeDate(year, month, last)) - weekday + 7) % 7;
  }
  return 1 + (weekday - DayOfWeek(EncodeDate(year, month, 1)) + 7) % 7 + 7 * (week - 1);
}

}  // namespace

TVpDate LastDateOfCount(const TIcalRepeatShape& shape, TVpDate start, long long count) {
  const double first = EncodeDate(start.Year, start.Month, start.Day);
  const double latest = EncodeDate(9999, 12, 31);
  const long long more = std::max(count, 1LL) - 1;
  const long long days = shape.RepeatCode == rcWeekly ? 7 : shape.RepeatCode == rcCustom ? shape.CustomInterval : 1;
  if (shape.RepeatCode == rcDaily || shape.RepeatCode == rcWeekly || shape.RepeatCode == rcCustom)
    return DecodeDate(std::min(first + static_cast<double>(std::min(more, 4'000'000LL) * days), latest));
  const int step = shape.RepeatCode == rcMonthlyByDay || shape.RepeatCode == rcMonthlyByDate ? 1 : 12;
  const bool byDay = shape.RepeatCode == rcMonthlyByDay || shape.RepeatCode == rcYearlyByDay;
  const int weekday = DayOfWeek(first);
  TVpDate last = start;
  long long months = 0;
  for (long long found = 0; found < more;) {
    months += step;
    const long long total = start.Month - 1 + months;
    const long long year = start.Year + total / 12;
    if (year > 9999) break;
    const int month = static_cast<int>(total % 12) + 1;
    const int y = static_cast<int>(year);
    if (byDay) {
      last = {y, month, DayOfWeekInWeek(y, month, weekday, WeekOfMonth(start.Day))};
      ++found;
    } else if (start.Day <= DaysInMonth(y, month)) {  // months without the day have no occurrence
      last = {y, month, start.Day};
      ++found;
    }
  }
  return last;
}

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
  const short weekdayInWeek = EncodeDay(DayOfWeek(start), PositionOfWeek(WeekOfMonth(date.Day)));
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
