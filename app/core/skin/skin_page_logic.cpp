#include "app/core/skin/skin_page_logic.h"

#include <algorithm>
#include <filesystem>

#include "app/core/skin/skin_paths.h"

namespace {

// The ordinary files of the folder, sorted by name; none when the folder cannot be listed.
std::vector<std::string> SkinFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The current row kept inside the rows: the first when it is past them, none when there are none.
int Inside(int row, size_t count) { return count == 0 ? -1 : std::clamp(row, 0, static_cast<int>(count) - 1); }

}  // namespace

TSkinPageLogic::TSkinPageLogic(std::string programFolder, TSkinEngine& engine, TSkinFavorites& favorites,
                               TMessageBoxes& boxes)
    : ProgramFolder_(std::move(programFolder)), Engine_(engine), Favorites_(favorites), Boxes_(boxes) {}

void TSkinPageLogic::Showing() {
  const std::string selected = SelectedFile_ < 0 ? std::string() : Files_[SelectedFile_];
  ShowFolder(SkinsFolder(ProgramFolder_));
  // The selected file stays selected when the folder still holds it.
  const auto found = std::find(Files_.begin(), Files_.end(), selected);
  SelectedFile_ = selected.empty() || found == Files_.end() ? -1 : static_cast<int>(found - Files_.begin());
  CurrentFavorite_ = Inside(CurrentFavorite_, Favorites_.Rows().size());
  Changed();
}

void TSkinPageLogic::ShowFolder(const std::string& folder) {
  FileFolder_ = folder;
  Files_ = SkinFilesIn(folder);
  SelectedFile_ = -1;
}

std::string TSkinPageLogic::SelectedPath() const {
  return SelectedFile_ < 0 ? std::string() : FileFolder_ + "/" + Files_[SelectedFile_];
}

void TSkinPageLogic::SetDontUseSkin(bool dontUse) {
  if (dontUse == DontUseSkin_) return;
  DontUseSkin_ = dontUse;
  if (dontUse) Engine_.DropSkin();
  else if (SelectedFile_ >= 0) Load(SelectedPath(), Engine_.HueShift(), Engine_.BrightnessShift());
  else if (!Favorites_.Rows().empty()) FavoriteClicked(CurrentFavorite_);
  // Without favourites, the skin that was dropped comes back.
  else Load(Engine_.FilePath(), Engine_.HueShift(), Engine_.BrightnessShift());
  if (!dontUse) FocusFavorites();
  Changed();
}

void TSkinPageLogic::WriteSettings(TProgramSettings& settings) const {
  settings.DontUseSkin = DontUseSkin_;
  settings.SkinFileName = SkinSettingFromPath(ProgramFolder_, Engine_.FilePath());
  settings.SkinColor = Engine_.HueShift();
  settings.SkinBrightness = Engine_.BrightnessShift();
}

void TSkinPageLogic::Load(const std::string& path, int hue, int brightness) {
  Engine_.SetHueShift(hue);
  Engine_.SetBrightnessShift(brightness);
  const std::string error = Engine_.LoadSkin(path);
  if (!error.empty()) Boxes_.ShowError(error + "\n\nThe program goes on without a skin.");
}

void TSkinPageLogic::FileClicked(int index) {
  if (index < 0 || index >= static_cast<int>(Files_.size())) return;
  SelectedFile_ = index;
  Load(SelectedPath(), 0, 0);
  Changed();
}

void TSkinPageLogic::HueMoved(int position) {
  Engine_.SetHueShift(position);
  Changed();
}

void TSkinPageLogic::BrightnessMoved(int position) {
  Engine_.SetBrightnessShift(position);
  Changed();
}

void TSkinPageLogic::FavoriteClicked(int row) {
  const std::vector<TSkinFavorite> rows = Favorites_.Rows();
  CurrentFavorite_ = Inside(row, rows.size());
  SelectedFile_ = -1;
  // No favourite at all reads as an empty row: no skin, both shifts 0.
  const TSkinFavorite favorite = CurrentFavorite_ < 0 ? TSkinFavorite{} : rows[CurrentFavorite_];
  Load(favorite.FileName, favorite.Hue, favorite.Brightness);
  Changed();
}

void TSkinPageLogic::MoveToFavorite(int skinID) {
  const std::vector<TSkinFavorite> rows = Favorites_.Rows();
  const auto found =
      std::find_if(rows.begin(), rows.end(), [skinID](const TSkinFavorite& f) { return f.SkinID == skinID; });
  CurrentFavorite_ = Inside(found == rows.end() ? 0 : static_cast<int>(found - rows.begin()), rows.size());
}

void TSkinPageLogic::Stored(int skinID) {
  MoveToFavorite(skinID);
  SelectedFile_ = -1;
  FocusFavorites();
  Changed();
}

void TSkinPageLogic::AddClicked() {
  if (SelectedFile_ < 0 && !Engine_.FilePath().empty()) {
    const std::filesystem::path current(Engine_.FilePath());
    ShowFolder(current.parent_path().string());
    const auto found = std::find(Files_.begin(), Files_.end(), current.filename().string());
    if (found != Files_.end()) SelectedFile_ = static_cast<int>(found - Files_.begin());
  }
  if (SelectedFile_ < 0) {
    Changed();
    return;
  }
  const std::vector<TSkinFavorite> rows = Favorites_.Rows();
  const int id = rows.empty() ? 1 : rows.back().SkinID + 1;
  Favorites_.Append({id, Engine_.FilePath(), Engine_.SkinName(), Engine_.HueShift(), Engine_.BrightnessShift()});
  Stored(id);
}

void TSkinPageLogic::UpdateClicked() {
  const std::vector<TSkinFavorite> rows = Favorites_.Rows();
  const int row = Inside(CurrentFavorite_, rows.size());
  const TSkinFavorite old = row < 0 ? TSkinFavorite{} : rows[row];
  const std::string file = SelectedFile_ < 0 ? old.FileName : SelectedPath();
  Favorites_.Replace(row, {old.SkinID, file, Engine_.SkinName(), Engine_.HueShift(), Engine_.BrightnessShift()});
  Stored(old.SkinID);
}

void TSkinPageLogic::DeleteClicked() {
  const std::vector<TSkinFavorite> rows = Favorites_.Rows();
  const int row = Inside(CurrentFavorite_, rows.size());
  if (row < 0) return;
  Favorites_.Remove(row);
  MoveToFavorite(rows[row].SkinID - 1);
  FocusFavorites();
  FavoriteClicked(CurrentFavorite_);
}

void TSkinPageLogic::DeleteAsked() {
  const size_t count = Favorites_.Rows().size();
  const int row = Inside(CurrentFavorite_, count);
  if (row < 0 || !Boxes_.AskOkCancel("Delete record?")) return;
  Favorites_.Remove(row);
  CurrentFavorite_ = Inside(row, count - 1);
  Changed();
}

void TSkinPageLogic::Changed() {
  if (OnChanged) OnChanged();
}

void TSkinPageLogic::FocusFavorites() {
  if (OnFocusFavorites) OnFocusFavorites();
}
