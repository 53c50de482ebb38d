#include "tests/support/fake_timers.h"

#include <algorithm>
#include <cmath>

void TFakeClock::Set(double dayNumber) { Ms_ = std::llround(dayNumber * kMsPerDay); }

std::unique_ptr<TTimer> TFakeTimers::CreateTimer() { return std::make_unique<TFakeTimer>(*this); }

int TFakeTimers::EnabledCount() const {
  return static_cast<int>(std::count_if(Timers_.begin(), Timers_.end(), [](auto* t) { return t->Enabled(); }));
}

void TFakeTimers::Advance(std::int64_t ms) {
  const std::int64_t target = Clock_.NowMs() + ms;
  for (;;) {
    TFakeTimer* next = nullptr;
    for (TFakeTimer* t : Timers_)
      if (t->Enabled_ && t->Interval_ > 0 && t->DueMs() <= target && (next == nullptr || t->DueMs() < next->DueMs()))
        next = t;
    if (next == nullptr) break;
    Clock_.SetMs(next->DueMs());
    next->LastMs_ = next->DueMs();
    if (next->OnTimer) next->OnTimer();  // may destroy or change any timer
  }
  Clock_.SetMs(target);
}

void TFakeTimers::Jump(std::int64_t ms) {
  Clock_.SetMs(Clock_.NowMs() + ms);
  for (TFakeTimer* t : Timers_) t->LastMs_ += ms;
}

TFakeTimer::TFakeTimer(TFakeTimers& owner) : Owner_(owner) { Owner_.Timers_.push_back(this); }

TFakeTimer::~TFakeTimer() { std::erase(Owner_.Timers_, this); }

void TFakeTimer::SetInterval(int milliseconds) {
  Interval_ = std::max(0, milliseconds);
  LastMs_ = Owner_.Clock_.NowMs();
}

void TFakeTimer::SetEnabled(bool enabled) {
  if (enabled && !Enabled_) LastMs_ = Owner_.Clock_.NowMs();
  Enabled_ = enabled;
}
