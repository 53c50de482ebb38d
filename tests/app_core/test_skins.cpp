#include <gtest/gtest.h>

#include "app/core/skin/skin_colors.h"
#include "app/core/skin/skin_engine.h"
#include "app/core/skin/skin_paths.h"
#include "tests/app_core/skin_test_files.h"
#include "tests/support/temporary_folder.h"

namespace {

struct TShiftCase {
  TColor Color;
  int Hue;
  int Brightness;
  TColor Expected;
};

// The expected colours follow from the colour wheel: a turn of 256 steps, so 128 is the
// complementary colour and 64 a quarter turn; greys have no hue to turn.
TEST(SkinColors, HueAndBrightnessShiftsGiveTheKnownColours) {
  const TShiftCase cases[] = {
      {RGB(255, 0, 0), 0, 0, RGB(255, 0, 0)},
      {RGB(255, 0, 0), 128, 0, RGB(0, 255, 255)},
      {RGB(255, 0, 0), 64, 0, RGB(128, 255, 0)},
      {RGB(0, 0, 255), 128, 0, RGB(255, 255, 0)},
      {RGB(51, 102, 153), 128, 0, RGB(153, 102, 51)},  // a muted blue keeps its lightness and saturation
      {RGB(255, 0, 0), 255, 0, RGB(255, 0, 6)},        // nearly a full turn
      {RGB(128, 128, 128), 100, 0, RGB(128, 128, 128)},
      {RGB(100, 200, 0), 0, 20, RGB(131, 211, 51)},  // 20 % of the way to white
      {RGB(100, 200, 0), 0, -60, RGB(40, 80, 0)},    // 60 % of the way to black
      {RGB(255, 255, 255), 0, 20, RGB(255, 255, 255)},
      {RGB(255, 0, 0), 128, -50, RGB(0, 128, 128)},
      {clBtnFace, 128, -50, clBtnFace},  // the desktop's colours are not the skin's
      {clNone, 128, 20, clNone},
  };
  for (const TShiftCase& c : cases) {
    const TColor shifted = ShiftBrightness(ShiftHue(c.Color, c.Hue), c.Brightness);
    EXPECT_EQ(shifted, c.Expected) << std::hex << c.Color << " hue " << std::dec << c.Hue << " brightness "
                                   << c.Brightness << " gave " << std::hex << shifted;
  }
}

TEST(SkinFile, AMalformedSkinFileIsToldWithItsFileLineAndWhy) {
  const std::pair<std::string, std::string> cases[] = {
      {"name = A\nwindow #123456\n", "line 2: \"window #123456\" is not of the form key = value"},
      {"name = A\n\nwindow = #12345G\n", "line 3: the colour of \"window\", \"#12345G\", is not of the form #RRGGBB"},
      {"name = A\nwindow = red\n", "line 2: the colour of \"window\""},
      {"name = A\nname = B\n", "line 2: \"name\" is given twice"},
      {"name = A\nwindw = #000000\n", "line 2: \"windw\" is not a key of skin files"},
      {"name =\n", "line 1: \"name\" has no value"},
      {"window = #000000\n", "lacks the keys name, window-text, base"},
  };
  for (const auto& [text, expected] : cases) {
    try {
      ParseSkin(text, "Broken.skin");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const ESkinFileError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("\"Broken.skin\""), std::string::npos) << message;
      EXPECT_NE(message.find(expected), std::string::npos) << message;
    }
  }
  const TSkin skin = ParseSkin("\r\n  # comment\r\nstyle = Fusion\r\n" + SkinText("  Sea Blue "), "Sea.skin");
  EXPECT_EQ(skin.Name, "Sea Blue");
  EXPECT_EQ(skin.Style, "Fusion");
  EXPECT_EQ(skin.Colors[scWindow], RGB(0x33, 0x66, 0x99));
  EXPECT_EQ(skin.Colors[scLink], RGB(0x80, 0x80, 0x80));
}

// Records what the engine asks of the windows.
class TRecordingSkinTarget : public TSkinTarget {
 public:
  void ApplySkin(const TSkinPalette& palette, const std::string& style) override {
    Window = palette[scWindow];
    Style = style;
    Skinned = true;
  }
  void RestoreDesktopLook() override { Skinned = false; }
  bool Skinned = false;
  TColor Window = 0;
  std::string Style;
};

TEST(SkinEngine, ShiftsRecolourAtOnceAndAFailingFileLeavesNoSkin) {
  TTemporaryFolder folder;
  TTemporaryFolder::Write(folder.File("Red.skin"), SkinText("Red", "#FF0000"));
  TTemporaryFolder::Write(folder.File("Broken.skin"), SkinText("Broken") + "colour = #000000\n");
  TRecordingSkinTarget target;
  TSkinEngine engine;
  engine.SetTarget(&target);
  EXPECT_EQ(engine.LoadSkin(folder.File("Red.skin")), "");
  EXPECT_EQ(engine.SkinName(), "Red");
  EXPECT_EQ(target.Window, RGB(255, 0, 0));
  engine.SetHueShift(128);
  EXPECT_EQ(target.Window, RGB(0, 255, 255));
  engine.SetBrightnessShift(-500);
  EXPECT_EQ(engine.BrightnessShift(), TSkinEngine::kLowestBrightnessShift);
  engine.ResetHueShift();
  engine.ResetBrightnessShift();
  EXPECT_EQ(target.Window, RGB(255, 0, 0)) << "the skin's own colours";

  const std::string error = engine.LoadSkin(folder.File("Broken.skin"));
  EXPECT_NE(error.find("Broken.skin\", line 14: \"colour\""), std::string::npos) << error;
  EXPECT_FALSE(target.Skinned);
  EXPECT_EQ(engine.SkinName(), "");
  EXPECT_EQ(engine.FilePath(), folder.File("Broken.skin"));

  EXPECT_NE(engine.LoadSkin(folder.File("Gone.skin")).find("Gone.skin\" does not exist"), std::string::npos);
  EXPECT_NE(engine.LoadSkin(folder.Path().string()).find("cannot be read"), std::string::npos) << "a folder";
}

// A program folder whose own path holds "/Skins/": only its own Skins folder is cut off.
TEST(SkinPaths, TheStoredNameIsRelativeToTheProgramFoldersOwnSkinsFolder) {
  const std::string program = "/home/ann/Skins/koret";
  EXPECT_EQ(SkinSettingFromPath(program, "/home/ann/Skins/koret/Skins/Dark.skin"), "Dark.skin");
  EXPECT_EQ(SkinSettingFromPath(program + "/", " /home/ann/Skins/koret/Skins/Dark.skin "), "Dark.skin");
  EXPECT_EQ(SkinSettingFromPath(program, "/home/ann/Skins/Dark.skin"), "/home/ann/Skins/Dark.skin") << "elsewhere";
  EXPECT_EQ(SkinSettingFromPath(program, ""), "");
  EXPECT_EQ(SkinPathFromSetting(program, " Dark.skin "), "/home/ann/Skins/koret/Skins/Dark.skin");
  EXPECT_EQ(SkinPathFromSetting(program, "/home/ann/Skins/Dark.skin"), "/home/ann/Skins/Dark.skin");
  EXPECT_EQ(SkinPathFromSetting(program, "  "), "");
}

}  // namespace
