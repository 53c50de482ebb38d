#pragma once

// The looks the main window's views (day and week view, task list, contact grid and its button
// bar) have before the settings file is applied, and the fonts those looks name.

#include "platform/canvas.h"

class TVpContactButtonBar;
class TVpContactGrid;
class TVpDayView;
class TVpWeekView;
class TVpTaskList;

// The font size in whole points for a font the look of the main window asks for by its height in
// pixels on a 96-dots-per-inch screen: the nearest, so that the screen draws it that high again
// (11, 13 and 19 pixels are 8, 10 and 14 points).
int PointsForPixelHeight(int pixels);

// "MS Sans Serif" of that pixel height, as the looks of the program's views name it.
TFont SansSerifOfHeight(int pixels, TColor color = clWindowText);

// Gives the day view the look the main window's Events tab has before the settings file is
// applied: fonts, colours, time format, slot colours, icons.
void ConfigureMainDayView(TVpDayView& view);

// Gives the week view beside the day view the look the Events tab has before the settings file is
// applied.
void ConfigureMainWeekView(TVpWeekView& view);

// Gives the task list the look the main window's Task List tab has before the settings file is
// applied.
void ConfigureMainTaskList(TVpTaskList& list);

// Gives the contact grid the look the main window's Contacts tab has before the settings file is
// applied.
void ConfigureMainContactGrid(TVpContactGrid& grid);

// Gives the button bar beside the grid the Contacts tab's look: 60 pixels wide on the button face.
void ConfigureMainContactButtonBar(TVpContactButtonBar& bar);
