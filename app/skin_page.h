#pragma once

#include <QWidget>

#include "app/core/skin/skin_page_logic.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTableWidget;

// The "Skin" page of the preferences window: "Don't use skin", the skin files of the Skins
// folder, the colour and brightness shifts, Add, Update and Delete, and the favourites. The logic
// does the work; the page passes the user's actions to it and shows its state after each.
class TSkinPage : public QWidget {
  Q_OBJECT

 public:
  explicit TSkinPage(TSkinPageLogic& logic, QWidget* parent = nullptr);

 private:
  // Shows the logic's state; changes made here do not reach the logic again.
  void ShowState();
  QWidget* BuildValues();

  TSkinPageLogic& Logic_;
  QCheckBox* DontUseSkin_;
  QGroupBox* FilesGroup_;
  QListWidget* Files_;
  QGroupBox* ValuesGroup_;
  QLabel* HueNumber_;
  QSlider* Hue_;
  QLabel* BrightnessNumber_;
  QSlider* Brightness_;
  QPushButton* Add_;
  QPushButton* Update_;
  QPushButton* Delete_;
  QGroupBox* FavoritesGroup_;
  QTableWidget* Favorites_;
};
