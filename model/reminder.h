#pragma once

class TVpEvent;

// The reminder lead time as a fraction of a day: advance minutes (unit 0), hours (unit 1) or days
// (unit 2); any other unit gives 0.
double AlarmAdvanceAsDays(int advance, int unit);

// True when the event's reminder is due at the moment now: AlarmSet, now strictly later than
// StartTime less the lead time, and strictly later than SnoozeTime. Compared on whole
// milliseconds. A repeating event reminds once, for its first occurrence.
bool IsAlarmDue(const TVpEvent& event, double now);
