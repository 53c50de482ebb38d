#include "platform/english_locale.h"

#include <array>

namespace {

constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};

template <size_t N>
std::string Name(const std::array<const char*, N>& names, int number) {
  return number >= 1 && number <= static_cast<int>(N) ? names[static_cast<size_t>(number - 1)] : "";
}

}  // namespace

std::string TEnglishLocale::LongDayName(int weekday) const { return Name(kDays, weekday); }
std::string TEnglishLocale::ShortDayName(int weekday) const { return Name(kDays, weekday).substr(0, 3); }
std::string TEnglishLocale::LongMonthName(int month) const { return Name(kMonths, month); }
std::string TEnglishLocale::ShortMonthName(int month) const { return Name(kMonths, month).substr(0, 3); }
