#include "views/tasks/task_commands.h"

#include <string>

#include "model/task.h"
#include "model/tasks.h"
#include "store/change_path.h"
#include "views/edit_dialogs.h"

void ToggleTaskCompletion(TVpCustomDataStore& store, TVpTask& task) {
  store.Changes().Change<TVpTask>(task, task.Complete() ? "Reopen" : "Complete",
                                  [](TVpTask& changed) { changed.SetComplete(!changed.Complete()); });
}

bool EditTaskInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpTask& task, bool isNew) {
  const TVpRecordHandle<TVpTask> handle(store, task);
  store.Changes().Edit<TVpTask>(task, isNew, [&](TVpTask& edited) { return dialogs.EditTask(store, edited); });
  return handle.Find() != nullptr;
}

bool ConfirmAndDeleteTask(TVpCustomDataStore& store, TVpTask& task) {
  const TVpRecordHandle<TVpTask> handle(store, task);
  const std::string question =
      "Delete " + task.Description() + " from your task list?\r\n\nThis operation cannot be undone!";
  if (!store.Services().MessageBoxes.AskYesNo(question)) return false;
  TVpTask* confirmed = handle.Find();
  if (confirmed == nullptr || !store.Changes().Delete(*confirmed)) return false;
  store.ReloadTasks();
  return true;
}
