#include "print/page_geometry.h"

#include <cmath>

#include "model/date_helpers.h"

namespace {

// Dots for a length in the unit along an axis of the given extent and resolution. A pixel is one
// of the screen's (a 96th of an inch) on every target, so that a page prints as its preview shows
// it, whatever the printer's resolution.
double Dots(double value, TVpItemMeasurement units, int extent, int dotsPerInch) {
  switch (units) {
    case imAbsolutePixel: return value * dotsPerInch / kScreenPixelsPerInch;
    case imPercent: return extent * value / 100;
    case imInches: return dotsPerInch * value;
    case imCentimetres: return dotsPerInch * value / 2.54;
  }
  return value;
}

}  // namespace

TVpResolution UsableResolution(int x, int y) {
  return {x > 0 ? x : kScreenPixelsPerInch, y > 0 ? y : kScreenPixelsPerInch};
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TRect PageArea(const TRect& page, const TVpMargins& margins, TVpResolution resolution) {
  const int width = page.Right - page.Left;
  const int height = page.Bottom - page.Top;
  auto across = [&](double value) { return RoundHalfEven(Dots(value, margins.Units, width, resolution.X)); };
  auto down = [&](double value) { return RoundHalfEven(Dots(value, margins.Units, height, resolution.Y)); };
  return {page.Left + across(margins.Left), page.Top + down(margins.Top), page.Right - across(margins.Right),
          page.Bottom - down(margins.Bottom)};
}

TRect ElementRect(const TVpPrintFormatElementItem& element, const TRect& area, TVpResolution resolution) {
  const int width = area.Right - area.Left;
  const int height = area.Bottom - area.Top;
  auto across = [&](double value) { return RoundHalfEven(Dots(value, element.Measurement, width, resolution.X)); };
  auto down = [&](double value) { return RoundHalfEven(Dots(value, element.Measurement, height, resolution.Y)); };
  return {area.Left + across(element.Left), area.Top + down(element.Top),
          area.Left + across(element.Left + element.Width), area.Top + down(element.Top + element.Height)};
}

double MoveDate(double date, int count, TVpDayUnits units) {
  switch (units) {
    case duDay: return date + count;
    case duWeek: return date + 7.0 * count;
    case duMonth: return MonthsLater(count, date);
    case duYear: return MonthsLater(12LL * count, date);
  }
  return date;
}

double ElementDate(const TVpPrintFormatElementItem& element, double pageDate) {
  return element.DayOffset == 0 ? pageDate : MoveDate(pageDate, element.DayOffset, element.DayOffsetUnits);
}

double NextPageDate(const TVpPrintFormatItem& format, double date) {
  return format.DayInc == 0 ? date + 1 : MoveDate(date, format.DayInc, format.DayIncUnits);
}
