#include "model/tasks.h"

TVpTask* TVpTasks::AddTask(int recordID) {
  TVpTask* task = nullptr;
  try {
    auto created = std::make_unique<TVpTask>(Clock_, this);
    created->SetLoading(true);
    created->SetRecordID(recordID);
    task = &Append(std::move(created));
    task->SetLoading(false);
  } catch (const std::exception&) {
    if (task) Extract(*task);
    throw EFailToCreateTask();
  }
  return task;
}

void TVpTasks::DeleteTask(TVpTask* task) {
  if (!task) return;
  if (Extract(*task)) Sort();
}

void TVpTasks::Sort() {
  SortBy([](const TVpTask& a, const TVpTask& b) {
    if (a.DueDate() != b.DueDate()) return a.DueDate() < b.DueDate();
    return a.Description() < b.Description();
  });
}
