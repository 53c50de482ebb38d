#pragma once

#include <QDialog>
#include <optional>

#include "views/date_edit/date_edit.h"

class TClock;
class TLocale;

// View > Go to Date: a date typed or picked from the calendar drop-down (Alt+Down), from the date
// the views show; "Today" takes today's.
class TGoToDateWindow : public QDialog {
 public:
  TGoToDateWindow(const TClock& clock, const TLocale& locale, double shown, QWidget* parent);
  // The date chosen; nothing on Cancel.
  std::optional<double> Run();

 private:
  const TClock& Clock_;
  TVpDateEdit Date_;
};
