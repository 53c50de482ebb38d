#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The repeat rules the event window edits, as fields, and their calendar-file form (an RRULE
// value). Such a rule repeats every Interval days, weeks, months or years: weekly on a set of
// weekdays, monthly on a day of the month or on the n-th or last weekday, yearly on the start's
// date; it ends never, after Count occurrences or with the day UntilDay (on the event's own clock).

enum TVpRuleFrequency { rfDaily, rfWeekly, rfMonthly, rfYearly };

struct TVpRuleShape {
  TVpRuleFrequency Frequency = rfWeekly;
  int Interval = 1;  // 1 to kMaxRuleInterval
  // Weekly: the weekdays, bit (weekday - 1) for the weekdays 1 (Sunday) to 7 (Saturday).
  unsigned Weekdays = 0;
  // Monthly: on the day MonthDay (1 to 31), or with ByWeekday on the WeekdayPosition-th (1 to 4; -1
  // the last) Weekday (1 Sunday to 7 Saturday).
  bool ByWeekday = false;
  int MonthDay = 1;
  int WeekdayPosition = 1;
  int Weekday = 1;
  int Count = 0;              // the number of occurrences; 0 for none
  std::int64_t UntilDay = 0;  // the last day; 0 for none
  friend bool operator==(const TVpRuleShape&, const TVpRuleShape&) = default;
};

// The largest interval a rule holds.
inline constexpr int kMaxRuleInterval = 32767;

inline unsigned WeekdayBit(int weekday) { return 1u << (weekday - 1); }
// A weekday (1 Sunday to 7 Saturday) of a rule's BY-day list with its position in the month (0 for
// every one, negative counting from the month's end), as calendar rules encode it.
short RuleDayCode(int weekday, int position);
// The position in its month of the weekday on a day of the month, as the repeat codes count weeks:
// 1 for days 1-7 to 4 for days 22-28, -1 (the last) after.
int WeekdayPositionOfDay(int day);

// The shape of a rule for an event starting at start (on its own clock, that of the zone; empty
// for floating); nothing for a rule the fields cannot hold exactly.
std::optional<TVpRuleShape> RuleShapeOf(const std::string& rule, double start, const std::string& zone);
// The rule of the shape for an event of whole days when dateOnly, weekdays listed from
// Monday: it ends with the until day's last second on the zone's clock, written in UTC beside a
// zone and as a date for a whole day, as calendar files want it.
std::string RuleTextOf(const TVpRuleShape& shape, bool dateOnly, const std::string& zone);
// The shape placing what the repeat code places from the start, without an end; a code that does
// not repeat gives the weekly repeat on the start's weekday. The monthly fields not in use hold the
// start's day, weekday and week, as the window first shows them.
TVpRuleShape RuleShapeOfRepeat(int repeatCode, int customInterval, double start);
// The repeat code that places exactly the shape's occurrences from the start, with its custom
// interval; rcNone when none does (a count, a weekday set, an interval the codes do not have).
int RepeatCodeOf(const TVpRuleShape& shape, double start, int& customInterval);
