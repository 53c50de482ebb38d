#pragma once

#include <array>
#include <functional>

#include "platform/color.h"

// A ready-made set of the calendar's seven colours. Setting any single colour makes the set
// custom.
enum TVpCalColorScheme {
  cscalCustom = 0,   // the colours as set one by one
  cscalClassic = 1,  // light text on the desktop's window colour, selection in the highlight colour
  cscalWindows = 2,  // the colours a calendar starts with
  cscalGold = 3,
  cscalOcean = 4,
  cscalRose = 5,
};

// The colours of a date-picker calendar, addressed by index as they are streamed:
//   0 ActiveDay     kept and streamed; the drawing does not use it
//   1 DayNames      weekday names
//   2 Days          day numbers
//   3 InactiveDays  day numbers of the neighbouring months
//   4 MonthAndYear  title
//   5 Weekend       day numbers in the highlighted weekend columns
//   6 EventDays     day numbers of days with events
// The owner (a calendar or a date edit) passes what repaints it.
class TVpCalColors {
 public:
  static constexpr int ColorCount = 7;

  // Starts with the cscalWindows colours while ColorScheme reads cscalCustom.
  explicit TVpCalColors(std::function<void()> onChange = {});
  TVpCalColors(const TVpCalColors&) = delete;
  TVpCalColors& operator=(const TVpCalColors&) = delete;

  // Raises EVpIndexError for an index outside 0 to 6.
  TColor Color(int index) const;
  // A different value repaints the owner and makes the scheme cscalCustom.
  void SetColor(int index, TColor value);

  TColor ActiveDay() const { return Colors_[0]; }
  void SetActiveDay(TColor value) { SetColor(0, value); }
  TColor DayNames() const { return Colors_[1]; }
  void SetDayNames(TColor value) { SetColor(1, value); }
  TColor Days() const { return Colors_[2]; }
  void SetDays(TColor value) { SetColor(2, value); }
  TColor InactiveDays() const { return Colors_[3]; }
  void SetInactiveDays(TColor value) { SetColor(3, value); }
  TColor MonthAndYear() const { return Colors_[4]; }
  void SetMonthAndYear(TColor value) { SetColor(4, value); }
  TColor Weekend() const { return Colors_[5]; }
  void SetWeekend(TColor value) { SetColor(5, value); }
  TColor EventDays() const { return Colors_[6]; }
  void SetEventDays(TColor value) { SetColor(6, value); }

  TVpCalColorScheme ColorScheme() const { return Scheme_; }
  // A different scheme other than cscalCustom copies that scheme's colours; then the owner
  // repaints. Raises EVpIndexError for a value outside the enumeration.
  void SetColorScheme(TVpCalColorScheme value);

  // Copies the seven colours and the scheme, and repaints the owner.
  void Assign(const TVpCalColors& source);

 private:
  void Changed();

  std::function<void()> OnChange_;
  std::array<TColor, ColorCount> Colors_;
  TVpCalColorScheme Scheme_ = cscalCustom;
};
