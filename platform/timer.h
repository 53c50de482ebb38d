#pragma once

#include <functional>
#include <memory>

// A repeating timer delivered on the user-interface thread. Changing the interval of a running
// timer starts its count again from the change.
class TTimer {
 public:
  virtual ~TTimer() = default;
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;

  std::function<void()> OnTimer;
};

class TTimerFactory {
 public:
  virtual ~TTimerFactory() = default;
  // A new timer, disabled, with an interval of 1000 ms.
  virtual std::unique_ptr<TTimer> CreateTimer() = 0;
};
