#pragma once

#include <QWidget>
#include <functional>

#include "platform/clock.h"
#include "platform/locale.h"
#include "views/month/month_view.h"

class QComboBox;
class TVpControlLink;
class TVpCustomDataStore;
class TVpViewWidget;

// The calendar window: a month view under buttons for the previous and next month and today, and
// lists of the month names and the years 1900 to 2200. Its month view shares the main window's
// store and control link, so a day chosen here moves the main window's views and theirs move it.
// Shown, it stays above the other windows; closing it (or Escape) only hides it.
class TfrmCalendar : public QWidget {
  Q_OBJECT

 public:
  // The owner is the main window's, so that the store repaints the month view with its own.
  TfrmCalendar(const TClock& clock, const TLocale& locale, const void* owner, QWidget* parent = nullptr);
  ~TfrmCalendar() override;

  // Links the month view to the main window's store and control link.
  void Connect(TVpCustomDataStore& store, TVpControlLink& link);
  TVpMonthView& MonthView() { return MonthView_; }
  // Runs when the window closes (the main window releases its Calendar button).
  std::function<void()> OnClosed;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildButtons();
  QWidget* BuildLists(const TLocale& locale);
  // The lists follow the month view's date; a year the list does not hold leaves it as it is.
  void ShowInLists(double date);
  // The month view moves to the month and year the lists show.
  void ListChosen();

  TVpMonthView MonthView_;
  QComboBox* Months_ = nullptr;
  QComboBox* Years_ = nullptr;
  TVpViewWidget* Host_ = nullptr;
};
