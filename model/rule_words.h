#pragma once

#include <string>

// A repeat rule in calendar-file form (an RRULE value) said in words for the user, such as "Every
// week on Monday, Wednesday and Friday, until 31 December 2027" or "Every 2 months on the last
// Friday, 10 times". Parts words cannot say shortly (hours, minutes, week numbers, days of the
// year) leave the rule as it stands after "Repeats by the rule ". Empty for an empty rule.
std::string RepeatRuleInWords(const std::string& rule);
