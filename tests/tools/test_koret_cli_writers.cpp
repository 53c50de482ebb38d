#include <gtest/gtest.h>

#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "model/day_number.h"
#include "platform/system_clock.h"
#include "store/data_packet.h"
#include "store/planner_files.h"
#include "tests/support/temporary_folder.h"
#include "tools/koret_cli/headless_services.h"

namespace {

// koret-cli started with the arguments; its output is read from the returned descriptor.
std::pair<pid_t, int> Start(const std::vector<std::string>& args) {
  int output[2];
  if (::pipe(output) != 0) return {-1, -1};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(output[1], 1);
    ::close(output[0]);
    std::vector<char*> argv{const_cast<char*>(KORET_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(KORET_CLI, argv.data());
    ::_exit(127);
  }
  ::close(output[1]);
  return {child, output[0]};
}

std::string Finish(pid_t child, int output) {
  std::string printed;
  char buffer[64];
  for (ssize_t n; (n = ::read(output, buffer, sizeof buffer)) > 0;) printed.append(buffer, static_cast<size_t>(n));
  ::close(output);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << printed;
  return printed;
}

// Many koret-cli runs and a store of this process (as the organizer holds one) add events to one
// folder at once: every ID that was reported is in the events file exactly once.
TEST(SeveralWriters, EveryReportedEventIsStoredOnce) {
  TTemporaryFolder folder;
  const std::string data = folder.File("Data");
  const auto [creator, creatorOutput] = Start({"create-tables", "--data", data});
  Finish(creator, creatorOutput);

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
  std::vector<std::pair<pid_t, int>> runs;
  for (int i = 0; i < kRuns; ++i)
    runs.push_back(Start({"add-event", "--data", data, "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00",
                          "--subject", "run " + std::to_string(i)}));
  std::vector<long> reported;
  for (int i = 0; i < kOwn; ++i) {
    TVpEvent* event = resource->Schedule().AddEvent(-1, EncodeDate(2024, 5, 2), EncodeDate(2024, 5, 2) + 0.5);
    event->SetDescription("own " + std::to_string(i));
    store.PostEvents();
    reported.push_back(event->RecordID());
  }
  for (const auto& [child, output] : runs) {
    const std::string printed = Finish(child, output);
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
