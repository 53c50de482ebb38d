#include <gtest/gtest.h>

#include <string>

#include "dialogs/base_dialog.h"
#include "dialogs/dialog_placement.h"

namespace {

TVpDialogPlacement Placed(TVpDialogPosition position, int left = 10, int top = 10) {
  TVpDialogPlacement placement;
  placement.Position = position;
  placement.Left = left;
  placement.Top = top;
  return placement;
}

struct TPositionCase {
  const char* Name;
  TVpDialogPlacement Placement;
  TRect Screen;
  TPoint Size;
  TPoint Expected;
};

class DialogPositionTable : public ::testing::TestWithParam<TPositionCase> {};

TEST_P(DialogPositionTable, OpensWhereThePlacementSaysAndStaysOnTheScreen) {
  const TPositionCase& c = GetParam();
  EXPECT_EQ(DialogPosition(c.Placement, c.Screen, c.Size), c.Expected);
}

const TRect kFullHd{0, 0, 1920, 1080};

INSTANTIATE_TEST_SUITE_P(
    Placement, DialogPositionTable,
    ::testing::Values(
        TPositionCase{"Centred", Placed(mpCenter), kFullHd, {584, 378}, {668, 351}},
        // The spare height is 702 pixels: a third of it lies above the window.
        TPositionCase{"CentredAcrossTopAThirdDown", Placed(mpCenterTop), kFullHd, {584, 378}, {668, 234}},
        TPositionCase{"OnASecondScreen", Placed(mpCenterTop), {1920, 100, 3200, 1124}, {584, 378}, {2268, 315}},
        TPositionCase{"Custom", Placed(mpCustom, 100, 50), kFullHd, {584, 378}, {100, 50}},
        TPositionCase{
            "CustomBeyondTheRightAndAboveTheTop", Placed(mpCustom, 5000, -300), kFullHd, {584, 378}, {1336, 0}},
        TPositionCase{
            "LargerThanTheScreenKeepsItsCornerOnIt", Placed(mpCenter), {0, 0, 800, 600}, {1000, 700}, {0, 0}}),
    [](const ::testing::TestParamInfo<TPositionCase>& info) { return std::string(info.param.Name); });

TEST(DialogSize, AFixedWindowKeepsItsOwnSizeAndASizeableOneTakesThePlacementsWithinItsLimits) {
  TVpDialogPlacement placement;  // 400 x 250
  EXPECT_EQ(DialogSize(placement, {557, 374}, {557, 374}), (TPoint{557, 374}));
  EXPECT_EQ(DialogSize(placement, {300, 200}, {4000, 4000}), (TPoint{400, 250}));
  EXPECT_EQ(DialogSize(placement, {450, 300}, {4000, 4000}), (TPoint{450, 300}));
  EXPECT_EQ(DialogSize(placement, {100, 100}, {350, 200}), (TPoint{350, 200}));
}

TEST(DialogCaption, IsTheNameAndTheKindWithUntitledForNoName) {
  EXPECT_EQ(DialogCaption("Lunch with Ann", "Event"), "Lunch with Ann - Event");
  EXPECT_EQ(DialogCaption("", "Event"), "Untitled - Event");
}

}  // namespace
