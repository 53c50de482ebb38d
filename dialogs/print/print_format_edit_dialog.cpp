#include "dialogs/print/print_format_edit_dialog.h"

TVpPrintFormatEditDialog::TVpPrintFormatEditDialog(TVpPrinter& printer) : Printer_(printer) {
  Placement().Position = mpCenter;
  Placement().Width = 640;
  Placement().Height = 480;
  SetOptions(DialogOption(doSizeable));  // the preview gains from a larger window
}

bool TVpPrintFormatEditDialog::Execute(TVpFormatDesignerWindow& window) {
  TVpControlLink* link = ControlLink();
  if (link == nullptr) throw EVpPrintFormatEditorError();
  return window.Show(Printer_, *link, Placement(), Options());
}
