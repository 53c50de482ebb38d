#include "dialogs/qt/format_designer_dialog.h"

#include "dialogs/qt/window_placement.h"
#include "print/page_renderer.h"
#include "print/qt/format_designer_window.h"

TQtFormatDesignerWindow::TQtFormatDesignerWindow(TMessageBoxes& messages, const TClock& clock, const TLocale& locale,
                                                 TVpPrintTargetFactory printTargets, QWidget* parent)
    : Messages_(messages), Clock_(clock), Locale_(locale), PrintTargets_(std::move(printTargets)), Parent_(parent) {}

bool TQtFormatDesignerWindow::Show(TVpPrinter& printer, TVpControlLink& link, const TVpDialogPlacement& placement,
                                   TVpDialogOptions options) {
  TVpPageRenderer renderer(printer, link, Clock_, Locale_);
  const std::unique_ptr<TVpPrintTarget> device = PrintTargets_ ? PrintTargets_(false) : nullptr;
  TfrmPrnFormat window(printer, renderer, Messages_, Clock_.Now(), device.get(), Parent_);
  ApplyPlacement(window, placement, options);
  return window.exec() == QDialog::Accepted;
}
