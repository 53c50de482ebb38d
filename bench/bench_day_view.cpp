#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "app/core/windows/main_view_looks.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/day/day_view.h"

// One on-screen paint of the day view on the recording canvas, every row of the day in view:
// 7 days and 30 days of 40 events each (budgets: 5 ms and 50 ms). The baseline beside them is the
// same paint with no events (ruler, headers, slot rows and frames), so the difference is what the
// events cost: placing them side by side, their bars, icons and wrapped text. One day of 40
// occurrences of series walked by rich rules (exception dates, some on another zone's clock) is
// painted with the series' walks kept, and with them dropped before each paint (budget: 5 ms).
namespace {

constexpr int kEventsPerDay = 40;
const char* const kDescriptions[] = {
    "Weekly planning meeting with the whole team in the large room",   "Call back about the invoice", "Dentist",
    "Pick up the parcel from the post office before it closes at six", "Lunch with Anna and Peter",
};

enum class TEvents { None, OneOffs, WalkedSeries };

// Rules each of which places an occurrence on Monday 6 May 2024, for series from 1 January.
const char* const kRules[] = {"FREQ=WEEKLY;BYDAY=MO,WE,FR", "FREQ=MONTHLY;BYDAY=1MO",
                              "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR;BYHOUR=7,12,16", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO",
                              "FREQ=YEARLY;BYMONTH=1,3,5,7;BYDAY=MO"};

class TDayViewBench {
 public:
  TDayViewBench(int days, TEvents events, TVpDVWrapStyle wrap) {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    View = std::make_unique<TVpDayView>(Planner.Clock, Locale, &Planner.Window);
    View->SetDataStore(&Planner.Store());
    View->SetDate(At(2024, 5, 6));
    View->SetNumDays(days);
    View->SetWrapStyle(wrap);
    View->IconAttributes().SetAlarmBitmap(StandardAlarmPicture());
    View->IconAttributes().SetRecurringBitmap(StandardRecurringPicture());
    if (events == TEvents::OneOffs) AddEvents(days);
    if (events == TEvents::WalkedSeries) AddSeries();
    Client = Rect(0, 0, 100 + 200 * days, 1500);  // 48 rows of 30 pixels
    View->Resize(Client.Width(), Client.Height());
  }

  void Paint() {
    Canvas.Clear();
    View->Paint(Canvas, Client);
  }

  size_t Drawn() const { return View->EventArray().size(); }

  void DropWalks() {
    const TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    for (int i = 0; i < schedule.Count(); ++i) schedule.Items(i)->Occurrences().Clear();
  }

 private:
  void AddEvents(int days) {
    std::mt19937 random(7);
    TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    schedule.BeginUpdate();
    int id = 0;
    for (int day = 0; day < days; ++day) {
      for (int i = 0; i < kEventsPerDay; ++i) {
        const double start = At(2024, 5, 6 + day, 7) + static_cast<int>(random() % 48) * 15 * kOneMinute;
        const double end = start + static_cast<int>(1 + random() % 8) * 15 * kOneMinute;
        TVpEvent* event = schedule.AddEvent(++id, start, end);
        event->SetDescription(kDescriptions[random() % 5]);
        event->SetCategory(static_cast<int>(random() % 10));
        event->SetAlarmSet(random() % 4 == 0);
      }
    }
    schedule.EndUpdate();
  }

  // 40 series from Monday 1 January 2024, each with an occurrence on 6 May, all with exception
  // dates and every third on the clock of New York.
  void AddSeries() {
    std::mt19937 random(7);
    TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    schedule.BeginUpdate();
    for (int i = 0; i < kEventsPerDay; ++i) {
      const double start = At(2024, 1, 1, 7) + static_cast<int>(random() % 40) * 15 * kOneMinute;
      TVpEvent* event = schedule.AddEvent(i + 1, start, start + static_cast<int>(1 + random() % 8) * 15 * kOneMinute);
      event->SetDescription(kDescriptions[random() % 5]);
      event->SetCategory(static_cast<int>(random() % 10));
      if (i % 3 == 0) event->SetTimeZone("America/New_York");
      event->SetRepeatRule(kRules[i % 5]);
      event->SetExceptionDates("20240102T070000,20240301,20240506T000000");
      event->SetAlarmSet(random() % 4 == 0);
    }
    schedule.EndUpdate();
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  std::unique_ptr<TVpDayView> View;
  TRecordingCanvas Canvas;
  TRect Client;
};

void PaintDayView(benchmark::State& state, int days, TEvents events, TVpDVWrapStyle wrap, bool dropWalks = false) {
  TDayViewBench bench(days, events, wrap);
  for (auto _ : state) {
    if (dropWalks) bench.DropWalks();
    bench.Paint();
  }
  state.counters["events"] = static_cast<double>(bench.Drawn());
}

void BM_Baseline_7Days_NoEvents(benchmark::State& state) { PaintDayView(state, 7, TEvents::None, wsIconFlow); }
void BM_DayView_7Days_40Events_Wrapped(benchmark::State& state) {
  PaintDayView(state, 7, TEvents::OneOffs, wsIconFlow);
}
void BM_DayView_7Days_40Events_OneLine(benchmark::State& state) { PaintDayView(state, 7, TEvents::OneOffs, wsNone); }
void BM_Baseline_30Days_NoEvents(benchmark::State& state) { PaintDayView(state, 30, TEvents::None, wsIconFlow); }
void BM_DayView_30Days_40Events_Wrapped(benchmark::State& state) {
  PaintDayView(state, 30, TEvents::OneOffs, wsIconFlow);
}
void BM_Baseline_1Day_NoEvents(benchmark::State& state) { PaintDayView(state, 1, TEvents::None, wsIconFlow); }
void BM_DayView_1Day_40WalkedSeries(benchmark::State& state) {
  PaintDayView(state, 1, TEvents::WalkedSeries, wsIconFlow);
}
void BM_DayView_1Day_40WalkedSeries_WalksDropped(benchmark::State& state) {
  PaintDayView(state, 1, TEvents::WalkedSeries, wsIconFlow, true);
}

BENCHMARK(BM_Baseline_7Days_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayView_7Days_40Events_Wrapped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayView_7Days_40Events_OneLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_30Days_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayView_30Days_40Events_Wrapped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_1Day_NoEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayView_1Day_40WalkedSeries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayView_1Day_40WalkedSeries_WalksDropped)->Unit(benchmark::kMillisecond);

}  // namespace
