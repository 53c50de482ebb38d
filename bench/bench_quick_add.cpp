#include <benchmark/benchmark.h>

#include <string>

#include "model/day_number.h"
#include "model/quick_add.h"

// Reading a quick-add line, against the budget of a millisecond per line; beside it the floor of
// copying the line into a string and lower-casing it, which every reading does at least.
namespace {

const char* const kLines[] = {
    "Lunch with Anna at Cafe Central tomorrow 12:30 for 90 min remind me 15 min before",
    "Team call every Monday and Thursday from 9 to 10:30 until March",
    "task: send the quarterly report Friday",
    "Conference 2027-01-15 all day",
    "Yoga every other week 7pm 3 times at the studio",
};
const double kNow = EncodeDate(2026, 12, 10) + EncodeTime(14, 0);

void QuickAddLine(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ParseQuickAdd(kLines[i++ % std::size(kLines)], kNow));
}
BENCHMARK(QuickAddLine);

void LowerCasedCopyFloor(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    std::string line = kLines[i++ % std::size(kLines)];
    for (char& c : line) c = static_cast<char>(c | 0x20);
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(LowerCasedCopyFloor);

}  // namespace
