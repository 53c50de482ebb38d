#pragma once

#include "app/core/program_settings.h"
#include "platform/canvas.h"

class TVpDayView;

// A settings-file font as the canvas takes it (the style bits are the same).
TFont CanvasFont(const TSettingsFont& font);

// The day view's looks from the settings (section Daily, and the time format of General).
// The granularity is taken as stored (0 to 6, -1 counting as 5); anything else changes nothing.
void ApplyDayViewSettings(TVpDayView& view, const TProgramSettings& settings);
