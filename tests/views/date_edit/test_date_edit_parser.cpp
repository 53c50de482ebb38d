#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "views/date_edit/date_edit_format.h"
#include "views/date_edit/date_edit_parser.h"

namespace {

constexpr TVpRequiredFields MonthAndDay = RequiredField(rfMonth) | RequiredField(rfDay);
constexpr TVpRequiredFields AllFields = MonthAndDay | RequiredField(rfYear);

// A row of the table: the rules, the typed text, and either the date or the exact message.
struct TParseRow {
  std::string Name;
  std::string Text;
  double Date = 0;  // expected when Message is empty
  std::string Message;
  TVpDateFieldOrder Order = foDayMonthYear;
  TVpRequiredFields Required = MonthAndDay;
  int Epoch = 2000;
  std::string TodayString = "/";
};

TParseRow Reads(std::string name, std::string text, double date) {
  return {std::move(name), std::move(text), date, ""};
}
TParseRow Fails(std::string name, std::string text, std::string message) {
  return {std::move(name), std::move(text), 0, std::move(message)};
}
TParseRow With(TParseRow row, TVpDateFieldOrder order, TVpRequiredFields required, int epoch = 2000) {
  row.Order = order;
  row.Required = required;
  row.Epoch = epoch;
  return row;
}

const double Today = EncodeDate(2024, 5, 10) + 0.375;  // 10 May 2024, 09:00

std::vector<TParseRow> ParseTable() {
  return {
      // Day-month-year, Epoch 2000, month and day required.
      Reads("two digit year takes the epoch's century", "5.3.24", EncodeDate(2024, 3, 5)),
      Reads("month by name, year of today", "5 MAR", EncodeDate(2024, 3, 5)),
      Reads("month name in any letter case, cut to three", "5 september 2024", EncodeDate(2024, 9, 5)),
      Reads("one letter finds the first month starting so", "5 j 2024", EncodeDate(2024, 1, 5)),
      Reads("two letters narrow it down", "5 ju 2024", EncodeDate(2024, 6, 5)),
      Reads("surrounding blanks and odd separators", "  5/3-2024  ", EncodeDate(2024, 3, 5)),
      Reads("characters beyond ASCII separate",
            "5\xC2\xB7"
            "3\xC2\xB7"
            "2024",
            EncodeDate(2024, 3, 5)),
      Reads("leading zeros", "05.03.0024", EncodeDate(2024, 3, 5)),
      Reads("runs after the year are ignored", "5.3.2024.99", EncodeDate(2024, 3, 5)),
      Reads("leap day", "29.2.2024", EncodeDate(2024, 2, 29)),
      Reads("empty text is no date", "", 0),
      Reads("blank text is no date", "   ", 0),
      Reads("the today string", "/", DateOf(Today)),
      Fails("day alone", "5", "Error: Month Is Required."),
      Fails("impossible day of the month", "31.2.2024", "Error: Invalid Date. \"31.2.2024\""),
      Fails("not a leap year", "29.2.2023", "Error: Invalid Date. \"29.2.2023\""),
      Fails("year beyond four digits", "5.3.12345", "Error: Invalid Date. \"5.3.12345\""),
      Fails("unknown month name, month required", "5 XYZ 2024", "Error: Month Is Required."),
      Fails("month above 12, required", "5.13.2024", "Error: Month Is Required."),
      Fails("day 0, required", "0.3.2024", "Error: Day is required."),
      Fails("digits and letters run together", "5MAR2024", "Error: Day is required."),
      Fails("huge day, required", "99999999999999999999.3.2024", "Error: Day is required."),
      Fails("year not a number", "5.3.2O24", "Error: Invalid Year. \"2O24\""),
      Fails("huge year is not a number", "5.3.99999999999", "Error: Invalid Year. \"99999999999\""),
      // Other requirements.
      With(Fails("unknown month name, nothing required", "5 XYZ 2024", "Error: Invalid Month Name. \"XYZ\""),
           foDayMonthYear, 0),
      With(Fails("month not a number", "5.3X.2024", "Error: Invalid Month. \"3X\""), foDayMonthYear,
           RequiredField(rfDay)),
      With(Fails("day not a number", "x5.3.2024", "Error: Invalid Day. \"X5\""), foDayMonthYear, 0),
      With(Fails("huge day is not a number", "99999999999999999999.3.2024",
                 "Error: Invalid Day. \"99999999999999999999\""),
           foDayMonthYear, 0),
      With(Fails("year required", "5.3", "Error: Year is required."), foDayMonthYear, AllFields),
      With(Reads("day not required takes today's and leaves the run", "MAR 2024", EncodeDate(2024, 3, 10)),
           foMonthDayYear, RequiredField(rfMonth)),
      With(Fails("day out of range, not required, leaves the run to the month", "45.3.2024",
                 "Error: Month Is Required."),
           foDayMonthYear, RequiredField(rfMonth)),
      With(Reads("empty text with nothing required is today", "", DateOf(Today)), foDayMonthYear, 0),
      // Other orders.
      With(Reads("month-day-year", "3/5/2024", EncodeDate(2024, 3, 5)), foMonthDayYear, MonthAndDay),
      With(Fails("month-day-year, day missing", "MAR", "Error: Day is required."), foMonthDayYear, MonthAndDay),
      With(Reads("year-month-day", "2024-03-05", EncodeDate(2024, 3, 5)), foYearMonthDay, MonthAndDay),
      With(Reads("first day of the range", "0100-01-01", EncodeDate(100, 1, 1)), foYearMonthDay, MonthAndDay),
      With(Reads("last day of the range", "9999-12-31", EncodeDate(9999, 12, 31)), foYearMonthDay, MonthAndDay),
      // The century of a two-digit year.
      With(Reads("epoch 1950: below 50 is the next century", "5.3.49", EncodeDate(2049, 3, 5)), foDayMonthYear,
           MonthAndDay, 1950),
      With(Reads("epoch 1950: 50 stays", "5.3.50", EncodeDate(1950, 3, 5)), foDayMonthYear, MonthAndDay, 1950),
      With(Reads("epoch 0: today's century", "5.3.7", EncodeDate(2007, 3, 5)), foDayMonthYear, MonthAndDay, 0),
      With(Fails("negative epoch leaves the year without century", "5.3.7", "Error: Invalid Date. \"5.3.7\""),
           foDayMonthYear, MonthAndDay, -1),
  };
}

std::string RowName(const TParseRow& row) { return row.Name + ": \"" + row.Text + "\""; }

TEST(DateEditParser, ReadsTheTableOfTexts) {
  const TEnglishLocale locale;
  for (const TParseRow& row : ParseTable()) {
    SCOPED_TRACE(RowName(row));
    const TVpDateTextRules rules{row.Order, row.Required, row.Epoch, row.TodayString};
    if (row.Message.empty()) {
      EXPECT_EQ(ParseDateText(row.Text, rules, locale, Today), row.Date);
      continue;
    }
    try {
      const double date = ParseDateText(row.Text, rules, locale, Today);
      ADD_FAILURE() << "read as " << date;
    } catch (const EVpDateEditError& error) {
      EXPECT_EQ(std::string(error.what()), row.Message);
    }
  }
}

TEST(DateEditParser, TodayStringIsComparedWithoutLetterCase) {
  const TEnglishLocale locale;
  TVpDateTextRules rules;
  rules.TodayString = "Today";
  EXPECT_EQ(ParseDateText("TODAY", rules, locale, Today), DateOf(Today));
  EXPECT_EQ(ParseDateText(" today ", rules, locale, Today), DateOf(Today));
}

TEST(DateEditParser, FieldOrderAndCenturyComeFromTheShortDateFormat) {
  EXPECT_EQ(DateFieldOrderOf("m/d/yyyy"), foMonthDayYear);
  EXPECT_EQ(DateFieldOrderOf("dd.MM.yyyy"), foDayMonthYear);
  EXPECT_EQ(DateFieldOrderOf("yyyy-mm-dd"), foYearMonthDay);
  EXPECT_EQ(DateFieldOrderOf("'day' d 'month' m yy"), foDayMonthYear);  // quoted letters do not count
  EXPECT_EQ(DateFieldOrderOf(""), foMonthDayYear);

  EXPECT_EQ(DateEditFormat("d/m/yy", false), "d/m/yy");
  EXPECT_EQ(DateEditFormat("d/m/yy", true), "d/m/yyyy");
  EXPECT_EQ(DateEditFormat("YY-MM-DD", true), "yyYY-MM-DD");
  EXPECT_EQ(DateEditFormat("m/d/yyyy", true), "m/d/yyyy");
}

}  // namespace
