#include "app/core/windows/calendar_window_logic.h"

#include <charconv>

#include "app/core/windows/main_view_looks.h"
#include "model/date_helpers.h"
#include "model/day_number.h"
#include "views/month/month_view.h"

void ConfigureCalendarMonthView(TVpMonthView& view) {
  view.SetColor(clWindow);
  view.SetKBNavigation(true);
  view.SetDateLabelFormat("mmmm yyyy");
  view.DayHeadAttributes().SetColor(clBtnFace);
  view.DayHeadAttributes().Font().Assign(SansSerifOfHeight(13));
  view.SetDayNameStyle(dsShort);
  view.DayNumberFont().Assign(SansSerifOfHeight(11));
  view.EventFont().Assign(SansSerifOfHeight(11));
  view.SetDrawingStyle(ds3d);
  view.SetEventDayStyle(fsBold);
  view.SetLineColor(clGray);
  view.SetTimeFormat(tf24Hour);
  view.SetOffDayColor(clSilver);
  view.SetSelectedDayColor(clRed);
  view.SetShowEvents(true);
  view.SetShowEventTime(false);
  view.SetWeekStartsOn(dtSunday);
}

std::vector<std::string> MonthListNames(const TLocale& locale) {
  std::vector<std::string> names;
  for (int month = 1; month <= 12; ++month) names.push_back(locale.LongMonthName(month));
  return names;
}

std::vector<std::string> YearListNames() {
  std::vector<std::string> years;
  for (int year = kFirstListedYear; year <= kLastListedYear; ++year) years.push_back(std::to_string(year));
  return years;
}

std::optional<int> YearListIndex(double date) {
  const int year = DecodeDate(date).Year;
  if (year < kFirstListedYear || year > kLastListedYear) return std::nullopt;
  return year - kFirstListedYear;
}

std::optional<double> ListedMonthDate(const std::string& yearText, int month, double current) {
  int year = 0;
  const auto [end, error] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
  if (error != std::errc() || end != yearText.data() + yearText.size() || year < kFirstListedYear ||
      year > kLastListedYear || month < 1 || month > 12)
    return std::nullopt;
  const int day = std::min(DecodeDate(current).Day, MonthLength(year, month));
  return EncodeDate(year, month, day);
}
