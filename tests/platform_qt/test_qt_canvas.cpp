#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "platform/qt/qt_canvas.h"

namespace {

// Paints on a white 40 x 30 image and reads back which pixels changed.
class QtCanvasProbe : public ::testing::Test {
 protected:
  QtCanvasProbe() : Image_(40, 30, QImage::Format_RGB32) { Image_.fill(Qt::white); }

  template <typename Draw>
  void Paint(Draw draw) {
    QPainter painter(&Image_);
    TQtCanvas canvas(painter, 96);
    draw(canvas);
  }

  // The painted pixels as a set of "x,y" rows, for exact comparison.
  std::vector<TPoint> Painted() const {
    std::vector<TPoint> points;
    for (int y = 0; y < Image_.height(); ++y)
      for (int x = 0; x < Image_.width(); ++x)
        if (Image_.pixel(x, y) != qRgb(255, 255, 255)) points.push_back({x, y});
    return points;
  }

  TRect Bounds() const {
    TRect r{1000, 1000, -1, -1};
    for (const TPoint& p : Painted()) {
      r.Left = std::min(r.Left, p.X);
      r.Top = std::min(r.Top, p.Y);
      r.Right = std::max(r.Right, p.X + 1);
      r.Bottom = std::max(r.Bottom, p.Y + 1);
    }
    return r;
  }

  QImage Image_;
};

TEST_F(QtCanvasProbe, FillRectLeavesOutRightAndBottomEdges) {
  Paint([](TCanvas& c) {
    c.Brush.Color = clRed;
    c.FillRect(Rect(2, 3, 7, 9));
  });
  EXPECT_EQ(Painted().size(), 5u * 6u);
  EXPECT_EQ(Bounds(), Rect(2, 3, 7, 9));
  EXPECT_EQ(Image_.pixel(2, 3), qRgb(255, 0, 0));
}

TEST_F(QtCanvasProbe, RectangleOutlineStaysInside) {
  Paint([](TCanvas& c) {
    c.Brush.Style = bsClear;
    c.Pen.Color = clBlack;
    c.Rectangle(Rect(5, 5, 15, 10));
  });
  EXPECT_EQ(Bounds(), Rect(5, 5, 15, 10));
  EXPECT_EQ(Painted().size(), 2u * 10u + 2u * 3u);  // two rows of 10, two columns of 3 between
  EXPECT_EQ(Image_.pixel(14, 9), qRgb(0, 0, 0));
  EXPECT_EQ(Image_.pixel(10, 7), qRgb(255, 255, 255));
}

TEST_F(QtCanvasProbe, RectangleFillsItsInteriorWithTheBrush) {
  Paint([](TCanvas& c) {
    c.Brush.Color = clBlue;
    c.Pen.Color = clBlack;
    c.Rectangle(Rect(5, 5, 15, 10));
  });
  EXPECT_EQ(Painted().size(), 50u);
  EXPECT_EQ(Image_.pixel(10, 7), qRgb(0, 0, 255));
}

TEST_F(QtCanvasProbe, LinesLeaveOutTheirEndPoint) {
  Paint([](TCanvas& c) {
    c.MoveTo(3, 4);
    c.LineTo(13, 4);  // horizontal: x 3..12
    c.MoveTo(20, 2);
    c.LineTo(20, 12);  // vertical: y 2..11
  });
  EXPECT_EQ(Painted().size(), 20u);
  EXPECT_NE(Image_.pixel(12, 4), qRgb(255, 255, 255));
  EXPECT_EQ(Image_.pixel(13, 4), qRgb(255, 255, 255));
  EXPECT_NE(Image_.pixel(20, 11), qRgb(255, 255, 255));
  EXPECT_EQ(Image_.pixel(20, 12), qRgb(255, 255, 255));
}

TEST_F(QtCanvasProbe, DiagonalLinesAndPolylinesLeaveOutTheLastPoint) {
  Paint([](TCanvas& c) {
    c.MoveTo(0, 0);
    c.LineTo(5, 5);  // (0,0) to (4,4)
    const TPoint corner[] = {{10, 10}, {15, 10}, {15, 15}};
    c.Polyline(corner);  // x 10..14 on row 10, then y 10..14 on column 15
  });
  EXPECT_EQ(Painted().size(), 5u + 5u + 5u);
  EXPECT_NE(Image_.pixel(4, 4), qRgb(255, 255, 255));
  EXPECT_EQ(Image_.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(Image_.pixel(15, 15), qRgb(255, 255, 255));
}

TEST_F(QtCanvasProbe, TextIsPlacedByItsTopLeftCorner) {
  int width = 0;
  int height = 0;
  Paint([&](TCanvas& c) {
    c.Brush.Style = bsClear;
    c.Font.Size = 12;
    c.Font.Color = clBlack;
    width = c.TextWidth("Wg");
    height = c.TextHeight("Wg");
    c.TextOut(4, 5, "Wg");
  });
  const TRect ink = Bounds();
  EXPECT_GE(ink.Left, 4);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Right, 4 + width + 1);
  EXPECT_LE(ink.Bottom, 5 + height);
}

TEST_F(QtCanvasProbe, TextWithASolidBrushFillsItsCell) {
  int width = 0;
  int height = 0;
  Paint([&](TCanvas& c) {
    c.Brush.Color = clYellow;
    c.Font.Size = 8;
    width = c.TextWidth("ab");
    height = c.TextHeight("ab");
    c.TextOut(0, 0, "ab");
  });
  EXPECT_EQ(Bounds(), Rect(0, 0, width, height));
}

TEST_F(QtCanvasProbe, QuarterTurnedTextRunsUpFromItsPoint) {
  Paint([](TCanvas& c) {
    c.Brush.Style = bsClear;
    c.Font.Size = 10;
    c.Font.Orientation = 900;
    c.TextOut(5, 28, "WWW");
  });
  const TRect ink = Bounds();
  EXPECT_GE(ink.Left, 5);
  EXPECT_LE(ink.Bottom, 29);
  EXPECT_GT(ink.Height(), ink.Width()) << "the text reads bottom to top";
}

TEST_F(QtCanvasProbe, ClipLimitsDrawing) {
  Paint([](TCanvas& c) {
    c.Brush.Color = clRed;
    c.SetClipRect(Rect(0, 0, 10, 10));
    c.FillRect(Rect(5, 5, 20, 20));
    c.SetClipRect(std::nullopt);
    c.FillRect(Rect(30, 20, 32, 22));
  });
  EXPECT_EQ(Painted().size(), 25u + 4u);
}

TEST_F(QtCanvasProbe, BitmapsAreStretchedAndKeepTheirTransparentColour) {
  Paint([](TCanvas& c) {
    auto bitmap = c.CreateBitmap(2, 2);
    bitmap->Canvas().Brush.Color = clFuchsia;
    bitmap->Canvas().FillRect(Rect(0, 0, 2, 2));
    bitmap->Canvas().Brush.Color = clBlack;
    bitmap->Canvas().FillRect(Rect(0, 0, 1, 1));
    bitmap->TransparentColor = clFuchsia;
    c.StretchDraw(Rect(10, 10, 14, 14), *bitmap);  // the black pixel becomes 2 x 2
  });
  EXPECT_EQ(Bounds(), Rect(10, 10, 12, 12));
  EXPECT_EQ(Painted().size(), 4u);
}

TEST(QtCanvas, FontSizeFollowsTheResolution) {
  TFont font;
  font.Size = 9;
  EXPECT_EQ(TQtCanvas::QtFont(font, 96).pixelSize(), 12);
  EXPECT_EQ(TQtCanvas::QtFont(font, 600).pixelSize(), 75);
  font.Style = fsBold | fsItalic;
  EXPECT_TRUE(TQtCanvas::QtFont(font, 96).bold());
  EXPECT_TRUE(TQtCanvas::QtFont(font, 96).italic());
}

TEST(QtCanvas, PlainColoursKeepTheirComponents) {
  EXPECT_EQ(TQtCanvas::QtColor(RGB(1, 2, 3)), QColor(1, 2, 3));
  EXPECT_EQ(TQtCanvas::QtColor(clBlue), QColor(0, 0, 255));
}

// Scheme colours follow the program's palette (the skin) on screen, but paper stays white: a
// printed or previewed page, and any bitmap made from its canvas, draws them in their plain colours.
TEST(QtCanvasScheme, ScreenFollowsThePaletteAndPaperKeepsThePlainColours) {
  const QPalette desktop = QGuiApplication::palette();
  QPalette dark = desktop;
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  QGuiApplication::setPalette(dark);
  EXPECT_EQ(TQtCanvas::QtColor(clWindow), QColor(20, 20, 20));
  EXPECT_EQ(TQtCanvas::QtColor(clWindow, qcsPaper), QColor(255, 255, 255));
  TQtBitmap page(4, 4, 96, qcsPaper);
  const std::unique_ptr<TBitmap> cell = page.Canvas().CreateBitmap(2, 2);
  cell->Canvas().Brush.Color = clWindow;
  cell->Canvas().FillRect({0, 0, 2, 2});
  EXPECT_EQ(static_cast<const TQtBitmap&>(*cell).Image().pixel(0, 0), qRgb(255, 255, 255));
  QGuiApplication::setPalette(desktop);
}

}  // namespace
