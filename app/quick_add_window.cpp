#include "app/quick_add_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/clock.h"

namespace {

// The desktop's week start and date order.
TVpQuickAddOptions DesktopOptions() {
  const QLocale locale;
  TVpQuickAddOptions options;
  options.WeekStart = static_cast<int>(locale.firstDayOfWeek()) % 7 + 1;  // Monday 1 .. Sunday 7 in Qt
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  options.DayFirst = format.indexOf('d') < format.indexOf('M');
  return options;
}

}  // namespace

TQuickAddWindow::TQuickAddWindow(const TClock& clock, QWidget* parent)
    : QDialog(parent), Clock_(clock), Options_(DesktopOptions()) {
  setObjectName("QuickAdd");
  setWindowTitle("Quick Add");
  auto* caption = new QLabel("&What and when:", this);
  Line_ = new QLineEdit(this);
  Line_->setObjectName("QuickAddLine");
  Line_->setPlaceholderText("Lunch with Anna at Cafe Central tomorrow 12:30 for 90 min");
  Line_->setMinimumWidth(460);
  caption->setBuddy(Line_);
  Understood_ = new QLabel(this);
  Understood_->setObjectName("QuickAddUnderstood");
  Understood_->setWordWrap(true);
  Understood_->setMinimumHeight(2 * fontMetrics().height());
  auto* buttons = new QDialogButtonBox(this);
  Add_ = buttons->addButton("&Add", QDialogButtonBox::AcceptRole);
  Add_->setDefault(true);
  Open_ = buttons->addButton("&Open in Event Dialog...", QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(Line_);
  layout->addWidget(Understood_);
  layout->addWidget(buttons);
  connect(Line_, &QLineEdit::textChanged, this, [this] { Read(); });
  connect(Add_, &QPushButton::clicked, this, [this] {
    Choice_ = qcAdd;
    accept();
  });
  connect(Open_, &QPushButton::clicked, this, [this] {
    Choice_ = qcOpenDialog;
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Read();
}

void TQuickAddWindow::Read() {
  const double now = Clock_.Now();
  Added_ = ParseQuickAdd(Line_->text().toStdString(), now, Options_);
  const bool empty = Added_.Subject.empty();
  QString text =
      empty ? QString("Type a subject with a day and a time.") : QString::fromStdString(DescribeQuickAdd(Added_, now));
  if (!empty && !Added_.IsTask && !QuickAddTimes(Added_, now)) text += ": it goes on the day shown, all day.";
  Understood_->setText(text);
  Add_->setEnabled(!empty);
  Open_->setEnabled(!empty && !Added_.IsTask);
}

TQuickAddWindow::TChoice TQuickAddWindow::Run(TVpQuickAdd& added) {
  Choice_ = qcCancel;
  if (exec() != QDialog::Accepted) return qcCancel;
  added = Added_;
  return Choice_;
}
