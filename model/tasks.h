#pragma once

#include <optional>

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
  // TasksDirty is set. Raises EFailToCreateTask when the task cannot be made. The tasks added
  // during one update (a load) share one read of the clock as their CreatedOn.
  TVpTask* AddTask(int recordID);
  // Destroys the task (which leaves the collection); the collection is then sorted.
  void DeleteTask(TVpTask* task);

  void Sort() override;

 protected:
  void UpdateEnded() override { UpdateMoment_.reset(); }

 private:
  // The current moment; during an update the clock is read once for all the tasks added (the
  // desktop clock checks the time-zone file at every read, and a load adds thousands of tasks).
  double CreationMoment();

  const TClock& Clock_;
  TVpResource* Owner_;
  std::optional<double> UpdateMoment_;
};
