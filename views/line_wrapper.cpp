#include "views/line_wrapper.h"

#include <algorithm>
#include <optional>

#include "views/ex_canvas.h"
#include "views/line_fitter.h"
#include "views/utf8_text.h"

namespace {

// Finds, from the scan position on, the stretches of the region that can take a line.
class TSegmentFinder {
 public:
  TSegmentFinder(const TVpTextRegion& region, int lineHeight, int minWidth)
      : Region_(region), Box_(region.BoundingBox()), LineHeight_(lineHeight), MinWidth_(minWidth) {}

  // The first stretch at or after the position, scanning each row to the box's right edge and then
  // the next row from the box's left edge: its Top is the row, Bottom the row plus a line height.
  std::optional<TRect> Find(TPoint from) const {
    int x = from.X;
    int y = from.Y;
    while (true) {
      if (x >= Box_.Right) {
        x = Box_.Left;
        y += LineHeight_;
      }
      if (y + LineHeight_ > Box_.Bottom) return std::nullopt;
      if (!Fits(x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < Box_.Right && Fits(end, y)) ++end;
      if (end - x > MinWidth_) return TRect{x, y, end, y + LineHeight_};
      // Every later start on this stretch ends at the same place and is narrower still.
      x = end;
    }
  }

 private:
  bool Fits(int x, int y) const { return Region_.Contains({x, y}) && Region_.Contains({x, y + LineHeight_}); }

  const TVpTextRegion& Region_;
  TRect Box_;
  int LineHeight_;
  int MinWidth_;
};

}  // namespace

TVpWrapResult TVpLineWrapper::WrapText(TCanvas* canvas, const TVpTextRegion& region, std::string_view text) const {
  const TVpExCanvas exCanvas(canvas, Angle_, Viewport_);
  TCanvas& target = exCanvas.Target();
  // A font reporting no height still advances the scan, so that it ends.
  const int lineHeight = std::max(target.TextHeight("yY0"), 1);
  const TVpLineFitter fitter(target);
  const TSegmentFinder finder(region, lineHeight, MinSegmentWidthFactor * target.AverageCharWidth());

  const TRect box = region.BoundingBox();
  TPoint scan{box.Left + TextMargin, box.Top + TextMargin};
  size_t used = 0;
  while (used < text.size()) {
    const std::optional<TRect> segment = finder.Find(scan);
    if (!segment) break;
    const TVpFittedLine line = fitter.Next(text.substr(used), segment->Width() - TextMargin);
    if (!line.Text.empty()) exCanvas.TextOut(segment->Left + TextMargin, segment->Top, line.Text);
    used += line.Consumed;
    scan = {segment->Right + 1, segment->Top};
  }
  return {CodePointCount(text.substr(0, used)), used, used == text.size()};
}

TVpWrapResult RotatedWrapText(TCanvas* canvas, TVpRotationAngle angle, const TRect& viewport,
                              const TVpTextRegion& region, std::string_view text) {
  return TVpLineWrapper(angle, viewport).WrapText(canvas, region, text);
}
