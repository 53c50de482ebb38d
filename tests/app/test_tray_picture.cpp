#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPalette>

#include "app/tray_icon.h"
#include "platform/geometry.h"

namespace {

// The columns and rows where the day's digits left their ink (pixels darker than the page).
TRect InkBounds(const QImage& image) {
  TRect r{100, 100, -1, -1};
  for (int y = 4; y < 15; ++y)
    for (int x = 1; x < 15; ++x)
      if (qGray(image.pixel(x, y)) < 160) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

TEST(TrayPicture, ShowsTheDayCentredOnAPageWithTransparentCorners) {
  for (const char* day : {"7", "27"}) {
    SCOPED_TRACE(day);
    const QImage image = TTrayIcon::Picture(day);
    ASSERT_EQ(image.size(), QSize(16, 16));
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)})
      EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << "corner " << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(image.pixel(8, 12)), 255) << "the page is opaque";
    EXPECT_EQ(image.pixel(0, 8), qRgb(0x42, 0x59, 0x73)) << "the frame";
    const TRect ink = InkBounds(image);
    ASSERT_LT(ink.Left, ink.Right) << "no digits drawn";
    const int leftMargin = ink.Left - 1;
    const int rightMargin = 15 - ink.Right;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 2)
        << "centred: " << leftMargin << " left, " << rightMargin << " right";
  }
  EXPECT_GT(InkBounds(TTrayIcon::Picture("27")).Width(), InkBounds(TTrayIcon::Picture("7")).Width());
}

// Under a dark skin the window-text colour is as light as the page: the day must still show.
TEST(TrayPicture, TheDayShowsUnderEverySkin) {
  const QPalette desktop = QApplication::palette();
  for (const QColor text : {QColor(Qt::black), QColor(0xE8, 0xE8, 0xE8), QColor(Qt::white), QColor(Qt::yellow)}) {
    SCOPED_TRACE(text.name().toStdString());
    QPalette skin = desktop;
    skin.setColor(QPalette::WindowText, text);
    skin.setColor(QPalette::Text, text);
    skin.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    QApplication::setPalette(skin);
    const TRect ink = InkBounds(TTrayIcon::Picture("27"));
    EXPECT_LT(ink.Left, ink.Right) << "no digits to see";
  }
  QApplication::setPalette(desktop);
}

TEST(TrayPicture, BeforeTheClockSetsATextThePageIsEmpty) { EXPECT_GT(InkBounds(TTrayIcon::Picture("")).Left, 15); }

}  // namespace
