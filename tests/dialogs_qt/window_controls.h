#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>

// The window's control with the object name; throws when there is none.
template <class TWidget>
TWidget& Control(const QWidget& window, const char* name) {
  auto* widget = window.findChild<TWidget*>(name);
  if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return *widget;
}

// Runs the user's work on the modal window once it is up (call it before the window opens). A
// window still up after ten seconds is closed, so that a failing test cannot hang.
template <class TWindow>
void WhenModalShows(QObject& guard, std::function<void(TWindow&)> user) {
  QTimer::singleShot(10000, &guard, [] {
    if (QWidget* window = QApplication::activeModalWidget()) window->close();
  });
  QTimer::singleShot(0, &guard, [user = std::move(user)] {
    auto* window = qobject_cast<TWindow*>(QApplication::activeModalWidget());
    if (window == nullptr) {
      ADD_FAILURE() << "no modal window of the expected kind";
      return;
    }
    user(*window);
  });
}
