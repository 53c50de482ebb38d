#include "views/week/week_view_pass.h"

#include <algorithm>
#include <string>

#include "model/date_format.h"
#include "model/date_helpers.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "store/data_store.h"
#include "views/week/week_view.h"

namespace {

TVpWeekViewColors ScreenColors(const TVpWeekView& view) {
  const TVpAllDayEventAttributes& allDay = view.AllDayEventAttributes();
  return {clBtnHighlight,
          clBtnShadow,
          cl3DDkShadow,
          clBtnFace,
          view.LineColor(),
          view.Color(),
          view.DayHeadAttributes().Color(),
          view.HeadAttributes().Color(),
          allDay.BackgroundColor(),
          allDay.EventBackgroundColor(),
          allDay.EventBorderColor()};
}

const TColor kPrintGrey = RGB(192, 192, 192);
const TVpWeekViewColors kPrintColors = {clBlack,    clBlack,    clBlack, clBlack, clBlack,   clWhite,
                                        kPrintGrey, kPrintGrey, clWhite, clWhite, kPrintGrey};

}  // namespace

TVpWeekViewPass::TVpWeekViewPass(const TVpWeekView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                                 double weekStart, bool displayOnly)
    : TVpDrawingPass(canvas, rect, angle, displayOnly),
      View_(view),
      WeekStart_(weekStart),
      Colors_(PassColors(displayOnly, ScreenColors(view), kPrintColors)) {
  const TVpCustomDataStore* store = view.DataStore();
  if (store != nullptr && store->Connected()) Resource_ = store->ActiveResource();
  Layout_.HeaderHeight = TextHeight(view.HeadAttributes().Font().Font()) + 12;
  Layout_.DayHeadHeight = TextHeight(view.DayHeadAttributes().Font().Font()) + 8;
  Layout_.EventLineHeight = TextHeight(view.EventFont().Font()) + 3;
}

TVpWeekViewLayout TVpWeekViewPass::Draw() {
  for (int i = 0; i < 7; ++i) Layout_.Days[static_cast<size_t>(i)] = {kUndrawnRect, WeekStart_ + i};
  if (Frame().Width() <= 0 || Frame().Height() <= 0) return std::move(Layout_);

  BeginDrawing();
  Fill(Frame(), Colors_.Background);
  DrawHeader();

  const int L = Frame().Left, T = Frame().Top, R = Frame().Right, B = Frame().Bottom;
  const int headerHeight = Layout_.HeaderHeight;
  const int dayHeight = (B - T - headerHeight) / 3;
  const int mid = L + (R - L) / 2;
  const bool flat = View_.DrawingStyle() == dsFlat;
  const int boxTop = T + headerHeight + (flat ? 2 : 3);
  const int rightColumnRight = R - (flat ? 1 : 2);
  int bottom = 0;
  for (int i = 0; i < 7; ++i) {
    TRect box;
    if (i < 3) {
      box = Rect(L + 1, i == 0 ? boxTop : bottom, mid + 1, i == 0 ? T + headerHeight + dayHeight : bottom + dayHeight);
    } else {
      const int height = i < 5 ? dayHeight : dayHeight / 2;
      box = Rect(mid, i == 3 ? boxTop : bottom, rightColumnRight,
                 i == 3 ? T + headerHeight + dayHeight : bottom + height);
    }
    bottom = box.Bottom;
    DrawDay(box, WeekStart_ + i);
    Layout_.Days[static_cast<size_t>(i)].Rec = box;
  }
  Line(mid, T + headerHeight + 2, mid, B - 1, Colors_.ColumnLine);
  DrawBorder();
  return std::move(Layout_);
}

void TVpWeekViewPass::DrawHeader() {
  const int L = Frame().Left, T = Frame().Top, R = Frame().Right;
  const int headerHeight = Layout_.HeaderHeight;
  const bool flat = View_.DrawingStyle() == dsFlat;
  const TRect header =
      flat ? Rect(L + 1, T + 1, R - 1, T + 1 + headerHeight) : Rect(L + 2, T + 2, R - 3, T + headerHeight);
  Fill(header, Colors_.Header);
  Bevel(header, Colors_.Highlight, flat ? Colors_.Shadow : Colors_.DarkShadow);

  const TFont& font = View_.HeadAttributes().Font().Font();
  const std::string label = " " + std::to_string(IsoWeekNumber(WeekStart_)) + ". Week of " +
                            FormatDateTime(View_.DateLabelFormat(), WeekStart_, View_.Locale());
  int x = L + 42;
  int drawX = L + 12;
  if (DisplayOnly()) {
    const int width = TextWidth(label, font);
    x = width >= Frame().Width() ? L + 12 : L + (R - L - width) / 2;
    drawX = x;
  }
  Text(drawX, header.Top + 4, Fit(label, font, std::max(0, header.Right - x - 6)), font);
}

void TVpWeekViewPass::DrawDay(const TRect& box, double day) {
  const int dayHeadHeight = Layout_.DayHeadHeight;
  const TRect band = Rect(box.Left, box.Top, box.Right, box.Top + dayHeadHeight);
  Fill(band, Colors_.DayHead);
  const TFont& captionFont = View_.DayHeadAttributes().Font().Font();
  std::string caption = FormatDateTime(View_.DayHeadAttributes().DateFormat(), day, View_.Locale());
  if (TextWidth(caption, captionFont) > band.Width())
    caption = Fit(caption, captionFont, std::max(0, band.Width() - 6));
  Text(band.Right - TextWidth(caption, captionFont) - 6, band.Top + 4, caption, captionFont);

  if (Resource_ != nullptr && box.Height() >= dayHeadHeight + 12) {
    std::vector<TVpEvent*> events;
    Resource_->Schedule().CollectEventsOn(day, events);
    if (!events.empty()) {
      const int timedTop = DrawAllDayEvents(events, day, Rect(box.Left, band.Bottom, box.Right, box.Bottom));
      DrawTimedEvents(events, day, box, timedTop);
    }
  }
  if (!DisplayOnly() && DateOf(View_.Date()) == day)
    Ex().FocusRect(Rect(box.Left + 2, band.Bottom + 2, box.Right - 2, box.Bottom - 2));
}

int TVpWeekViewPass::DrawAllDayEvents(const std::vector<TVpEvent*>& events, double day, const TRect& area) {
  std::vector<const TVpEvent*> allDay;
  for (const TVpEvent* event : events)
    if (event->AllDayEvent() && std::find(allDay.begin(), allDay.end(), event) == allDay.end()) allDay.push_back(event);
  if (allDay.empty()) return area.Top;

  const TFont& font = View_.AllDayEventAttributes().Font().Font();
  const int textHeight = TextHeight(font);
  const int pitch = textHeight + 9;
  const int count = static_cast<int>(allDay.size());
  const int filledBottom = static_cast<int>(std::min<long long>(area.Bottom, area.Top + 1LL * pitch * count + 12));
  const TRect filled = Rect(area.Left, area.Top, area.Right, filledBottom);
  Fill(filled, Colors_.AllDay);
  for (int i = 0; i < count; ++i) {
    const int y = area.Top + pitch * i + 6;
    if (area.Bottom < area.Top + pitch * (i + 1)) {
      MoreMarks(filled.Right, area.Bottom, clBlack);
      break;
    }
    const TVpEvent& event = *allDay[static_cast<size_t>(i)];
    Canvas().Brush.Color = Colors_.AllDayEventFill;
    Canvas().Pen.Color = Colors_.AllDayEventFrame;
    Ex().Rectangle(Rect(area.Left + 9, y + 3, area.Right - 6, y + textHeight + 12));
    // Marked as going on: an event begun before the week, or one going on from an earlier day.
    const bool goesOn = event.StartTime() < DateOf(WeekStart_) || GoesOnInto(event, day);
    const std::string text = (goesOn ? ">> " : "") + event.Description();
    Text(area.Left + 18, y + 6, text, font);
    Layout_.Events.push_back(
        {Rect(area.Left + 9, y + 6, area.Right - 6, y + pitch), kUndrawnRect, &event, event.RecordID()});
  }
  return filled.Bottom;
}

void TVpWeekViewPass::DrawTimedEvents(const std::vector<TVpEvent*>& events, double day, const TRect& box, int top) {
  const TFont& font = View_.EventFont().Font();
  const int lineHeight = Layout_.EventLineHeight;
  const char* timeFormat = View_.TimeFormat() == tf12Hour ? "hh:mm AM/PM" : "hh:mm";
  int lineTop = top;
  for (const TVpEvent* event : events) {
    if (event->AllDayEvent()) continue;
    const TRect line = Rect(box.Left, lineTop, box.Right, lineTop + lineHeight);
    if (box.Bottom < line.Bottom - 6) {
      MoreMarks(box.Right, box.Bottom, clBlack);
      return;
    }
    std::string text = event->Description();
    if (View_.ShowEventTime()) {
      const TVpOccurrenceTimes times = OccurrenceTimesOn(*event, day);
      text = FormatDateTime(timeFormat, times.StartTime, View_.Locale()) + " - " +
             FormatDateTime(timeFormat, times.EndTime, View_.Locale()) + ":  " + text;
    }
    // An event going on from an earlier day is marked so first, where a cut line still shows it.
    if (GoesOnInto(*event, day)) text = ">> " + text;
    if (TextWidth(text, font) > line.Width() - 6) text = Fit(text, font, std::max(0, line.Width() - 12));
    Text(line.Left + 6, line.Top + 3, text, font);
    Layout_.Events.push_back({line, kUndrawnRect, event, event->RecordID()});
    lineTop = line.Bottom;
  }
}

void TVpWeekViewPass::DrawBorder() {
  if (View_.DrawingStyle() == dsFlat)
    BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.Shadow, Colors_.Highlight);
  else BorderBevels(Colors_.Shadow, Colors_.Shadow, Colors_.DarkShadow, Colors_.Face);
}
