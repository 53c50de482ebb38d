#pragma once

#include <optional>

class TVpEvent;

// The reminder lead time as a fraction of a day: advance minutes (unit 0), hours (unit 1) or days
// (unit 2); any other unit gives 0.
double AlarmAdvanceAsDays(int advance, int unit);

// The start of the occurrence the event's reminder is about at the moment now: for a repeating
// event the latest occurrence whose reminder time (start less the lead time) lies before now, or
// the first one while none does; for any other event its StartTime. Each occurrence of a series
// reminds on its own, and one missed while the program was not running is the latest of them.
double ReminderOccurrence(const TVpEvent& event, double now);

// The moment the reminder of the next occurrence after the one ReminderOccurrence gives at now falls
// due (start less the lead time); nothing when the event does not repeat or its series has no later
// occurrence. Dismissing one occurrence's reminder holds the event's reminder back until then.
std::optional<double> NextReminderAfter(const TVpEvent& event, double now);

// True when the event's reminder is due at the moment now: AlarmSet, now strictly later than
// the start of ReminderOccurrence less the lead time, and strictly later than SnoozeTime. Compared
// on whole milliseconds.
bool IsAlarmDue(const TVpEvent& event, double now);
