#include <gtest/gtest.h>

#include <climits>

#include "app/core/settings/window_placement.h"

namespace {

TWindowBounds Bounds(const TRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

struct TPlacementCase {
  const char* Name;
  TRect Window;
  TRect Expected;
};

class WindowPlacement : public ::testing::TestWithParam<TPlacementCase> {};

// Two screens side by side: 1920 x 1080 and, to its right, 1280 x 1024.
const std::vector<TRect> kScreens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};

TEST_P(WindowPlacement, KeepsTheWindowReachable) {
  EXPECT_EQ(KeepOnScreens(Bounds(GetParam().Window), kScreens), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlacement,
    ::testing::Values(TPlacementCase{"Inside", {100, 100, 600, 660}, {100, 100, 600, 660}},
                      TPlacementCase{"OnTheSecondScreen", {2000, 50, 2500, 610}, {2000, 50, 2500, 610}},
                      TPlacementCase{"PartlyOffButGrabbable", {1800, 900, 2300, 1460}, {1800, 900, 2300, 1460}},
                      TPlacementCase{"FarRight", {5000, 100, 5500, 660}, {2700, 100, 3200, 660}},
                      TPlacementCase{"AboveTheTop", {100, -700, 600, -140}, {100, 0, 600, 560}},
                      TPlacementCase{"TitleAboveTheScreen", {100, -30, 600, 530}, {100, 0, 600, 560}},
                      TPlacementCase{"BelowTheSecondScreen", {2100, 1030, 2600, 1590}, {2100, 464, 2600, 1024}},
                      TPlacementCase{"LargerThanTheScreen", {-5000, -5000, -1000, -1000}, {0, 0, 1920, 1080}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WindowPlacementWithoutScreens, LeavesTheWindowAlone) {
  EXPECT_EQ(KeepOnScreens({-900, -900, 500, 560}, {}), TRect({-900, -900, -400, -340}));
  EXPECT_EQ(KeepOnScreens({-900, -900, 500, 560}, {{0, 0, 0, 0}, {5, 5, 5, 900}}), TRect({-900, -900, -400, -340}))
      << "screens of no size do not count";
}

// Whatever the settings file holds, no sum overflows and the result is a window of sane size on
// a screen (without screens, one that ends within the range of positions).
TEST(WindowPlacement, ExtremeValuesGiveAWindowOnTheScreen) {
  struct TCase {
    const char* Name;
    TWindowBounds Window;
    std::vector<TRect> Screens;
    TRect Expected;
  };
  const std::vector<TRect> one = {{0, 0, 1920, 1080}};
  const TCase cases[] = {
      {"everything the largest", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, one, {0, 0, 1920, 1080}},
      {"everything the smallest", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, one, {0, 0, 48, 24}},
      {"far left and huge", {INT_MIN, 0, INT_MAX, INT_MAX}, one, {0, 0, 1920, 1080}},
      {"reachable but huge", {100, 100, INT_MAX, INT_MAX}, one, {100, 100, 2020, 1180}},
      {"negative size", {100, 100, -500, -1}, one, {100, 100, 148, 124}},
      {"no size", {100, 100, 0, 0}, one, {100, 100, 148, 124}},
      {"huge on the second screen", {2000, 10, INT_MAX, 900}, kScreens, {2000, 10, 3280, 910}},
      {"far right of two screens", {INT_MAX, 10, 500, 560}, kScreens, {2700, 10, 3200, 570}},
      {"a screen smaller than the title strip", {-5000, -5000, 500, 560}, {{0, 0, 20, 10}}, {0, 0, 20, 10}},
      {"no usable screen, largest",
       {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
       {{0, 0, 0, 0}},
       {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
      {"no usable screen, smallest", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {}, {INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(KeepOnScreens(c.Window, c.Screens), c.Expected);
  }
}

}  // namespace

// A frame with a 28-pixel title bar and 4-pixel borders.
constexpr TFrameMargins kFrame{4, 28, 4, 4};

// The inside of a window whose frame starts at (left, top).
TRect Inside(int left, int top, int width, int height) {
  return {left + kFrame.Left, top + kFrame.Top, left + kFrame.Left + width, top + kFrame.Top + height};
}

TEST(WorkAreaFit, KeepsTheWholeFramedWindowInTheWorkArea) {
  struct TCase {
    const char* Name;
    TRect Window;
    TRect WorkArea;
    TRect Expected;
  };
  // First start places the frame at the desktop size minus the designed 660 x 483 (and 30 more
  // up), then gives the window its stored 500 x 560.
  const TRect small{0, 0, 1280, 900}, large{0, 0, 2560, 1410};
  const TCase cases[] = {
      {"first start on a small screen", Inside(620, 387, 500, 560), small, Inside(620, 308, 500, 560)},
      {"first start on a large screen", Inside(1900, 897, 500, 560), large, Inside(1900, 818, 500, 560)},
      {"already inside", Inside(100, 100, 500, 560), small, Inside(100, 100, 500, 560)},
      {"touching every edge", Inside(0, 0, 1272, 868), small, Inside(0, 0, 1272, 868)},
      {"off the left and the top", Inside(-300, -20, 500, 560), small, Inside(0, 0, 500, 560)},
      {"larger than the work area", Inside(50, 50, 3000, 2000), small, Inside(0, 0, 1272, 868)},
      {"taller only", Inside(700, 10, 500, 1200), small, Inside(700, 0, 500, 868)},
      // Work areas of a second screen: right of the first below a 24-pixel panel, and left of it.
      {"offset screen, reaching back", Inside(1200, 0, 500, 560), {1280, 24, 2560, 1024}, Inside(1280, 24, 500, 560)},
      {"offset screen, past its end", Inside(2400, 700, 500, 560), {1280, 24, 2560, 1024}, Inside(2052, 432, 500, 560)},
      {"screen at negative places", Inside(-100, 600, 500, 560), {-1920, 0, 0, 1080}, Inside(-508, 488, 500, 560)},
      {"frame taller than the area", Inside(10, 10, 500, 560), {0, 0, 20, 20}, Inside(0, 0, 12, 1)},
      {"window of no size", Inside(10, 10, 0, 0), small, Inside(10, 10, 1, 1)},
  };
  for (const TCase& c : cases) EXPECT_EQ(KeepInsideWorkArea(c.Window, kFrame, c.WorkArea), c.Expected) << c.Name;
}

TEST(WorkAreaFit, OddMarginsAndAreas) {
  const TRect window{100, 100, 600, 660};
  EXPECT_EQ(KeepInsideWorkArea(window, {-5, -30, -5, -5}, {0, 0, 1280, 600}), TRect({100, 40, 600, 600}))
      << "negative margins count as none";
  EXPECT_EQ(KeepInsideWorkArea(window, kFrame, {0, 0, 0, 900}), window) << "an empty work area changes nothing";
  EXPECT_EQ(KeepInsideWorkArea({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kFrame, {0, 0, 1280, 900}),
            Inside(0, 0, 1272, 868));
  EXPECT_EQ(KeepInsideWorkArea({INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                               {0, 0, 1280, 900}),
            TRect({INT_MAX, INT_MAX, INT_MAX, INT_MAX}))
      << "huge margins stop at the range's end";
}
