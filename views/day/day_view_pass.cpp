#include "views/day/day_view_pass.h"

#include <algorithm>

#include "model/date_format.h"
#include "model/event.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "store/data_store.h"
#include "views/day/day_view.h"
#include "views/day/day_view_metrics.h"
#include "views/day/time_slots.h"

namespace {

TVpDayViewColors ScreenColors(const TVpDayView& view) {
  return {clBtnShadow,      clBtnHighlight, cl3DDkShadow, clBtnFace, clWindow, view.HeadAttributes().Color(),
          view.LineColor(), view.Color()};
}

const TVpDayViewColors kPrintColors = {clBlack, clBlack, clBlack, clBlack, clWhite, RGB(192, 192, 192),
                                       clBlack, clWhite};

// All-day events beyond this many in a column are told by the "more" marks at the strip's foot.
constexpr size_t kMaxStripRows = 3;

// The row at the view's own granularity for a start or stop line given at another.
int ViewRow(const TVpDayView& view, int line, TVpGranularity granularity) {
  if (granularity == view.Granularity() || granularity < gr05Min || granularity > gr60Min)
    return std::clamp(line, 0, view.LineCount() - 1);
  return ConvertLine(line, granularity, view.Granularity());
}

}  // namespace

TVpDayViewPass::TVpDayViewPass(const TVpDayView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                               double scale, double renderDate, int startLine, int stopLine, TVpGranularity granularity,
                               bool displayOnly, int numDays)
    : TVpDrawingPass(canvas, rect, angle, displayOnly),
      View_(view),
      Scale_(UsableScale(scale)),
      RulerGranularity_(granularity),
      Colors_(PassColors(displayOnly, ScreenColors(view), kPrintColors)),
      LineCount_(view.LineCount()),
      Lines_(BuildLineArray(view.Granularity())) {
  const TVpCustomDataStore* store = view.DataStore();
  const TVpResource* active = store != nullptr ? store->ActiveResource() : nullptr;
  ShowsResourceName_ = view.ShowResourceName() && active != nullptr && !displayOnly;
  if (active != nullptr && store->Connected()) {
    Resource_ = active;
    Categories_ = &store->CategoryColorMap();
  }

  const int headText = ReferenceTextHeight(canvas, view.HeadAttributes().Font().Font());
  HeaderHeight_ = ShowsResourceName_ ? RoundEven(Scale_ * (2 * headText + 18)) : RoundEven(Scale_ * (headText + 12));
  RowHeight_ =
      std::max(1, RoundEven(Scale_ * (ReferenceTextHeight(canvas, view.RowHeadAttributes().MinuteFont().Font()) + 12)));
  const TFont callersFont = canvas.Font;
  RulerWidth_ = 2 * TextWidth("33", view.RowHeadAttributes().HourFont().Font()) + 10;
  if (!view.SecondZone().empty()) {
    // As wide as its longest hour label, or its place's name up to twice that.
    const TFont& font = view.RowHeadAttributes().MinuteFont().Font();
    const int hours = TextWidth("12:30pm", font);
    SecondRulerWidth_ = std::clamp(TextWidth(PlaceOfZone(view.SecondZone()), font), hours, 2 * hours) + 8;
    RulerWidth_ += SecondRulerWidth_;
  }
  canvas.Font = callersFont;
  GutterPixels_ = RoundEven(view.GutterWidth() * Scale_);

  Days_ = ColumnDays(renderDate, numDays > 0 ? std::min(numDays, TVpDayView::kMaxNumDays) : view.NumDays(),
                     view.IncludeWeekends());
  CollectDayEvents();
  size_t stripRows = 0;
  for (const std::vector<TVpEvent*>& events : AllDay_) stripRows = std::max(stripRows, events.size());
  if (stripRows > 0) {
    StripPitch_ = RoundEven(Scale_ * (ReferenceTextHeight(canvas, view.Font().Font()) + 8));
    StripHeight_ = static_cast<int>(std::min(stripRows, kMaxStripRows)) * StripPitch_ + RoundEven(Scale_ * 4);
    HeaderHeight_ += StripHeight_;
  }

  StartLine_ = startLine < 0 ? std::clamp(view.TopLine(), 0, LineCount_ - 1) : ViewRow(view, startLine, granularity);
  StopLine_ = stopLine > 0 ? ViewRow(view, stopLine, granularity) : -1;
  const int rulerHeight = Frame().Bottom - (Frame().Top + HeaderHeight_ + 1);
  VisibleLines_ = VisibleLinesFor(rulerHeight, HeaderHeight_, RowHeight_, LineCount_, StartLine_, StopLine_);
  LastRow_ = std::min(StartLine_ + VisibleLines_, LineCount_ - 1);
  if (displayOnly && StopLine_ > 0) HoldEveryEvent(canvas);
}

void TVpDayViewPass::HoldEveryEvent(TCanvas& canvas) {
  // Rows are added by whole hours, so that the ruler names the first one. All-day events stand in
  // the strip; they ask for no rows.
  const int perHour = SlotsPerHour(View_.Granularity());
  for (size_t column = 0; column < Days_.size(); ++column) {
    for (TVpEvent* event : Timed_[column]) {
      const TVpPlacedEvent placed = MeasureDayEvent(event, View_.Granularity(), Days_[column]);
      StartLine_ = std::min(StartLine_, placed.FirstRow - placed.FirstRow % perHour);
      StopLine_ = std::max(StopLine_, placed.LastRow - placed.LastRow % perHour + perHour - 1);
    }
  }
  StopLine_ = std::min(StopLine_, LineCount_ - 1);
  const int cellHeight = Frame().Bottom - 2 - (Frame().Top + HeaderHeight_ + 1);
  const int leastRow =
      RoundEven(Scale_ * (ReferenceTextHeight(canvas, View_.RowHeadAttributes().MinuteFont().Font()) + 2));
  const TVpPrintedRows rows = PrintedRowsFor(cellHeight, RowHeight_, leastRow, StopLine_ - StartLine_ + 1);
  RowHeight_ = rows.RowHeight;
  VisibleLines_ = rows.Rows;
  LastRow_ = StartLine_ + rows.Rows - 1;
}

std::string TVpDayViewPass::LabelFormat(const TFont& font, int width) {
  if (!DisplayOnly()) return View_.DateLabelFormat();
  // Every column takes the same form, the first in which every column's label fits.
  const auto fits = [&](const std::string& format) {
    return std::all_of(Days_.begin(), Days_.end(), [&](double day) {
      return TextWidth(FormatDateTime(format, day, View_.Locale()), font) <= width;
    });
  };
  for (std::string format : {View_.DateLabelFormat(), std::string("dddd, mmmm d"), std::string("dddd, mmm d"),
                             std::string("dddd d"), std::string("dddd")})
    if (fits(format)) return format;
  return "ddd d";
}

TVpDayViewLayout TVpDayViewPass::Draw() {
  BeginDrawing();

  Layout_.RowHeight = RowHeight_;
  Layout_.StripTop = HeaderHeight_ - StripHeight_;
  Layout_.HeaderHeight = HeaderHeight_;
  Layout_.VisibleLines = VisibleLines_;
  Layout_.Lines.assign(Days_.size(), Lines_);
  Layout_.Columns.assign(Days_.size(), TVpColRec{});

  const int L = Frame().Left, T = Frame().Top, B = Frame().Bottom;
  DrawCorner();
  const int rulerLeft = View_.DrawingStyle() == dsFlat ? L + 2 : L + 1;
  if (SecondRulerWidth_ > 0) DrawSecondRuler(Rect(rulerLeft, T + HeaderHeight_ + 1, rulerLeft + SecondRulerWidth_, B));
  DrawRuler(Rect(rulerLeft + SecondRulerWidth_, T + HeaderHeight_ + 1, L + RulerWidth_ + 2, B));

  const int scrollBarReserve = DisplayOnly() ? TVpDayView::kPrintScrollBarReserve : TVpDayView::kScrollBarReserve;
  const int columns = static_cast<int>(Days_.size());
  const int columnWidth = std::max(0, (Frame().Width() - RulerWidth_ - scrollBarReserve - 1) / columns);
  int x = L + RulerWidth_ + 3;
  for (int j = 0; j < columns; ++j) {
    TRect header = Rect(x, T + 2, x + columnWidth, T + HeaderHeight_ - StripHeight_);
    // On screen the last header reaches over the scroll bar to the view's border.
    if (!DisplayOnly() && j == columns - 1) header.Right = std::max(header.Right, Frame().Right - 3);
    DrawColumnHeader(header, j, Days_[static_cast<size_t>(j)]);
    if (StripHeight_ > 0) DrawAllDayStrip(Rect(x, header.Bottom, header.Right, T + HeaderHeight_), j);
    const TRect cell = Rect(x, T + HeaderHeight_ + 1, x + columnWidth, B - 2);
    Layout_.Columns[static_cast<size_t>(j)] = {cell, Days_[static_cast<size_t>(j)]};
    DrawCells(cell, j, Days_[static_cast<size_t>(j)]);
    DrawEvents(j, Days_[static_cast<size_t>(j)]);
    DrawNowLine(j, Days_[static_cast<size_t>(j)]);
    x += columnWidth;
  }
  DrawBorder();
  return std::move(Layout_);
}

void TVpDayViewPass::DrawCorner() {
  const TRect box =
      Rect(Frame().Left + 1, Frame().Top, Frame().Left + RulerWidth_ + 3, Frame().Top + HeaderHeight_ + 2);
  Fill(box, Colors_.Header);
  if (View_.DrawingStyle() == ds3d) {
    Bevel(Rect(box.Left + 1, box.Top + 2, box.Right - 2, box.Bottom - 2), Colors_.Highlight, Colors_.Shadow);
    return;
  }
  Line(box.Right - 2, box.Bottom - 2, box.Left, box.Bottom - 2, Colors_.Shadow);
  Canvas().Pen.Color = Colors_.Highlight;
  Ex().LineTo(box.Left, box.Top);
  Ex().LineTo(box.Right - 2, box.Top);
  Line(box.Right - 2, box.Top + 6, box.Right - 2, box.Bottom - 5, Colors_.Shadow);
}

void TVpDayViewPass::DrawColumnHeader(const TRect& rect, int column, double day) {
  const TFont& font = View_.HeadAttributes().Font().Font();
  Fill(rect, Colors_.Header);
  const int left = rect.Left + 2;
  const int top = rect.Top - 2;
  const int available = rect.Right - 3 - left;
  auto centred = [&](const std::string& text) { return left + available / 2 - TextWidth(text, font) / 2; };

  if (LabelFormat_.empty()) LabelFormat_ = LabelFormat(font, available);
  const std::string label = Fit(FormatDateTime(LabelFormat_, day, View_.Locale()), font, available);
  int labelTop = top + 6;
  if (ShowsResourceName_) {
    if (column == 0) {
      const std::string name = Fit(View_.DataStore()->ActiveResource()->Description(), font, available);
      Text(centred(name), top + 6, name, font);
    }
    Canvas().Font = font;
    labelTop = top + Canvas().TextHeight(label) + 12;
  }
  Text(centred(label), labelTop, label, font);

  if (View_.DrawingStyle() == ds3d) {
    Bevel(rect, Colors_.Highlight, Colors_.DarkShadow);
    return;
  }
  Line(rect.Right, rect.Bottom, rect.Left - 1, rect.Bottom, Colors_.Shadow);
  Line(rect.Right, rect.Bottom - 4, rect.Right, rect.Top + 3, Colors_.Shadow);
  Line(rect.Left, rect.Bottom - 4, rect.Left, rect.Top + 3, Colors_.Highlight);
}

void TVpDayViewPass::DrawBorder() {
  if (View_.DrawingStyle() == dsFlat)
    BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.Highlight, Colors_.Shadow);
  else BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.DarkShadow, Colors_.Face);
}
