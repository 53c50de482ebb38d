#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/vp_exception.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "views/calendar/calendar_buttons.h"
#include "views/calendar/calendar_colors.h"
#include "views/calendar/calendar_layout.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"

// No date the calendar may move to was found ("Error: Invalid Date.").
class EVpCalendarError : public EVpException {
 public:
  using EVpException::EVpException;
};

// What a calendar shows and offers; a set of these is a bit mask of 1 << value.
enum TVpCalDisplayOption {
  cdoShortNames = 0,    // short weekday names (long ones otherwise)
  cdoShowYear = 1,      // the year in the title
  cdoShowInactive = 2,  // the days of the neighbouring months
  cdoShowRevert = 3,    // the Revert button
  cdoShowToday = 4,     // the Today button
  cdoShowNavBtns = 5,   // the month and year buttons
  cdoHideActive = 6,    // no button face under the selected day
  cdoHighlightSat = 7,  // Saturdays in the Weekend colour
  cdoHighlightSun = 8,  // Sundays in the Weekend colour
};
using TVpCalDisplayOptions = unsigned;
constexpr TVpCalDisplayOptions CalOption(TVpCalDisplayOption option) { return 1u << option; }
// Short names, year, Revert, Today, navigation buttons, Saturdays and Sundays highlighted: 443.
constexpr TVpCalDisplayOptions DefaultCalDisplayOptions =
    CalOption(cdoShortNames) | CalOption(cdoShowYear) | CalOption(cdoShowRevert) | CalOption(cdoShowToday) |
    CalOption(cdoShowNavBtns) | CalOption(cdoHighlightSat) | CalOption(cdoHighlightSun);

// The compact month calendar of the date pickers: a title with the month and year between four
// navigation buttons, a row of weekday names, six weeks of day numbers and the Revert and Today
// buttons. The selected day is drawn as a button; days on which the active resource has events are
// bold and underlined. As a linked view it follows and announces date changes through its control
// link, and printing draws it through RenderIntoRect.
//
// The window showing it (a host) calls the entry points of a linked view (Resize, Paint,
// FocusChanged, KeyDown, MouseDown, MouseUp, MouseWheel) and passes typed characters to KeyPress;
// it sets OnInvalidate (repaint), OnRequestFocus (take the keyboard focus) and OnShowMenu (show a
// menu modally and return the chosen entry, or -1), and shows ButtonHintAt as the tool tip.
// Errors are raised as EVpException descendants; the host's command guard shows their message.
class TVpCalendar : public TVpLinkableControl {
 public:
  // The control's size when created.
  static constexpr int DefaultWidth = 200;
  static constexpr int DefaultHeight = 140;

  // Starts on today's date, DefaultWidth × DefaultHeight.
  TVpCalendar(const TClock& clock, const TLocale& locale, const void* owner = nullptr);

  const TLocale& Locale() const { return Locale_; }

  // --- properties ---
  TVpCalColors& Colors() { return Colors_; }
  const TVpCalColors& Colors() const { return Colors_; }
  TVpDateFormat DateFormat() const { return DateFormat_; }
  void SetDateFormat(TVpDateFormat value);
  // How many characters of a weekday name are shown; 0 or less shows the whole name.
  int DayNameWidth() const { return DayNameWidth_; }
  void SetDayNameWidth(int value);
  TVpCalDisplayOptions Options() const { return Options_; }
  void SetOptions(TVpCalDisplayOptions value);
  bool HasOption(TVpCalDisplayOption option) const { return (Options_ & CalOption(option)) != 0; }
  TVpDayType WeekStarts() const { return WeekStarts_; }
  void SetWeekStarts(TVpDayType value);
  // The background colour.
  TColor Color() const { return Color_; }
  void SetColor(TColor value);
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  // The 3D look: a double line under the weekday names and buttons with a raised face.
  bool Ctl3D() const { return Ctl3D_; }
  void SetCtl3D(bool value);
  // Set for the calendar a date edit drops down: its buttons then always have a raised face.
  bool DropDown() const { return DropDown_; }
  void SetDropDown(bool value);

  // --- the date ---
  // The selected date. Setting a different one repaints and tells the other views of the control
  // link (unless the calendar is following their notification); it does not raise OnChange.
  // Raises EVpCalendarError "Error: Invalid Date." for a date outside 1 January 100 to
  // 31 December 9999, leaving the date as it was.
  double Date() const { return Date_; }
  void SetDate(double value);
  // The date the calendar had when it last received the focus (Escape returns to it).
  double RevertDate() const { return RevertDate_; }

  // The date itself when the calendar may select it, else the nearest date it may select: date +
  // step, date - step, date + 2 step, date - 2 step, ... up to 999 steps. A date may be selected
  // when it lies in the calendar range and OnGetDateEnabled allows it. Raises EVpCalendarError
  // "Error: Invalid Date." when none is found.
  double NearestEnabledDate(int step, double date);
  // Moves to the date, or to the nearest one that may be selected, later ones first.
  void MoveTo(double date);
  // Moves to the date, or to the first one beyond it in the direction (1 later, -1 earlier) that
  // may be selected; when there is none within reach, to the nearest one.
  void MoveToward(double date, int direction);
  // The same day count months or years later (earlier when negative), lowered to the length of
  // that month; then moves there.
  void StepMonths(int count);
  void StepYears(int count);

  // --- on screen ---
  // Draws the whole control for the screen: the calendar in its client area and its buttons.
  void Paint(TCanvas& canvas, const TRect& clientRect) override;
  // Whether the button is shown with the current options.
  bool ButtonVisible(TVpCalendarButton button) const;
  // The rectangle of a button as last painted; none before the first paint.
  std::optional<TRect> ButtonRect(TVpCalendarButton button) const;
  // The tool tip of the visible button under the point, or "".
  std::string ButtonHintAt(TPoint point) const;
  // Acts like the button's key: Page Up, Page Down, Ctrl+Page Up, Ctrl+Page Down, Escape,
  // Alt+Backspace.
  void ClickButton(TVpCalendarButton button);

  // Gaining the focus takes the revert date; both repaint.
  void FocusChanged(bool focused) override;
  // Set while OnChange runs for a move that should leave a drop-down open (a move by key, button,
  // menu or wheel); clear for a choice (a day clicked in the shown month, Enter, Space).
  bool KeepOpen() const { return KeepOpen_; }

  // --- input (none acts while ReadOnly, except the calendar's own menu) ---
  // A key went down; true when the calendar used it.
  bool KeyDown(int key, TShiftState shift) override;
  // A character was typed; true when the calendar used it.
  bool KeyPress(char32_t character) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // A wheel turn of delta units (120 a notch; positive away from the user); true when used.
  bool MouseWheel(TShiftState shift, int delta, int x, int y) override;

  // --- the linked view ---
  TVpItemType GetItemType() const override { return itCalendar; }
  // Draws the calendar for renderDate (0 for its own Date) into the rectangle turned by the angle;
  // scale, startLine, stopLine and granularity do not apply. Draws nothing without a canvas. A date
  // outside the calendar range is drawn as the nearest date within, so drawing never fails on a date.
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  // A date change of another view moves the calendar along (without telling the link again); a
  // repaint of every view repaints it.
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;

  // --- events ---
  // The user picked or moved the date.
  std::function<void(TVpCalendar& sender, double date)> OnChange;
  // Draws the title instead of the calendar, in the rectangle of the canvas.
  std::function<void(TVpCalendar& sender, TCanvas& canvas, double date, const TRect& rect)> OnDrawDate;
  // Draws each day cell instead of the calendar; the selected day then gets no button face.
  std::function<void(TVpCalendar& sender, TCanvas& canvas, double date, const TRect& rect)> OnDrawItem;
  // Whether a date may be selected; enabled starts true.
  std::function<void(TVpCalendar& sender, double date, bool& enabled)> OnGetDateEnabled;
  // May change the colour of a day number.
  std::function<void(TVpCalendar& sender, double date, TColor& color)> OnGetHighlight;

 private:
  bool DateEnabled(double date);
  double Today() const;
  void RaiseChange(bool keepOpen);
  // Raises OnChange, keeping a drop-down open, when the date is no longer the one before.
  void Announce(double before);
  // Carries out a key of the key table; false when the key has no meaning there.
  bool ApplyKey(int key, TShiftState shift);
  void HandleDayPress(TMouseButton button, TPoint point);
  std::optional<TVpCalendarButton> VisibleButtonAt(TPoint point) const;
  bool InTitleBand(TPoint point) const;
  // The calendar's own menu and the month list.
  void ShowOwnMenu(TPoint at);
  void ShowMonthList(TPoint at);
  int ShowMenu(const std::vector<std::string>& captions, TVpMenuPlacement placement);

  const TClock& Clock_;
  const TLocale& Locale_;
  TVpCalColors Colors_;
  TVpFont Font_;
  TVpDateFormat DateFormat_ = dfLong;
  int DayNameWidth_ = 3;
  TVpCalDisplayOptions Options_ = DefaultCalDisplayOptions;
  TVpDayType WeekStarts_ = dtSunday;
  TColor Color_ = clWindow;
  bool Ctl3D_ = true;
  bool DropDown_ = false;

  double Date_ = 0;
  double RevertDate_ = 0;
  bool KeepOpen_ = false;
  bool MenuOpen_ = false;       // a menu of the calendar is showing
  bool FollowingLink_ = false;  // a date change of the control link is being followed
  bool TitlePressed_ = false;   // the left button went down on the title band
  // The client area and layout of the last on-screen paint: what mouse presses hit.
  TRect ScreenClient_;
  std::optional<TVpCalendarLayout> ScreenLayout_;
};
