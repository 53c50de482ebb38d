#include "platform/qt/qt_canvas.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPolygon>
#include <cmath>

#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_text.h"

namespace {

// Qt draws a 1-pixel outline of QRect(x, y, w, h) over w + 1 by h + 1 pixels; the canvas's
// rectangle covers exactly its own width and height.
QRect OutlineRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1); }

QPainter::CompositionMode ToQtMode(TPenMode mode) {
  switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmCopy: return QPainter::CompositionMode_SourceOver;
  }
  return QPainter::CompositionMode_SourceOver;
}

std::optional<QPalette::ColorRole> PaletteRoleOf(TColor c) {
  switch (c & 0xFF) {
    case 0x04: return QPalette::Window;
    case 0x05: return QPalette::Base;
    case 0x07: return QPalette::WindowText;
    case 0x08: return QPalette::Text;
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;
    case 0x10: return QPalette::Mid;
    case 0x12: return QPalette::ButtonText;
    case 0x14: return QPalette::Light;
    case 0x15: return QPalette::Shadow;
    case 0x16: return QPalette::Midlight;
    case 0x17: return QPalette::ToolTipText;
    case 0x18: return QPalette::ToolTipBase;
    default: return std::nullopt;
  }
}

}  // namespace

TQtCanvas::TQtCanvas(QPainter& painter, int pixelsPerInch, TQtColorScheme scheme)
    : P_(painter), Ppi_(pixelsPerInch), Scheme_(scheme) {
  P_.setRenderHint(QPainter::Antialiasing, false);
  P_.setRenderHint(QPainter::TextAntialiasing, true);
}

QColor TQtCanvas::QtColor(TColor color, TQtColorScheme scheme) {
  if (IsSchemeColor(color)) {
    if (scheme == qcsScreen && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
      if (const auto role = PaletteRoleOf(color)) return QGuiApplication::palette().color(*role);
    }
    color = DefaultSchemeColor(color);
  }
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

Qt::PenStyle TQtCanvas::QtPenStyle(TPenStyle style) {
  switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid:
    case psInsideFrame: return Qt::SolidLine;
  }
  return Qt::SolidLine;
}

QFont TQtCanvas::QtFont(const TFont& font, int pixelsPerInch) {
  QFont f(ToQt(font.Name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * pixelsPerInch / 72.0))));
  f.setBold((font.Style & fsBold) != 0);
  f.setItalic((font.Style & fsItalic) != 0);
  f.setUnderline((font.Style & fsUnderline) != 0);
  f.setStrikeOut((font.Style & fsStrikeOut) != 0);
  if (font.Pitch == fpFixed) f.setFixedPitch(true);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

void TQtCanvas::Prepare(bool withBrush) {
  if (Pen.Style == psClear || Pen.Color == clNone) {
    P_.setPen(Qt::NoPen);
  } else {
    QPen pen(Color(Pen.Color));
    pen.setWidth(std::max(1, Pen.Width));
    pen.setStyle(QtPenStyle(Pen.Style));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    P_.setPen(pen);
  }
  if (withBrush && Brush.Style == bsSolid && Brush.Color != clNone) P_.setBrush(Color(Brush.Color));
  else P_.setBrush(Qt::NoBrush);
  P_.setCompositionMode(ToQtMode(Pen.Mode));
}

void TQtCanvas::FillRect(const TRect& r) {
  if (r.IsEmpty() || Brush.Style != bsSolid || Brush.Color == clNone) return;
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  P_.fillRect(ToQt(r), Color(Brush.Color));
}

void TQtCanvas::Rectangle(const TRect& r) {
  if (r.IsEmpty()) return;
  FillRect(r);
  Prepare(false);
  if (Pen.Style != psClear) P_.drawRect(OutlineRect(r));
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::Ellipse(const TRect& r) {
  if (r.IsEmpty()) return;
  Prepare(true);
  P_.drawEllipse(OutlineRect(r));
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  if (r.IsEmpty()) return;
  Prepare(true);
  P_.drawRoundedRect(OutlineRect(r), cornerWidth / 2.0, cornerHeight / 2.0);
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  QPolygon polygon;
  for (const TPoint& p : points) polygon << ToQt(p);
  Prepare(true);
  P_.drawPolygon(polygon);
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::MoveTo(int x, int y) { PenPos_ = {x, y}; }

void TQtCanvas::DrawLineWithoutEnd(TPoint from, TPoint to) {
  // With flat caps Qt stops a line just before its end point.
  if (from != to) P_.drawLine(ToQt(from), ToQt(to));
}

void TQtCanvas::LineTo(int x, int y) {
  Prepare(false);
  if (Pen.Style != psClear) DrawLineWithoutEnd(PenPos_, {x, y});
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  PenPos_ = {x, y};
}

void TQtCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  Prepare(false);
  if (Pen.Style != psClear)
    for (size_t i = 1; i < points.size(); ++i) DrawLineWithoutEnd(points[i - 1], points[i]);
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtCanvas::TextOut(int x, int y, std::string_view text) {
  const QFont font = QtFont(Font, Ppi_);
  const QFontMetrics metrics(font);
  const QString s = ToQt(text);
  P_.save();
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  P_.translate(x, y);
  P_.rotate(-Font.Orientation / 10.0);
  if (Brush.Style == bsSolid && Brush.Color != clNone)
    P_.fillRect(QRect(0, 0, metrics.horizontalAdvance(s), metrics.height()), Color(Brush.Color));
  P_.setFont(font);
  P_.setPen(Color(Font.Color));
  P_.drawText(0, metrics.ascent(), s);
  P_.restore();
  PenPos_ = {x + metrics.horizontalAdvance(s), y};
}

int TQtCanvas::TextWidth(std::string_view text) {
  return QFontMetrics(QtFont(Font, Ppi_)).horizontalAdvance(ToQt(text));
}

int TQtCanvas::TextHeight(std::string_view) { return QFontMetrics(QtFont(Font, Ppi_)).height(); }

int TQtCanvas::AverageCharWidth() { return QFontMetrics(QtFont(Font, Ppi_)).averageCharWidth(); }

void TQtCanvas::DrawFocusRect(const TRect& r) {
  if (r.IsEmpty()) return;
  P_.save();
  P_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  P_.setPen(QPen(Qt::white, 1, Qt::DotLine));
  P_.setBrush(Qt::NoBrush);
  P_.drawRect(OutlineRect(r));
  P_.restore();
}

void TQtCanvas::SetClipRect(const std::optional<TRect>& r) {
  Clip_ = r;
  if (r) P_.setClipRect(ToQt(*r));
  else P_.setClipping(false);
}

std::unique_ptr<TBitmap> TQtCanvas::CreateBitmap(int width, int height) {
  return std::make_unique<TQtBitmap>(width, height, Ppi_, Scheme_);
}

void TQtCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  const auto* qtBitmap = dynamic_cast<const TQtBitmap*>(&bitmap);
  if (qtBitmap == nullptr || dest.IsEmpty()) return;
  P_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  P_.drawImage(ToQt(dest), bitmap.TransparentColor ? qtBitmap->KeyedImage() : qtBitmap->Image());
}

QImage TQtBitmap::KeyedImage() const {
  QImage keyed = Image_.convertToFormat(QImage::Format_ARGB32);
  if (!TransparentColor) return keyed;
  const QRgb key = TQtCanvas::QtColor(*TransparentColor, Scheme_).rgb() & 0xFFFFFF;
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
  }
  return keyed;
}

TQtBitmap::TQtBitmap(int width, int height, int pixelsPerInch, TQtColorScheme scheme)
    : Image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32), Scheme_(scheme) {
  Image_.fill(Qt::white);
  Painter_.begin(&Image_);
  Canvas_ = std::make_unique<TQtCanvas>(Painter_, pixelsPerInch, scheme);
}

TQtBitmap::~TQtBitmap() {
  Canvas_.reset();
  Painter_.end();
}
