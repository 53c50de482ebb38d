#pragma once

#include <cstdint>
#include <vector>

#include "model/recurrence.h"

class TVpCustomDataStore;
class TVpEvent;
class TVpSchedule;

// Which occurrences of a repeating event a change from a view or the event window applies to.
enum TVpOccurrenceScope { osOnlyThis, osThisAndFollowing, osAll };

// The texts of the question, in the order of the scopes.
inline constexpr const char* kOccurrenceScopeNames[] = {"Only this occurrence", "This and all following",
                                                        "All occurrences"};

// Changes of one series of the store's active resource, made in memory: the caller posts the events
// as one step of the history. An occurrence is named by its start (a local moment, moment.h).

// Whether a change of the occurrence with the scope is one of the whole series: osAll, an event
// that does not repeat, and this and following from the first occurrence.
bool CoversWholeSeries(const TVpEvent& series, std::int64_t occurrence, TVpOccurrenceScope scope);

// The event a change of the occurrence applies to:
// - osAll: the series itself;
// - osOnlyThis: an event of its own made from the occurrence (the series' fields without its
//   repeat, linked to the series by its RecordID and the occurrence's start, which the series
//   takes out of its occurrences);
// - osThisAndFollowing: a new series from the occurrence on, with the repeat, exception and extra
//   dates and changed occurrences from there, the old series ending before it (for the first
//   occurrence, the series itself). A repeat counted by COUNT is shared out (10 times cut at the
//   4th gives 3 and 7).
TVpEvent& OccurrencesToChange(TVpCustomDataStore& store, TVpEvent& series, std::int64_t occurrence,
                              TVpOccurrenceScope scope);

// Deletes occurrences of the series, for a scope that does not cover the whole series (deleting
// the whole series is the change path's Delete): osOnlyThis takes the occurrence out (an exception
// date), osThisAndFollowing ends the series before it, deleting its changed occurrences from there.
void DeleteOccurrences(TVpCustomDataStore& store, TVpEvent& series, std::int64_t occurrence, TVpOccurrenceScope scope);

// Moves an event to the start and end (local moments). A repeating one takes along by as much its
// exception and extra dates, the original starts of its loaded changed occurrences and, moved by
// whole days, the weekdays and month days of its rule: the same occurrences stay out, stay added
// and stay changed, and the new start stays an occurrence.
void MoveSeries(TVpCustomDataStore& store, TVpEvent& series, std::int64_t start, std::int64_t end);

// The loaded events changed on their own from the series whose original start (on the series'
// clock) is at or after the clock time.
std::vector<TVpEvent*> ChangedOccurrencesOf(const TVpSchedule& schedule, const TVpEvent& series,
                                            double fromWall = -kRepeatWithoutEnd);
