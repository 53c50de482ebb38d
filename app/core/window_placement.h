#pragma once

#include <vector>

#include "platform/geometry.h"

// A window rectangle moved onto the screens: kept as it is when enough of it shows on one of
// them (its top strip can be grabbed), else moved onto the nearest screen, and made no larger
// than that screen.
TRect KeepOnScreens(const TRect& window, const std::vector<TRect>& screens);
