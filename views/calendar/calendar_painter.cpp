#include "views/calendar/calendar_painter.h"

#include <string>

#include "model/date_format.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "platform/utf8.h"
#include "store/data_store.h"
#include "views/calendar/calendar.h"
#include "views/calendar/calendar_day_table.h"
#include "views/drawing/drawing_helpers.h"
#include "views/drawing/drawing_pass.h"

namespace {

// The colours of one drawing pass.
struct TPalette {
  TColor Background;
  TColor Title;
  TColor DayNames;
  TColor Days;
  TColor Weekend;
  TColor InactiveDays;
  TColor EventDays;
  TColor Highlight3D;
  TColor Shadow3D;
  TColor PlainLine;
};

TPalette ScreenPalette(const TVpCalendar& calendar) {
  const TVpCalColors& colors = calendar.Colors();
  return {calendar.Color(),      colors.MonthAndYear(), colors.DayNames(), colors.Days(), colors.Weekend(),
          colors.InactiveDays(), colors.EventDays(),    clBtnHighlight,    clBtnShadow,   calendar.Font().Color()};
}

// Printing: black on white, the neighbouring months in silver, weekends in dark grey.
const TPalette kPrintPalette = {clWhite, clBlack, clBlack, clBlack, 0x5F5F5F, RGB(192, 192, 192),
                                clBlack, clBlack, clBlack, clBlack};

std::string TitleFormat(TVpDateFormat format, bool showYear) {
  return std::string(format == dfLong ? "mmmm" : "mmm") + (showYear ? " yyyy" : "");
}

// One drawing pass of a calendar.
class TVpCalendarPass : private TVpDrawingPass {
 public:
  TVpCalendarPass(TVpCalendar& calendar, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle, double date,
                  bool displayOnly)
      : TVpDrawingPass(canvas, rect, angle, displayOnly),
        Calendar_(calendar),
        Date_(date),
        Palette_(PassColors(displayOnly, ScreenPalette(calendar), kPrintPalette)),
        Days_(date, calendar.WeekStarts()),
        Layout_(LayOut()) {}

  TVpCalendarLayout Draw() {
    Fill(Frame(), Palette_.Background);
    DrawTitle();
    DrawDayNames();
    DrawLineUnderNames();
    DrawDays();
    if (!Calendar_.OnDrawItem && !Calendar_.HasOption(cdoHideActive) && !DisplayOnly()) DrawSelectedDay();
    return Layout_;
  }

 private:
  TVpCalendarLayout LayOut() {
    Canvas().Pen = TPen{Canvas().Pen.Color, 1, psSolid, pmCopy};
    Canvas().Brush.Style = bsSolid;
    Canvas().Font = Calendar_.Font().Font();
    const bool buttonBand = !DisplayOnly() && (Calendar_.HasOption(cdoShowRevert) || Calendar_.HasOption(cdoShowToday));
    return TVpCalendarLayout(Frame(), Canvas().TextHeight("Yy"), buttonBand);
  }

  void DrawTitle() {
    const TRect rect = Layout_.TitleRect();
    const TVpDateFormat format = Calendar_.DateFormat();
    const bool showYear = Calendar_.HasOption(cdoShowYear);
    std::string text = FormatDateTime(TitleFormat(format, showYear), Date_, Calendar_.Locale());
    if (format == dfLong && Canvas().TextWidth(text) > rect.Width())
      text = FormatDateTime(TitleFormat(dfShort, showYear), Date_, Calendar_.Locale());
    Canvas().Font.Color = Palette_.Title;
    if (Calendar_.OnDrawDate) Calendar_.OnDrawDate(Calendar_, Canvas(), Date_, DeviceRect(rect));
    else CenteredText(rect, text);
  }

  void DrawDayNames() {
    Canvas().Font.Color = Palette_.DayNames;
    const TLocale& locale = Calendar_.Locale();
    for (int column = 0; column < TVpCalendarLayout::Columns; ++column) {
      const int weekday = (static_cast<int>(Calendar_.WeekStarts()) + column) % 7 + 1;  // 1 Sunday
      if (weekday == 7) SaturdayColumn_ = column;
      if (weekday == 1) SundayColumn_ = column;
      const std::string name =
          Calendar_.HasOption(cdoShortNames) ? locale.ShortDayName(weekday) : locale.LongDayName(weekday);
      // A width of 0 or less shows the whole name.
      const int width = Calendar_.DayNameWidth();
      CenteredText(Layout_.Cell(1, column), width > 0 ? FirstCodePoints(name, width) : name);
    }
  }

  void DrawLineUnderNames() {
    const int y = Layout_.Cell(1, 0).Bottom - 3;
    auto line = [&](int atY, TColor color) { Line(Frame().Left, atY, Frame().Right, atY, color); };
    if (Calendar_.Ctl3D()) {
      line(y, Palette_.Highlight3D);
      line(y + 1, Palette_.Shadow3D);
    } else {
      line(y, Palette_.PlainLine);
    }
  }

  bool HasEvents(double date) const {
    const TVpCustomDataStore* store = Calendar_.DataStore();
    const TVpResource* resource = store != nullptr ? store->ActiveResource() : nullptr;
    return resource != nullptr && resource->Schedule().CountEventsOn(date) > 0;
  }

  // Sets the font for a day number: bold and underlined in the event colour on a day with events,
  // else neither, in the given colour.
  void UseDayFont(double date, TColor color) {
    TFontStyles style = Calendar_.Font().Style() & ~(fsBold | fsUnderline);
    if (HasEvents(date)) {
      style |= fsBold | fsUnderline;
      color = Palette_.EventDays;
    }
    Canvas().Font.Style = style;
    Canvas().Font.Color = color;
  }

  TRect CellOf(int position) const {
    return Layout_.Cell(TVpCalendarLayout::FirstWeekRow + (position - 1) / 7, (position - 1) % 7);
  }

  void DrawDays() {
    const bool highlightSaturday = Calendar_.HasOption(cdoHighlightSat);
    const bool highlightSunday = Calendar_.HasOption(cdoHighlightSun);
    for (int position = 1; position <= TVpCalendarDayTable::ShownPositions; ++position) {
      const int column = (position - 1) % 7;
      const double date = Days_.DateAt(position);
      const bool weekend =
          (highlightSaturday && column == SaturdayColumn_) || (highlightSunday && column == SundayColumn_);
      UseDayFont(date, weekend ? Palette_.Weekend : Palette_.Days);
      if (!Days_.IsActive(position)) {
        if (!Calendar_.HasOption(cdoShowInactive)) continue;
        Canvas().Font.Color = Palette_.InactiveDays;
      }
      if (Calendar_.OnGetHighlight) Calendar_.OnGetHighlight(Calendar_, date, Canvas().Font.Color);
      TRect cell = CellOf(position);
      if (Calendar_.OnDrawItem) {
        Calendar_.OnDrawItem(Calendar_, Canvas(), date, DeviceRect(cell));
        continue;
      }
      const std::string text = std::to_string(Days_.DayAt(position));
      const int textHeight = Canvas().TextHeight(text);
      if (textHeight < cell.Height()) cell.Top += (cell.Height() - textHeight) / 2;
      CenteredText(cell, text);
    }
  }

  // The selected day as a button face: pressed while the calendar has the focus.
  void DrawSelectedDay() {
    const int day = DecodeDate(Date_).Day;
    const TRect cell = CellOf(Days_.PositionOf(day));
    Fill(cell, clBtnFace);
    const TRect face = DeviceRect(cell);
    const bool pressed = Calendar_.Focused();
    DrawBevelFrame(Canvas(), {face.Left, face.Top, face.Right - 1, face.Bottom - 1},
                   pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow);
    UseDayFont(Date_, Palette_.Days);
    CenteredText(cell, std::to_string(day));
  }

  TVpCalendar& Calendar_;
  double Date_;
  TPalette Palette_;
  TVpCalendarDayTable Days_;
  TVpCalendarLayout Layout_;
  int SaturdayColumn_ = -1;
  int SundayColumn_ = -1;
};

}  // namespace

TVpCalendarLayout DrawCalendar(TVpCalendar& calendar, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                               double date, bool displayOnly) {
  return TVpCalendarPass(calendar, canvas, rect, angle, date, displayOnly).Draw();
}
