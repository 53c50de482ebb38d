#include "views/drawing/drawing_pass.h"

#include <cmath>

#include "views/drawing/drawing_helpers.h"
#include "views/drawing/rotation.h"

TVpCanvasStateScope::TVpCanvasStateScope(TCanvas& canvas)
    : Canvas_(canvas), Pen_(canvas.Pen), Brush_(canvas.Brush), Font_(canvas.Font), Clip_(canvas.ClipRect()) {}

TVpCanvasStateScope::~TVpCanvasStateScope() {
  Canvas_.Pen = Pen_;
  Canvas_.Brush = Brush_;
  Canvas_.Font = Font_;
  Canvas_.SetClipRect(Clip_);
}

TVpDrawingPass::TVpDrawingPass(TCanvas& canvas, const TRect& viewport, TVpRotationAngle angle, bool displayOnly)
    : Restore_(canvas),
      Canvas_(canvas),
      Angle_(angle),
      Viewport_(NormalizedRect(viewport)),
      Frame_(RotatedViewport(angle, Viewport_)),
      Ex_(&canvas, angle, Viewport_),
      DisplayOnly_(displayOnly) {}

TRect TVpDrawingPass::DeviceRect(const TRect& logical) const { return RotateRect(Angle_, Viewport_, logical); }

void TVpDrawingPass::BeginDrawing() {
  Canvas_.SetClipRect(Viewport_);
  Canvas_.Pen.Style = psSolid;
  Canvas_.Pen.Width = 1;
  Canvas_.Pen.Mode = pmCopy;
  Canvas_.Brush.Style = bsSolid;
}

int TVpDrawingPass::TextHeight(const TFont& font, const char* sample) {
  const TFont saved = Canvas_.Font;
  Canvas_.Font = font;
  const int height = Canvas_.TextHeight(sample);
  Canvas_.Font = saved;
  return height;
}

void TVpDrawingPass::Fill(const TRect& rect, TColor color) {
  Canvas_.Brush.Style = bsSolid;
  Canvas_.Brush.Color = color;
  Ex_.FillRect(rect);
}

void TVpDrawingPass::Line(int x1, int y1, int x2, int y2, TColor color) {
  Canvas_.Pen.Color = color;
  Ex_.MoveTo(x1, y1);
  Ex_.LineTo(x2, y2);
}

void TVpDrawingPass::Bevel(const TRect& rect, TColor topLeft, TColor bottomRight) {
  DrawBevelFrame(Ex_, rect, topLeft, bottomRight);
}

void TVpDrawingPass::BorderBevels(TColor outerTopLeft, TColor outerBottomRight) {
  const TRect& f = Frame_;
  Bevel(Rect(f.Left, f.Top, f.Right - 1, f.Bottom - 1), outerTopLeft, outerBottomRight);
}

void TVpDrawingPass::BorderBevels(TColor outerTopLeft, TColor outerBottomRight, TColor innerTopLeft,
                                  TColor innerBottomRight) {
  BorderBevels(outerTopLeft, outerBottomRight);
  const TRect& f = Frame_;
  Bevel(Rect(f.Left + 1, f.Top + 1, f.Right - 2, f.Bottom - 2), innerTopLeft, innerBottomRight);
}

void TVpDrawingPass::Text(int x, int y, std::string_view text, const TFont& font) {
  Canvas_.Font = font;
  Ex_.TextOut(x, y, text);
}

void TVpDrawingPass::CenteredText(const TRect& rect, std::string_view text) { Ex_.CenteredTextOut(rect, text); }

int TVpDrawingPass::TextWidth(std::string_view text, const TFont& font) {
  Canvas_.Font = font;
  return Canvas_.TextWidth(text);
}

std::string TVpDrawingPass::Fit(std::string_view text, const TFont& font, int width) {
  Canvas_.Font = font;
  if (Canvas_.TextWidth(text) <= width) return std::string(text);
  return EllipsisFit(Canvas_, text, 0, width);
}

void TVpDrawingPass::MoreMarks(int right, int bottom, TColor color, double scale) {
  const auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
  for (const int fromRight : {20, 13, 6}) {
    const int left = right - scaled(fromRight), top = bottom - scaled(7);
    Fill(Rect(left, top, left + scaled(3), top + scaled(3)), color);
  }
}
