#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "app/core/windows/main_view_looks.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/week/week_view.h"

// One on-screen paint of the week view on the recording canvas with the Events tab's look: 7 days
// of 40 events each, one in eight of them all-day (budget: well under 5 ms), in a window of a
// usual size, where most lines give way to the "more" marks, and in one tall enough to draw every
// line. The baseline beside them is the same paint with no events (header, boxes, captions).
namespace {

constexpr int kEventsPerDay = 40;
const char* const kDescriptions[] = {
    "Weekly planning meeting with the whole team in the large room",   "Call back about the invoice", "Dentist",
    "Pick up the parcel from the post office before it closes at six", "Lunch with Anna and Peter",
};

class TWeekViewBench {
 public:
  TWeekViewBench(bool withEvents, int height) {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    View = std::make_unique<TVpWeekView>(Planner.Clock, Locale, &Planner.Window);
    ConfigureMainWeekView(*View);
    View->SetDataStore(&Planner.Store());
    View->SetDate(At(2024, 5, 6));
    if (withEvents) AddEvents();
    Client = Rect(0, 0, 640, height);
    View->Resize(Client.Width(), Client.Height());
  }

  void Paint() {
    Canvas.Clear();
    View->Paint(Canvas, Client);
  }

  size_t Drawn() const { return View->EventArray().size(); }

 private:
  void AddEvents() {
    std::mt19937 random(7);
    TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    schedule.BeginUpdate();
    int id = 0;
    for (int day = 0; day < 7; ++day) {
      for (int i = 0; i < kEventsPerDay; ++i) {
        const double start = At(2024, 5, 6 + day, 7) + static_cast<int>(random() % 48) * 15 * kOneMinute;
        const double end = start + static_cast<int>(1 + random() % 8) * 15 * kOneMinute;
        TVpEvent* event = schedule.AddEvent(++id, start, end);
        event->SetDescription(kDescriptions[random() % 5]);
        event->SetAllDayEvent(i % 8 == 0);
      }
    }
    schedule.EndUpdate();
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  std::unique_ptr<TVpWeekView> View;
  TRecordingCanvas Canvas;
  TRect Client;
};

void PaintWeekView(benchmark::State& state, bool withEvents, int height) {
  TWeekViewBench bench(withEvents, height);
  for (auto _ : state) bench.Paint();
  state.counters["events"] = static_cast<double>(bench.Drawn());
}

// 640 x 480: a week view beside the day view; 640 x 5400: every one of the 280 events drawn.
void BM_Baseline_Week_NoEvents(benchmark::State& state) { PaintWeekView(state, false, 480); }
void BM_WeekView_7x40Events(benchmark::State& state) { PaintWeekView(state, true, 480); }
void BM_Baseline_TallWeek_NoEvents(benchmark::State& state) { PaintWeekView(state, false, 5400); }
void BM_WeekView_Tall_7x40Events(benchmark::State& state) { PaintWeekView(state, true, 5400); }

BENCHMARK(BM_Baseline_Week_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeekView_7x40Events)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_TallWeek_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeekView_Tall_7x40Events)->Unit(benchmark::kMillisecond);

}  // namespace
