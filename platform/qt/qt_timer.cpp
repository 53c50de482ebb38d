#include "platform/qt/qt_timer.h"

#include "platform/qt/command_guard.h"

TQtTimer::TQtTimer() {
  Timer_.setInterval(1000);
  Timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&Timer_, &QTimer::timeout, [this] {
    if (OnTimer) GuardedCall(OnTimer);
  });
}

void TQtTimer::SetInterval(int milliseconds) {
  Timer_.setInterval(milliseconds < 0 ? 0 : milliseconds);  // restarts a running timer
}

void TQtTimer::SetEnabled(bool enabled) {
  if (enabled && !Timer_.isActive()) Timer_.start();
  if (!enabled) Timer_.stop();
}
