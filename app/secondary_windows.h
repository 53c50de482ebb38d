#pragma once

#include <QDialog>

// The about box: the program's name, version and build, and OK.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};
