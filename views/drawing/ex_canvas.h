#pragma once

#include <span>
#include <string_view>

#include "platform/canvas.h"
#include "views/drawing/rotation.h"

// The rotating drawing context: draws on a target canvas with every logical point, rectangle and
// text line turned into the viewport by the rotation angle. A context is cheap and is made for
// each drawing call, so it holds nothing between calls and drawing stays reentrant.
//
// Every drawing routine raises EVpCanvasError "TCanvas not assigned" when there is no target.
class TVpExCanvas {
 public:
  TVpExCanvas() = default;
  TVpExCanvas(TCanvas* canvas, TVpRotationAngle angle, const TRect& viewport)
      : Canvas_(canvas), Angle_(angle), Viewport_(viewport) {}

  // The target canvas; raises EVpCanvasError when there is none.
  TCanvas& Target() const;

  // Fills the mapped rectangle with the canvas brush, no outline.
  void FillRect(const TRect& rect) const;
  // Outline with the canvas pen, interior with the canvas brush. The four-number form maps the
  // corners (x1, y1) and (x2, y2) and draws between them, whichever way round they are.
  void Rectangle(const TRect& rect) const;
  void Rectangle(int x1, int y1, int x2, int y2) const;
  // The desktop's dotted focus frame on the mapped rectangle.
  void FocusRect(const TRect& rect) const;
  void MoveTo(int x, int y) const;
  // A line with the canvas pen from the pen position to the mapped point.
  void LineTo(int x, int y) const;
  // The open polyline through every mapped point.
  void Polyline(std::span<const TPoint> points) const;

  // Text is drawn in the canvas font turned to the rotation, on a clear background; the caller's
  // font and brush are as they were afterwards, also when drawing fails.
  //
  // The text with its top-left corner at the mapped point.
  void TextOut(int x, int y, std::string_view text) const;
  // The text with its top-left corner at (x, y) taken as a device point, without mapping.
  void TextOutDevice(int x, int y, std::string_view text) const;
  // The text centred horizontally in the rectangle and aligned to its top; a text as wide as the
  // rectangle or wider starts at its left edge.
  void CenteredTextOut(const TRect& rect, std::string_view text) const;

 private:
  TPoint Map(int x, int y) const { return RotatePoint(Angle_, Viewport_, {x, y}); }

  TCanvas* Canvas_ = nullptr;
  TVpRotationAngle Angle_ = ra0;
  TRect Viewport_;
};

// The font a text is drawn in at the rotation: the canvas font with its baseline turned
// (0, 2700, 1800 or 900 tenths of a degree counter-clockwise for ra0, ra90, ra180, ra270). A face
// name of 32 characters or more is left empty so that the platform picks its default face.
TFont RotatedFont(const TFont& font, TVpRotationAngle angle);
