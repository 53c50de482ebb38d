#include "model/date_stamps.h"

#include <charconv>
#include <cstdio>

#include "model/day_number.h"
#include "model/moment.h"

namespace {

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, first + count, value);
  return error == std::errc() && end == first + count;
}

}  // namespace

std::string StampText(double value, bool dateOnly) {
  const TVpDate date = DecodeDate(value);
  char text[20];
  if (dateOnly) {
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.Year, date.Month, date.Day);
  } else {
    const TVpTime time = DecodeTime(value);
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", date.Year, date.Month, date.Day, time.Hour,
                  time.Minute, time.Second);
  }
  return text;
}

bool ParseStamp(std::string_view text, double& value) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day)) return false;
  if (text.size() != 8) {
    if (text.size() != 15 || text[8] != 'T' || !Digits(text, 9, 2, hour) || !Digits(text, 11, 2, minute) ||
        !Digits(text, 13, 2, second))
      return false;
  }
  // A day beyond its month's length would count on into the next month: such a stamp names no date.
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 ||
      DecodeDate(EncodeDate(year, month, day)).Day != day || hour > 23 || minute > 59 || second > 59)
    return false;
  value = ClockValue(EncodeDate(year, month, day), hour, minute, second);
  return true;
}

std::vector<TVpStamp> ParseStampList(std::string_view text) {
  std::vector<TVpStamp> values;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    double value = 0;
    if (ParseStamp(entry, value)) values.push_back({value, entry.size() == 8});
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return values;
}

std::string StampListText(const std::vector<double>& values, bool dateOnly) {
  std::string text;
  for (const double value : values) {
    if (!text.empty()) text += ',';
    text += StampText(value, dateOnly);
  }
  return text;
}
