#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "dialogs/reminder/sound_finder_rules.h"

class QCheckBox;
class QFileSystemModel;
class QListWidget;
class QPushButton;
class QTreeView;

// The Sound Finder: a folder tree, the WAV files of the chosen folder, "Use the default sound" and
// a play button. It holds no rules of its own; every change goes to the form, and then every
// control shows the form's state again.
//
// The form must outlive the window.
class TFrmSoundDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmSoundDialog(TVpSoundFinderRules& form, QWidget* parent = nullptr);
  ~TFrmSoundDialog() override { Form_.OnPlayEnded = nullptr; }

  // Shows the form's state in every control.
  void Refresh();

 private:
  void Build();

  TVpSoundFinderRules& Form_;
  QFileSystemModel* Folders_ = nullptr;
  QTreeView* FolderTree_ = nullptr;
  QListWidget* FileList_ = nullptr;
  QCheckBox* DefaultSound_ = nullptr;
  QPushButton* PlayBtn_ = nullptr;
};

// Lets the user choose a reminder sound, starting from the current one: on OK the chosen file, or
// "" for the default sound; nothing on Cancel. Sounds play through the player while the window
// stays usable.
std::optional<std::string> ChooseSoundFile(TSoundPlayer& player, TTimerFactory& timers, const std::string& current,
                                           QWidget* parent);
