#pragma once

#include <string>

// Changes to the end of a repeat rule in calendar-file form (an RRULE value), for a series cut in
// two. The rest of the rule stays as it was written.

// The rule's COUNT; 0 for a rule without one (or one that cannot be read).
int CountOf(const std::string& rule);
// The rule ending after count occurrences (in place of its COUNT or UNTIL).
std::string RuleEndingAfter(const std::string& rule, int count);
// The rule ending at the clock time of the zone (empty: floating) in place of its COUNT or UNTIL: a
// zoned rule's UNTIL is written in UTC, as calendar files want it beside a zoned start, a whole
// day's as a date.
std::string RuleEndingAt(const std::string& rule, double wall, bool dateOnly, const std::string& zone);

// The rule for a series moved by whole days: its weekdays (BYDAY, positions kept) and days of the
// month (BYMONTHDAY, where the moved day is still one) move along, so that the moved start stays
// one of its occurrences. The rule unchanged for no days, or one that cannot be read.
std::string RuleShiftedByDays(const std::string& rule, int days);
