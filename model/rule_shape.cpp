#include "model/rule_shape.h"

#include <libical/ical.h>

#include <algorithm>

#include "model/clock_time.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/rule_text.h"
#include "model/zone_clock.h"

namespace {

constexpr std::int64_t kMsPerSecond = 1000;

template <size_t N>
int CountOf(const short (&list)[N]) {
  int count = 0;
  while (count < static_cast<int>(N) && list[count] != ICAL_RECURRENCE_ARRAY_MAX) ++count;
  return count;
}

// The day of UNTIL on the event's clock; the day before when that day's occurrence, at the start's
// time of day, would come after UNTIL.
std::int64_t UntilDayOf(const icaltimetype& until, double start, const std::string& zone) {
  if (until.is_date) return DayNumberOf(WallOf(until));
  const double wall = icaltime_is_utc(until) ? ZoneClockOfUnix(icaltime_as_timet(until), zone) : WallOf(until);
  const std::int64_t day = DayNumberOf(wall);
  return TimeOf(start) > TimeOf(wall) ? day - 1 : day;
}

bool WeekdaysOnly(const icalrecurrencetype& rule, unsigned& weekdays) {
  weekdays = 0;
  for (int i = 0; i < CountOf(rule.by_day); ++i) {
    if (icalrecurrencetype_day_position(rule.by_day[i]) != 0) return false;
    weekdays |= WeekdayBit(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
  }
  return true;
}

}  // namespace

short RuleDayCode(int weekday, int position) {
  const int code = (position < 0 ? -position : position) * 8 + weekday;
  return static_cast<short>(position < 0 ? -code : code);
}

int WeekdayPositionOfDay(int day) { return day > 28 ? -1 : (day + 6) / 7; }

std::optional<TVpRuleShape> RuleShapeOf(const std::string& text, double start, const std::string& zone) {
  icalerror_clear_errno();
  const icalrecurrencetype rule = icalrecurrencetype_from_string(text.c_str());
  if (rule.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR) return std::nullopt;
  if (CountOf(rule.by_second) || CountOf(rule.by_minute) || CountOf(rule.by_hour) || CountOf(rule.by_year_day) ||
      CountOf(rule.by_week_no) || CountOf(rule.by_set_pos) || CountOf(rule.by_month) ||
      rule.week_start != ICAL_MONDAY_WEEKDAY || (rule.rscale && *rule.rscale) || rule.interval < 1)
    return std::nullopt;
  TVpRuleShape shape = RuleShapeOfRepeat(rcNone, 0, start);
  shape.Interval = rule.interval;
  const int days = CountOf(rule.by_day);
  const int monthDays = CountOf(rule.by_month_day);
  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      if (days || monthDays) return std::nullopt;
      shape.Frequency = rfDaily;
      break;
    case ICAL_WEEKLY_RECURRENCE:
      if (monthDays) return std::nullopt;
      shape.Frequency = rfWeekly;
      if (days && !WeekdaysOnly(rule, shape.Weekdays)) return std::nullopt;
      break;
    case ICAL_MONTHLY_RECURRENCE:
      shape.Frequency = rfMonthly;
      if (days == 0 && monthDays == 1 && rule.by_month_day[0] >= 1) {
        shape.MonthDay = rule.by_month_day[0];
      } else if (days == 1 && monthDays == 0) {
        const int position = icalrecurrencetype_day_position(rule.by_day[0]);
        if (position < -1 || position == 0 || position > 4) return std::nullopt;
        shape.ByWeekday = true;
        shape.WeekdayPosition = position;
        shape.Weekday = icalrecurrencetype_day_day_of_week(rule.by_day[0]);
      } else if (days || monthDays) {
        return std::nullopt;
      }
      break;
    case ICAL_YEARLY_RECURRENCE:
      if (days || monthDays) return std::nullopt;
      shape.Frequency = rfYearly;
      break;
    default: return std::nullopt;
  }
  shape.Count = rule.count;
  if (!icaltime_is_null_time(rule.until))
    shape.UntilDay = std::max(UntilDayOf(rule.until, start, zone), DayNumberOf(start));
  return shape;
}

std::string RuleTextOf(const TVpRuleShape& shape, bool dateOnly, const std::string& zone) {
  icalrecurrencetype rule;
  icalrecurrencetype_clear(&rule);
  static const icalrecurrencetype_frequency kFrequencies[] = {ICAL_DAILY_RECURRENCE, ICAL_WEEKLY_RECURRENCE,
                                                              ICAL_MONTHLY_RECURRENCE, ICAL_YEARLY_RECURRENCE};
  rule.freq = kFrequencies[shape.Frequency];
  rule.interval = static_cast<short>(std::clamp(shape.Interval, 1, kMaxRuleInterval));
  int days = 0;
  if (shape.Frequency == rfWeekly) {
    // Monday first, as calendar files usually list them.
    for (const int weekday : {2, 3, 4, 5, 6, 7, 1})
      if (shape.Weekdays & WeekdayBit(weekday)) rule.by_day[days++] = RuleDayCode(weekday, 0);
  } else if (shape.Frequency == rfMonthly && shape.ByWeekday) {
    rule.by_day[days++] = RuleDayCode(shape.Weekday, shape.WeekdayPosition);
  } else if (shape.Frequency == rfMonthly) {
    rule.by_month_day[0] = static_cast<short>(shape.MonthDay);
    rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
  }
  rule.by_day[days] = ICAL_RECURRENCE_ARRAY_MAX;
  char* written = icalrecurrencetype_as_string_r(&rule);
  const std::string text = written ? written : "";
  icalmemory_free_buffer(written);
  if (shape.Count > 0) return RuleEndingAfter(text, shape.Count);
  if (shape.UntilDay == 0) return text;
  const double until =
      dateOnly ? static_cast<double>(shape.UntilDay) : FromMs((shape.UntilDay + 1) * kMsPerDay - kMsPerSecond);
  return RuleEndingAt(text, until, dateOnly, zone);
}

TVpRuleShape RuleShapeOfRepeat(int repeatCode, int customInterval, double start) {
  TVpRuleShape shape;
  const int day = DecodeDate(start).Day;
  shape.Weekdays = WeekdayBit(DayOfWeek(start));
  shape.MonthDay = day;
  shape.Weekday = DayOfWeek(start);
  shape.WeekdayPosition = WeekdayPositionOfDay(day);
  switch (repeatCode) {
    case rcDaily: shape.Frequency = rfDaily; break;
    case rcCustom:
      shape.Frequency = rfDaily;
      shape.Interval = std::clamp(customInterval, 1, kMaxRuleInterval);
      break;
    case rcMonthlyByDay:
      shape.Frequency = rfMonthly;
      shape.ByWeekday = true;
      break;
    case rcMonthlyByDate: shape.Frequency = rfMonthly; break;
    case rcYearlyByDay:
    case rcYearlyByDate: shape.Frequency = rfYearly; break;
    default: break;  // weekly on the start's weekday
  }
  return shape;
}

int RepeatCodeOf(const TVpRuleShape& shape, double start, int& customInterval) {
  customInterval = 0;
  if (shape.Count > 0) return rcNone;
  const TVpDate date = DecodeDate(start);
  const bool every = shape.Interval == 1;
  switch (shape.Frequency) {
    case rfDaily:
      if (every) return rcDaily;
      customInterval = shape.Interval;
      return rcCustom;
    case rfWeekly:
      if (shape.Weekdays != WeekdayBit(DayOfWeek(start))) return rcNone;
      if (every) return rcWeekly;
      // A custom interval is written back as a rule of as many days, which holds a short.
      if (shape.Interval > kMaxRuleInterval / 7) return rcNone;
      customInterval = 7 * shape.Interval;
      return rcCustom;
    case rfMonthly:
      // The codes' months have a day of each date up to the 28th and an n-th weekday up to the
      // fourth; later ones are left to the rule.
      if (!every || date.Day > 28) return rcNone;
      if (!shape.ByWeekday) return shape.MonthDay == date.Day ? rcMonthlyByDate : rcNone;
      return shape.Weekday == DayOfWeek(start) && shape.WeekdayPosition == WeekdayPositionOfDay(date.Day)
                 ? rcMonthlyByDay
                 : rcNone;
    case rfYearly: return every && !(date.Month == 2 && date.Day == 29) ? rcYearlyByDate : rcNone;
  }
  return rcNone;
}
