#pragma once

#include <cstdint>

// Date-times are day numbers: a double counting days since 30 December 1899, the time of day as
// the fraction (0.5 is noon). The planner keeps them on whole milliseconds, and every helper here
// reads a value through its millisecond count, so that a boundary such as 09:45:00.000 compares
// exactly. The day number of a value is the value cut toward zero; before the epoch the fraction
// still counts forward into the day (-1.25 is 29 December 1899, 06:00).

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kMsPerMinute = 60'000;
constexpr double kOneMinute = 1.0 / 1440;

// The value as a count of milliseconds, rounded to the nearest.
std::int64_t ToMs(double value);
double FromMs(std::int64_t ms);
// The value on its nearest whole millisecond: what record setters store.
inline double SnapToMs(double value) { return FromMs(ToMs(value)); }

// The day number of the value (cut toward zero), and the value's whole day as a date-time.
std::int64_t DayNumberOf(double value);
inline double DateOf(double value) { return static_cast<double>(DayNumberOf(value)); }
// The time of day of the value, as a fraction of a day (0 <= result < 1).
double TimeOf(double value);

struct TVpDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  friend bool operator==(const TVpDate&, const TVpDate&) = default;
};

struct TVpTime {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
  friend bool operator==(const TVpTime&, const TVpTime&) = default;
};

// Proleptic Gregorian calendar. A day beyond the month's length counts on into the next month.
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second = 0, int millisecond = 0);
TVpDate DecodeDate(double value);
TVpTime DecodeTime(double value);
// Weekday of the value: 1 Sunday to 7 Saturday.
int DayOfWeek(double value);
