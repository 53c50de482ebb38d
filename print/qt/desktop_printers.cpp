#include "print/qt/desktop_printers.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

#include "print/qt/qt_print_target.h"

namespace {

// The printer comes first, so that it exists before the print target over it and outlives it.
struct TPrinterDevice {
  TPrinterDevice() {
    const double m = kPaperMarginMillimetres;
    Printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
  }
  QPrinter Printer{QPrinter::HighResolution};
};

class TQtPrinterTarget : private TPrinterDevice, public TQtPrintTarget {
 public:
  TQtPrinterTarget() : TQtPrintTarget(Printer) {}
  QPrinter& Device() { return Printer; }
};

}  // namespace

TVpPrintTargetFactory DesktopPrintTargets(QWidget* parent) {
  return [parent](bool choose) -> std::unique_ptr<TVpPrintTarget> {
    auto target = std::make_unique<TQtPrinterTarget>();
    if (!choose) return target;
    QPrintDialog dialog(&target->Device(), parent);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return target;
  };
}
