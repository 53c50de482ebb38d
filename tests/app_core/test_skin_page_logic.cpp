#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/skin/skin_page_logic.h"
#include "store/data_packet.h"
#include "tests/app_core/skin_test_files.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temporary_folder.h"

namespace {

// A program folder with two skins, and the Skin page over it with no favourites yet.
class SkinPage : public ::testing::Test {
 protected:
  SkinPage() {
    std::filesystem::create_directories(Folder.File("Skins"));
    std::filesystem::create_directories(Folder.File("Config"));
    TTemporaryFolder::Write(Folder.File("Skins/Light.skin"), SkinText("Light"));
    TTemporaryFolder::Write(Folder.File("Skins/Dark.skin"), SkinText("Dark"));
    std::filesystem::create_directories(Folder.File("Skins/not a file"));
    Favorites.SetFileName(TableFile());
    Favorites.Open();
    Page.Showing();
  }

  std::string TableFile() const { return Folder.File("Config/Skins.xml"); }
  // The favourites as the file holds them: SkinID and SkinName of each row.
  std::vector<std::pair<int, std::string>> StoredFavorites() const {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile()), fields, rows);
    std::vector<std::pair<int, std::string>> stored;
    for (const TRowValues& row : rows)
      stored.emplace_back(static_cast<int>(std::get<std::int64_t>(row[0])), std::get<std::string>(row[2]));
    return stored;
  }
  int FileIndex(const std::string& name) const {
    const auto& files = Page.Files();
    return static_cast<int>(std::find(files.begin(), files.end(), name) - files.begin());
  }
  // Picks the skin file with the shifts and adds it as a favourite.
  void AddFavorite(const std::string& file, int hue, int brightness) {
    Page.FileClicked(FileIndex(file));
    Page.HueMoved(hue);
    Page.BrightnessMoved(brightness);
    Page.AddClicked();
  }

  TTemporaryFolder Folder;
  TAtomicFileWriter Writer;
  TFakeMessageBoxes Boxes;
  TSkinEngine Engine;
  TSkinFavorites Favorites{Writer};
  TSkinPageLogic Page{Folder.Path().string(), Engine, Favorites, Boxes};
};

TEST_F(SkinPage, TheFileListHoldsTheSkinsFoldersFilesByName) {
  EXPECT_EQ(Page.Files(), (std::vector<std::string>{"Dark.skin", "Light.skin"}));
  Page.FileClicked(1);
  EXPECT_EQ(Engine.SkinName(), "Light");
  EXPECT_EQ(Engine.FilePath(), Folder.File("Skins/Light.skin"));
  TProgramSettings settings;
  Page.WriteSettings(settings);
  EXPECT_EQ(settings.SkinFileName, "Light.skin");
  EXPECT_FALSE(settings.DontUseSkin);
}

// Update on an empty list makes a row with ID 0; Add numbers after the last row.
TEST_F(SkinPage, UpdateOnAnEmptyListMakesRowZeroAndAddCountsOn) {
  EXPECT_FALSE(std::filesystem::exists(TableFile())) << "no file before the first change";
  Page.FileClicked(FileIndex("Dark.skin"));
  Page.HueMoved(40);
  Page.UpdateClicked();
  EXPECT_EQ(StoredFavorites(), (std::vector<std::pair<int, std::string>>{{0, "Dark"}}));
  EXPECT_EQ(Page.SelectedFile(), -1);

  AddFavorite("Light.skin", 10, -20);
  EXPECT_EQ(StoredFavorites(), (std::vector<std::pair<int, std::string>>{{0, "Dark"}, {1, "Light"}}));
  EXPECT_EQ(Page.CurrentFavorite(), 1);
  const TSkinFavorite added = Page.Favorites()[1];
  EXPECT_EQ(added.FileName, Folder.File("Skins/Light.skin"));
  EXPECT_EQ(added.Hue, 10);
  EXPECT_EQ(added.Brightness, -20);

  Page.FavoriteClicked(0);
  EXPECT_EQ(Engine.SkinName(), "Dark");
  EXPECT_EQ(Page.HuePosition(), 40);
  EXPECT_EQ(Page.BrightnessPosition(), 0);
}

// Deleting the lowest favourite applies the first row; deleting the last one leaves no skin.
TEST_F(SkinPage, DeleteAppliesThePreviousFavoriteOrNone) {
  AddFavorite("Dark.skin", 5, 0);
  AddFavorite("Light.skin", 7, 3);
  AddFavorite("Dark.skin", 9, -9);
  Page.FavoriteClicked(0);
  Page.DeleteClicked();
  EXPECT_EQ(StoredFavorites(), (std::vector<std::pair<int, std::string>>{{2, "Light"}, {3, "Dark"}}));
  EXPECT_EQ(Page.CurrentFavorite(), 0);
  EXPECT_EQ(Engine.SkinName(), "Light");
  EXPECT_EQ(Page.HuePosition(), 7);

  Page.FavoriteClicked(1);
  Page.DeleteClicked();  // ID 3: moves to ID 2
  EXPECT_EQ(Page.CurrentFavorite(), 0);
  Page.DeleteClicked();
  EXPECT_TRUE(StoredFavorites().empty());
  EXPECT_FALSE(Engine.HasSkin());
  EXPECT_EQ(Page.HuePosition(), 0);
  EXPECT_EQ(Page.BrightnessPosition(), 0);
  Page.DeleteClicked();  // nothing left: nothing happens
  EXPECT_TRUE(Boxes.Shown.empty()) << "no skin to load is not an error";
}

TEST_F(SkinPage, CtrlDeleteAsksAndWritesAtOnce) {
  AddFavorite("Dark.skin", 0, 0);
  AddFavorite("Light.skin", 0, 0);
  Boxes.Answers = {mrCancel, mrOk};
  Page.DeleteAsked();
  EXPECT_EQ(StoredFavorites().size(), 2u);
  Page.DeleteAsked();
  ASSERT_EQ(Boxes.Shown.size(), 2u);
  EXPECT_EQ(Boxes.Shown[1].Text, "Delete record?");
  EXPECT_EQ(Boxes.Shown[1].Buttons, mbOKCancel);
  EXPECT_EQ(StoredFavorites(), (std::vector<std::pair<int, std::string>>{{1, "Dark"}})) << "before any close";
}

TEST_F(SkinPage, DontUseSkinDropsTheSkinAndUncheckingBringsItBack) {
  Page.FileClicked(FileIndex("Dark.skin"));
  Page.SetDontUseSkin(true);
  EXPECT_FALSE(Engine.HasSkin());
  TProgramSettings settings;
  Page.WriteSettings(settings);
  EXPECT_TRUE(settings.DontUseSkin);
  EXPECT_EQ(settings.SkinFileName, "Dark.skin") << "the choice of skin is kept";
  Page.SetDontUseSkin(false);
  EXPECT_EQ(Engine.SkinName(), "Dark");
}

TEST_F(SkinPage, ABrokenSkinFileIsToldAndLeavesNoSkin) {
  TTemporaryFolder::Write(Folder.File("Skins/Broken.skin"), "name = Broken\nwindow = blue\n");
  Page.Showing();
  Page.FileClicked(FileIndex("Broken.skin"));
  EXPECT_FALSE(Engine.HasSkin());
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_NE(Boxes.Shown[0].Text.find("Broken.skin\", line 2"), std::string::npos) << Boxes.Shown[0].Text;
}

}  // namespace
