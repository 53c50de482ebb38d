#include "views/date_edit/date_edit_parser.h"

#include <array>
#include <climits>
#include <optional>
#include <vector>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/ascii_text.h"
#include "platform/error_text.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

std::string_view TrimmedSpace(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// The maximal runs of digits and letters of an upper-cased text; anything else separates them.
std::vector<std::string> Tokens(const std::string& upper) {
  std::vector<std::string> tokens;
  std::string run;
  for (const char c : upper) {
    if (IsDigit(c) || IsLetter(c)) {
      run += c;
    } else if (!run.empty()) {
      tokens.push_back(std::move(run));
      run.clear();
    }
  }
  if (!run.empty()) tokens.push_back(std::move(run));
  return tokens;
}

// The token's value when it is all digits and fits a number; a run too long for one is not a
// number either.
std::optional<int> NumberOf(const std::string& token) {
  if (token.empty()) return std::nullopt;
  long long value = 0;
  for (const char c : token) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<int>(value);
}

// What one part of the date made of its token: a value (0 for none) and the error it noted.
struct TPart {
  int Value = 0;
  const char* Error = nullptr;
};

TPart ReadDay(const std::string& token) {
  if (token.empty()) return {};
  const std::optional<int> number = NumberOf(token);
  if (!number) return {0, "Error: Invalid Day."};
  return {*number >= 1 && *number <= 31 ? *number : 0};
}

TPart ReadMonth(const std::string& token, const TLocale& locale) {
  if (token.empty()) return {};
  if (IsLetter(token.front())) {
    const std::string start = token.substr(0, 3);
    for (int month = 1; month <= 12; ++month)
      if (UpperCaseAscii(locale.ShortMonthName(month)).substr(0, start.size()) == start) return {month};
    return {0, "Error: Invalid Month Name."};
  }
  const std::optional<int> number = NumberOf(token);
  if (!number) return {0, "Error: Invalid Month."};
  return {*number >= 1 && *number <= 12 ? *number : 0};
}

TPart ReadYear(const std::string& token, int epoch, int todaysYear) {
  if (token.empty()) return {};
  const std::optional<int> number = NumberOf(token);
  if (!number) return {0, "Error: Invalid Year."};
  int year = *number;
  if (year < 100) {
    if (epoch == 0) year += todaysYear - todaysYear % 100;
    else if (epoch > 0) year += epoch / 100 * 100 + (year < epoch % 100 ? 100 : 0);
  }
  return {year};
}

const char* RequiredMessage(TVpRequiredField field) {
  switch (field) {
    case rfDay: return "Error: Day is required.";
    case rfMonth: return "Error: Month Is Required.";
    case rfYear: return "Error: Year is required.";
  }
  return "";
}

std::array<TVpRequiredField, 3> FieldsInOrder(TVpDateFieldOrder order) {
  switch (order) {
    case foDayMonthYear: return {rfDay, rfMonth, rfYear};
    case foYearMonthDay: return {rfYear, rfMonth, rfDay};
    case foMonthDayYear: break;
  }
  return {rfMonth, rfDay, rfYear};
}

std::string Quoted(std::string_view text) { return "\"" + ValueExcerpt(text) + "\""; }

}  // namespace

double ParseDateText(std::string_view text, const TVpDateTextRules& rules, const TLocale& locale, double today) {
  const std::string_view trimmed = TrimmedSpace(text);
  if (trimmed.empty() && rules.RequiredFields != 0) return 0;
  if (SameTextAscii(trimmed, rules.TodayString)) return DateOf(today);

  const std::string upper = UpperCaseAscii(trimmed);
  const std::vector<std::string> tokens = Tokens(upper);
  const TVpDate todays = DecodeDate(today);
  TVpDate date = todays;
  size_t next = 0;
  for (const TVpRequiredField field : FieldsInOrder(rules.Order)) {
    const std::string token = next < tokens.size() ? tokens[next] : std::string();
    TPart part;
    int* value = nullptr;
    int todaysValue = 0;
    switch (field) {
      case rfDay:
        part = ReadDay(token);
        value = &date.Day;
        todaysValue = todays.Day;
        break;
      case rfMonth:
        part = ReadMonth(token, locale);
        value = &date.Month;
        todaysValue = todays.Month;
        break;
      case rfYear:
        part = ReadYear(token, rules.Epoch, todays.Year);
        value = &date.Year;
        todaysValue = todays.Year;
        break;
    }
    if (part.Value != 0) {
      *value = part.Value;
      ++next;
      continue;
    }
    if ((rules.RequiredFields & RequiredField(field)) != 0) throw EVpDateEditError(RequiredMessage(field));
    // A part that is not required takes today's value and leaves the run to the next part; an
    // error it noted still ends the reading.
    *value = todaysValue;
    if (part.Error != nullptr) throw EVpDateEditError(std::string(part.Error) + " " + Quoted(token));
  }

  const bool possible = date.Year >= 100 && date.Year <= 9999 && date.Day <= MonthLength(date.Year, date.Month);
  if (!possible) throw EVpDateEditError("Error: Invalid Date. " + Quoted(upper));
  return EncodeDate(date.Year, date.Month, date.Day);
}
