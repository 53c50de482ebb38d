#include "print/qt/editor_controls.h"

#include <algorithm>

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "print/format_editors.h"

TVpRadioGroup::TVpRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), Buttons_(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    Buttons_->addButton(button, i);
    grid->addWidget(button, i / columns, i % columns);
  }
  connect(Buttons_, &QButtonGroup::idClicked, this, &TVpRadioGroup::Chosen);
}

int TVpRadioGroup::ItemIndex() const { return Buttons_->checkedId(); }

void TVpRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = Buttons_->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; none is chosen only with it lifted for a moment.
  Buttons_->setExclusive(false);
  for (QAbstractButton* button : Buttons_->buttons()) button->setChecked(false);
  Buttons_->setExclusive(true);
}

QStringList DayUnitNames() { return {"Day", "Week", "Month", "Year"}; }

void AddOkCancel(QDialog& window, QLayout& layout, std::function<void()> confirm) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOk");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &window, std::move(confirm));
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout.addWidget(buttons);
}

QSpinBox* MakeSpinField(int value, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(std::min(0, value), std::max(kMaxSpinValue, value));
  spin->setValue(value);
  return spin;
}
