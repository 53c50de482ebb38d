#pragma once

#include "model/vp_exception.h"

// Raised by a drawing routine that was given no canvas to draw on ("TCanvas not assigned").
// Callers always pass a canvas, so this marks a programming error.
class EVpCanvasError : public EVpException {
 public:
  using EVpException::EVpException;
};
