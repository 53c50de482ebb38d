#include "app/core/settings/window_placement.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace {

// How much of a window must show for it to count as reachable: a part of its title strip.
constexpr std::int64_t kGrabWidth = 48;
constexpr std::int64_t kGrabHeight = 24;

// A rectangle in 64 bits, where sums of any two int values are exact.
struct TWideRect {
  std::int64_t Left, Top, Width, Height;
  std::int64_t Right() const { return Left + Width; }
  std::int64_t Bottom() const { return Top + Height; }
};

TWideRect Wide(const TRect& r) {
  return {r.Left, r.Top, std::int64_t{r.Right} - r.Left, std::int64_t{r.Bottom} - r.Top};
}

// The window with its size made to fit the screen (and at least a title strip, unless the
// screen is smaller still).
TWideRect SizedFor(const TWindowBounds& window, const TWideRect& screen) {
  const auto fit = [](std::int64_t size, std::int64_t least, std::int64_t most) {
    return std::min(std::max(size, least), most);
  };
  return {window.Left, window.Top, fit(window.Width, kGrabWidth, screen.Width),
          fit(window.Height, kGrabHeight, screen.Height)};
}

bool Reachable(const TWideRect& window, const TWideRect& screen) {
  const std::int64_t left = std::max(window.Left, screen.Left);
  const std::int64_t right = std::min(window.Right(), screen.Right());
  const std::int64_t top = std::max(window.Top, screen.Top);
  const std::int64_t bottom = std::min(window.Top + kGrabHeight, screen.Bottom());
  return right - left >= std::min(kGrabWidth, window.Width) && bottom - top >= std::min(kGrabHeight, window.Height);
}

// Squared distance from the window's centre to the screen; far apart windows and screens need
// more than 64 bits for it.
double Distance(const TWideRect& window, const TWideRect& screen) {
  const std::int64_t x = window.Left + window.Width / 2;
  const std::int64_t y = window.Top + window.Height / 2;
  const auto gap = [](std::int64_t at, std::int64_t low, std::int64_t high) {
    return static_cast<double>(at < low ? low - at : at >= high ? at - high + 1 : 0);
  };
  const double dx = gap(x, screen.Left, screen.Right());
  const double dy = gap(y, screen.Top, screen.Bottom());
  return dx * dx + dy * dy;
}

// The rectangle in int values; one that would reach past their range stops at its end.
TRect Narrow(const TWideRect& r) {
  const auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); };
  return TRect{clamp(r.Left), clamp(r.Top), clamp(r.Right()), clamp(r.Bottom())};
}

}  // namespace

TRect KeepOnScreens(const TWindowBounds& window, const std::vector<TRect>& screens) {
  std::vector<TWideRect> usable;
  for (const TRect& screen : screens)
    if (!screen.IsEmpty()) usable.push_back(Wide(screen));
  if (usable.empty()) {
    const std::int64_t width = std::max(window.Width, 0), height = std::max(window.Height, 0);
    return Narrow({window.Left, window.Top, width, height});
  }
  for (const TWideRect& screen : usable)
    if (const TWideRect sized = SizedFor(window, screen); Reachable(sized, screen)) return Narrow(sized);
  const TWideRect unsized{window.Left, window.Top, window.Width, window.Height};
  const TWideRect* nearest = &usable.front();
  for (const TWideRect& screen : usable)
    if (Distance(unsized, screen) < Distance(unsized, *nearest)) nearest = &screen;
  TWideRect placed = SizedFor(window, *nearest);
  placed.Left = std::clamp(placed.Left, nearest->Left, nearest->Right() - placed.Width);
  placed.Top = std::clamp(placed.Top, nearest->Top, nearest->Bottom() - placed.Height);
  return Narrow(placed);
}

TRect KeepInsideWorkArea(const TRect& window, const TFrameMargins& frame, const TRect& workArea) {
  if (workArea.IsEmpty()) return window;
  const auto margin = [](int m) { return std::int64_t{std::max(m, 0)}; };
  const std::int64_t left = margin(frame.Left), top = margin(frame.Top);
  const std::int64_t across = left + margin(frame.Right), down = top + margin(frame.Bottom);
  const TWideRect area = Wide(workArea), inside = Wide(window);
  // Along one axis: the inside's size made to fit and the frame's start moved within the area.
  const auto fit = [](std::int64_t start, std::int64_t size, std::int64_t frameBefore, std::int64_t frameBoth,
                      std::int64_t areaStart, std::int64_t areaSize) {
    const std::int64_t fitted = std::clamp<std::int64_t>(size, 1, std::max<std::int64_t>(areaSize - frameBoth, 1));
    const std::int64_t lastStart = std::max(areaStart, areaStart + areaSize - fitted - frameBoth);
    return std::pair{std::clamp(start - frameBefore, areaStart, lastStart) + frameBefore, fitted};
  };
  const auto [x, width] = fit(inside.Left, inside.Width, left, across, area.Left, area.Width);
  const auto [y, height] = fit(inside.Top, inside.Height, top, down, area.Top, area.Height);
  return Narrow({x, y, width, height});
}
