#include "views/day/day_view_event_layout.h"

#include <algorithm>
#include <set>

#include "model/day_number.h"
#include "model/event.h"
#include "model/occurrences.h"
#include "views/day/day_view_tables.h"
#include "views/day/time_slots.h"

namespace {

// 23:59:59, where an event that runs to midnight or past it ends in its column.
constexpr std::int64_t kEndOfDayMs = kMsPerDay - 1000;

}  // namespace

TVpPlacedEvent MeasureDayEvent(TVpEvent* event, TVpGranularity granularity, double day) {
  TVpPlacedEvent placed;
  placed.Event = event;
  const TVpDayPart part = DayPartOf(*event, day);
  placed.StartMs = part.StartMs;
  placed.EndMs = part.EndMs >= kMsPerDay ? kEndOfDayMs : part.EndMs;
  placed.EndMs = std::max(placed.EndMs, placed.StartMs);
  const int lastRow = LineCountOf(granularity) - 1;
  placed.FirstRow = std::min(SlotOfStart(granularity, FromMs(placed.StartMs)), lastRow);
  placed.LastRow = std::clamp(SlotOfEnd(granularity, FromMs(placed.EndMs)), placed.FirstRow, lastRow);
  return placed;
}

namespace {

bool RowsMeet(const TVpPlacedEvent& a, const TVpPlacedEvent& b) {
  return a.FirstRow <= b.LastRow && b.FirstRow <= a.LastRow;
}

// Takes the events out level by level: each level walks the remaining events in time order and
// takes every one that starts below the rows of the one it took last. The first remaining event
// is always taken, so every pass makes progress.
std::vector<TVpPlacedEvent> AssignLevels(std::vector<TVpPlacedEvent> remaining) {
  std::vector<TVpPlacedEvent> placed;
  placed.reserve(remaining.size());
  for (int level = 0; !remaining.empty(); ++level) {
    std::vector<TVpPlacedEvent> rest;
    int lastRow = -1;
    for (TVpPlacedEvent& event : remaining) {
      if (event.FirstRow > lastRow) {
        event.Level = level;
        lastRow = event.LastRow;
        placed.push_back(event);
      } else {
        rest.push_back(event);
      }
    }
    remaining = std::move(rest);
  }
  return placed;
}

void AssignWidthDivisors(std::vector<TVpPlacedEvent>& events) {
  const size_t n = events.size();
  std::vector<std::vector<size_t>> meets(n);
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j)
      if (i != j && RowsMeet(events[i], events[j])) meets[i].push_back(j);

  // How many events stand side by side with it: itself and one per level of those it meets.
  std::vector<int> overlapCount(n);
  for (size_t i = 0; i < n; ++i) {
    std::set<int> levels;
    for (size_t j : meets[i]) levels.insert(events[j].Level);
    overlapCount[i] = 1 + static_cast<int>(levels.size());
  }
  // Every event takes the largest count among those it meets, so that neighbours agree...
  std::vector<int> divisor(n);
  for (size_t i = 0; i < n; ++i) {
    divisor[i] = overlapCount[i];
    for (size_t j : meets[i]) divisor[i] = std::max(divisor[i], overlapCount[j]);
  }
  // ...and that agreement is carried along chains of events, in level order.
  for (size_t i = 0; i < n; ++i)
    for (size_t j : meets[i]) divisor[i] = std::max(divisor[i], divisor[j]);
  for (size_t i = 0; i < n; ++i) events[i].WidthDivisor = std::max(divisor[i], events[i].Level + 1);
}

}  // namespace

std::vector<TVpPlacedEvent> PlaceDayEvents(std::span<TVpEvent* const> events, TVpGranularity granularity, int maxEvents,
                                           double day) {
  std::vector<TVpPlacedEvent> measured;
  measured.reserve(events.size());
  for (TVpEvent* event : events) measured.push_back(MeasureDayEvent(event, granularity, day));
  // Occurrences of repeating events come in the order of their stored dates; the column goes by
  // time of day.
  std::stable_sort(measured.begin(), measured.end(), [](const TVpPlacedEvent& a, const TVpPlacedEvent& b) {
    return a.StartMs != b.StartMs ? a.StartMs < b.StartMs : a.EndMs < b.EndMs;
  });
  if (static_cast<int>(measured.size()) > maxEvents) measured.resize(static_cast<size_t>(std::max(maxEvents, 0)));
  std::vector<TVpPlacedEvent> placed = AssignLevels(std::move(measured));
  AssignWidthDivisors(placed);
  return placed;
}
