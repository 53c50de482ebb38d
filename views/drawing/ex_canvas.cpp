#include "views/drawing/ex_canvas.h"

#include <vector>

#include "platform/utf8.h"
#include "views/drawing/canvas_error.h"

namespace {

// Face names this long or longer are not accepted by the desktop's font lookup.
constexpr int FaceNameLimit = 32;

int OrientationOf(TVpRotationAngle angle) {
  switch (angle) {
    case ra0: return 0;
    case ra90: return 2700;
    case ra180: return 1800;
    case ra270: return 900;
  }
  return 0;
}

// Puts the rotated font and a clear brush on the canvas for one text output and gives the caller
// back its font and brush style when it goes, whether the output returned or raised.
class TRotatedTextScope {
 public:
  TRotatedTextScope(TCanvas& canvas, TVpRotationAngle angle)
      : Canvas_(canvas), SavedFont_(canvas.Font), SavedBrushStyle_(canvas.Brush.Style) {
    Canvas_.Font = RotatedFont(SavedFont_, angle);
    Canvas_.Brush.Style = bsClear;
  }
  ~TRotatedTextScope() {
    Canvas_.Brush.Style = SavedBrushStyle_;
    Canvas_.Font = SavedFont_;
  }
  TRotatedTextScope(const TRotatedTextScope&) = delete;
  TRotatedTextScope& operator=(const TRotatedTextScope&) = delete;

 private:
  TCanvas& Canvas_;
  TFont SavedFont_;
  TBrushStyle SavedBrushStyle_;
};

void DrawRotatedText(TCanvas& canvas, TVpRotationAngle angle, TPoint at, std::string_view text) {
  TRotatedTextScope scope(canvas, angle);
  canvas.TextOut(at.X, at.Y, text);
}

}  // namespace

TFont RotatedFont(const TFont& font, TVpRotationAngle angle) {
  TFont rotated = font;
  rotated.Orientation = OrientationOf(angle);
  if (CodePointCount(font.Name) >= FaceNameLimit) rotated.Name.clear();
  return rotated;
}

TCanvas& TVpExCanvas::Target() const {
  if (!Canvas_) throw EVpCanvasError("TCanvas not assigned");
  return *Canvas_;
}

void TVpExCanvas::FillRect(const TRect& rect) const { Target().FillRect(RotateRect(Angle_, Viewport_, rect)); }

void TVpExCanvas::Rectangle(const TRect& rect) const { Target().Rectangle(RotateRect(Angle_, Viewport_, rect)); }

void TVpExCanvas::Rectangle(int x1, int y1, int x2, int y2) const { Rectangle(TRect{x1, y1, x2, y2}); }

void TVpExCanvas::FocusRect(const TRect& rect) const { Target().DrawFocusRect(RotateRect(Angle_, Viewport_, rect)); }

void TVpExCanvas::MoveTo(int x, int y) const {
  TCanvas& canvas = Target();
  const TPoint p = Map(x, y);
  canvas.MoveTo(p.X, p.Y);
}

void TVpExCanvas::LineTo(int x, int y) const {
  TCanvas& canvas = Target();
  const TPoint p = Map(x, y);
  canvas.LineTo(p.X, p.Y);
}

void TVpExCanvas::Polyline(std::span<const TPoint> points) const {
  TCanvas& canvas = Target();
  std::vector<TPoint> mapped;
  mapped.reserve(points.size());
  for (const TPoint& p : points) mapped.push_back(Map(p.X, p.Y));
  canvas.Polyline(mapped);
}

void TVpExCanvas::TextOut(int x, int y, std::string_view text) const {
  DrawRotatedText(Target(), Angle_, Map(x, y), text);
}

void TVpExCanvas::TextOutDevice(int x, int y, std::string_view text) const {
  DrawRotatedText(Target(), Angle_, {x, y}, text);
}

void TVpExCanvas::CenteredTextOut(const TRect& rect, std::string_view text) const {
  const int textWidth = Target().TextWidth(text);
  const int x = textWidth < rect.Width() ? rect.Left + (rect.Width() - textWidth) / 2 : rect.Left;
  TextOut(x, rect.Top, text);
}
