#include <gtest/gtest.h>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

#include "dialogs/qt/sound_dialog.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_timers.h"
#include "tests/support/temporary_folder.h"

namespace {

class SoundFinderWindow : public ::testing::Test {
 protected:
  SoundFinderWindow() {
    for (const char* name : {"b.wav", "A.WAV", "c.txt"}) TTemporaryFolder::Write(Folder.File(name), "RIFF");
  }
  TTemporaryFolder Folder;
  TFakeClock Clock;
  TFakeTimers Timers{Clock};
  TFakeSoundPlayer Player;
  TVpSoundFinderRules Form{Player, Timers, Folder.Path().string()};
};

TEST_F(SoundFinderWindow, ListsTheFolderPlaysAFileAndGivesBackTheDefaultSound) {
  Form.Fill(Folder.File("b.wav"));
  TFrmSoundDialog window(Form);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Sound Finder");
  QListWidget& files = Control<QListWidget>(window, "FileList");
  ASSERT_EQ(files.count(), 2);
  EXPECT_EQ(files.item(0)->text(), "A.WAV");
  EXPECT_EQ(files.currentRow(), 1);

  files.setCurrentRow(0);
  QPushButton& play = Control<QPushButton>(window, "PlayBtn");
  Player.StillPlaying = true;
  play.click();
  EXPECT_EQ(Player.Played, std::vector<std::string>{Folder.File("A.WAV")});
  EXPECT_FALSE(play.isEnabled()) << "disabled while the sound plays";
  Player.StillPlaying = false;
  Timers.Advance(100);
  EXPECT_TRUE(play.isEnabled());
  EXPECT_EQ(Form.Result(), Folder.File("A.WAV"));

  Control<QCheckBox>(window, "DefaultSound").click();
  EXPECT_FALSE(files.isEnabled());
  EXPECT_FALSE(play.isEnabled());
  EXPECT_FALSE(Control<QTreeView>(window, "FolderList").isEnabled());
  Control<QPushButton>(window, "OkBtn").click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(Form.Result(), "");
}

}  // namespace
