#pragma once

class TVpContactGrid;
class TVpContactButtonBar;

// Gives the contact grid the look the main window's Contacts tab has before the settings file is
// applied.
void ConfigureMainContactGrid(TVpContactGrid& grid);

// Gives the button bar beside the grid the Contacts tab's look: 60 pixels wide on the button face.
void ConfigureMainContactButtonBar(TVpContactButtonBar& bar);
