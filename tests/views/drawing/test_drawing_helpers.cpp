#include <gtest/gtest.h>

#include "tests/support/recording_canvas.h"
#include "views/drawing/drawing_helpers.h"

namespace {

// The recording canvas at 96 dpi with an 8-point font: every code point is 8 pixels wide and
// "..." is 24.
struct TEllipsisCase {
  const char* Name;
  const char* Text;
  int MinChars;
  int MaxWidth;
  const char* Expected;
};

class Ellipsis : public ::testing::TestWithParam<TEllipsisCase> {};

TEST_P(Ellipsis, Fits) {
  TRecordingCanvas canvas;
  const TEllipsisCase& c = GetParam();
  EXPECT_EQ(EllipsisFit(canvas, c.Text, c.MinChars, c.MaxWidth), c.Expected);
  EXPECT_TRUE(canvas.Ops().empty()) << "measuring draws nothing";
}

INSTANTIATE_TEST_SUITE_P(
    DrawingHelpers, Ellipsis,
    ::testing::Values(TEllipsisCase{"FitsUnchanged", "Lunch", 0, 40, "Lunch"},
                      TEllipsisCase{"Shortened", "Lunch with Alpha", 0, 80, "Lunch w..."},
                      TEllipsisCase{"WholeCharactersOnly", "Lunch with Alpha", 0, 87, "Lunch w..."},
                      TEllipsisCase{"MinimumKeptThenDotsGo", "Lunch with Alpha", 3, 24, "Lun"},
                      TEllipsisCase{"MinimumKeptSomeDotsStay", "Lunch with Alpha", 3, 32, "Lun."},
                      TEllipsisCase{"NothingButDots", "Lunch", 0, 24, "..."},
                      TEllipsisCase{"OneDotLeft", "Lunch", 0, 8, "."},
                      TEllipsisCase{"AtMostThreeMoreGo", "Lunch", 0, 4, ""},
                      TEllipsisCase{"MinimumLongerThanText", "Lunch", 9, 16, "Lunch"},
                      TEllipsisCase{"WholeCodePoints", "\xC3\x89mile \xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 0, 64,
                                    "\xC3\x89mile..."},
                      TEllipsisCase{"CutBetweenMultiByteCharacters",
                                    "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 0, 40,
                                    "\xE2\x82\xAC\xE2\x82\xAC..."}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DrawingHelpers, BevelFrameDrawsTopLeftThenBottomRight) {
  TRecordingCanvas canvas;
  DrawBevelFrame(canvas, Rect(10, 20, 110, 70), clWhite, clGray);
  const std::vector<TCanvasOp> lines = canvas.OpsOf(TCanvasOp::opLine);
  ASSERT_EQ(lines.size(), 4u);
  const TPoint expected[][2] = {
      {{10, 70}, {10, 20}}, {{10, 20}, {110, 20}}, {{110, 20}, {110, 70}}, {{110, 70}, {10, 70}}};
  const TColor colors[] = {clWhite, clWhite, clGray, clGray};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].Points, (std::vector<TPoint>{expected[i][0], expected[i][1]}));
    EXPECT_EQ(lines[i].Pen.Color, colors[i]);
  }
}

TEST(DrawingHelpers, PointWithinIncludesEveryEdge) {
  const TRect r = Rect(10, 20, 30, 40);
  EXPECT_TRUE(PointWithin({10, 20}, r));
  EXPECT_TRUE(PointWithin({30, 40}, r));
  EXPECT_FALSE(PointWithin({31, 40}, r));
  EXPECT_FALSE(PointWithin({10, 19}, r));
}

}  // namespace
