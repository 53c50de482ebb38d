#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/reminder/sound_finder_rules.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_timers.h"
#include "tests/support/temporary_folder.h"

namespace {

// A program folder with sounds, and a folder of other sounds.
class SoundFinder : public ::testing::Test {
 protected:
  SoundFinder() {
    std::filesystem::create_directory(Folder.File("sounds"));
    for (const char* name : {"sounds/chime.WAV", "sounds/Bell.wav", "sounds/alarm.wav", "sounds/notes.txt",
                             "sounds/wav", "sounds/.wav.bak", "ding.wav"})
      TTemporaryFolder::Write(Folder.File(name), "RIFF");
    std::filesystem::create_directory(Folder.File("sounds/folder.wav"));
  }
  TTemporaryFolder Folder;
  TFakeClock Clock;
  TFakeTimers Timers{Clock};
  TFakeSoundPlayer Player;
  TVpSoundFinderRules Form{Player, Timers, Folder.Path().string()};
};

TEST_F(SoundFinder, ListsTheWavFilesOfAFolderSortedWithoutRegardToCase) {
  Form.SetFolder(Folder.File("sounds"));
  EXPECT_EQ(Form.Files(), (std::vector<std::string>{"alarm.wav", "Bell.wav", "chime.WAV"}));
  EXPECT_EQ(Form.FileIndex(), -1);
  Form.SetFolder(Folder.File("no such folder"));
  EXPECT_TRUE(Form.Files().empty());
}

TEST_F(SoundFinder, OpensWhereTheCurrentSoundIs) {
  const struct {
    const char* Name;
    std::string Current;
    std::string Folder;
    int Selected;
    bool UseDefault;
  } cases[] = {
      {"an existing file", Folder.File("sounds/Bell.wav"), Folder.File("sounds"), 1, false},
      {"a file that is gone", Folder.File("gone/old.wav"), Folder.Path().string(), -1, false},
      {"no file: the default sound", "", Folder.Path().string(), -1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Form.Fill(c.Current);
    EXPECT_EQ(Form.Folder(), c.Folder);
    EXPECT_EQ(Form.FileIndex(), c.Selected);
    EXPECT_EQ(Form.UseDefaultSound(), c.UseDefault);
    EXPECT_EQ(Form.FilesEnabled(), !c.UseDefault);
    EXPECT_EQ(Form.Result(), c.Current) << "OK without another choice keeps the sound";
  }
}

TEST_F(SoundFinder, PlayReturnsAtOnceAndKeepsTheButtonDisabledUntilTheSoundHasEnded) {
  Form.Fill(Folder.File("sounds/alarm.wav"));
  int ended = 0;
  Form.OnPlayEnded = [&] { ++ended; };
  Player.StillPlaying = true;
  ASSERT_TRUE(Form.PlayEnabled());
  Form.Play();
  EXPECT_EQ(Player.Played, std::vector<std::string>{Folder.File("sounds/alarm.wav")});
  EXPECT_FALSE(Form.PlayEnabled());
  Form.Play();
  EXPECT_EQ(Player.Played.size(), 1u) << "no second sound while one plays";
  Timers.Advance(1000);
  EXPECT_FALSE(Form.PlayEnabled());
  Player.StillPlaying = false;
  Timers.Advance(100);
  EXPECT_TRUE(Form.PlayEnabled());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(Timers.EnabledCount(), 0) << "nothing more to wait for";

  Player.Succeeds = false;  // no sound device, or not a playable file
  Form.Play();
  EXPECT_TRUE(Form.PlayEnabled());
}

}  // namespace
