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
#include <QVBoxLayout>

#include "app/sync_page.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "views/qt/view_widget.h"

namespace {

constexpr int kButtonLeft = 6;
constexpr int kButtonTop = 11;
constexpr int kButtonStep = 32;
constexpr QSize kButtonSize{108, 25};

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

QPushButton* Button(QWidget* parent, const QString& caption, int row, int left = kButtonLeft, int top = kButtonTop) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(QRect(QPoint(left, top + row * kButtonStep), kButtonSize));
  return button;
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
  setFixedSize(402, 396);
  ConfigurePreferenceSamples({TLOpt_, DVOpt_, WVOpt_, CVOpt_, CGOpt_});

  Pages_ = new QTabWidget(this);
  Pages_->setObjectName("PageControl1");
  Pages_->setGeometry(0, 0, 402, 396 - 46);
  Pages_->addTab(BuildGeneralPage(), "General");
  Pages_->addTab(new QWidget(Pages_), "Skin");
  QWidget* tasks = BuildLookPage(ppTasks, TLOpt_, "TLOpt");
  AddTaskBoxes(*tasks);
  Pages_->addTab(tasks, "Tasks");
  QWidget* daily = BuildLookPage(ppDaily, DVOpt_, "DVOpt");
  AddGranularityList(*daily);
  Pages_->addTab(daily, "Daily");
  Pages_->addTab(BuildLookPage(ppWeekly, WVOpt_, "WVOpt"), "Weekly");
  Pages_->addTab(BuildLookPage(ppCalendar, CVOpt_, "CVOpt"), "Calendar");
  Pages_->addTab(BuildLookPage(ppContacts, CGOpt_, "CGOpt"), "Contacts");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setGeometry(241, 396 - 46 + 11, 72, 25);
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  cancel->setGeometry(321, 396 - 46 + 11, 72, 25);
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
  connect(cbTime_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Logic_) GuardedCall([this, index] { Logic_->SetTimeFormatIndex(index); });
  });
  return page;
}

QWidget* TfrmOpt::BuildLookPage(TPreferencesPage kind, TVpLinkableControl& sample, const char* sampleName) {
  auto* page = new QWidget(Pages_);
  QGroupBox* group = nullptr;
  int row = 0, groupRow = 0;
  for (const TLookButton& button : LookButtons()) {
    if (button.Page != kind) continue;
    QPushButton* pushButton = nullptr;
    if (button.Group[0] == '\0') {
      pushButton = Button(page, button.Caption, row++);
    } else {
      // The group's buttons keep the column's place and step, inside the group's frame.
      if (group == nullptr) {
        group = new QGroupBox(button.Group, page);
        group->setGeometry(kButtonLeft - 4, kButtonTop + row * kButtonStep - 4, kButtonSize.width() + 8,
                           20 + 3 * kButtonStep);
      }
      pushButton = Button(group, button.Caption, groupRow++, 4, 20);
    }
    connect(pushButton, &QPushButton::clicked, this, [this, &button] {
      GuardedCall([this, &button] { button.Font != nullptr ? ChooseFont(button) : ChooseColor(button); });
    });
  }
  auto* preview = new QGroupBox("Preview:", page);
  preview->setObjectName("Preview");
  preview->setGeometry(396 - 271 - 4, 2, 271, 316);
  auto* layout = new QVBoxLayout(preview);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* host = new TVpViewWidget(sample, preview);
  host->setObjectName(sampleName);
  SampleHosts_.push_back(host);
  layout->addWidget(host);
  return page;
}

void TfrmOpt::AddTaskBoxes(QWidget& page) {
  const int top = kButtonTop + 6 * kButtonStep;
  ShowAll_ = CheckBox(&page, "cbShowAll", "Show All");
  ShowCompleted_ = CheckBox(&page, "cbShowCompleted", "Show Completed");
  ShowDue_ = CheckBox(&page, "cbShowDue", "Show Due Date");
  int i = 0;
  int right = 0;
  for (QCheckBox* box : {ShowAll_, ShowCompleted_, ShowDue_}) {
    box->setGeometry(kButtonLeft, top + 24 * i++, box->sizeHint().width(), 22);
    right = std::max(right, box->geometry().right());
  }
  // Where the desktop's font needs more room for a caption than the column has, the preview
  // gives it.
  auto* preview = page.findChild<QGroupBox*>("Preview");
  const QRect place = preview->geometry();
  if (right + 4 > place.left()) preview->setGeometry(place.adjusted(right + 4 - place.left(), 0, 0, 0));
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
  const int top = kButtonTop + 7 * kButtonStep;
  auto* label = new QLabel("Granularity:", &page);
  label->setGeometry(kButtonLeft, top, kButtonSize.width(), 16);
  label->hide();
  cbGran_ = new QComboBox(&page);
  cbGran_->setObjectName("cbGran");
  cbGran_->addItems(
      {"5   Minutes", "6   Minutes", "10 Minutes", "15 Minutes", "20 Minutes", "30 Minutes", "60 Minutes"});
  cbGran_->setGeometry(kButtonLeft, top + 18, kButtonSize.width(), 22);
  cbGran_->hide();
  connect(cbGran_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (Logic_) Logic_->SetGranularityIndex(index);
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
  const QSignalBlocker blockers[] = {
      QSignalBlocker(cbStartup_), QSignalBlocker(cbMinimized_),   QSignalBlocker(cbTime_), QSignalBlocker(cbGran_),
      QSignalBlocker(ShowAll_),   QSignalBlocker(ShowCompleted_), QSignalBlocker(ShowDue_)};
  cbStartup_->setChecked(Logic_->StartWithDesktop());
  cbMinimized_->setChecked(Logic_->StartMinimized());
  cbTime_->setCurrentIndex(Logic_->TimeFormatIndex());
  cbGran_->setCurrentIndex(Logic_->GranularityIndex());
  ShowAll_->setChecked(Logic_->ShowAll());
  ShowCompleted_->setChecked(Logic_->ShowCompleted());
  ShowDue_->setChecked(Logic_->ShowDueDate());
}

void TfrmOpt::FitTabsInOneRow() {
  QTabBar& tabs = *Pages_->tabBar();
  tabs.setFont(font());
  for (QFont smaller = font(); tabs.sizeHint().width() > Pages_->width() && smaller.pointSizeF() > 5;) {
    smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
    tabs.setFont(smaller);
  }
}

void TfrmOpt::showEvent(QShowEvent* event) {
  FitTabsInOneRow();
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
