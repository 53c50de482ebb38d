#include "views/tasks/task_commands.h"

#include <string>

#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "store/data_store.h"

void ToggleTaskCompletion(TVpCustomDataStore& store, TVpResource& resource, TVpTask& task) {
  task.SetComplete(!task.Complete());
  task.SetChanged(true);
  resource.SetTasksDirty(true);
  store.PostTasks();
}

bool EditTaskInDialog(TVpCustomDataStore& store, TVpResource& resource, TVpTask& task, bool isNew) {
  const int recordID = task.RecordID();
  const bool accepted = store.Services().Dialogs.EditTask(store, task);
  TVpTask* edited = resource.Tasks().FindByRecordID(recordID);
  if (accepted) {
    store.PostTasks();
  } else if (isNew && store.Connected() && edited != nullptr) {
    resource.Tasks().DeleteTask(edited);
    edited = nullptr;
    store.PostTasks();
  }
  return edited != nullptr;
}

bool ConfirmAndDeleteTask(TVpCustomDataStore& store, TVpResource& resource, TVpTask& task) {
  const int recordID = task.RecordID();
  const std::string question =
      "Delete " + task.Description() + " from your task list?\r\n\nThis operation cannot be undone!";
  if (!store.Services().MessageBoxes.AskYesNo(question)) return false;
  TVpTask* confirmed = resource.Tasks().FindByRecordID(recordID);
  if (confirmed == nullptr) return false;
  confirmed->SetDeleted(true);
  resource.SetTasksDirty(true);
  store.PostTasks();
  store.ReloadTasks();
  return true;
}
