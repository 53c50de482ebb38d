#pragma once

#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/message_queue.h"
#include "platform/sound.h"
#include "platform/timer.h"

class TVpContact;
class TVpControlLink;
class TVpCustomDataStore;
class TVpEvent;
class TVpTask;

// The windows of the program that the store and its views open: the reminder window, the event,
// task and contact edit dialogs and the resource windows. The program supplies them; tests supply fakes.
class TVpStoreDialogs {
 public:
  virtual ~TVpStoreDialogs() = default;
  // Shows the reminder window for a due event until the user answers it.
  virtual void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) = 0;
  // Lets the user edit the event (times shown in 12-hour form when asked); true when the user
  // confirmed, and only then does the event hold the changes.
  virtual bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) = 0;
  // Lets the user edit a task of the active resource; true when the user confirmed, and then the
  // task holds the changes and the tasks are posted.
  virtual bool EditTask(TVpCustomDataStore& store, TVpTask& task) = 0;
  // Lets the user edit a contact of the active resource, with the link's countries and states
  // (typed ones without a link); true when the user confirmed, and then the contacts are posted.
  virtual bool EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) = 0;
  // Lets the user add a resource; true when one was added.
  virtual bool AddResource(TVpCustomDataStore& store) = 0;
  // Lets the user choose the active resource; true when the choice was confirmed.
  virtual bool SelectResource(TVpCustomDataStore& store) = 0;
};

// What the data store needs from the desktop.
struct TVpStoreServices {
  const TClock& Clock;
  TTimerFactory& Timers;
  TSoundPlayer& Sound;
  TMessagePoster& Poster;
  TMessageBoxes& MessageBoxes;
  TVpStoreDialogs& Dialogs;
};
