#include "app/core/windows/print_commands.h"

#include "views/day/day_view.h"

TPrintCommands::TPrintCommands(TVpPrinter& printer, TVpControlLink& link, TVpDayView& dayView, const TClock& clock,
                               const TLocale& locale, TMessageBoxes& messageBoxes)
    : Printer_(printer),
      DayView_(dayView),
      MessageBoxes_(messageBoxes),
      Renderer_(printer, link, clock, locale),
      FormatDialog_(printer) {
  FormatDialog_.SetControlLink(&link);
  FormatDialog_.Placement() = {.Position = mpCenter, .Width = 800, .Height = 600};
}

void TPrintCommands::Print() {
  if (Printer_.PrintFormats().empty()) {
    MessageBoxes_.ShowMessage("No print format defined");
    return;
  }
  Printer_.SetSkinnedPrinting(false);
  AtPrintTopLine([this] {
    const std::unique_ptr<TVpPrintTarget> current = PrintTargets ? PrintTargets(false) : nullptr;
    const std::optional<TReportDataRec> choice = RunPreview(DayView_.Date(), DayView_.Date(), current.get());
    if (choice) PrintChoice(*choice);
  });
}

void TPrintCommands::DesignFormats(TVpFormatDesignerWindow& window) {
  AtPrintTopLine([&] { FormatDialog_.Execute(window); });
}

void TPrintCommands::AtPrintTopLine(const std::function<void()>& command) {
  const int topLine = DayView_.TopLine();
  DayView_.SetTopLine(14);
  try {
    command();
  } catch (...) {
    DayView_.SetTopLine(topLine);
    throw;
  }
  DayView_.SetTopLine(topLine);
}

void TPrintCommands::PrintChoice(const TReportDataRec& choice) {
  if (!PrintTargets) {
    MessageBoxes_.ShowMessage("No printer is available, so nothing was printed.");
    return;
  }
  const std::unique_ptr<TVpPrintTarget> target = PrintTargets(true);
  if (!target) return;
  Renderer_.PrintFormat(*target, choice.FormatName, choice.StartDate, choice.EndDate);
  // A list that could not go on (an element too small for one row) is printed only in part.
  if (!Renderer_.ListNote().empty()) MessageBoxes_.ShowMessage(Renderer_.ListNote());
}
