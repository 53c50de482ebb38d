#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>

#include "app/qt_skin_target.h"
#include "app/skin_page.h"
#include "platform/qt/qt_canvas.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temporary_folder.h"

namespace {

// The Skin page over the shipped skins, shown; its favourites in a folder of their own.
class SkinPage : public ::testing::Test {
 protected:
  SkinPage() {
    engine.SetTarget(&target);
    favorites.SetFileName(folder.File("Skins.xml"));
    logic.Showing();
  }

  TTemporaryFolder folder;
  TAtomicFileWriter writer;
  TFakeMessageBoxes boxes;
  TQtSkinTarget target;
  TSkinEngine engine;
  TSkinFavorites favorites{writer};
  TSkinPageLogic logic{KORET_RESOURCES_DIR, engine, favorites, boxes};
  TSkinPage page{logic};
};

// The shipped dark skin turns every window dark at once, the views' scheme colours with it, and
// "Don't use skin" gives back the desktop's look and greys the page's controls.
TEST_F(SkinPage, TheDarkSkinColoursTheProgramAndDontUseSkinGivesTheDesktopsLook) {
  const QColor desktopWindow = QApplication::palette().color(QPalette::Window);
  auto* files = page.findChild<QListWidget*>("flbSkin");
  ASSERT_EQ(files->count(), 3);
  ASSERT_EQ(files->item(0)->text(), "Dark.skin");
  logic.FileClicked(0);
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0x35, 0x35, 0x35));
  EXPECT_EQ(TQtCanvas::QtColor(clBtnFace), QColor(0x40, 0x40, 0x40)) << "the views follow";

  page.findChild<QCheckBox*>("cbSkin")->click();
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), desktopWindow);
  EXPECT_FALSE(files->isEnabled());
}

// On the high-contrast skin (black on black for a box's fill and its surroundings) a check box's
// box still shows: its frame is drawn between the window and its text.
TEST_F(SkinPage, ACheckBoxShowsItsBoxOnABlackSkin) {
  auto* files = page.findChild<QListWidget*>("flbSkin");
  ASSERT_EQ(files->item(1)->text(), "HighContrast.skin");
  logic.FileClicked(1);
  ASSERT_EQ(QApplication::palette().color(QPalette::Window), QColor(Qt::black));
  QCheckBox box("Don't use skin");
  box.resize(box.sizeHint());
  const QImage image = box.grab().toImage();
  int lit = 0;  // pixels of the box's frame, left of the caption
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.height() && x < image.width(); ++x) lit += qGray(image.pixel(x, y)) > 60 ? 1 : 0;
  EXPECT_GT(lit, 20) << "the box is as black as the window";
  logic.SetDontUseSkin(true);
}

}  // namespace
