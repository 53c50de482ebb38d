#pragma once

#include <QTimer>

#include "platform/timer.h"

class TQtTimer : public TTimer {
 public:
  TQtTimer();
  void SetInterval(int milliseconds) override;
  int Interval() const override { return Timer_.interval(); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return Timer_.isActive(); }

 private:
  QTimer Timer_;
};

class TQtTimerFactory : public TTimerFactory {
 public:
  std::unique_ptr<TTimer> CreateTimer() override { return std::make_unique<TQtTimer>(); }
};
