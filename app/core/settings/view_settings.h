#pragma once

#include "app/core/settings/program_settings.h"
#include "platform/canvas.h"

class TVpDayView;
class TVpMonthView;
class TVpWeekView;
class TVpContactGrid;
class TVpTaskList;

// A settings-file font as the canvas takes it (the style bits are the same).
TFont CanvasFont(const TSettingsFont& font);
// A canvas font as the settings file keeps it, with the character set given (the canvas has none).
TSettingsFont SettingsFont(const TFont& font, int charset);

// The day view's looks from the settings (section Daily, and the time format of General).
// The granularity is taken as stored (0 to 6, -1 counting as 5); anything else changes nothing.
void ApplyDayViewSettings(TVpDayView& view, const TProgramSettings& settings);

// The week view's looks from the settings (section Weekly, and the time format of General). The
// all-day area takes the view's background.
void ApplyWeekViewSettings(TVpWeekView& view, const TProgramSettings& settings);

// The calendar window's month view's looks from the settings (section Calendar, and the time
// format of General).
void ApplyMonthViewSettings(TVpMonthView& view, const TProgramSettings& settings);

// The contact grid's looks and column width from the settings (section Contacts).
void ApplyContactGridSettings(TVpContactGrid& grid, const TProgramSettings& settings);
// The task list's display options, fonts and colours from the settings (section Tasks).
void ApplyTaskListSettings(TVpTaskList& list, const TProgramSettings& settings);
