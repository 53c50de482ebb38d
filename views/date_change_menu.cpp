#include "views/date_change_menu.h"

#include "model/date_helpers.h"

namespace {

const char* Caption(TVpDateChange change) {
  switch (change) {
    case dcToday: return "Today";
    case dcYesterday: return "Yesterday";
    case dcTomorrow: return "Tomorrow";
    case dcNextDay: return "Next Day";
    case dcPreviousDay: return "Previous Day";
    case dcNextWeek: return "Next Week";
    case dcPreviousWeek: return "Previous Week";
    case dcNextMonth: return "Next Month";
    case dcPreviousMonth: return "Previous Month";
    case dcNextYear: return "Next Year";
    case dcPreviousYear: return "Previous Year";
  }
  return "";
}

}  // namespace

TVpMenuItem DateChangeMenu(std::initializer_list<TVpDateChange> entries) {
  TVpMenuItem menu{"Change Date", -1, true, {}};
  for (TVpDateChange change : entries) menu.Items.push_back({Caption(change), kDateChangeCommands + change, true, {}});
  return menu;
}

std::optional<double> DateChangeTarget(int command, double date, double now) {
  switch (command - kDateChangeCommands) {
    case dcToday: return now;
    case dcYesterday: return now - 1;
    case dcTomorrow: return now + 1;
    case dcNextDay: return date + 1;
    case dcPreviousDay: return date - 1;
    case dcNextWeek: return date + 7;
    case dcPreviousWeek: return date - 7;
    case dcNextMonth: return MonthsLater(1, date);
    case dcPreviousMonth: return MonthsLater(-1, date);
    case dcNextYear: return YearsLater(1, date);
    case dcPreviousYear: return YearsLater(-1, date);
    default: return std::nullopt;
  }
}
