#include "app/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "app/core/settings/view_settings.h"
#include "app/core/settings/window_placement.h"
#include "app/core/windows/history_commands.h"
#include "app/core/windows/main_view_looks.h"
#include "app/data_folder_watcher.h"
#include "app/exchange_windows.h"
#include "app/go_to_date_window.h"
#include "app/preferences_window.h"
#include "app/program.h"
#include "app/quick_add_window.h"
#include "app/search_window.h"
#include "dialogs/qt/format_designer_dialog.h"
#include "model/date_format.h"
#include "model/day_number.h"
#include "model/zone_clock.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_text.h"
#include "print/qt/print_preview_window.h"
#include "store/change_path.h"
#include "views/qt/contact_button_bar_widget.h"
#include "views/qt/view_widget.h"

namespace {

// A menu entry's text: its first letter underlined, an ampersand of its own shown as one.
QString MenuText(const std::string& caption) { return "&" + ToQt(caption).replace('&', "&&"); }

}  // namespace

TForm1::TForm1(const std::string& programFolder, TQtDesktop& desktop)
    : Desktop_(desktop),
      DataFolder_(programFolder + "/Data"),
      LifeCycle_(
          std::make_unique<TLifeCycle>(programFolder, *this, desktop.StoreServices(), desktop.Poster, desktop.Writer)),
      Link_(Owner()),
      DayView_(desktop.Clock, desktop.Locale, Owner()),
      WeekView_(desktop.Clock, desktop.Locale, Owner()),
      ContactGrid_(Owner()),
      TaskList_(desktop.Clock, desktop.Locale, Owner()),
      Commands_(*this, LifeCycle_->Planner().Store(), DayView_, TaskList_, ContactGrid_, desktop.Clock),
      PrintCommands_(LifeCycle_->Printer(), Link_, DayView_, desktop.Clock, desktop.Locale, desktop.MessageBoxes) {
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  resize(TLifeCycle::kDesignedSize.X, TLifeCycle::kDesignedSize.Y);
  ResourceDialog_.SetDataStore(&LifeCycle_->Planner().Store());
  Sync_ = std::make_unique<TSyncDesktop>(*this, desktop, DataFolder_, LifeCycle_->Planner().Store());
  Sync_->OnStatus = [this](const std::string& text, bool busy) { ShowSyncStatus(text, busy); };
  Sync_->OnOpenPreferences = [this] {
    if (Preferences_ != nullptr) Preferences_->ExecOnPage(ppSync);
  };
  PrintCommands_.RunPreview = [this](double start, double end, const TVpPrintTarget* device) {
    return ExecutePrintPreview(LifeCycle_->Printer(), PrintCommands_.Renderer(), Desktop_.Clock, Desktop_.Locale,
                               Desktop_.MessageBoxes, start, end, zfActualSize, device, this);
  };

  Tabs_ = new QTabWidget(this);
  Tabs_->setObjectName("PCMain");
  Tabs_->addTab(BuildTasksTab(), "Task List");
  Tabs_->addTab(BuildEventsTab(), "Events");
  Tabs_->addTab(BuildContactsTab(), "Contacts");
  Tabs_->setCurrentIndex(1);  // the Events tab, as designed
  setCentralWidget(Tabs_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  SetTabOrder();

  Tray_.OnActivated = [this] { ShowMainWindow(); };
  // A reminder's times and its Open Item follow the program's time format, the main day view's.
  Desktop_.Reminders.SetTimeFormat([this] { return DayView_.TimeFormat(); });
  connect(&Clock_, &QTimer::timeout, this, [this] { GuardedCall([this] { Tick(); }); });
  Clock_.start(1000);

  // What another writer (koret-cli, an import) saves shows within a second or two. Not while a
  // modal window is open: it may be editing a record a reload would replace; the poll catches up
  // once it closes, and a post made meanwhile merges with the other writer's rows.
  new TDataFolderWatcher(  // owned by the window
      ToQt(DataFolder_),
      {TVpPlannerFiles::kResourcesFile, TVpPlannerFiles::kEventsFile, TVpPlannerFiles::kContactsFile,
       TVpPlannerFiles::kTasksFile},
      [this] {
        if (QApplication::activeModalWidget() == nullptr) LifeCycle_->Planner().Store().ReloadChangedTables();
      },
      this);

  // The first stage runs while the window is being built; it loads the skin.
  LifeCycle_->Skin().SetTarget(&desktop.SkinTarget);
  GuardedCall([this] { ShowAtStart_ = LifeCycle_->StartFirstStage(); });
}

// The view widgets go first: the views they show are members, destroyed before the window's
// children would be.
TForm1::~TForm1() {
  Desktop_.Reminders.SetTimeFormat(nullptr);
  delete DayViewHost_;
  delete WeekViewHost_;
  delete ContactsTab_;
  delete TaskListHost_;
}

QWidget* TForm1::BuildEventsTab() {
  TVpFlexDataStore& store = LifeCycle_->Planner().Store();
  Link_.SetDataStore(&store);
  ConfigureMainDayView(DayView_);
  DayView_.SetDataStore(&store);
  DayView_.SetControlLink(&Link_);
  DayView_.SetEditDialogs(&Desktop_.EditDialogs);
  ConfigureMainWeekView(WeekView_);
  WeekView_.SetDataStore(&store);
  WeekView_.SetControlLink(&Link_);
  WeekView_.SetEditDialogs(&Desktop_.EditDialogs);
  auto* tab = new QWidget(Tabs_);
  tab->setObjectName("pnlEvents");
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 5, 0, 0);  // the 5-pixel strip along the top
  // The week view at the left, hidden until asked for, the day view filling the rest.
  EventsSplitter_ = new QSplitter(Qt::Horizontal, tab);
  EventsSplitter_->setObjectName("sp1");
  EventsSplitter_->setChildrenCollapsible(false);
  WeekViewHost_ = new TVpViewWidget(WeekView_, EventsSplitter_);
  WeekViewHost_->setObjectName("VpWeekView1");
  DayViewHost_ = new TVpViewWidget(DayView_, EventsSplitter_);
  DayViewHost_->setObjectName("VpDayView1");
  ViewHosts_.push_back(WeekViewHost_);
  ViewHosts_.push_back(DayViewHost_);
  EventsSplitter_->addWidget(WeekViewHost_);
  EventsSplitter_->addWidget(DayViewHost_);
  EventsSplitter_->setStretchFactor(1, 1);
  connect(EventsSplitter_, &QSplitter::splitterMoved, this, [this] {
    if (WeekViewShown_ && WeekViewHost_->isVisible()) WeekViewWidth_ = std::max(WeekViewHost_->width(), 1);
  });
  layout->addWidget(EventsSplitter_);
  ShowWeekView(false, WeekViewWidth_);
  tab->installEventFilter(this);
  return tab;
}

QWidget* TForm1::BuildContactsTab() {
  ConfigureMainContactGrid(ContactGrid_);
  ContactGrid_.SetDataStore(&LifeCycle_->Planner().Store());
  ContactGrid_.SetControlLink(&Link_);
  ContactGrid_.SetEditDialogs(&Desktop_.EditDialogs);
  ConfigureMainContactButtonBar(ContactBar_);
  ContactBar_.SetContactGrid(&ContactGrid_);
  auto* tab = ContactsTab_ = new QWidget(Tabs_);
  tab->setObjectName("pnlContacts");
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(0, 5, 0, 0);  // the 5-pixel strip along the top
  layout->setSpacing(0);
  auto* grid = new TVpViewWidget(ContactGrid_, tab);
  grid->setObjectName("VpContactGrid1");
  // The bar, 60 pixels wide, in a panel of 62 at the tab's right edge.
  auto* panel = new QWidget(tab);
  panel->setObjectName("pnlContactButtons");
  panel->setFixedWidth(62);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->setContentsMargins(1, 0, 1, 0);
  auto* bar = new TVpContactButtonBarWidget(ContactBar_, panel);
  bar->setObjectName("VpContactButtonBar1");
  bar->setFixedWidth(60);
  panelLayout->addWidget(bar);
  ViewHosts_.push_back(grid);
  layout->addWidget(grid, 1);
  layout->addWidget(panel);
  return tab;
}

QWidget* TForm1::BuildTasksTab() {
  ConfigureMainTaskList(TaskList_);
  TaskList_.SetDataStore(&LifeCycle_->Planner().Store());
  TaskList_.SetControlLink(&Link_);  // prints of tasks look like this list
  TaskList_.SetEditDialogs(&Desktop_.EditDialogs);
  auto* tab = new QWidget(Tabs_);
  tab->setObjectName("pnlTasks");
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 5, 0, 0);  // the 5-pixel strip along the top
  TaskListHost_ = new TVpViewWidget(TaskList_, tab);
  TaskListHost_->setObjectName("VpTaskList1");
  ViewHosts_.push_back(TaskListHost_);
  layout->addWidget(TaskListHost_);
  return tab;
}

void TForm1::LoadPrintFormats() {
  const QString file = QFileDialog::getOpenFileName(this, "Load Print Formats", {}, "Print Format File (*.xml)");
  if (!file.isEmpty()) LifeCycle_->LoadPrintFormats(FromQt(file));
}

std::string TForm1::ActiveResourceName() const {
  const TVpResource* active = LifeCycle_->Planner().Store().ActiveResource();
  return active != nullptr ? active->Description() : std::string();
}

void TForm1::ImportFile() {
  TExchangeWindows windows(*this, Desktop_, DataFolder_);
  std::vector<TVpRowChange> rows;
  const std::string step = windows.Import(ActiveResourceName(), rows);
  if (step.empty()) return;
  // The store takes the imported rows at once rather than at the folder watcher's next look, and
  // the whole import is one step to undo.
  TVpFlexDataStore& store = LifeCycle_->Planner().Store();
  store.ReloadChangedTables();
  store.Changes().Keep(step, std::move(rows));
}

void TForm1::ExportFile() {
  const std::string resource = ActiveResourceName();
  if (resource.empty()) throw EVpException("There is no resource to export.");
  TExchangeWindows(*this, Desktop_, DataFolder_).Export(resource);
}

void TForm1::SetWindows(TfrmOpt* preferences, TfrmCalendar* calendar, TAboutBox* about) {
  Preferences_ = preferences;
  Calendar_ = calendar;
  if (Calendar_ != nullptr) {
    Calendar_->Connect(LifeCycle_->Planner().Store(), Link_);
    Calendar_->OnClosed = [this] { CalButtonsBeh(false); };
    if (Preferences_ != nullptr)
      Preferences_->Connect({TaskList_, DayView_, WeekView_, Calendar_->MonthView(), ContactGrid_},
                            LifeCycle_->Planner().Store(), Link_, LifeCycle_->Settings());
  }
  About_ = about;
}

void TForm1::Created() {
  DayView_.Loaded();
  WeekView_.Loaded();
  if (Calendar_ != nullptr) Calendar_->MonthView().Loaded();
  // Showing the window keeps it within the work area once it has its frame (its first exposure).
  create();
  windowHandle()->installEventFilter(this);
  GuardedCall([this] { LifeCycle_->MainWindowCreated(); });
  // After the second start-up stage, posted just before: the active resource is chosen then.
  QMetaObject::invokeMethod(
      this, [this] { GuardedCall([this] { Sync_->Control().Started(); }); }, Qt::QueuedConnection);
  // The stored or default place may reach past the screen's edge once the frame is counted (a
  // first start places the window by its designed size but gives it the default size): it is
  // kept on the screen now, and again once the window has its frame.
  KeepInsideScreen();
  Tick();
}

bool TForm1::InNormalState() const {
  return (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) == 0;
}

void TForm1::KeepInsideScreen() {
  if (!InNormalState()) return;
  const QRect inside = geometry(), outside = frameGeometry();
  const QScreen* screen = QGuiApplication::screenAt(outside.center());
  if (screen == nullptr) screen = this->screen();
  const TFrameMargins frame{inside.left() - outside.left(), inside.top() - outside.top(),
                            outside.right() - inside.right(), outside.bottom() - inside.bottom()};
  const QRect fitted = ToQt(KeepInsideWorkArea(FromQt(inside), frame, FromQt(screen->availableGeometry())));
  // The place goes to move(), which places the frame: a window manager takes a new inside
  // position as the frame's.
  if (fitted == inside) return;
  resize(fitted.size());
  move(fitted.left() - frame.Left, fitted.top() - frame.Top);
}

void TForm1::RememberNormalPlace() {
  if (InNormalState()) NormalPlace_ = QRect(pos(), size());
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalPlace();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalPlace();
}

QAction* TForm1::AddCommand(QWidget& owner, const QString& caption, const QKeySequence& shortcut,
                            std::function<void()> command) {
  auto* action = new QAction(caption, &owner);
  owner.addAction(action);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [command = std::move(command)] { GuardedCall(command); });
  return action;
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddCommand(*file, "&Print...", QKeySequence("Ctrl+P"), [this] { PrintCommands_.Print(); });
  AddCommand(*file, "Print &Format Designer", {}, [this] {
    TQtFormatDesignerWindow window(Desktop_.MessageBoxes, Desktop_.Clock, Desktop_.Locale, PrintCommands_.PrintTargets,
                                   this);
    PrintCommands_.DesignFormats(window);
  });
  AddCommand(*file, "&Load Print Formats", {}, [this] { LoadPrintFormats(); });
  file->addSeparator();
  AddCommand(*file, "&Import...", {}, [this] { ImportFile(); });
  AddCommand(*file, "&Export...", {}, [this] { ExportFile(); });
  AddCommand(*file, "S&ynchronize Now", {}, [this] { Sync_->Control().SynchronizeNow(); });
  AddCommand(*file, "Re&store Server from Here...", {}, [this] { Sync_->Control().RestoreServer(); });
  file->addSeparator();
  AddCommand(*file, "P&references...", QKeySequence("Ctrl+O"), [this] {
    if (Preferences_ != nullptr && Preferences_->exec() == QDialog::Accepted)
      ApplyGeneralSettings(Preferences_->NewEventsZoned(), Preferences_->DesktopNotifications());
  });
  AddCommand(*file, "&Hide to Tray...", QKeySequence("Ctrl+M"), [this] { LifeCycle_->HideToTray(); });
  AlwaysOnTop_ = AddCommand(*file, "&Always on Top...", {}, [this] { ToggleAlwaysOnTop(AlwaysOnTop_->isChecked()); });
  AlwaysOnTop_->setCheckable(true);
  AddCommand(*file, "E&xit", {}, [this] { ExitCommand(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  // Ctrl+Z adds a contact: undo takes the desktop's other key for it.
  UndoAction_ = AddCommand(*edit, "&Undo", QKeySequence("Alt+Backspace"), [this] {
    ShowStatus(UndoLastChange(LifeCycle_->Planner().Store().Changes(), Desktop_.MessageBoxes));
  });
  RedoAction_ = AddCommand(*edit, "&Redo", QKeySequence("Ctrl+Y"), [this] {
    ShowStatus(RedoLastChange(LifeCycle_->Planner().Store().Changes(), Desktop_.MessageBoxes));
  });
  edit->addSeparator();
  AddCommand(*edit, "&Find...", QKeySequence("Ctrl+F"), [this] { Find({}); });
  AddCommand(*edit, "&Quick Add...", QKeySequence("Ctrl+Shift+A"), [this] { QuickAdd(); });
  AddCommand(*edit, "&Add Task", QKeySequence("Ctrl+A"), [this] { Commands_.AddTask(); });
  EditTaskAction_ = AddCommand(*edit, "&Edit Task", {}, [this] { Commands_.EditTask(); });
  DeleteTaskAction_ = AddCommand(*edit, "&Delete Task", {}, [this] { Commands_.DeleteTask(); });
  AddCommand(*edit, "Add &Contact", QKeySequence("Ctrl+Z"), [this] { Commands_.AddContact(); });
  connect(edit, &QMenu::aboutToShow, this, [this] { GuardedCall([this] { UpdateEditMenu(); }); });
  // The shortcuts work while the menu is closed, whatever it showed last.
  connect(edit, &QMenu::aboutToHide, this, [this] {
    UndoAction_->setEnabled(true);
    RedoAction_->setEnabled(true);
  });

  QMenu* view = menuBar()->addMenu("&View");
  AddCommand(*view, "&Task List", QKeySequence("Ctrl+F1"), [this] { SetActiveTab(mtTaskList); });
  AddCommand(*view, "&Events", QKeySequence("Ctrl+F2"), [this] { Commands_.ShowEvents(); });
  AddCommand(*view, "C&ontacts", QKeySequence("Ctrl+F3"), [this] { SetActiveTab(mtContacts); });
  CalendarAction_ = AddCommand(*view, "&Calendar", QKeySequence("Ctrl+F4"), [this] { Commands_.ToggleCalendar(); });
  view->addSeparator();
  AddCommand(*view, "Go to &Date...", QKeySequence("Ctrl+G"), [this] {
    TGoToDateWindow window(Desktop_.Clock, Desktop_.Locale, DayView_.Date(), this);
    if (const std::optional<double> date = window.Run()) Commands_.GoToDate(*date);
  });
  AddCommand(*view, "Go to T&oday", QKeySequence("Ctrl+T"), [this] { Commands_.GoToToday(); });
  // The week view's command has no menu entry: the Week button and Ctrl+W reach it.
  WeekViewAction_ = AddCommand(*this, "Week", QKeySequence("Ctrl+W"), [this] { Commands_.ToggleWeekView(); });
  WeekViewAction_->setObjectName("actWeek");
  WeekViewAction_->setCheckable(true);
  WeekViewAction_->setChecked(WeekViewShown_);

  // The Resource menu belongs to the menu bar but is never shown.
  ResourceMenu_ = menuBar()->addMenu("Resource");
  ResourcesSubmenu_ = ResourceMenu_->addMenu("Resources");
  connect(ResourcesSubmenu_->menuAction(), &QAction::triggered, this, [this] {
    GuardedCall([this] {
      if (ResourcesSubmenu_->isEmpty()) LifeCycle_->ResourcesChosenWithoutEntries([this] { NewResource(); });
    });
  });
  AddCommand(*ResourceMenu_, "New Resource", {}, [this] { NewResource(); });
  AddCommand(*ResourceMenu_, "Edit Resource", {}, [this] {
    ResourceDialog_.EditResource(ResourceWindow_);
    LifeCycle_->ResourcesEdited();
    ResourceChanged();
  });
  AddCommand(*ResourceMenu_, "Delete Resource", {}, [this] {
    LifeCycle_->DeleteActiveResource();
    ResourceChanged();
  });
  ResourceMenu_->menuAction()->setVisible(false);

  QMenu* help = menuBar()->addMenu("&Help");
  AddCommand(*help, "&About", {}, [this] {
    if (About_ != nullptr) About_->exec();
  });

  // The tray menu shows the main window's shortcuts of its commands (after a tab, the menu's
  // shortcut column); they work in the main window, not while the menu is open.
  QMenu& tray = Tray_.Menu();
  tray.setObjectName("PopupMenu1");
  AddCommand(tray, "&Quick Add...\tCtrl+Shift+A", {}, [this] { QuickAdd(); });
  TrayAddTask_ = AddCommand(tray, "Add &Task\tCtrl+A", {}, [this] { Commands_.AddTask(); });
  TrayAddContact_ = AddCommand(tray, "Add &Contact\tCtrl+Z", {}, [this] { Commands_.AddContact(); });
  tray.addSeparator();
  AddCommand(tray, "&Restore Window...", {}, [this] { ShowMainWindow(); });
  AddCommand(tray, "&Hide to Tray...\tCtrl+M", {}, [this] { LifeCycle_->HideToTray(); });
  TrayAlwaysOnTop_ =
      AddCommand(tray, "&Always on Top...", {}, [this] { ToggleAlwaysOnTop(TrayAlwaysOnTop_->isChecked()); });
  TrayAlwaysOnTop_->setCheckable(true);
  tray.addSeparator();
  AddCommand(tray, "E&xit", {}, [this] { ExitCommand(); });
}

void TForm1::QuickAdd() {
  if (!isVisible()) ShowMainWindow();
  TQuickAddWindow window(Desktop_.Clock, this);
  TVpQuickAdd added;
  const TQuickAddWindow::TChoice choice = window.Run(added);
  if (choice != TQuickAddWindow::qcCancel) Commands_.QuickAdd(added, choice == TQuickAddWindow::qcOpenDialog);
}

QToolButton* TForm1::AddButton(QToolBar& bar, QAction* command, const char* name, const QString& hint,
                               TToolPicture picture,
                               const std::vector<std::pair<QString, std::function<void()>>>& menu) {
  auto* button = new QToolButton(&bar);
  button->setObjectName(name);
  // The button follows its command whenever that changes: the picture and hint go on the command.
  command->setIcon(ToolBarPicture(picture));
  command->setIconVisibleInMenu(false);
  command->setToolTip(hint);
  button->setDefaultAction(command);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::TabFocus);
  button->setIconSize(QSize(24, 23));
  button->setFixedSize(menu.empty() ? 32 : 40, 32);
  if (!menu.empty()) {
    auto* dropDown = new QMenu(button);
    for (const auto& [caption, run] : menu) AddCommand(*dropDown, caption, {}, run);
    button->setMenu(dropDown);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->installEventFilter(this);  // Down opens the menu from the keyboard
  }
  bar.addWidget(button);
  ToolButtons_.push_back(button);
  return button;
}

void TForm1::BuildToolBar() {
  auto* bar = addToolBar("Tool bar");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setFixedHeight(36);
  bar->toggleViewAction()->setVisible(false);
  CalendarAction_->setCheckable(true);  // stays down while the calendar window shows
  AddButton(*bar, CalendarAction_, "SBCal1", "Show Calendar", tpCalendar);
  AddButton(*bar, WeekViewAction_, "SBWeek", "Show Week View", tpWeek);
  bar->addSeparator();
  // The Edit menu's add commands, on buttons of their own.
  AddButton(*bar, AddCommand(*this, "Add Contact", {}, [this] { Commands_.AddContact(); }), "SBAddContact",
            "Add Contact", tpAddContact);
  AddButton(*bar, AddCommand(*this, "Add Task", {}, [this] { Commands_.AddTask(); }), "SBAddTask", "Add Task",
            tpAddTask);
  bar->addSeparator();
  const char* days[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven"};
  std::vector<std::pair<QString, std::function<void()>>> dayEntries;
  for (int n = 1; n <= 7; ++n) dayEntries.emplace_back(days[n - 1], [this, n] { Commands_.ShowDays(n); });
  AddButton(*bar, AddCommand(*this, "Days", {}, [this] { Commands_.ShowDays(1); }), "SBOneDay", "Show One Day",
            tpOneDay, dayEntries);
  auto step = [this](TDateStep s) { return [this, s] { Commands_.Navigate(s); }; };
  AddButton(*bar, AddCommand(*this, "Prev. Day", {}, step(dsPreviousDay)), "SBYest", "Goto Previous Day", tpPreviousDay,
            {{"Previous Week", step(dsPreviousWeek)},
             {"Previous Month", step(dsPreviousMonth)},
             {"Previous Year", step(dsPreviousYear)}});
  AddButton(*bar, AddCommand(*this, "Next Day", {}, step(dsNextDay)), "SBNext", "Goto Next Day", tpNextDay,
            {{"Next Week", step(dsNextWeek)}, {"Next Month", step(dsNextMonth)}, {"Next Year", step(dsNextYear)}});
  AddButton(*bar, AddCommand(*this, "Today", {}, [this] { Commands_.GoToToday(); }), "SBToday", "Show Today", tpToday);
  bar->addSeparator();
  // Enter in the search field opens the search window on its text.
  auto* search = new QLineEdit(bar);
  search->setObjectName("SearchField");
  search->setPlaceholderText("Find (Ctrl+F)");
  search->setAccessibleName("Find");
  search->setMaximumWidth(200);
  search->setClearButtonEnabled(true);
  connect(search, &QLineEdit::returnPressed, this, [this, search] {
    const QString text = search->text();
    search->clear();
    GuardedCall([&] { Find(text); });
  });
  bar->addWidget(search);
}

void TForm1::Find(const QString& text) {
  if (!isVisible()) ShowMainWindow();
  TVpPlannerFiles& planner = LifeCycle_->Planner();
  const TVpResource* resource = planner.Store().ActiveResource();
  if (resource == nullptr) return;
  // The search reads the files on a thread of its own, with its own copy of what it needs.
  auto categories = std::make_shared<TVpCategoryColorMap>();
  for (int i = 0; i < 10; ++i)
    categories->Category(i)->SetDescription(planner.Store().CategoryColorMap().Description(i));
  const double now = Desktop_.Clock.Now();
  TSearchWindow::TSearch search = [folder = planner.DataFolder(), name = resource->Description(), categories,
                                   now](const std::string& query) {
    return SearchFolder(
        folder, [&name](TVpFlexDataStore& store) { return store.Resources().FindResourceByName(name); }, *categories,
        TVpSearchQuery{query}, now);
  };
  TSearchWindow window(std::move(search), Desktop_.Locale, text, this);
  if (const std::optional<TSearchWindow::TChoice> chosen = window.Run())
    Commands_.ShowFound(chosen->Found, chosen->InDialog);
}

void TForm1::SetTabOrder() {
  std::vector<QWidget*> chain = ToolButtons_;
  chain.insert(chain.end(), ViewHosts_.begin(), ViewHosts_.end());
  chain.push_back(Tabs_->tabBar());
  for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::UpdateEditMenu() {
  const TVpChangePath& changes = LifeCycle_->Planner().Store().Changes();
  UndoAction_->setText(MenuText(UndoCaption(changes)));
  UndoAction_->setEnabled(changes.CanUndo());
  RedoAction_->setText(MenuText(RedoCaption(changes)));
  RedoAction_->setEnabled(changes.CanRedo());
  const bool enabled = Commands_.TaskEntriesEnabled();
  EditTaskAction_->setEnabled(enabled);
  DeleteTaskAction_->setEnabled(enabled);
}

void TForm1::NewResource() {
  ResourceDialog_.AddResource(ResourceWindow_);
  LifeCycle_->ResourcesEdited();
  ResourceChanged();
}

void TForm1::ResourceChanged() { Sync_->Control().AccountChanged(); }

void TForm1::BuildStatusBar() {
  statusBar()->setObjectName("StatusBar1");
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setFixedHeight(23);
  // The panels are placed by hand (LayOutPanels), so that their widths are exactly theirs.
  statusBar()->installEventFilter(this);
  for (int i = 0; i < 4; ++i) {
    Panels_[i] = new QLabel(statusBar());
    Panels_[i]->setFrameShape(i == 3 ? QFrame::NoFrame : QFrame::Panel);
    Panels_[i]->setFrameShadow(QFrame::Sunken);
    Panels_[i]->setAlignment(i == 1 || i == 2 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
  }
  Panels_[0]->setObjectName("MessagePanel");
  Panels_[0]->setText(kReadyHint);
  SyncPanel_ = new QLabel(statusBar());
  SyncPanel_->setObjectName("SyncPanel");
  SyncPanel_->setFrameShape(QFrame::Panel);
  SyncPanel_->setFrameShadow(QFrame::Sunken);
  SyncPanel_->hide();
  LayOutPanels();
  for (TVpViewWidget* host : ViewHosts_) host->installEventFilter(this);
}

void TForm1::LayOutPanels() {
  const int bar = statusBar()->width(), height = statusBar()->height();
  // The sync panel is as wide as its text (at most 3/5 of what the message panel had); a text
  // longer than that is cut, whole in the tool tip.
  const QString sync = SyncPanel_->toolTip();
  SyncPanel_->setText(sync);
  const int wanted = SyncPanel_->sizeHint().width() + 8;
  const int syncWidth = sync.isEmpty() ? 0 : std::min(wanted, MessagePanelWidth(bar) * 3 / 5);
  if (syncWidth < wanted)
    SyncPanel_->setText(SyncPanel_->fontMetrics().elidedText(sync, Qt::ElideRight, syncWidth - 16));
  const int widths[] = {MessagePanelWidth(bar) - syncWidth, kTimePanelWidth, kDatePanelWidth, kEndPanelWidth};
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    Panels_[i]->setGeometry(left, 0, widths[i], height);
    left += widths[i];
    if (i == 0) {
      SyncPanel_->setGeometry(left, 0, syncWidth, height);
      SyncPanel_->setVisible(syncWidth > 0);
      left += syncWidth;
    }
  }
}

void TForm1::ShowStatus(const std::string& text) {
  if (!text.empty()) Panels_[0]->setText(ToQt("  " + text));
}

void TForm1::ShowSyncStatus(const std::string& text, bool busy) {
  // The whole text stays in the tool tip; the panel shows what fits.
  SyncPanel_->setToolTip(ToQt(text));
  SyncPanel_->setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
  LayOutPanels();
}

void TForm1::Tick() {
  const double now = Desktop_.Clock.Now();
  Panels_[1]->setText(ToQt(FormatLongTime(now, Desktop_.Locale)));
  Panels_[2]->setText(ToQt(FormatShortDate(now, Desktop_.Locale)));
  Tray_.SetText(std::to_string(DecodeDate(now).Day));
  // The line marking the time in today's column moves on with each minute.
  const std::int64_t minute = ToMs(now) / kMsPerMinute;
  if (minute != ShownMinute_) {
    ShownMinute_ = minute;
    DayView_.Invalidate();
  }
  // Zoned events show at their new local times after the desktop's zone changed (travel); floating
  // ones keep their clock times. The reload waits while a dialog may hold an event.
  if (QApplication::activeModalWidget() == nullptr && LocalZoneChanged()) LifeCycle_->Planner().Store().ReloadEvents();
}

void TForm1::ToggleAlwaysOnTop(bool on) {
  AlwaysOnTop_->setChecked(on);
  TrayAlwaysOnTop_->setChecked(on);
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window; show it again where it was
  if (shown) show();
}

void TForm1::ExitCommand() {
  // An exit chosen while a modal window is open waits for it to close, and one asked while a
  // closed dialog's own event loop still runs waits for that loop to end: closing the main window
  // under a dialog would end the program from inside that dialog.
  if (QApplication::activeModalWidget() != nullptr || QThread::currentThread()->loopLevel() > 1) {
    QTimer::singleShot(250, this, [this] { GuardedCall([this] { ExitCommand(); }); });
    return;
  }
  LifeCycle_->Exit();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Expose && FitPending_ && watched == windowHandle() && isVisible()) {
    FitPending_ = false;  // the window is on screen with its frame
    KeepInsideScreen();
  }
  if (type == QEvent::Resize && watched == Tabs_->widget(mtEvents))
    GuardedCall([this] { Commands_.EventsTabResized(); });
  if (type == QEvent::Resize && watched == statusBar()) LayOutPanels();
  if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button != nullptr && button->menu() != nullptr) {
      button->showMenu();
      return true;
    }
  }
  if (type == QEvent::Enter || type == QEvent::Leave) {
    for (TVpViewWidget* host : ViewHosts_)
      if (watched == host)
        Panels_[0]->setText(ToQt(type == QEvent::Enter ? ViewHint(host->View().GetItemType()) : kReadyHint));
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  bool allowed = false;
  GuardedCall([&] { allowed = LifeCycle_->CloseRequested(); });
  if (!allowed) {
    event->ignore();
    return;
  }
  event->accept();
  if (Calendar_ != nullptr) Calendar_->hide();
  Tray_.SetVisible(false);
  QApplication::quit();
}

// --- TMainWindowShell ---

TPoint TForm1::DesktopSize() const {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  return {area.width(), area.height()};
}

std::vector<TRect> TForm1::Screens() const {
  std::vector<TRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(FromQt(screen->availableGeometry()));
  }
  return screens;
}

// The window's place with its frame (as move() takes it) and its size without the frame; while
// maximised, the place it goes back to.
TRect TForm1::Geometry() const {
  const bool normal = (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) == 0;
  return FromQt(normal || NormalPlace_.isEmpty() ? QRect(pos(), size()) : NormalPlace_);
}

void TForm1::SetGeometry(const TRect& rect) {
  const QRect place = ToQt(rect);
  move(place.topLeft());
  resize(place.size());
  NormalPlace_ = place;
}

void TForm1::SetMaximized(bool maximized) {
  setWindowState(maximized ? windowState() | Qt::WindowMaximized : windowState() & ~Qt::WindowMaximized);
}

int TForm1::ActiveTab() const { return Tabs_->currentIndex(); }

void TForm1::SetActiveTab(int index) {
  if (index >= 0 && index < Tabs_->count()) Tabs_->setCurrentIndex(index);
}

void TForm1::SetWeekView(bool shown, int width) { ShowWeekView(shown, width); }

// The width the week view has on screen; while it is not on screen (the window started hidden, or
// another tab is in front) the one it was given or last dragged to, as a view never laid out has
// no width of its own.
int TForm1::WeekViewWidth() const {
  return WeekViewShown_ && WeekViewHost_->isVisible() ? WeekViewHost_->width() : WeekViewWidth_;
}

void TForm1::ShowWeekView(bool shown, int width) {
  WeekViewShown_ = shown;
  WeekViewWidth_ = std::max(width, 1);
  WeekViewHost_->setVisible(shown);
  // Hidden, the splitter takes no room and offers no resizing.
  EventsSplitter_->setHandleWidth(shown ? 3 : 0);
  EventsSplitter_->handle(1)->setCursor(shown ? Qt::SplitHCursor : Qt::ArrowCursor);
  EventsSplitter_->handle(1)->setEnabled(shown);
  // The sizes given add up to the room the splitter has, so that they are taken as they are.
  const int room = EventsSplitter_->width() - EventsSplitter_->handleWidth();
  if (shown) EventsSplitter_->setSizes({WeekViewWidth_, std::max(room - WeekViewWidth_, 1)});
  if (WeekViewAction_ != nullptr) WeekViewAction_->setChecked(shown);
}

TRect TForm1::CalendarGeometry() const {
  if (Calendar_ == nullptr) return {};
  return FromQt(QRect(Calendar_->pos(), Calendar_->size()));
}

void TForm1::SetCalendarGeometry(const TRect& rect) {
  if (Calendar_ == nullptr) return;
  const QRect place = ToQt(rect);
  Calendar_->move(place.topLeft());
  Calendar_->resize(place.size());
}

void TForm1::ApplySettings(const TProgramSettings& settings) {
  ApplyDayViewSettings(DayView_, settings);
  ApplyWeekViewSettings(WeekView_, settings);
  ApplyContactGridSettings(ContactGrid_, settings);
  ApplyTaskListSettings(TaskList_, settings);
  if (Calendar_ != nullptr) ApplyMonthViewSettings(Calendar_->MonthView(), settings);
  if (Preferences_ != nullptr) Preferences_->ApplyStartSettings(settings);
  ApplyGeneralSettings(settings.NewEventsZoned, settings.DesktopNotifications);
}

void TForm1::ApplyGeneralSettings(bool newEventsZoned, bool desktopNotifications) {
  Desktop_.EditDialogs.SetNewEventsZoned(newEventsZoned);
  Desktop_.Notifications.SetEnabled(desktopNotifications);
  Desktop_.Reminders.SetNotifications(&Desktop_.Notifications);
}

void TForm1::SetResourcesMenu(const std::vector<std::string>& descriptions, int checked) {
  ResourcesSubmenu_->clear();
  for (size_t i = 0; i < descriptions.size(); ++i) {
    // The entry keeps its description; an "&" in it is shown, not taken as a mnemonic.
    QAction* entry = ResourcesSubmenu_->addAction(ToQt(descriptions[i]).replace('&', "&&"));
    entry->setCheckable(true);
    entry->setChecked(static_cast<int>(i) == checked);
    connect(entry, &QAction::triggered, this, [this, entry, description = descriptions[i]] {
      GuardedCall([&] {
        for (QAction* other : ResourcesSubmenu_->actions()) other->setChecked(other == entry);
        LifeCycle_->ChooseResource(description);
        ResourceChanged();
      });
    });
  }
}

// Back as the window was before it went to the notification area or was minimised: a maximised
// window comes back maximised, any other within the work area.
void TForm1::ShowMainWindow() {
  const bool shown = isVisible() && !isMinimized();
  FitPending_ = !shown;  // done at the window's exposure, when its frame is known
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  if (shown) KeepInsideScreen();
  // The first time, the frame and its views are painted before the start goes on to read the data
  // files, so that the window is never blank while they load.
  if (!FirstPaintDone_) {
    FirstPaintDone_ = true;
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() != nullptr && !windowHandle()->isExposed() && waited.elapsed() < kFirstExposureWaitMs)
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    repaint();
  }
}

void TForm1::HideMainWindow() { hide(); }

void TForm1::MinimizeMainWindow() { showMinimized(); }

void TForm1::SetTrayAddEntriesEnabled(bool enabled) {
  TrayAddTask_->setEnabled(enabled);
  TrayAddContact_->setEnabled(enabled);
}

bool TForm1::CalendarShowing() const { return Calendar_ != nullptr && Calendar_->isVisible(); }

void TForm1::SetCalendarShowing(bool shown) {
  if (Calendar_ != nullptr) Calendar_->setVisible(shown);
}

void TForm1::CalButtonsBeh(bool down) { CalendarAction_->setChecked(down); }

void TForm1::ShowError(const std::string& message) { Desktop_.MessageBoxes.ShowError(message); }
