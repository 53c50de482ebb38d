#pragma once

#include <initializer_list>
#include <optional>

#include "views/linkable_control.h"

// The "Change Date" submenu of the date views' popup menus: each view lists the moves it offers,
// and a chosen entry gives the date to go to.
enum TVpDateChange {
  dcToday,
  dcYesterday,
  dcTomorrow,
  dcNextDay,
  dcPreviousDay,
  dcNextWeek,
  dcPreviousWeek,
  dcNextMonth,
  dcPreviousMonth,
  dcNextYear,
  dcPreviousYear
};

// Commands of the submenu start here, above the views' own commands.
constexpr int kDateChangeCommands = 1000;

// The submenu with the entries in the order given.
TVpMenuItem DateChangeMenu(std::initializer_list<TVpDateChange> entries);

// The date a chosen command leads to from the date (today from now); none when the command is not
// one of the submenu's. A month or a year away keeps the day, lowered to the month's length.
std::optional<double> DateChangeTarget(int command, double date, double now);
