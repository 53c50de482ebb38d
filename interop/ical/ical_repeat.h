#pragma once
#include <libical/ical.h>

#include "interop/ical/ical_item.h"
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

// The rule a calendar file gets for the event's repeat code: RuleOfRepeat from its start on its own
// clock, ending (UNTIL) on the range end's day: that date for an all-day event, else the day's
// last second, in UTC for a zoned event and floating for a floating one; without UNTIL for a
// repeat without end. False when the code does not repeat or the range ends on the start's day.
bool WrittenRuleOfRepeat(const TIcalEvent& event, icalrecurrencetype& rule);
