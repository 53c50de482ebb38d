#pragma once

#include "dialogs/print/print_format_edit_dialog.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/message_boxes.h"
#include "print/print_preview.h"

class QWidget;

// Shows the print format designer modally over the parent, its preview on the page of the
// desktop's current printer (the screen's page size when there is none) at today's date.
class TQtFormatDesignerWindow : public TVpFormatDesignerWindow {
 public:
  TQtFormatDesignerWindow(TMessageBoxes& messages, const TClock& clock, const TLocale& locale,
                          TVpPrintTargetFactory printTargets, QWidget* parent);
  bool Show(TVpPrinter& printer, TVpControlLink& link, const TVpDialogPlacement& placement,
            TVpDialogOptions options) override;

 private:
  TMessageBoxes& Messages_;
  const TClock& Clock_;
  const TLocale& Locale_;
  TVpPrintTargetFactory PrintTargets_;
  QWidget* Parent_;
};
