#pragma once

#include "model/enumerations.h"
#include "platform/canvas.h"
#include "views/calendar/calendar_layout.h"

class TVpCalendar;

// Draws the calendar's month of the date into the rectangle, turned by the angle: background,
// title, weekday names and the line under them, the six weeks of day numbers and, on screen, the
// selected day as a button. On screen (displayOnly false) it uses the calendar's colours; for
// printing black on white with the neighbouring months in silver and weekends in dark grey.
// The date must lie within the calendar range. The canvas has its pen, brush, font and clip back
// afterwards. Returns the layout it drew with.
TVpCalendarLayout DrawCalendar(TVpCalendar& calendar, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                               double date, bool displayOnly);
