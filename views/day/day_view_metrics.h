#pragma once

#include <vector>

#include "model/enumerations.h"
#include "platform/canvas.h"

// The arithmetic of a day view's layout that does not draw.

// Rounded to the nearest integer, halves to even.
int RoundEven(double value);

// The scale a pass works with: the one given when it is finite and above zero, else 1.
double UsableScale(double scale);

// The height of "Wy" in the font as the screen (96 dots per inch) would show it. Row and header
// heights are built on it and then scaled, so that a printed view keeps the screen's proportions
// whatever the printer's resolution.
int ReferenceTextHeight(TCanvas& canvas, const TFont& font);

// How many rows the ruler of the given height shows: the rows below the header, one more for a
// row cut off at the bottom, and one more again; at least 1, at most the rows of a day. With a
// stop line after the start line, no more than the rows from the start line to the stop line.
// The drawing loops draw this many rows and the next one.
int VisibleLinesFor(int rulerHeight, int headerHeight, int rowHeight, int lineCount, int startLine, int stopLine);

// The rows of a printed day: wanted rows of the row height when they fit into the cell height;
// else rows as low as makes them fit, but never lower than the least height, and then only as
// many rows as fit. At least one row of at least one pixel.
struct TVpPrintedRows {
  int RowHeight = 1;
  int Rows = 1;
};
TVpPrintedRows PrintedRowsFor(int cellHeight, int rowHeight, int leastRowHeight, int wantedRows);

// The row at granularity `to` that holds the start of row `line` at granularity `from`, within
// 0 and lineCount(to) - 1.
int ConvertLine(int line, TVpGranularity from, TVpGranularity to);

// The whole dates of the day columns: numDays days from the render date's day on, leaving out
// Saturdays and Sundays unless they are included.
std::vector<double> ColumnDays(double renderDate, int numDays, bool includeWeekends);

// Saturday or Sunday.
bool IsWeekendDay(double date);
