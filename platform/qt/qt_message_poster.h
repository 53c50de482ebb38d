#pragma once

#include "platform/message_queue.h"

// Posts through Qt's event queue; delivery happens on the user-interface thread once control
// returns to the event loop.
class TQtMessagePoster : public TMessagePoster {
 public:
  void Post(TMessageTarget& target, int message) override;
};
