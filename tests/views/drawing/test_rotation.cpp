#include <gtest/gtest.h>

#include <string>

#include "views/drawing/rotation.h"

namespace {

// The viewport the rotation examples use: 100 wide, 50 high.
const TRect Viewport{10, 20, 110, 70};

struct TQuarterTurnCase {
  std::string Name;
  TVpRotationAngle Angle;
  TRect Frame;               // the logical frame of Viewport
  TPoint FrameTopLeftLands;  // the device corner the frame's top-left corner lands on
  TPoint FrameBottomRightLands;
  TPoint OnePixelInLands;  // where the frame's top-left corner moved 5 right and 1 down lands
};

class QuarterTurn : public testing::TestWithParam<TQuarterTurnCase> {};

TEST_P(QuarterTurn, MapsTheFrameOntoTheViewport) {
  const TQuarterTurnCase& c = GetParam();
  const TVpRotationAngle a = c.Angle;
  EXPECT_EQ(RotatedViewport(a, Viewport), c.Frame);
  EXPECT_EQ(RotatedViewportWidth(a, Viewport), c.Frame.Width());
  EXPECT_EQ(RotatedViewportHeight(a, Viewport), c.Frame.Height());
  EXPECT_EQ(RotatedViewportLeft(a, Viewport), c.Frame.Left);
  EXPECT_EQ(RotatedViewportTop(a, Viewport), c.Frame.Top);
  EXPECT_EQ(RotatedViewportRight(a, Viewport), c.Frame.Right);
  EXPECT_EQ(RotatedViewportBottom(a, Viewport), c.Frame.Bottom);

  EXPECT_EQ(RotatePoint(a, Viewport, {c.Frame.Left, c.Frame.Top}), c.FrameTopLeftLands);
  EXPECT_EQ(RotatePoint(a, Viewport, {c.Frame.Right, c.Frame.Bottom}), c.FrameBottomRightLands);
  EXPECT_EQ(RotatePoint(a, Viewport, {c.Frame.Left + 5, c.Frame.Top + 1}), c.OnePixelInLands);
  EXPECT_EQ(RotateRect(a, Viewport, c.Frame), Viewport);
  // A viewport given the wrong way round has the same frame, with a positive extent.
  EXPECT_EQ(RotatedViewport(a, TRect{110, 20, 10, 70}), c.Frame);
  EXPECT_EQ(RotatedViewport(a, TRect{10, 70, 110, 20}), c.Frame);
}

INSTANTIATE_TEST_SUITE_P(Rotation, QuarterTurn,
                         testing::Values(
                             // Moving right in the picture moves right, down moves down.
                             TQuarterTurnCase{"ra0", ra0, {10, 20, 110, 70}, {10, 20}, {110, 70}, {15, 21}},
                             // Right in the picture is down on the page; down in the picture is leftwards.
                             TQuarterTurnCase{"ra90", ra90, {20, 10, 70, 110}, {110, 20}, {10, 70}, {109, 25}},
                             // Right is leftwards, down is upwards.
                             TQuarterTurnCase{"ra180", ra180, {10, 20, 110, 70}, {110, 70}, {10, 20}, {105, 69}},
                             // Right is upwards, down is rightwards.
                             TQuarterTurnCase{"ra270", ra270, {20, 10, 70, 110}, {10, 70}, {110, 20}, {11, 65}}),
                         [](const testing::TestParamInfo<TQuarterTurnCase>& info) { return info.param.Name; });

TEST(Rotation, NoRotationMapsEveryPointToItself) {
  for (const TRect& viewport : {TRect{}, TRect{10, 20, 110, 70}, TRect{-50, 300, -400, 7}}) {
    for (const TPoint& p : {TPoint{0, 0}, TPoint{-3, 9}, TPoint{500, -20}}) {
      SCOPED_TRACE(testing::Message() << "point " << p.X << "," << p.Y);
      EXPECT_EQ(RotatePoint(ra0, viewport, p), p);
    }
    EXPECT_EQ(RotateRect(ra0, viewport, TRect{1, 2, 30, 40}), (TRect{1, 2, 30, 40}));
  }
}

}  // namespace
