#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/enumerations.h"
#include "platform/canvas.h"
#include "views/drawing/ex_canvas.h"

// Gives a canvas back its pen, brush, font and clip when it goes, also when drawing raised.
class TVpCanvasStateScope {
 public:
  explicit TVpCanvasStateScope(TCanvas& canvas);
  ~TVpCanvasStateScope();
  TVpCanvasStateScope(const TVpCanvasStateScope&) = delete;
  TVpCanvasStateScope& operator=(const TVpCanvasStateScope&) = delete;

 private:
  TCanvas& Canvas_;
  TPen Pen_;
  TBrush Brush_;
  TFont Font_;
  std::optional<TRect> Clip_;
};

// The colours a pass draws with: the view's own on screen, fixed ones when printing
// (displayOnly), so that a printed page does not depend on the desktop's colour scheme.
template <class TColors>
TColors PassColors(bool displayOnly, const TColors& screen, const TColors& print) {
  return displayOnly ? print : screen;
}

// The base of every view's drawing pass: one drawing of a view into a rectangle (the viewport) of
// a canvas at a quarter-turn rotation, on screen or for printing (displayOnly). The pass lays out
// in its logical frame and draws through the helpers below, which turn everything into the
// viewport. A pass is made, drawn and dropped at once; it gives the canvas back its pen, brush,
// font and clip when it goes, on every path.
class TVpDrawingPass {
 public:
  TVpDrawingPass(const TVpDrawingPass&) = delete;
  TVpDrawingPass& operator=(const TVpDrawingPass&) = delete;

 protected:
  TVpDrawingPass(TCanvas& canvas, const TRect& viewport, TVpRotationAngle angle, bool displayOnly);
  ~TVpDrawingPass() = default;

  TCanvas& Canvas() const { return Canvas_; }
  // The drawing context that turns logical coordinates into the viewport.
  const TVpExCanvas& Ex() const { return Ex_; }
  TVpRotationAngle Angle() const { return Angle_; }
  // The viewport, normalised.
  const TRect& Viewport() const { return Viewport_; }
  // The logical frame: the viewport, with width and height exchanged for a quarter turn.
  const TRect& Frame() const { return Frame_; }
  // True when the pass prints.
  bool DisplayOnly() const { return DisplayOnly_; }
  // The device rectangle of a logical one.
  TRect DeviceRect(const TRect& logical) const;
  // Sets the canvas up as every pass draws: clipped to the viewport, a solid one-pixel pen in
  // copy mode and a solid brush.
  void BeginDrawing();

  // --- drawing in the logical frame ---
  // A solid fill, no outline.
  void Fill(const TRect& rect, TColor color);
  void Line(int x1, int y1, int x2, int y2, TColor color);
  // The bevel of DrawBevelFrame, turned with the pass.
  void Bevel(const TRect& rect, TColor topLeft, TColor bottomRight);
  // A view's border: a bevel along the frame's edge and, with inner colours, one a pixel within it.
  void BorderBevels(TColor outerTopLeft, TColor outerBottomRight);
  void BorderBevels(TColor outerTopLeft, TColor outerBottomRight, TColor innerTopLeft, TColor innerBottomRight);
  // The text with its top-left corner at the point, in the font.
  void Text(int x, int y, std::string_view text, const TFont& font);
  // The text centred in the rectangle (TVpExCanvas::CenteredTextOut) in the canvas's font.
  void CenteredText(const TRect& rect, std::string_view text);
  int TextWidth(std::string_view text, const TFont& font);
  // The height of the sample text in the font; the canvas keeps its font.
  int TextHeight(const TFont& font, const char* sample = "Wy");
  // The text shortened with "..." to the width when it is wider.
  std::string Fit(std::string_view text, const TFont& font, int width);
  // The "more" marks: three small squares inside the bottom right corner of a box that shows
  // only part of what it holds. On screen they are 3 pixels square; a print scales them.
  void MoreMarks(int right, int bottom, TColor color, double scale = 1.0);

 private:
  TVpCanvasStateScope Restore_;  // first, so that it is made before the pass draws anything
  TCanvas& Canvas_;
  TVpRotationAngle Angle_;
  TRect Viewport_;
  TRect Frame_;
  TVpExCanvas Ex_;
  bool DisplayOnly_;
};
