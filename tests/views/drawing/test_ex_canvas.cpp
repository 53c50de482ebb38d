#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/recording_canvas.h"
#include "views/drawing/canvas_error.h"
#include "views/drawing/ex_canvas.h"
#include "views/drawing/line_wrapper.h"

namespace {

const TRect Viewport{10, 20, 110, 70};

// A canvas whose text output fails, as a printer might half-way through a page.
class TFailingTextCanvas : public TRecordingCanvas {
 public:
  void TextOut(int, int, std::string_view) override { throw std::runtime_error("printer gone"); }
};

TEST(ExCanvas, EveryRoutineWithoutACanvasRaisesTheCanvasError) {
  // Shapes, text, text that is measured first, and wrapping all look for the canvas first.
  const std::vector<std::pair<std::string, std::function<void()>>> routines = {
      {"Rectangle",
       [] {
         TVpExCanvas(nullptr, ra90, Viewport).Rectangle(TRect{1, 2, 3, 4});
       }},
      {"LineTo", [] { TVpExCanvas(nullptr, ra0, Viewport).LineTo(1, 2); }},
      {"TextOutDevice", [] { TVpExCanvas(nullptr, ra0, Viewport).TextOutDevice(1, 2, "a"); }},
      {"CenteredTextOut",
       [] {
         TVpExCanvas(nullptr, ra0, Viewport).CenteredTextOut(TRect{1, 2, 3, 4}, "a");
       }},
      {"WrapText",
       [] {
         RotatedWrapText(nullptr, ra0, Viewport, TVpTextRegion{TRect{0, 0, 99, 99}}, "a");
       }},
      {"default context",
       [] {
         TVpExCanvas().FillRect(TRect{1, 2, 3, 4});
       }},
  };
  for (const auto& [name, routine] : routines) {
    SCOPED_TRACE(name);
    try {
      routine();
      ADD_FAILURE() << "no error raised";
    } catch (const EVpCanvasError& e) {
      EXPECT_STREQ(e.what(), "TCanvas not assigned");
    }
  }
}

TEST(ExCanvas, ShapesAreMappedIntoTheViewport) {
  TRecordingCanvas canvas;
  // A rectangle in the logical frame of a quarter turn: (30,15)-(40,35) lands at (85,30)-(105,40).
  const TRect logical{30, 15, 40, 35};
  const TRect device{85, 30, 105, 40};
  const TVpExCanvas ex(&canvas, ra90, Viewport);
  ex.FillRect(logical);
  ex.Rectangle(logical);
  ex.Rectangle(40, 35, 30, 15);  // corners given the other way round
  ex.FocusRect(logical);
  ex.MoveTo(20, 10);
  ex.LineTo(70, 110);
  const TPoint points[] = {{20, 10}, {25, 11}, {70, 110}};
  ex.Polyline(points);

  const auto& ops = canvas.Ops();
  ASSERT_EQ(ops.size(), 6u);
  EXPECT_EQ(ops[0].Kind, TCanvasOp::opFillRect);
  EXPECT_EQ(ops[0].Rect, device);
  EXPECT_EQ(ops[1].Kind, TCanvasOp::opRectangle);
  EXPECT_EQ(ops[1].Rect, device);
  EXPECT_EQ(ops[2].Rect, device);
  EXPECT_EQ(ops[3].Kind, TCanvasOp::opFocusRect);
  EXPECT_EQ(ops[3].Rect, device);
  EXPECT_EQ(ops[4].Kind, TCanvasOp::opLine);
  EXPECT_EQ(ops[4].Points, (std::vector<TPoint>{{110, 20}, {10, 70}}));
  EXPECT_EQ(ops[5].Kind, TCanvasOp::opPolyline);
  EXPECT_EQ(ops[5].Points, (std::vector<TPoint>{{110, 20}, {109, 25}, {10, 70}}));
}

struct TTextTurnCase {
  std::string Name;
  TVpRotationAngle Angle;
  int Orientation;  // tenths of a degree, counter-clockwise
  TPoint At;        // where logical (25, 11) lands
};

class RotatedText : public testing::TestWithParam<TTextTurnCase> {};

TEST_P(RotatedText, DrawsInTheTurnedFontOnAClearBackgroundAndRestoresTheCanvas) {
  const TTextTurnCase& c = GetParam();
  TRecordingCanvas canvas;
  canvas.Font.Name = "Serif";
  canvas.Font.Style = fsBold | fsItalic | fsUnderline;
  canvas.Font.Pitch = fpFixed;
  canvas.Brush.Style = bsSolid;
  const TFont callerFont = canvas.Font;

  TVpExCanvas(&canvas, c.Angle, Viewport).TextOut(25, 11, "Lunch");
  TVpExCanvas(&canvas, c.Angle, Viewport).TextOutDevice(25, 11, "Lunch");

  const auto texts = canvas.OpsOf(TCanvasOp::opText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ((TPoint{texts[0].Rect.Left, texts[0].Rect.Top}), c.At);
  EXPECT_EQ((TPoint{texts[1].Rect.Left, texts[1].Rect.Top}), (TPoint{25, 11}));
  for (const TCanvasOp& op : texts) {
    EXPECT_EQ(op.Font.Orientation, c.Orientation);
    EXPECT_EQ(op.Font.Name, "Serif");
    EXPECT_EQ(op.Font.Style, callerFont.Style);
    EXPECT_EQ(op.Font.Pitch, fpFixed);
    EXPECT_EQ(op.Font.Size, callerFont.Size);
    EXPECT_EQ(op.Brush.Style, bsClear);
  }
  EXPECT_EQ(canvas.Font, callerFont);
  EXPECT_EQ(canvas.Brush.Style, bsSolid);
}

INSTANTIATE_TEST_SUITE_P(Rotation, RotatedText,
                         testing::Values(TTextTurnCase{"ra0", ra0, 0, {25, 11}},
                                         TTextTurnCase{"ra90", ra90, 2700, {109, 25}},
                                         TTextTurnCase{"ra180", ra180, 1800, {95, 79}},
                                         TTextTurnCase{"ra270", ra270, 900, {11, 65}}),
                         [](const testing::TestParamInfo<TTextTurnCase>& info) { return info.param.Name; });

TEST(RotatedText, FaceNamesOf32CharactersOrMoreAreLeftEmpty) {
  TFont font;
  font.Name = std::string(31, 'F');
  EXPECT_EQ(RotatedFont(font, ra90).Name, font.Name);
  font.Name = std::string(32, 'F');
  EXPECT_EQ(RotatedFont(font, ra90).Name, "");
  // Counted in characters, not bytes: 31 two-byte letters are a short name.
  font.Name.clear();
  for (int i = 0; i < 31; ++i) font.Name += "\xC3\xA9";
  EXPECT_EQ(RotatedFont(font, ra0).Name, font.Name);
}

TEST(RotatedText, CanvasIsRestoredWhenTheOutputFails) {
  TFailingTextCanvas canvas;
  canvas.Brush.Style = bsSolid;
  canvas.Font.Name = std::string(40, 'F');
  const TFont callerFont = canvas.Font;
  EXPECT_THROW(TVpExCanvas(&canvas, ra270, Viewport).TextOut(1, 1, "x"), std::runtime_error);
  EXPECT_THROW(RotatedWrapText(&canvas, ra0, Viewport, TVpTextRegion{TRect{0, 0, 99, 99}}, "x"), std::runtime_error);
  EXPECT_EQ(canvas.Brush.Style, bsSolid);
  EXPECT_EQ(canvas.Font, callerFont);
}

TEST(RotatedText, CentredTextStartsAtTheLeftEdgeWhenItDoesNotFit) {
  struct TCase {
    std::string Name;
    std::string Text;  // 8 pixels a character
    int Right;         // of a rectangle from x = 10
    int Left;          // where the text starts
  };
  const TCase cases[] = {
      {"narrower", "Mon", 50, 10 + (40 - 24) / 2},
      {"narrower by an odd gap, rounded left", "Mon", 51, 10 + 17 / 2},
      {"as wide", "abcde", 50, 10},
      {"wider", "Wednesday", 50, 10},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingCanvas canvas;
    TVpExCanvas(&canvas, ra0, Viewport).CenteredTextOut(TRect{10, 30, c.Right, 46}, c.Text);
    const auto texts = canvas.OpsOf(TCanvasOp::opText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Rect.Left, c.Left);
    EXPECT_EQ(texts[0].Rect.Top, 30);
  }
}

TEST(RotatedText, CentredTextIsCentredInTheLogicalFrameThenMapped) {
  TRecordingCanvas canvas;
  // "Mon" (24 wide) centred in a 40-wide logical rectangle starts 8 in: logical (28, 15).
  TVpExCanvas(&canvas, ra180, Viewport).CenteredTextOut(TRect{20, 15, 60, 31}, "Mon");
  const TCanvasOp* op = canvas.FindText("Mon");
  ASSERT_NE(op, nullptr);
  EXPECT_EQ((TPoint{op->Rect.Left, op->Rect.Top}), (TPoint{120 - 28, 90 - 15}));
  EXPECT_EQ(op->Font.Orientation, 1800);
}

}  // namespace
