#include "dialogs/qt/sound_dialog.h"

#include <QCheckBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "dialogs/qt/named_widget.h"
#include "platform/program_folder.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"

TFrmSoundDialog::TFrmSoundDialog(TVpSoundFinderRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("FrmSoundDialog");
  setWindowTitle("Sound Finder");
  Build();
  Form_.OnPlayEnded = [this] { Refresh(); };
  Refresh();
}

void TFrmSoundDialog::Build() {
  resize(396, 223);
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  Folders_ = new QFileSystemModel(this);
  Folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  Folders_->setRootPath("/");
  FolderTree_ = Named(new QTreeView(this), "FolderList");
  FolderTree_->setModel(Folders_);
  for (int column = 1; column < Folders_->columnCount(); ++column) FolderTree_->hideColumn(column);
  FolderTree_->header()->hide();
  lists->addWidget(FolderTree_, 1);
  FileList_ = Named(new QListWidget(this), "FileList");
  lists->addWidget(FileList_, 1);
  layout->addLayout(lists, 1);

  auto* bottom = new QHBoxLayout;
  DefaultSound_ = Named(new QCheckBox("Use the default sound", this), "DefaultSound");
  PlayBtn_ = Named(new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), "", this), "PlayBtn");
  PlayBtn_->setToolTip("Play");
  PlayBtn_->setAutoDefault(false);
  auto* ok = Named(new QPushButton("OK", this), "OkBtn");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel", this), "CancelBtn");
  cancel->setAutoDefault(false);
  bottom->addWidget(DefaultSound_);
  bottom->addWidget(PlayBtn_);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  layout->addLayout(bottom);

  connect(FolderTree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
    GuardedCall([&] { Form_.SetFolder(FromQt(Folders_->filePath(index))); });
    Refresh();
  });
  connect(FileList_, &QListWidget::currentRowChanged, this, [this](int row) {
    GuardedCall([&] { Form_.SelectFile(row); });
    Refresh();
  });
  connect(DefaultSound_, &QCheckBox::toggled, this, [this](bool on) {
    Form_.SetUseDefaultSound(on);
    Refresh();
  });
  connect(PlayBtn_, &QPushButton::clicked, this, [this] {
    GuardedCall([this] { Form_.Play(); });
    Refresh();
  });
  // The folders are read in the background: the form's folder is shown again once its parents are.
  connect(Folders_, &QFileSystemModel::directoryLoaded, this,
          [this] { FolderTree_->scrollTo(Folders_->index(ToQt(Form_.Folder()))); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmSoundDialog::Refresh() {
  const QSignalBlocker blockers[] = {QSignalBlocker(FolderTree_->selectionModel()), QSignalBlocker(FileList_),
                                     QSignalBlocker(DefaultSound_)};
  const QModelIndex folder = Folders_->index(ToQt(Form_.Folder()));
  if (folder.isValid() && FolderTree_->currentIndex() != folder) {
    FolderTree_->setCurrentIndex(folder);
    FolderTree_->scrollTo(folder);
  }
  QStringList files;
  for (const std::string& name : Form_.Files()) files << ToQt(name);
  QStringList shown;
  for (int i = 0; i < FileList_->count(); ++i) shown << FileList_->item(i)->text();
  if (shown != files) {
    FileList_->clear();
    FileList_->addItems(files);
  }
  FileList_->setCurrentRow(Form_.FileIndex());
  DefaultSound_->setChecked(Form_.UseDefaultSound());
  FolderTree_->setEnabled(Form_.FilesEnabled());
  FileList_->setEnabled(Form_.FilesEnabled());
  PlayBtn_->setEnabled(Form_.PlayEnabled());
}

std::optional<std::string> ChooseSoundFile(TSoundPlayer& player, TTimerFactory& timers, const std::string& current,
                                           QWidget* parent) {
  TVpSoundFinderRules form(player, timers, ExecutableFolder());
  form.Fill(current);
  TFrmSoundDialog window(form, parent);
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return form.Result();
}
