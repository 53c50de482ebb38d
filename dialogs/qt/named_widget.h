#pragma once

// Gives a new control the object name its window and the tests know it by, and returns it.
template <class TWidget>
TWidget* Named(TWidget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}
