#include "dialogs/dialog_placement.h"

#include <algorithm>

namespace {

// Keeps a window edge within the screen: the far edge inside where the window fits, the near edge
// inside always.
int KeepOnScreen(int position, int extent, int screenStart, int screenExtent) {
  position = std::min(position, screenStart + screenExtent - extent);
  return std::max(position, screenStart);
}

}  // namespace

TPoint DialogSize(const TVpDialogPlacement& placement, TPoint minimum, TPoint maximum) {
  return {std::clamp(placement.Width, minimum.X, std::max(minimum.X, maximum.X)),
          std::clamp(placement.Height, minimum.Y, std::max(minimum.Y, maximum.Y))};
}

TPoint DialogPosition(const TVpDialogPlacement& placement, const TRect& screen, TPoint size) {
  TPoint at;
  switch (placement.Position) {
    case mpCenter:
      at = {screen.Left + (screen.Width() - size.X) / 2, screen.Top + (screen.Height() - size.Y) / 2};
      break;
    case mpCenterTop:
      at = {screen.Left + (screen.Width() - size.X) / 2, screen.Top + (screen.Height() - size.Y) / 3};
      break;
    case mpCustom: at = {placement.Left, placement.Top}; break;
  }
  return {KeepOnScreen(at.X, size.X, screen.Left, screen.Width()),
          KeepOnScreen(at.Y, size.Y, screen.Top, screen.Height())};
}
