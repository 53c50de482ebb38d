#pragma once

#include <QDialog>
#include <optional>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/message_boxes.h"
#include "print/print_preview.h"
#include "views/date_edit/date_edit.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class TVpPrintPreviewWidget;

// The print preview window: the format, zoom, skin and date range above, the page buttons with
// "Page x of y", and the preview of the active format. Print closes it with the user's choice.
//
// A date field is typed into freely and takes its date when the user leaves it or presses Enter
// (or picks a day in its drop-down, or steps it with "+" and "-"), never half typed. A range of
// more pages than a year of days is first put to the user; "No" keeps the range as it was.
class TfrmPrintPreview : public QDialog, public TMessageTarget {
  Q_OBJECT

 public:
  TfrmPrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock, const TLocale& locale,
                   TMessageBoxes& messages, QWidget* parent = nullptr);
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
  // The date a field holds becomes the range's start or end, unless the range would then be one
  // of many pages and the user says no; false then, and the fields show the range as it was.
  bool TakeStart(double date);
  bool TakeEnd(double date);
  bool TakeRange(const TVpPreviewRange& range);
  // The fields show the range.
  void ShowRange();
  void UpdatePageActions();

  TVpPrinter& Printer_;
  const TLocale& Locale_;
  TMessageBoxes& Messages_;
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
  QLabel* PageNumber_ = nullptr;
  bool ShowingRange_ = false;  // the fields' dates come from the range, not from the user
};

// Shows the preview of the range at the zoom, sized for the device's page when there is one.
// The choice when the user pressed Print.
std::optional<TReportDataRec> ExecutePrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, const TClock& clock,
                                                  const TLocale& locale, TMessageBoxes& messages, double start,
                                                  double end, TVpPPZoomFactor zoom, const TVpPrintTarget* device,
                                                  QWidget* parent);
