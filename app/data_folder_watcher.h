#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>

#include "platform/file_signature.h"

// Tells the program when another writer may have changed the data files: the folder and its files
// are watched, with a short pause so that one save (a new file renamed into place) counts once,
// and a poll every second stands in where watching fails (a folder made later, a network file
// system). What to do is up to the callback; it only has to be cheap when nothing changed. A file
// that cannot be watched (it cannot be read) is tried again only once it is another version, so
// that the desktop's warning about it comes once, not every second.
class TDataFolderWatcher : public QObject {
  Q_OBJECT

 public:
  TDataFolderWatcher(const QString& folder, QStringList files, std::function<void()> changed,
                     QObject* parent = nullptr);

 private:
  void Watch();

  QString Folder_;
  QStringList Files_;
  std::function<void()> Changed_;
  QFileSystemWatcher Watcher_;
  QTimer Pause_;
  QTimer Poll_;
  std::map<QString, TFileSignature> Unwatchable_;  // the version of each file that could not be watched
};
