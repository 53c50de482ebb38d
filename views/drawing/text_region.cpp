#include "views/drawing/text_region.h"

#include <algorithm>

TVpTextRegion::TVpTextRegion(std::initializer_list<TRect> rects) {
  for (const TRect& r : rects) Add(r);
}

void TVpTextRegion::Add(const TRect& rect) {
  if (rect.IsEmpty()) return;
  if (Rects_.empty()) {
    Bounds_ = rect;
  } else {
    Bounds_.Left = std::min(Bounds_.Left, rect.Left);
    Bounds_.Top = std::min(Bounds_.Top, rect.Top);
    Bounds_.Right = std::max(Bounds_.Right, rect.Right);
    Bounds_.Bottom = std::max(Bounds_.Bottom, rect.Bottom);
  }
  Rects_.push_back(rect);
}

std::vector<TVpSpan> TVpTextRegion::RowSpans(int y) const {
  std::vector<TVpSpan> crossing;
  for (const TRect& r : Rects_)
    if (y >= r.Top && y < r.Bottom) crossing.push_back({r.Left, r.Right});
  std::sort(crossing.begin(), crossing.end(), [](const TVpSpan& a, const TVpSpan& b) { return a.Left < b.Left; });

  std::vector<TVpSpan> merged;
  for (const TVpSpan& s : crossing) {
    if (!merged.empty() && s.Left <= merged.back().Right) merged.back().Right = std::max(merged.back().Right, s.Right);
    else merged.push_back(s);
  }
  return merged;
}
