#pragma once

#include <functional>
#include <optional>

#include "platform/message_boxes.h"
#include "print/page_renderer.h"
#include "print/print_preview.h"

class TVpDayView;

// The main window's "Print..." command: the preview of the day the day view shows, then the
// user's choice printed on the printer the desktop gives.
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

  TPreviewRunner RunPreview;
  // The desktop's printers; while there is none, printing says so.
  TVpPrintTargetFactory PrintTargets;

 private:
  void PrintChoice(const TReportDataRec& choice);

  TVpPrinter& Printer_;
  TVpDayView& DayView_;
  TMessageBoxes& MessageBoxes_;
  TVpPageRenderer Renderer_;
};
