#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/canvas.h"

// One drawing operation as the recording canvas saw it, with the pen, brush, font and clip that
// were in force.
struct TCanvasOp {
  enum TKind {
    opFillRect,
    opRectangle,
    opEllipse,
    opRoundRect,
    opPolygon,
    opLine,
    opPolyline,
    opText,
    opFocusRect,
    opBitmap
  };
  TKind Kind = opFillRect;
  TRect Rect;                  // the rectangle; for text its cell; for a bitmap the destination
  std::vector<TPoint> Points;  // a line's two ends; polyline and polygon points
  std::string Text;
  TPen Pen;
  TBrush Brush;
  TFont Font;
  std::optional<TRect> Clip;
};

// A canvas that draws nothing and records everything, with metrics simple enough to compute by
// hand. At 96 dots per inch a font of size S points is 2*S pixels high and every code point of a
// text is S pixels wide, so "Hello" in an 8-point font is 40 by 16; both scale with the
// resolution (rounded to the nearest pixel). The average character width is the same S.
class TRecordingCanvas : public TCanvas {
 public:
  explicit TRecordingCanvas(int pixelsPerInch = 96) : Ppi_(pixelsPerInch) {}

  void FillRect(const TRect& r) override { Record(TCanvasOp::opFillRect, r); }
  void Rectangle(const TRect& r) override { Record(TCanvasOp::opRectangle, r); }
  void Ellipse(const TRect& r) override { Record(TCanvasOp::opEllipse, r); }
  void RoundRect(const TRect& r, int, int) override { Record(TCanvasOp::opRoundRect, r); }
  void Polygon(std::span<const TPoint> points) override;
  void MoveTo(int x, int y) override { PenPos_ = {x, y}; }
  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> points) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  int AverageCharWidth() override { return CharWidth(); }
  void DrawFocusRect(const TRect& r) override { Record(TCanvasOp::opFocusRect, r); }
  void SetClipRect(const std::optional<TRect>& r) override { Clip_ = r; }
  std::optional<TRect> ClipRect() const override { return Clip_; }
  int PixelsPerInch() const override { return Ppi_; }
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;
  void StretchDraw(const TRect& dest, const TBitmap& bitmap) override;

  const std::vector<TCanvasOp>& Ops() const { return Ops_; }
  std::vector<TCanvasOp> OpsOf(TCanvasOp::TKind kind) const;
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
  // The first text operation drawing exactly this text, or nullptr.
  const TCanvasOp* FindText(std::string_view text) const;
  void Clear() { Ops_.clear(); }

 private:
  int CharWidth() const;
  int LineHeight() const;
  TCanvasOp& Record(TCanvasOp::TKind kind, const TRect& r);

  int Ppi_;
  std::optional<TRect> Clip_;
  std::vector<TCanvasOp> Ops_;
};

// A bitmap of the recording canvas; what is drawn on it is recorded on its own canvas.
class TRecordingBitmap : public TBitmap {
 public:
  TRecordingBitmap(int width, int height, int pixelsPerInch) : Width_(width), Height_(height), Canvas_(pixelsPerInch) {}
  int Width() const override { return Width_; }
  int Height() const override { return Height_; }
  TCanvas& Canvas() override { return Canvas_; }
  const TRecordingCanvas& Recording() const { return Canvas_; }

 private:
  int Width_;
  int Height_;
  TRecordingCanvas Canvas_;
};

// A rectangle as tests print it: (left, top, right, bottom).
inline std::ostream& operator<<(std::ostream& out, const TRect& r) {
  return out << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}
