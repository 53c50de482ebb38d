#pragma once

#include <QDialog>

#include "model/quick_add.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TClock;

// The quick-add window: one line of English, what it is read as shown while it is typed, and
// "Add", "Open in Event Dialog" or Cancel. Nothing is added by guess: a line without a day or time
// says where it would go before Add takes it.
class TQuickAddWindow : public QDialog {
 public:
  enum TChoice { qcCancel, qcAdd, qcOpenDialog };

  TQuickAddWindow(const TClock& clock, QWidget* parent);
  // Shows the window; on Add or Open, the line as read.
  TChoice Run(TVpQuickAdd& added);

 private:
  void Read();

  const TClock& Clock_;
  TVpQuickAddOptions Options_;
  TVpQuickAdd Added_;
  QLineEdit* Line_ = nullptr;
  QLabel* Understood_ = nullptr;
  QPushButton* Add_ = nullptr;
  QPushButton* Open_ = nullptr;
  TChoice Choice_ = qcCancel;
};
