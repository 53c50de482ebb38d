#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "platform/instance_lock.h"
#include "tests/support/temporary_folder.h"

namespace {

TEST(InstanceLock, OnlyOneHolderAtATime) {
  TTemporaryFolder folder;
  const std::string path = folder.File("KORET_MUTEX.lock");
  auto first = std::make_unique<TInstanceLock>(path);
  ASSERT_EQ(first->Acquire(), TInstanceLock::lrAcquired);
  EXPECT_EQ(first->Acquire(), TInstanceLock::lrAcquired) << "taking it again is harmless";
  TInstanceLock second(path);
  EXPECT_EQ(second.Acquire(), TInstanceLock::lrHeldElsewhere);
  first.reset();
  EXPECT_EQ(second.Acquire(), TInstanceLock::lrAcquired);
}

TEST(InstanceLock, ALockFileLeftBehindDoesNotBlock) {
  TTemporaryFolder folder;
  const std::string path = folder.File("KORET_MUTEX.lock");
  TTemporaryFolder::Write(path, "left by a crashed copy");
  TInstanceLock lock(path);
  EXPECT_EQ(lock.Acquire(), TInstanceLock::lrAcquired);
}

TEST(InstanceLock, AHolderKilledOutrightReleasesIt) {
  TTemporaryFolder folder;
  const std::string path = folder.File("KORET_MUTEX.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TInstanceLock lock(path);
    const char held = lock.Acquire() == TInstanceLock::lrAcquired ? 'y' : 'n';
    (void)!::write(ready[1], &held, 1);
    for (;;) ::pause();
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ASSERT_EQ(held, 'y');
  EXPECT_EQ(TInstanceLock(path).Acquire(), TInstanceLock::lrHeldElsewhere);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(TInstanceLock(path).Acquire(), TInstanceLock::lrAcquired);
  ::close(ready[0]);
  ::close(ready[1]);
}

TEST(InstanceLock, AnUnusableLockIsAFailureNotARunningCopy) {
  TTemporaryFolder folder;
  TInstanceLock lock(folder.File("missing-folder/KORET_MUTEX.lock"));
  EXPECT_EQ(lock.Acquire(), TInstanceLock::lrFailed);
  EXPECT_NE(lock.Error().find("missing-folder/KORET_MUTEX.lock"), std::string::npos) << lock.Error();
}

}  // namespace
