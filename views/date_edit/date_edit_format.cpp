#include "views/date_edit/date_edit_format.h"

#include "platform/ascii_text.h"

namespace {

// Where the format's first unquoted letter of the kind (lower case) stands, or npos.
size_t FirstFormatLetter(std::string_view format, char letter) {
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (LowerAscii(c) == letter) {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

TVpDateFieldOrder DateFieldOrderOf(std::string_view shortDateFormat) {
  const size_t day = FirstFormatLetter(shortDateFormat, 'd');
  const size_t month = FirstFormatLetter(shortDateFormat, 'm');
  const size_t year = FirstFormatLetter(shortDateFormat, 'y');
  if (year < day && year < month) return foYearMonthDay;
  if (day < month) return foDayMonthYear;
  return foMonthDayYear;
}

std::string DateEditFormat(std::string_view shortDateFormat, bool forceCentury) {
  std::string format(shortDateFormat);
  if (!forceCentury) return format;
  std::string lower = format;
  for (char& c : lower) c = LowerAscii(c);
  if (lower.find("yyyy") != std::string::npos) return format;
  const size_t twoDigits = lower.find("yy");
  if (twoDigits != std::string::npos) format.insert(twoDigits, "yy");
  return format;
}
