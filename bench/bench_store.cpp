#include <benchmark/benchmark.h>

#include <expat.h>
#include <filesystem>

#include "bench/planner_folder.h"
#include "model/day_number.h"
#include "platform/file_reader.h"
#include "platform/file_writer.h"
#include "store/data_packet.h"
#include "store/planner_files.h"
#include "tests/support/planner_fixture.h"

// Opening a busy program folder and posting one change, beside the bare costs they cannot avoid:
// reading the same bytes, parsing them with a well-known XML parser (expat), and writing the same
// bytes with the same atomic replacement.
namespace {

const std::string& BusyFolder() {
  static const std::string folder = MakeFolder(100000, 5000, 5000);
  return folder;
}

const char* const kFiles[] = {TVpPlannerFiles::kResourcesFile, TVpPlannerFiles::kEventsFile,
                              TVpPlannerFiles::kContactsFile, TVpPlannerFiles::kTasksFile,
                              TVpPlannerFiles::kRecordIDsFile};

// Opening the five tables and loading the resource with its events (of the window), contacts and
// tasks, as the program does at start.
void BM_OpenAndLoad_100kEvents(benchmark::State& state) {
  TPlannerFixture desktop;
  desktop.Clock.Set(EncodeDate(2024, 6, 1));
  const std::string& folder = BusyFolder();
  for (auto _ : state) {
    TVpPlannerFiles files(TVpStoreServices{desktop.Clock, desktop.Timers, desktop.Sound, desktop.Poster,
                                           desktop.MessageBoxes, desktop.Dialogs},
                          desktop.Writer);
    files.SetDataFolder(folder);
    files.Connect();
    files.Store().SelectResourceByName("KORET");
    benchmark::DoNotOptimize(files.Store().ActiveResource()->Schedule().Count());
  }
}

// Peer: the same five files read and parsed by expat, nothing built from them.
void BM_Peer_ExpatParse_SameFiles(benchmark::State& state) {
  const std::string& folder = BusyFolder();
  for (auto _ : state) {
    for (const char* file : kFiles) {
      const std::string bytes = *ReadWholeFile(folder + "/" + file);
      XML_Parser parser = XML_ParserCreate(nullptr);
      long elements = 0;
      XML_SetUserData(parser, &elements);
      XML_SetStartElementHandler(parser,
                                 [](void* data, const XML_Char*, const XML_Char**) { ++*static_cast<long*>(data); });
      XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1);
      XML_ParserFree(parser);
      benchmark::DoNotOptimize(elements);
    }
  }
}

// A store over a table of 10,000 events, the whole table in its window.
struct TPostSetup {
  TPostSetup() : Folder(MakeFolder(10000, 0, 0)) {
    Desktop.Clock.Set(EncodeDate(2025, 1, 1));
    Files = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Desktop.Clock, Desktop.Timers, Desktop.Sound,
                                                               Desktop.Poster, Desktop.MessageBoxes, Desktop.Dialogs},
                                              Writer);
    Files->Store().SetDayBuffer(3000);
    Files->SetDataFolder(Folder);
    Files->Connect();
    Files->Store().SelectResourceByName("KORET");
  }
  std::string Folder;
  TPlannerFixture Desktop;
  TAtomicFileWriter Writer;
  std::unique_ptr<TVpPlannerFiles> Files;
};

// Changing one event and posting it: the row is written and the events file replaced.
void BM_PostOneChangedEvent_10kEvents(benchmark::State& state) {
  TPostSetup setup;
  TVpSchedule& schedule = setup.Files->Store().ActiveResource()->Schedule();
  int n = 0;
  for (auto _ : state) {
    schedule.Items(5000)->SetDescription("changed " + std::to_string(++n));
    setup.Files->Store().PostEvents();
  }
  state.counters["events"] = schedule.Count();
}

// Peer: the same bytes written by the same atomic replacement, nothing else.
void BM_Peer_BareAtomicWrite_SameBytes(benchmark::State& state) {
  TPostSetup setup;
  const std::string path = setup.Folder + "/" + TVpPlannerFiles::kEventsFile;
  const std::string bytes = *ReadWholeFile(path);
  TAtomicFileWriter writer;
  for (auto _ : state) writer.ReplaceFile(path, bytes);
  state.counters["bytes"] = static_cast<double>(bytes.size());
}

}  // namespace

BENCHMARK(BM_OpenAndLoad_100kEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Peer_ExpatParse_SameFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostOneChangedEvent_10kEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Peer_BareAtomicWrite_SameBytes)->Unit(benchmark::kMillisecond);
