#pragma once

#include "print/print_preview.h"

class QWidget;

// The desktop's printers as print targets. Without choosing: the default printer, for the
// preview's page size and resolution. Choosing shows the print dialog, where printing to a PDF
// file is one of the choices; nothing when the user cancels it.
TVpPrintTargetFactory DesktopPrintTargets(QWidget* parent);
