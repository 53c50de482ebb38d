// What the user does in the month view: selecting a day with the mouse or the keys, and the
// popup menu. Clicks are tested against the layout of the last on-screen pass.

#include <vector>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "views/drawing/drawing_helpers.h"
#include "views/month/month_view.h"

namespace {

enum TMenuCommand { mcToday, mcNextMonth, mcPreviousMonth, mcNextYear, mcPreviousYear };

// The menu sits this far right of and below the view's top-left corner when opened by key.
constexpr int kKeyMenuOffset = 10;

double LastDayOfMonth(double date) {
  const TVpDate parts = DecodeDate(date);
  return EncodeDate(parts.Year, parts.Month, MonthLength(parts.Year, parts.Month));
}

// Home: the first day of the month; from there the first day of the previous month.
double HomeFrom(double date) {
  const TVpDate parts = DecodeDate(date);
  return parts.Day == 1 ? MonthsLater(-1, date) : EncodeDate(parts.Year, parts.Month, 1);
}

// End: the last day of the month; from there the last day of the next month.
double EndFrom(double date) {
  const double last = LastDayOfMonth(date);
  return last == date ? LastDayOfMonth(MonthsLater(1, date)) : last;
}

}  // namespace

void TVpMonthView::SelectDayAt(int x, int y) {
  for (const TVpMonthdayRec& day : Screen_.Days)
    if (day.Rec != kUndrawnRect && PointWithin({x, y}, day.Rec)) SetDate(day.Date);
}

void TVpMonthView::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (ReadOnly()) return;
  RequestFocus();
  if (button == mbRight) {
    if (RightClickChangeDate_) SelectDayAt(x, y);
    ShowPopupMenu({x, y});
    return;
  }
  if (button != mbLeft || y <= Screen_.HeaderHeight) return;
  SelectDayAt(x, y);
  ActiveEvent_ = nullptr;
  ActiveEventID_ = -1;
  for (const TVpEventRec& drawn : Screen_.Events) {
    const TRect& r = drawn.Rec;
    if (r.Left < x && x < r.Right && r.Top < y && y < r.Bottom) {
      ActiveEvent_ = drawn.Event;
      ActiveEventID_ = drawn.RecordID;
      break;
    }
  }
}

void TVpMonthView::DoubleClick(int x, int y) { MouseDown(mbLeft, 0, x, y); }

bool TVpMonthView::KeyDown(int key, TShiftState shift) {
  // A read-only view still moves by the keys: it shows days and never changes an event.
  if (!KBNavigation_) return false;
  const bool ctrl = (shift & ssCtrl) != 0;
  switch (key) {
    case VK_LEFT: SetDate(ctrl ? MonthsLater(-1, Date_) : Date_ - 1); return true;
    case VK_RIGHT: SetDate(ctrl ? MonthsLater(1, Date_) : Date_ + 1); return true;
    case VK_UP: SetDate(ctrl ? YearsLater(-1, Date_) : Date_ - 7); return true;
    case VK_DOWN: SetDate(ctrl ? YearsLater(1, Date_) : Date_ + 7); return true;
    case VK_PRIOR: SetDate(MonthsLater(-1, Date_)); return true;
    case VK_NEXT: SetDate(MonthsLater(1, Date_)); return true;
    case VK_HOME: SetDate(HomeFrom(Date_)); return true;
    case VK_END: SetDate(EndFrom(Date_)); return true;
    case VK_F10:
      if ((shift & ssShift) == 0) return false;
      [[fallthrough]];
    case VK_APPS: ShowPopupMenu({kKeyMenuOffset, kKeyMenuOffset}); return true;
    default: return false;  // Tab and the rest go on to the window
  }
}

void TVpMonthView::ShowPopupMenu(TPoint at) {
  const std::vector<TVpMenuItem> items = {{"Today", mcToday, true, {}},
                                          {"Next Month", mcNextMonth, true, {}},
                                          {"Previous Month", mcPreviousMonth, true, {}},
                                          {"Next Year", mcNextYear, true, {}},
                                          {"Previous Year", mcPreviousYear, true, {}}};
  switch (ShowMenu(items, {at, 0})) {
    case mcToday: SelectToday(); break;
    case mcNextMonth: SetDate(MonthsLater(1, Date_)); break;
    case mcPreviousMonth: SetDate(MonthsLater(-1, Date_)); break;
    case mcNextYear: SetDate(YearsLater(1, Date_)); break;
    case mcPreviousYear: SetDate(YearsLater(-1, Date_)); break;
    default: break;
  }
}
