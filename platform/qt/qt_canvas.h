#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/canvas.h"

// Where the desktop scheme's colours (window, window text, button face ...) come from: the
// program's palette on screen, which follows the skin; their plain light colours on paper (pages
// printed or previewed), which is white whatever the skin.
enum TQtColorScheme { qcsScreen, qcsPaper };

// The canvas on a Qt paint device (a widget, an image, a printer page). The painter must be
// active for the canvas's whole life and is left in its original state afterwards.
class TQtCanvas : public TCanvas {
 public:
  TQtCanvas(QPainter& painter, int pixelsPerInch, TQtColorScheme scheme = qcsScreen);

  void FillRect(const TRect& r) override;
  void Rectangle(const TRect& r) override;
  void Ellipse(const TRect& r) override;
  void RoundRect(const TRect& r, int cornerWidth, int cornerHeight) override;
  void Polygon(std::span<const TPoint> points) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> points) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  int AverageCharWidth() override;
  void DrawFocusRect(const TRect& r) override;
  void SetClipRect(const std::optional<TRect>& r) override;
  std::optional<TRect> ClipRect() const override { return Clip_; }
  int PixelsPerInch() const override { return Ppi_; }
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;
  void StretchDraw(const TRect& dest, const TBitmap& bitmap) override;

  // The Qt font a canvas font stands for at the given resolution.
  static QFont QtFont(const TFont& font, int pixelsPerInch);
  // A canvas colour as Qt sees it; scheme colours come from the program's palette on screen.
  static QColor QtColor(TColor color, TQtColorScheme scheme = qcsScreen);
  // The Qt line style of a canvas pen style.
  static Qt::PenStyle QtPenStyle(TPenStyle style);

 private:
  // Pen and brush of the painter for outlines and fills; clear ones become none.
  void Prepare(bool withBrush);
  // A line from one point towards another, leaving out the end point.
  void DrawLineWithoutEnd(TPoint from, TPoint to);

  QColor Color(TColor color) const { return QtColor(color, Scheme_); }

  QPainter& P_;
  int Ppi_;
  TQtColorScheme Scheme_;
  std::optional<TRect> Clip_;
};

// An off-screen bitmap whose canvas draws into a QImage.
class TQtBitmap : public TBitmap {
 public:
  TQtBitmap(int width, int height, int pixelsPerInch, TQtColorScheme scheme = qcsScreen);
  ~TQtBitmap() override;
  int Width() const override { return Image_.width(); }
  int Height() const override { return Image_.height(); }
  TCanvas& Canvas() override { return *Canvas_; }
  const QImage& Image() const { return Image_; }
  // The image with the pixels of the transparent colour (if any) left out.
  QImage KeyedImage() const;

 private:
  QImage Image_;
  TQtColorScheme Scheme_;
  QPainter Painter_;
  std::unique_ptr<TQtCanvas> Canvas_;
};
