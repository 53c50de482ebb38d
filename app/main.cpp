#include <QApplication>
#include <cstdio>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/display_probe.h"
#include "platform/instance_lock.h"

int main(int argc, char* argv[]) {
  // A second copy ends at once, silently, and touches nothing.
  TInstanceLock instanceLock(TInstanceLock::DefaultPath(kInstanceLockName));
  switch (instanceLock.Acquire()) {
    case TInstanceLock::lrAcquired: break;
    case TInstanceLock::lrHeldElsewhere: return 0;
    case TInstanceLock::lrFailed:
      std::fprintf(stderr, "koret: %s\n", instanceLock.Error().c_str());
      return 1;
  }

  if (const auto reason = MissingDisplayReason()) {
    std::fprintf(stderr, "koret: %s\n", reason->c_str());
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  QApplication::setApplicationDisplayName(kProgramTitle);

  TForm1 mainWindow;
  mainWindow.show();
  return QApplication::exec();
}
