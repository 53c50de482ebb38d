#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/core/skin/preferences_skin_page.h"
#include "app/core/skin/skin_engine.h"
#include "app/core/skin/skin_favorites.h"
#include "platform/message_boxes.h"

// The "Skin" page of the preferences window without its widgets: the skin files of a folder, the
// two shifts, the favourites and "Don't use skin". Everything acts on the program's skin at once;
// the widget shows the state below and passes the user's actions on.
class TSkinPageLogic : public TPreferencesSkinPage {
 public:
  TSkinPageLogic(std::string programFolder, TSkinEngine& engine, TSkinFavorites& favorites, TMessageBoxes& boxes);

  void Showing() override;
  void SetDontUseSkin(bool dontUse) override;
  void WriteSettings(TProgramSettings& settings) const override;

  // What the page shows.
  bool DontUseSkin() const { return DontUseSkin_; }
  const std::string& FileFolder() const { return FileFolder_; }
  const std::vector<std::string>& Files() const { return Files_; }
  int SelectedFile() const { return SelectedFile_; }  // -1 for none
  int HuePosition() const { return Engine_.HueShift(); }
  int BrightnessPosition() const { return Engine_.BrightnessShift(); }
  std::vector<TSkinFavorite> Favorites() { return Favorites_.Rows(); }
  int CurrentFavorite() const { return CurrentFavorite_; }  // -1 when there is none

  // The user's actions.
  void FileClicked(int index);
  void HueMoved(int position);
  void BrightnessMoved(int position);
  void FavoriteClicked(int row);
  void AddClicked();
  void UpdateClicked();
  void DeleteClicked();
  // Ctrl+Delete in the favourites: the current row goes after the user confirms.
  void DeleteAsked();

  // Called after every change of the state above (the widget shows it again), and when the
  // favourites should have the focus.
  std::function<void()> OnChanged;
  std::function<void()> OnFocusFavorites;

 private:
  void ShowFolder(const std::string& folder);
  std::string SelectedPath() const;
  // Loads the skin with the shifts; a file that fails is told in a message box.
  void Load(const std::string& path, int hue, int brightness);
  // The current favourite is the first row with the ID, else the first row.
  void MoveToFavorite(int skinID);
  // After Add or Update: the favourite with the ID is current, no file is selected, and the
  // favourites have the focus.
  void Stored(int skinID);
  void Changed();
  void FocusFavorites();

  std::string ProgramFolder_;
  TSkinEngine& Engine_;
  TSkinFavorites& Favorites_;
  TMessageBoxes& Boxes_;
  bool DontUseSkin_ = false;
  std::string FileFolder_;
  std::vector<std::string> Files_;
  int SelectedFile_ = -1;
  int CurrentFavorite_ = -1;
};
