#pragma once

#include <QAbstractScrollArea>

#include "print/print_preview.h"

// The preview control on the desktop: paints the preview's page bitmap at its zoom, scrolled by
// its bars, with the frame lines; keys and the right click go to the preview. The preview must
// outlive the widget.
class TVpPrintPreviewWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TVpPrintPreviewWidget(TVpPrintPreview& preview, QWidget* parent = nullptr);
  ~TVpPrintPreviewWidget() override;
  TVpPrintPreview& Preview() const { return Preview_; }
  // The bars for the current page and zoom, both back at position 0.
  void UpdateScrollBars();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void OpenPageMenu(const QPoint& global);

  TVpPrintPreview& Preview_;
  TVpPreviewScrollBars Bars_;
};

// A page bitmap of the preview: an image at the screen's resolution.
std::unique_ptr<TBitmap> MakePreviewBitmap(int width, int height);
