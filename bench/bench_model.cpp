#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/occurrences.h"
#include "model/schedule.h"

// The planner's day questions over a loaded schedule of 10,000 events, a tenth of them repeating,
// spread over a year: the schedule's day lookup beside the plain baseline that puts every event
// to the per-event rule. Also loading 10,000 events one at a time (each add sorts), in one go
// (sorting put off to the end), and the textbook selection sort of the same list as the baseline.
namespace {

constexpr int kEvents = 10'000;
const double kFirstDay = EncodeDate(2024, 1, 1);

struct TEventRow {
  double Start;
  double End;
  std::uint8_t RepeatCode;
  double RangeEnd;
  int Interval;
};

std::vector<TEventRow> Rows() {
  std::mt19937 random(1);
  std::vector<TEventRow> rows;
  for (int i = 0; i < kEvents; ++i) {
    TEventRow row{};
    row.Start = kFirstDay + static_cast<double>(random() % 365) + (random() % 96) / 96.0;
    row.End = row.Start + (1 + random() % 8) / 24.0;
    if (i % 10 == 0) {
      row.RepeatCode = static_cast<std::uint8_t>(1 + random() % 7);
      row.RangeEnd = row.Start + static_cast<double>(random() % 730);
      row.Interval = 2 + static_cast<int>(random() % 10);
    }
    rows.push_back(row);
  }
  return rows;
}

void Fill(TVpSchedule& schedule, const std::vector<TEventRow>& rows) {
  int id = 0;
  for (const TEventRow& row : rows) {
    TVpEvent* event = schedule.AddEvent(++id, row.Start, row.End);
    event->SetRepeatCode(row.RepeatCode);
    event->SetRepeatRangeEnd(row.RangeEnd);
    event->SetCustomInterval(row.Interval);
  }
}

TVpSchedule& LoadedSchedule() {
  static const std::unique_ptr<TVpSchedule> schedule = [] {
    auto loaded = std::make_unique<TVpSchedule>();
    loaded->BeginUpdate();
    Fill(*loaded, Rows());
    loaded->EndUpdate();
    return loaded;
  }();
  return *schedule;
}

// One day after another of the middle of the year, so that no day is asked twice in a row.
double DayOf(int64_t iteration) { return kFirstDay + 150 + static_cast<double>(iteration % 61); }

void BM_CollectEventsOn_DayLookup(benchmark::State& state) {
  TVpSchedule& schedule = LoadedSchedule();
  std::vector<TVpEvent*> list;
  int64_t i = 0;
  for (auto _ : state) {
    list.clear();
    schedule.CollectEventsOn(DayOf(i++), list);
    benchmark::DoNotOptimize(list.data());
  }
}

void BM_CollectEventsOn_PlainRuleBaseline(benchmark::State& state) {
  TVpSchedule& schedule = LoadedSchedule();
  std::vector<TVpEvent*> list;
  int64_t i = 0;
  for (auto _ : state) {
    list.clear();
    const double day = DayOf(i++);
    for (int k = 0; k < schedule.Count(); ++k)
      if (FallsOn(*schedule.Items(k), day)) list.push_back(schedule.Items(k));
    benchmark::DoNotOptimize(list.data());
  }
}

// The first question after an edit pays for rebuilding the lookup.
void BM_CollectEventsOn_AfterAnEdit(benchmark::State& state) {
  TVpSchedule& schedule = LoadedSchedule();
  TVpEvent& edited = *schedule.Items(kEvents / 2);
  std::vector<TVpEvent*> list;
  int64_t i = 0;
  for (auto _ : state) {
    edited.SetRepeatCode(static_cast<std::uint8_t>(i % 2 == 0 ? rcWeekly : rcNone));
    list.clear();
    schedule.CollectEventsOn(DayOf(i++), list);
    benchmark::DoNotOptimize(list.data());
  }
}

// A month view asks for the count of each of its 42 days.
void BM_CountEventsOn_MonthView(benchmark::State& state) {
  TVpSchedule& schedule = LoadedSchedule();
  for (auto _ : state) {
    int total = 0;
    for (int cell = 0; cell < 42; ++cell) total += schedule.CountEventsOn(kFirstDay + 150 + cell);
    benchmark::DoNotOptimize(total);
  }
}

void BM_Load_SortedAfterEachAdd(benchmark::State& state) {
  const std::vector<TEventRow> rows = Rows();
  for (auto _ : state) {
    TVpSchedule schedule;
    Fill(schedule, rows);
    benchmark::DoNotOptimize(schedule.Count());
  }
}

void BM_Load_SortedOnceAtTheEnd(benchmark::State& state) {
  const std::vector<TEventRow> rows = Rows();
  for (auto _ : state) {
    TVpSchedule schedule;
    schedule.BeginUpdate();
    Fill(schedule, rows);
    schedule.EndUpdate();
    benchmark::DoNotOptimize(schedule.Count());
  }
}

// The textbook selection sort of the same 10,000 start and end times.
void BM_Load_TextbookSelectionSortBaseline(benchmark::State& state) {
  const std::vector<TEventRow> rows = Rows();
  auto less = [](const TEventRow& a, const TEventRow& b) {
    return a.Start != b.Start ? a.Start < b.Start : a.End < b.End;
  };
  for (auto _ : state) {
    std::vector<TEventRow> items = rows;
    for (size_t i = 0; i < items.size(); ++i) {
      size_t smallest = i;
      for (size_t j = i + 1; j < items.size(); ++j)
        if (less(items[j], items[smallest])) smallest = j;
      std::swap(items[i], items[smallest]);
    }
    benchmark::DoNotOptimize(items.data());
  }
}

}  // namespace

BENCHMARK(BM_CollectEventsOn_DayLookup);
BENCHMARK(BM_CollectEventsOn_PlainRuleBaseline);
BENCHMARK(BM_CollectEventsOn_AfterAnEdit);
BENCHMARK(BM_CountEventsOn_MonthView);
BENCHMARK(BM_Load_SortedAfterEachAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load_SortedOnceAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load_TextbookSelectionSortBaseline)->Unit(benchmark::kMillisecond);
