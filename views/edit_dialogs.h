#pragma once

#include <string>

class TVpContact;
class TVpControlLink;
class TVpCustomDataStore;
class TVpEvent;
class TVpTask;

// The edit windows a view opens: the event, task and contact windows and the resource windows.
// The hosting window hands them to its views; tests supply fakes. Each edits the record it is
// given and posts nothing: the store's change path posts what was confirmed.
class TVpEditDialogs {
 public:
  virtual ~TVpEditDialogs() = default;
  // Lets the user edit the event (times shown in 12-hour form when asked); true when the user
  // confirmed, and only then does the event hold the changes.
  virtual bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) = 0;
  // The zone a new event keeps (a zone data name), empty for floating.
  virtual std::string NewEventZone() const { return {}; }
  // Lets the user edit a task of the active resource; true when the user confirmed.
  virtual bool EditTask(TVpCustomDataStore& store, TVpTask& task) = 0;
  // Lets the user edit a contact of the active resource, with the link's countries and states
  // (typed ones without a link); true when the user confirmed.
  virtual bool EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) = 0;
  // Lets the user add a resource; true when one was added.
  virtual bool AddResource(TVpCustomDataStore& store) = 0;
  // Lets the user choose the active resource; true when the choice was confirmed.
  virtual bool SelectResource(TVpCustomDataStore& store) = 0;
};
