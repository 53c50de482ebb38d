#pragma once

#include <functional>
#include <optional>

#include "dialogs/print/print_format_edit_dialog.h"
#include "platform/message_boxes.h"
#include "print/page_renderer.h"
#include "print/print_preview.h"

class TVpDayView;

// The main window's "Print..." command: the preview of the day the day view shows, then the
// user's choice printed on the printer the desktop gives; and its "Print Format Designer".
class TPrintCommands {
 public:
  // Shows the preview of the active format for the range, sized for the device's page when there
  // is one; the choice when the user pressed Print.
  using TPreviewRunner =
      std::function<std::optional<TReportDataRec>(double start, double end, const TVpPrintTarget* device)>;

  TPrintCommands(TVpPrinter& printer, TVpControlLink& link, TVpDayView& dayView, const TClock& clock,
                 const TLocale& locale, TMessageBoxes& messageBoxes);

  TVpPageRenderer& Renderer() { return Renderer_; }
  void Print();
  // The designer on the printer's formats, drawing through the control link; it opens centred,
  // 800 × 600 pixels.
  void DesignFormats(TVpFormatDesignerWindow& window);

  TPreviewRunner RunPreview;
  // The desktop's printers; while there is none, printing says so.
  TVpPrintTargetFactory PrintTargets;

 private:
  void PrintChoice(const TReportDataRec& choice);
  // Runs the command with the day view scrolled to line 14, the first line a printed day view
  // shows; the one on screen gets its own line back afterwards.
  void AtPrintTopLine(const std::function<void()>& command);

  TVpPrinter& Printer_;
  TVpDayView& DayView_;
  TMessageBoxes& MessageBoxes_;
  TVpPageRenderer Renderer_;
  TVpPrintFormatEditDialog FormatDialog_;
};
