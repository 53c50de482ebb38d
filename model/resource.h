#pragma once

#include <memory>
#include <string>

#include "model/contacts.h"
#include "model/record.h"
#include "model/schedule.h"
#include "model/tasks.h"
#include "platform/clock.h"

class TVpResources;

// A person or thing whose time is planned. It owns its schedule of events, its tasks and its
// contacts; they hold what was last loaded for it.
class TVpResource : public TVpRecord {
 public:
  explicit TVpResource(const TClock& clock, TVpResources* owner = nullptr);
  // Clears the schedule, the tasks and the contacts before the collections themselves go.
  ~TVpResource() override;

  // The list holding the resource, or nullptr.
  TVpResources* Owner() const { return Owner_; }

  TVpSchedule& Schedule() { return *Schedule_; }
  const TVpSchedule& Schedule() const { return *Schedule_; }
  TVpTasks& Tasks() { return *Tasks_; }
  const TVpTasks& Tasks() const { return *Tasks_; }
  TVpContacts& Contacts() { return *Contacts_; }
  const TVpContacts& Contacts() const { return *Contacts_; }

  bool Deleted() const { return Deleted_; }
  // A new value also marks the resource changed (not while Loading).
  void SetDeleted(bool value) { Store(Deleted_, value); }

  // The resource's name, unique in its list without regard to letter case. A name used by
  // another resource of the list raises EDuplicateResource and changes nothing; a change of the
  // letter case of its own name is allowed. Storing marks the resource changed even while Loading.
  const std::string& Description() const { return Description_; }
  void SetDescription(std::string value);
  // Always stored, and marks the resource changed even while Loading.
  const std::string& Notes() const { return Notes_; }
  void SetNotes(std::string value);

  // Plain fields, not change-tracked.
  int ResourceID() const { return ResourceID_; }
  void SetResourceID(int value) { ResourceID_ = value; }
  bool Active() const { return Active_; }
  void SetActive(bool value) { Active_ = value; }

  // Which kind of record changed since the data store last posted it.
  bool EventsDirty() const { return EventsDirty_; }
  void SetEventsDirty(bool value) { EventsDirty_ = value; }
  bool ContactsDirty() const { return ContactsDirty_; }
  void SetContactsDirty(bool value) { ContactsDirty_ = value; }
  bool TasksDirty() const { return TasksDirty_; }
  void SetTasksDirty(bool value) { TasksDirty_ = value; }

 private:
  TVpResources* Owner_;
  bool Active_ = false;
  bool Deleted_ = false;
  bool EventsDirty_ = false;
  bool ContactsDirty_ = false;
  bool TasksDirty_ = false;
  std::unique_ptr<TVpSchedule> Schedule_;
  std::unique_ptr<TVpTasks> Tasks_;
  std::unique_ptr<TVpContacts> Contacts_;
  std::string Notes_;
  std::string Description_;
  int ResourceID_ = -1;
};
