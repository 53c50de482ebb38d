#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/core/settings/program_settings.h"
#include "app/core/settings/settings_store.h"
#include "app/core/skin/preferences_skin_page.h"
#include "app/core/skin/skin_engine.h"
#include "app/core/skin/skin_favorites.h"
#include "app/core/windows/main_window_shell.h"
#include "app/core/windows/rest_of_events.h"
#include "platform/message_queue.h"
#include "print/printer.h"
#include "store/planner_files.h"

// The program's life from start to exit: the two start-up stages, the choice of the active
// resource, what a close request means (hide, or really close after saving the window's state),
// the Exit command and the end of the desktop session.
class TLifeCycle : public TMessageTarget {
 public:
  // The main window's designed size, from which the default position is computed.
  static constexpr TPoint kDesignedSize{660, 483};

  TLifeCycle(const std::string& programFolder, TMainWindowShell& window, TVpStoreServices services,
             TMessagePoster& poster, TFileWriter& writer);

  // The first stage, while the main window is being built: opens the settings file and returns
  // whether the main window shows at start (false when it starts in the notification area, or
  // minimised where there is none). Makes the tray icon visible.
  bool StartFirstStage();
  // The main window's creation: its position and size, the contact grid's column width; then
  // the second stage is posted to the window (StartupMessage).
  void MainWindowCreated();
  // The posted start-up message runs the second stage.
  void HandleMessage(int message) override;
  // The second stage, once every window exists and the event loop runs: applies the settings,
  // binds the data files, connects the store and chooses the active resource. The events are read
  // for the days around today first, so that the window shows them at once; the rest of the
  // events file is read off the user-interface thread afterwards (see TRestOfEvents). An error ends it
  // with a message; the program keeps running (with no resource active).
  void StartSecondStage();
  // Chooses the active resource: the one the settings name, else the first; with no resource at
  // all it makes "KORET". Rebuilds the Resources menu. Runs again after resource changes.
  void SelectActiveResource();
  // A resource entry of the Resources menu was chosen: the resource with that description becomes
  // the active one, and the settings name it.
  void ChooseResource(const std::string& description);
  // The Resources submenu was chosen while it has no entry: asks whether to create a resource and
  // on OK runs the "New Resource" command given.
  void ResourcesChosenWithoutEntries(const std::function<void()>& newResource);
  // After the resource edit dialog added or edited a resource (or was cancelled): the settings
  // name the active resource and the choice runs again, which rebuilds the Resources menu.
  void ResourcesEdited();
  // The "Delete Resource" command: after the user confirms, the active resource goes with its
  // events, contacts and tasks; the choice runs again (making "KORET" when none is left) and the
  // first resource becomes the active one. Nothing without an active resource.
  void DeleteActiveResource();

  // A close request on the main window. Unless an exit was asked for, the window goes to the
  // notification area (or is minimised where there is none) and the request is refused (false).
  // Otherwise the window's state is saved, the files are closed and the request allowed (true).
  bool CloseRequested();
  // The "Hide to Tray..." command: the window goes to the notification area, or is minimised where
  // there is none, so that it stays reachable.
  void HideToTray();
  // The Exit command: the next close really closes; then the window is closed.
  void Exit();
  // The desktop session is ending: the next close really closes.
  void SessionEnding() { ExitRequested_ = true; }
  bool ExitRequested() const { return ExitRequested_; }

  // The "Load Print Formats" command and start-up: the formats of the file replace the loaded
  // ones. A file that cannot be read keeps them; one that ends early keeps what was read. Either
  // is reported.
  void LoadPrintFormats(const std::string& fileName);

  // The preferences window's Skin page, which start-up tells the stored "Don't use skin".
  void SetSkinPage(TPreferencesSkinPage* page) { SkinPage_ = page; }

  TVpPlannerFiles& Planner() { return Planner_; }
  // The rest of the events, read after the window shows the days it starts on.
  TRestOfEvents& RestOfEvents() { return RestOfEvents_; }
  TSkinEngine& Skin() { return Skin_; }
  TSkinFavorites& SkinFavorites() { return SkinFavorites_; }
  TVpPrinter& Printer() { return Printer_; }
  TSettingsStore& Settings() { return Settings_; }
  const TProgramSettings& StartSettings() const { return StartSettings_; }

 private:
  void ReportError(const std::exception& error);
  // Reads Config/Localize.xml into the control link and sets its default country.
  void LoadLocalization();
  void SaveWindowState();
  // Loads the skin the settings name, with their shifts; a file that fails is reported.
  void LoadStartSkin();

  std::string ProgramFolder_;
  TMainWindowShell& Window_;
  TMessagePoster& Poster_;
  TSettingsStore Settings_;
  TProgramSettings StartSettings_;
  TVpPlannerFiles Planner_;
  TRestOfEvents RestOfEvents_;  // after the planner, which it reads for
  TVpPrinter Printer_;
  TSkinEngine Skin_;
  TSkinFavorites SkinFavorites_;
  TPreferencesSkinPage* SkinPage_ = nullptr;
  bool ExitRequested_ = false;
  bool Closed_ = false;
};
