#pragma once

#include <string>
#include <string_view>

#include "platform/locale.h"

// Formats a date-time by a format string. Tokens, matched without regard to letter case:
//   d dd        day of month, without / with leading zero
//   ddd dddd    short / long weekday name
//   m mm        month number, without / with leading zero; minutes when right after h or hh
//   mmm mmmm    short / long month name
//   yy yyyy     two-digit / four-digit year
//   h hh        hour, without / with leading zero; 1-12 when the format has an am/pm token
//   n nn        minutes;  s ss  seconds;  z zzz  milliseconds, without / with leading zeros
//   am/pm a/p   the marker in the letter case written ("AM/PM" gives "PM", "a/p" gives "p")
//   ampm        the locale's AM or PM text
//   /  :        the locale's date and time separators
//   "..." '...' literal text
// Any other character stands for itself. Names come from the locale.
std::string FormatDateTime(std::string_view format, double value, const TLocale& locale);

// The value in the locale's short date format and in its short or long time format.
std::string FormatShortDate(double value, const TLocale& locale);
std::string FormatShortTime(double value, const TLocale& locale);
std::string FormatLongTime(double value, const TLocale& locale);

// The last two digits of the number (5 gives "05", 2024 gives "24").
std::string TwoDigits(long long value);
// The day of the value as ISO 8601 writes it: "2024-05-10".
std::string IsoDateText(double value);
