#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <cstdio>

#include "app/calendar_window.h"
#include "app/desktop_services.h"
#include "app/main_window.h"
#include "app/preferences_window.h"
#include "app/program.h"
#include "app/secondary_windows.h"
#include "app/session_end.h"
#include "app/skin_page.h"
#include "app/sync_page.h"
#include "platform/display_probe.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "platform/qt/instance_channel.h"
#include "platform/qt/qt_message_boxes.h"
#include "print/qt/desktop_printers.h"

int main(int argc, char* argv[]) {
  // A second copy ends at once and touches nothing; it only asks the running copy to show its
  // window, which is what starting the program again means to the user.
  TInstanceLock instanceLock(TInstanceLock::DefaultPath(kInstanceLockName));
  const std::string channelPath = TInstanceLock::DefaultPath(kInstanceLockName, ".socket");
  switch (instanceLock.Acquire()) {
    case TInstanceLock::lrAcquired: break;
    case TInstanceLock::lrHeldElsewhere: TInstanceChannel::AskToShow(channelPath, 1000); return 0;
    case TInstanceLock::lrFailed: std::fprintf(stderr, "koret: %s\n", instanceLock.Error().c_str()); return 1;
  }

  if (const auto reason = MissingDisplayReason()) {
    std::fprintf(stderr, "koret: %s\n", reason->c_str());
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramTitle);
  QApplication::setDesktopFileName("koret");  // the desktop entry the windows belong to
  QIcon icon;                                 // the program's icon in every size it comes in
  for (QDirIterator sizes(":/icons", QDirIterator::Subdirectories); sizes.hasNext();) icon.addFile(sizes.next());
  QApplication::setWindowIcon(icon);
  // The main window may be hidden in the notification area while other windows close: only the
  // main window's real close ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

  // An end asked for from outside closes any open message box and cancels any open dialog, so that
  // a window nobody answers cannot hold the program. Before the main window is complete it ends the start-up (nothing
  // has been changed yet); afterwards it is the Exit command.
  TForm1* mainWindowReady = nullptr;
  bool endedDuringStartUp = false;
  TSessionEnd sessionEnd(
      [&] {
        TQtMessageBoxes::CloseAllForExit();
        CancelOpenDialogs();
        if (mainWindowReady != nullptr) mainWindowReady->ExitCommand();
        else endedDuringStartUp = true;
      },
      [&] {
        if (mainWindowReady != nullptr) mainWindowReady->LifeCycle().SessionEnding();
      });

  TQtDesktop desktop;
  TForm1 mainWindow(ExecutableFolder(), desktop);
  if (endedDuringStartUp) return 0;
  TLifeCycle& lifeCycle = mainWindow.LifeCycle();
  TSkinPageLogic skinLogic(ExecutableFolder(), lifeCycle.Skin(), lifeCycle.SkinFavorites(), desktop.MessageBoxes);
  lifeCycle.SetSkinPage(&skinLogic);
  TfrmOpt preferences(desktop, mainWindow.Owner(), &mainWindow);
  // The preferences window's "Skin" page, its second tab.
  preferences.SetSkinPage(new TSkinPage(skinLogic, &preferences), skinLogic);
  preferences.SetSyncPage(new TSyncPage(mainWindow.Sync(), desktop.MessageBoxes, desktop.Writer, &preferences));
  TfrmCalendar calendar(desktop.Clock, desktop.Locale, mainWindow.Owner());
  TAboutBox about(&mainWindow);
  mainWindow.SetWindows(&preferences, &calendar, &about);
  mainWindow.SetPrintTargets(DesktopPrintTargets(&mainWindow));
  mainWindowReady = &mainWindow;
  // However the event loop ends, the window's state is saved and the files are closed.
  QObject::connect(&application, &QCoreApplication::aboutToQuit, [&] {
    mainWindow.LifeCycle().SessionEnding();
    mainWindow.LifeCycle().CloseRequested();
  });
  mainWindow.Created();
  // Later starts ask this copy to show its window, as the tray's restore does.
  TInstanceChannel channel(channelPath);
  if (!channel.Listen([&] { mainWindow.ShowMainWindow(); }))
    std::fprintf(stderr, "koret: %s\n", channel.Error().c_str());
  return QApplication::exec();
}
