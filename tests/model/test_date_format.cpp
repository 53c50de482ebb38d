#include <gtest/gtest.h>

#include "model/date_format.h"
#include "platform/english_locale.h"
#include "tests/model/model_test_support.h"

namespace {

// A locale with other names and separators, to show where each comes from.
class TTestLocale : public TEnglishLocale {
 public:
  std::string ShortDateFormat() const override { return "dd.mm.yyyy"; }
  std::string LongTimeFormat() const override { return "hh:nn:ss"; }
  std::string TimeAMString() const override { return "vorm."; }
  std::string TimePMString() const override { return "nachm."; }
  char DateSeparator() const override { return '-'; }
  char TimeSeparator() const override { return '.'; }
};

struct TFormatCase {
  const char* Name;
  const char* Format;
  double Value;
  const char* Expected;
};

class Formats : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(Formats, Format) {
  const TEnglishLocale english;
  EXPECT_EQ(FormatDateTime(GetParam().Format, GetParam().Value, english), GetParam().Expected);
}

// Friday 3 May 2024 14:05:09.007 and Sunday 7 January 2024 09:00.
const double kAfternoon = At(2024, 5, 3, 14, 5) + 9.007 / 86400;
const double kMorning = At(2024, 1, 7, 9, 0);
const double kMidnight = Day(2024, 1, 7);
const double kNoon = At(2024, 1, 7, 12, 0);

INSTANTIATE_TEST_SUITE_P(
    DateFormat, Formats,
    ::testing::Values(TFormatCase{"LongDateLabel", "dddd, mmmm dd, yyyy", kAfternoon, "Friday, May 03, 2024"},
                      TFormatCase{"DayTokens", "d dd ddd dddd", kMorning, "7 07 Sun Sunday"},
                      TFormatCase{"MonthTokens", "m mm mmm mmmm", kMorning, "1 01 Jan January"},
                      TFormatCase{"YearTokens", "yy yyyy", kMorning, "24 2024"},
                      TFormatCase{"MixedCaseMonths", "dd.MM.yyyy", kAfternoon, "03.05.2024"},
                      TFormatCase{"MonthAndYear", "mmmm yyyy", kAfternoon, "May 2024"},
                      TFormatCase{"TwelveHourMarkerAsWritten", "h:mm AM/PM", kAfternoon, "2:05 PM"},
                      TFormatCase{"TwelveHourLowerCase", "hh:mm am/pm", kMorning, "09:00 am"},
                      TFormatCase{"ShortMarker", "h:nn a/p", kAfternoon, "2:05 p"},
                      TFormatCase{"ShortMarkerUpper", "h:nn A/P", kMorning, "9:00 A"},
                      TFormatCase{"LocaleMarker", "h:nn:ss ampm", kAfternoon, "2:05:09 PM"},
                      TFormatCase{"MidnightIsTwelveAm", "h:nn AM/PM", kMidnight, "12:00 AM"},
                      TFormatCase{"NoonIsTwelvePm", "h:nn AM/PM", kNoon, "12:00 PM"},
                      TFormatCase{"TwentyFourHours", "hh:mm", kAfternoon, "14:05"},
                      TFormatCase{"TwentyFourHoursMidnight", "h:nn", kMidnight, "0:00"},
                      TFormatCase{"SecondsAndMilliseconds", "s ss z zzz", kAfternoon, "9 09 7 007"},
                      TFormatCase{"MinutesNotAfterAnHourAreMonths", "mm h", kAfternoon, "05 14"},
                      TFormatCase{"QuotedText", "\"Week of\" d 'mmm'", kMorning, "Week of 7 mmm"},
                      TFormatCase{"UnclosedQuoteRunsToTheEnd", "d \"of mm", kMorning, "7 of mm"},
                      TFormatCase{"OtherLettersStand", "W: d", kMorning, "W: 7"},
                      TFormatCase{"UpperCaseTokens", "DDDD D MMMM YYYY HH:NN", kAfternoon, "Friday 3 May 2024 14:05"},
                      TFormatCase{"LongRunsSplit", "ddddd", kMorning, "Sunday7"},
                      TFormatCase{"AnALetterAlone", "a d", kMorning, "a 7"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DateFormat, SeparatorsAndMarkersComeFromTheLocale) {
  const TTestLocale locale;
  EXPECT_EQ(FormatDateTime("d/m/yy h:nn ampm", kAfternoon, locale), "3-5-24 2.05 nachm.");
  EXPECT_EQ(FormatShortDate(kAfternoon, locale), "03.05.2024");
  EXPECT_EQ(FormatLongTime(kAfternoon, locale), "14.05.09");
  const TEnglishLocale english;
  EXPECT_EQ(FormatShortDate(kAfternoon, english), "5/3/2024");
  EXPECT_EQ(FormatLongTime(kMorning, english), "9:00:00 AM");
}

}  // namespace
