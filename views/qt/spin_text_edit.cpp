#include "views/qt/spin_text_edit.h"

#include <QLineEdit>

TVpSpinTextEdit::TVpSpinTextEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  connect(lineEdit(), &QLineEdit::textEdited, this, &TVpSpinTextEdit::TextEdited);
}

void TVpSpinTextEdit::SetText(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void TVpSpinTextEdit::SetTextReadOnly(bool readOnly) { lineEdit()->setReadOnly(readOnly); }

void TVpSpinTextEdit::SetMaxLength(int length) { lineEdit()->setMaxLength(length); }

void TVpSpinTextEdit::stepBy(int steps) { emit Stepped(steps); }

QAbstractSpinBox::StepEnabled TVpSpinTextEdit::stepEnabled() const {
  return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}
