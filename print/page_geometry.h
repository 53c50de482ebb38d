#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "print/print_format.h"

// Dots per inch of a print target across and down. A device that reports 0 counts as a screen.
struct TVpResolution {
  int X = 96;
  int Y = 96;
};
TVpResolution UsableResolution(int x, int y);

// The page margins and their unit.
struct TVpMargins {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  TVpItemMeasurement Units = imAbsolutePixel;
  friend bool operator==(const TVpMargins&, const TVpMargins&) = default;
};

// Nearest integer, halves to even.
int RoundHalfEven(double value);

// The page with its edges moved inwards by the margins. Horizontal measures use the X
// resolution, vertical ones the Y resolution; pixels are the screen's (96 to the inch) on every
// target.
TRect PageArea(const TRect& page, const TVpMargins& margins, TVpResolution resolution);
// The element's rectangle inside the page area.
TRect ElementRect(const TVpPrintFormatElementItem& element, const TRect& area, TVpResolution resolution);

// The date moved by count units. Months and years keep the day of the month, lowered to the last
// day of a shorter month, and drop the time of day; days and weeks keep the time.
double MoveDate(double date, int count, TVpDayUnits units);
// The element's date on a page of the date.
double ElementDate(const TVpPrintFormatElementItem& element, double pageDate);
// The date of the page after a page of the date: one day on when the format's step is 0.
double NextPageDate(const TVpPrintFormatItem& format, double date);
