#pragma once

#include <cstdint>
#include <optional>

class TVpEvent;

// Whether a repeating event falls on a given day, answered from the one stored event by date
// arithmetic (repetition is never expanded into copies). A day is a date-time, normally midnight.

// What the repetition rule needs to know about an event, read once from its fields.
struct TVpRecurrence {
  int RepeatCode = 0;
  int CustomInterval = 0;
  std::int64_t StartDay = 0;     // day number of StartTime
  std::int64_t RangeEndDay = 0;  // day number of RepeatRangeEnd
  int DayOfMonth = 0;            // of StartTime
  int Month = 0;
  int Weekday = 0;
  int WeekOfMonth = 0;  // 1 for days 1-7, ..., 5 for days 29-31
};

// What the repetition rule needs to know about a day.
struct TVpDayFacts {
  double Value = 0;  // the day as passed, on whole milliseconds
  std::int64_t DayNumber = 0;
  int DayOfMonth = 0;
  int Month = 0;
  int Weekday = 0;
  int WeekOfMonth = 0;
  bool InLastWeek = false;  // the same day a week later lies in another month
};

// Whether an event with this RepeatCode repeats: the codes rcDaily to rcCustom. rcNone and any
// other value keep the event to its start day.
bool IsRepeating(int repeatCode);

// The RepeatRangeEnd of a repeat without end: 31 December 9999, a day that files and readers of
// every age take as the far future. (A range end of 0 keeps its meaning: the event never recurs.)
inline constexpr double kRepeatWithoutEnd = 2958465;
// Whether a RepeatRangeEnd says the repeat has no end.
inline bool IsRepeatWithoutEnd(double rangeEnd) { return rangeEnd >= kRepeatWithoutEnd; }

TVpRecurrence RecurrenceOf(const TVpEvent& event);
TVpDayFacts FactsOf(double day);

// True when the event's repetition places an occurrence on the day, other than the start day.
bool OccursOn(const TVpRecurrence& rule, const TVpDayFacts& day);
bool OccursOn(const TVpEvent& event, double day);

// The repetition of a repeat code from a start on some clock, with the last day of its range.
TVpRecurrence RecurrenceFrom(int repeatCode, int customInterval, double start, double rangeEnd);

// The days after its start day an event (each occurrence of a repeating one) also covers: up to
// the day of the last moment before its end, so that an end at midnight covers no further day; 0
// for an event within one day.
std::int64_t ExtraDaysOf(const TVpEvent& event);

// The longest gap between two occurrences of any repeat (29 February to the next one), or a custom
// interval's length: a search for an occurrence goes no further.
std::int64_t LongestGapDays(const TVpRecurrence& rule);

// The start day of the latest occurrence (the event's start, or a day its repetition places it)
// that covers the day, when the event covers extraDays days after each start; nothing when none
// does. A repeating event is looked for no further back than LongestGapDays.
std::optional<std::int64_t> CoveringStartDay(const TVpRecurrence& rule, bool repeating, std::int64_t extraDays,
                                             const TVpDayFacts& day);
