#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <csignal>

#include "platform/instance_lock.h"
#include "platform/qt/instance_channel.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

// Runs the real executable offscreen, with its lock in a folder of the test's own.
class SingleInstance : public ::testing::Test {
 protected:
  std::unique_ptr<QProcess> Start() {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime_.Path().string()));
    process->setProcessEnvironment(env);
    process->setProgram(KORET_EXECUTABLE);
    process->start();
    EXPECT_TRUE(process->waitForStarted(5000));
    return process;
  }

  // Waits until the lock file exists, which the first copy creates before anything else.
  void WaitForLock() {
    QElapsedTimer waited;
    waited.start();
    while (!std::filesystem::exists(Runtime_.Path() / "KORET_MUTEX.lock") && waited.elapsed() < 5000)
      QThread::msleep(10);
    QThread::msleep(300);  // the first copy is in its event loop by now
  }

  TTemporaryFolder Runtime_;
};

TEST_F(SingleInstance, ASecondCopyEndsAtOnceWithExitCodeZero) {
  auto first = Start();
  WaitForLock();
  ASSERT_EQ(first->state(), QProcess::Running);

  QElapsedTimer clock;
  clock.start();
  auto second = Start();
  ASSERT_TRUE(second->waitForFinished(5000));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_TRUE(second->readAllStandardOutput().isEmpty());
  EXPECT_EQ(first->state(), QProcess::Running);

  first->kill();
  first->waitForFinished(5000);
}

TEST_F(SingleInstance, ASecondCopyAsksTheRunningOneToShowItsWindowBeforeItEnds) {
  // The test is the running copy: it holds the lock and listens where the program does.
  TInstanceLock lock((Runtime_.Path() / "KORET_MUTEX.lock").string());
  ASSERT_EQ(lock.Acquire(), TInstanceLock::lrAcquired);
  TInstanceChannel channel((Runtime_.Path() / "KORET_MUTEX.socket").string());
  int shown = 0;
  ASSERT_TRUE(channel.Listen([&] { ++shown; })) << channel.Error();

  auto second = Start();
  EXPECT_TRUE(RunUntil([&] { return second->state() == QProcess::NotRunning; }, 5000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_TRUE(RunUntil([&] { return shown == 1; }, 2000));
  EXPECT_TRUE(second->readAllStandardError().isEmpty());
}

TEST_F(SingleInstance, ACopyKilledOutrightDoesNotBlockTheNextStart) {
  auto first = Start();
  WaitForLock();
  ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
  ASSERT_TRUE(first->waitForFinished(5000));

  auto next = Start();
  EXPECT_FALSE(next->waitForFinished(1500)) << "the new copy must keep running";
  EXPECT_EQ(next->state(), QProcess::Running);
  next->kill();
  next->waitForFinished(5000);
}

TEST_F(SingleInstance, WithoutADisplayItSaysSoInOneLineAndFails) {
  QProcess process;
  QProcessEnvironment env;
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime_.Path().string()));
  env.insert("PATH", "/usr/bin:/bin");
  process.setProcessEnvironment(env);
  process.start(KORET_EXECUTABLE, {});
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  const QString error = QString::fromUtf8(process.readAllStandardError());
  EXPECT_EQ(error.count('\n'), 1) << error.toStdString();
  EXPECT_TRUE(error.contains("xvfb-run")) << error.toStdString();
}

}  // namespace
