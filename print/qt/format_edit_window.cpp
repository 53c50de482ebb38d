#include "print/qt/format_edit_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "print/qt/editor_controls.h"

TfrmEditFormat::TfrmEditFormat(TVpFormatEditForm& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("frmEditFormat");
  setWindowTitle("Edit Format");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* fields = new QFormLayout;
  Name_ = new QLineEdit(ToQt(form.Name), this);
  Name_->setObjectName("edName");
  Description_ = new QLineEdit(ToQt(form.Description), this);
  Description_->setObjectName("edDescription");
  Description_->setMinimumWidth(280);
  Increment_ = MakeSpinField(form.Increment, this);
  Increment_->setObjectName("edIncrement");
  fields->addRow("&Name:", Name_);
  fields->addRow("&Description:", Description_);
  fields->addRow("&Increment:", Increment_);
  layout->addLayout(fields);
  Unit_ = new TVpRadioGroup("Increment Unit ", DayUnitNames(), 4, this);
  Unit_->setObjectName("rgDayIncrement");
  Unit_->SetItemIndex(form.IncrementUnit);
  layout->addWidget(Unit_);
  StartsOnMonday_ = new QCheckBox("Start on the &Monday of the chosen week", this);
  StartsOnMonday_->setObjectName("cbStartsOnMonday");
  StartsOnMonday_->setChecked(form.StartsOnMonday);
  layout->addWidget(StartsOnMonday_);
  AddOkCancel(*this, *layout, [this] { Confirm(); });
  Name_->setFocus();
}

void TfrmEditFormat::Confirm() {
  Form_.Name = FromQt(Name_->text());
  Form_.Description = FromQt(Description_->text());
  Form_.Increment = Increment_->value();
  const int unit = Unit_->ItemIndex();
  Form_.IncrementUnit = unit < 0 ? duDay : static_cast<TVpDayUnits>(unit);
  Form_.StartsOnMonday = StartsOnMonday_->isChecked();
  accept();
}
