#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "platform/qt/qt_canvas.h"
#include "print/print_target.h"

// Prints on a Qt paged device: a printer (a desktop printer, or a PDF file through the printer's
// PDF output) or a PDF writer. The page is the device's printable area in its dots; the canvas
// measures fonts at the device's vertical resolution.
class TQtPrintTarget : public TVpPrintTarget {
 public:
  explicit TQtPrintTarget(QPagedPaintDevice& device) : Device_(device) {}
  ~TQtPrintTarget() override;
  TQtPrintTarget(const TQtPrintTarget&) = delete;
  TQtPrintTarget& operator=(const TQtPrintTarget&) = delete;

  // Raises std::runtime_error when the device cannot begin a document (a printer that is gone, a
  // file that cannot be written).
  void BeginDocument() override;
  void EndDocument() override;
  // Raises std::runtime_error when the device cannot start another page.
  void NewPage() override;
  TCanvas& Canvas() override;
  TRect PageRect() const override { return {0, 0, Device_.width(), Device_.height()}; }
  int DotsPerInchX() const override { return Device_.logicalDpiX(); }
  int DotsPerInchY() const override { return Device_.logicalDpiY(); }

 private:
  QPagedPaintDevice& Device_;
  QPainter Painter_;
  std::unique_ptr<TQtCanvas> Canvas_;
};

// The edge of the paper that every page leaves blank before the print format's own margins: the
// same on a desktop printer (unless the user sets another in the print dialog) as in a PDF of
// koret-cli, so that both print the same page.
constexpr double kPaperMarginMillimetres = 10;

// The PDF writer and the memory it writes into; the first base of TQtPdfTarget, so that both
// exist before the print target over them.
struct TQtPdfDocument {
  TQtPdfDocument();
  QBuffer Buffer;
  QPdfWriter Writer{&Buffer};
};

// Prints a PDF document into memory, on A4 pages at 300 dots per inch with 10 mm margins; the
// caller writes the bytes where they belong once the document has ended, so that a failed job
// leaves no file behind.
class TQtPdfTarget : private TQtPdfDocument, public TQtPrintTarget {
 public:
  TQtPdfTarget() : TQtPrintTarget(Writer) {}
  // The document's bytes; complete once EndDocument has run.
  const QByteArray& Document() const { return Buffer.data(); }
};
