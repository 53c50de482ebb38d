#include "platform/qt/qt_timer.h"

#include "platform/qt/command_guard.h"

TQtTimer::TQtTimer() {
  Timer_.setInterval(1000);
  Timer_.setTimerType(Qt::PreciseTimer);
  // The handler runs from the event queue, not inside the timeout: Qt holds a timer's next
  // timeout back while its handler runs, and a handler may run a window's loop for long (a
  // reminder window, over which the next reminder's window must still open).
  QObject::connect(&Timer_, &QTimer::timeout, &Timer_, [this] {
    QMetaObject::invokeMethod(
        &Timer_,
        [this] {
          if (OnTimer && Timer_.isActive()) GuardedCall(OnTimer);
        },
        Qt::QueuedConnection);
  });
}

void TQtTimer::SetInterval(int milliseconds) {
  Timer_.setInterval(milliseconds < 0 ? 0 : milliseconds);  // restarts a running timer
}

void TQtTimer::SetEnabled(bool enabled) {
  if (enabled && !Timer_.isActive()) Timer_.start();
  if (!enabled) Timer_.stop();
}
