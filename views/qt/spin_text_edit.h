#pragma once

#include <QAbstractSpinBox>

// A text field with a spin button whose text and position belong to someone else: the buttons,
// the arrow keys and the wheel only report their steps, and the field only reports what the user
// typed; the owner decides what the text becomes and sets it.
class TVpSpinTextEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit TVpSpinTextEdit(QWidget* parent = nullptr);

  // Replaces the text without reporting it as typed.
  void SetText(const QString& text);
  // A field the user cannot type into; its spin button still steps.
  void SetTextReadOnly(bool readOnly);
  void SetMaxLength(int length);

  void stepBy(int steps) override;

 signals:
  void Stepped(int steps);
  void TextEdited(const QString& text);

 protected:
  StepEnabled stepEnabled() const override;
};
