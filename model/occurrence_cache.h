#pragma once

#include <memory>

// What the occurrence walk of one event has found so far (see occurrences.h). Emptied whenever
// the event's placement changes; a copy of an event starts with an empty one.
class TVpOccurrenceCache {
 public:
  struct TState;

  TVpOccurrenceCache();
  ~TVpOccurrenceCache();
  TVpOccurrenceCache(const TVpOccurrenceCache&);
  TVpOccurrenceCache& operator=(const TVpOccurrenceCache&);

  void Clear();
  // The walk's state; nullptr while nothing was walked since the last change.
  TState* State() const { return State_.get(); }
  void SetState(std::unique_ptr<TState> state);

 private:
  std::unique_ptr<TState> State_;
};
