#include <QApplication>
#include <cstdio>

#include "app/desktop_services.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/secondary_windows.h"
#include "app/session_end.h"
#include "platform/display_probe.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"

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
  // The main window may be hidden in the notification area while other windows close: only the
  // main window's real close ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

  TQtDesktop desktop;
  TForm1 mainWindow(ExecutableFolder(), desktop);
  TfrmOpt preferences(&mainWindow);
  TfrmCalendar calendar;
  TAboutBox about(&mainWindow);
  mainWindow.SetWindows(&preferences, &calendar, &about);
  TSessionEnd sessionEnd([&] { mainWindow.ExitCommand(); }, [&] { mainWindow.LifeCycle().SessionEnding(); });
  // However the event loop ends, the window's state is saved and the files are closed.
  QObject::connect(&application, &QCoreApplication::aboutToQuit, [&] {
    mainWindow.LifeCycle().SessionEnding();
    mainWindow.LifeCycle().CloseRequested();
  });
  mainWindow.Created();
  return QApplication::exec();
}
