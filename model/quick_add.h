#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TVpEvent;
class TVpTask;

// An event or task said in one line of English, as "Lunch with Anna at Café Central tomorrow 12:30
// for 90 min" or "task: report Friday": what each part of the line says, and the subject the rest
// makes. Nothing is guessed: a line that names no day and no time has no day, and the caller says
// so before adding it.

struct TVpQuickAddOptions {
  int WeekStart = 2;     // 1 Sunday to 7 Saturday: "next Monday" is the Monday of the next week
  bool DayFirst = true;  // "3/4" is 3 April (else 4 March); "3.4." is always day first
};

// The week start and date order of a locale name ("en_US.UTF-8", "de_DE"): the week starts on
// Sunday and numeric dates put the month first where the region does so.
TVpQuickAddOptions QuickAddOptionsOf(const std::string& localeName);

struct TVpQuickAdd {
  bool IsTask = false;
  std::string Subject;
  std::string Location;
  std::optional<std::int64_t> Day;  // a day number
  std::optional<int> StartMinute;   // minutes after midnight
  std::optional<int> EndMinute;     // may lie past midnight (up to 48 hours)
  std::optional<int> DurationMinutes;
  bool AllDay = false;
  std::string RepeatRule;  // an RRULE value; empty for none
  std::optional<int> ReminderMinutes;
};

// Reads the line at the moment now (a local day number with its time).
TVpQuickAdd ParseQuickAdd(std::string_view line, double now, const TVpQuickAddOptions& options = {});

// The span of an event read from a line that names a day or a time (a time alone is today): a
// timed event ends at its end time, after its length, or an hour after its start; a day without a
// time is a whole day (midnight to 23:59). Nothing for a line that names neither.
struct TVpQuickTimes {
  double Start = 0;
  double End = 0;
  bool AllDay = false;
};
std::optional<TVpQuickTimes> QuickAddTimes(const TVpQuickAdd& added, double now);

// What was understood, for the user to see before it is added: "Event "Lunch" on Friday, 11
// December 2026, 12:30 to 14:00, at Café Central, every week, reminder 15 minutes before", or
// "Task "Report", due ..."; says "no date found" for a line without one.
std::string DescribeQuickAdd(const TVpQuickAdd& added, double now);

// Gives the event what the line said: its times (the event's own span is replaced), subject,
// place, repeat (with the day its rule reaches) and reminder.
void ApplyQuickAdd(const TVpQuickAdd& added, const TVpQuickTimes& times, TVpEvent& event);

// Gives the task what the line said: its subject, its due day when the line names one, and the
// moment it was made.
void ApplyQuickAdd(const TVpQuickAdd& added, double now, TVpTask& task);
