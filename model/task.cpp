#include "model/task.h"

#include "model/day_number.h"
#include "model/resource.h"
#include "model/tasks.h"
#include "platform/assign_if_changed.h"

TVpTask::TVpTask(const TClock& clock, TVpTasks* owner, double createdOn) : Clock_(clock), Owner_(owner) {
  SetCreatedOn(createdOn);
}

void TVpTask::MarkOwnerDirty() {
  if (Owner_ && Owner_->Owner()) Owner_->Owner()->SetTasksDirty(true);
}

void TVpTask::SetComplete(bool value) {
  if (!AssignIfChanged(Complete_, value)) return;
  SetCompletedOn(value ? Clock_.Now() : 0.0);
}

void TVpTask::SetCompletedOn(double value) { Store(CompletedOn_, SnapToMs(value)); }
void TVpTask::SetCreatedOn(double value) { Store(CreatedOn_, SnapToMs(value)); }
void TVpTask::SetDueDate(double value) { Store(DueDate_, DateOf(value)); }
