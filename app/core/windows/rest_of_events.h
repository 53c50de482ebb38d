#pragma once

#include <future>
#include <memory>

#include "platform/timer.h"
#include "store/data_table.h"

// The rest of the events file, read off the user-interface thread once the window shows the days
// it starts on (see TVpPlannerFiles::ReadEventsForDays). The table takes it when it is ready,
// unless something that needed every row read the whole file itself meanwhile (a change made
// during the read, say): then the read is dropped, and nothing made meanwhile is lost.
class TRestOfEvents {
 public:
  TRestOfEvents(TDataTable& events, TTimerFactory& timers);
  // Waits for a read still running: it reads nothing but its own copy.
  ~TRestOfEvents();
  TRestOfEvents(const TRestOfEvents&) = delete;
  TRestOfEvents& operator=(const TRestOfEvents&) = delete;

  // Starts reading when the table holds only part of its file.
  void Start();
  bool Running() const { return Read_.valid(); }
  // Waits for the read and lets the table take it (tests, and a close during the read).
  void Finish();

 private:
  // The timer's look: takes the read once it is ready.
  void Poll();
  void Take();

  TDataTable& Events_;
  std::unique_ptr<TTimer> Timer_;
  std::future<TDataTable::TWholeRead> Read_;
};
