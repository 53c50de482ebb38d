#pragma once

class TVpCustomDataStore;
class TVpEditDialogs;
class TVpTask;

// Completing, editing and deleting a task from a view. The dialogs are modal, during which a
// reminder may post or reload the tasks: the task is looked up again by its record ID afterwards
// and never read through the reference given.

// Completes an open task or reopens a completed one and writes the tasks at once.
void ToggleTaskCompletion(TVpCustomDataStore& store, TVpTask& task);

// Opens the task dialog of dialogs for the task (a new one when isNew); on OK posts the tasks. A
// new task whose dialog is cancelled is removed again and the tasks are posted. True when the task
// is still there.
bool EditTaskInDialog(TVpCustomDataStore& store, TVpEditDialogs& dialogs, TVpTask& task, bool isNew);

// Asks whether to delete the task; on Yes removes it, posts and reloads the tasks. True when it
// was deleted.
bool ConfirmAndDeleteTask(TVpCustomDataStore& store, TVpTask& task);
