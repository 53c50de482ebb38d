#pragma once

#include <QDialog>
#include <QWidget>

// The preferences window ("Koret Preferences"): created at start, filled by its own issue.
class TfrmOpt : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmOpt(QWidget* parent = nullptr);
};

// The about box: the program's name, version and build, and OK.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};
