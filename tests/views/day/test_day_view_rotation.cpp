#include <string>
#include <vector>

#include "tests/views/day/test_day_view_support.h"
#include "views/drawing/ex_canvas.h"
#include "views/drawing/rotation.h"

// A day view printed at a quarter turn is the same picture as at no turn, every point of it
// turned into the viewport.

namespace {

class DayViewRotation : public DayViewTest, public ::testing::WithParamInterface<TVpRotationAngle> {};

TEST_P(DayViewRotation, TurnsEveryDrawingOperation) {
  const TVpRotationAngle angle = GetParam();
  View->SetNumDays(2);
  View->SetShowEventTimes(true);
  AddEvent("A description long enough to wrap over more than one line of the event", At(2024, 5, 10, 9),
           At(2024, 5, 10, 10, 20));
  AddEvent("beside it", At(2024, 5, 10, 9, 30), At(2024, 5, 10, 11));
  AddEvent("next day", At(2024, 5, 11, 8, 10), At(2024, 5, 11, 9));

  const TRect viewport = (angle == ra90 || angle == ra270) ? Rect(10, 20, 310, 470) : Rect(10, 20, 460, 320);
  const TRect frame = RotatedViewport(angle, viewport);
  TRecordingCanvas upright;
  View->RenderIntoRect(&upright, frame, ra0, 1.0, View->Date(), 14, -1, gr30Min, true);
  TRecordingCanvas turned;
  View->RenderIntoRect(&turned, viewport, angle, 1.0, View->Date(), 14, -1, gr30Min, true);

  auto map = [&](TPoint p) { return RotatePoint(angle, viewport, p); };
  ASSERT_EQ(turned.Ops().size(), upright.Ops().size());
  for (size_t i = 0; i < upright.Ops().size(); ++i) {
    const TCanvasOp& a = upright.Ops()[i];
    const TCanvasOp& b = turned.Ops()[i];
    SCOPED_TRACE("operation " + std::to_string(i) + " " + a.Text);
    ASSERT_EQ(b.Kind, a.Kind);
    EXPECT_EQ(b.Clip, std::optional<TRect>(viewport));
    switch (a.Kind) {
      case TCanvasOp::opText:
        EXPECT_EQ(b.Text, a.Text);
        EXPECT_EQ((TPoint{b.Rect.Left, b.Rect.Top}), map({a.Rect.Left, a.Rect.Top}));
        EXPECT_EQ(b.Font.Orientation, RotatedFont(a.Font, angle).Orientation);
        break;
      case TCanvasOp::opLine:
      case TCanvasOp::opPolyline:
        ASSERT_EQ(b.Points.size(), a.Points.size());
        for (size_t k = 0; k < a.Points.size(); ++k) EXPECT_EQ(b.Points[k], map(a.Points[k]));
        break;
      default: EXPECT_EQ(b.Rect, RotateRect(angle, viewport, a.Rect)); EXPECT_EQ(b.Brush.Color, a.Brush.Color);
    }
  }
  EXPECT_GT(upright.OpsOf(TCanvasOp::opText).size(), 20u) << "ruler, headers and wrapped event text";
}

INSTANTIATE_TEST_SUITE_P(QuarterTurns, DayViewRotation, ::testing::Values(ra0, ra90, ra180, ra270),
                         [](const ::testing::TestParamInfo<TVpRotationAngle>& info) {
                           return "Turned" + std::to_string(90 * static_cast<int>(info.param));
                         });

}  // namespace
