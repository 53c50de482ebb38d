#include "dialogs/reminder/sound_finder_rules.h"

#include <algorithm>
#include <filesystem>

#include "platform/ascii_text.h"

namespace {

// How often the form asks the player whether the sound has ended.
constexpr int kPlayCheckMs = 100;

bool IsWavName(const std::string& name) {
  constexpr std::string_view kExtension = ".wav";
  return name.size() > kExtension.size() &&
         SameTextAscii(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

}  // namespace

TVpSoundFinderRules::TVpSoundFinderRules(TSoundPlayer& player, TTimerFactory& timers, std::string programFolder)
    : Player_(player), Timer_(timers.CreateTimer()), ProgramFolder_(std::move(programFolder)) {
  Timer_->SetInterval(kPlayCheckMs);
  Timer_->OnTimer = [this] { CheckPlaying(); };
}

void TVpSoundFinderRules::Fill(const std::string& soundFile) {
  FilledWith_ = soundFile;
  UseDefaultSound_ = soundFile.empty();
  std::error_code error;
  const std::filesystem::path path(soundFile);
  if (soundFile.empty() || !std::filesystem::is_regular_file(path, error)) {
    SetFolder(ProgramFolder_);
    return;
  }
  SetFolder(path.parent_path().string());
  const auto at = std::find(Files_.begin(), Files_.end(), path.filename().string());
  SelectFile(at != Files_.end() ? static_cast<int>(at - Files_.begin()) : -1);
}

void TVpSoundFinderRules::SetFolder(const std::string& folder) {
  Folder_ = folder;
  Files_.clear();
  FileIndex_ = -1;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    std::error_code ignored;
    const std::string name = entry->path().filename().string();
    if (IsWavName(name) && entry->is_regular_file(ignored)) Files_.push_back(name);
  }
  std::sort(Files_.begin(), Files_.end(), [](const std::string& a, const std::string& b) {
    const std::string upperA = UpperCaseAscii(a);
    const std::string upperB = UpperCaseAscii(b);
    return upperA != upperB ? upperA < upperB : a < b;
  });
}

void TVpSoundFinderRules::SelectFile(int index) {
  FileIndex_ = index >= 0 && index < static_cast<int>(Files_.size()) ? index : -1;
}

void TVpSoundFinderRules::Play() {
  if (!PlayEnabled()) return;
  if (!Player_.PlayAsync(SelectedPath())) return;
  Playing_ = true;
  Timer_->SetEnabled(true);
}

void TVpSoundFinderRules::CheckPlaying() {
  if (Player_.Playing()) return;
  Timer_->SetEnabled(false);
  Playing_ = false;
  if (OnPlayEnded) OnPlayEnded();
}

std::string TVpSoundFinderRules::Result() const {
  if (UseDefaultSound_) return {};
  return FileIndex_ < 0 ? FilledWith_ : SelectedPath();
}

std::string TVpSoundFinderRules::SelectedPath() const {
  return (std::filesystem::path(Folder_) / Files_[static_cast<size_t>(FileIndex_)]).string();
}
