#include "app/calendar_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/windows/calendar_window_logic.h"
#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/qt/command_guard.h"
#include "views/qt/view_widget.h"

namespace {

QToolButton* ToolButton(QWidget* parent, const char* name, const char* caption, const char* hint, int width,
                        QStyle::StandardPixmap picture) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(caption);
  button->setToolTip(hint);
  button->setIcon(parent->style()->standardIcon(picture));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  // The designed width, or wider where the desktop's font needs more for the caption.
  button->setFixedSize(std::max(width, button->sizeHint().width()), 41);
  return button;
}

QComboBox* ReadOnlyList(QWidget* parent, const char* name, int width, const std::vector<std::string>& entries) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setFixedWidth(width);
  QFont bold = list->font();
  bold.setBold(true);
  list->setFont(bold);
  for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
  return list;
}

}  // namespace

TfrmCalendar::TfrmCalendar(const TClock& clock, const TLocale& locale, const void* owner, QWidget* parent)
    // The calendar stays above the other windows. The flag is set once here: changing a window's
    // flags while it is being shown makes a new native window that is never painted.
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), MonthView_(clock, locale, owner) {
  setObjectName("frmCalendar");
  setWindowTitle("Calendar");
  setMinimumSize(290, 320);
  resize(282, 286);
  ConfigureCalendarMonthView(MonthView_);
  MonthView_.OnDateChanged = [this](TVpMonthView&, double date) { ShowInLists(date); };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildButtons());
  layout->addWidget(BuildLists(locale));
  Host_ = new TVpViewWidget(MonthView_, this);
  Host_->setObjectName("VpMonthView1");
  layout->addWidget(Host_, 1);
  ShowInLists(MonthView_.Date());
}

// The host goes first: it shows the month view, a member destroyed before the window's children.
TfrmCalendar::~TfrmCalendar() { delete Host_; }

QWidget* TfrmCalendar::BuildButtons() {
  auto* bar = new QWidget(this);
  bar->setFixedHeight(45);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  auto* previous = ToolButton(bar, "SBPrevMonth", "Prev. Month", "Goto Previous Month", 70, QStyle::SP_ArrowLeft);
  auto* next = ToolButton(bar, "SBNextMonth", "Next Month", "Goto Next Month", 70, QStyle::SP_ArrowRight);
  auto* today = ToolButton(bar, "TeSpeedButton2", "Today", "Show Today", 50, QStyle::SP_DialogResetButton);
  auto step = [this](int months) {
    GuardedCall([this, months] { MonthView_.SetDate(MonthsLater(months, MonthView_.Date())); });
  };
  connect(previous, &QToolButton::clicked, this, [step] { step(-1); });
  connect(next, &QToolButton::clicked, this, [step] { step(1); });
  connect(today, &QToolButton::clicked, this, [this] { GuardedCall([this] { MonthView_.SelectToday(); }); });
  row->addWidget(previous);
  row->addWidget(next);
  row->addWidget(today);
  row->addStretch(1);
  return bar;
}

QWidget* TfrmCalendar::BuildLists(const TLocale& locale) {
  auto* bar = new QWidget(this);
  bar->setFixedHeight(35);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  Months_ = ReadOnlyList(bar, "cbMonths", 121, MonthListNames(locale));
  Years_ = ReadOnlyList(bar, "cbYears", 77, YearListNames());
  // A choice from a list, by mouse or by the arrow keys, moves the month view.
  for (QComboBox* list : {Months_, Years_})
    connect(list, &QComboBox::activated, this, [this] { GuardedCall([this] { ListChosen(); }); });
  row->addWidget(Months_);
  row->addWidget(Years_);
  row->addStretch(1);
  return bar;
}

void TfrmCalendar::Connect(TVpCustomDataStore& store, TVpControlLink& link) {
  MonthView_.SetDataStore(&store);
  MonthView_.SetControlLink(&link);
}

void TfrmCalendar::ShowInLists(double date) {
  Months_->setCurrentIndex(DecodeDate(date).Month - 1);
  if (const std::optional<int> year = YearListIndex(date)) Years_->setCurrentIndex(*year);
}

void TfrmCalendar::ListChosen() {
  const std::optional<double> date =
      ListedMonthDate(Years_->currentText().toStdString(), Months_->currentIndex() + 1, MonthView_.Date());
  if (date) MonthView_.SetDate(*date);
}

void TfrmCalendar::closeEvent(QCloseEvent* event) {
  event->accept();
  if (OnClosed) OnClosed();
}

void TfrmCalendar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(event);
}
