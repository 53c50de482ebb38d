#pragma once

#include <QDialog>
#include <array>

#include "platform/message_boxes.h"
#include "print/format_editors.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TVpRadioGroup;
class TVpSpinTextEdit;

// The element editor: name, type, visibility, measurement, position and size, the caption's text
// and font, the date offset, a day view's day columns, and the shape editor. The caption's text and font and the shape
// change at once; OK writes the rest into the form and closes the window. The form must outlive
// the window.
class TfrmEditElement : public QDialog {
  Q_OBJECT

 public:
  TfrmEditElement(TVpElementEditForm& form, TMessageBoxes& messages, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // "Shape..." only for a shape, the caption group only for a caption.
  void ApplyItemType();
  // Leaving a number field: a number is limited and shown "0.00"; anything else is refused with a
  // message and the focus back in the field. False when refused.
  bool LeaveField(TVpElementField field);
  void ChooseFont();
  void Confirm();

  TVpElementEditForm& Form_;
  TMessageBoxes& Messages_;
  QLineEdit* Name_ = nullptr;
  TVpRadioGroup* ItemType_ = nullptr;
  QGroupBox* Show_ = nullptr;
  TVpRadioGroup* Measurement_ = nullptr;
  std::array<TVpSpinTextEdit*, 4> Fields_{};
  QGroupBox* Caption_ = nullptr;
  QSpinBox* Offset_ = nullptr;
  TVpRadioGroup* OffsetUnit_ = nullptr;
  QSpinBox* DayColumns_ = nullptr;
  QPushButton* Shape_ = nullptr;
  bool Refusing_ = false;  // a refused field's message is up
};

// A caption's font as the desktop's font dialog sees it, and the dialog's choice back, keeping
// what the dialog does not choose (colour, character set).
QFont QtPrintFont(const TVpPrintFont& font);
TVpPrintFont PrintFontOf(const QFont& chosen, const TVpPrintFont& before);
