#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/planner_folder.h"
#include "interop/exchange/exchange_session.h"
#include "model/category_color_map.h"
#include "model/day_number.h"
#include "model/resources.h"
#include "platform/file_reader.h"
#include "platform/file_writer.h"
#include "store/planner_files.h"
#include "store/record_search.h"
#include "tests/support/planner_fixture.h"

extern char** environ;

// A program folder of 10,000, 100,000 and 200,000 events (beside 5,000 contacts and 5,000 tasks)
// as a user meets it, beside the floor in the same run:
// - koret-cli agenda for a day and a week, the whole process: its time beside streaming the same
//   five files through cat, and its peak memory beside the events file's size;
// - koret-cli add-event, the whole process: its time beside the atomic write (with flush) of the
//   events file it writes;
// - in this process: the memory the loaded folder holds per event once loaded (over a folder
//   without events), and the peak memory of saving one changed event over that, beside the events
//   file's size.
// - posting 1 and 1,000 changed events into the folder of 100,000 in one post: 1,000 should cost
//   at most 3 times one (the events file is written once either way; each record is found by its
//   ID through a hashed index).
// Every figure should grow linearly with the events.
namespace {

struct TRun {
  double Seconds;
  double PeakBytes;
};

// Brings this process's peak memory down to what it holds now.
void ResetPeak() {
  if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", refs);
    std::fclose(refs);
  }
}

TRun RunProcess(std::string program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  // The child starts in this process's memory, and its peak counts this process's peak so far:
  // that is brought down to what this process holds now (its free memory given back first), far
  // below any run's.
  ::malloc_trim(0);
  ResetPeak();
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + program);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(program + " failed");
  return {seconds, static_cast<double>(usage.ru_maxrss) * 1024.0};
}

TRun RunCli(const std::vector<std::string>& args) { return RunProcess(KORET_CLI_PATH, args); }

const std::string& Folder(int events) {
  static std::map<int, std::string> folders;
  auto found = folders.find(events);
  if (found == folders.end()) found = folders.emplace(events, MakeFolder(events, 5000, 5000)).first;
  return found->second;
}

std::string EventsFile(int events) { return Folder(events) + "/" + TVpPlannerFiles::kEventsFile; }
double FileSize(const std::string& path) { return static_cast<double>(std::filesystem::file_size(path)); }

std::vector<std::string> AgendaArgs(int events, int days) {
  return {"agenda", "--data", Folder(events), "--from", "2024-06-01", "--days", std::to_string(days)};
}

// The agenda of one day or a week beside the floor of streaming the folder's five files through
// cat, both whole processes; its peak memory beside the events file's size.
void BM_Agenda(benchmark::State& state) {
  const int events = static_cast<int>(state.range(0));
  const int days = static_cast<int>(state.range(1));
  std::vector<std::string> files;
  for (const char* file :
       {TVpPlannerFiles::kResourcesFile, TVpPlannerFiles::kEventsFile, TVpPlannerFiles::kContactsFile,
        TVpPlannerFiles::kTasksFile, TVpPlannerFiles::kRecordIDsFile})
    files.push_back(Folder(events) + "/" + file);
  double peak = 0;
  double total = 0;
  double floor = 0;
  for (auto _ : state) {
    const TRun run = RunCli(AgendaArgs(events, days));
    state.SetIterationTime(run.Seconds);
    total += run.Seconds;
    peak = std::max(peak, run.PeakBytes);
    floor += RunProcess("/bin/cat", files).Seconds;
  }
  state.counters["floor_cat_ms"] = benchmark::Counter(floor * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_floor"] = total / floor;
  state.counters["peak_per_file"] = peak / FileSize(EventsFile(events));
  state.counters["file_bytes_per_event"] = FileSize(EventsFile(events)) / events;
}

// Searching the folder for a text a handful of records hold, in this process as the search window
// does (it keeps no index: every search reads the files' rows as they stand, so it needs no memory
// per record beyond the records found), and koret-cli search beside koret-cli agenda for one day,
// both whole processes.
void BM_Search(benchmark::State& state) {
  const int events = static_cast<int>(state.range(0));
  const TVpCategoryColorMap categories;
  auto first = [](TVpFlexDataStore& store) { return store.Resources().Items(0); };
  const std::vector<std::string> search = {"search", "notes 4711", "--data", Folder(events)};
  double cli = 0;
  double agenda = 0;
  size_t found = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    found = SearchFolder(Folder(events), first, categories, {"notes 4711"}, EncodeDate(2024, 6, 1)).size();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cli += RunCli(search).Seconds;
    agenda += RunCli(AgendaArgs(events, 1)).Seconds;
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["cli_search_ms"] = benchmark::Counter(cli * 1000, benchmark::Counter::kAvgIterations);
  state.counters["cli_x_agenda"] = cli / agenda;
}

void BM_AddEvent(benchmark::State& state) {
  const int events = static_cast<int>(state.range(0));
  const std::vector<std::string> args = {"add-event",        "--data",           Folder(events),
                                         "--start",          "2024-06-01 10:00", "--end",
                                         "2024-06-01 11:00", "--subject",        "Scale check"};
  TAtomicFileWriter writer;
  double total = 0;
  double floor = 0;
  for (auto _ : state) {
    const TRun run = RunCli(args);
    state.SetIterationTime(run.Seconds);
    total += run.Seconds;
    const std::string bytes = *ReadWholeFile(EventsFile(events));
    const auto start = std::chrono::steady_clock::now();
    writer.ReplaceFile(EventsFile(events), bytes);
    floor += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["floor_write_ms"] = benchmark::Counter(floor * 1000, benchmark::Counter::kAvgIterations);
  state.counters["x_floor"] = total / floor;
}

// This process's resident memory now and at its peak since the last reset, in bytes.
struct TMemory {
  double Resident = 0;
  double Peak = 0;
};

TMemory MemoryNow() {
  ::malloc_trim(0);
  TMemory memory;
  std::FILE* status = std::fopen("/proc/self/status", "r");
  char line[256];
  while (status && std::fgets(line, sizeof line, status)) {
    long kb = 0;
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) memory.Resident = static_cast<double>(kb) * 1024;
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) memory.Peak = static_cast<double>(kb) * 1024;
  }
  if (status) std::fclose(status);
  return memory;
}

// The folder loaded as the organizer loads it at start, with a week's window.
struct TLoaded {
  explicit TLoaded(int events)
      : Files(TVpStoreServices{Desktop.Clock, Desktop.Timers, Desktop.Sound, Desktop.Poster, Desktop.MessageBoxes,
                               Desktop.Dialogs},
              Writer) {
    Desktop.Clock.Set(EncodeDate(2024, 6, 1));
    Files.SetDataFolder(Folder(events));
    Files.Connect();
    Files.Store().SelectResourceByName("KORET");
  }
  TPlannerFixture Desktop;
  TAtomicFileWriter Writer;
  TVpPlannerFiles Files;
};

double HeldBy(int events) {
  const double before = MemoryNow().Resident;
  TLoaded loaded(events);
  return MemoryNow().Resident - before;
}

void BM_HeldAndSaveMemory(benchmark::State& state) {
  const int events = static_cast<int>(state.range(0));
  Folder(0);
  Folder(events);
  double held = 0;
  double savePeak = 0;
  for (auto _ : state) {
    held = HeldBy(events) - HeldBy(0);
    TLoaded loaded(events);
    TVpSchedule& schedule = loaded.Files.Store().ActiveResource()->Schedule();
    const double before = MemoryNow().Resident;
    ResetPeak();
    schedule.Items(0)->SetDescription("changed");
    loaded.Files.WhileWriting([&] { loaded.Files.Store().PostEvents(); });
    savePeak = MemoryNow().Peak - before;
  }
  state.counters["held_bytes_per_event"] = held / events;
  state.counters["file_MB"] = FileSize(EventsFile(events)) / 1e6;
  state.counters["save_peak_over_held_MB"] = savePeak / 1e6;
  state.counters["save_peak_x_file"] = savePeak / FileSize(EventsFile(events));
}

void BM_PostChanged(benchmark::State& state) {
  const int changed = static_cast<int>(state.range(0));
  TPlannerFixture desktop;
  TAtomicFileWriter writer;
  const TVpExchangeTarget target{Folder(100'000),
                                 TVpStoreServices{desktop.Clock, desktop.Timers, desktop.Sound, desktop.Poster,
                                                  desktop.MessageBoxes, desktop.Dialogs},
                                 [](TVpFlexDataStore& store) { return store.Resources().FindResourceByName("KORET"); }};
  TVpExchangeSession session(target, writer);
  int round = 0;
  for (auto _ : state) {
    session.WhileWriting(false, [&](TVpResource& resource) {
      TVpSchedule& schedule = resource.Schedule();
      for (int i = 0; i < changed && i < schedule.Count(); ++i)
        schedule.Items(i * (schedule.Count() / changed))->SetDescription("changed " + std::to_string(round));
      session.Store().PostEvents();
    });
    ++round;
  }
  state.counters["events_changed"] = changed;
}

}  // namespace

BENCHMARK(BM_PostChanged)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Agenda)->ArgsProduct({{10'000, 100'000, 300'000}, {1, 7}})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search)->Arg(100'000)->Arg(300'000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddEvent)->Arg(10'000)->Arg(100'000)->Arg(200'000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeldAndSaveMemory)->Arg(10'000)->Arg(100'000)->Arg(200'000)->Iterations(1)->Unit(benchmark::kMillisecond);
