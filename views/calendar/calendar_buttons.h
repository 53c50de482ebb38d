#pragma once

#include "platform/canvas.h"
#include "views/calendar/calendar_layout.h"

// The six buttons of a calendar. They sit over the calendar's drawing on screen only: printing
// never shows them.
enum TVpCalendarButton {
  cbPreviousYear,   // top left
  cbPreviousMonth,  // right of Previous Year
  cbNextMonth,      // left of Next Year
  cbNextYear,       // top right
  cbRevert,         // bottom, left of Today
  cbToday,          // bottom right
};
constexpr int CalendarButtonCount = 6;

// The button's rectangle for the layout of the calendar's whole client area. A button narrower
// than its picture + 3 pixels is widened, away from the edge it keeps to.
TRect CalendarButtonRect(TVpCalendarButton button, const TVpCalendarLayout& layout, const TRect& client);

// The button's tool tip: "Previous Month", "Next Month", "Next Year", "Previous Year", "Revert",
// "Today".
const char* CalendarButtonHint(TVpCalendarButton button);

// Draws the button: a raised button face unless flat, and its picture centred in black.
void DrawCalendarButton(TCanvas& canvas, TVpCalendarButton button, const TRect& rect, bool flat);
