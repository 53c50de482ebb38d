#pragma once

#include <QDialog>
#include <optional>

#include "platform/clock.h"
#include "platform/locale.h"
#include "print/print_preview.h"
#include "views/date_edit/date_edit.h"

class QAction;
class QCheckBox;
class QComboBox;
class TVpPrintPreviewWidget;

// The print preview window: the format, zoom, skin and date range above, the page buttons, and
// the preview of the active format. Print closes it with the user's choice.
class TfrmPrintPreview : public QDialog, public TMessageTarget {
  Q_OBJECT

 public:
  TfrmPrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock, const TLocale& locale,
                   QWidget* parent = nullptr);
  ~TfrmPrintPreview() override;

  TVpPrintPreview& Preview() { return Preview_; }
  // The range shown in the date edits and previewed.
  void SetDates(double start, double end);
  void SetZoomFactor(TVpPPZoomFactor zoom);
  // What the user chose with Print.
  const TReportDataRec& Choice() const { return Choice_; }

  // The formats changed: the format list is filled again.
  void HandleMessage(int message) override;

 private:
  QAction* AddAction(const char* name, const QString& caption, const QString& hint, const QKeySequence& shortcut,
                     std::function<void()> run);
  void FillFormatList();
  void StartDateEdited();
  void EndDateEdited();
  void UpdatePageActions();

  TVpPrinter& Printer_;
  TVpPrintPreview Preview_;
  TVpDateEdit StartEdit_;
  TVpDateEdit EndEdit_;
  TVpPreviewRange Range_;
  TReportDataRec Choice_;
  QComboBox* Formats_ = nullptr;
  QComboBox* Zoom_ = nullptr;
  QCheckBox* Skin_ = nullptr;
  TVpPrintPreviewWidget* PreviewWidget_ = nullptr;
  QAction* PageActions_[4] = {};  // first, previous, next, last
};

// Shows the preview of the range at the zoom, sized for the device's page when there is one.
// The choice when the user pressed Print.
std::optional<TReportDataRec> ExecutePrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock,
                                                  const TLocale& locale, double start, double end, TVpPPZoomFactor zoom,
                                                  const TVpPrintTarget* device, QWidget* parent);
