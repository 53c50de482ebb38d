#include "model/rule_words.h"

#include <libical/ical.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kWeekdays[] = {"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"",     "January", "February",  "March",   "April",    "May",     "June",
                                   "July", "August",  "September", "October", "November", "December"};

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

std::string Ordinal(int n) {
  if (n == -1) return "last";
  if (n < 0) return Ordinal(-n) + " to last";
  static const char* const kWords[] = {"", "first", "second", "third", "fourth", "fifth"};
  if (n <= 5) return kWords[n];
  const int tens = n % 100;
  const char* suffix = tens >= 11 && tens <= 13 ? "th"
                       : n % 10 == 1            ? "st"
                       : n % 10 == 2            ? "nd"
                       : n % 10 == 3            ? "rd"
                                                : "th";
  return std::to_string(n) + suffix;
}

template <size_t N>
std::vector<short> Given(const short (&array)[N]) {
  std::vector<short> values;
  for (size_t i = 0; i < N && array[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) values.push_back(array[i]);
  return values;
}

std::string FrequencyWords(icalrecurrencetype_frequency frequency, int interval) {
  static const char* const kUnits[] = {"second", "minute", "hour", "day", "week", "month", "year"};
  const int index = static_cast<int>(frequency) - static_cast<int>(ICAL_SECONDLY_RECURRENCE);
  const std::string unit = kUnits[index];
  if (interval <= 1) return "Every " + unit;
  if (interval == 2) return "Every other " + unit;
  return "Every " + std::to_string(interval) + " " + unit + "s";
}

std::string UntilWords(const icaltimetype& until) {
  return "until " + std::to_string(until.day) + " " + kMonths[until.month] + " " + std::to_string(until.year);
}

}  // namespace

std::string RepeatRuleInWords(const std::string& text) {
  if (text.empty()) return {};
  icalerror_clear_errno();
  const icalrecurrencetype rule = icalrecurrencetype_from_string(text.c_str());
  const std::string asStands = "Repeats by the rule " + text;
  if (rule.freq == ICAL_NO_RECURRENCE || icalerrno != ICAL_NO_ERROR) return asStands;
  if (!Given(rule.by_second).empty() || !Given(rule.by_minute).empty() || !Given(rule.by_hour).empty() ||
      !Given(rule.by_year_day).empty() || !Given(rule.by_week_no).empty())
    return asStands;

  std::string words = FrequencyWords(rule.freq, rule.interval);
  const std::vector<short> setPositions = Given(rule.by_set_pos);
  std::vector<std::string> days;
  for (const short day : Given(rule.by_day)) {
    const int position = icalrecurrencetype_day_position(day);
    std::string name = kWeekdays[icalrecurrencetype_day_day_of_week(day)];
    if (position != 0) name = "the " + Ordinal(position) + " " + name;
    days.push_back(name);
  }
  if (!days.empty()) {
    if (setPositions.size() == 1) words += " on the " + Ordinal(setPositions[0]) + " of " + Listed(days);
    else if (setPositions.empty()) words += " on " + Listed(days);
    else return asStands;
  } else if (!setPositions.empty()) {
    return asStands;
  }
  std::vector<std::string> monthDays;
  for (const short day : Given(rule.by_month_day))
    monthDays.push_back(day < 0 ? "the " + Ordinal(day) + " day" : "day " + std::to_string(day));
  if (!monthDays.empty()) words += " on " + Listed(monthDays);
  std::vector<std::string> months;
  for (const short month : Given(rule.by_month)) months.push_back(kMonths[icalrecurrencetype_month_month(month)]);
  if (!months.empty()) words += " in " + Listed(months);

  if (rule.count > 0) words += rule.count == 1 ? ", once" : ", " + std::to_string(rule.count) + " times";
  else if (!icaltime_is_null_time(rule.until)) words += ", " + UntilWords(rule.until);
  return words;
}
