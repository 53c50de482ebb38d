#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "app/core/windows/main_view_looks.h"
#include "platform/english_locale.h"
#include "platform/qt/qt_canvas.h"
#include "tests/support/fake_timers.h"
#include "views/day/day_view.h"
#include "views/day/day_view_picture.h"

// What the day view relies on from the desktop's canvas beyond its basic pixel rules: its icons
// come out pixel for pixel with their transparent parts left alone, text turned for a quarter turn
// runs down from its point, and the main window's fonts have the heights the look asks for.

namespace {

TEST(DayViewOnQt, IconsArePaintedPixelForPixel) {
  const TVpPicture picture = StandardAlarmPicture();
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(1, 2, 3));
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter, 96);
    canvas.Draw(2, 3, *picture.MakeBitmap(canvas));
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 2 && x < 18 && y >= 3 && y < 19;
      const std::optional<TColor> pixel = inside ? picture.Pixel(x - 2, y - 3) : std::nullopt;
      const QColor expected = pixel ? TQtCanvas::QtColor(*pixel) : QColor(1, 2, 3);
      ASSERT_EQ(QColor(image.pixel(x, y)), expected) << x << "," << y;
    }
  }
}

TEST(DayViewOnQt, TextTurnedAQuarterRightRunsDownFromItsPoint) {
  QImage image(40, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter, 96);
    canvas.Brush.Style = bsClear;
    canvas.Font.Size = 10;
    canvas.Font.Color = clBlack;
    canvas.Font.Orientation = 2700;
    canvas.TextOut(30, 5, "WWW");
  }
  int left = 40, right = -1, top = 60, bottom = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 40; ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  EXPECT_LE(right, 30) << "the text's top is at its point, so it lies to the left of it";
  EXPECT_GE(top, 5);
  EXPECT_GT(bottom - top, right - left) << "it reads downwards";
}

TEST(DayViewOnQt, TheMainWindowsFontsHaveTheirPixelHeights) {
  TFakeClock clock;
  TEnglishLocale locale;
  TVpDayView view(clock, locale);
  ConfigureMainDayView(view);
  EXPECT_EQ(TQtCanvas::QtFont(view.Font().Font(), 96).pixelSize(), 11);
  EXPECT_EQ(TQtCanvas::QtFont(view.HeadAttributes().Font().Font(), 96).pixelSize(), 13);
  EXPECT_EQ(TQtCanvas::QtFont(view.RowHeadAttributes().HourFont().Font(), 96).pixelSize(), 19);
  EXPECT_EQ(TQtCanvas::QtFont(view.RowHeadAttributes().MinuteFont().Font(), 96).pixelSize(), 11);
  EXPECT_EQ(view.GutterWidth(), 10) << "accepted at the view's first width";
}

}  // namespace
