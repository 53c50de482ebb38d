#pragma once
#include <string_view>

#include "interop/ical/ical_item.h"
#include "interop/ical/ical_text.h"

struct TIcalReadOptions {
  // Repeats the planner cannot hold become single events up to their own end, but not past this
  // local day (the caller passes e.g. two years after today and tells the user); endless repeats
  // the planner can hold end on it too. 0: no such day, only the cap on occurrences (and endless
  // repeats end in 9999).
  double Horizon = 0;
  // Off: every item is read as one event, as a sync keeps one record per item. A repeat is read
  // by its rule when the planner can hold the rule, else as its first occurrence alone; extra
  // dates, exceptions and changed occurrences (RECURRENCE-ID) of a repeat are not read.
  bool ExpandRepeats = true;
};

// Most single events one repeat is expanded into.
constexpr int kMaxIcalOccurrences = 10000;

// Reads the events and tasks of a calendar file, with local times of this machine. A file that is
// not a readable calendar gives false and the error, and nothing of it is taken in; an item that
// cannot be taken in is skipped with its reason in the content's notes.
bool ReadIcal(std::string_view bytes, const TIcalReadOptions& options, TIcalContent& content, TIcalReadError& error);
