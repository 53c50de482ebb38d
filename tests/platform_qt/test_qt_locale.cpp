#include <gtest/gtest.h>

#include "platform/qt/qt_locale.h"

namespace {

TEST(QtLocale, ConvertsQtFormatsToPlannerTokens) {
  const std::pair<const char*, const char*> cases[] = {
      {"dd/MM/yyyy", "dd/mm/yyyy"},
      {"M/d/yy", "m/d/yy"},
      {"dddd, MMMM d, yyyy", "dddd, mmmm d, yyyy"},
      {"HH:mm:ss", "hh:nn:ss"},
      {"h:mm:ss AP t", "h:nn:ss ampm"},
      {"h:mm ap", "h:nn ampm"},
      {"d. MMM yyyy 'um' HH:mm", "d. mmm yyyy \"um\" hh:nn"},
      {"'o''clock' h", "\"o'clock\" h"},
  };
  for (const auto& [qt, ours] : cases) {
    SCOPED_TRACE(qt);
    EXPECT_EQ(TQtLocale::ConvertQtFormat(qt), ours);
  }
}

TEST(QtLocale, NumbersWeekdaysFromSunday) {
  const TQtLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(english.LongDayName(1), "Sunday");
  EXPECT_EQ(english.ShortDayName(7), "Sat");
  EXPECT_EQ(english.LongMonthName(12), "December");
  EXPECT_EQ(english.LanguageName(), "English");
  EXPECT_EQ(english.DateSeparator(), '/');
  EXPECT_EQ(english.TimeSeparator(), ':');
}

}  // namespace
