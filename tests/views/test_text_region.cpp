#include <gtest/gtest.h>

#include "views/text_region.h"

namespace {

TEST(TextRegion, PointTestExcludesRightAndBottomEdges) {
  const TVpTextRegion region{TRect{10, 10, 20, 20}};
  EXPECT_TRUE(region.Contains({10, 10}));
  EXPECT_TRUE(region.Contains({19, 19}));
  EXPECT_FALSE(region.Contains({20, 15}));
  EXPECT_FALSE(region.Contains({15, 20}));
  EXPECT_FALSE(region.Contains({9, 15}));
}

TEST(TextRegion, UnionOfRectanglesWithItsBoundingBox) {
  // An L: a band on the right over a full-width band below.
  const TVpTextRegion region{TRect{40, 0, 100, 40}, TRect{0, 40, 100, 100}};
  EXPECT_EQ(region.BoundingBox(), (TRect{0, 0, 100, 100}));
  EXPECT_FALSE(region.Contains({39, 39}));
  EXPECT_TRUE(region.Contains({40, 39}));
  EXPECT_TRUE(region.Contains({0, 40}));
}

TEST(TextRegion, EmptyRectanglesAddNothing) {
  TVpTextRegion region;
  region.Add(TRect{50, 50, 50, 80});
  region.Add(TRect{30, 30, 10, 10});
  EXPECT_TRUE(region.IsEmpty());
  EXPECT_EQ(region.BoundingBox(), TRect{});
  EXPECT_FALSE(region.Contains({0, 0}));
  region.Add(TRect{5, 6, 7, 8});
  EXPECT_EQ(region.BoundingBox(), (TRect{5, 6, 7, 8}));
}

}  // namespace
