#pragma once

#include <optional>
#include <string>

#include "model/enumerations.h"
#include "platform/assign_if_changed.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "views/day/day_view_attributes.h"
#include "views/day/day_view_tables.h"
#include "views/day/time_slot_color.h"
#include "views/drawing/vp_font.h"
#include "views/linkable_control.h"

class TVpEvent;

// The day view: the events of the active resource for one or more consecutive days, a column per
// day and a row per time slot, with an hour ruler at the left, a date header above each column and
// a scroll bar at the right. Overlapping events stand side by side.
//
// It draws itself only through RenderIntoRect, on screen and for printing alike. An on-screen
// pass (displayOnly false) leaves behind the metrics and the row, column and event tables that
// describe the picture on screen, which is what clicks are tested against; a printing pass keeps
// its layout to itself.
class TVpDayView : public TVpLinkableControl {
 public:
  static constexpr int kMaxNumDays = 30;
  // Events of one day beyond this many are not laid out.
  static constexpr int kMaxEventsPerDay = 1024;
  // Room kept at the right for the scroll bar, on screen and when printing.
  static constexpr int kScrollBarReserve = 14;
  static constexpr int kPrintScrollBarReserve = 2;

  // The clock gives the first day shown (now); the locale names the days in the headers.
  TVpDayView(const TClock& clock, const TLocale& locale, const void* owner = nullptr);
  const TClock& Clock() const { return Clock_; }

  // --- properties; every change repaints ---
  TColor Color() const { return Color_; }
  void SetColor(TColor value) { Store(Color_, value); }
  TColor LineColor() const { return LineColor_; }
  void SetLineColor(TColor value) { Store(LineColor_, value); }
  // The font of the events' text.
  TVpFont& Font() { return Font_; }
  const TVpFont& Font() const { return Font_; }
  TVpCHAttributes& HeadAttributes() { return HeadAttributes_; }
  const TVpCHAttributes& HeadAttributes() const { return HeadAttributes_; }
  TVpRHAttributes& RowHeadAttributes() { return RowHeadAttributes_; }
  const TVpRHAttributes& RowHeadAttributes() const { return RowHeadAttributes_; }
  TVpDayViewIconAttributes& IconAttributes() { return IconAttributes_; }
  const TVpDayViewIconAttributes& IconAttributes() const { return IconAttributes_; }
  TVpTimeSlotColor& TimeSlotColors() { return TimeSlotColors_; }
  const TVpTimeSlotColor& TimeSlotColors() const { return TimeSlotColors_; }
  const std::string& DateLabelFormat() const { return DateLabelFormat_; }
  void SetDateLabelFormat(std::string value) { Store(DateLabelFormat_, std::move(value)); }
  // The hour scrolled to the top when the view is loaded; setting it moves nothing.
  TVpHours DefaultTopHour() const { return DefaultTopHour_; }
  void SetDefaultTopHour(TVpHours value) { DefaultTopHour_ = value; }
  // Rebuilds the rows; the top row becomes the first of the hour last scrolled to (all rows fit:
  // row 0). A value outside the enumeration is ignored.
  TVpGranularity Granularity() const { return Granularity_; }
  void SetGranularity(TVpGranularity value);
  TVpTimeFormat TimeFormat() const { return TimeFormat_; }
  void SetTimeFormat(TVpTimeFormat value) { Store(TimeFormat_, value); }
  TVpDrawingStyle DrawingStyle() const { return DrawingStyle_; }
  void SetDrawingStyle(TVpDrawingStyle value) { Store(DrawingStyle_, value); }
  // Width of an event's time bar and of the gutter strip of each column. Taken only when not
  // negative and less than a tenth of the view's width.
  int GutterWidth() const { return GutterWidth_; }
  void SetGutterWidth(int value);
  bool ShowEventTimes() const { return ShowEventTimes_; }
  void SetShowEventTimes(bool value) { Store(ShowEventTimes_, value); }
  TVpDVWrapStyle WrapStyle() const { return WrapStyle_; }
  void SetWrapStyle(TVpDVWrapStyle value) { Store(WrapStyle_, value); }
  TColor DotDotDotColor() const { return DotDotDotColor_; }
  void SetDotDotDotColor(TColor value) { Store(DotDotDotColor_, value); }
  bool ShowResourceName() const { return ShowResourceName_; }
  void SetShowResourceName(bool value) { Store(ShowResourceName_, value); }
  // A second time zone whose hours the ruler shows beside the desktop's (a zone data name); empty
  // for none, and a name the zone data does not know is taken as none.
  const std::string& SecondZone() const { return SecondZone_; }
  void SetSecondZone(std::string value);
  // Day columns, 1 to 30; other values are ignored. A change selects the first column.
  int NumDays() const { return NumDays_; }
  void SetNumDays(int value);
  // Off: Saturdays and Sundays get no column.
  bool IncludeWeekends() const { return IncludeWeekends_; }
  void SetIncludeWeekends(bool value);

  // The first day shown. A new date goes to the store (once the view is loaded), so that the
  // store holds that day's events, and to the other views of the control link.
  double Date() const { return Date_; }
  void SetDate(double value);

  // --- run-time state ---
  // The first row on screen. Kept within 0 and the last top row that still fills the view
  // (LineCount - VisibleLines + 1), 0 when every row fits.
  int TopLine() const { return TopLine_; }
  void SetTopLine(int value);
  // The hour last scrolled to by hour, none at first.
  std::optional<int> TopHour() const { return TopHour_; }
  // Scrolls the hour's first row to the top, when the hour is not the one last scrolled to.
  void ScrollToHour(int hour);
  // The selected row, -1 until set. Moving it clamps it to the rows of a day and scrolls it into
  // view.
  int ActiveRow() const { return ActiveRow_; }
  void SetActiveRow(int row);
  // The selected day column, clamped to the columns.
  int ActiveCol() const { return ActiveCol_; }
  void SetActiveCol(int col);
  // The selected event while it is still loaded; nullptr when none is selected or it is gone.
  TVpEvent* ActiveEvent() const;
  void SetActiveEvent(TVpEvent* event);

  int LineCount() const { return LineCountOf(Granularity_); }
  // Metrics and tables of the last on-screen pass.
  int RowHeight() const { return Screen_.RowHeight; }
  // Below the date headers, the all-day strip.
  int StripTop() const { return Screen_.StripTop; }
  int HeaderHeight() const { return Screen_.HeaderHeight; }
  int VisibleLines() const { return Screen_.VisibleLines; }
  const TVpLineMatrix& LineMatrix() const { return Screen_.Lines; }
  const TVpColRectArray& ColRects() const { return Screen_.Columns; }
  const TVpEventArray& EventArray() const { return Screen_.Events; }
  // The event of the drawn-event table's entry while it is still loaded, else nullptr.
  TVpEvent* DrawnEvent(size_t index) const;

  // The owning window has applied its stored settings: scrolls to DefaultTopHour, marks the view
  // loaded and hands its date to the store.
  void Loaded();
  bool IsLoaded() const { return Loaded_; }

  const TLocale& Locale() const { return Locale_; }

  // --- TVpLinkableControl ---
  TVpItemType GetItemType() const override { return itDayView; }
  void SetDataStore(TVpCustomDataStore* store) override;
  // startLine < 0 means TopLine; startLine and stopLine count rows of `granularity`, which may
  // differ from the view's own (a print format's); they are converted to the view's rows by time.
  // stopLine <= 0 draws as many rows as fit.
  void RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                      int startLine, int stopLine, TVpGranularity granularity, bool displayOnly) override;
  // Prints the view as RenderIntoRect does with displayOnly, with numDays day columns (at most 30)
  // instead of NumDays. Nothing of the view changes.
  void PrintDaysIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double scale, double renderDate,
                         int startLine, int stopLine, TVpGranularity granularity, int numDays);
  void HandleLinkNotification(TVpLinkableControl* sender, TVpNotificationKind kind, double value) override;
  // Screen painting: takes up a date the store was moved to by someone else, keeps the top row
  // within what the client area shows, then draws from TopLine.
  void Paint(TCanvas& canvas, const TRect& clientRect) override;
  TVpScrollBarInfo ScrollBar() const override;
  void Scroll(TVpScrollAction action, int position) override;

  // --- what the user does (day_view_interaction.cpp) ---
  // A left press selects the column, row and event under it (below the header); moving away with
  // the button down drags the selected event, and releasing drops it on the row under the pointer.
  // A right press does the same selection and opens the popup menu.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  // A press at the top or bottom edge of a timed event and a drag resize it: the edge goes to the
  // row under the pointer.
  // Edits the event under the pointer, or adds one at the slot.
  void DoubleClick(int x, int y) override;
  TPointerShape PointerShapeAt(int x, int y) const override;
  // Enter and Insert add; the arrows, Page Up/Down, Home and End move the selection and scroll;
  // Left and Right change the date by a day.
  bool KeyDown(int key, TShiftState shift) override;
  // One row per notch, never past the first or last row.
  bool MouseWheel(TShiftState shift, int delta, int x, int y) override;
  void FocusChanged(bool focused) override;

  // The commands of the popup menu.
  void AddEventAtActiveSlot();
  // An all-day event on the selected column's day (a double click into the all-day strip).
  void AddAllDayEventAtActiveColumn();
  void DeleteActiveEvent();

 private:
  // Hit tests against the last on-screen pass: -1 or nullptr where nothing is hit.
  int ColumnAt(int x, int y) const;
  int RowAt(int x, int y, bool dragging) const;
  // The column whose all-day strip is at the point.
  int StripColumnAt(int x, int y) const;
  TVpEvent* EventAt(int x, int y) const;
  // The edge of a timed event drawn at the point, and the event.
  enum TEdge { edNone, edTop, edBottom };
  std::pair<TEdge, TVpEvent*> EdgeAt(int x, int y) const;
  // Column and row follow the point; the event under it becomes the active one.
  void SelectAt(int x, int y);
  // The whole date of a day column, as the layout works it out.
  double ColumnDate(int column) const;
  void ShowPopupMenu(int x, int y);
  // Edits the event in the event dialog; a cancelled new event is removed again.
  void EditEvent(TVpEvent* event, bool isNew);
  // Adds an event and edits it in the event dialog.
  void AddEvent(double start, double end, bool allDay);
  // Moves the dragged event to the active column and row; dropped into the all-day strip, or an
  // all-day event, only to the column's day.
  void DropEvent(const TVpEvent* event, int recordID, bool inStrip);
  // Moves the resized edge of the dragged event to the active row.
  void ResizeEvent(const TVpEvent* event, int recordID, TEdge edge);
  // The largest TopLine for the current VisibleLines.
  int LastTopLine() const;
  // Builds the line and column tables afresh for NumDays and Granularity, nothing drawn.
  void RebuildTables();
  // Makes sure the store has loaded every day the columns show, widening its window if needed.
  void LoadShownDays();
  void FollowStoreDate();

  const TClock& Clock_;
  const TLocale& Locale_;

  TColor Color_ = clWindow;
  TColor LineColor_ = clGray;
  TVpFont Font_;
  TVpCHAttributes HeadAttributes_;
  TVpRHAttributes RowHeadAttributes_;
  TVpDayViewIconAttributes IconAttributes_;
  TVpTimeSlotColor TimeSlotColors_;
  std::string DateLabelFormat_ = "dddd, mmmm dd, yyyy";
  TVpHours DefaultTopHour_ = h_07;
  TVpGranularity Granularity_ = gr30Min;
  TVpTimeFormat TimeFormat_ = tf12Hour;
  TVpDrawingStyle DrawingStyle_ = ds3d;
  int GutterWidth_ = 7;
  bool ShowEventTimes_ = false;
  TVpDVWrapStyle WrapStyle_ = wsIconFlow;
  TColor DotDotDotColor_ = clBlack;
  bool ShowResourceName_ = true;
  std::string SecondZone_;
  int NumDays_ = 1;
  bool IncludeWeekends_ = true;
  double Date_ = 0;

  bool Loaded_ = false;
  bool HandlingNotification_ = false;
  // The store's date when this view last set it or took it up.
  std::optional<double> StoreDateSeen_;
  int TopLine_ = 0;
  std::optional<int> TopHour_;
  int ActiveRow_ = -1;
  int ActiveCol_ = 0;
  const TVpEvent* ActiveEvent_ = nullptr;
  int ActiveEventID_ = -1;

  // The point of a left press while the button is down, and the event being dragged.
  std::optional<TPoint> PressPoint_;
  bool Dragging_ = false;
  const TVpEvent* DragEvent_ = nullptr;
  int DragEventID_ = -1;
  double DragEventDay_ = 0;
  TEdge ResizeEdge_ = edNone;  // the edge pressed on, for a resize

  // The layout of the last on-screen pass: what clicks and keys work on.
  TVpDayViewLayout Screen_;
};
