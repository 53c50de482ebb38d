#include "print/qt/qt_print_target.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <stdexcept>

#include "print/page_geometry.h"

namespace {

constexpr int kPdfDotsPerInch = 300;

}  // namespace

TQtPrintTarget::~TQtPrintTarget() {
  if (Painter_.isActive()) EndDocument();
}

void TQtPrintTarget::BeginDocument() {
  if (!Painter_.begin(&Device_)) throw std::runtime_error("the printer or file cannot start a document");
  const TVpResolution resolution = UsableResolution(DotsPerInchX(), DotsPerInchY());
  Canvas_ = std::make_unique<TQtCanvas>(Painter_, resolution.Y, qcsPaper);
}

void TQtPrintTarget::EndDocument() {
  Canvas_.reset();
  if (Painter_.isActive()) Painter_.end();
}

void TQtPrintTarget::NewPage() {
  if (!Device_.newPage()) throw std::runtime_error("the printer or file cannot start another page");
}

TCanvas& TQtPrintTarget::Canvas() {
  if (!Canvas_) throw std::logic_error("a print target's canvas is used outside its document");
  return *Canvas_;
}

TQtPdfDocument::TQtPdfDocument() {
  Buffer.open(QIODevice::WriteOnly);
  Writer.setResolution(kPdfDotsPerInch);
  Writer.setPageLayout(QPageLayout(
      QPageSize(QPageSize::A4), QPageLayout::Portrait,
      QMarginsF(kPaperMarginMillimetres, kPaperMarginMillimetres, kPaperMarginMillimetres, kPaperMarginMillimetres),
      QPageLayout::Millimeter));
  Writer.setCreator("Koret Organizer");
}
