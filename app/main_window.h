#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/calendar_window.h"
#include "app/core/windows/life_cycle.h"
#include "app/core/windows/main_commands.h"
#include "app/core/windows/main_window_shell.h"
#include "app/core/windows/print_commands.h"
#include "app/desktop_services.h"
#include "app/secondary_windows.h"
#include "app/sync_desktop.h"
#include "app/tool_bar_pictures.h"
#include "app/tray_icon.h"
#include "dialogs/qt/resource_windows.h"
#include "store/control_link.h"
#include "views/contacts/contact_button_bar.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

class QSplitter;
class QToolBar;
class QToolButton;
class TVpViewWidget;
class TfrmOpt;

// The program's main window: menus, the three tabs (Task List, Events, Contacts), the status bar
// with its clock and the notification-area icon. What start-up, closing and exit do is decided by
// the life cycle; this window carries it out on the desktop.
class TForm1 : public QMainWindow, public TMainWindowShell, public TMainCommandShell {
  Q_OBJECT

 public:
  // Builds the window and runs the first start-up stage (the settings file, the tray icon).
  TForm1(const std::string& programFolder, TQtDesktop& desktop);
  ~TForm1() override;

  // The owner of the store and of the views it repaints: this window, as the life cycle knows it.
  const void* Owner() const { return static_cast<const TMainWindowShell*>(this); }
  // The other top-level windows, created after this one; the calendar's month view and the
  // preferences window's samples join the store and the control link of this window's views.
  void SetWindows(TfrmOpt* preferences, TfrmCalendar* calendar, TAboutBox* about);
  // The window's creation is complete: placement, showing, and the second stage posted.
  void Created();

  TLifeCycle& LifeCycle() { return *LifeCycle_; }
  TSyncDesktop& Sync() { return *Sync_; }
  // The desktop's printers for "Print..."; until they are given, printing says there is none.
  void SetPrintTargets(TVpPrintTargetFactory targets) { PrintCommands_.PrintTargets = std::move(targets); }
  // The Exit command. While a modal window is open it waits until that window closes.
  void ExitCommand();
  // Edit > Quick Add: a line read into an event or task, added in one step.
  void QuickAdd();
  // Edit > Find: the search window, with the text given; the record chosen is shown.
  void Find(const QString& text);

  // TMainWindowShell
  TPoint DesktopSize() const override;
  std::vector<TRect> Screens() const override;
  TRect Geometry() const override;
  void SetGeometry(const TRect& rect) override;
  bool Maximized() const override { return windowState().testFlag(Qt::WindowMaximized); }
  void SetMaximized(bool maximized) override;
  int ActiveTab() const override;
  void SetActiveTab(int index) override;
  int ContactColumnWidth() const override { return ContactGrid_.ColumnWidth(); }
  void SetContactColumnWidth(int width) override { ContactGrid_.SetColumnWidth(width); }
  bool WeekViewShown() const override { return WeekViewShown_; }
  int WeekViewWidth() const override;
  void SetWeekView(bool shown, int width) override;
  TRect CalendarGeometry() const override;
  void SetCalendarGeometry(const TRect& rect) override;
  void ApplySettings(const TProgramSettings& settings) override;
  void SetDayViewGranularity(TVpGranularity granularity) override { DayView_.SetGranularity(granularity); }
  void SetResourcesMenu(const std::vector<std::string>& descriptions, int checked) override;
  TVpControlLink& ControlLink() override { return Link_; }
  bool NotificationAreaAvailable() const override { return TTrayIcon::Available(); }
  void SetTrayIconVisible(bool visible) override { Tray_.SetVisible(visible); }
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void MinimizeMainWindow() override;
  void CloseMainWindow() override { close(); }
  void StopClock() override { Clock_.stop(); }
  void ShowError(const std::string& message) override;

  // TMainCommandShell (besides those above)
  bool MainWindowShowing() const override { return isVisible() && !isMinimized(); }
  void SetTrayAddEntriesEnabled(bool enabled) override;
  // The room of the tabs' pages, which the Events tab fills also while another tab shows.
  int EventsTabWidth() const override { return Tabs_->widget(mtEvents)->parentWidget()->width(); }
  bool CalendarShowing() const override;
  void SetCalendarShowing(bool shown) override;
  void CalButtonsBeh(bool down) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // While the window is neither maximised nor minimised its place is the one to come back to.
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // A resized Events tab gives a shown week view half its width again; the pointer over a view
  // shows its hint in the status bar; a resized status bar gives its message panel the rest; Down
  // on a tool-bar button opens its drop-down menu; the first start keeps the window on the screen
  // once it shows with its frame.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The General page's choices the desktop services follow.
  void ApplyGeneralSettings(bool newEventsZoned, bool desktopNotifications);
  QWidget* BuildEventsTab();
  // The task list under a 5-pixel strip.
  QWidget* BuildTasksTab();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  // The message panel takes what the sync, time, date and end panels leave of the bar's width.
  void LayOutPanels();
  // Tab goes from the tool bar to the views and on to the tabs.
  void SetTabOrder();
  void Tick();
  // The Edit menu opens: its task entries follow the rule of the commands.
  void UpdateEditMenu();
  void NewResource();
  // "Load Print Formats": the formats of the file the user picks replace the loaded ones.
  void LoadPrintFormats();
  // "Import..." into the active resource (none active: into "KORET", made then) and "Export..." of it.
  void ImportFile();
  void ExportFile();
  std::string ActiveResourceName() const;
  // The active resource changed: its sync account's status and interval follow.
  void ResourceChanged();
  // The sync panel of the status bar: the last sync or its error, or a busy hint.
  void ShowSyncStatus(const std::string& text, bool busy);
  // Says what a command did in the message panel (until the pointer crosses a view); "" says nothing.
  void ShowStatus(const std::string& text);
  // The contact grid with the button bar at its right.
  QWidget* BuildContactsTab();
  void ShowWeekView(bool shown, int width);
  void ToggleAlwaysOnTop(bool on);
  // Moves the window, and makes it smaller where it must be, so that all of it, frame included,
  // lies within the work area of its screen. A maximised or minimised window is left alone.
  void KeepInsideScreen();
  bool InNormalState() const;
  void RememberNormalPlace();
  // A command: its entry in the menu (or, without one, on the window), its shortcut.
  QAction* AddCommand(QWidget& owner, const QString& caption, const QKeySequence& shortcut,
                      std::function<void()> command);
  // A tool-bar button for the command, with its hint and picture; with a drop-down menu of the
  // commands given when there are any.
  QToolButton* AddButton(QToolBar& bar, QAction* command, const char* name, const QString& hint, TToolPicture picture,
                         const std::vector<std::pair<QString, std::function<void()>>>& menu = {});

  TQtDesktop& Desktop_;
  std::string DataFolder_;  // the program folder's Data
  std::unique_ptr<TLifeCycle> LifeCycle_;
  TVpControlLink Link_;
  // How long the first show waits for the window to be on screen before painting its frame.
  static constexpr int kFirstExposureWaitMs = 300;
  bool FirstPaintDone_ = false;
  TVpDayView DayView_;
  std::int64_t ShownMinute_ = -1;  // the minute of the last tick
  TVpWeekView WeekView_;
  TVpContactGrid ContactGrid_;
  TVpContactButtonBar ContactBar_;
  TVpTaskList TaskList_;
  TMainCommands Commands_;
  TPrintCommands PrintCommands_;
  TTrayIcon Tray_;
  std::unique_ptr<TSyncDesktop> Sync_;
  TVpResourceEditDialog ResourceDialog_;  // VpResourceEditDialog1: centred, 400 × 250
  TQtResourceEditWindow ResourceWindow_;
  QTabWidget* Tabs_;
  TVpViewWidget* DayViewHost_ = nullptr;
  TVpViewWidget* WeekViewHost_ = nullptr;
  QWidget* ContactsTab_ = nullptr;
  TVpViewWidget* TaskListHost_ = nullptr;
  QSplitter* EventsSplitter_ = nullptr;
  QAction* WeekViewAction_ = nullptr;  // actWeek
  QAction* CalendarAction_ = nullptr;  // ActCalendar
  QAction* UndoAction_ = nullptr;
  QAction* RedoAction_ = nullptr;
  QAction* EditTaskAction_ = nullptr;    // EditEditTask1
  QAction* DeleteTaskAction_ = nullptr;  // EditDeleteTask1
  QAction* TrayAddTask_ = nullptr;
  QAction* TrayAddContact_ = nullptr;
  std::vector<QWidget*> ToolButtons_;
  std::vector<TVpViewWidget*> ViewHosts_;
  QMenu* ResourceMenu_ = nullptr;
  QMenu* ResourcesSubmenu_ = nullptr;
  QAction* AlwaysOnTop_ = nullptr;
  QAction* TrayAlwaysOnTop_ = nullptr;
  QLabel* Panels_[4] = {};
  QLabel* SyncPanel_ = nullptr;  // between the message and the time panel; hidden without an account
  QTimer Clock_;
  TfrmOpt* Preferences_ = nullptr;
  TfrmCalendar* Calendar_ = nullptr;
  TAboutBox* About_ = nullptr;
  bool ShowAtStart_ = true;
  bool FitPending_ = false;  // keep the window within the work area once it shows with its frame
  QRect NormalPlace_;        // as Geometry() gives it: the framed place, the inside size
  bool WeekViewShown_ = false;
  int WeekViewWidth_ = 1;
};
