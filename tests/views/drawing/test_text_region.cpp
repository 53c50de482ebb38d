#include <gtest/gtest.h>

#include <vector>

#include "views/drawing/text_region.h"

namespace {

TEST(TextRegion, RowSpansMergeTheRectanglesCrossingTheRow) {
  // A band on the right over a full-width band, and a box whose left edge touches the band.
  const TVpTextRegion region{TRect{40, 0, 100, 40}, TRect{0, 40, 100, 100}, TRect{20, 30, 40, 50},
                             TRect{120, 35, 130, 36}};
  EXPECT_EQ(region.BoundingBox(), (TRect{0, 0, 130, 100}));
  EXPECT_EQ(region.RowSpans(0), (std::vector<TVpSpan>{{40, 100}}));
  EXPECT_EQ(region.RowSpans(35), (std::vector<TVpSpan>{{20, 100}, {120, 130}}));
  EXPECT_EQ(region.RowSpans(36), (std::vector<TVpSpan>{{20, 100}}));
  EXPECT_EQ(region.RowSpans(45), (std::vector<TVpSpan>{{0, 100}}));
  EXPECT_TRUE(region.RowSpans(100).empty());
  EXPECT_TRUE(region.RowSpans(-1).empty());
}

TEST(TextRegion, EmptyRectanglesAddNothing) {
  TVpTextRegion region;
  region.Add(TRect{50, 50, 50, 80});
  region.Add(TRect{30, 30, 10, 10});
  EXPECT_EQ(region.BoundingBox(), TRect{});
  EXPECT_TRUE(region.RowSpans(60).empty());
  region.Add(TRect{5, 6, 7, 8});
  EXPECT_EQ(region.BoundingBox(), (TRect{5, 6, 7, 8}));
}

}  // namespace
