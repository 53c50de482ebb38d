#include <algorithm>
#include <array>

#include "model/category_color_map.h"
#include "model/date_format.h"
#include "model/day_number.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "views/day/day_view.h"
#include "views/day/day_view_metrics.h"
#include "views/day/day_view_pass.h"
#include "views/day/time_slots.h"
#include "views/drawing/line_wrapper.h"

// The events of one day column: each a filled rectangle with a coloured time bar at its left
// that marks its start and end within the slots, its icons, its text and a frame. Events whose
// slots meet stand side by side.

void TVpDayViewPass::DrawEvents(int column, double day) {
  if (Resource_ == nullptr) return;
  const TVpLineArray& lines = Layout_.Lines[static_cast<size_t>(column)];
  const TRect& firstRow = lines[static_cast<size_t>(StartLine_)].Rec;
  if (firstRow == kUndrawnRect) return;
  const std::vector<TVpEvent*>& events = Timed_[static_cast<size_t>(column)];
  const TRect& cell = Layout_.Columns[static_cast<size_t>(column)].Rec;
  size_t drawn = 0;
  for (const TVpPlacedEvent& placed : PlaceDayEvents(events, View_.Granularity(), TVpDayView::kMaxEventsPerDay, day))
    drawn += DrawEvent(placed, day, column, firstRow, cell.Bottom) ? 1 : 0;
  // On screen the rows scroll; on paper an event left out is told.
  if (DisplayOnly() && drawn < events.size()) MoreMarks(cell.Right, cell.Bottom, clBlack, Scale_);
}

void TVpDayViewPass::CollectDayEvents() {
  Timed_.assign(Days_.size(), {});
  AllDay_.assign(Days_.size(), {});
  if (Resource_ == nullptr) return;
  std::vector<TVpEvent*> events;
  for (size_t column = 0; column < Days_.size(); ++column) {
    events.clear();
    Resource_->Schedule().CollectEventsOn(Days_[column], events);
    for (TVpEvent* event : events) (event->AllDayEvent() ? AllDay_ : Timed_)[column].push_back(event);
  }
}

void TVpDayViewPass::DrawAllDayStrip(const TRect& strip, int column) {
  Fill(strip, Colors_.Face);
  Line(strip.Left, strip.Bottom - 1, strip.Right, strip.Bottom - 1, Colors_.Shadow);
  const std::vector<TVpEvent*>& events = AllDay_[static_cast<size_t>(column)];
  const double day = Days_[static_cast<size_t>(column)];
  const TFont& font = View_.Font().Font();
  const int inset = RoundEven(2 * Scale_);
  for (size_t i = 0; i < events.size(); ++i) {
    const int top = strip.Top + inset + static_cast<int>(i) * StripPitch_;
    if (top + StripPitch_ > strip.Bottom) {
      MoreMarks(strip.Right - inset, strip.Bottom - inset, DisplayOnly() ? clBlack : View_.DotDotDotColor(), Scale_);
      return;
    }
    const TVpEvent& event = *events[i];
    const TRect rect = Rect(strip.Left + inset, top, strip.Right - inset, top + StripPitch_ - inset);
    const TVpCategoryInfo* category = Categories_->Category(event.Category());
    Fill(rect, category != nullptr ? category->BackgroundColor() : Colors_.Window);
    Fill(Rect(rect.Left, rect.Top, rect.Left + GutterPixels_, rect.Bottom), Categories_->Color(event.Category()));
    Bevel(rect, Colors_.Shadow, Colors_.Shadow);
    // Marked as going on from an earlier day, as the week view marks it.
    const std::string text = (GoesOnInto(event, day) ? ">> " : "") + event.Description();
    const int textLeft = rect.Left + GutterPixels_ + inset * 2;
    Text(textLeft, rect.Top + inset * 2, Fit(text, font, std::max(0, rect.Right - textLeft - inset)), font);
    Layout_.Events.push_back(
        {Rect(rect.Left, rect.Top, rect.Right, rect.Bottom + 1), kUndrawnRect, &event, event.RecordID()});
  }
}

void TVpDayViewPass::DrawNowLine(int column, double day) {
  const double now = View_.Clock().Now();
  if (DisplayOnly() || DateOf(now) != DateOf(day)) return;
  const double time = TimeOf(now);
  const TVpLineArray& lines = Layout_.Lines[static_cast<size_t>(column)];
  const TRect& cell = Layout_.Columns[static_cast<size_t>(column)].Rec;
  for (size_t row = 0; row + 1 < lines.size(); ++row) {
    const TVpLineRec& line = lines[row];
    const double next = row + 2 < lines.size() ? lines[row + 1].Time : 1.0;
    if (line.Rec == kUndrawnRect || time < line.Time || time >= next) continue;
    const int y = line.Rec.Top + static_cast<int>((time - line.Time) / (next - line.Time) * line.Rec.Height());
    Fill(Rect(cell.Left, y - 1, cell.Right, y + 1), clRed);
    return;
  }
}

bool TVpDayViewPass::DrawEvent(const TVpPlacedEvent& placed, double day, int column, const TRect& slots,
                               int cellBottom) {
  const int first = placed.FirstRow;
  const int last = placed.LastRow;
  if (last < StartLine_ || LastRow_ < first) return false;
  const TVpLineArray& lines = Layout_.Lines[static_cast<size_t>(column)];

  const int top = std::max(lines[static_cast<size_t>(first)].Rec.Top, slots.Top);
  // An event running on below the rows drawn ends with them, or with the cell if that is shorter.
  const TRect& lastRow = lines[static_cast<size_t>(last)].Rec;
  const int bottom =
      lastRow != kUndrawnRect ? lastRow.Bottom : std::min(cellBottom, lines[static_cast<size_t>(LastRow_)].Rec.Bottom);
  const int columnWidth = slots.Width();
  // On screen a lone event leaves a quarter of the column free to click into; paper gives it all.
  const int partWidth = placed.WidthDivisor > 1 ? columnWidth / placed.WidthDivisor
                        : DisplayOnly()         ? columnWidth
                                                : static_cast<int>(0.75 * columnWidth);
  const int left = slots.Left + (placed.Level > 0 ? placed.Level * partWidth : -1);
  const int right = std::max(left + partWidth - GutterPixels_, left + 1);
  const TRect rect = Rect(left, top, right, std::max(bottom, top + 1));

  const TVpEvent& event = *placed.Event;
  const TVpCategoryInfo* category = Categories_->Category(event.Category());
  Fill(rect, category != nullptr ? category->BackgroundColor() : Colors_.Window);
  DrawTimeBar(placed, rect);
  const TRect icons = DrawIcons(event, rect, placed.Level);
  DrawEventText(event, day, rect, icons);

  Canvas().Pen.Color = Colors_.Shadow;
  const std::array<TPoint, 5> outline = {{{rect.Left, rect.Top},
                                          {rect.Right, rect.Top},
                                          {rect.Right, rect.Bottom},
                                          {rect.Left, rect.Bottom},
                                          {rect.Left, rect.Top}}};
  Ex().Polyline(outline);
  if (placed.Level > 0)
    Line(rect.Left + GutterPixels_, rect.Top, rect.Left + GutterPixels_, rect.Bottom, Colors_.Shadow);

  Layout_.Events.push_back({Rect(rect.Left, rect.Top, rect.Right, rect.Bottom + 1), icons, &event, event.RecordID()});
  return true;
}

void TVpDayViewPass::DrawTimeBar(const TVpPlacedEvent& placed, const TRect& rect) {
  // The bar is cut short by the part of its first and last slot the event leaves free, measured
  // in the slot's own length.
  const std::int64_t slotMs = GranularityMinutes(View_.Granularity()) * kMsPerMinute;
  const int rowPixels = RowHeight_;
  const std::int64_t firstSlotStart = placed.FirstRow * slotMs;
  const std::int64_t lastSlotEnd = (placed.LastRow + 1) * slotMs;
  std::int64_t topOffset = 0;
  std::int64_t bottomOffset = 0;
  if (lastSlotEnd - firstSlotStart > placed.EndMs - placed.StartMs) {
    if (placed.FirstRow >= StartLine_ && placed.StartMs > firstSlotStart)
      topOffset = (placed.StartMs - firstSlotStart) * rowPixels / slotMs;
    if (LastRow_ >= placed.LastRow && placed.EndMs < lastSlotEnd)
      bottomOffset = (lastSlotEnd - placed.EndMs) * rowPixels / slotMs;
  }
  const int barLeft = placed.Level == 0 ? rect.Left - GutterPixels_ : rect.Left;
  const int barTop = rect.Top + static_cast<int>(topOffset);
  const int barBottom = std::max(barTop, rect.Bottom - static_cast<int>(bottomOffset));
  Fill(Rect(barLeft, barTop, barLeft + GutterPixels_, barBottom), Categories_->Color(placed.Event->Category()));
}

TRect TVpDayViewPass::DrawIcons(const TVpEvent& event, const TRect& eventRect, int level) {
  const TRect none = Rect(eventRect.Left, eventRect.Top, eventRect.Left, eventRect.Top);
  if (DisplayOnly()) return none;
  const TVpDayViewIconAttributes& attributes = View_.IconAttributes();
  std::vector<const TBitmap*> bitmaps;
  if (attributes.ShowCategoryBitmap())
    if (const TVpCategoryInfo* category = Categories_->Category(event.Category()); category && category->Bitmap())
      bitmaps.push_back(category->Bitmap());
  if (attributes.ShowAlarmBitmap() && event.AlarmSet() && !attributes.AlarmBitmap().Empty())
    bitmaps.push_back(IconBitmap(attributes.AlarmBitmap(), AlarmIcon_));
  if (attributes.ShowRecurringBitmap() && Repeats(event) && !attributes.RecurringBitmap().Empty())
    bitmaps.push_back(IconBitmap(attributes.RecurringBitmap(), RecurringIcon_));
  if (bitmaps.empty()) return none;

  // Icons taller than the event (less a pixel above and below) are shrunk to fit, keeping their
  // proportions.
  const int room = std::max(eventRect.Height() - 2, 0);
  std::vector<TPoint> sizes;
  int totalWidth = 0;
  int tallest = 0;
  for (const TBitmap* bitmap : bitmaps) {
    TPoint size{bitmap->Width(), bitmap->Height()};
    if (size.Y > room) size = {size.Y > 0 ? size.X * room / size.Y : 0, room};
    sizes.push_back(size);
    totalWidth += size.X;
    tallest = std::max(tallest, size.Y);
  }
  const int areaLeft = level == 0 ? eventRect.Left : eventRect.Left + GutterPixels_;
  const TRect area =
      Rect(areaLeft, eventRect.Top, std::max(areaLeft, std::min(areaLeft + totalWidth + 2, eventRect.Right)),
           eventRect.Top + std::min(tallest, eventRect.Height()));
  int x = area.Left + 1;
  for (size_t i = 0; i < bitmaps.size(); ++i) {
    const TRect dest = Rect(x, area.Top + 1, x + sizes[i].X, area.Top + 1 + sizes[i].Y);
    if (!dest.IsEmpty() && dest.Right <= eventRect.Right)
      Canvas().StretchDraw(RotateRect(Angle(), Viewport(), dest), *bitmaps[i]);
    x += sizes[i].X;
  }
  return area;
}

const TBitmap* TVpDayViewPass::IconBitmap(const TVpPicture& picture, std::unique_ptr<TBitmap>& cache) {
  if (!cache) cache = picture.MakeBitmap(Canvas());
  return cache.get();
}

void TVpDayViewPass::DrawEventText(const TVpEvent& event, double day, const TRect& rect, const TRect& icons) {
  std::string text = event.Description();
  if (View_.ShowEventTimes()) {
    const char* format = View_.TimeFormat() == tf12Hour ? "h:mmam/pm" : "h:mm";
    const TVpOccurrenceTimes times = OccurrenceTimesOn(event, day);
    text = FormatDateTime(format, times.StartTime, View_.Locale()) + "-" +
           FormatDateTime(format, times.EndTime, View_.Locale()) + " " + text;
  }
  if (text.empty()) return;
  const TFont& font = View_.Font().Font();

  // Paper has no other place to read the rest of a text: a print wraps it whatever the style.
  if (View_.WrapStyle() == wsNone && !DisplayOnly()) {
    const int x = icons.Right + GutterPixels_ + 6;
    Text(x, rect.Top + 6, Fit(text, font, rect.Right - x), font);
    return;
  }
  TVpTextRegion region;
  if (icons.Bottom >= rect.Bottom || icons.Width() <= 0) {
    region.Add(Rect(icons.Right + GutterPixels_, rect.Top, rect.Right, rect.Bottom));
  } else if (View_.WrapStyle() == wsIconFlow) {
    region.Add(Rect(icons.Right, rect.Top, rect.Right, icons.Bottom));
    region.Add(Rect(rect.Left + GutterPixels_, icons.Bottom, rect.Right, rect.Bottom));
  } else {
    region.Add(Rect(icons.Right, rect.Top, rect.Right, rect.Bottom));
  }
  Canvas().Font = font;
  if (RotatedWrapText(&Canvas(), Angle(), Viewport(), region, text).AllPlaced) return;
  // The "more" marks at the bottom right tell that the text goes on.
  MoreMarks(rect.Right, rect.Bottom, View_.DotDotDotColor(), DisplayOnly() ? Scale_ : 1.0);
}
