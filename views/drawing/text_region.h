#pragma once

#include <initializer_list>
#include <vector>

#include "platform/geometry.h"

// A stretch of one pixel row, from Left up to Right (excluded).
struct TVpSpan {
  int Left = 0;
  int Right = 0;
  friend bool operator==(const TVpSpan&, const TVpSpan&) = default;
};

// A shape made of rectangles, into which the line wrapper flows text: for example an event's
// rectangle less the corner its icons take. A point lies in the region when it lies in any of
// its rectangles (right and bottom edges excluded, as for TRect).
class TVpTextRegion {
 public:
  TVpTextRegion() = default;
  TVpTextRegion(std::initializer_list<TRect> rects);

  // Adds the rectangle to the region; an empty or reversed rectangle adds nothing.
  void Add(const TRect& rect);

  // The smallest rectangle holding the whole region; all zero for an empty region.
  TRect BoundingBox() const { return Bounds_; }
  // The points of the row y that lie in the region, as stretches from left to right that neither
  // overlap nor touch.
  std::vector<TVpSpan> RowSpans(int y) const;

 private:
  std::vector<TRect> Rects_;
  TRect Bounds_;
};
