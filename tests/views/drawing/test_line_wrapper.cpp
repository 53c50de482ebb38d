#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/recording_canvas.h"
#include "views/drawing/line_wrapper.h"

// Every test here uses the recording canvas's 8-point font: lines 16 pixels high, 8 pixels a
// character. In the 100-pixel-wide rectangle (0, 0, 100, 100) the first line starts at x = 6
// with 94 pixels (11 characters) and later lines at x = 3 with 97 pixels (12 characters), on
// rows y = 3, 19, 35, ...

namespace {

// A text as the canvas received it: what and where (the logical point for ra0).
struct TDrawn {
  std::string Text;
  int X = 0;
  int Y = 0;
  friend bool operator==(const TDrawn&, const TDrawn&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TDrawn& d) {
    return out << '"' << d.Text << "\" at " << d.X << ',' << d.Y;
  }
};

std::vector<TDrawn> Drawn(const TRecordingCanvas& canvas) {
  std::vector<TDrawn> result;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) result.push_back({op.Text, op.Rect.Left, op.Rect.Top});
  return result;
}

// A font that reports no average character width: lines are measured by bisection instead and no
// stretch of the region is too narrow.
class TNoAverageWidthCanvas : public TRecordingCanvas {
 public:
  int AverageCharWidth() override { return 0; }
};

std::string Repeat(const std::string& s, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += s;
  return result;
}

const std::string EAcute = "\xC3\xA9";
const TRect Square{0, 0, 100, 100};

struct TBreakCase {
  std::string Name;
  std::string Text;
  std::vector<std::string> Lines;
};

class LineBreaks : public testing::TestWithParam<TBreakCase> {};

TEST_P(LineBreaks, EndLinesWhereTheTextAllows) {
  const TBreakCase& c = GetParam();
  TRecordingCanvas canvas;
  TNoAverageWidthCanvas bisecting;
  for (TRecordingCanvas* target : {&canvas, static_cast<TRecordingCanvas*>(&bisecting)}) {
    SCOPED_TRACE(target == &canvas ? "estimated from the average width" : "found by bisection");
    const TVpWrapResult result = RotatedWrapText(target, ra0, Square, TVpTextRegion{Square}, c.Text);
    EXPECT_EQ(target->Texts(), c.Lines);
    EXPECT_TRUE(result.AllPlaced);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Wrapping, LineBreaks,
    testing::Values(
        TBreakCase{"HyphenBetweenLettersStaysAtTheLineEnd", "abcdefg-hijklmno", {"abcdefg-", "hijklmno"}},
        TBreakCase{"HyphenAfterABlankIsAMinusSign", "abcde -fghijklmn", {"abcde", "-fghijklmn"}},
        TBreakCase{"HyphenAtTheStartIsNoBreak", "-abcdefghijklm", {"-abcdefghij", "klm"}},
        TBreakCase{"DotBeforeADigitIsADecimalPoint", "abcd 1234.5678", {"abcd", "1234.5678"}},
        TBreakCase{"DotBeforeABlankEndsASentence", "abcdefghij. xyz", {"abcdefghij.", "xyz"}},
        TBreakCase{"DotBeforeALetterBreaks", "abcdefgh.ijklmn", {"abcdefgh.", "ijklmn"}},
        TBreakCase{"TabIsABlank", "abcde\tfghijkl", {"abcde", "fghijkl"}},
        TBreakCase{"LongWordIsCutWithoutAHyphen", "abcdefghijklmnopqrstuvwxyz", {"abcdefghijk", "lmnopqrstuvw", "xyz"}},
        TBreakCase{"WordEndingAtTheLineEndStaysOnIt", "abcde fghij klm", {"abcde fghij", "klm"}},
        TBreakCase{"BlanksAtABreakAreDropped", "abcde fghij    klm  ", {"abcde fghij", "klm"}},
        TBreakCase{"LineFeedEndsALine", "ab\ncd", {"ab", "cd"}},
        TBreakCase{"CarriageReturnAndLineFeedEndALineOnce", "ab\r\ncd\ref", {"ab", "cd", "ef"}},
        TBreakCase{"LineEndAfterAFullLineAddsNoEmptyLine", "abcdefghijk \nlm", {"abcdefghijk", "lm"}},
        TBreakCase{"MultiByteCharactersAreNeverSplit", Repeat(EAcute, 13), {Repeat(EAcute, 11), Repeat(EAcute, 2)}}),
    [](const testing::TestParamInfo<TBreakCase>& info) { return info.param.Name; });

TEST(LineWrapper, FirstLineIsIndentedTwiceTheMarginLaterLinesOnce) {
  TRecordingCanvas canvas;
  RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{Square}, "abcde fghij klm\n\nxyz");
  // The empty line of the text keeps its row.
  EXPECT_EQ(Drawn(canvas), (std::vector<TDrawn>{{"abcde fghij", 6, 3}, {"klm", 3, 19}, {"xyz", 3, 51}}));
}

TEST(LineWrapper, CountsWhatWasUsedUpInCharactersAndBytes) {
  struct TCase {
    std::string Name;
    int Bottom;  // of the region (0, 0, 100, Bottom)
    std::string Text;
    TVpWrapResult Expected;
  };
  const TCase cases[] = {
      // The blank the lines break at counts as placed, so a text that fits says so.
      {"fits in two lines", 36, "abcde fghij klm", {15, 15, true}},
      {"second line does not fit", 20, "abcde fghij klmnop", {12, 12, false}},
      {"two-byte characters", 20, Repeat(EAcute, 13), {11, 22, false}},
      {"empty text", 20, "", {0, 0, true}},
      // A line needs its top row and the row below it inside the region: 3 + 16 + 1 pixels.
      {"region lower than a line", 19, "abc", {0, 0, false}},
      {"region just high enough", 20, "abc", {3, 3, true}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingCanvas canvas;
    const TVpWrapResult result =
        RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{TRect{0, 0, 100, c.Bottom}}, c.Text);
    EXPECT_EQ(result.CharactersPlaced, c.Expected.CharactersPlaced);
    EXPECT_EQ(result.BytesPlaced, c.Expected.BytesPlaced);
    EXPECT_EQ(result.AllPlaced, c.Expected.AllPlaced);
    if (c.Expected.CharactersPlaced == 0) {
      EXPECT_TRUE(canvas.Ops().empty());
    }
  }
}

TEST(LineWrapper, EmptyRegionTakesNothing) {
  TRecordingCanvas canvas;
  const TVpWrapResult result = RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{}, "abc");
  EXPECT_EQ(result.CharactersPlaced, 0);
  EXPECT_TRUE(canvas.Ops().empty());
}

TEST(LineWrapper, LShapedRegionFlowsRightOfTheNotchThenFromTheLeftEdge) {
  // The square less a 40-pixel notch at its top-left corner, where an event's icons sit.
  const TVpTextRegion region{TRect{40, 0, 100, 40}, TRect{0, 40, 100, 100}};
  TRecordingCanvas canvas;
  RotatedWrapText(&canvas, ra0, Square, region, "aaaaaa bbbbbb cccccc dddddd eeeeee");
  // Right of the notch a line has 57 pixels (7 characters); below it 97 (12 characters). The row
  // at y = 35 reaches below the notch but its top does not, so it still starts right of it.
  EXPECT_EQ(Drawn(canvas),
            (std::vector<TDrawn>{
                {"aaaaaa", 43, 3}, {"bbbbbb", 43, 19}, {"cccccc", 43, 35}, {"dddddd", 3, 51}, {"eeeeee", 3, 67}}));
}

TEST(LineWrapper, EveryWideEnoughStretchOfARowTakesALine) {
  // Two columns side by side, 60 and 80 pixels wide.
  TRecordingCanvas canvas;
  RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{TRect{0, 0, 60, 100}, TRect{70, 0, 150, 100}},
                  "aaaaa bbbbbbbb cccccc");
  EXPECT_EQ(Drawn(canvas), (std::vector<TDrawn>{{"aaaaa", 6, 3}, {"bbbbbbbb", 73, 3}, {"cccccc", 3, 19}}));
}

TEST(LineWrapper, StretchesOfFiveAverageCharactersOrLessAreSkipped) {
  // The left column is 40 pixels wide (exactly five characters), too narrow for a line.
  TRecordingCanvas canvas;
  RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{TRect{0, 0, 40, 100}, TRect{50, 0, 150, 100}},
                  "aaaaaaaaaaaa bbbb");
  EXPECT_EQ(Drawn(canvas), (std::vector<TDrawn>{{"aaaaaaaaaaaa", 53, 3}, {"bbbb", 53, 19}}));
}

TEST(LineWrapper, LineTooNarrowForOneCharacterTakesOneAnyway) {
  // Without an average width no stretch is too narrow; 2 or 5 pixels hold no 8-pixel character.
  TNoAverageWidthCanvas canvas;
  const TVpWrapResult result = RotatedWrapText(&canvas, ra0, Square, TVpTextRegion{TRect{0, 0, 8, 100}}, "abc");
  EXPECT_EQ(Drawn(canvas), (std::vector<TDrawn>{{"a", 6, 3}, {"b", 3, 19}, {"c", 3, 35}}));
  EXPECT_TRUE(result.AllPlaced);
}

// Where lines go, found pixel by pixel: from the scan position step right, at the region's right
// edge go to the next row at its left edge, until a point and the point a line height below it both
// lie in the region; stretch right while that holds; take stretches wider than five characters.
std::vector<TDrawn> LinePlacesPixelByPixel(const std::vector<TRect>& rects, int lineHeight, int minWidth) {
  auto in = [&](int x, int y) {
    for (const TRect& r : rects)
      if (r.Contains({x, y})) return true;
    return false;
  };
  auto fits = [&](int x, int y) { return in(x, y) && in(x, y + lineHeight); };
  TVpTextRegion region;
  for (const TRect& r : rects) region.Add(r);
  const TRect box = region.BoundingBox();
  std::vector<TDrawn> places;
  int x = box.Left + 3;
  int y = box.Top + 3;
  while (y + lineHeight <= box.Bottom) {
    if (x >= box.Right) {
      x = box.Left;
      y += lineHeight;
    } else if (!fits(x, y)) {
      ++x;
    } else {
      int end = x;
      while (end < box.Right && fits(end, y)) ++end;
      if (end - x > minWidth) {
        places.push_back({"", x + 3, y});
        x = end + 1;
      } else {
        ++x;
      }
    }
  }
  return places;
}

TEST(LineWrapper, LinesGoWhereAPixelByPixelScanPutsThem) {
  unsigned seed = 12345;
  auto next = [&](int limit) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<unsigned>(limit));
  };
  const std::string text = Repeat("a ", 200);
  for (int round = 0; round < 200; ++round) {
    std::vector<TRect> rects;
    for (int n = 1 + next(3); n > 0; --n) {
      const int left = next(120);
      const int top = next(120);
      rects.push_back({left, top, left + 1 + next(120), top + 1 + next(120)});
    }
    TVpTextRegion region;
    for (const TRect& r : rects) region.Add(r);
    TRecordingCanvas canvas;
    RotatedWrapText(&canvas, ra0, Square, region, text);
    std::vector<TDrawn> places = Drawn(canvas);
    for (TDrawn& place : places) place.Text.clear();
    SCOPED_TRACE(testing::Message() << "round " << round);
    EXPECT_EQ(places, LinePlacesPixelByPixel(rects, 16, 40));
  }
}

TEST(LineWrapper, LinesAreTurnedIntoTheViewport) {
  // A quarter turn of the viewport (10, 20, 110, 70): the logical frame (20, 10, 70, 110) is 50
  // wide, so a first line holds 5 characters.
  const TRect viewport{10, 20, 110, 70};
  TRecordingCanvas canvas;
  RotatedWrapText(&canvas, ra90, viewport, TVpTextRegion{RotatedViewport(ra90, viewport)}, "abcde fgh");
  // Logical (26, 13) and (23, 29) land at (120 - 13, 26) and (120 - 29, 23).
  EXPECT_EQ(Drawn(canvas), (std::vector<TDrawn>{{"abcde", 107, 26}, {"fgh", 91, 23}}));
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) EXPECT_EQ(op.Font.Orientation, 2700);
}

}  // namespace
