#include "model/date_format.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "model/day_number.h"
#include "platform/ascii_text.h"

namespace {

enum TTokenKind {
  tkLiteral,
  tkDay,
  tkMonth,
  tkMinute,
  tkYear,
  tkHour,
  tkSecond,
  tkMillisecond,
  tkAmPm,        // "am/pm": Text holds the marker as written
  tkAP,          // "a/p"
  tkLocaleAmPm,  // "ampm"
  tkDateSeparator,
  tkTimeSeparator
};

struct TToken {
  TTokenKind Kind;
  int Width = 0;     // how many letters: 2 for "dd", 4 for "mmmm"
  std::string Text;  // literal text, or the am/pm token as written
};

// Splits the format into tokens. Runs of one letter longer than its longest token start a new
// token, so "ddddd" is "dddd" followed by "d".
std::vector<TToken> Tokenize(std::string_view format) {
  std::vector<TToken> tokens;
  auto literal = [&](std::string_view text) {
    if (tokens.empty() || tokens.back().Kind != tkLiteral) tokens.push_back({tkLiteral, 0, ""});
    tokens.back().Text += text;
  };
  bool afterHour = false;
  size_t i = 0;
  while (i < format.size()) {
    const char c = LowerAscii(format[i]);
    if (c == '"' || c == '\'') {
      const size_t close = format.find(format[i], i + 1);
      const size_t end = close == std::string_view::npos ? format.size() : close;
      literal(format.substr(i + 1, end - i - 1));
      i = end == format.size() ? end : end + 1;
      continue;
    }
    if (c == 'a') {
      if (StartsWithTextAscii(format.substr(i), "am/pm")) {
        tokens.push_back({tkAmPm, 5, std::string(format.substr(i, 5))});
        i += 5;
      } else if (StartsWithTextAscii(format.substr(i), "ampm")) {
        tokens.push_back({tkLocaleAmPm, 4, ""});
        i += 4;
      } else if (StartsWithTextAscii(format.substr(i), "a/p")) {
        tokens.push_back({tkAP, 3, std::string(format.substr(i, 3))});
        i += 3;
      } else {
        literal(format.substr(i, 1));
        ++i;
        continue;
      }
      afterHour = false;
      continue;
    }
    if (c == '/' || c == ':') {
      tokens.push_back({c == '/' ? tkDateSeparator : tkTimeSeparator, 1, ""});
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < format.size() && LowerAscii(format[i + run]) == c) ++run;
    TTokenKind kind;
    size_t width;
    switch (c) {
      case 'd':
        kind = tkDay;
        width = std::min<size_t>(run, 4);
        break;
      case 'm':
        if (afterHour && run <= 2) {
          kind = tkMinute;
          width = run;
        } else {
          kind = tkMonth;
          width = std::min<size_t>(run, 4);
        }
        break;
      case 'y':
        kind = tkYear;
        width = std::min<size_t>(run, 4);
        break;
      case 'h':
        kind = tkHour;
        width = std::min<size_t>(run, 2);
        break;
      case 'n':
        kind = tkMinute;
        width = std::min<size_t>(run, 2);
        break;
      case 's':
        kind = tkSecond;
        width = std::min<size_t>(run, 2);
        break;
      case 'z':
        kind = tkMillisecond;
        width = run >= 3 ? 3 : 1;
        break;
      default:
        literal(format.substr(i, 1));
        ++i;
        continue;
    }
    tokens.push_back({kind, static_cast<int>(width), ""});
    afterHour = kind == tkHour;
    i += width;
  }
  return tokens;
}

std::string Padded(long long number, int digits) {
  std::string text = std::to_string(std::llabs(number));
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return number < 0 ? "-" + text : text;
}

bool IsMarker(const TToken& token) { return token.Kind == tkAmPm || token.Kind == tkAP || token.Kind == tkLocaleAmPm; }

}  // namespace

std::string FormatDateTime(std::string_view format, double value, const TLocale& locale) {
  const std::vector<TToken> tokens = Tokenize(format);
  const bool twelveHour = std::any_of(tokens.begin(), tokens.end(), IsMarker);
  const TVpDate date = DecodeDate(value);
  const TVpTime time = DecodeTime(value);
  const bool afternoon = time.Hour >= 12;
  const int weekday = DayOfWeek(value);

  std::string out;
  for (const TToken& token : tokens) {
    switch (token.Kind) {
      case tkLiteral: out += token.Text; break;
      case tkDay:
        if (token.Width == 4) out += locale.LongDayName(weekday);
        else if (token.Width == 3) out += locale.ShortDayName(weekday);
        else out += Padded(date.Day, token.Width);
        break;
      case tkMonth:
        if (token.Width == 4) out += locale.LongMonthName(date.Month);
        else if (token.Width == 3) out += locale.ShortMonthName(date.Month);
        else out += Padded(date.Month, token.Width);
        break;
      case tkYear:
        if (token.Width <= 2) out += Padded(((date.Year % 100) + 100) % 100, 2);
        else out += Padded(date.Year, 4);
        break;
      case tkHour: {
        int hour = time.Hour;
        if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
        out += Padded(hour, token.Width);
        break;
      }
      case tkMinute: out += Padded(time.Minute, token.Width); break;
      case tkSecond: out += Padded(time.Second, token.Width); break;
      case tkMillisecond: out += Padded(time.Millisecond, token.Width); break;
      case tkAmPm: out += afternoon ? token.Text.substr(3, 2) : token.Text.substr(0, 2); break;
      case tkAP: out += afternoon ? token.Text.substr(2, 1) : token.Text.substr(0, 1); break;
      case tkLocaleAmPm: out += afternoon ? locale.TimePMString() : locale.TimeAMString(); break;
      case tkDateSeparator: out += locale.DateSeparator(); break;
      case tkTimeSeparator: out += locale.TimeSeparator(); break;
    }
  }
  return out;
}

std::string FormatShortDate(double value, const TLocale& locale) {
  return FormatDateTime(locale.ShortDateFormat(), value, locale);
}

std::string FormatShortTime(double value, const TLocale& locale) {
  return FormatDateTime(locale.ShortTimeFormat(), value, locale);
}

std::string FormatLongTime(double value, const TLocale& locale) {
  return FormatDateTime(locale.LongTimeFormat(), value, locale);
}

std::string TwoDigits(long long value) {
  value = (value % 100 + 100) % 100;
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string IsoDateText(double value) {
  const TVpDate date = DecodeDate(value);
  std::string year = std::to_string(date.Year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  return year + "-" + TwoDigits(date.Month) + "-" + TwoDigits(date.Day);
}
