#include "app/core/windows/rest_of_events.h"

#include <chrono>

namespace {

// How often the window looks whether the read is done.
constexpr int kPollMs = 20;

}  // namespace

TRestOfEvents::TRestOfEvents(TDataTable& events, TTimerFactory& timers)
    : Events_(events), Timer_(timers.CreateTimer()) {
  Timer_->SetInterval(kPollMs);
  Timer_->OnTimer = [this] { Poll(); };
}

TRestOfEvents::~TRestOfEvents() {
  if (Read_.valid()) Read_.wait();
}

void TRestOfEvents::Start() {
  if (Read_.valid() || !Events_.Partial()) return;
  const TDataTable& events = Events_;
  Read_ = std::async(std::launch::async, [&events] { return events.ReadWholeApart(); });
  Timer_->SetEnabled(true);
}

void TRestOfEvents::Poll() {
  if (Read_.valid() && Read_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) Take();
}

void TRestOfEvents::Finish() {
  if (Read_.valid()) Take();
}

void TRestOfEvents::Take() {
  Timer_->SetEnabled(false);
  try {
    Events_.TakeWhole(Read_.get());
  } catch (const std::exception&) {
    // A file that cannot be read whole is read again, and reported, when every row is needed.
  }
}
