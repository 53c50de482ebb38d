#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "bench/planner_folder.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "store/planner_files.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/day/day_view.h"

// What a user feels when stepping through the days of a big folder: the day view steps one day
// (Next Day), seven days (Next Week) or a month (Next Month, a day view of a week) and paints, over
// folders of 1,000, 100,000 and 300,000 events. The folders keep the same number of events a day
// (2, a tenth repeating weekly for a year) and differ in how many years they reach back, so every step shows the
// same amount; the step's cost must not grow with the folder (budget: 300,000 within 1.2 times
// 1,000). Steps cross month ends, where the store moves its window of loaded days.
namespace {

constexpr int kEventsPerDay = 2;

class TStepBench {
 public:
  explicit TStepBench(int events, int numDays) {
    Files = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Desktop.Clock, Desktop.Timers, Desktop.Sound,
                                                               Desktop.Poster, Desktop.MessageBoxes, Desktop.Dialogs},
                                              Desktop.Writer, &Desktop.Window);
    Files->SetDataFolder(MakeFolder(events, 0, 0, false, events / kEventsPerDay));
    Files->Connect();
    Files->Store().SelectResourceByName("KORET");
    View = std::make_unique<TVpDayView>(Desktop.Clock, Locale, &Desktop.Window);
    View->SetDataStore(&Files->Store());
    View->Loaded();  // as the window does once it is built: the view moves the store's days
    View->SetNumDays(numDays);
    Client = Rect(0, 0, 100 + 200 * numDays, 1500);
    View->Resize(Client.Width(), Client.Height());
    View->SetDate(Start);
    const TVpResource* active = Files->Store().ActiveResource();
    if (active == nullptr) throw std::runtime_error("the folder has no resource KORET");
  }

  // Steps the view by the days and paints it; back to the start before the folder's end.
  void Step(double days) {
    double next = View->Date() + days;
    if (next > End - 8) next = Start;
    View->SetDate(next);
    Canvas.Clear();
    View->Paint(Canvas, Client);
    Shown += static_cast<double>(View->EventArray().size());
  }

  double Shown = 0;

 private:
  // The last three months of every folder (the smallest reaches back 500 days, so series of the year before repeat into
  // them in every folder): the folders end on the same day.
  const double End = EncodeDate(2029, 12, 29);
  const double Start = End - 90;
  TPlannerFixture Desktop;
  TEnglishLocale Locale;
  std::unique_ptr<TVpPlannerFiles> Files;
  std::unique_ptr<TVpDayView> View;
  TRecordingCanvas Canvas;
  TRect Client;
};

void StepDays(benchmark::State& state, double days, int numDays) {
  TStepBench bench(static_cast<int>(state.range(0)), numDays);
  for (auto _ : state) bench.Step(days);
  state.counters["shown_per_step"] = benchmark::Counter(bench.Shown, benchmark::Counter::kAvgIterations);
}

void BM_NextDay(benchmark::State& state) { StepDays(state, 1, 1); }
void BM_NextWeek(benchmark::State& state) { StepDays(state, 7, 1); }
void BM_NextMonth_WeekShown(benchmark::State& state) { StepDays(state, 30, 7); }

BENCHMARK(BM_NextDay)->Arg(1'000)->Arg(100'000)->Arg(300'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextWeek)->Arg(1'000)->Arg(100'000)->Arg(300'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextMonth_WeekShown)->Arg(1'000)->Arg(100'000)->Arg(300'000)->Unit(benchmark::kMicrosecond);

}  // namespace
