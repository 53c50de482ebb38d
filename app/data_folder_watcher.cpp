#include "app/data_folder_watcher.h"

#include <QDir>

#include "platform/qt/command_guard.h"

TDataFolderWatcher::TDataFolderWatcher(const QString& folder, QStringList files, std::function<void()> changed,
                                       QObject* parent)
    : QObject(parent), Folder_(folder), Files_(std::move(files)), Changed_(std::move(changed)) {
  Pause_.setSingleShot(true);
  Pause_.setInterval(150);
  connect(&Pause_, &QTimer::timeout, this, [this] { GuardedCall(Changed_); });
  auto noticed = [this] {
    Watch();  // a replaced file is a new file: it is watched again
    Pause_.start();
  };
  connect(&Watcher_, &QFileSystemWatcher::directoryChanged, this, noticed);
  connect(&Watcher_, &QFileSystemWatcher::fileChanged, this, noticed);
  Poll_.setInterval(1000);
  connect(&Poll_, &QTimer::timeout, this, [this] {
    Watch();
    GuardedCall(Changed_);
  });
  Poll_.start();
  Watch();
}

void TDataFolderWatcher::Watch() {
  const QDir dir(Folder_);
  if (!dir.exists()) return;
  QStringList missing;
  if (!Watcher_.directories().contains(Folder_)) missing << Folder_;
  for (const QString& file : Files_) {
    const QString path = dir.filePath(file);
    if (!QFileInfo::exists(path) || Watcher_.files().contains(path)) continue;
    const auto failed = Unwatchable_.find(path);
    if (failed != Unwatchable_.end() && failed->second == FileSignatureOf(path.toStdString())) continue;
    missing << path;
  }
  if (missing.isEmpty()) return;
  for (const QString& path : Watcher_.addPaths(missing)) Unwatchable_[path] = FileSignatureOf(path.toStdString());
}
