#pragma once

#include "dialogs/common/base_dialog.h"
#include "model/vp_exception.h"

class TVpPrinter;

// The print format designer is asked to open without a control link.
class EVpPrintFormatEditorError : public EVpException {
 public:
  EVpPrintFormatEditorError() : EVpException("Component must be linked to a TVpControlLink") {}
};

// The print format designer window as its dialog component drives it.
class TVpFormatDesignerWindow {
 public:
  virtual ~TVpFormatDesignerWindow() = default;
  // Shows the designer modally on the printer's formats, its preview drawing through the link;
  // true when the user closed it with OK. Changes to the formats stay either way.
  virtual bool Show(TVpPrinter& printer, TVpControlLink& link, const TVpDialogPlacement& placement,
                    TVpDialogOptions options) = 0;
};

// The print format designer's dialog component: the designer window over the printer's formats.
// It opens centred, 640 × 480 pixels, unless told otherwise.
class TVpPrintFormatEditDialog : public TVpBaseDialog {
 public:
  explicit TVpPrintFormatEditDialog(TVpPrinter& printer);

  // True when the designer was closed with OK. Raises EVpPrintFormatEditorError, without opening
  // a window, while no control link is set.
  bool Execute(TVpFormatDesignerWindow& window);

 private:
  TVpPrinter& Printer_;
};
