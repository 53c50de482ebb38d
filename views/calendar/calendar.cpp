#include "views/calendar/calendar.h"

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/assign_if_changed.h"
#include "platform/scoped_value.h"
#include "store/control_link.h"
#include "views/calendar/calendar_date_range.h"
#include "views/calendar/calendar_painter.h"

namespace {

// How far the search for a date that may be selected looks, in steps.
constexpr int EnabledDateSearchSteps = 999;

const char* const InvalidDate = "Error: Invalid Date.";

}  // namespace

TVpCalendar::TVpCalendar(const TClock& clock, const TLocale& locale, const void* owner)
    : TVpLinkableControl(owner),
      Clock_(clock),
      Locale_(locale),
      Colors_([this] { Invalidate(); }),
      Font_([this] { Invalidate(); }),
      Date_(ClampToCalendarRange(Today())),
      RevertDate_(Date_) {
  Resize(DefaultWidth, DefaultHeight);
}

// --- properties ---

void TVpCalendar::SetDateFormat(TVpDateFormat value) {
  if (AssignIfChanged(DateFormat_, value)) Invalidate();
}
void TVpCalendar::SetDayNameWidth(int value) {
  if (AssignIfChanged(DayNameWidth_, value)) Invalidate();
}
void TVpCalendar::SetOptions(TVpCalDisplayOptions value) {
  if (AssignIfChanged(Options_, value)) Invalidate();
}
void TVpCalendar::SetWeekStarts(TVpDayType value) {
  if (AssignIfChanged(WeekStarts_, value)) Invalidate();
}
void TVpCalendar::SetColor(TColor value) {
  if (AssignIfChanged(Color_, value)) Invalidate();
}
void TVpCalendar::SetCtl3D(bool value) {
  if (AssignIfChanged(Ctl3D_, value)) Invalidate();
}
void TVpCalendar::SetDropDown(bool value) {
  if (AssignIfChanged(DropDown_, value)) Invalidate();
}

// --- the date ---

void TVpCalendar::SetDate(double value) {
  if (!WithinCalendarRange(value)) throw EVpCalendarError(InvalidDate);
  if (!AssignIfChanged(Date_, value)) return;
  Invalidate();
  if (!FollowingLink_ && ControlLink() != nullptr) ControlLink()->NotifyLinked(this, nkDateChanged, value);
}

double TVpCalendar::Today() const { return DateOf(Clock_.Now()); }

bool TVpCalendar::DateEnabled(double date) {
  if (!WithinCalendarRange(date)) return false;
  bool enabled = true;
  if (OnGetDateEnabled) OnGetDateEnabled(*this, date, enabled);
  return enabled;
}

double TVpCalendar::NearestEnabledDate(int step, double date) {
  if (DateEnabled(date)) return date;
  for (int i = 1; i <= EnabledDateSearchSteps; ++i) {
    if (DateEnabled(date + step * i)) return date + step * i;
    if (DateEnabled(date - step * i)) return date - step * i;
  }
  throw EVpCalendarError(InvalidDate);
}

void TVpCalendar::MoveTo(double date) { SetDate(NearestEnabledDate(1, date)); }

void TVpCalendar::MoveToward(double date, int direction) {
  for (int i = 0; i <= EnabledDateSearchSteps; ++i) {
    if (DateEnabled(date + direction * i)) {
      SetDate(date + direction * i);
      return;
    }
  }
  MoveTo(date);
}

void TVpCalendar::StepMonths(int count) { MoveTo(MonthsLater(count, Date_)); }

void TVpCalendar::StepYears(int count) { MoveTo(YearsLater(count, Date_)); }

// --- on screen ---

void TVpCalendar::Paint(TCanvas& canvas, const TRect& clientRect) {
  ScreenClient_ = clientRect;
  ScreenLayout_ = DrawCalendar(*this, canvas, clientRect, ra0, Date_, false);
  const bool flat = !Ctl3D_ && !DropDown_;
  for (int i = 0; i < CalendarButtonCount; ++i) {
    const auto button = static_cast<TVpCalendarButton>(i);
    if (ButtonVisible(button)) DrawCalendarButton(canvas, button, *ButtonRect(button), flat);
  }
}

bool TVpCalendar::ButtonVisible(TVpCalendarButton button) const {
  switch (button) {
    case cbRevert: return HasOption(cdoShowRevert);
    case cbToday: return HasOption(cdoShowToday);
    default: return HasOption(cdoShowNavBtns);
  }
}

std::optional<TRect> TVpCalendar::ButtonRect(TVpCalendarButton button) const {
  if (!ScreenLayout_) return std::nullopt;
  return CalendarButtonRect(button, *ScreenLayout_, ScreenClient_);
}

std::optional<TVpCalendarButton> TVpCalendar::VisibleButtonAt(TPoint point) const {
  for (int i = 0; i < CalendarButtonCount; ++i) {
    const auto button = static_cast<TVpCalendarButton>(i);
    if (!ButtonVisible(button)) continue;
    const std::optional<TRect> rect = ButtonRect(button);
    if (rect && rect->Contains(point)) return button;
  }
  return std::nullopt;
}

std::string TVpCalendar::ButtonHintAt(TPoint point) const {
  const std::optional<TVpCalendarButton> button = VisibleButtonAt(point);
  return button ? CalendarButtonHint(*button) : "";
}

void TVpCalendar::ClickButton(TVpCalendarButton button) {
  switch (button) {
    case cbPreviousMonth: KeyDown(VK_PRIOR, 0); break;
    case cbNextMonth: KeyDown(VK_NEXT, 0); break;
    case cbPreviousYear: KeyDown(VK_PRIOR, ssCtrl); break;
    case cbNextYear: KeyDown(VK_NEXT, ssCtrl); break;
    case cbRevert: KeyDown(VK_ESCAPE, 0); break;
    case cbToday: KeyDown(VK_BACK, ssAlt); break;
  }
}

void TVpCalendar::FocusChanged(bool focused) {
  if (focused) RevertDate_ = Date_;
  TVpLinkableControl::FocusChanged(focused);
}

void TVpCalendar::RaiseChange(bool keepOpen) {
  if (!OnChange) return;
  TScopedValue scope(KeepOpen_, keepOpen);
  OnChange(*this, Date_);
}

// --- the linked view ---

void TVpCalendar::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double, double renderDate,
                                 int, int, TVpGranularity, bool displayOnly) {
  if (canvas == nullptr) return;
  const double date = ClampToCalendarRange(renderDate == 0 ? Date_ : renderDate);
  DrawCalendar(*this, *canvas, rect, angle, date, displayOnly);
}

void TVpCalendar::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double value) {
  if (kind == nkRepaintAll) {
    Invalidate();
  } else if (kind == nkDateChanged && WithinCalendarRange(value)) {
    // Another view may show any date; one the calendar cannot hold is not followed.
    TScopedValue scope(FollowingLink_, true);
    SetDate(value);
  }
}
