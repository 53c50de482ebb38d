#include <gtest/gtest.h>

#include "tests/support/fake_timers.h"

namespace {

// The store's reminder timer and the tray's timers are tested through these fakes, so their
// timing rules must hold exactly.
TEST(FakeTimers, FireInTimeOrderWithTheClockAtEachTick) {
  TFakeClock clock;
  TFakeTimers timers(clock);
  std::vector<std::pair<char, std::int64_t>> fired;
  auto a = timers.CreateTimer();
  auto b = timers.CreateTimer();
  a->SetInterval(300);
  b->SetInterval(500);
  a->OnTimer = [&] { fired.emplace_back('a', clock.NowMs()); };
  b->OnTimer = [&] { fired.emplace_back('b', clock.NowMs()); };
  a->SetEnabled(true);
  b->SetEnabled(true);
  timers.Advance(1000);
  const std::vector<std::pair<char, std::int64_t>> expected = {
      {'a', 300}, {'b', 500}, {'a', 600}, {'a', 900}, {'b', 1000}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(clock.NowMs(), 1000);
}

TEST(FakeTimers, ChangingTheIntervalRestartsTheCount) {
  TFakeClock clock;
  TFakeTimers timers(clock);
  auto timer = timers.CreateTimer();
  std::vector<std::int64_t> ticks;
  timer->SetInterval(500);
  timer->OnTimer = [&] {
    ticks.push_back(clock.NowMs());
    timer->SetInterval(60000);  // like the reminder timer after its first tick
  };
  timer->SetEnabled(true);
  timers.Advance(130000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{500, 60500, 120500}));
}

TEST(FakeTimers, ATimerDestroyedByAnotherNeverFires) {
  TFakeClock clock;
  TFakeTimers timers(clock);
  auto first = timers.CreateTimer();
  auto second = timers.CreateTimer();
  bool secondFired = false;
  first->SetInterval(10);
  second->SetInterval(20);
  first->OnTimer = [&] { second.reset(); };
  second->OnTimer = [&] { secondFired = true; };
  first->SetEnabled(true);
  second->SetEnabled(true);
  timers.Advance(100);
  EXPECT_FALSE(secondFired);
  EXPECT_EQ(timers.EnabledCount(), 1);
}

}  // namespace
