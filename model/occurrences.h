#pragma once

#include <cstdint>
#include <optional>

#include "model/recurrence.h"

class TVpEvent;

// Where the occurrences of an event fall in this machine's local time: the one home of the
// question for the views, printing, the agenda and reminders, whatever says how the event repeats.
//
// An event with a repeat code and nothing more repeats by the day arithmetic of recurrence.h. Any
// other repeating event is walked: its rule (or its code) places starts on the event's own clock,
// its exception dates take some out, its extra dates add some, and each start is then shown in
// local time (a zoned event's clock differs from the local one across daylight-saving changes the
// two zones do not share). Walked starts are kept with the event until it changes; a walk goes no
// further than kMaxWalkedOccurrences starts, so that an absurd rule cannot hang a view.

// One occurrence, as local moments (moment.h).
struct TVpOccurrence {
  std::int64_t Start = 0;
  std::int64_t End = 0;
  friend bool operator==(const TVpOccurrence&, const TVpOccurrence&) = default;
};

inline constexpr std::size_t kMaxWalkedOccurrences = 200000;

// Whether the event repeats: by its code, its rule or extra dates.
bool Repeats(const TVpEvent& event);
// Whether the event's occurrences are walked rather than found by day arithmetic.
bool IsWalked(const TVpEvent& event);

// The latest occurrence starting at or before the moment, and the first one starting after it.
std::optional<TVpOccurrence> OccurrenceAtOrBefore(const TVpEvent& event, std::int64_t moment);
std::optional<TVpOccurrence> OccurrenceAfter(const TVpEvent& event, std::int64_t moment);

// The occurrence that covers the day: the latest starting before the day's end whose time reaches
// into the day (one ending at the day's midnight does not); nothing when none does.
std::optional<TVpOccurrence> OccurrenceOn(const TVpEvent& event, double day);

// The local start and end of the occurrence covering the day, as date-times; the event's own
// times when none does.
struct TVpOccurrenceTimes {
  double StartTime = 0;
  double EndTime = 0;
};
TVpOccurrenceTimes OccurrenceTimesOn(const TVpEvent& event, double day);

// True when the event falls on the day (an occurrence covers it).
bool FallsOn(const TVpEvent& event, double day);

// Whether the occurrence that covers the day began on an earlier day (views mark such an event as
// going on).
bool GoesOnInto(const TVpEvent& event, double day);

// The part of a day an event falls on that it covers, in milliseconds after the day's midnight:
// from its start (0 when its occurrence began on an earlier day) to its end (kMsPerDay when it
// goes on past the day).
struct TVpDayPart {
  std::int64_t StartMs = 0;
  std::int64_t EndMs = 0;
};
TVpDayPart DayPartOf(const TVpEvent& event, double day);
