#include <gtest/gtest.h>

#include "app/core/settings/program_settings.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

class ProgramSettings : public ::testing::Test {
 protected:
  std::string Path() const { return Folder_.File("Config.ini"); }
  TProgramSettings Read(const std::string& text) {
    TTemporaryFolder::Write(Path(), text);
    TSettingsStore store(Writer_);
    store.SetFileName(Path());
    store.Open();
    return ReadProgramSettings(store);
  }

  TTemporaryFolder Folder_;
  TRecordingFileWriter Writer_;
};

TEST_F(ProgramSettings, AnEmptyFileGivesTheDefaults) {
  const TProgramSettings s = Read("");
  EXPECT_FALSE(s.MFLeft);
  EXPECT_EQ(s.Width, 500);
  EXPECT_EQ(s.Height, 560);
  EXPECT_TRUE(s.TasksShowCompleted);
  EXPECT_TRUE(s.TasksShowDue);
  EXPECT_EQ(s.TimeFormat, 1);
  EXPECT_EQ(s.ActiveResource, "KORET");
  EXPECT_EQ(s.DailyHourFont, (TSettingsFont{"MS Sans Serif", 1, clWindowText, 14, 0}));
  EXPECT_EQ(s.WeeklyADBGColor, clBtnFace);
  EXPECT_EQ(s.DailyWDColor, clWindow);  // the views follow the skin until given colours of their own
}

TEST_F(ProgramSettings, ReadsEveryKindOfValue) {
  const TProgramSettings s = Read(
      "[general]\n"
      "startminimized=true\n"  // only a leading 1 is true
      "StartWithWindows=10\n"  // a leading 1 is true
      "Width=  640 \n"
      "Height=12abc\n"        // not a number: the default
      "MFLeft=99999999999\n"  // outside 32 bits: the default (none)
      "MFTop=-20\n"
      "ActTab=$2\n"
      "ActiveResource=Home Office\n"
      "[Skin]\n"
      "Filename=Blue.skn\n"  // written as Filename, read as FileName
      "[Weekly]\n"
      "ADBGColor=-16777201\n"
      "BGColor=$00FF00\n"
      "[Daily]\n"
      "HourFontName=Tahoma\n"
      "HourFontSize=18\n"
      "HourFontStyle=3\n"
      "HourFontColor=255\n");
  EXPECT_FALSE(s.StartMinimized);
  EXPECT_TRUE(s.StartWithWindows);
  EXPECT_EQ(s.Width, 640);
  EXPECT_EQ(s.Height, 560);
  EXPECT_FALSE(s.MFLeft);
  EXPECT_EQ(s.MFTop, -20);
  EXPECT_EQ(s.ActTab, 2);
  EXPECT_EQ(s.ActiveResource, "Home Office");
  EXPECT_EQ(s.SkinFileName, "Blue.skn");
  EXPECT_EQ(s.WeeklyADBGColor, clBtnFace);
  EXPECT_EQ(s.WeeklyBGColor, clLime);
  EXPECT_EQ(s.DailyHourFont, (TSettingsFont{"Tahoma", 1, clRed, 18, 3}));
}

TEST_F(ProgramSettings, WritingAtExitTouchesOnlyTheExitKeysAndKeepsTheRest) {
  TTemporaryFolder::Write(Path(), "; my settings\n[Weekly]\nADBGColor=-16777201\nUnknown=kept\n");
  TSettingsStore store(Writer_);
  store.SetFileName(Path());
  store.Open();
  TProgramSettings s = ReadProgramSettings(store);
  s.MFLeft = 10;
  s.MFTop = 20;
  WriteProgramSettings(store, s, swExit);
  EXPECT_EQ(TTemporaryFolder::Read(Path()),
            "; my settings\n[Weekly]\nADBGColor=-16777201\nUnknown=kept\n"
            "[General]\nActTab=0\nMFLeft=10\nMFTop=20\nWidth=500\nHeight=560\nMaximized=0\n"
            "[Contacts]\nCW=145\n"
            "[Daily]\nShowWV=0\nWVWidth=1\n"
            "[Calendar]\nWidth=290\nHeight=320\nLeft=370\nTop=220\n");
  EXPECT_EQ(Writer_.WritesOf(Path()), 13) << "each key reaches the file at once";
}

TEST_F(ProgramSettings, PreferencesRoundTripThroughTheFile) {
  TSettingsStore store(Writer_);
  store.SetFileName(Path());
  store.Open();
  TProgramSettings s;
  s.DailyEFont = {"DejaVu Sans", 0, clNavy, 9, 2};  // italic
  s.ContactsHColor = clBtnFace;
  s.TimeFormat = 0;
  WriteProgramSettings(store, s, swPreferences);
  store.Close();
  const TProgramSettings back = Read(TTemporaryFolder::Read(Path()));
  EXPECT_EQ(back.DailyEFont, s.DailyEFont);
  EXPECT_EQ(back.ContactsHColor, clBtnFace);
  EXPECT_EQ(back.TimeFormat, 0);
  EXPECT_NE(TTemporaryFolder::Read(Path()).find("HColor=-16777201"), std::string::npos);
}

TEST_F(ProgramSettings, AFailedWriteIsReported) {
  TSettingsStore store(Writer_);
  store.SetFileName(Path());
  store.Open();
  Writer_.Fail = true;
  EXPECT_THROW(store.WriteInteger("General", "Width", 1), EFileWriteError);
}

// The preferences' keys go in one replacement of the file; a failed one keeps the old values,
// in the file and in the store.
TEST_F(ProgramSettings, WritesPutTogetherReachTheFileAtOnceOrNotAtAll) {
  TTemporaryFolder::Write(Path(), "[General]\nWidth=640\n");
  TSettingsStore store(Writer_);
  store.SetFileName(Path());
  store.Open();
  TProgramSettings s;
  s.Width = 700;
  const auto writeAll = [&] {
    WriteProgramSettings(store, s, swPreferences);
    WriteProgramSettings(store, s, swExit);
  };
  Writer_.Fail = true;
  EXPECT_THROW(store.WriteTogether(writeAll), EFileWriteError);
  EXPECT_EQ(TTemporaryFolder::Read(Path()), "[General]\nWidth=640\n");
  EXPECT_EQ(store.ReadInteger("General", "Width", 0), 640);
  Writer_.Fail = false;
  store.WriteTogether(writeAll);
  EXPECT_EQ(Writer_.WritesOf(Path()), 2);
  EXPECT_EQ(Read(TTemporaryFolder::Read(Path())).Width, 700);
}

TEST(SettingsInteger, AcceptsDecimalAndHexadecimalOnly) {
  const std::pair<const char*, std::optional<int>> cases[] = {{"0", 0},           {"-16777201", -16777201},
                                                              {"+7", 7},          {"$FF00000F", -16777201},
                                                              {"0x1F", 31},       {"2147483647", 2147483647},
                                                              {"2147483648", {}}, {"-2147483649", {}},
                                                              {"", {}},           {"1.5", {}},
                                                              {"--5", {}},        {" 5", {}},
                                                              {"$", {}},          {"$1FFFFFFFF", {}}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseSettingsInteger(text), expected);
  }
}

}  // namespace
