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
