#pragma once

#include "platform/clock.h"

// The machine's local time, for programs that run without the desktop.
class TSystemClock : public TClock {
 public:
  double Now() const override;
};
