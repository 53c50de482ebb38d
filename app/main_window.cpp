#include "app/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include "app/core/contact_grid_main_config.h"
#include "app/core/day_view_main_config.h"
#include "app/core/view_settings.h"
#include "app/core/window_placement.h"
#include "app/data_folder_watcher.h"
#include "app/program.h"
#include "model/date_format.h"
#include "model/day_number.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_text.h"
#include "views/qt/contact_button_bar_widget.h"
#include "views/qt/view_widget.h"

TForm1::TForm1(const std::string& programFolder, TQtDesktop& desktop)
    : Desktop_(desktop),
      LifeCycle_(
          std::make_unique<TLifeCycle>(programFolder, *this, desktop.StoreServices(), desktop.Poster, desktop.Writer)),
      Link_(Owner()),
      DayView_(desktop.Clock, desktop.Locale, Owner()),
      WeekView_(desktop.Clock, desktop.Locale, Owner()),
      ContactGrid_(Owner()),
      TaskList_(desktop.Clock, desktop.Locale, Owner()) {
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  resize(TLifeCycle::kDesignedSize.X, TLifeCycle::kDesignedSize.Y);
  ResourceDialog_.SetDataStore(&LifeCycle_->Planner().Store());

  Tabs_ = new QTabWidget(this);
  Tabs_->setObjectName("PCMain");
  Tabs_->addTab(BuildTasksTab(), "Task List");
  Tabs_->addTab(BuildEventsTab(), "Events");
  Tabs_->addTab(BuildContactsTab(), "Contacts");
  Tabs_->setCurrentIndex(1);  // the Events tab, as designed
  setCentralWidget(Tabs_);
  BuildMenus();
  BuildStatusBar();

  Tray_.OnActivated = [this] { ShowMainWindow(); };
  connect(&Clock_, &QTimer::timeout, this, [this] { GuardedCall([this] { Tick(); }); });
  Clock_.start(1000);

  // What another writer (koret-cli, an import) saves shows within a second or two. Not while a
  // modal window is open: it may be editing a record a reload would replace; the poll catches up
  // once it closes, and a post made meanwhile merges with the other writer's rows.
  new TDataFolderWatcher(  // owned by the window
      ToQt(programFolder + "/Data"),
      {TVpPlannerFiles::kResourcesFile, TVpPlannerFiles::kEventsFile, TVpPlannerFiles::kContactsFile,
       TVpPlannerFiles::kTasksFile},
      [this] {
        if (QApplication::activeModalWidget() == nullptr) LifeCycle_->Planner().Store().ReloadChangedTables();
      },
      this);

  // The first stage runs while the window is being built.
  GuardedCall([this] { ShowAtStart_ = LifeCycle_->StartFirstStage(); });
}

// The view widgets go first: the views they show are members, destroyed before the window's
// children would be.
TForm1::~TForm1() {
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
  ConfigureMainWeekView(WeekView_);
  WeekView_.SetDataStore(&store);
  WeekView_.SetControlLink(&Link_);
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
  EventsSplitter_->addWidget(WeekViewHost_);
  EventsSplitter_->addWidget(DayViewHost_);
  EventsSplitter_->setStretchFactor(1, 1);
  layout->addWidget(EventsSplitter_);
  ShowWeekView(false, WeekViewWidth_);
  tab->installEventFilter(this);
  return tab;
}

QWidget* TForm1::BuildContactsTab() {
  ConfigureMainContactGrid(ContactGrid_);
  ContactGrid_.SetDataStore(&LifeCycle_->Planner().Store());
  ContactGrid_.SetControlLink(&Link_);
  ConfigureMainContactButtonBar(ContactBar_);
  ContactBar_.SetContactGrid(&ContactGrid_);
  auto* tab = ContactsTab_ = new QWidget(Tabs_);
  tab->setObjectName("pnlContacts");
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* grid = new TVpViewWidget(ContactGrid_, tab);
  grid->setObjectName("VpContactGrid1");
  auto* bar = new TVpContactButtonBarWidget(ContactBar_, tab);
  bar->setObjectName("VpContactButtonBar1");
  bar->setFixedWidth(62);
  layout->addWidget(grid, 1);
  layout->addWidget(bar);
  return tab;
}

QWidget* TForm1::BuildTasksTab() {
  ConfigureMainTaskList(TaskList_);
  TaskList_.SetDataStore(&LifeCycle_->Planner().Store());
  auto* tab = new QWidget(Tabs_);
  tab->setObjectName("pnlTasks");
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 5, 0, 0);  // the 5-pixel strip along the top
  TaskListHost_ = new TVpViewWidget(TaskList_, tab);
  TaskListHost_->setObjectName("VpTaskList1");
  layout->addWidget(TaskListHost_);
  return tab;
}

void TForm1::SetWindows(TfrmOpt* preferences, TfrmCalendar* calendar, TAboutBox* about) {
  Preferences_ = preferences;
  Calendar_ = calendar;
  if (Calendar_ != nullptr) Calendar_->Connect(LifeCycle_->Planner().Store(), Link_);
  About_ = about;
}

void TForm1::Created() {
  DayView_.Loaded();
  WeekView_.Loaded();
  if (Calendar_ != nullptr) Calendar_->MonthView().Loaded();
  GuardedCall([this] { LifeCycle_->MainWindowCreated(); });
  // A first start places the window by its designed size but gives it the default size, which
  // may reach past the screen's edge: it is kept on the screen now, and again once the window
  // has its frame.
  const TProgramSettings& start = LifeCycle_->StartSettings();
  if (!start.MFLeft || !start.MFTop) {
    create();
    windowHandle()->installEventFilter(this);
    FitPending_ = true;
    KeepInsideScreen();
  }
  Tick();
}

void TForm1::KeepInsideScreen() {
  const QRect inside = geometry(), outside = frameGeometry();
  const QScreen* screen = QGuiApplication::screenAt(outside.center());
  if (screen == nullptr) screen = this->screen();
  const TFrameMargins frame{inside.left() - outside.left(), inside.top() - outside.top(),
                            outside.right() - inside.right(), outside.bottom() - inside.bottom()};
  const QRect fitted = ToQt(KeepInsideWorkArea(FromQt(inside), frame, FromQt(screen->availableGeometry())));
  if (fitted != inside) setGeometry(fitted);
}

QAction* TForm1::AddCommand(QMenu& menu, const QString& caption, const QKeySequence& shortcut,
                            std::function<void()> command) {
  QAction* action = menu.addAction(caption);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [command = std::move(command)] { GuardedCall(command); });
  return action;
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddCommand(*file, "Hide to Tray...", QKeySequence("Ctrl+M"), [this] { HideMainWindow(); });
  AlwaysOnTop_ = AddCommand(*file, "Always on Top...", {}, [this] { ToggleAlwaysOnTop(AlwaysOnTop_->isChecked()); });
  AlwaysOnTop_->setCheckable(true);
  AddCommand(*file, "Exit", {}, [this] { ExitCommand(); });

  QMenu* view = menuBar()->addMenu("&View");
  AddCommand(*view, "Task List", QKeySequence("Ctrl+F1"), [this] { Tabs_->setCurrentIndex(0); });
  AddCommand(*view, "Events", QKeySequence("Ctrl+F2"), [this] { Tabs_->setCurrentIndex(1); });
  AddCommand(*view, "Contacts", QKeySequence("Ctrl+F3"), [this] { Tabs_->setCurrentIndex(2); });
  AddCommand(*view, "Calendar", QKeySequence("Ctrl+F4"), [this] { ToggleCalendar(); });
  WeekViewAction_ = AddCommand(*view, "Week View", {}, [this] { ToggleWeekView(); });
  WeekViewAction_->setCheckable(true);
  WeekViewAction_->setChecked(WeekViewShown_);

  // The Resource menu belongs to the menu bar but is never shown.
  ResourceMenu_ = menuBar()->addMenu("Resource");
  ResourcesSubmenu_ = ResourceMenu_->addMenu("Resources");
  AddCommand(*ResourceMenu_, "New Resource", {}, [this] {
    ResourceDialog_.AddResource(ResourceWindow_);
    LifeCycle_->ResourcesEdited();
  });
  AddCommand(*ResourceMenu_, "Edit Resource", {}, [this] {
    ResourceDialog_.EditResource(ResourceWindow_);
    LifeCycle_->ResourcesEdited();
  });
  AddCommand(*ResourceMenu_, "Delete Resource", {}, [this] { LifeCycle_->DeleteActiveResource(); });
  ResourceMenu_->menuAction()->setVisible(false);

  QMenu* help = menuBar()->addMenu("&Help");
  AddCommand(*help, "About", {}, [this] {
    if (About_ != nullptr) About_->exec();
  });

  QMenu& tray = Tray_.Menu();
  AddCommand(tray, "Restore Window...", {}, [this] { ShowMainWindow(); });
  AddCommand(tray, "Hide to Tray...", QKeySequence("Ctrl+M"), [this] { HideMainWindow(); });
  TrayAlwaysOnTop_ =
      AddCommand(tray, "Always on Top...", {}, [this] { ToggleAlwaysOnTop(TrayAlwaysOnTop_->isChecked()); });
  TrayAlwaysOnTop_->setCheckable(true);
  tray.addSeparator();
  AddCommand(tray, "Exit", {}, [this] { ExitCommand(); });
}

void TForm1::BuildStatusBar() {
  statusBar()->setSizeGripEnabled(false);
  const int widths[] = {0, 75, 75, 10};
  for (int i = 0; i < 4; ++i) {
    Panels_[i] = new QLabel(this);
    if (widths[i] > 0) {
      Panels_[i]->setFixedWidth(widths[i]);
      Panels_[i]->setAlignment(i == 3 ? Qt::AlignLeft : Qt::AlignCenter);
      statusBar()->addPermanentWidget(Panels_[i]);
    } else {
      statusBar()->addWidget(Panels_[i], 1);
    }
  }
  Panels_[0]->setText("  Ready");
}

void TForm1::Tick() {
  const double now = Desktop_.Clock.Now();
  Panels_[1]->setText(ToQt(FormatLongTime(now, Desktop_.Locale)));
  Panels_[2]->setText(ToQt(FormatShortDate(now, Desktop_.Locale)));
  Tray_.SetText(std::to_string(DecodeDate(now).Day));
}

void TForm1::ToggleCalendar() {
  if (Calendar_ == nullptr) return;
  Tabs_->setCurrentIndex(1);
  Calendar_->setVisible(!Calendar_->isVisible());
}

void TForm1::ToggleAlwaysOnTop(bool on) {
  AlwaysOnTop_->setChecked(on);
  TrayAlwaysOnTop_->setChecked(on);
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window; show it again where it was
  if (shown) show();
}

void TForm1::ExitCommand() {
  // An exit chosen while a modal window is open waits for it to close: closing the main window
  // under an open dialog would end the program from inside that dialog.
  if (QApplication::activeModalWidget() != nullptr) {
    QTimer::singleShot(250, this, [this] { GuardedCall([this] { ExitCommand(); }); });
    return;
  }
  LifeCycle_->Exit();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && FitPending_ && watched == windowHandle() && isVisible()) {
    FitPending_ = false;  // the window is on screen with its frame
    KeepInsideScreen();
  }
  if (event->type() == QEvent::Resize && WeekViewShown_ && watched == Tabs_->widget(1))
    ShowWeekView(true, Tabs_->widget(1)->width() / 2);
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

// The window's place with its frame (as move() takes it) and its size without the frame.
TRect TForm1::Geometry() const { return FromQt(QRect(pos(), size())); }

void TForm1::SetGeometry(const TRect& rect) {
  const QRect place = ToQt(rect);
  move(place.topLeft());
  resize(place.size());
}

int TForm1::ActiveTab() const { return Tabs_->currentIndex(); }

void TForm1::SetActiveTab(int index) {
  if (index >= 0 && index < Tabs_->count()) Tabs_->setCurrentIndex(index);
}

void TForm1::SetWeekView(bool shown, int width) { ShowWeekView(shown, width); }

int TForm1::WeekViewWidth() const { return WeekViewShown_ ? WeekViewHost_->width() : WeekViewWidth_; }

void TForm1::ToggleWeekView() {
  Tabs_->setCurrentIndex(1);
  if (WeekViewShown_) {
    ShowWeekView(false, WeekViewHost_->width());
    return;
  }
  ShowWeekView(true, Tabs_->widget(1)->width() / 2);
}

void TForm1::ShowWeekView(bool shown, int width) {
  WeekViewShown_ = shown;
  WeekViewWidth_ = std::max(width, 1);
  WeekViewHost_->setVisible(shown);
  // Hidden, the splitter takes no room and offers no resizing.
  EventsSplitter_->setHandleWidth(shown ? 3 : 0);
  EventsSplitter_->handle(1)->setCursor(shown ? Qt::SplitHCursor : Qt::ArrowCursor);
  EventsSplitter_->handle(1)->setEnabled(shown);
  if (shown) EventsSplitter_->setSizes({WeekViewWidth_, std::max(EventsSplitter_->width() - WeekViewWidth_, 1)});
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
}

void TForm1::SetResourcesMenu(const std::vector<std::string>& descriptions, int checked) {
  ResourcesSubmenu_->clear();
  for (size_t i = 0; i < descriptions.size(); ++i) {
    QAction* entry = ResourcesSubmenu_->addAction(ToQt(descriptions[i]));
    entry->setCheckable(true);
    entry->setChecked(static_cast<int>(i) == checked);
    connect(entry, &QAction::triggered, this, [this, entry, description = descriptions[i]] {
      GuardedCall([&] {
        for (QAction* other : ResourcesSubmenu_->actions()) other->setChecked(other == entry);
        LifeCycle_->ChooseResource(description);
      });
    });
  }
}

void TForm1::ShowMainWindow() {
  showNormal();
  raise();
  activateWindow();
}

void TForm1::HideMainWindow() { hide(); }

void TForm1::MinimizeMainWindow() { showMinimized(); }

void TForm1::ShowError(const std::string& message) { Desktop_.MessageBoxes.ShowError(message); }
