#pragma once

#include <vector>

#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/message_queue.h"
#include "platform/sound.h"
#include "platform/timer.h"

class TVpCustomDataStore;
class TVpEvent;

// The store's own window: the reminder it raises for a due event. The program supplies it; tests
// supply a fake.
class TVpReminderWindows {
 public:
  virtual ~TVpReminderWindows() = default;
  // Shows the reminder window for a due event until the user answers it.
  virtual void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) = 0;
  // Shows the reminders of many events that fell due at once (after a suspend, or on start) in
  // one list, until the user closes it; false when there is no such list, and each event's
  // reminder then shows on its own. Events are named by RecordID.
  virtual bool ShowMissed(TVpCustomDataStore& /*store*/, const std::vector<int>& /*recordIDs*/) { return false; }
};

// What the data store needs from the desktop.
struct TVpStoreServices {
  const TClock& Clock;
  TTimerFactory& Timers;
  TSoundPlayer& Sound;
  TMessagePoster& Poster;
  TMessageBoxes& MessageBoxes;
  TVpReminderWindows& Reminders;
};
