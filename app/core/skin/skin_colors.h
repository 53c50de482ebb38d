#pragma once

#include "app/core/skin/skin_file.h"
#include "platform/color.h"

// The two shifts that re-colour a skin. Colours of the desktop's scheme and clNone pass unchanged.

// Rotates the colour's hue by shift/256 of a full turn (0 to 255; 255 is nearly a full turn),
// keeping its saturation and lightness; greys stay as they are.
TColor ShiftHue(TColor color, int shift);
// Moves each channel toward white by shift percent (shift > 0) or toward black by -shift percent
// (shift < 0); shifts beyond ±100 count as ±100.
TColor ShiftBrightness(TColor color, int shift);
// Every colour of the palette shifted in hue, then in brightness.
TSkinPalette ShiftedPalette(const TSkinPalette& palette, int hueShift, int brightnessShift);
