#include "views/text_region.h"

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

bool TVpTextRegion::Contains(TPoint point) const {
  return std::any_of(Rects_.begin(), Rects_.end(), [point](const TRect& r) { return r.Contains(point); });
}
