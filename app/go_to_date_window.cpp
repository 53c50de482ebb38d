#include "app/go_to_date_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/day_number.h"
#include "platform/clock.h"
#include "views/qt/date_edit_widget.h"

TGoToDateWindow::TGoToDateWindow(const TClock& clock, const TLocale& locale, double shown, QWidget* parent)
    : QDialog(parent), Clock_(clock), Date_(clock, locale) {
  setObjectName("GoToDate");
  setWindowTitle("Go to Date");
  Date_.UseProgramFieldSetUp();
  Date_.SetDate(DateOf(shown));
  auto* field = new TVpDateEditWidget(Date_, this);
  field->setObjectName("GoToDateField");
  field->setMinimumWidth(180);
  auto* form = new QFormLayout;
  form->addRow("&Date:", field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* today = buttons->addButton("&Today", QDialogButtonBox::ActionRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(today, &QPushButton::clicked, this, [this, field] {
    Date_.SetDate(DateOf(Clock_.Now()));
    field->setFocus();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  field->setFocus();
}

std::optional<double> TGoToDateWindow::Run() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  Date_.Exit();  // takes up a date typed and not yet left
  const double date = Date_.Date();
  if (date == 0) return std::nullopt;
  return date;
}
