#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/locale.h"

class TVpMonthView;

// What the calendar window decides without the desktop: the look of its month view and the dates
// its month and year lists stand for.

// The years the year list offers.
constexpr int kFirstListedYear = 1900;
constexpr int kLastListedYear = 2200;

// Gives the calendar window's month view its look before the settings file is applied: fonts,
// colours, time format, bold event days, weeks starting on Sunday.
void ConfigureCalendarMonthView(TVpMonthView& view);

// The twelve long month names and the listed years as text, as the two lists show them.
std::vector<std::string> MonthListNames(const TLocale& locale);
std::vector<std::string> YearListNames();

// The year list's entry for the date's year; none for a year the list does not hold, which
// leaves the list on the year it shows.
std::optional<int> YearListIndex(double date);

// The date the two lists choose: the month (1 to 12) of the listed year, on the day of the
// current date, lowered to that month's length. None when the year list shows no year.
std::optional<double> ListedMonthDate(const std::string& yearText, int month, double current);
