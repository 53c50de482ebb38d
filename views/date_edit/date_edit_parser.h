#pragma once

#include <string>
#include <string_view>

#include "model/vp_exception.h"
#include "platform/locale.h"

// A date text the date edit cannot read. The message names what is wrong and, for an invalid part,
// quotes it: "Error: Invalid Month Name. \"XYZ\"".
class EVpDateEditError : public EVpException {
 public:
  using EVpException::EVpException;
};

// The parts of a date the user must type; a set of these is a bit mask of 1 << value.
enum TVpRequiredField { rfYear = 0, rfMonth = 1, rfDay = 2 };
using TVpRequiredFields = unsigned;
constexpr TVpRequiredFields RequiredField(TVpRequiredField field) { return 1u << field; }

// The order in which the parts of a date are typed.
enum TVpDateFieldOrder {
  foMonthDayYear = 0,
  foDayMonthYear = 1,
  foYearMonthDay = 2,
};

// How a date text is read.
struct TVpDateTextRules {
  TVpDateFieldOrder Order = foMonthDayYear;
  TVpRequiredFields RequiredFields = RequiredField(rfMonth) | RequiredField(rfDay);
  // How a two-digit year gets its century: 0 takes today's century; above 0 the century of Epoch,
  // or the one after it for a year below Epoch's last two digits (Epoch 1950: 49 is 2049, 50 is
  // 1950).
  int Epoch = 0;
  // The text that stands for today, letters compared without regard to case.
  std::string TodayString = "/";
};

// The date a typed text stands for, with the parts in the rules' order. The text is split into
// runs of digits and letters; each part takes the next run when it can read it (a month also by
// the start of its short name) and else, when it is not required, today's value, leaving the run
// for the next part. Returns 0 (no date) for a text of white space only while some part is
// required, and today for the today string; otherwise the date, 1 January 100 to 31 December 9999.
// Raises EVpDateEditError with one of:
//   Error: Invalid Day. "<run>"          Error: Day is required.
//   Error: Invalid Month. "<run>"        Error: Month Is Required.
//   Error: Invalid Month Name. "<run>"   Error: Year is required.
//   Error: Invalid Year. "<run>"         Error: Invalid Date. "<whole text>"
// where runs and the text are upper-cased; a run of digits too long for a number is not a number.
double ParseDateText(std::string_view text, const TVpDateTextRules& rules, const TLocale& locale, double today);
