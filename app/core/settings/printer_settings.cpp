#include "app/core/settings/printer_settings.h"

#include "print/printer.h"

void ApplyOrganizerPrinterSettings(TVpPrinter& printer) {
  printer.SetDayStart(h_07);
  printer.SetDayEnd(h_23);
  printer.SetGranularity(gr30Min);
  printer.SetMargins({.Left = 40, .Top = 75, .Right = 40, .Bottom = 75, .Units = imAbsolutePixel});
}
