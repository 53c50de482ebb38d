#pragma once

#include <functional>
#include <string>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "views/day/day_view_attributes.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"
#include "views/month/month_view_tables.h"

class TVpEvent;

// How the month view names the weekdays above its columns.
enum TVpMVDayNameStyle {
  dsLong = 0,    // the full name
  dsShort = 1,   // the abbreviated name
  dsLetter = 2,  // one letter
};

// The month view: one month as six weeks of seven days under a month header and a row of
// weekday names. Each day cell shows its day number and, when enabled, one line per event; days
// of the neighbouring months are shaded; the selected day's number has its own colour and, while
// the view has the focus, a frame. The user selects a day with the mouse or the keys; the view
// does not add, edit or delete events.
//
// It draws itself only through RenderIntoRect, on screen and for printing alike; an on-screen
// pass leaves behind the layout that clicks are tested against.
class TVpMonthView : public TVpLinkableControl {
 public:
  static constexpr int kInitialWidth = 300;
  static constexpr int kInitialHeight = 225;

  // The clock gives the first date (today); the locale names months and weekdays.
  TVpMonthView(const TClock& clock, const TLocale& locale, const void* owner = nullptr);

  // --- properties; every change repaints ---
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  TColor OffDayColor() const { return OffDayColor_; }
  void SetOffDayColor(TColor value) { Store(OffDayColor_, value); }
  TColor SelectedDayColor() const { return SelectedDayColor_; }
  void SetSelectedDayColor(TColor value) { Store(SelectedDayColor_, value); }
  TColor LineColor() const { return LineColor_; }
  void SetLineColor(TColor value) { Store(LineColor_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  // The month header and the weekday row.
  TVpCHAttributes& DayHeadAttributes() { return DayHeadAttributes_; }
  const TVpCHAttributes& DayHeadAttributes() const { return DayHeadAttributes_; }
  TVpMVDayNameStyle DayNameStyle() const { return DayNameStyle_; }
  void SetDayNameStyle(TVpMVDayNameStyle value) { Store(DayNameStyle_, value); }
  // The view's own font: the event lines' spacing is measured in it.
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TVpFont& DayNumberFont() { return DayNumberFont_; }
  const TVpFont& DayNumberFont() const { return DayNumberFont_; }
  TVpFont& EventFont() { return EventFont_; }
  const TVpFont& EventFont() const { return EventFont_; }
  // Styles added to the number of a day that has events.
  TFontStyles EventDayStyle() const { return EventDayStyle_; }
  void SetEventDayStyle(TFontStyles value) { Store(EventDayStyle_, value); }
  bool ShowEvents() const { return ShowEvents_; }
  void SetShowEvents(bool value) { Store(ShowEvents_, value); }
  // Event lines start with the start time.
  bool ShowEventTime() const { return ShowEventTime_; }
  void SetShowEventTime(bool value) { Store(ShowEventTime_, value); }
  TVpTimeFormat TimeFormat() const { return TimeFormat_; }
  void SetTimeFormat(TVpTimeFormat value) { Store(TimeFormat_, value); }
  const std::string& DateLabelFormat() const { return DateLabelFormat_; }
  void SetDateLabelFormat(std::string value) { Store(DateLabelFormat_, std::move(value)); }
  TVpDayType WeekStartsOn() const { return WeekStartsOn_; }
  // A change also has the store load the days the new grid shows.
  void SetWeekStartsOn(TVpDayType value);
  bool KBNavigation() const { return KBNavigation_; }
  void SetKBNavigation(bool value) { KBNavigation_ = value; }
  // A right click first selects the day under the pointer.
  bool RightClickChangeDate() const { return RightClickChangeDate_; }
  void SetRightClickChangeDate(bool value) { RightClickChangeDate_ = value; }

  // The selected day, always a whole date. A different day goes to the store (once the view is
  // loaded) and to the other views of the control link, and repaints. Every assignment, changed
  // or not, then raises OnDateChanged.
  double Date() const { return Date_; }
  void SetDate(double value);
  // Selects today by the view's clock.
  void SelectToday() { SetDate(Clock_.Now()); }
  std::function<void(TVpMonthView& sender, double date)> OnDateChanged;

  // The owning window has applied its settings: marks the view loaded and hands its date to the
  // store.
  void Loaded();
  bool IsLoaded() const { return Loaded_; }

  // The layout of the last on-screen pass.
  const TVpMonthViewLayout& ScreenLayout() const { return Screen_; }
  // The event of the last line clicked while it is still loaded; nullptr otherwise.
  TVpEvent* ActiveEvent() const;

  const TLocale& Locale() const { return Locale_; }

  // --- TVpLinkableControl ---
  TVpItemType GetItemType() const override { return itMonthView; }
  // The store's date at this point counts as seen: only later moves of it are taken up.
  void SetDataStore(TVpCustomDataStore* store) override;
  // Draws the month of renderDate (0: of Date) with renderDate as the selected day. Scale,
  // startLine, stopLine and granularity do not apply.
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  // A date change of another view selects that day; repaint notifications repaint.
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;
  // Takes up a date the store was moved to by someone else, then draws Date.
  void Paint(TCanvas& canvas, const TRect& clientRect) override;

  // --- what the user does (month_view_input.cpp); the mouse does nothing while ReadOnly ---
  // A left press below the header selects the day and the event line under it; a right press
  // selects the day (with RightClickChangeDate) and opens the popup menu.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoubleClick(int x, int y) override;
  // The arrows move by day and week, Ctrl+arrows and Page Up/Down by month and year, Home and End
  // to the first and last day of the month (and on from there); only with KBNavigation.
  bool KeyDown(int key, TShiftState shift) override;

 private:
  void SelectDayAt(int x, int y);
  void ShowPopupMenu(TPoint at);
  void FollowStoreDate();
  // Makes sure the store has loaded every day the grid shows (a store is set).
  void LoadShownDays();

  const TClock& Clock_;
  const TLocale& Locale_;

  TColor Color_ = clWindow;
  TColor OffDayColor_ = clSilver;
  TColor SelectedDayColor_ = clRed;
  TColor LineColor_ = clGray;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  TVpCHAttributes DayHeadAttributes_;
  TVpMVDayNameStyle DayNameStyle_ = dsShort;
  TVpFont Font_;
  TVpFont DayNumberFont_;
  TVpFont EventFont_;
  TFontStyles EventDayStyle_ = 0;
  bool ShowEvents_ = true;
  bool ShowEventTime_ = false;
  TVpTimeFormat TimeFormat_ = tf12Hour;
  std::string DateLabelFormat_ = "mmmm yyyy";
  TVpDayType WeekStartsOn_ = dtSunday;
  bool KBNavigation_ = true;
  bool RightClickChangeDate_ = true;
  double Date_ = 0;

  bool Loaded_ = false;
  bool HandlingNotification_ = false;
  // The store's date when this view last set it or took it up.
  double StoreDateSeen_ = -1;
  const TVpEvent* ActiveEvent_ = nullptr;
  int ActiveEventID_ = -1;
  TVpMonthViewLayout Screen_;
};
