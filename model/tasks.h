#pragma once

#include "model/record_list.h"
#include "model/task.h"
#include "platform/clock.h"

class TVpResource;

// The tasks of one resource, sorted by DueDate, equal dates by Description (byte by byte).
class TVpTasks : public TVpRecordList<TVpTask> {
 public:
  explicit TVpTasks(const TClock& clock, TVpResource* owner = nullptr) : Clock_(clock), Owner_(owner) {}
  ~TVpTasks() override { Clear(); }

  // The resource owning the collection, or nullptr.
  TVpResource* Owner() const { return Owner_; }

  // A new task with the ID, marked changed (see TVpTask) and not sorted in; the resource's
  // TasksDirty is set. Raises EFailToCreateTask when the task cannot be made.
  TVpTask* AddTask(int recordID);
  // Destroys the task (which leaves the collection); the collection is then sorted.
  void DeleteTask(TVpTask* task);

  void Sort() override;

 private:
  const TClock& Clock_;
  TVpResource* Owner_;
};
