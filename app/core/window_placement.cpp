#include "app/core/window_placement.h"

#include <algorithm>
#include <climits>

namespace {

// How much of a window must show for it to count as reachable: a part of its title strip.
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 24;

bool Reachable(const TRect& window, const TRect& screen) {
  const int left = std::max(window.Left, screen.Left);
  const int right = std::min(window.Right, screen.Right);
  const int top = std::max(window.Top, screen.Top);
  const int bottom = std::min(window.Top + kGrabHeight, screen.Bottom);
  return right - left >= std::min(kGrabWidth, window.Width()) && bottom - top >= std::min(kGrabHeight, window.Height());
}

// Squared distance from the window's centre to the screen.
long long Distance(const TRect& window, const TRect& screen) {
  const long long x = (static_cast<long long>(window.Left) + window.Right) / 2;
  const long long y = (static_cast<long long>(window.Top) + window.Bottom) / 2;
  const long long dx = x < screen.Left ? screen.Left - x : x >= screen.Right ? x - screen.Right + 1 : 0;
  const long long dy = y < screen.Top ? screen.Top - y : y >= screen.Bottom ? y - screen.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

TRect KeepOnScreens(const TRect& window, const std::vector<TRect>& screens) {
  if (screens.empty()) return window;
  for (const TRect& screen : screens)
    if (Reachable(window, screen)) return window;
  const TRect* nearest = &screens.front();
  long long best = LLONG_MAX;
  for (const TRect& screen : screens) {
    const long long d = Distance(window, screen);
    if (d < best) {
      best = d;
      nearest = &screen;
    }
  }
  const int width = std::min(window.Width(), nearest->Width());
  const int height = std::min(window.Height(), nearest->Height());
  const int left = std::clamp(window.Left, nearest->Left, nearest->Right - width);
  const int top = std::clamp(window.Top, nearest->Top, nearest->Bottom - height);
  return TRect{left, top, left + width, top + height};
}
