#pragma once

#include <memory>
#include <optional>
#include <string>

// The starts a repeat rule in calendar-file form (an RRULE value) places, one after the other, on
// the clock of the event it belongs to (day numbers). The first start is always the event's own.
// The walk is bounded by work as well as by the rule: it goes no further from the start than a
// number of steps of the rule's own frequency (a rule whose filters rarely or never match would
// otherwise have the walk step through centuries second by second), nor past 31 December 9999.
class TVpRuleSteps {
 public:
  TVpRuleSteps();
  ~TVpRuleSteps();
  TVpRuleSteps(const TVpRuleSteps&) = delete;
  TVpRuleSteps& operator=(const TVpRuleSteps&) = delete;

  // Starts the walk of the rule from the start (a whole day when dateOnly) on the clock of the zone
  // (local time for none); false for a rule that cannot be read, which places no start but the
  // event's own. An UNTIL in UTC ends the walk at the moment it names, as that zone's clock shows it.
  bool Open(const std::string& rule, double start, bool dateOnly, const std::string& zone = {});
  // The next start, or nothing when the rule (or the work it may cost) ends.
  std::optional<double> Next();
  // Moves the walk on so that the next start is the first at or after the clock time, without
  // stepping through the starts before it; false, leaving the walk as it was, for a rule that
  // counts its occurrences (COUNT) or a time not after the event's start.
  bool SkipTo(double wall);
  // One step of the rule's frequency times its interval, in days (0 for a rule not read).
  double StepDays() const;

 private:
  struct TState;
  std::unique_ptr<TState> State_;
};

// The last local day (a day number) a repeat rule reaches from the start on the zone's clock (local
// time for none), for the store to know which events a span of days may need: the day of its UNTIL
// (one in UTC as local time shows it), the day of its last occurrence when it counts them (COUNT),
// kRepeatWithoutEnd for a rule without end. A rule that cannot be read reaches the start's day.
double RuleRangeEnd(const std::string& rule, double start, bool dateOnly, const std::string& zone = {});
