#include <gtest/gtest.h>
#include <QEventLoop>
#include <QTimer>

#include "platform/qt/qt_timer.h"

namespace {

// A handler that runs a loop of its own for a while (as a reminder window does) still sees the
// timer tick meanwhile, so the next reminder's window can open over the first.
TEST(QtTimer, TicksAgainWhileAHandlerRunsALoopOfItsOwn) {
  TQtTimer timer;
  int ticks = 0, nested = 0;
  QEventLoop outer;
  timer.OnTimer = [&] {
    const int tick = ++ticks;
    if (tick == 1) {
      QEventLoop loop;
      QTimer::singleShot(300, &loop, &QEventLoop::quit);
      loop.exec();
      timer.SetEnabled(false);
      outer.quit();
    } else {
      ++nested;
    }
  };
  timer.SetInterval(50);
  timer.SetEnabled(true);
  QTimer::singleShot(5000, &outer, &QEventLoop::quit);
  outer.exec();
  EXPECT_GE(nested, 2);
  const int stopped = ticks;
  QEventLoop after;
  QTimer::singleShot(200, &after, &QEventLoop::quit);
  after.exec();
  EXPECT_EQ(ticks, stopped) << "a stopped timer's handler does not run";
}

}  // namespace
