#pragma once

#include <cstddef>
#include <string_view>

#include "platform/canvas.h"
#include "views/drawing/rotation.h"
#include "views/drawing/text_region.h"

// How much of a text the line wrapper placed. The text is what it was given, UTF-8; the count of
// characters is in code points, never in bytes, and the byte count says where the rest starts.
struct TVpWrapResult {
  int CharactersPlaced = 0;  // code points of the text used up by the lines drawn
  size_t BytesPlaced = 0;    // the same part of the text in bytes: text.substr(BytesPlaced) did not fit
  bool AllPlaced = false;    // the whole text fitted (an empty text always does)
};

// Flows a text into a region, line by line, in the canvas's current font turned to the rotation.
// The region is in logical coordinates. Lines are one line height apart (the text height of
// "yY0"), each in the first stretch of the region, scanning rows left to right and top to
// bottom, that is wider than five average characters and in which both the line's top and the
// row below it lie in the region. Text keeps a margin of 3 pixels: the scan starts 3 pixels in
// from the region's top-left corner and each line is drawn 3 pixels right of its stretch's start,
// so the first line of a rectangular region starts 6 pixels from its left edge and later lines 3.
// How the text breaks into lines is told by TVpLineFitter.
class TVpLineWrapper {
 public:
  static constexpr int TextMargin = 3;
  // The narrowest stretch of the region a line goes into, in average character widths (exclusive).
  static constexpr int MinSegmentWidthFactor = 5;

  TVpLineWrapper() = default;
  TVpLineWrapper(TVpRotationAngle angle, const TRect& viewport) : Angle_(angle), Viewport_(viewport) {}

  // Raises EVpCanvasError when there is no canvas.
  TVpWrapResult WrapText(TCanvas* canvas, const TVpTextRegion& region, std::string_view text) const;

 private:
  TVpRotationAngle Angle_ = ra0;
  TRect Viewport_;
};

// Flows the text into the region on a wrapper made for the call.
TVpWrapResult RotatedWrapText(TCanvas* canvas, TVpRotationAngle angle, const TRect& viewport,
                              const TVpTextRegion& region, std::string_view text);
