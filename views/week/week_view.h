#pragma once

#include <optional>
#include <string>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"
#include "views/week/week_view_attributes.h"
#include "views/week/week_view_tables.h"

class TVpEvent;

// The week view: one week of the active resource's events as seven day boxes in two columns under
// a week header, the first three days of the week at the left and the other four at the right,
// the last two of them at half height. Each box has a date caption, the day's all-day events in
// framed boxes and a line per timed event.
//
// It draws itself only through RenderIntoRect, on screen and for printing alike. An on-screen pass
// leaves behind the metrics, the day boxes and the drawn events, which clicks are tested against.
class TVpWeekView : public TVpLinkableControl {
 public:
  // The clock gives the first date (now); the locale names the days.
  TVpWeekView(const TClock& clock, const TLocale& locale, const void* owner = nullptr);

  // --- properties; every change repaints ---
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  // The line between the two columns.
  TColor LineColor() const { return LineColor_; }
  void SetLineColor(TColor value) { Store(LineColor_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  // The font of the timed event lines.
  TVpFont& EventFont() { return EventFont_; }
  const TVpFont& EventFont() const { return EventFont_; }
  TVpWvHeadAttributes& HeadAttributes() { return HeadAttributes_; }
  const TVpWvHeadAttributes& HeadAttributes() const { return HeadAttributes_; }
  TVpWeekDayHeadAttr& DayHeadAttributes() { return DayHeadAttributes_; }
  const TVpWeekDayHeadAttr& DayHeadAttributes() const { return DayHeadAttributes_; }
  TVpAllDayEventAttributes& AllDayEventAttributes() { return AllDayEventAttributes_; }
  const TVpAllDayEventAttributes& AllDayEventAttributes() const { return AllDayEventAttributes_; }
  // The date part of the week header.
  const std::string& DateLabelFormat() const { return DateLabelFormat_; }
  void SetDateLabelFormat(std::string value) { Store(DateLabelFormat_, std::move(value)); }
  // Event lines start with the event's start and end time.
  bool ShowEventTime() const { return ShowEventTime_; }
  void SetShowEventTime(bool value) { Store(ShowEventTime_, value); }
  TVpTimeFormat TimeFormat() const { return TimeFormat_; }
  void SetTimeFormat(TVpTimeFormat value) { Store(TimeFormat_, value); }
  // The first day of the week. The week shown becomes the one holding Date for the new first day,
  // so that the selected day stays on screen.
  TVpDayType WeekStartsOn() const { return WeekStartsOn_; }
  void SetWeekStartsOn(TVpDayType value);

  // The selected day. A date outside the week shown moves the week; a new date goes to the store
  // (once the view is loaded) and to the other views of the control link.
  double Date() const { return Date_; }
  void SetDate(double value);
  // The first day of the week shown (a whole date): WeekStart <= Date < WeekStart + 7.
  double WeekStart() const { return WeekStart_; }

  // The selected event while it is still loaded; nullptr when none is selected or it is gone.
  TVpEvent* ActiveEvent() const;
  void SetActiveEvent(TVpEvent* event);

  // Metrics and tables of the last on-screen pass.
  int HeaderHeight() const { return Screen_.HeaderHeight; }
  int DayHeadHeight() const { return Screen_.DayHeadHeight; }
  int EventLineHeight() const { return Screen_.EventLineHeight; }
  const TVpWeekdayArray& WeekdayArray() const { return Screen_.Days; }
  const TVpEventArray& EventArray() const { return Screen_.Events; }

  // The owning window has applied its stored settings: marks the view loaded and hands its date
  // to the store.
  void Loaded();
  bool IsLoaded() const { return Loaded_; }

  const TLocale& Locale() const { return Locale_; }

  // --- TVpLinkableControl ---
  TVpItemType GetItemType() const override { return itWeekView; }
  // Uses the canvas, the rectangle, the angle, the render date (0: WeekStart) and displayOnly;
  // the week drawn is the one holding the render date.
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;
  void Paint(TCanvas& canvas, const TRect& clientRect) override;

  // --- what the user does (week_view_interaction.cpp) ---
  // A left press selects the day and the event under it; moving away with the button down drags
  // the event, and releasing it over another day moves it there. A right press selects the same
  // way and opens the popup menu.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Edits the event under the pointer, or adds one on Date.
  void DoubleClick(int x, int y) override;
  // Enter and Insert add, Delete deletes, the arrows move across the two columns, with Shift by a
  // week, with Ctrl by a month and with both by a year; Shift+F10 and the menu key open the menu.
  bool KeyDown(int key, TShiftState shift) override;

  // The commands of the popup menu.
  // A new event on Date from 12:00 to 12:30, edited at once.
  void AddEventOnDate();
  void EditActiveEvent();
  void DeleteActiveEvent();

 private:
  template <class T>
  void Store(T& field, T value) {
    if (AssignIfChanged(field, std::move(value))) Invalidate();
  }
  // The whole date of the first day of the week holding the date.
  double WeekStartOf(double date) const;
  // Hit tests against the last on-screen pass: the day box (edges included) and the event (strictly
  // inside) under the point; -1 or nullptr where nothing is hit.
  int DayAt(int x, int y) const;
  TVpEvent* EventAt(int x, int y) const;
  // The day and the event under the point become the selected ones.
  void SelectAt(int x, int y);
  void ShowPopupMenu(TPoint at);
  void EditEvent(TVpEvent* event, bool isNew);
  // Moves the dragged event to the day, keeping its time of day and length.
  void DropEvent(const TVpEvent* event, int recordID, double day);

  const TClock& Clock_;
  const TLocale& Locale_;

  TColor Color_ = clWindow;
  TColor LineColor_ = clGray;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  TVpFont Font_;
  TVpFont EventFont_;
  TVpWvHeadAttributes HeadAttributes_;
  TVpWeekDayHeadAttr DayHeadAttributes_;
  TVpAllDayEventAttributes AllDayEventAttributes_;
  std::string DateLabelFormat_ = "dddd, mmmm dd, yyyy";
  bool ShowEventTime_ = true;
  TVpTimeFormat TimeFormat_ = tf12Hour;
  TVpDayType WeekStartsOn_ = dtMonday;
  double Date_ = 0;
  double WeekStart_ = 0;

  bool Loaded_ = false;
  bool HandlingNotification_ = false;
  const TVpEvent* ActiveEvent_ = nullptr;
  int ActiveEventID_ = -1;

  // The point of a left press while the button is down, and the event being dragged.
  std::optional<TPoint> PressPoint_;
  bool Dragging_ = false;
  const TVpEvent* DragEvent_ = nullptr;
  int DragEventID_ = -1;
  double DragEventDay_ = 0;

  TVpWeekViewLayout Screen_;
};
