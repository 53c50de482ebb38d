#include "views/drawing/line_wrapper.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/utf8.h"
#include "views/drawing/ex_canvas.h"
#include "views/drawing/line_fitter.h"

namespace {

// The stretches of the row y in which both y and the row a line height below lie in the region:
// a line may take them.
std::vector<TVpSpan> LineSpans(const TVpTextRegion& region, int y, int lineHeight) {
  const std::vector<TVpSpan> top = region.RowSpans(y);
  const std::vector<TVpSpan> bottom = region.RowSpans(y + lineHeight);
  std::vector<TVpSpan> both;
  size_t i = 0;
  size_t j = 0;
  while (i < top.size() && j < bottom.size()) {
    const int left = std::max(top[i].Left, bottom[j].Left);
    const int right = std::min(top[i].Right, bottom[j].Right);
    if (left < right) both.push_back({left, right});
    if (top[i].Right < bottom[j].Right) ++i;
    else ++j;
  }
  return both;
}

// Finds, from the scan position on, the stretches of the region that can take a line: rows are
// scanned left to right from the position, later rows from the region's left edge, one line
// height apart.
class TSegmentFinder {
 public:
  TSegmentFinder(const TVpTextRegion& region, int lineHeight, int minWidth)
      : Region_(region), Box_(region.BoundingBox()), LineHeight_(lineHeight), MinWidth_(std::max(minWidth, 0)) {}

  // The first stretch at or after the position wider than the minimum: its Top is the row,
  // its Bottom the row plus a line height.
  std::optional<TRect> Find(TPoint from) const {
    int x = from.X;
    for (int y = from.Y; y + LineHeight_ <= Box_.Bottom; y += LineHeight_, x = Box_.Left) {
      for (const TVpSpan& span : LineSpans(Region_, y, LineHeight_)) {
        const int left = std::max(span.Left, x);
        if (span.Right - left > MinWidth_) return TRect{left, y, span.Right, y + LineHeight_};
      }
    }
    return std::nullopt;
  }

 private:
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
