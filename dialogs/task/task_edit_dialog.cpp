#include "dialogs/task/task_edit_dialog.h"

#include "store/record_handle.h"

TVpTaskEditDialog::TVpTaskEditDialog() { Placement().Position = mpCenter; }

bool TVpTaskEditDialog::Execute(TVpTask* task, const TLocale& locale, TVpTaskWindow& window) {
  Placement().Width = 380;
  Placement().Height = 341;
  TVpCustomDataStore* store = DataStore();
  if (task == nullptr || store == nullptr || store->ActiveResource() == nullptr) return false;

  const TVpRecordHandle<TVpTask> reference(*store, *task);
  TVpTaskEditRules form(store->Services().Clock, locale);
  form.Fill(*task);
  if (!window.Show(form, DialogCaption(task->Description(), "Task"), Placement(), Options())) return false;

  TVpTask* current = reference.Find();
  if (current == nullptr) {
    store->Services().MessageBoxes.ShowMessage(
        "The task was removed while it was being edited; the changes were not saved.");
    return false;
  }
  form.WriteTo(*current);
  return true;
}
