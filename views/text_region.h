#pragma once

#include <initializer_list>
#include <vector>

#include "platform/geometry.h"

// A shape made of rectangles, into which the line wrapper flows text: for example an event's
// rectangle less the corner its icons take. A point lies in the region when it lies in any of
// its rectangles (right and bottom edges excluded, as for TRect).
class TVpTextRegion {
 public:
  TVpTextRegion() = default;
  TVpTextRegion(std::initializer_list<TRect> rects);

  // Adds the rectangle to the region; an empty or reversed rectangle adds nothing.
  void Add(const TRect& rect);

  bool Contains(TPoint point) const;
  // The smallest rectangle holding the whole region; all zero for an empty region.
  TRect BoundingBox() const { return Bounds_; }
  bool IsEmpty() const { return Rects_.empty(); }

 private:
  std::vector<TRect> Rects_;
  TRect Bounds_;
};
