#pragma once

#include <QDateTime>

#include "platform/clock.h"

class TQtClock : public TClock {
 public:
  double Now() const override;
  // The day number of a local date and time, on whole milliseconds.
  static double DayNumberOf(const QDateTime& local);
};
