#include "model/rule_text.h"

#include <libical/ical.h>

#include "model/day_number.h"
#include "model/zone_clock.h"

namespace {

bool ReadRule(const std::string& text, icalrecurrencetype& rule) {
  icalerror_clear_errno();
  rule = icalrecurrencetype_from_string(text.c_str());
  return rule.freq != ICAL_NO_RECURRENCE && icalerrno == ICAL_NO_ERROR;
}

std::string TextOf(icalrecurrencetype& rule) {
  char* text = icalrecurrencetype_as_string_r(&rule);
  std::string result = text ? text : "";
  icalmemory_free_buffer(text);
  return result;
}

}  // namespace

int CountOf(const std::string& text) {
  icalrecurrencetype rule;
  return ReadRule(text, rule) ? rule.count : 0;
}

std::string RuleEndingAfter(const std::string& text, int count) {
  icalrecurrencetype rule;
  if (!ReadRule(text, rule)) return text;
  rule.count = count;
  rule.until = icaltime_null_time();
  return TextOf(rule);
}

std::string RuleEndingAt(const std::string& text, double wall, bool dateOnly, const std::string& zone) {
  icalrecurrencetype rule;
  if (!ReadRule(text, rule)) return text;
  rule.count = 0;
  const TVpDate date = DecodeDate(wall);
  if (dateOnly) {
    rule.until = icaltime_null_date();
  } else if (!zone.empty()) {
    rule.until = icaltime_from_timet_with_zone(UnixOfLocalDayNumber(LocalFromZone(wall, zone)), 0,
                                               icaltimezone_get_utc_timezone());
    return TextOf(rule);
  } else {
    const TVpTime time = DecodeTime(wall);
    rule.until = icaltime_null_time();
    rule.until.hour = time.Hour;
    rule.until.minute = time.Minute;
    rule.until.second = time.Second;
  }
  rule.until.year = date.Year;
  rule.until.month = date.Month;
  rule.until.day = date.Day;
  return TextOf(rule);
}

std::string RuleShiftedByDays(const std::string& text, int days) {
  icalrecurrencetype rule;
  if (days == 0 || !ReadRule(text, rule)) return text;
  const int weekdays = ((days % 7) + 7) % 7;
  for (short& day : rule.by_day) {
    if (day == ICAL_RECURRENCE_ARRAY_MAX) break;
    // A day is its position and weekday (Sunday 1 to Saturday 7) added up, negated for a position
    // counted from the end: the weekday changes alone.
    const int weekday = icalrecurrencetype_day_day_of_week(day);
    const int moved = (weekday - 1 + weekdays) % 7 + 1;
    day = static_cast<short>(icalrecurrencetype_day_position(day) < 0 ? day + weekday - moved : day - weekday + moved);
  }
  for (short& day : rule.by_month_day) {
    if (day == ICAL_RECURRENCE_ARRAY_MAX) break;
    const int moved = day + days;
    if ((day > 0 && moved >= 1 && moved <= 31) || (day < 0 && moved <= -1 && moved >= -31))
      day = static_cast<short>(moved);
  }
  return TextOf(rule);
}
