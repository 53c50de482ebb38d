#include <benchmark/benchmark.h>

#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

#include "interop/exchange/import_command.h"
#include "interop/ical/ical_reader.h"
#include "platform/file_reader.h"
#include "tests/support/planner_fixture.h"

// Importing calendar files of 10,000, 100,000 and 200,000 events and an address book of 10,000 and
// 50,000 cards into an empty program folder, beside the bare costs it cannot avoid: reading the
// file's bytes, and parsing them with libical alone. The import's time should grow linearly with
// the items (100k within 12 times the 10k time, 200k within 2.2 times the 100k time) and stay
// within 4 times libical's parse of the same file; each run reports its time per item and its
// ratio to the parse, in wall-clock time ("x_parse": the import's includes flushing its files) and
// in processor time ("x_parse_cpu", steadier on a machine others share).
//
// Beside them, the cost of reading a calendar whose DESCRIPTION is folded over 5, 20 and 100 MB:
// linear in the size, beside reading the same bytes with the description on one line.
namespace {

std::string TemporaryFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("koret-bench-" + name)).string();
}

// A calendar file of single events over ten years, a tenth of them repeating weekly.
std::string MakeCalendar(int events) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
  char line[512];
  for (int i = 0; i < events; ++i) {
    const int day = i % 3650;
    const int year = 2020 + day / 365;
    const int month = 1 + day % 365 / 31;
    const int dom = 1 + day % 31 % 28;
    std::snprintf(line, sizeof line,
                  "BEGIN:VEVENT\r\nUID:bench-%d@example.org\r\nDTSTAMP:20240101T000000Z\r\n"
                  "DTSTART:%04d%02d%02dT%02d0000\r\nDTEND:%04d%02d%02dT%02d3000\r\nSUMMARY:Meeting %d – Ärzteweg\r\n"
                  "DESCRIPTION:bring the slides\\nroom 4\r\n%sEND:VEVENT\r\n",
                  i, year, month, dom, 8 + i % 10, year, month, dom, 8 + i % 10, i,
                  i % 10 == 0 ? "RRULE:FREQ=WEEKLY;COUNT=20\r\n" : "");
    text += line;
  }
  text += "END:VCALENDAR\r\n";
  const std::string file = TemporaryFile(std::to_string(events) + ".ics");
  TAtomicFileWriter().ReplaceFile(file, text);
  return file;
}

std::string MakeCards(int cards) {
  std::string text;
  char card[512];
  for (int i = 0; i < cards; ++i) {
    std::snprintf(
        card, sizeof card,
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-%d@example.org\r\nN:Müller %d;Anna;;;\r\nFN:Anna Müller %d\r\n"
        "TEL;TYPE=WORK:+49 30 %07d\r\nEMAIL:anna%d@example.org\r\nADR;TYPE=HOME:;;Hauptstr. %d;Berlin;;"
        "10115;Germany\r\nNOTE:met at the fair\r\nEND:VCARD\r\n",
        i, i, i, i, i, i % 200);
    text += card;
  }
  const std::string file = TemporaryFile(std::to_string(cards) + ".vcf");
  TAtomicFileWriter().ReplaceFile(file, text);
  return file;
}

const std::string& FileOf(int items, bool cards) {
  static std::map<std::pair<int, bool>, std::string> files;
  auto found = files.find({items, cards});
  if (found == files.end())
    found = files.emplace(std::pair{items, cards}, cards ? MakeCards(items) : MakeCalendar(items)).first;
  return found->second;
}

// Wall-clock and this process's processor time in seconds: on a shared machine the processor time
// of two runs compares better than their wall-clock time.
struct TTimes {
  double Wall = 0;
  double Cpu = 0;
};

TTimes Now() {
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  return {std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(),
          static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) / 1e9};
}

TTimes Since(const TTimes& start) {
  const TTimes now = Now();
  return {now.Wall - start.Wall, now.Cpu - start.Cpu};
}

TTimes LibicalParseTimes(const std::string& bytes) {
  const TTimes start = Now();
  icalcomponent* calendar = icalparser_parse_string(bytes.c_str());
  const TTimes times = Since(start);
  icalcomponent_free(calendar);
  return times;
}

void Import(benchmark::State& state, bool cards) {
  setenv("TZ", "Europe/Berlin", 1);
  const int items = static_cast<int>(state.range(0));
  const std::string& file = FileOf(items, cards);
  TTimes parse;
  TTimes total;
  for (auto _ : state) {
    state.PauseTiming();
    auto folder = std::make_unique<TPlannerFixture>();
    folder->CreateTables();
    const TVpExchangeTarget target{folder->DataFolder(),
                                   TVpStoreServices{folder->Clock, folder->Timers, folder->Sound, folder->Poster,
                                                    folder->MessageBoxes, folder->Dialogs},
                                   [](TVpFlexDataStore&) { return nullptr; }};
    TAtomicFileWriter writer;
    if (!cards) {
      const TTimes times = LibicalParseTimes(*ReadWholeFile(file));
      parse.Wall += times.Wall;
      parse.Cpu += times.Cpu;
    }
    const TTimes start = Now();
    state.ResumeTiming();
    const TVpImportSummary summary = ImportFile(target, writer, file);
    state.PauseTiming();
    const TTimes times = Since(start);
    total.Wall += times.Wall;
    total.Cpu += times.Cpu;
    if (summary.Added != items) state.SkipWithError("not every item came in");
    folder.reset();
    state.ResumeTiming();
  }
  state.counters["us_per_item"] = benchmark::Counter(total.Wall * 1e6 / items, benchmark::Counter::kAvgIterations);
  state.counters["cpu_us_per_item"] = benchmark::Counter(total.Cpu * 1e6 / items, benchmark::Counter::kAvgIterations);
  if (!cards) {
    state.counters["x_parse"] = total.Wall / parse.Wall;
    state.counters["x_parse_cpu"] = total.Cpu / parse.Cpu;
  }
}

void BM_ImportEvents(benchmark::State& state) { Import(state, false); }
void BM_ImportCards(benchmark::State& state) { Import(state, true); }

void BM_LibicalParse(benchmark::State& state) {
  const std::string bytes = *ReadWholeFile(FileOf(static_cast<int>(state.range(0)), false));
  for (auto _ : state) {
    icalcomponent* calendar = icalparser_parse_string(bytes.c_str());
    benchmark::DoNotOptimize(calendar);
    icalcomponent_free(calendar);
  }
}

// A calendar of one event whose DESCRIPTION holds the bytes, folded or on one line (the reader
// refuses physical lines over 1 MB, so the floor is a line just under that, repeated).
std::string Described(std::size_t size, bool folded) {
  std::string text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:big\r\nDTSTART:20250101T090000\r\n";
  text.reserve(size + size / 70 * 3 + 256);
  if (folded) {
    text += "DESCRIPTION:";
    for (std::size_t written = 0; written < size; written += 74) text += std::string(74, 'x') + "\r\n ";
    text += "end\r\n";
  } else {
    for (std::size_t written = 0; written < size; written += 1000000)
      text += "X-PART:" + std::string(1000000, 'x') + "\r\n";
  }
  return text + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

void BM_ReadFoldedDescription(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
  const std::string folded = Described(size, true);
  const std::string lines = Described(size, false);
  auto secondsToRead = [](const std::string& text) {
    TIcalContent content;
    TIcalReadError error;
    const auto start = std::chrono::steady_clock::now();
    ReadIcal(text, content, error);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double total = 0;
  double floor = 0;
  for (auto _ : state) {
    total += secondsToRead(folded);
    state.PauseTiming();
    floor += secondsToRead(lines);
    state.ResumeTiming();
  }
  const double megabytes = static_cast<double>(state.range(0)) * static_cast<double>(state.iterations());
  state.counters["ms_per_MB"] = total * 1000 / megabytes;
  state.counters["floor_unfolded_ms_per_MB"] = floor * 1000 / megabytes;
}

}  // namespace

BENCHMARK(BM_LibicalParse)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportEvents)->Arg(10'000)->Arg(100'000)->Arg(200'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCards)->Arg(10'000)->Arg(50'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFoldedDescription)->Arg(5)->Arg(20)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);
