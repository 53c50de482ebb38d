#include <benchmark/benchmark.h>

#include <libical/ical.h>

#include <cstdlib>
#include <filesystem>

#include "interop/exchange/import_command.h"
#include "platform/file_reader.h"
#include "tests/support/planner_fixture.h"

// Importing a calendar file of 10,000 events into an empty program folder, beside the bare costs
// it cannot avoid: reading the file's bytes, and parsing them with libical alone.
namespace {

constexpr int kEvents = 10000;

// A calendar file of single events over ten years, a tenth of them repeating weekly.
std::string MakeCalendar() {
  const std::string file = (std::filesystem::temp_directory_path() / "koret-bench-import.ics").string();
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
  char line[512];
  for (int i = 0; i < kEvents; ++i) {
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
  TAtomicFileWriter().ReplaceFile(file, text);
  return file;
}

const std::string& Calendar() {
  static const std::string file = MakeCalendar();
  return file;
}

void BM_ReadBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(Calendar()));
}

void BM_LibicalParse(benchmark::State& state) {
  const std::string bytes = *ReadWholeFile(Calendar());
  for (auto _ : state) {
    icalcomponent* calendar = icalparser_parse_string(bytes.c_str());
    benchmark::DoNotOptimize(calendar);
    icalcomponent_free(calendar);
  }
}

void BM_ImportIntoEmptyFolder(benchmark::State& state) {
  setenv("TZ", "Europe/Berlin", 1);
  for (auto _ : state) {
    state.PauseTiming();
    auto folder = std::make_unique<TPlannerFixture>();
    folder->CreateTables();
    const TVpExchangeTarget target{folder->DataFolder(),
                                   TVpStoreServices{folder->Clock, folder->Timers, folder->Sound, folder->Poster,
                                                    folder->MessageBoxes, folder->Dialogs},
                                   [](TVpFlexDataStore&) { return nullptr; }};
    TAtomicFileWriter writer;
    state.ResumeTiming();
    const TVpImportSummary summary = ImportFile(target, writer, Calendar(), EncodeDate(2024, 5, 10));
    if (summary.Added != kEvents) state.SkipWithError("not every event came in");
    state.PauseTiming();
    folder.reset();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibicalParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoEmptyFolder)->Unit(benchmark::kMillisecond);
