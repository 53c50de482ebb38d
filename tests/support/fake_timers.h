#pragma once

#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/timer.h"

// A clock that stands still until a test moves it; time is kept in whole milliseconds. Reads
// counts the calls of Now.
class TFakeClock : public TClock {
 public:
  double Now() const override {
    ++Reads;
    return static_cast<double>(Ms_) / kMsPerDay;
  }
  void Set(double dayNumber);
  void SetMs(std::int64_t ms) { Ms_ = ms; }
  std::int64_t NowMs() const { return Ms_; }

  static constexpr std::int64_t kMsPerDay = 86400000;
  mutable int Reads = 0;

 private:
  std::int64_t Ms_ = 0;
};

class TFakeTimer;

// Timers that fire only when the test advances the clock through their due times.
class TFakeTimers : public TTimerFactory {
 public:
  explicit TFakeTimers(TFakeClock& clock) : Clock_(clock) {}
  std::unique_ptr<TTimer> CreateTimer() override;

  // Moves the clock forward by ms, firing every timer tick that falls due, in time order (the
  // clock shows each tick's time while its handler runs).
  void Advance(std::int64_t ms);
  // Moves the clock by ms (either way) while no timer runs, as a suspend or setting the clock
  // does: the timers fire when they would have without the jump.
  void Jump(std::int64_t ms);
  int EnabledCount() const;

 private:
  friend class TFakeTimer;
  TFakeClock& Clock_;
  std::vector<TFakeTimer*> Timers_;
};

class TFakeTimer : public TTimer {
 public:
  explicit TFakeTimer(TFakeTimers& owner);
  ~TFakeTimer() override;
  void SetInterval(int milliseconds) override;
  int Interval() const override { return Interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return Enabled_; }
  // When the next tick falls due; meaningful while enabled with an interval above 0.
  std::int64_t DueMs() const { return LastMs_ + Interval_; }

 private:
  friend class TFakeTimers;
  TFakeTimers& Owner_;
  int Interval_ = 1000;
  bool Enabled_ = false;
  std::int64_t LastMs_ = 0;  // when the count last started
};
