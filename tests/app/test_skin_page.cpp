#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

#include "app/qt_skin_target.h"
#include "app/skin_page.h"
#include "platform/qt/qt_canvas.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temporary_folder.h"

namespace {

// The shipped dark skin turns every window dark at once, the views' scheme colours with it, and
// "Don't use skin" gives back the desktop's look and greys the page's controls.
TEST(SkinPage, TheDarkSkinColoursTheProgramAndDontUseSkinGivesTheDesktopsLook) {
  const QColor desktopWindow = QApplication::palette().color(QPalette::Window);
  TTemporaryFolder folder;
  TAtomicFileWriter writer;
  TFakeMessageBoxes boxes;
  TQtSkinTarget target;
  TSkinEngine engine;
  engine.SetTarget(&target);
  TSkinFavorites favorites(writer);
  favorites.SetFileName(folder.File("Skins.xml"));
  TSkinPageLogic logic(KORET_RESOURCES_DIR, engine, favorites, boxes);
  TSkinPage page(logic);
  logic.Showing();
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

}  // namespace
