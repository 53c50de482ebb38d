#include "views/month/month_view_pass.h"

#include <algorithm>
#include <string>

#include "model/date_format.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "store/data_store.h"
#include "views/month/month_view.h"

namespace {

TVpMonthViewColors ScreenColors(const TVpMonthView& view) {
  return {clBtnHighlight,
          clBtnShadow,
          cl3DDkShadow,
          clBtnFace,
          view.Color(),
          view.DayHeadAttributes().Color(),
          view.LineColor(),
          view.OffDayColor(),
          view.SelectedDayColor(),
          view.DayNumberFont().Color()};
}

const TVpMonthViewColors kPrintColors = {
    clBlack, clBlack, clBlack, clBlack, clWhite, RGB(192, 192, 192), clBlack, RGB(192, 192, 192), clBlack, clBlack};

constexpr int kDaysPerWeek = 7;
constexpr int kWeeks = 6;
const char* const kDayLetters[kDaysPerWeek] = {"S", "M", "T", "W", "T", "F", "S"};

}  // namespace

double MonthGridStart(double date, TVpDayType weekStartsOn) {
  const TVpDate parts = DecodeDate(date);
  const double first = EncodeDate(parts.Year, parts.Month, 1);
  int offset = static_cast<int>(weekStartsOn) - DayOfWeek(first) + 1;
  if (offset > 0) offset -= kDaysPerWeek;
  return first + offset;
}

TVpMonthViewPass::TVpMonthViewPass(const TVpMonthView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                                   double date, bool displayOnly)
    : TVpDrawingPass(canvas, rect, angle, displayOnly),
      View_(view),
      Date_(DateOf(date)),
      Colors_(PassColors(displayOnly, ScreenColors(view), kPrintColors)) {}

TVpMonthViewLayout TVpMonthViewPass::Draw() {
  BeginDrawing();
  Fill(Frame(), Colors_.Background);

  Layout_.HeaderHeight = TextHeight(View_.DayHeadAttributes().Font().Font(), "Yy") + 8;
  Layout_.DayNumberHeight = TextHeight(View_.DayNumberFont().Font(), "00");
  Layout_.EventHeight = TextHeight(View_.EventFont().Font(), "Yy");
  Layout_.LineHeight = TextHeight(View_.Font().Font(), "Yy") + 2;
  Layout_.ColWidth = (Frame().Width() - 4) / kDaysPerWeek;
  Layout_.RowHeight = (Frame().Height() - 2 * Layout_.HeaderHeight - 4) / kWeeks;
  // A view too small for its grid (shrunk to nothing, an empty print rectangle) shows only its
  // background: every later step divides the room among columns and rows.
  if (Layout_.ColWidth <= 0 || Layout_.RowHeight <= 0) {
    Layout_.ColWidth = std::max(Layout_.ColWidth, 0);
    Layout_.RowHeight = std::max(Layout_.RowHeight, 0);
    return Layout_;
  }

  const TVpCustomDataStore* store = View_.DataStore();
  Resource_ = store != nullptr && store->Connected() ? store->ActiveResource() : nullptr;
  EventsShown_ = View_.ShowEvents() && Resource_ != nullptr && Resource_->Schedule().Count() > 0;

  DrawMonthHeader();
  DrawDayNames();
  DrawDayCells();
  DrawBorder();
  return Layout_;
}

void TVpMonthViewPass::DrawMonthHeader() {
  const int L = Frame().Left, T = Frame().Top, R = Frame().Right, W = Frame().Width();
  const int height = Layout_.HeaderHeight;
  const bool flat = View_.DrawingStyle() == dsFlat;
  const TRect header = flat ? Rect(L + 1, T + 1, R - 1, T + 1 + height) : Rect(L + 2, T + 1, R - 3, T + height);
  Fill(header, Colors_.Header);
  Bevel(header, Colors_.Highlight, flat ? Colors_.Shadow : Colors_.DarkShadow);

  const TFont& font = View_.DayHeadAttributes().Font().Font();
  std::string label = FormatDateTime(View_.DateLabelFormat(), Date_, View_.Locale());
  const int labelWidth = TextWidth(label, font);
  int x = L + 12;
  // On screen a long label is shortened to the room right of L + 42; a print centres it.
  int fitFrom = L + 42;
  if (DisplayOnly()) {
    x = labelWidth >= W ? L + 12 : L + (W - labelWidth) / 2;
    fitFrom = x;
  }
  if (labelWidth > header.Right - fitFrom) label = Fit(label, font, std::max(header.Right - fitFrom - 6, 0));
  Text(x, header.Top + 3, label, font);
}

void TVpMonthViewPass::DrawDayNames() {
  const int L = Frame().Left, T = Frame().Top, R = Frame().Right;
  const int height = Layout_.HeaderHeight;
  const bool flat = View_.DrawingStyle() == dsFlat;
  const int top = T + height + (flat ? 2 : 3);
  const TRect row{L + 1, top, flat ? R - 1 : R - 3, top + height};
  Fill(row, Colors_.Header);
  Bevel(row, Colors_.Highlight, flat ? Colors_.Shadow : Colors_.DarkShadow);

  const TFont& font = View_.DayHeadAttributes().Font().Font();
  const int colWidth = Layout_.ColWidth;
  for (int column = 0; column < kDaysPerWeek; ++column) {
    const int weekday = (static_cast<int>(View_.WeekStartsOn()) + column) % kDaysPerWeek;  // 0 Sunday
    std::string name = View_.DayNameStyle() == dsLong    ? View_.Locale().LongDayName(weekday + 1)
                       : View_.DayNameStyle() == dsShort ? View_.Locale().ShortDayName(weekday + 1)
                                                         : kDayLetters[weekday];
    name = Fit(name, font, std::max(colWidth - 12, 0));
    const int left = row.Left + column * colWidth;
    const int width = TextWidth(name, font);
    Text(left + (colWidth - width) / 2, row.Top + 3, name, font);
    if (column < kDaysPerWeek - 1) {
      const int right = left + colWidth;
      Bevel(Rect(right, row.Top + 3, right + 1, row.Bottom - 3), Colors_.Shadow, Colors_.Highlight);
    }
  }
}

void TVpMonthViewPass::DrawDayCells() {
  const int L = Frame().Left, T = Frame().Top, R = Frame().Right, B = Frame().Bottom;
  const int colWidth = Layout_.ColWidth;
  // The cells stay inside the border, which takes the two outermost pixels on each side.
  const int innerRight = R - 3;
  const int innerBottom = B - 3;
  double day = MonthGridStart(Date_, View_.WeekStartsOn());
  const int month = DecodeDate(Date_).Month;
  std::vector<TVpEvent*> events;
  int top = T + 2 * Layout_.HeaderHeight + 4;
  for (int week = 0; week < kWeeks; ++week) {
    const int bottom = std::max(top, std::min(top + Layout_.RowHeight, innerBottom));
    int left = L + 1;
    for (int column = 0; column < kDaysPerWeek; ++column, day += 1) {
      const bool last = column == kDaysPerWeek - 1;
      const int right = last ? std::max(left, innerRight) : left + colWidth;
      TVpMonthdayRec& cell = Layout_.Days[static_cast<size_t>(week * kDaysPerWeek + column)];
      cell = {Rect(left, top, right, bottom), day, DecodeDate(day).Month != month};
      if (cell.OffDay) Fill(cell.Rec, Colors_.OffDays);
      if (last) {
        Line(left, bottom, right, bottom, Colors_.Lines);
      } else {
        Line(right, top, right, bottom, Colors_.Lines);
        Line(right, bottom, left - 1, bottom, Colors_.Lines);
      }
      events.clear();
      if (Resource_ != nullptr) Resource_->Schedule().CollectEventsOn(day, events);
      DrawDayNumber(cell, !events.empty());
      if (EventsShown_ && !events.empty()) DrawEventLines(cell, events);
      left = right + 1;
    }
    top = bottom + 1;
  }
}

void TVpMonthViewPass::DrawDayNumber(const TVpMonthdayRec& day, bool hasEvents) {
  TFont font = View_.DayNumberFont().Font();
  const TFontStyles eventStyle = hasEvents ? View_.EventDayStyle() : 0;
  font.Color = Colors_.DayNumbers;
  font.Style |= eventStyle;
  if (ToMs(day.Date) == ToMs(Date_)) {
    if (View_.Focused() && !DisplayOnly()) {
      const TRect& r = day.Rec;
      Ex().FocusRect(Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2));
      Ex().FocusRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
    }
    font.Color = Colors_.SelectedDay;
    font.Style |= fsBold;
  }
  const std::string number = std::to_string(DecodeDate(day.Date).Day);
  TFont widest = font;
  widest.Style |= fsBold | fsItalic;
  const int x = day.Rec.Right - TextWidth(number, widest) - ((font.Style & fsItalic) != 0 ? 8 : 6);
  Text(x, day.Rec.Top + 3, number, font);
}

void TVpMonthViewPass::DrawEventLines(const TVpMonthdayRec& day, const std::vector<TVpEvent*>& events) {
  const TRect& cell = day.Rec;
  const TFont& font = View_.EventFont().Font();
  const char* timeFormat = View_.TimeFormat() == tf12Hour ? "hh:mm AM/PM" : "hh:mm";
  const char* shortTimeFormat = View_.TimeFormat() == tf12Hour ? "h:mmam/pm" : "h:mm";
  // On paper the lines start below the day number and have the cell's whole width.
  int top = DisplayOnly() ? cell.Top + Layout_.DayNumberHeight + 3 : cell.Top;
  int height = Layout_.EventHeight + 3;
  for (TVpEvent* event : events) {
    if (top + height > cell.Bottom) {
      MoreMarks(cell.Right, cell.Bottom, clBlack);
      return;
    }
    // Lines beside the day number leave room for it.
    const int right =
        top < cell.Top + Layout_.DayNumberHeight + 3 ? cell.Right - Layout_.DayNumberHeight - 6 : cell.Right;
    const TRect line{cell.Left, top, right, top + height};
    std::string text = event->Description();
    // An event going on from an earlier day is marked so instead of with its start; a printed
    // month tells when each other event starts, which a small calendar on screen leaves out, in the
    // short form of the day view, to leave room for the description.
    if (GoesOnInto(*event, day.Date)) text = ">> " + text;
    else if (DisplayOnly() && !event->AllDayEvent())
      text =
          FormatDateTime(shortTimeFormat, OccurrenceTimesOn(*event, day.Date).StartTime, View_.Locale()) + " " + text;
    else if (View_.ShowEventTime())
      text = FormatDateTime(timeFormat, OccurrenceTimesOn(*event, day.Date).StartTime, View_.Locale()) + " - " + text;
    Text(cell.Left + 3, line.Top + 3, Fit(text, font, std::max(line.Width() - 12, 0)), font);
    Layout_.Events.push_back({line, kUndrawnRect, event, event->RecordID()});
    top = line.Bottom + 1;
    height = Layout_.LineHeight;
  }
}

void TVpMonthViewPass::DrawBorder() {
  if (View_.DrawingStyle() == dsFlat) BorderBevels(Colors_.Shadow, Colors_.Shadow);
  else BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.DarkShadow, Colors_.Face);
}
