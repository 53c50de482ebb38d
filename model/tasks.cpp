#include "model/tasks.h"

TVpTask* TVpTasks::AddTask(int recordID) {
  return AppendNew<EFailToCreateTask>([this] { return std::make_unique<TVpTask>(Clock_, this); },
                                      [&](TVpTask& task) { task.SetRecordID(recordID); });
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
