#include <string>

#include "model/day_number.h"
#include "model/zone_clock.h"

#include "views/day/day_view.h"
#include "views/day/day_view_pass.h"

// The hour ruler at the left: the hour of each row that starts an hour, large, with a small
// minute label beside it, and a line under every row, short within an hour and long between
// hours. Rows an hour long carry one small "hour:minute" label instead.

namespace {

// The small label: in 12-hour format "am" or "pm" on the first label, later "pm" at noon and
// "00" otherwise; always "00" in 24-hour format.
std::string MinuteLabel(int hour, bool firstLabel, TVpTimeFormat format) {
  if (format == tf24Hour) return "00";
  if (firstLabel) return hour < 12 ? "am" : "pm";
  return hour == 12 ? "pm" : "00";
}

std::string HourLabel(int hour, TVpTimeFormat format) {
  if (format == tf12Hour) {
    if (hour > 12) return std::to_string(hour - 12);
    if (hour == 0) return "12";
  }
  return std::to_string(hour);
}

// A clock time of the second zone: "15:00", "15:30" (24 hours) or "3pm", "3:30pm".
std::string SecondZoneLabel(double wall, TVpTimeFormat format) {
  const TVpTime time = DecodeTime(wall);
  std::string label = HourLabel(time.Hour, format);
  if (time.Minute != 0 || format == tf24Hour) label += (time.Minute < 10 ? ":0" : ":") + std::to_string(time.Minute);
  if (format == tf12Hour) label += time.Hour < 12 ? "am" : "pm";
  return label;
}

}  // namespace

std::string PlaceOfZone(const std::string& zone) {
  std::string place = zone.substr(zone.rfind('/') + 1);
  for (char& c : place)
    if (c == '_') c = ' ';
  return place;
}

void TVpDayViewPass::DrawSecondRuler(const TRect& ruler) {
  const TFont& font = View_.RowHeadAttributes().MinuteFont().Font();
  const std::string& zone = View_.SecondZone();
  Fill(ruler, Colors_.Header);
  const std::string place = Fit(PlaceOfZone(zone), font, ruler.Width() - 4);
  Text(ruler.Left + 2, ruler.Top - TextHeight(font) - 4, place, font);
  // The hours are those of the first day shown; a zone an odd part of an hour off names its minutes.
  const double day = Days_.empty() ? 0 : Days_.front();
  for (int i = 0; StartLine_ + i <= LastRow_; ++i) {
    const TVpLineRec& line = Lines_[static_cast<size_t>(StartLine_ + i)];
    if (line.Minute != 0) continue;
    const std::string label = SecondZoneLabel(ZoneFromLocal(day + line.Time, zone), View_.TimeFormat());
    Text(ruler.Right - TextWidth(label, font) - 4, ruler.Top + i * RowHeight_ + 6, label, font);
  }
  Line(ruler.Right - 1, ruler.Top, ruler.Right - 1, ruler.Bottom, Colors_.RulerLines);
}

void TVpDayViewPass::DrawRuler(const TRect& ruler) {
  const TFont& hourFont = View_.RowHeadAttributes().HourFont().Font();
  const TFont& minuteFont = View_.RowHeadAttributes().MinuteFont().Font();
  const TVpTimeFormat format = View_.TimeFormat();
  Fill(ruler, Colors_.Header);
  const int minuteColumn = TextWidth("33", minuteFont) + 10;
  // The one-label style needs rows of a whole hour; the view's rows follow its own granularity.
  const bool hourRows = RulerGranularity_ == gr60Min && View_.Granularity() == gr60Min;

  bool firstLabel = true;
  for (int i = 0; StartLine_ + i <= LastRow_; ++i) {
    const TVpLineRec& line = Lines_[static_cast<size_t>(StartLine_ + i)];
    const int hour = line.Hour;
    const int rowTop = ruler.Top + i * RowHeight_;
    if (hourRows) {
      const std::string label = HourLabel(hour, format) + ":" + MinuteLabel(hour, firstLabel, format);
      Text(ruler.Right - TextWidth(label, minuteFont) - 7, rowTop + 6, label, minuteFont);
      firstLabel = false;
    } else if (line.Minute == 0) {
      const std::string minutes = MinuteLabel(hour, firstLabel, format);
      const std::string hours = HourLabel(hour, format);
      Text(ruler.Right - TextWidth(minutes, minuteFont) - 7, rowTop + 6, minutes, minuteFont);
      Text(ruler.Right - TextWidth(hours, hourFont) - minuteColumn - 2, rowTop + 4, hours, hourFont);
      firstLabel = false;
    }
    const bool sameHourNext = Lines_[static_cast<size_t>(StartLine_ + i + 1)].Hour == hour;
    const int rowBottom = rowTop + RowHeight_;
    Line(ruler.Right - 6, rowBottom, sameHourNext ? ruler.Right - minuteColumn : ruler.Left + 6, rowBottom,
         Colors_.RulerLines);
  }

  if (View_.DrawingStyle() == dsFlat)
    Bevel(Rect(ruler.Left - 1, ruler.Top, ruler.Right - 1, ruler.Bottom - 2), Colors_.Highlight, Colors_.Shadow);
  else Bevel(Rect(ruler.Left + 1, ruler.Top, ruler.Right - 1, ruler.Bottom - 3), Colors_.Highlight, Colors_.DarkShadow);
}
