#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <set>

#include "store/data_packet.h"
#include "store/field_value.h"
#include "tests/support/temporary_folder.h"
#include "tests/tools/cli_process.h"

namespace {

// Runs koret-cli with the arguments; kills it once delayUs microseconds have passed unless it ended
// before. Returns what it printed.
std::string RunAndKill(const std::vector<std::string>& args, int delayUs) {
  TCliProcess process = StartCli(args);
  const pid_t child = process.Pid;
  bool ended = false;
  for (int waited = 0; !ended && waited <= delayUs; waited += 100) {
    ended = ::waitpid(child, nullptr, WNOHANG) == child;
    if (!ended) ::usleep(100);
  }
  if (!ended) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  return ReadAll(process);
}

// A program folder survives koret-cli being killed at any moment: every file still reads, and
// every event whose ID was printed is in the events file.
TEST(KoretCliKilled, LosesNothingThatWasReported) {
  TTemporaryFolder folder;
  const std::string data = folder.File("Data");
  ASSERT_NE(RunAndKill({"create-tables", "--data", data}, 2000000).find("recordids.xml"), std::string::npos);
  const auto addEvent = [&](int run, int delayUs) {
    return RunAndKill({"add-event", "--data", data, "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00",
                       "--subject", "run " + std::to_string(run)},
                      delayUs);
  };
  std::set<long> printed;
  // The kills are spread over the time a whole run takes on this machine (a sanitizer build is
  // many times slower), so that some runs get as far as reporting their ID and others do not.
  const auto start = std::chrono::steady_clock::now();
  const std::string whole = addEvent(0, 10'000'000);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  if (!whole.empty() && whole.back() == '\n') printed.insert(std::stol(whole));
  const int longest = std::max(15000, static_cast<int>(took.count() * 3 / 2));
  std::mt19937 random(20261209);
  for (int i = 1; i <= 40; ++i) {
    const std::string out = addEvent(i, std::uniform_int_distribution<int>(0, longest)(random));
    if (!out.empty() && out.back() == '\n') printed.insert(std::stol(out));
  }
  std::set<long> stored;
  for (const char* file : {"resources.xml", "events.xml", "contacts.xml", "tasks.xml", "recordids.xml"}) {
    SCOPED_TRACE(file);
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ASSERT_NO_THROW(ReadDataPacket(TTemporaryFolder::Read(data + "/" + file), fields, rows));
    if (std::string(file) == "events.xml")
      for (const TRowValues& row : rows) stored.insert(static_cast<long>(std::get<std::int64_t>(row[0])));
  }
  for (long id : printed) EXPECT_TRUE(stored.count(id)) << "event " << id << " was reported but is gone";
  EXPECT_FALSE(printed.empty()) << "no run got as far as reporting its ID; the delays are too short";
}

}  // namespace
