#include <gtest/gtest.h>
#include <QApplication>
#include <QScreen>
#include <QWindow>
#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

// The main window on a program folder with the settings given, started as the program starts it.
class MainWindowState : public ::testing::Test {
 protected:
  void Start(const std::string& settings) {
    if (!std::filesystem::exists(Folder.Path() / "Config"))
      std::filesystem::copy(std::string(KORET_RESOURCES_DIR), Folder.Path(), std::filesystem::copy_options::recursive);
    TTemporaryFolder::Write(Folder.File("Config/Config.ini"), settings);
    Window = std::make_unique<TForm1>(Folder.Path().string(), Desktop);
    Window->Created();
    QApplication::processEvents();  // the second start-up stage
  }
  void Exit() {
    Window->ExitCommand();
    Window.reset();
  }
  std::string Settings() const { return TTemporaryFolder::Read(Folder.File("Config/Config.ini")); }
  static QRect WorkArea() { return QApplication::primaryScreen()->availableGeometry(); }
  // Whether the whole window, frame included, lies within the work area once it shows.
  bool InsideWorkArea() const {
    return RunUntil([this] { return WorkArea().contains(Window->frameGeometry()); }, 2000);
  }

  TTemporaryFolder Folder;
  TQtDesktop Desktop;
  std::unique_ptr<TForm1> Window;
};

TEST_F(MainWindowState, AMaximisedWindowComesBackMaximisedFromTheNotificationArea) {
  Start("[General]\nMFLeft=40\nMFTop=30\nWidth=500\nHeight=400\n");
  Window->showMaximized();
  ASSERT_TRUE(RunUntil([this] { return Window->isMaximized(); }, 2000));
  const QSize maximised = Window->size();
  Window->HideMainWindow();  // to the notification area
  EXPECT_FALSE(Window->isVisible());
  EXPECT_TRUE(Window->Maximized()) << "hidden, it keeps its state";
  Window->ShowMainWindow();  // the tray's restore, and a second start
  EXPECT_TRUE(RunUntil([this] { return Window->isVisible() && Window->isMaximized(); }, 2000));
  EXPECT_EQ(Window->size(), maximised);
  EXPECT_TRUE(InsideWorkArea());
}

TEST_F(MainWindowState, WhileMaximisedTheStoredPlaceIsTheOneItGoesBackTo) {
  Start("[General]\nMFLeft=40\nMFTop=30\nWidth=500\nHeight=400\n");
  ASSERT_TRUE(InsideWorkArea());
  const TRect normal = Window->Geometry();
  EXPECT_EQ(normal.Width(), 500);
  EXPECT_EQ(normal.Height(), 400);
  Window->showMaximized();
  ASSERT_TRUE(RunUntil([this] { return Window->isMaximized(); }, 2000));
  EXPECT_EQ(Window->Geometry(), normal);
  Exit();
  for (const std::string& key :
       {"MFLeft=" + std::to_string(normal.Left) + "\n", "MFTop=" + std::to_string(normal.Top) + "\n",
        std::string("Width=500\n"), std::string("Height=400\n"), std::string("Maximized=1\n")})
    EXPECT_NE(Settings().find(key), std::string::npos) << key << Settings();
}

TEST_F(MainWindowState, AWindowStoredMaximisedStartsMaximisedAndKeepsItsPlaceToGoBackTo) {
  Start("[General]\nMFLeft=40\nMFTop=30\nWidth=500\nHeight=400\nMaximized=1\n");
  EXPECT_TRUE(RunUntil([this] { return Window->isVisible() && Window->isMaximized(); }, 2000));
  EXPECT_TRUE(InsideWorkArea());
  EXPECT_EQ(Window->Geometry(), TRect({40, 30, 540, 430})) << "the place it goes back to";
}

TEST_F(MainWindowState, AWindowStoredMaximisedAndStartedInTheTrayShowsMaximised) {
  Start("[General]\nStartMinimized=1\nMFLeft=40\nMFTop=30\nWidth=500\nHeight=400\nMaximized=1\n");
  EXPECT_TRUE(!Window->isVisible() || Window->isMinimized()) << "in the notification area, or minimised without one";
  EXPECT_TRUE(Window->Maximized());
  Window->ShowMainWindow();
  EXPECT_TRUE(RunUntil([this] { return Window->isVisible() && Window->isMaximized(); }, 2000));
}

// Stored places whose frame reaches past an edge of the work area (a window saved while it
// filled the screen, a screen that became smaller): the whole window comes back inside it.
TEST_F(MainWindowState, ARestoredWindowLiesWithinTheWorkAreaFrameIncluded) {
  const QRect area = WorkArea();
  const struct {
    const char* Name;
    int Left, Top, Width, Height;
  } cases[] = {
      {"the screen's size", area.left(), area.top(), area.width(), area.height()},
      {"past the bottom", 40, area.bottom() - 300, 500, 560},
      {"past the right", area.right() - 200, 40, 500, 300},
      {"above the top", 40, area.top() - 10, 500, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Start("[General]\nMFLeft=" + std::to_string(c.Left) + "\nMFTop=" + std::to_string(c.Top) +
          "\nWidth=" + std::to_string(c.Width) + "\nHeight=" + std::to_string(c.Height) + "\n");
    EXPECT_TRUE(InsideWorkArea()) << Window->frameGeometry().bottom() << " " << area.bottom();
    Window->HideMainWindow();
    Window->move(area.left() + 20, area.bottom() - 50);  // the screen changed while it was hidden
    Window->ShowMainWindow();
    EXPECT_TRUE(InsideWorkArea()) << "restored from the notification area";
    Exit();
  }
}

}  // namespace
