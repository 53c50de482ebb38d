#pragma once

#include <QDialog>

#include "print/format_editors.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class TVpRadioGroup;

// The format editor: name, description, the page step and whether the pages start on a Monday. OK writes the window's
// values into the form and closes it; the form must outlive the window.
class TfrmEditFormat : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmEditFormat(TVpFormatEditForm& form, QWidget* parent = nullptr);

 private:
  void Confirm();

  TVpFormatEditForm& Form_;
  QLineEdit* Name_ = nullptr;
  QLineEdit* Description_ = nullptr;
  QSpinBox* Increment_ = nullptr;
  TVpRadioGroup* Unit_ = nullptr;
  QCheckBox* StartsOnMonday_ = nullptr;
};
