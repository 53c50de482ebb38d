#include <benchmark/benchmark.h>

#include <expat.h>
#include <filesystem>
#include <random>

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

std::string Attr(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + value + "\""; }

std::string Stamp(double value) {
  const TVpDate d = DecodeDate(value);
  const TVpTime t = DecodeTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d:%02d:%02d%03d", d.Year, d.Month, d.Day, t.Hour, t.Minute,
                t.Second, t.Millisecond);
  return text;
}

// A Data folder with one resource and the given numbers of events (over ten years, a tenth of them
// repeating), contacts and tasks.
std::string MakeFolder(int events, int contacts, int tasks) {
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("koret-bench-" + std::to_string(events))).string();
  std::filesystem::create_directories(folder);
  TAtomicFileWriter writer;
  std::mt19937 random(7);
  auto table = [&](const std::string& name, const char* file, int count, auto row) {
    std::string text = EmptyTableText(name);
    std::string rows;
    for (int i = 1; i <= count; ++i) rows += "<ROW" + row(i) + "/>";
    text.insert(text.find("</ROWDATA>"), rows);
    writer.ReplaceFile(folder + "/" + file, text);
  };
  table("Resources", TVpPlannerFiles::kResourcesFile, 1,
        [](int) { return Attr("ResourceID", "1") + Attr("Description", "KORET") + Attr("ResourceActive", "TRUE"); });
  const double first = EncodeDate(2020, 1, 1);
  table("Events", TVpPlannerFiles::kEventsFile, events, [&](int i) {
    const double start = first + static_cast<int>(random() % 3650) + (8 + random() % 10) / 24.0;
    std::string row = Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") + Attr("StartTime", Stamp(start)) +
                      Attr("EndTime", Stamp(start + 1.0 / 24)) +
                      Attr("Description", "Meeting &amp; notes " + std::to_string(i)) +
                      Attr("Notes", "Room 4 – Ärzteweg&#013;&#010;bring the slides") + Attr("Category", "2") +
                      Attr("AllDayEvent", "FALSE") + Attr("AlarmSet", "TRUE") + Attr("AlarmAdvance", "15") +
                      Attr("AlarmAdvanceType", "0");
    if (i % 10 == 0) row += Attr("RepeatCode", "2") + Attr("RepeatRangeEnd", Stamp(start + 365));
    return row;
  });
  table("Contacts", TVpPlannerFiles::kContactsFile, contacts, [](int i) {
    return Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") + Attr("FirstName", "Anna") +
           Attr("LastName", "Müller " + std::to_string(i)) + Attr("Company", "Koret &amp; Co") +
           Attr("Phone1", "+49 30 1234") + Attr("PhoneType1", "15") + Attr("EMail", "anna@example.org");
  });
  table("Tasks", TVpPlannerFiles::kTasksFile, tasks, [](int i) {
    return Attr("RecordID", std::to_string(i)) + Attr("ResourceID", "1") +
           Attr("Description", "Task " + std::to_string(i)) + Attr("Complete", i % 3 ? "FALSE" : "TRUE") +
           Attr("Priority", "1");
  });
  table("RecordIDS", TVpPlannerFiles::kRecordIDsFile, 1, [&](int) {
    return Attr("ResourceID", "1") + Attr("EventID", std::to_string(events)) + Attr("TaskID", std::to_string(tasks)) +
           Attr("ContactID", std::to_string(contacts));
  });
  return folder;
}

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
