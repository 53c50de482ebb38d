#pragma once

#include <cstdint>

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

// True when the event falls on the day: on its start day, or on a day its repetition places it.
bool FallsOn(const TVpEvent& event, double day);
