#include "model/tasks.h"

TVpTask* TVpTasks::AddTask(int recordID) {
  const double createdOn = CreationMoment();
  return AppendNew<EFailToCreateTask>([&] { return std::make_unique<TVpTask>(Clock_, this, createdOn); },
                                      [&](TVpTask& task) { task.SetRecordID(recordID); });
}

double TVpTasks::CreationMoment() {
  if (!Updating()) return Clock_.Now();
  if (!UpdateMoment_) UpdateMoment_ = Clock_.Now();
  return *UpdateMoment_;
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
