#include "app/preferences_window.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/sync_page.h"
#include "dialogs/qt/zone_choice.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "views/qt/view_widget.h"

namespace {

// The window's designed size, its least: it grows to what its pages need at the desktop's font.
constexpr QSize kDesignedSize{402, 396};
constexpr int kButtonLeft = 6;
constexpr int kButtonTop = 11;
constexpr int kButtonStep = 32;
constexpr QSize kButtonSize{108, 25};
constexpr QSize kPreviewSize{271, 316};
// A line of the font the window was designed with (8 points at 96 dots per inch).
constexpr int kDesignedLineHeight = 13;

// The font dialog's font for a view's font (sizes in points) and the view's font for its choice;
// what the dialog does not show (colour, angle, pitch) stays.
QFont DialogFont(const TFont& font) {
  QFont result(ToQt(font.Name));
  result.setPointSize(std::max(1, font.Size));
  result.setBold((font.Style & fsBold) != 0);
  result.setItalic((font.Style & fsItalic) != 0);
  result.setUnderline((font.Style & fsUnderline) != 0);
  result.setStrikeOut((font.Style & fsStrikeOut) != 0);
  return result;
}

TFont ChosenFont(const QFont& chosen, TFont font) {
  font.Name = FromQt(chosen.family());
  if (chosen.pointSize() > 0) font.Size = chosen.pointSize();
  font.Style = 0;
  if (chosen.bold()) font.Style |= fsBold;
  if (chosen.italic()) font.Style |= fsItalic;
  if (chosen.underline()) font.Style |= fsUnderline;
  if (chosen.strikeOut()) font.Style |= fsStrikeOut;
  return font;
}

// A look page's column of buttons (and of the boxes below them): the designed step between rows.
QVBoxLayout* ButtonColumn() {
  auto* column = new QVBoxLayout;
  column->setSpacing(kButtonStep - kButtonSize.height());
  return column;
}

// The column of a look page, where the boxes of its page go below the buttons.
QVBoxLayout& ColumnOf(QWidget& page) { return *static_cast<QVBoxLayout*>(page.layout()->itemAt(0)->layout()); }

void AddToColumn(QWidget& page, QWidget* widget) {
  QVBoxLayout& column = ColumnOf(page);
  column.insertWidget(column.count() - 1, widget);  // above the stretch
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

TfrmOpt::TfrmOpt(TQtDesktop& desktop, const void* owner, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Desktop_(desktop),
      TLOpt_(desktop.Clock, desktop.Locale, owner),
      DVOpt_(desktop.Clock, desktop.Locale, owner),
      WVOpt_(desktop.Clock, desktop.Locale, owner),
      CVOpt_(desktop.Clock, desktop.Locale, owner),
      CGOpt_(owner),
      Autostart_(TAutostartEntry::DefaultFileName(), desktop.Writer) {
  setObjectName("frmOpt");
  setWindowTitle("Koret Preferences");
  setMinimumSize(kDesignedSize);
  ConfigurePreferenceSamples({TLOpt_, DVOpt_, WVOpt_, CVOpt_, CGOpt_});

  // The tabs keep the desktop's font and their whole captions, in one row: the window is as wide
  // as they need.
  Pages_ = new QTabWidget(this);
  Pages_->setObjectName("PageControl1");
  Pages_->setUsesScrollButtons(false);
  Pages_->tabBar()->setElideMode(Qt::ElideNone);
  Pages_->addTab(BuildGeneralPage(), "General");
  Pages_->addTab(new QWidget(Pages_), "Skin");
  QWidget* tasks = BuildLookPage(ppTasks, TLOpt_, "TLOpt");
  AddTaskBoxes(*tasks);
  Pages_->addTab(tasks, "Tasks");
  QWidget* daily = BuildLookPage(ppDaily, DVOpt_, "DVOpt");
  AddGranularityList(*daily);
  AddSecondZoneChoice(*daily);
  Pages_->addTab(daily, "Daily");
  Pages_->addTab(BuildLookPage(ppWeekly, WVOpt_, "WVOpt"), "Weekly");
  Pages_->addTab(BuildLookPage(ppCalendar, CVOpt_, "CVOpt"), "Calendar");
  Pages_->addTab(BuildLookPage(ppContacts, CGOpt_, "CGOpt"), "Contacts");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setMinimumSize(72, 25);
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  cancel->setMinimumSize(72, 25);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 9, 10);
  layout->setSpacing(11);
  layout->addWidget(Pages_, 1);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, [this] { GuardedCall([this] { Confirm(); }); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  FontDialog_ = new QFontDialog(this);
  ColorDialog_ = new QColorDialog(this);
}

// The hosts go first: they show the samples, members destroyed before the window's children.
TfrmOpt::~TfrmOpt() {
  for (TVpViewWidget* host : SampleHosts_) delete host;
}

QWidget* TfrmOpt::BuildGeneralPage() {
  auto* page = new QWidget(Pages_);
  auto* layout = new QVBoxLayout(page);
  auto* startup = new QGroupBox("Startup Options", page);
  auto* boxes = new QVBoxLayout(startup);
  cbStartup_ = CheckBox(startup, "cbStartup", "Start Koret when the desktop starts");
  cbMinimized_ = CheckBox(startup, "cbMinimized", "Start Minimized");
  boxes->addWidget(cbStartup_);
  boxes->addWidget(cbMinimized_);
  layout->addWidget(startup);
  cbZoned_ = CheckBox(page, "cbNewEventsZoned", "New events keep the desktop's time &zone");
  cbZoned_->setToolTip("Off: new events are floating, at the same clock time wherever the desktop is");
  layout->addWidget(cbZoned_);
  cbNotifications_ = CheckBox(page, "cbDesktopNotifications", "Show reminders as desktop &notifications too");
  layout->addWidget(cbNotifications_);
  layout->addWidget(new QLabel("Time Format:", page));
  cbTime_ = new QComboBox(page);
  cbTime_->setObjectName("cbTime");
  cbTime_->addItems({"12 Hours", "24 Hours"});
  cbTime_->setCurrentIndex(1);
  cbTime_->setFixedWidth(145);
  layout->addWidget(cbTime_);
  layout->addStretch(1);
  connect(cbStartup_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetStartWithDesktop(on);
  });
  connect(cbMinimized_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetStartMinimized(on);
  });
  connect(cbZoned_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetNewEventsZoned(on);
  });
  connect(cbNotifications_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetDesktopNotifications(on);
  });
  connect(cbTime_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Logic_) GuardedCall([this, index] { Logic_->SetTimeFormatIndex(index); });
  });
  return page;
}

QWidget* TfrmOpt::BuildLookPage(TPreferencesPage kind, TVpLinkableControl& sample, const char* sampleName) {
  auto* page = new QWidget(Pages_);
  QVBoxLayout* column = ButtonColumn();
  column->setContentsMargins(0, kButtonTop - 2, 0, 0);
  QGroupBox* group = nullptr;
  QVBoxLayout* groupColumn = nullptr;
  for (const TLookButton& button : LookButtons()) {
    if (button.Page != kind) continue;
    // The designed size, or wider where the desktop's font needs more for the caption.
    auto* pushButton = new QPushButton(button.Caption, page);
    pushButton->setMinimumSize(kButtonSize);
    if (button.Group[0] == '\0') {
      column->addWidget(pushButton);
    } else {
      // The group's buttons keep the column's step, inside the group's frame.
      if (group == nullptr) {
        group = new QGroupBox(button.Group, page);
        groupColumn = ButtonColumn();
        groupColumn->setContentsMargins(4, 4, 4, 4);
        group->setLayout(groupColumn);
        column->addWidget(group);
      }
      groupColumn->addWidget(pushButton);
    }
    connect(pushButton, &QPushButton::clicked, this, [this, &button] {
      GuardedCall([this, &button] { button.Font != nullptr ? ChooseFont(button) : ChooseColor(button); });
    });
  }
  column->addStretch(1);
  // The sample takes the rest of the page, at least its designed size (FitToPages scales it).
  auto* preview = new QGroupBox("Preview:", page);
  preview->setObjectName("Preview");
  preview->setMinimumSize(kPreviewSize);
  auto* layout = new QVBoxLayout(preview);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* host = new TVpViewWidget(sample, preview);
  host->setObjectName(sampleName);
  SampleHosts_.push_back(host);
  layout->addWidget(host);
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(kButtonLeft, 2, 4, 2);
  row->addLayout(column);
  row->addWidget(preview, 1);
  return page;
}

void TfrmOpt::AddTaskBoxes(QWidget& page) {
  ShowAll_ = CheckBox(&page, "cbShowAll", "Show All");
  ShowCompleted_ = CheckBox(&page, "cbShowCompleted", "Show Completed");
  ShowDue_ = CheckBox(&page, "cbShowDue", "Show Due Date");
  for (QCheckBox* box : {ShowAll_, ShowCompleted_, ShowDue_}) AddToColumn(page, box);
  connect(ShowAll_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetShowAll(on);
  });
  connect(ShowCompleted_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetShowCompleted(on);
  });
  connect(ShowDue_, &QCheckBox::toggled, this, [this](bool on) {
    if (Logic_) Logic_->SetShowDueDate(on);
  });
}

// The granularity list is there for the program alone: hidden, with its label.
void TfrmOpt::AddGranularityList(QWidget& page) {
  auto* label = new QLabel("Granularity:", &page);
  AddToColumn(page, label);
  label->hide();
  cbGran_ = new QComboBox(&page);
  cbGran_->setObjectName("cbGran");
  cbGran_->addItems(
      {"5   Minutes", "6   Minutes", "10 Minutes", "15 Minutes", "20 Minutes", "30 Minutes", "60 Minutes"});
  AddToColumn(page, cbGran_);
  cbGran_->hide();
  connect(cbGran_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Logic_) Logic_->SetGranularityIndex(index);
  });
}

// The zone whose hours the day view shows beside the desktop's, for those who work across zones.
void TfrmOpt::AddSecondZoneChoice(QWidget& page) {
  auto* label = new QLabel("Second time &zone:", &page);
  AddToColumn(page, label);
  cbSecondZone_ = new QComboBox(&page);
  cbSecondZone_->setObjectName("cbSecondZone");
  FillZoneChoice(*cbSecondZone_, "None");
  cbSecondZone_->setMaximumWidth(kButtonSize.width());
  label->setBuddy(cbSecondZone_);
  AddToColumn(page, cbSecondZone_);
  connect(cbSecondZone_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Logic_)
      GuardedCall([this, index] { Logic_->SetSecondZone(cbSecondZone_->itemData(index).toString().toStdString()); });
  });
}

void TfrmOpt::Connect(TPreferenceViews live, TVpCustomDataStore& store, TVpControlLink& link,
                      TSettingsStore& settings) {
  const TPreferenceViews samples{TLOpt_, DVOpt_, WVOpt_, CVOpt_, CGOpt_};
  for (TVpLinkableControl* view :
       std::initializer_list<TVpLinkableControl*>{&TLOpt_, &DVOpt_, &WVOpt_, &CVOpt_, &CGOpt_}) {
    view->SetDataStore(&store);
    view->SetControlLink(&link);
  }
  DVOpt_.Loaded();
  WVOpt_.Loaded();
  CVOpt_.Loaded();
  Logic_ = std::make_unique<TPreferences>(live, samples, settings, Autostart_,
                                          FromQt(QCoreApplication::applicationFilePath()), Desktop_.MessageBoxes);
  Logic_->SetSkinPage(SkinLogic_);
}

void TfrmOpt::SetSkinPage(QWidget* page, TPreferencesSkinPage& logic) {
  SkinLogic_ = &logic;
  if (Logic_) Logic_->SetSkinPage(SkinLogic_);
  QWidget* empty = Pages_->widget(1);
  Pages_->removeTab(1);
  delete empty;
  page->setParent(Pages_);
  Pages_->insertTab(1, page, "Skin");
}

void TfrmOpt::SetSyncPage(TSyncPage* page) {
  SyncPage_ = page;
  page->setParent(Pages_);
  Pages_->addTab(page, "Sync");
}

void TfrmOpt::ExecOnPage(TPreferencesPage page) {
  Pages_->setCurrentIndex(page);
  exec();
}

void TfrmOpt::ApplyStartSettings(const TProgramSettings& settings) {
  if (!Logic_) return;
  Logic_->ApplyStartSettings(settings);
  ShowState();
}

void TfrmOpt::ShowState() {
  const QSignalBlocker blockers[] = {QSignalBlocker(cbStartup_),       QSignalBlocker(cbMinimized_),
                                     QSignalBlocker(cbTime_),          QSignalBlocker(cbGran_),
                                     QSignalBlocker(cbSecondZone_),    QSignalBlocker(cbZoned_),
                                     QSignalBlocker(cbNotifications_), QSignalBlocker(ShowAll_),
                                     QSignalBlocker(ShowCompleted_),   QSignalBlocker(ShowDue_)};
  cbStartup_->setChecked(Logic_->StartWithDesktop());
  cbMinimized_->setChecked(Logic_->StartMinimized());
  cbZoned_->setChecked(Logic_->NewEventsZoned());
  cbNotifications_->setChecked(Logic_->DesktopNotifications());
  cbTime_->setCurrentIndex(Logic_->TimeFormatIndex());
  cbGran_->setCurrentIndex(Logic_->GranularityIndex());
  cbSecondZone_->setCurrentIndex(std::max(0, cbSecondZone_->findData(QString::fromStdString(Logic_->SecondZone()))));
  ShowAll_->setChecked(Logic_->ShowAll());
  ShowCompleted_->setChecked(Logic_->ShowCompleted());
  ShowDue_->setChecked(Logic_->ShowDueDate());
}

void TfrmOpt::FitToPages() {
  // The samples' texts grow with the desktop's font, and so does their least room.
  const qreal scale = std::max<qreal>(1.0, fontMetrics().height() / qreal(kDesignedLineHeight));
  for (QGroupBox* preview : findChildren<QGroupBox*>("Preview"))
    preview->setMinimumSize((QSizeF(kPreviewSize) * scale).toSize());
  layout()->activate();
  setFixedSize(sizeHint().expandedTo(kDesignedSize));
}

void TfrmOpt::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // Another skin's style or another desktop font while the window is open: once every control
  // has taken it, the window takes the size its pages need now.
  if ((event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) && isVisible())
    QTimer::singleShot(0, this, [this] { GuardedCall([this] { FitToPages(); }); });
}

void TfrmOpt::showEvent(QShowEvent* event) {
  FitToPages();
  QDialog::showEvent(event);
  // Centred on the desktop, all screens together.
  const QRect desktop = screen()->virtualGeometry();
  const QSize size = frameGeometry().size();
  move(desktop.left() + (desktop.width() - size.width()) / 2, desktop.top() + (desktop.height() - size.height()) / 2);
  if (SyncPage_ != nullptr) GuardedCall([this] { SyncPage_->Showing(); });
  if (!Logic_) return;
  GuardedCall([this] {
    Logic_->Showing();
    ShowState();
  });
}

void TfrmOpt::ChooseFont(const TLookButton& button) {
  TPreferenceViews& samples = Logic_->Samples();
  TVpFont& font = button.Font(samples);
  FontDialog_->setCurrentFont(DialogFont(font.Font()));
  if (FontDialog_->exec() == QDialog::Accepted) font.Assign(ChosenFont(FontDialog_->selectedFont(), font.Font()));
}

void TfrmOpt::ChooseColor(const TLookButton& button) {
  TPreferenceViews& samples = Logic_->Samples();
  ColorDialog_->setCurrentColor(TQtCanvas::QtColor(button.Color(samples)));
  if (ColorDialog_->exec() != QDialog::Accepted) return;
  const QColor chosen = ColorDialog_->selectedColor();
  button.SetColor(samples, RGB(chosen.red(), chosen.green(), chosen.blue()));
}

void TfrmOpt::Confirm() {
  if (SyncPage_ != nullptr && !SyncPage_->Check()) {
    Pages_->setCurrentWidget(SyncPage_);
    return;
  }
  if (Logic_) Logic_->Ok();
  if (SyncPage_ != nullptr) SyncPage_->Ok();
  accept();
}
