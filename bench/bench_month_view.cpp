#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "app/core/windows/calendar_window_logic.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/month/month_view.h"

// One on-screen paint of the calendar window's month view on the recording canvas, 42 days of
// 10 events each (budget: well under 5 ms). The baseline beside it is the same paint with no
// events (header, weekday row, grid and day numbers), so the difference is what the events cost:
// one lookup per day, the bold day numbers and the event lines.
namespace {

constexpr int kEventsPerDay = 10;
const char* const kDescriptions[] = {"Weekly planning meeting", "Call back about the invoice", "Dentist",
                                     "Pick up the parcel", "Lunch with Anna and Peter"};

class TMonthViewBench {
 public:
  explicit TMonthViewBench(bool withEvents) {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    View = std::make_unique<TVpMonthView>(Planner.Clock, Locale, &Planner.Window);
    ConfigureCalendarMonthView(*View);
    View->SetDataStore(&Planner.Store());
    View->SetDate(At(2024, 9, 12));
    if (withEvents) AddEvents();
    Client = Rect(0, 0, 1200, 1500);  // room for all ten lines of every day
    View->Resize(Client.Width(), Client.Height());
  }

  void Paint() {
    Canvas.Clear();
    View->Paint(Canvas, Client);
  }

  size_t Drawn() const { return View->ScreenLayout().Events.size(); }

 private:
  // 10 events on each of the 42 days the grid shows, from Sunday 1 September 2024.
  void AddEvents() {
    std::mt19937 random(7);
    TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    schedule.BeginUpdate();
    int id = 0;
    for (int day = 0; day < 42; ++day) {
      for (int i = 0; i < kEventsPerDay; ++i) {
        const double start = At(2024, 9, 1, 7) + day + static_cast<int>(random() % 48) * 15 * kOneMinute;
        TVpEvent* event = schedule.AddEvent(++id, start, start + 30 * kOneMinute);
        event->SetDescription(kDescriptions[random() % 5]);
      }
    }
    schedule.EndUpdate();
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  std::unique_ptr<TVpMonthView> View;
  TRecordingCanvas Canvas;
  TRect Client;
};

void PaintMonthView(benchmark::State& state, bool withEvents) {
  TMonthViewBench bench(withEvents);
  for (auto _ : state) bench.Paint();
  state.counters["events"] = static_cast<double>(bench.Drawn());
}

void BM_Baseline_Month_NoEvents(benchmark::State& state) { PaintMonthView(state, false); }
void BM_MonthView_42Days_10Events(benchmark::State& state) { PaintMonthView(state, true); }

BENCHMARK(BM_Baseline_Month_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthView_42Days_10Events)->Unit(benchmark::kMillisecond);

}  // namespace
