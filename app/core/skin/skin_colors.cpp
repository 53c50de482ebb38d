#include "app/core/skin/skin_colors.h"

#include <algorithm>
#include <cmath>

namespace {

bool Shiftable(TColor color) { return !IsSchemeColor(color) && color != clNone; }

int Channel(double value) { return std::clamp(static_cast<int>(std::lround(value * 255.0)), 0, 255); }

// One channel of the colour with lightness l and chroma span q - p, at hue h (turns).
double HueChannel(double p, double q, double h) {
  h -= std::floor(h);
  if (h < 1.0 / 6) return p + (q - p) * 6 * h;
  if (h < 1.0 / 2) return q;
  if (h < 2.0 / 3) return p + (q - p) * (2.0 / 3 - h) * 6;
  return p;
}

}  // namespace

TColor ShiftHue(TColor color, int shift) {
  if (!Shiftable(color)) return color;
  const double r = RedOf(color) / 255.0, g = GreenOf(color) / 255.0, b = BlueOf(color) / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  if (high == low) return color;  // a grey has no hue
  const double span = high - low;
  double hue;  // in turns
  if (high == r) hue = (g - b) / span / 6;
  else if (high == g) hue = ((b - r) / span + 2) / 6;
  else hue = ((r - g) / span + 4) / 6;
  hue += shift / 256.0;
  // The rotated colour keeps the highest and lowest channel, so its lightness and saturation.
  return RGB(Channel(HueChannel(low, high, hue + 1.0 / 3)), Channel(HueChannel(low, high, hue)),
             Channel(HueChannel(low, high, hue - 1.0 / 3)));
}

TColor ShiftBrightness(TColor color, int shift) {
  if (!Shiftable(color)) return color;
  const int percent = std::clamp(shift, -100, 100);
  auto shifted = [percent](int c) {
    const double target = percent > 0 ? 255.0 : 0.0;
    return static_cast<int>(std::lround(c + (target - c) * std::abs(percent) / 100.0));
  };
  return RGB(shifted(RedOf(color)), shifted(GreenOf(color)), shifted(BlueOf(color)));
}

TSkinPalette ShiftedPalette(const TSkinPalette& palette, int hueShift, int brightnessShift) {
  TSkinPalette shifted;
  for (size_t i = 0; i < palette.size(); ++i)
    shifted[i] = ShiftBrightness(ShiftHue(palette[i], hueShift), brightnessShift);
  return shifted;
}
