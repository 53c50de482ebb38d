#include "model/schedule.h"

#include <algorithm>

#include "model/day_number.h"
#include "model/moment.h"

TVpEvent* TVpSchedule::AddEvent(int recordID, double startTime, double endTime) {
  if (ToMs(endTime) <= ToMs(startTime)) return nullptr;
  TVpEvent* event = nullptr;
  try {
    event = AppendNew<EFailToCreateEvent>([this] { return std::make_unique<TVpEvent>(this); },
                                          [&](TVpEvent& created) {
                                            created.SetRecordID(recordID);
                                            created.SetStartTime(startTime);
                                            created.SetEndTime(endTime);
                                          });
  } catch (const EFailToCreateEvent&) {
    PlacementChanged();  // the day index may have seen the record come and go
    throw;
  }
  PlacementChanged();
  Sort();
  return event;
}

void TVpSchedule::DeleteEvent(TVpEvent* event) {
  if (!event) return;
  const std::unique_ptr<TVpEvent> taken = Extract(*event);
  if (!taken) return;
  PlacementChanged();
  Sort();
}

void TVpSchedule::Sort() {
  SortBy([](const TVpEvent& a, const TVpEvent& b) {
    if (a.StartTime() != b.StartTime()) return a.StartTime() < b.StartTime();
    return a.EndTime() < b.EndTime();
  });
  PlacementChanged();
}

const TVpSchedule::TDayIndex& TVpSchedule::CurrentIndex() const {
  if (Index_.Valid) return Index_;
  const auto& records = Records();
  Index_.StartDays.clear();
  Index_.Repeating.clear();
  Index_.Spanning.clear();
  Index_.Walked.clear();
  Index_.IsWalkedAt.assign(records.size(), false);
  for (size_t position = 0; position < records.size(); ++position) {
    const TVpEvent& event = *records[position];
    Index_.StartDays.push_back(DayNumberOf(event.StartTime()));
    const std::int64_t extraDays = ExtraDaysOf(event);
    if (IsWalked(event)) {
      Index_.Walked.push_back(position);
      Index_.IsWalkedAt[position] = true;
    } else if (IsRepeating(event.RepeatCode())) Index_.Repeating.push_back({position, RecurrenceOf(event), extraDays});
    else if (extraDays > 0) Index_.Spanning.emplace_back(position, extraDays);
  }
  Index_.StartDaysAscend = std::is_sorted(Index_.StartDays.begin(), Index_.StartDays.end());
  Index_.Valid = true;
  return Index_;
}

template <class Visit>
void TVpSchedule::ForEachEventOn(double day, Visit visit) const {
  const TDayIndex& index = CurrentIndex();
  const TVpDayFacts facts = FactsOf(day);
  const auto& records = Records();

  if (index.StartDaysAscend) {
    // Events starting on the day are one run of positions. Only an event that starts before the
    // day can otherwise fall on it, by its repetition or its length, and those come before the
    // run in schedule order.
    const auto [first, last] = std::equal_range(index.StartDays.begin(), index.StartDays.end(), facts.DayNumber);
    const auto runBegin = static_cast<size_t>(first - index.StartDays.begin());
    const auto runEnd = static_cast<size_t>(last - index.StartDays.begin());
    for (const auto& repeating : index.Repeating) {
      if (repeating.Position >= runBegin) break;
      if (CoveringStartDay(repeating.Rule, true, repeating.ExtraDays, facts)) visit(records[repeating.Position].get());
    }
    for (const auto& [position, extraDays] : index.Spanning) {
      if (position >= runBegin) break;
      if (index.StartDays[position] + extraDays >= facts.DayNumber) visit(records[position].get());
    }
    for (const size_t position : index.Walked) {
      if (position >= runBegin) break;
      if (FallsOn(*records[position], day)) visit(records[position].get());
    }
    for (size_t position = runBegin; position < runEnd; ++position)
      if (!index.IsWalkedAt[position] || FallsOn(*records[position], day)) visit(records[position].get());
    return;
  }

  auto repeating = index.Repeating.begin();
  auto spanning = index.Spanning.begin();
  for (size_t position = 0; position < records.size(); ++position) {
    const std::int64_t startDay = index.StartDays[position];
    bool falls = startDay == facts.DayNumber;
    if (index.IsWalkedAt[position]) {
      falls = FallsOn(*records[position], day);
    } else if (repeating != index.Repeating.end() && repeating->Position == position) {
      falls = falls || CoveringStartDay(repeating->Rule, true, repeating->ExtraDays, facts);
      ++repeating;
    } else if (spanning != index.Spanning.end() && spanning->first == position) {
      falls = falls || (startDay < facts.DayNumber && startDay + spanning->second >= facts.DayNumber);
      ++spanning;
    }
    if (falls) visit(records[position].get());
  }
}

int TVpSchedule::CountEventsOn(double day) const {
  int count = 0;
  ForEachEventOn(day, [&](TVpEvent*) { ++count; });
  return count;
}

namespace {

// A day's events in the order of their times on that day: all-day events first, then by the time
// of day they start and end on it (an event going on from an earlier day starts at midnight);
// events alike keep schedule order. (Schedule order is by the stored start, which for a repeating
// event is its first day, not the day asked for.)
void SortByTimeOfDay(double day, std::vector<TVpEvent*>::iterator first, std::vector<TVpEvent*>::iterator last) {
  std::vector<std::pair<TVpDayPart, TVpEvent*>> keyed;
  for (auto it = first; it != last; ++it) keyed.emplace_back(DayPartOf(**it, day), *it);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.second->AllDayEvent() != b.second->AllDayEvent()) return a.second->AllDayEvent();
    if (a.first.StartMs != b.first.StartMs) return a.first.StartMs < b.first.StartMs;
    return a.first.EndMs < b.first.EndMs;
  });
  for (const auto& [part, event] : keyed) *first++ = event;
}

}  // namespace

void TVpSchedule::CollectEventsOn(double day, std::vector<TVpEvent*>& list) const {
  const size_t before = list.size();
  ForEachEventOn(day, [&](TVpEvent* event) { list.push_back(event); });
  if (list.size() == before) list.clear();
  else SortByTimeOfDay(day, list.begin() + static_cast<std::ptrdiff_t>(before), list.end());
}

void TVpSchedule::CollectAllDayEventsOn(double day, std::vector<TVpEvent*>& list) const {
  list.clear();
  ForEachEventOn(day, [&](TVpEvent* event) {
    if (event->AllDayEvent()) list.push_back(event);
  });
  SortByTimeOfDay(day, list.begin(), list.end());
}
