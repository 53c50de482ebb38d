#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

// Runs the event loop until the condition holds or the time is up; whether it holds.
inline bool RunUntil(const std::function<bool()>& holds, int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (!holds() && timer.elapsed() < milliseconds) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  return holds();
}
