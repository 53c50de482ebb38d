// The calendar's keys, mouse, wheel and menus.

#include <string>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/scoped_value.h"
#include "views/calendar/calendar.h"
#include "views/calendar/calendar_day_table.h"

namespace {

// Keys the views otherwise do not handle: the menu key and F10.
constexpr int MenuKey = 0x5D;
constexpr int F10Key = 0x79;

// A wheel notch.
constexpr long long WheelNotch = 120;

// Where the menu key opens the calendar's own menu.
constexpr TPoint MenuKeyPlacement{10, 10};

// The month list: its corner this far left of the pointer and this many entries above it, and
// how many months it lists on each side of the shown one.
constexpr int MonthListLeftOfPointer = 20;
constexpr double MonthListEntriesAbove = 3.5;
constexpr int MonthListReach = 3;

enum TOwnMenuEntry { omToday, omNextMonth, omPreviousMonth, omNextYear, omPreviousYear };

}  // namespace

void TVpCalendar::Announce(double before) {
  if (Date_ != before) RaiseChange(true);
}

bool TVpCalendar::KeyDown(int key, TShiftState shift) {
  if (ReadOnly()) return false;
  const double before = Date_;
  if (!ApplyKey(key, shift)) return false;
  Announce(before);
  return true;
}

bool TVpCalendar::ApplyKey(int key, TShiftState shift) {
  const bool ctrl = (shift & ssCtrl) != 0;
  const bool withShift = (shift & ssShift) != 0;
  const bool alt = (shift & ssAlt) != 0;
  const TVpDate date = DecodeDate(Date_);
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
      if (alt) return false;
      const int way = key == VK_LEFT ? -1 : 1;
      if (ctrl) StepMonths(way);
      else if (withShift) StepYears(way);
      else MoveToward(Date_ + way, way);
      return true;
    }
    case VK_UP:
    case VK_DOWN: {
      if (alt) return false;
      const int way = key == VK_UP ? -1 : 1;
      if (ctrl) StepYears(way);
      else if (withShift) StepMonths(way);
      else MoveToward(Date_ + 7 * way, way);
      return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {
      if (alt || (withShift && !ctrl)) return false;
      const int way = key == VK_PRIOR ? -1 : 1;
      if (ctrl) StepYears(way);
      else StepMonths(way);
      return true;
    }
    case VK_HOME: MoveToward(EncodeDate(date.Year, ctrl ? 1 : date.Month, 1), 1); return true;
    case VK_END: {
      const int month = ctrl ? 12 : date.Month;
      MoveToward(EncodeDate(date.Year, month, MonthLength(date.Year, month)), -1);
      return true;
    }
    case VK_ESCAPE: MoveTo(RevertDate_); return true;
    case VK_BACK:
      if (!alt) return false;
      MoveTo(Today());
      return true;
    case MenuKey:
    case F10Key:
      if (key == F10Key && !withShift) return false;
      ShowOwnMenu(MenuKeyPlacement);
      return true;
    default: return false;
  }
}

bool TVpCalendar::KeyPress(char32_t character) {
  if (ReadOnly()) return false;
  const double before = Date_;
  switch (character) {
    case U'\r':
    case U'\n':
    case U' ': RaiseChange(false); return true;
    case 0x1A:  // Ctrl+Z
      MoveTo(Today());
      break;
    case U'+': MoveToward(Date_ + 1, 1); break;
    case U'-': MoveToward(Date_ - 1, -1); break;
    default: return false;
  }
  Announce(before);
  return true;
}

void TVpCalendar::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (MenuOpen_) return;
  const TPoint point{x, y};
  RequestFocus();
  if (button == mbRight) {
    ShowOwnMenu(point);
    return;
  }
  TitlePressed_ = button == mbLeft && InTitleBand(point);
  if (ReadOnly()) return;
  if (const std::optional<TVpCalendarButton> pressed = VisibleButtonAt(point)) {
    ClickButton(*pressed);
    return;
  }
  HandleDayPress(button, point);
}

void TVpCalendar::HandleDayPress(TMouseButton button, TPoint point) {
  if (!ScreenLayout_) return;
  const std::optional<std::pair<int, int>> cell = ScreenLayout_->DayCellAt(point);
  if (!cell) return;
  const TVpCalendarDayTable days(Date_, WeekStarts_);
  const int position = (cell->first - TVpCalendarLayout::FirstWeekRow) * 7 + cell->second + 1;
  const double date = days.DateAt(position);
  const bool otherMonth = !days.IsActive(position);
  const bool wasSelected = date == DateOf(Date_);
  const bool accepted = (!otherMonth || HasOption(cdoShowInactive)) && DateEnabled(date);
  if (accepted) SetDate(date);
  // A click on a day of another month moves there and leaves a drop-down open; one on a day of
  // the shown month is a choice.
  if (button == mbLeft && (accepted || wasSelected)) RaiseChange(otherMonth);
}

void TVpCalendar::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  const TPoint point{x, y};
  const bool titleClicked = TitlePressed_ && InTitleBand(point);
  TitlePressed_ = false;
  if (!titleClicked || MenuOpen_) return;
  RequestFocus();
  ShowMonthList(point);
}

bool TVpCalendar::InTitleBand(TPoint point) const {
  if (!ScreenLayout_ || VisibleButtonAt(point)) return false;
  return point.Y >= 0 && point.Y < ScreenLayout_->Cell(1, 0).Top && point.X >= ButtonRect(cbPreviousYear)->Right &&
         point.X < ButtonRect(cbNextYear)->Left;
}

bool TVpCalendar::MouseWheel(TShiftState, int delta, int, int) {
  if (ReadOnly() || delta == 0) return false;
  const int way = delta > 0 ? -1 : 1;  // away from the user goes back
  const long long size = delta > 0 ? delta : -static_cast<long long>(delta);
  const double before = Date_;
  if (size == WheelNotch) StepMonths(way);
  else if (size > WheelNotch) StepYears(way);
  else MoveToward(Date_ + 7 * way, way);
  Announce(before);
  return true;
}

// --- menus ---

int TVpCalendar::ShowMenu(const std::vector<std::string>& captions, TVpMenuPlacement placement) {
  if (!OnShowMenu) return -1;
  std::vector<TVpMenuItem> items;
  for (const std::string& caption : captions) items.push_back({caption, static_cast<int>(items.size()), true, {}});
  // Presses that reach the calendar while its menu runs are not for it.
  const TScopedValue menuOpen(MenuOpen_, true);
  return TVpLinkableControl::ShowMenu(items, placement);
}

// Its entries work also while the calendar is read-only.
void TVpCalendar::ShowOwnMenu(TPoint at) {
  static const std::vector<std::string> captions = {"Today", "Next Month", "Previous Month", "Next Year",
                                                    "Previous Year"};
  const int chosen = ShowMenu(captions, {at, 0});
  const double before = Date_;
  switch (chosen) {
    case omToday: SetDate(Clock_.Now()); break;
    case omNextMonth: StepMonths(1); break;
    case omPreviousMonth: StepMonths(-1); break;
    case omNextYear: StepYears(1); break;
    case omPreviousYear: StepYears(-1); break;
    default: return;
  }
  Announce(before);
}

// Lists the long names of the months around the shown one; the choice keeps the day where the
// month allows and crosses into the neighbouring year where the list wrapped.
void TVpCalendar::ShowMonthList(TPoint at) {
  const int month = DecodeDate(Date_).Month;
  std::vector<std::string> months;
  for (int offset = -MonthListReach; offset <= MonthListReach; ++offset)
    months.push_back(Locale_.LongMonthName((month - 1 + offset + 12) % 12 + 1));
  const int chosen = ShowMenu(months, {{at.X - MonthListLeftOfPointer, at.Y}, MonthListEntriesAbove});
  if (chosen < 0 || chosen >= static_cast<int>(months.size())) return;
  MoveTo(MonthsLater(chosen - MonthListReach, Date_));
  RaiseChange(true);
}
