#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/timer.h"

// What the Sound Finder shows and does, without the window: a folder, its WAV files, the choice
// of the default sound, and a play button that stays disabled while a sound plays. Playing never
// waits for the sound: the player plays it on its own, and a timer asks it when it has ended.
class TVpSoundFinderRules {
 public:
  // programFolder is where the Sound Finder opens when there is no sound file to show.
  TVpSoundFinderRules(TSoundPlayer& player, TTimerFactory& timers, std::string programFolder);
  TVpSoundFinderRules(const TVpSoundFinderRules&) = delete;
  TVpSoundFinderRules& operator=(const TVpSoundFinderRules&) = delete;

  // Shows the sound file: an existing file is selected in its folder; a file that is not there
  // opens the program folder; no file at all means the default sound.
  void Fill(const std::string& soundFile);

  const std::string& Folder() const { return Folder_; }
  // Lists the folder's files whose names end in ".wav" in any letter case, sorted by name in the
  // same way; none is selected. A folder that cannot be read lists nothing.
  void SetFolder(const std::string& folder);
  const std::vector<std::string>& Files() const { return Files_; }
  // -1 when no file is selected; an index outside the list selects none.
  int FileIndex() const { return FileIndex_; }
  void SelectFile(int index);

  // "Use the default sound": while it is checked, the folders, the files and the play button are
  // disabled.
  bool UseDefaultSound() const { return UseDefaultSound_; }
  void SetUseDefaultSound(bool value) { UseDefaultSound_ = value; }
  bool FilesEnabled() const { return !UseDefaultSound_; }
  bool PlayEnabled() const { return FilesEnabled() && FileIndex_ >= 0 && !Playing_; }

  // Starts the selected file; the play button is disabled until it has ended (at once again when
  // it cannot be played, for instance without a sound device).
  void Play();
  // Raised when the sound has ended, so that the window shows the play button again.
  std::function<void()> OnPlayEnded;

  // The sound file to keep on OK: empty for the default sound, the selected file, or the file
  // the form was filled with when none is selected.
  std::string Result() const;

 private:
  void CheckPlaying();
  // The selected file in its folder; a file must be selected.
  std::string SelectedPath() const;

  TSoundPlayer& Player_;
  std::unique_ptr<TTimer> Timer_;
  std::string ProgramFolder_;
  std::string FilledWith_;
  std::string Folder_;
  std::vector<std::string> Files_;
  int FileIndex_ = -1;
  bool UseDefaultSound_ = false;
  bool Playing_ = false;
};
