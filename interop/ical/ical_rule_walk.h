#pragma once
#include <libical/ical.h>

#include <chrono>
#include <functional>

// How the walk of one repeat rule ended.
enum TIcalWalkEnd {
  weRuleEnd,  // the rule's own end (COUNT, UNTIL, no more occurrences), or the taker wanted no more
  weHorizon,  // the last moment asked for
  weWork      // the work one item may cost: occurrences further on were not looked for
};

// The longest time the repeat rules of one item are walked.
constexpr std::chrono::milliseconds kMaxIcalItemWalk{1000};

// Walks the occurrences of the rule from the start (as the file wrote it), in order, handing each
// to take until it returns false. The walk is bounded by work as well as by the rule: it goes
// neither past the wall-clock day number untilWall (0: no such moment) nor further from the start
// than a number of steps of the rule's own frequency (a rule whose filters rarely or never match
// would have the calendar library step through centuries second by second in one call), and it
// stops at the deadline.
TIcalWalkEnd WalkIcalRule(const icalrecurrencetype& rule, icaltimetype start, double untilWall,
                          std::chrono::steady_clock::time_point deadline,
                          const std::function<bool(icaltimetype)>& take);
