#pragma once

#include <string>

class TMessageBoxes;
class TVpChangePath;

// The Edit menu's Undo and Redo over the store's change history.

// The entries' captions, naming the step they would take ("Undo Delete "Dentist""), or the bare
// verb when there is none.
std::string UndoCaption(const TVpChangePath& changes);
std::string RedoCaption(const TVpChangePath& changes);

// Takes the last step back (makes it again) and returns what the status bar says of it ("Undone:
// Delete "Dentist""); "" when there was none. A step another writer's change stands in the way of
// is not taken: the user is told why in a message box, and "" is returned. Other failures (a
// write) raise, for the command guard to report.
std::string UndoLastChange(TVpChangePath& changes, TMessageBoxes& boxes);
std::string RedoLastChange(TVpChangePath& changes, TMessageBoxes& boxes);
