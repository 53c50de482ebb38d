#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/event.h"
#include "model/occurrences.h"
#include "model/record_list.h"

class TVpResource;

// The loaded events of one resource, kept sorted by StartTime, equal starts by EndTime. Answers
// which events fall on a day: an event falls on every day from its start to its end, and so does
// each occurrence its repetition places (see recurrence.h), at most once per day.
class TVpSchedule : public TVpRecordList<TVpEvent> {
 public:
  explicit TVpSchedule(TVpResource* owner = nullptr) : Owner_(owner) {}
  ~TVpSchedule() override { Clear(); }

  // The resource owning the schedule, or nullptr.
  TVpResource* Owner() const { return Owner_; }

  // A new event with the ID and times, not marked changed; the schedule is then sorted. Returns
  // nullptr, creating nothing, unless endTime is later than startTime. Raises EFailToCreateEvent
  // when the event cannot be made.
  TVpEvent* AddEvent(int recordID, double startTime, double endTime);
  // Destroys the event (which leaves the schedule); the schedule is then sorted.
  void DeleteEvent(TVpEvent* event);

  void Sort() override;

  int CountEventsOn(double day) const;
  // Appends the day's events to the list; a day without events empties the list instead.
  void CollectEventsOn(double day, std::vector<TVpEvent*>& list) const;
  // Replaces the list's content with the day's all-day events.
  void CollectAllDayEventsOn(double day, std::vector<TVpEvent*>& list) const;

 private:
  friend class TVpEvent;

  // What the day questions read, built from the events when first needed after a change.
  struct TDayIndex {
    bool Valid = false;
    // Whether the start days ascend in schedule order; when they do, the events starting on a day
    // are found by a binary search, else every event is looked at.
    bool StartDaysAscend = false;
    std::vector<std::int64_t> StartDays;  // per position
    struct TRepeating {
      size_t Position;
      TVpRecurrence Rule;
      std::int64_t ExtraDays;  // the days each occurrence covers after its start day
    };
    std::vector<TRepeating> Repeating;  // by position
    // The events that do not repeat but cover days after their start day: position and those days.
    std::vector<std::pair<size_t, std::int64_t>> Spanning;
    // The events whose occurrences are walked (see occurrences.h), by position; and per position
    // whether it holds one.
    std::vector<size_t> Walked;
    std::vector<bool> IsWalkedAt;
  };

  // An event's start, repetition or position changed.
  void PlacementChanged() { Index_.Valid = false; }
  const TDayIndex& CurrentIndex() const;
  template <class Visit>
  void ForEachEventOn(double day, Visit visit) const;

  TVpResource* Owner_;
  mutable TDayIndex Index_;
};
