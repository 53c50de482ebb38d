#include "print/caption_variables.h"

#include <string>

#include "model/date_format.h"
#include "model/day_number.h"

namespace {

bool IsNameCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

}  // namespace

void TVpCaptionVariables::Set(const std::string& name, std::string value) {
  for (auto& [itemName, itemValue] : Items_) {
    if (itemName == name) {
      itemValue = std::move(value);
      return;
    }
  }
  Items_.emplace_back(name, std::move(value));
}

bool TVpCaptionVariables::Has(std::string_view name) const {
  for (const auto& item : Items_)
    if (item.first == name) return true;
  return false;
}

std::string TVpCaptionVariables::Value(std::string_view name) const {
  for (const auto& item : Items_)
    if (item.first == name) return item.second;
  return {};
}

std::string ExpandCaption(std::string_view caption, const TVpCaptionVariables& variables,
                          const TVpOnGetVariableEvent& onGetVariable) {
  std::string out;
  size_t i = 0;
  while (i < caption.size()) {
    if (caption[i] != '$') {
      out += caption[i++];
      continue;
    }
    size_t end = i + 1;
    while (end < caption.size() && IsNameCharacter(caption[end])) ++end;
    const std::string name(caption.substr(i + 1, end - i - 1));
    if (end < caption.size() && caption[end] == ';') ++end;
    const bool found = variables.Has(name);
    std::string value = found ? variables.Value(name) : std::string();
    TVpChangeVar change = found ? cvChange : cvRemove;
    if (onGetVariable) onGetVariable(name, found, value, change);
    if (change == cvChange) out += value;
    if (change == cvIgnore) out += caption.substr(i, end - i);
    i = end;
  }
  return out;
}

void SetDateVariables(TVpCaptionVariables& variables, double date, const TLocale& locale) {
  const TVpDate day = DecodeDate(date);
  const std::string year = std::to_string(day.Year);
  const struct {
    const char* Name;
    const char* Pattern;
    std::string Value;
  } kVariables[] = {
      {"DayNumber", "d", std::to_string(day.Day)},
      {"DayNumber0", "dd", TwoDigits(day.Day)},
      {"DayAbbrev", "ddd", locale.ShortDayName(DayOfWeek(date))},
      {"DayName", "dddd", locale.LongDayName(DayOfWeek(date))},
      {"ShortDate", "ddddd", FormatShortDate(date, locale)},
      {"LongDate", "dddddd", FormatDateTime(locale.LongDateFormat(), date, locale)},
      {"Era", "e", year},
      {"Era0", "ee", TwoDigits(day.Year)},
      {"EraAbbrev", "g", "AD"},
      {"EraName", "gg", "A.D."},
      {"Month", "m", std::to_string(day.Month)},
      {"Month0", "mm", TwoDigits(day.Month)},
      {"MonthAbbv", "mmm", locale.ShortMonthName(day.Month)},
      {"MonthName", "mmmm", locale.LongMonthName(day.Month)},
      {"ShortYear", "yy", TwoDigits(day.Year)},
      {"LongYear", "yyyy", year},
      {"DateSep", "/", std::string(1, locale.DateSeparator())},
  };
  for (const auto& variable : kVariables) {
    variables.Set(variable.Name, variable.Value);
    variables.Set(variable.Pattern, variable.Value);
  }
}
