#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <map>

#include "model/day_number.h"
#include "platform/system_clock.h"
#include "store/data_packet.h"
#include "store/planner_files.h"
#include "tests/support/temporary_folder.h"
#include "tests/tools/cli_process.h"
#include "tools/koret_cli/headless_services.h"

namespace {

std::string Finish(TCliProcess& process) {
  const std::string printed = ReadAll(process);
  int status = 0;
  ::waitpid(process.Pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << printed;
  return printed;
}

// Many koret-cli runs and a store of this process (as the organizer holds one) add events to one
// folder at once: every ID that was reported is in the events file exactly once.
TEST(SeveralWriters, EveryReportedEventIsStoredOnce) {
  TTemporaryFolder folder;
  const std::string data = folder.File("Data");
  TCliProcess creator = StartCli({"create-tables", "--data", data});
  Finish(creator);

  TSystemClock clock;
  THeadlessDesktop desktop;
  TAtomicFileWriter writer;
  TVpPlannerFiles files(TVpStoreServices{clock, desktop, desktop, desktop, desktop, desktop}, writer);
  files.SetDataFolder(data);
  files.Connect();
  TVpFlexDataStore& store = files.Store();
  TVpResource* resource = store.Resources().AddResource(store.GetNextID("Resources"));
  resource->SetDescription("KORET");
  store.SetActiveResource(resource);
  store.PostResources();

  constexpr int kRuns = 40;
  constexpr int kOwn = 20;
  std::vector<TCliProcess> runs;
  for (int i = 0; i < kRuns; ++i)
    runs.push_back(StartCli({"add-event", "--data", data, "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00",
                             "--subject", "run " + std::to_string(i)}));
  std::vector<long> reported;
  for (int i = 0; i < kOwn; ++i) {
    TVpEvent* event = resource->Schedule().AddEvent(-1, EncodeDate(2024, 5, 2), EncodeDate(2024, 5, 2) + 0.5);
    event->SetDescription("own " + std::to_string(i));
    store.PostEvents();
    reported.push_back(event->RecordID());
  }
  for (TCliProcess& run : runs) {
    const std::string printed = Finish(run);
    ASSERT_FALSE(printed.empty());
    reported.push_back(std::stol(printed));
  }

  TFieldDefs fields;
  std::vector<TRowValues> rows;
  ReadDataPacket(TTemporaryFolder::Read(data + "/events.xml"), fields, rows);
  std::map<long, int> stored;
  for (const TRowValues& row : rows) ++stored[static_cast<long>(std::get<std::int64_t>(row[0]))];
  EXPECT_EQ(rows.size(), static_cast<size_t>(kRuns + kOwn));
  for (long id : reported) EXPECT_EQ(stored[id], 1) << "event " << id;
  EXPECT_EQ(stored.size(), reported.size()) << "no ID was reported twice";
}

}  // namespace
