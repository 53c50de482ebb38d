#pragma once

#include <string>
#include <utility>

#include "platform/file_writer.h"

// The program's entry among those the desktop starts when the user logs on.
class TLogOnEntry {
 public:
  virtual ~TLogOnEntry() = default;
  // The desktop starts the executable (a full path) at log-on. Raises an error naming the entry's
  // file and the reason when the entry cannot be written.
  virtual void Set(const std::string& executable) = 0;
  // The desktop no longer starts the program; no entry is no error. Raises as Set does.
  virtual void Remove() = 0;
};

// The entry as a desktop file in the user's autostart folder, written atomically.
class TAutostartEntry : public TLogOnEntry {
 public:
  TAutostartEntry(std::string fileName, TFileWriter& writer) : FileName_(std::move(fileName)), Writer_(writer) {}

  // $XDG_CONFIG_HOME/autostart/koret.desktop; without an absolute XDG_CONFIG_HOME, below
  // $HOME/.config.
  static std::string DefaultFileName();

  const std::string& FileName() const { return FileName_; }
  void Set(const std::string& executable) override;
  void Remove() override;

 private:
  std::string FileName_;
  TFileWriter& Writer_;
};

// A program path as the Exec key of a desktop file holds it: quoted as one argument (with ", `, $
// and \ escaped inside the quotes), then % doubled and \ and line breaks escaped again as the key's text requires.
std::string DesktopExecValue(const std::string& executable);
