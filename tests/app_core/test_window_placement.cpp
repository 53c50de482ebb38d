#include <gtest/gtest.h>

#include "app/core/window_placement.h"

namespace {

struct TPlacementCase {
  const char* Name;
  TRect Window;
  TRect Expected;
};

class WindowPlacement : public ::testing::TestWithParam<TPlacementCase> {};

// Two screens side by side: 1920 x 1080 and, to its right, 1280 x 1024.
const std::vector<TRect> kScreens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};

TEST_P(WindowPlacement, KeepsTheWindowReachable) {
  EXPECT_EQ(KeepOnScreens(GetParam().Window, kScreens), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlacement,
    ::testing::Values(
        TPlacementCase{"Inside", {100, 100, 600, 660}, {100, 100, 600, 660}},
        TPlacementCase{"OnTheSecondScreen", {2000, 50, 2500, 610}, {2000, 50, 2500, 610}},
        TPlacementCase{"PartlyOffButGrabbable", {1800, 900, 2300, 1460}, {1800, 900, 2300, 1460}},
        TPlacementCase{"FarRight", {5000, 100, 5500, 660}, {2700, 100, 3200, 660}},
        TPlacementCase{"AboveTheTop", {100, -700, 600, -140}, {100, 0, 600, 560}},
        TPlacementCase{"TitleAboveTheScreen", {100, -30, 600, 530}, {100, 0, 600, 560}},
        TPlacementCase{"BelowTheSecondScreen", {2100, 1030, 2600, 1590}, {2100, 464, 2600, 1024}},
        TPlacementCase{"LargerThanTheScreen", {-5000, -5000, -1000, -1000}, {0, 0, 1920, 1080}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(WindowPlacementWithoutScreens, LeavesTheWindowAlone) {
  EXPECT_EQ(KeepOnScreens({-900, -900, -400, -340}, {}), TRect({-900, -900, -400, -340}));
}

}  // namespace
