#pragma once

#include <string>
#include <string_view>

#include "views/date_edit/date_edit_parser.h"

// The order of day, month and year in a short date format ("m/d/yyyy" month-day-year,
// "dd.mm.yyyy" day-month-year, "yyyy-mm-dd" year-month-day): year-month-day when the year comes
// first, else day-month-year when the day comes before the month, else month-day-year. Quoted
// literal text is skipped.
TVpDateFieldOrder DateFieldOrderOf(std::string_view shortDateFormat);

// The format a date edit shows its date in: the short date format, with forceCentury and no
// "yyyy" in it, the two-digit year "yy" widened to "yyyy".
std::string DateEditFormat(std::string_view shortDateFormat, bool forceCentury);
