#pragma once
#include <libical/ical.h>

#include "model/day_number.h"

// The planner's repeat codes as calendar rules, both ways.

struct TIcalRepeatShape {
  int RepeatCode = 0;  // TVpRepeatCode; rcNone when the planner cannot hold the rule
  int CustomInterval = 0;
};

// The repeat code that places the same occurrences as the rule from this start (COUNT and UNTIL
// aside: they become the range end). The start is read as the file wrote it, as the rule is.
TIcalRepeatShape RepeatShapeOf(const icalrecurrencetype& rule, icaltimetype start);

// The rule of a repeat code for an event starting on the day (a local day number), without its
// end. False when the code does not repeat.
bool RuleOfRepeat(int repeatCode, int customInterval, double start, icalrecurrencetype& rule);

// The date of the last of count occurrences of a repeat the planner holds, from the start's date,
// counted by calendar arithmetic (walking the rule would cost time per occurrence). Not later
// than 31 December 9999.
TVpDate LastDateOfCount(const TIcalRepeatShape& shape, TVpDate start, long long count);
