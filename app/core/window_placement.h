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
