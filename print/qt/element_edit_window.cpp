#include "print/qt/element_edit_window.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QFocusEvent>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "print/qt/editor_controls.h"
#include "print/qt/shape_edit_window.h"
#include "views/day/day_view.h"
#include "views/qt/spin_text_edit.h"

QFont QtPrintFont(const TVpPrintFont& font) {
  const TFont canvasFont = CanvasFontOf(font);
  QFont qt = TQtCanvas::QtFont(canvasFont, kScreenPixelsPerInch);
  qt.setPointSize(canvasFont.Size);
  return qt;
}

TVpPrintFont PrintFontOf(const QFont& chosen, const TVpPrintFont& before) {
  TVpPrintFont font = before;
  font.Name = FromQt(chosen.family());
  const double pixels =
      chosen.pointSizeF() > 0 ? chosen.pointSizeF() * kScreenPixelsPerInch / 72.0 : chosen.pixelSize();
  font.Height = -std::max(1, static_cast<int>(std::lround(pixels)));
  font.Style = 0;
  for (const auto& [on, style] :
       {std::pair{chosen.bold(), fsBold}, std::pair{chosen.italic(), fsItalic},
        std::pair{chosen.underline(), fsUnderline}, std::pair{chosen.strikeOut(), fsStrikeOut}})
    if (on) font.Style |= style;
  return font;
}

TfrmEditElement::TfrmEditElement(TVpElementEditForm& form, TMessageBoxes& messages, QWidget* parent)
    : QDialog(parent), Form_(form), Messages_(messages) {
  setObjectName("frmEditElement");
  setWindowTitle("Edit Element");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* nameRow = new QFormLayout;
  Name_ = new QLineEdit(ToQt(form.Name), this);
  Name_->setObjectName("edName");
  nameRow->addRow("Element &Name", Name_);
  layout->addLayout(nameRow);
  ItemType_ = new TVpRadioGroup(
      "Item Type", {"DayView", "WeekView", "MonthView", "Calendar", "Shape", "Caption", "Tasks", "Contacts"}, 4, this);
  ItemType_->setObjectName("rgItemType");
  ItemType_->SetItemIndex(form.ItemType);
  layout->addWidget(ItemType_);

  Show_ = new QGroupBox("Show Element", this);
  Show_->setObjectName("chkVisible");
  Show_->setCheckable(true);
  Show_->setChecked(form.Visible);
  auto* show = new QVBoxLayout(Show_);
  Measurement_ = new TVpRadioGroup("Measurement ", {"Pixels", "Percent", "Inches", "Centimetres"}, 4, Show_);
  Measurement_->setObjectName("rgMeasurement");
  Measurement_->SetItemIndex(form.Measurement);
  show->addWidget(Measurement_);
  auto* places = new QHBoxLayout;
  const struct {
    const char* Group;
    TVpElementField Fields[2];
    const char* Labels[2];
    const char* Names[2];
  } groups[] = {{"Position", {efTop, efLeft}, {"&Top:", "&Left:"}, {"edTop", "edLeft"}},
                {"Size", {efWidth, efHeight}, {"&Width:", "H&eight:"}, {"edWidth", "edHeight"}}};
  for (const auto& group : groups) {
    auto* box = new QGroupBox(group.Group, Show_);
    auto* fields = new QFormLayout(box);
    for (int i = 0; i < 2; ++i) {
      const TVpElementField field = group.Fields[i];
      auto* edit = new TVpSpinTextEdit(box);
      edit->setObjectName(group.Names[i]);
      edit->SetText(ToQt(form.FieldText(field)));
      edit->installEventFilter(this);
      connect(edit, &TVpSpinTextEdit::TextEdited, this,
              [this, field](const QString& text) { Form_.SetFieldText(field, FromQt(text)); });
      connect(edit, &TVpSpinTextEdit::Stepped, this, [this, field, edit](int steps) {
        for (int n = 0; n < std::abs(steps); ++n) Form_.StepField(field, steps);
        edit->SetText(ToQt(Form_.FieldText(field)));
      });
      fields->addRow(group.Labels[i], edit);
      Fields_[field] = edit;
    }
    places->addWidget(box);
  }
  show->addLayout(places);
  layout->addWidget(Show_);

  Caption_ = new QGroupBox("Caption", this);
  auto* caption = new QHBoxLayout(Caption_);
  auto* text = new QLineEdit(ToQt(form.CaptionText()), Caption_);
  text->setObjectName("edCaptionText");
  caption->addWidget(text, 1);
  auto* font = new QPushButton("&Font...", Caption_);
  font->setObjectName("btnCaptionFont");
  caption->addWidget(font);
  layout->addWidget(Caption_);

  auto* offset = new QGroupBox("Offset", this);
  auto* offsetRow = new QHBoxLayout(offset);
  auto* interval = new QFormLayout;
  Offset_ = MakeSpinField(form.DayOffset, offset);
  Offset_->setObjectName("edOffset");
  interval->addRow("&Interval:", Offset_);
  offsetRow->addLayout(interval);
  OffsetUnit_ = new TVpRadioGroup("Unit ", DayUnitNames(), 4, offset);
  OffsetUnit_->setObjectName("rgDayOffsetUnit");
  OffsetUnit_->SetItemIndex(form.DayOffsetUnits);
  offsetRow->addWidget(OffsetUnit_);
  layout->addWidget(offset);

  auto* columns = new QFormLayout;
  columns->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  DayColumns_ = new QSpinBox(this);
  DayColumns_->setObjectName("edDayColumns");
  DayColumns_->setRange(0, TVpDayView::kMaxNumDays);
  DayColumns_->setSpecialValueText("as on screen");  // 0
  DayColumns_->setValue(std::clamp(form.DayColumns, 0, TVpDayView::kMaxNumDays));
  columns->addRow("Day &columns:", DayColumns_);
  layout->addLayout(columns);

  auto* bottom = new QHBoxLayout;
  Shape_ = new QPushButton("S&hape...", this);
  Shape_->setObjectName("btnShape");
  Shape_->setAutoDefault(false);
  bottom->addWidget(Shape_);
  AddOkCancel(*this, *bottom, [this] { GuardedCall([this] { Confirm(); }); });
  layout->addLayout(bottom);

  connect(ItemType_, &TVpRadioGroup::Chosen, this, [this](int type) {
    Form_.ItemType = static_cast<TVpItemType>(type);
    ApplyItemType();
  });
  connect(Measurement_, &TVpRadioGroup::Chosen, this,
          [this](int measurement) { Form_.Measurement = static_cast<TVpItemMeasurement>(measurement); });
  connect(text, &QLineEdit::textEdited, this, [this](const QString& typed) { Form_.SetCaptionText(FromQt(typed)); });
  connect(font, &QPushButton::clicked, this, [this] { GuardedCall([this] { ChooseFont(); }); });
  connect(Shape_, &QPushButton::clicked, this, [this] { GuardedCall([this] { EditShape(Form_.Shape(), this); }); });
  ApplyItemType();
  Name_->setFocus();
}

void TfrmEditElement::ApplyItemType() {
  Shape_->setEnabled(Form_.ShapeEnabled());
  Caption_->setEnabled(Form_.CaptionEnabled());
  DayColumns_->setEnabled(Form_.DayColumnsEnabled());
}

bool TfrmEditElement::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !Refusing_) {
    // Only a move to another control of this window leaves the field, not a window in front.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    for (TVpElementField field : {efTop, efLeft, efWidth, efHeight})
      if (watched == Fields_[field] && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        GuardedCall([&] { LeaveField(field); });
  }
  return QDialog::eventFilter(watched, event);
}

bool TfrmEditElement::LeaveField(TVpElementField field) {
  TVpSpinTextEdit* edit = Fields_[field];
  if (Form_.LeaveField(field)) {
    edit->SetText(ToQt(Form_.FieldText(field)));
    return true;
  }
  Refusing_ = true;
  Messages_.Show("Please Enter a Valid Value", mkConfirmation, mbOK);
  Refusing_ = false;
  edit->setFocus();
  return false;
}

void TfrmEditElement::ChooseFont() {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, QtPrintFont(Form_.CaptionFont()), this);
  if (chosen) Form_.SetCaptionFont(PrintFontOf(font, Form_.CaptionFont()));
}

void TfrmEditElement::Confirm() {
  // A field still holding what is not a number keeps the window open, whichever way OK came.
  for (TVpElementField field : {efTop, efLeft, efWidth, efHeight})
    if (!LeaveField(field)) return;
  // The item type and the measurement are in the form since they were clicked.
  Form_.Name = FromQt(Name_->text());
  Form_.Visible = Show_->isChecked();
  Form_.DayOffset = Offset_->value();
  if (OffsetUnit_->ItemIndex() >= 0) Form_.DayOffsetUnits = static_cast<TVpDayUnits>(OffsetUnit_->ItemIndex());
  // A count out of range read from a file stays as it was unless the field was changed.
  if (DayColumns_->value() != std::clamp(Form_.DayColumns, 0, TVpDayView::kMaxNumDays))
    Form_.DayColumns = DayColumns_->value();
  accept();
}
