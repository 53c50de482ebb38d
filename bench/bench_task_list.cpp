#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "app/core/windows/main_view_looks.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/tasks/task_list.h"

// One on-screen paint of the task list on the recording canvas with the Task List tab's look:
// 1,000 tasks, a tenth of them completed, due over two months, in a window of a usual size where
// only the rows that fit are laid out (budget: well under 5 ms). The baseline beside it is the
// same paint with no tasks (header, lines, border).
namespace {

constexpr int kTasks = 1000;
const char* const kDescriptions[] = {"Call back about the invoice",
                                     "Renew the car insurance before the end of the month", "Water the plants",
                                     "Write the quarterly report for the board and send it round", "Book the flights"};

class TTaskListBench {
 public:
  explicit TTaskListBench(bool withTasks) {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    List = std::make_unique<TVpTaskList>(Planner.Clock, Locale, &Planner.Window);
    ConfigureMainTaskList(*List);
    List->SetDataStore(&Planner.Store());
    if (withTasks) AddTasks();
    List->Resize(Client.Width(), Client.Height());
  }

  void Paint() {
    Canvas.Clear();
    List->Paint(Canvas, Client);
  }

  size_t Drawn() const { return List->ScreenLayout().Rows.size(); }

 private:
  void AddTasks() {
    std::mt19937 random(7);
    TVpTasks& tasks = Planner.Store().ActiveResource()->Tasks();
    tasks.BeginUpdate();
    for (int id = 1; id <= kTasks; ++id) {
      TVpTask* task = tasks.AddTask(id);
      task->SetDescription(std::string(kDescriptions[random() % 5]) + " " + std::to_string(id));
      task->SetDueDate(At(2024, 5, 1) + static_cast<int>(random() % 60));
      if (id % 10 == 0) task->SetComplete(true);
    }
    tasks.EndUpdate();
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  std::unique_ptr<TVpTaskList> List;
  TRecordingCanvas Canvas;
  TRect Client = Rect(0, 0, 640, 480);
};

void PaintTaskList(benchmark::State& state, bool withTasks) {
  TTaskListBench bench(withTasks);
  for (auto _ : state) bench.Paint();
  state.counters["rows"] = static_cast<double>(bench.Drawn());
}

void BM_Baseline_TaskList_NoTasks(benchmark::State& state) { PaintTaskList(state, false); }
void BM_TaskList_1000Tasks(benchmark::State& state) { PaintTaskList(state, true); }

BENCHMARK(BM_Baseline_TaskList_NoTasks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaskList_1000Tasks)->Unit(benchmark::kMillisecond);

}  // namespace
