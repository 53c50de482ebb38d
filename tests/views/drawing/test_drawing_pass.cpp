#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/support/recording_canvas.h"
#include "views/drawing/drawing_pass.h"

namespace {

// A pass that draws what a test asks for through the toolkit's helpers.
class TProbePass : public TVpDrawingPass {
 public:
  TProbePass(TCanvas& canvas, const TRect& viewport, TVpRotationAngle angle)
      : TVpDrawingPass(canvas, viewport, angle, false) {}
  using TVpDrawingPass::Bevel;
  using TVpDrawingPass::Canvas;
  using TVpDrawingPass::Fill;
  using TVpDrawingPass::Frame;
  using TVpDrawingPass::Text;
};

TEST(DrawingPass, BevelTurnsWithThePass) {
  // Half a turn in (10, 20)-(110, 70) maps (x, y) to (120 - x, 90 - y): the light edges of the
  // logical frame's top and left land at the bottom and right of the device.
  TRecordingCanvas canvas;
  TProbePass(canvas, {110, 70, 10, 20}, ra180).Bevel({12, 22, 32, 42}, clWhite, clGray);
  struct TLine {
    TPoint From, To;
    TColor Color;
  };
  const std::vector<TLine> expected = {{{108, 48}, {108, 68}, clWhite},
                                       {{108, 68}, {88, 68}, clWhite},
                                       {{88, 68}, {88, 48}, clGray},
                                       {{88, 48}, {108, 48}, clGray}};
  const std::vector<TCanvasOp> lines = canvas.OpsOf(TCanvasOp::opLine);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].Points, (std::vector<TPoint>{expected[i].From, expected[i].To})) << "edge " << i;
    EXPECT_EQ(lines[i].Pen.Color, expected[i].Color) << "edge " << i;
  }
}

TEST(DrawingPass, TheFrameOfAQuarterTurnIsTheViewportTurned) {
  TRecordingCanvas canvas;
  EXPECT_EQ(TProbePass(canvas, {10, 20, 110, 70}, ra90).Frame(), (TRect{20, 10, 70, 110}));
  EXPECT_EQ(TProbePass(canvas, {110, 70, 10, 20}, ra180).Frame(), (TRect{10, 20, 110, 70}));
}

TEST(DrawingPass, TheCanvasGetsItsStateBackOnEveryPath) {
  TRecordingCanvas canvas;
  canvas.Pen = TPen{clRed, 3, psDash, pmCopy};
  canvas.Brush = TBrush{clYellow, bsClear};
  canvas.Font.Name = "Serif";
  canvas.SetClipRect(TRect{1, 2, 3, 4});
  const TPen pen = canvas.Pen;
  const TBrush brush = canvas.Brush;
  const TFont font = canvas.Font;
  auto expectRestored = [&](const char* path) {
    EXPECT_EQ(canvas.Pen, pen) << path;
    EXPECT_EQ(canvas.Brush, brush) << path;
    EXPECT_EQ(canvas.Font.Name, font.Name) << path;
    EXPECT_EQ(canvas.ClipRect(), std::optional<TRect>(TRect{1, 2, 3, 4})) << path;
  };
  auto draw = [](TProbePass& pass) {
    pass.Fill({0, 0, 5, 5}, clBlue);
    pass.Bevel({0, 0, 5, 5}, clWhite, clBlack);
    pass.Text(0, 0, "x", TFont{"Mono", 12});
    pass.Canvas().SetClipRect(std::nullopt);
  };
  {
    TProbePass pass(canvas, {0, 0, 50, 50}, ra270);
    draw(pass);
  }
  expectRestored("drawn to the end");
  EXPECT_THROW(
      {
        TProbePass pass(canvas, {0, 0, 50, 50}, ra0);
        draw(pass);
        throw std::runtime_error("drawing failed");
      },
      std::runtime_error);
  expectRestored("left by an exception");
}

}  // namespace
