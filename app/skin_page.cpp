#include "app/skin_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"

namespace {

// The text of the file list and the favourites is grey while they are disabled, on every skin.
void GreyWhenDisabled(QWidget& widget) {
  QPalette palette = widget.palette();
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
  widget.setPalette(palette);
}

QSlider* TrackBar(int lowest, int highest, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setRange(lowest, highest);
  slider->setTickPosition(QSlider::NoTicks);
  return slider;
}

}  // namespace

TSkinPage::TSkinPage(TSkinPageLogic& logic, QWidget* parent) : QWidget(parent), Logic_(logic) {
  setObjectName("SkinPage");
  DontUseSkin_ = new QCheckBox("Don't use skin", this);
  DontUseSkin_->setObjectName("cbSkin");

  FilesGroup_ = new QGroupBox("Skin Files", this);
  Files_ = new QListWidget(FilesGroup_);
  Files_->setObjectName("flbSkin");
  Files_->setSelectionMode(QAbstractItemView::SingleSelection);
  GreyWhenDisabled(*Files_);
  (new QVBoxLayout(FilesGroup_))->addWidget(Files_);
  FilesGroup_->setFixedWidth(145);

  FavoritesGroup_ = new QGroupBox("Favorites", this);
  Favorites_ = new QTableWidget(0, 3, FavoritesGroup_);
  Favorites_->setObjectName("SkinGrid");
  Favorites_->setHorizontalHeaderLabels({"Skin Name", "Color", "Brightness"});
  Favorites_->setColumnWidth(0, 185);
  Favorites_->setColumnWidth(1, 80);
  Favorites_->setColumnWidth(2, 80);
  Favorites_->verticalHeader()->hide();
  Favorites_->setSelectionBehavior(QAbstractItemView::SelectRows);
  Favorites_->setSelectionMode(QAbstractItemView::SingleSelection);
  Favorites_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GreyWhenDisabled(*Favorites_);
  GreyWhenDisabled(*Favorites_->horizontalHeader());
  (new QVBoxLayout(FavoritesGroup_))->addWidget(Favorites_);

  auto* top = new QHBoxLayout;
  top->addWidget(FilesGroup_);
  top->addWidget(BuildValues(), 1);
  auto* page = new QVBoxLayout(this);
  page->addWidget(DontUseSkin_);
  page->addLayout(top);
  page->addWidget(FavoritesGroup_, 1);

  connect(DontUseSkin_, &QCheckBox::toggled, this,
          [this](bool checked) { GuardedCall([&] { Logic_.SetDontUseSkin(checked); }); });
  connect(Files_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { GuardedCall([&] { Logic_.FileClicked(Files_->row(item)); }); });
  connect(Hue_, &QSlider::valueChanged, this, [this](int value) { GuardedCall([&] { Logic_.HueMoved(value); }); });
  connect(Brightness_, &QSlider::valueChanged, this,
          [this](int value) { GuardedCall([&] { Logic_.BrightnessMoved(value); }); });
  connect(Favorites_, &QTableWidget::cellClicked, this,
          [this](int row) { GuardedCall([&] { Logic_.FavoriteClicked(row); }); });
  connect(Add_, &QPushButton::clicked, this, [this] { GuardedCall([&] { Logic_.AddClicked(); }); });
  connect(Update_, &QPushButton::clicked, this, [this] { GuardedCall([&] { Logic_.UpdateClicked(); }); });
  connect(Delete_, &QPushButton::clicked, this, [this] { GuardedCall([&] { Logic_.DeleteClicked(); }); });
  auto* deleteRow = new QShortcut(QKeySequence("Ctrl+Delete"), Favorites_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(deleteRow, &QShortcut::activated, this, [this] { GuardedCall([&] { Logic_.DeleteAsked(); }); });

  Logic_.OnChanged = [this] { ShowState(); };
  Logic_.OnFocusFavorites = [this] { Favorites_->setFocus(); };
  ShowState();
}

QWidget* TSkinPage::BuildValues() {
  auto* column = new QWidget(this);
  ValuesGroup_ = new QGroupBox("Values", column);
  auto* grid = new QGridLayout(ValuesGroup_);
  HueNumber_ = new QLabel(ValuesGroup_);
  Hue_ = TrackBar(0, TSkinEngine::kHighestHueShift, ValuesGroup_);
  Hue_->setObjectName("tbHue");
  BrightnessNumber_ = new QLabel(ValuesGroup_);
  Brightness_ = TrackBar(TSkinEngine::kLowestBrightnessShift, TSkinEngine::kHighestBrightnessShift, ValuesGroup_);
  Brightness_->setObjectName("tbBright");
  grid->addWidget(new QLabel("Color:", ValuesGroup_), 0, 0);
  grid->addWidget(HueNumber_, 0, 1, Qt::AlignRight);
  grid->addWidget(Hue_, 1, 0, 1, 2);
  grid->addWidget(new QLabel("Brightness:", ValuesGroup_), 2, 0);
  grid->addWidget(BrightnessNumber_, 2, 1, Qt::AlignRight);
  grid->addWidget(Brightness_, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton** button : {&Add_, &Update_, &Delete_}) {
    *button = new QPushButton(column);
    (*button)->setFixedSize(75, 25);
    buttons->addWidget(*button);
  }
  Add_->setText("Add");
  Update_->setText("Update");
  Delete_->setText("Delete");
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ValuesGroup_);
  layout->addLayout(buttons);
  return column;
}

void TSkinPage::ShowState() {
  const QSignalBlocker blockCheck(DontUseSkin_), blockFiles(Files_), blockHue(Hue_), blockBright(Brightness_),
      blockGrid(Favorites_);
  const bool enabled = !Logic_.DontUseSkin();
  DontUseSkin_->setChecked(!enabled);
  for (QWidget* control :
       std::initializer_list<QWidget*>{FilesGroup_, ValuesGroup_, FavoritesGroup_, Add_, Update_, Delete_})
    control->setEnabled(enabled);

  QStringList files;
  for (const std::string& name : Logic_.Files()) files << ToQt(name);
  QStringList shown;
  for (int i = 0; i < Files_->count(); ++i) shown << Files_->item(i)->text();
  if (shown != files) {
    Files_->clear();
    Files_->addItems(files);
  }
  Files_->setCurrentRow(Logic_.SelectedFile());
  if (Logic_.SelectedFile() < 0) Files_->clearSelection();

  Hue_->setValue(Logic_.HuePosition());
  HueNumber_->setText(QString::number(Logic_.HuePosition()));
  Brightness_->setValue(Logic_.BrightnessPosition());
  BrightnessNumber_->setText(QString::number(Logic_.BrightnessPosition()));

  const std::vector<TSkinFavorite> favorites = Logic_.Favorites();
  Favorites_->setRowCount(static_cast<int>(favorites.size()));
  for (int row = 0; row < static_cast<int>(favorites.size()); ++row) {
    const TSkinFavorite& favorite = favorites[row];
    const QString cells[] = {ToQt(favorite.SkinName), QString::number(favorite.Hue),
                             QString::number(favorite.Brightness)};
    for (int column = 0; column < 3; ++column) Favorites_->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  if (Logic_.CurrentFavorite() >= 0) Favorites_->selectRow(Logic_.CurrentFavorite());
}
