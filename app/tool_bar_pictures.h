#pragma once

#include <QIcon>

// The tool bar's pictures, by the button that shows them.
enum TToolPicture { tpCalendar, tpWeek, tpAddContact, tpAddTask, tpOneDay, tpPreviousDay, tpNextDay, tpToday };

// The desktop icon theme's picture for the button where the theme has one, else the program's
// own small picture (24 × 23 pixels), so that no button is ever blank. The program's arrows are
// drawn in the buttons' text colour of the moment, so that they follow the skin.
QIcon ToolBarPicture(TToolPicture picture);
