#include <benchmark/benchmark.h>

#include <string>

#include "bench/planner_folder.h"
#include "model/day_number.h"
#include "store/planner_files.h"
#include "tests/support/planner_fixture.h"

// Loading a month of events from a table of 100,000 and asking each of its days for its events, as
// a month view does: with a tenth of the events walked (a repeat rule, exception dates or a zone)
// beside the same table repeating by the codes alone (budget: 1.5 times the peer).
namespace {

const std::string& Folder(bool walked) {
  static const std::string codes = MakeFolder(100000, 0, 0, false);
  static const std::string rules = MakeFolder(100000, 0, 0, true);
  return walked ? rules : codes;
}

void LoadMonth(benchmark::State& state, bool walked) {
  TPlannerFixture desktop;
  desktop.Clock.Set(EncodeDate(2024, 6, 15));
  const std::string& folder = Folder(walked);
  int loaded = 0;
  for (auto _ : state) {
    TVpPlannerFiles files(TVpStoreServices{desktop.Clock, desktop.Timers, desktop.Sound, desktop.Poster,
                                           desktop.MessageBoxes, desktop.Dialogs},
                          desktop.Writer);
    files.SetDataFolder(folder);
    files.Store().SetDayBuffer(15);
    files.Connect();
    files.Store().SelectResourceByName("KORET");
    const TVpSchedule& schedule = files.Store().ActiveResource()->Schedule();
    int shown = 0;
    for (int day = 1; day <= 30; ++day) shown += schedule.CountEventsOn(EncodeDate(2024, 6, day));
    loaded = schedule.Count();
    benchmark::DoNotOptimize(shown);
    state.counters["shown"] = shown;
  }
  state.counters["loaded"] = loaded;
}

void BM_Peer_LoadMonth_100k_RepeatCodes(benchmark::State& state) { LoadMonth(state, false); }
void BM_LoadMonth_100k_TenthWalked(benchmark::State& state) { LoadMonth(state, true); }

BENCHMARK(BM_Peer_LoadMonth_100k_RepeatCodes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMonth_100k_TenthWalked)->Unit(benchmark::kMillisecond);

}  // namespace
