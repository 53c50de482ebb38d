#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPalette>

#include "app/tool_bar_pictures.h"

namespace {

// The colour in the middle of the arrow's shaft, where it is solid.
QColor ShaftColor(TToolPicture arrow, QIcon::Mode mode = QIcon::Normal) {
  const QImage image = ToolBarPicture(arrow).pixmap(QSize(24, 23), 1.0, mode).toImage();
  return image.pixelColor(arrow == tpPreviousDay ? 16 : 7, 11);
}

// Without an icon theme the program draws its own arrows; they take the buttons' text colour of
// the moment, so that they show on light and dark skins alike, also on icons made before.
TEST(ToolBarPictures, TheArrowsFollowTheButtonTextOfTheSkin) {
  if (!QIcon::themeName().isEmpty() && QIcon::hasThemeIcon("go-previous")) GTEST_SKIP() << "the theme's arrows";
  const QPalette desktop = QApplication::palette();
  const QIcon madeBefore = ToolBarPicture(tpNextDay);
  for (const QColor text : {QColor(0x1E, 0x1E, 0x1E), QColor(0xE8, 0xE8, 0xE8), QColor(0xFF, 0xFF, 0x00)}) {
    SCOPED_TRACE(text.name().toStdString());
    QPalette skin = desktop;
    skin.setColor(QPalette::ButtonText, text);
    skin.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    QApplication::setPalette(skin);
    for (TToolPicture arrow : {tpPreviousDay, tpNextDay}) {
      EXPECT_EQ(ShaftColor(arrow).rgb(), text.rgb());
      EXPECT_EQ(ShaftColor(arrow, QIcon::Disabled).rgb(), QColor(0x80, 0x80, 0x80).rgb());
    }
    EXPECT_EQ(madeBefore.pixmap(QSize(24, 23)).toImage().pixelColor(7, 11).rgb(), text.rgb());
  }
  QApplication::setPalette(desktop);
}

TEST(ToolBarPictures, AnArrowPointsItsWay) {
  if (!QIcon::themeName().isEmpty() && QIcon::hasThemeIcon("go-previous")) GTEST_SKIP() << "the theme's arrows";
  // The tip is on the side the arrow points to: ink there at mid height, none at the far side.
  const QImage back = ToolBarPicture(tpPreviousDay).pixmap(QSize(24, 23), 1.0).toImage();
  const QImage next = ToolBarPicture(tpNextDay).pixmap(QSize(24, 23), 1.0).toImage();
  EXPECT_GT(back.pixelColor(5, 11).alpha(), 0);
  EXPECT_EQ(back.pixelColor(21, 11).alpha(), 0);
  EXPECT_GT(next.pixelColor(18, 11).alpha(), 0);
  EXPECT_EQ(next.pixelColor(2, 11).alpha(), 0);
}

}  // namespace
