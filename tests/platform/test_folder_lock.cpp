#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "platform/file_writer.h"
#include "platform/folder_lock.h"
#include "tests/support/temporary_folder.h"

namespace {

TEST(FolderLock, HoldsNestAndAnotherWriterWaitsABoundedTime) {
  TTemporaryFolder folder;
  const std::string path = folder.File("koret.lock");
  TFolderLock ours(path);
  EXPECT_TRUE(ours.Acquire());
  EXPECT_FALSE(ours.Acquire()) << "a nested hold";
  ours.Release();
  EXPECT_TRUE(ours.Held());

  TFolderLock theirs(path);  // another open of the file: another writer
  theirs.SetTimeoutMs(300);
  const auto start = std::chrono::steady_clock::now();
  try {
    theirs.Acquire();
    ADD_FAILURE() << "two writers held the lock";
  } catch (const EFolderLockError& e) {
    EXPECT_NE(std::string(e.what()).find("for 0.3 seconds (it holds the lock \"" + path + "\")"), std::string::npos)
        << e.what();
  }
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_LT(waited, std::chrono::milliseconds(2000));
  EXPECT_FALSE(theirs.Held());

  ours.Release();
  EXPECT_FALSE(ours.Held());
  EXPECT_TRUE(theirs.Acquire()) << "free once the last hold ended";
}

// A process ID that no process has: a child that has ended and been waited for.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(StaleTemporaryFiles, OnlyThoseOfEndedProcessesGo) {
  TTemporaryFolder folder;
  const std::string dead = std::to_string(EndedProcess());
  const std::string live = std::to_string(::getpid());
  const std::vector<std::string> removed = {".events.xml.tmp-" + dead + "-0", ".tasks.xml.tmp-" + dead + "-17"};
  const std::vector<std::string> kept = {".events.xml.tmp-" + live + "-3",  // a live writer's
                                         ".events.xml.tmp-1-0",             // init's: alive
                                         "events.xml",
                                         ".events.xml.tmp-" + dead,  // not a temporary's name
                                         ".events.xml.tmp-" + dead + "-x",
                                         ".events.xml.tmp--" + dead + "-1",
                                         "events.xml.tmp-" + dead + "-1"};
  for (const auto& list : {removed, kept})
    for (const std::string& name : list) TTemporaryFolder::Write(folder.File(name), "x");

  std::vector<std::string> gone = RemoveStaleTemporaryFiles(folder.Path().string());
  std::sort(gone.begin(), gone.end());
  EXPECT_EQ(gone, removed);
  for (const std::string& name : removed) EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
  EXPECT_TRUE(RemoveStaleTemporaryFiles("/nonexistent").empty());
}

}  // namespace
