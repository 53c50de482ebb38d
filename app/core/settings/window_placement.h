#pragma once

#include <vector>

#include "platform/geometry.h"

// A window's place as the settings file keeps it: any values at all may stand there.
struct TWindowBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// The window's rectangle moved onto the screens. Its size is made no larger than a screen and no
// smaller than its title strip; it keeps its place when enough of it shows on one of the screens
// (the title strip can be grabbed), else it is moved onto the nearest screen. Screens of no size
// are not counted; with none left the window keeps its place. The arithmetic cannot overflow,
// whatever the values.
TRect KeepOnScreens(const TWindowBounds& window, const std::vector<TRect>& screens);

// How far a window's frame (title bar and borders) reaches past its inside on each side.
struct TFrameMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// The window's inside (without its frame) moved, and made smaller where it must be, so that the
// whole window, frame included, lies within the work area (the screen without its panels). A window
// that already lies within keeps its place and size. The inside keeps at least one pixel each way,
// even when the frame alone is larger than the work area; then the frame's top left corner is at
// the work area's. Negative margins count as none; with an empty work area the window stays as it
// is. The arithmetic cannot overflow, whatever the values.
TRect KeepInsideWorkArea(const TRect& window, const TFrameMargins& frame, const TRect& workArea);
