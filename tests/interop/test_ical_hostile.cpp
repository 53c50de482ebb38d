#include <gtest/gtest.h>
#include <chrono>
#include <string>

#include "interop/ical/ical_reader.h"
#include "model/date_stamps.h"
#include "tests/interop/ical_test_support.h"

// Small crafted calendar files that once kept the reader busy for minutes or grew its memory
// without end: each must end well within the bound with a result or a clear error.
namespace {

constexpr auto kBound = std::chrono::seconds(5);

std::string Calendar(const std::string& body) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines) {
  return "BEGIN:VEVENT\r\nUID:hostile\r\nSUMMARY:Hostile\r\n" + lines + "END:VEVENT\r\n";
}

// A DESCRIPTION of the given size folded into lines of 75 bytes.
std::string FoldedDescription(std::size_t size) {
  std::string text = "DESCRIPTION:";
  text.reserve(size + size / 70 * 3 + 64);
  for (std::size_t written = 0; written < size; written += 74) text += std::string(74, 'x') + "\r\n ";
  text += "end\r\n";
  return text;
}

std::string ManyRules(int rules) {
  std::string lines = "DTSTART:20250101T000000\r\n";
  for (int i = 0; i < rules; ++i)
    lines += "RRULE:FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30;INTERVAL=" + std::to_string(i + 1) + ";COUNT=2\r\n";
  return lines;
}

struct THostileRow {
  const char* Name;
  std::string Text;
  // Read: the text the last note holds (empty: no note); refused: the error's text.
  bool Read;
  std::string Expected;
  std::size_t Events;  // read: how many events came in
};

class HostileCalendar : public TIcalTest, public ::testing::WithParamInterface<THostileRow> {};

TEST_P(HostileCalendar, EndsWithinTheBound) {
  const THostileRow& row = GetParam();
  TIcalContent content;
  TIcalReadError error;
  const auto start = std::chrono::steady_clock::now();
  const bool read = ReadIcal(row.Text, content, error);
  EXPECT_LT(std::chrono::steady_clock::now() - start, kBound);
  ASSERT_EQ(read, row.Read) << error.Message;
  if (!read) {
    EXPECT_EQ(error.Message, row.Expected);
    return;
  }
  EXPECT_EQ(content.Events.size(), row.Events);
  const std::string note = content.Notes.empty() ? "" : content.Notes.back().Reason;
  if (row.Expected.empty()) {
    EXPECT_EQ(note, "");
  } else {
    EXPECT_NE(note.find(row.Expected), std::string::npos) << note;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Crafted, HostileCalendar,
    ::testing::Values(
        // Never occurs: the library would step second by second to the year 2582 to find the
        // last of its counted occurrences.
        THostileRow{
            "SecondlyOnThirtiethOfFebruary",
            Calendar(Event("DTSTART:20250101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30;COUNT=2\r\n")), true,
            "", 1},
        THostileRow{
            "MinutelyOnAFarYearDay",
            Calendar(Event("DTSTART:20250101T000000\r\nRRULE:FREQ=MINUTELY;BYYEARDAY=366;BYMONTH=12;COUNT=2\r\n")),
            true, "", 1},
        THostileRow{"HourlyFromTheFirstYear",
                    Calendar(Event("DTSTART:00010101T000000\r\nRRULE:FREQ=HOURLY;BYMONTH=2;BYMONTHDAY=30;COUNT=2\r\n")),
                    true, "", 1},
        THostileRow{"DailyFromTheFirstYear",
                    Calendar(Event("DTSTART:00010101T000000\r\nRRULE:FREQ=DAILY;BYMONTH=2;BYMONTHDAY=30;COUNT=2\r\n")),
                    true, "", 1},
        THostileRow{
            "MonthlyFromTheFirstYear",
            Calendar(Event("DTSTART:00010101T000000\r\nRRULE:FREQ=MONTHLY;BYMONTH=2;BYMONTHDAY=30;COUNT=2\r\n")), true,
            "", 1},
        // The range end of a counted rule is found by walking it, within the walk's own bound.
        THostileRow{"ManyRulesInOneItem", Calendar(Event(ManyRules(300))), true,
                    "of several repeat rules only the first places occurrences here", 1},
        THostileRow{"SecondlyTimeZoneRule",
                    Calendar("BEGIN:VTIMEZONE\r\nTZID:Storm\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                             "RRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nEND:STANDARD\r\n"
                             "END:VTIMEZONE\r\n" +
                             Event("DTSTART;TZID=Storm:20250101T000000\r\n")),
                    false, "line 8: a time zone's rule repeats more often than daily", 0},
        THostileRow{"TwentyMegabytesOfFoldedDescription",
                    Calendar(Event("DTSTART:20250101T000000\r\n" + FoldedDescription(20u << 20))), true, "", 1}),
    [](const auto& info) { return std::string(info.param.Name); });

// The calendar library takes 500 values of a line; a longer list of dates loses none of them.
TEST_F(TIcalTest, LongDateListsLoseNoDate) {
  std::string dates;
  std::string exceptions;
  for (int day = 0; day < 700; ++day) {
    const TVpDate date = DecodeDate(EncodeDate(2025, 1, 1) + day);
    char text[20];
    std::snprintf(text, sizeof text, "%04d%02d%02dT090000", date.Year, date.Month, date.Day);
    dates += (day == 0 ? "" : ",") + std::string(text);
    if (day % 2 == 1) exceptions += (exceptions.empty() ? "" : ",") + std::string(text);
  }
  TIcalContent content;
  TIcalReadError error;
  ASSERT_TRUE(
      ReadIcal(Calendar(Event("DTSTART:20250101T090000\r\nRDATE:" + dates + "\r\nEXDATE:" + exceptions + "\r\n")),
               content, error))
      << error.Message;
  ASSERT_EQ(content.Events.size(), 1u);
  EXPECT_EQ(ParseStampList(content.Events[0].ExtraDates).size(), 700u);
  EXPECT_EQ(ParseStampList(content.Events[0].ExceptionDates).size(), 350u);
}

// A moment that does not exist is not carried into the next year and day: the item is left out
// with the line that names it.
TEST_F(TIcalTest, ImpossibleMomentsLeaveTheItemOut) {
  struct TRow {
    const char* Line;
    const char* Shown;
  };
  const TRow rows[] = {
      {"DTSTART:20261301T250000", "DTSTART:20261301T250000"},
      {"DTSTART:20260231T090000", "DTSTART:20260231T090000"},
      {"DTSTART:20260101T090000\r\nDTEND:20260101T096100", "DTEND:20260101T096100"},
      {"DTSTART:20260101T090000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU;UNTIL=20261332T000000",
       "RRULE:FREQ=WEEKLY;UNTIL=20261332T000000;BYDAY=MO,TU"},
      {"DTSTART:20260101T090000\r\nRDATE:20260105T090000,20260230T090000", "RDATE:20260230T090000"},
  };
  for (const TRow& row : rows) {
    TIcalContent content;
    TIcalReadError error;
    ASSERT_TRUE(ReadIcal(Calendar(Event(std::string(row.Line) + "\r\n") +
                                  "BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Pay\r\nDUE:20260001T000000\r\nEND:VTODO\r\n"),
                         content, error))
        << error.Message;
    EXPECT_TRUE(content.Events.empty()) << row.Line;
    EXPECT_TRUE(content.Tasks.empty()) << row.Line;
    ASSERT_EQ(content.Notes.size(), 2u) << row.Line;
    EXPECT_EQ(content.Notes[0].Kind, inSkipped);
    EXPECT_EQ(content.Notes[0].Reason,
              "the line \"" + std::string(row.Shown) + "\" names a date or time that does not exist");
    EXPECT_EQ(content.Notes[1].Reason, "the line \"DUE:20260001T000000\" names a date or time that does not exist");
  }
}

}  // namespace
