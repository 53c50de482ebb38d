#pragma once

#include "app/core/settings/program_settings.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

class TVpControlLink;
class TVpCustomDataStore;

// The views the organizer prints with, made without its windows (koret-cli prints with them): the
// main window's day view, week view, task list and contact grid and the calendar window's month
// view, each with the looks its window gives it and then the settings, so that a page printed
// here looks like the same page printed from the organizer.
class TOrganizerPrintViews {
 public:
  TOrganizerPrintViews(const TClock& clock, const TLocale& locale, const TProgramSettings& settings);
  // Shows the store's data and links the views in the order the organizer links its own, so that
  // the page renderer finds them as it finds the organizer's.
  void Link(TVpControlLink& link, TVpCustomDataStore* store);

 private:
  TVpDayView Day_;
  TVpWeekView Week_;
  TVpTaskList Tasks_;
  TVpContactGrid Contacts_;
  TVpMonthView Month_;
};
