#pragma once

#include <QDialog>
#include <vector>

#include "platform/locale.h"

class QListWidget;
class TVpCustomDataStore;
class TVpEvent;

// The reminders of many events that fell due at once, in one window: "N reminders were missed",
// one line per event with its subject and the caption its own window would have. Open (or Enter,
// or a double click) shows the chosen event's reminder window; Snooze All (by five minutes) and
// Dismiss All answer every one still listed; Close leaves them, to come again at the next check.
// A line goes once its reminder was answered.
class TMissedRemindersWindow : public QDialog {
 public:
  TMissedRemindersWindow(TVpCustomDataStore& store, std::vector<int> recordIDs, const TLocale& locale, bool twelveHour,
                         QWidget* parent = nullptr);

 private:
  TVpEvent* Find(int recordID) const;
  // Lists the events whose reminder is still due; closes the window when none is.
  void Fill();
  void OpenChosen();
  void AnswerAll(bool dismiss);

  TVpCustomDataStore& Store_;
  std::vector<int> RecordIDs_;
  const TLocale& Locale_;
  bool TwelveHour_;
  QListWidget* List_ = nullptr;
};
