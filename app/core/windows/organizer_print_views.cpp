#include "app/core/windows/organizer_print_views.h"

#include "app/core/settings/view_settings.h"
#include "app/core/windows/calendar_window_logic.h"
#include "app/core/windows/main_view_looks.h"

TOrganizerPrintViews::TOrganizerPrintViews(const TClock& clock, const TLocale& locale, const TProgramSettings& settings)
    : Day_(clock, locale, this),
      Week_(clock, locale, this),
      Tasks_(clock, locale, this),
      Contacts_(this),
      Month_(clock, locale, this) {
  ConfigureMainDayView(Day_);
  ApplyDayViewSettings(Day_, settings);
  Day_.SetGranularity(gr30Min);  // the main day view always starts with 30-minute slots
  ConfigureMainWeekView(Week_);
  ApplyWeekViewSettings(Week_, settings);
  ConfigureMainTaskList(Tasks_);
  ApplyTaskListSettings(Tasks_, settings);
  ConfigureMainContactGrid(Contacts_);
  ApplyContactGridSettings(Contacts_, settings);
  ConfigureCalendarMonthView(Month_);
  ApplyMonthViewSettings(Month_, settings);
}

void TOrganizerPrintViews::Link(TVpControlLink& link, TVpCustomDataStore* store) {
  for (TVpLinkableControl* view :
       std::initializer_list<TVpLinkableControl*>{&Tasks_, &Day_, &Week_, &Contacts_, &Month_}) {
    view->SetDataStore(store);
    view->SetControlLink(&link);
  }
}
