#pragma once

#include <stdexcept>

// Raised by a drawing routine that was given no canvas to draw on ("TCanvas not assigned").
// Callers always pass a canvas, so this marks a programming error.
class EVpCanvasError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
