#pragma once

#include "platform/geometry.h"

// Where a dialog window opens.
enum TVpDialogPosition {
  mpCenter = 0,     // centred on the screen
  mpCenterTop = 1,  // centred across, its top a third of the spare height down
  mpCustom = 2,     // at Left, Top
};

// Where and how large a dialog window opens.
struct TVpDialogPlacement {
  TVpDialogPosition Position = mpCenter;
  int Left = 10;
  int Top = 10;
  int Width = 400;
  int Height = 250;
};

// The size the window takes: the placement's, kept within the window's own least and greatest
// size (a window of fixed size keeps its own).
TPoint DialogSize(const TVpDialogPlacement& placement, TPoint minimum, TPoint maximum);

// The top-left corner of a window of the size on the screen (the desktop's work area, in the same
// coordinates). The window is kept on the screen where it fits, so a stale custom position of a
// screen that is gone cannot open it out of reach; a window larger than the screen keeps its
// top-left corner on it.
TPoint DialogPosition(const TVpDialogPlacement& placement, const TRect& screen, TPoint size);
