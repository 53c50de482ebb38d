#include <gtest/gtest.h>
#include <libical/ical.h>
#include <chrono>
#include <string>
#include <vector>

#include "interop/ical/ical_reader.h"
#include "model/enumerations.h"
#include "tests/interop/ical_test_support.h"

namespace {

// A calendar around the given lines of one or more items, with CRLF line ends.
std::string Calendar(const std::string& items) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n";
  for (std::size_t start = 0; start < items.size();) {
    const std::size_t end = items.find('\n', start);
    text += items.substr(start, end - start) + "\r\n";
    start = end == std::string::npos ? items.size() : end + 1;
  }
  return text + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines) {
  return "BEGIN:VEVENT\nUID:u1\nSUMMARY:Meeting\n" + lines + "\nEND:VEVENT";
}

TIcalContent Read(const std::string& text) {
  TIcalContent content;
  TIcalReadError error;
  EXPECT_TRUE(ReadIcal(text, {EncodeDate(2025, 12, 31)}, content, error)) << error.Message;
  return content;
}

std::vector<std::string> Placements(const TIcalContent& content) {
  std::vector<std::string> shown;
  for (const TIcalEvent& event : content.Events) shown.push_back(Shown(event));
  return shown;
}

std::string NoteKinds(const TIcalContent& content) {
  std::string kinds;
  for (const TIcalItemNote& note : content.Notes) kinds += "ECS"[note.Kind];
  return kinds;
}

struct TPlacementRow {
  const char* Name;
  std::string Lines;
  std::vector<std::string> Expected;
  const char* Notes;  // E expanded, C changed, S skipped, in order
};

class IcalPlacement : public TIcalTest, public ::testing::WithParamInterface<TPlacementRow> {};

const std::string kFixedZone =
    "BEGIN:VTIMEZONE\nTZID:Test Plus Five\nBEGIN:STANDARD\nDTSTART:19700101T000000\nTZOFFSETFROM:+0500\n"
    "TZOFFSETTO:+0500\nEND:STANDARD\nEND:VTIMEZONE\n";

TEST_P(IcalPlacement, GivesTheLocalDaysAndTimes) {
  const TIcalContent content = Read(Calendar(GetParam().Lines));
  EXPECT_EQ(Placements(content), GetParam().Expected);
  EXPECT_EQ(NoteKinds(content), GetParam().Notes);
}

INSTANTIATE_TEST_SUITE_P(
    Traps, IcalPlacement,
    ::testing::Values(
        TPlacementRow{"Utc",
                      Event("DTSTART:20240115T090000Z\nDTEND:20240115T100000Z"),
                      {"2024-01-15 10:00..2024-01-15 11:00"},
                      ""},
        TPlacementRow{"OwnZone",
                      kFixedZone + Event("DTSTART;TZID=Test Plus Five:20240115T090000\nDURATION:PT90M"),
                      {"2024-01-15 05:00..2024-01-15 06:30"},
                      ""},
        TPlacementRow{"IanaName",
                      Event("DTSTART;TZID=America/New_York:20240715T090000"),
                      {"2024-07-15 15:00..2024-07-15 15:00"},
                      ""},
        TPlacementRow{"WindowsName",
                      Event("DTSTART;TZID=Tokyo Standard Time:20240115T090000"),
                      {"2024-01-15 01:00..2024-01-15 01:00"},
                      ""},
        TPlacementRow{"UnknownZone",
                      Event("DTSTART;TZID=Nowhere/Else:20240115T090000"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      "C"},
        TPlacementRow{"Floating", Event("DTSTART:20240115T090000"), {"2024-01-15 09:00..2024-01-15 09:00"}, ""},
        TPlacementRow{"EmptyValuesLoseNothing",  // as web calendars write them: nothing to report
                      Event("DTSTART:20240115T090000\nDESCRIPTION:\nLOCATION:"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      ""},
        TPlacementRow{"AllDayWithEnd",
                      Event("DTSTART;VALUE=DATE:20240115\nDTEND;VALUE=DATE:20240118"),
                      {"2024-01-15 00:00..2024-01-17 23:59 all-day"},
                      ""},
        TPlacementRow{"AllDayWithoutEnd",
                      Event("DTSTART;VALUE=DATE:20240115"),
                      {"2024-01-15 00:00..2024-01-15 23:59 all-day"},
                      ""},
        TPlacementRow{"EndBeforeStart",
                      Event("DTSTART:20240115T090000\nDTEND:20240115T080000"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      "C"},
        TPlacementRow{"WeeklyCount",
                      Event("DTSTART:20240115T090000Z\nRRULE:FREQ=WEEKLY;COUNT=4"),
                      {"2024-01-15 10:00..2024-01-15 10:00 repeat 2 to 2024-02-05"},
                      ""},
        TPlacementRow{"MonthlyByDayUntil",
                      Event("DTSTART:20240115T090000Z\nRRULE:FREQ=MONTHLY;BYDAY=3MO;UNTIL=20240601T000000Z"),
                      {"2024-01-15 10:00..2024-01-15 10:00 repeat 3 to 2024-05-31"},
                      ""},
        TPlacementRow{"LastFridayYearly",
                      Event("DTSTART;VALUE=DATE:20240329\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1FR;COUNT=2"),
                      {"2024-03-29 00:00..2024-03-29 23:59 all-day repeat 5 to 2025-03-28"},
                      ""},
        TPlacementRow{"EveryThirdDay",
                      Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;INTERVAL=3;UNTIL=20240125T090000"),
                      {"2024-01-15 09:00..2024-01-15 09:00 repeat 7 to 2024-01-25"},
                      ""},
        TPlacementRow{"EndlessStaysWithoutEnd",
                      Event("DTSTART;VALUE=DATE:20240229\nRRULE:FREQ=YEARLY"),
                      {"2024-02-29 00:00..2024-02-29 23:59 all-day repeat 6 to 9999-12-31"},
                      ""},
        TPlacementRow{"UntilBeforeStart",
                      Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;UNTIL=20240101T000000"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      "C"},
        TPlacementRow{"ByDayList",
                      Event("DTSTART:20240115T090000\nDTEND:20240115T100000\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=4"),
                      {"2024-01-15 09:00..2024-01-15 10:00", "2024-01-17 09:00..2024-01-17 10:00",
                       "2024-01-22 09:00..2024-01-22 10:00", "2024-01-24 09:00..2024-01-24 10:00"},
                      "E"},
        TPlacementRow{"Exdate",
                      Event("DTSTART:20240115T090000Z\nRRULE:FREQ=DAILY;COUNT=3\nEXDATE:20240116T090000Z"),
                      {"2024-01-15 10:00..2024-01-15 10:00", "2024-01-17 10:00..2024-01-17 10:00"},
                      "E"},
        TPlacementRow{"Override",
                      Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;COUNT=3") +
                          "\nBEGIN:VEVENT\nUID:u1\nRECURRENCE-ID:20240116T090000\nSUMMARY:Moved\nDTSTART:"
                          "20240116T140000\nEND:VEVENT",
                      {"2024-01-15 09:00..2024-01-15 09:00", "2024-01-16 14:00..2024-01-16 14:00",
                       "2024-01-17 09:00..2024-01-17 09:00"},
                      "E"},
        TPlacementRow{"EndlessExpansionStopsAtHorizon",
                      Event("DTSTART:20251229T090000\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU"),
                      {"2025-12-29 09:00..2025-12-29 09:00", "2025-12-30 09:00..2025-12-30 09:00"},
                      "E"},
        TPlacementRow{"NoStart",
                      Event("DTEND:20240115T100000") + "\n" + Event("DTSTART:20240115T090000"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      "S"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TIcalTest, TextsSurviveFoldingEncodingAndLabels) {
  const std::string folded = Calendar(
      Event("DTSTART:20240115T090000\nDESCRIPTION:Gr\xC3\n \xBC\xC3\x9F"
            "e\\, Welt\\nZeile 2\nLOCATION:Raum 1\n"
            "URL:https://example.org/a\nATTENDEE;CN=Ann:mailto:ann@example.org\nATTENDEE:mailto:bo@example.org\n"
            "CATEGORIES:Work,Travel"));
  TIcalContent content = Read(folded);
  ASSERT_EQ(content.Events.size(), 1u);
  EXPECT_EQ(content.Events[0].Notes,
            "Grüße, Welt\nZeile 2\nURL: https://example.org/a\nAttendees: Ann <ann@example.org>, "
            "bo@example.org");
  EXPECT_EQ(content.Events[0].Location, "Raum 1");
  EXPECT_EQ(content.Events[0].CategoryName, "Work");
  EXPECT_EQ(NoteKinds(content), "C");  // the second category

  // A task has no location of its own: it stays a labelled line of the details.
  content = Read(Calendar("BEGIN:VTODO\nSUMMARY:Pack\nDESCRIPTION:Boxes\nLOCATION:Keller\nEND:VTODO"));
  ASSERT_EQ(content.Tasks.size(), 1u);
  EXPECT_EQ(content.Tasks[0].Details, "Boxes\nLocation: Keller");

  // A Latin-1 body with a byte-order mark is not valid UTF-8: it is read as Latin-1, LF line ends too.
  std::string latin1 = "\xEF\xBB\xBF" + Calendar(
                                            "BEGIN:VEVENT\nSUMMARY:Gr\xFC\xDF"
                                            "e\nDTSTART:20240115T090000\nEND:VEVENT");
  std::erase(latin1, '\r');
  content = Read(latin1);
  ASSERT_EQ(content.Events.size(), 1u);
  EXPECT_EQ(content.Events[0].Description, "Grüße");
}

// The range end a COUNT gives is the day of the last occurrence libical's own iterator finds.
TEST_F(TIcalTest, CountsEndOnTheLastOccurrenceOfTheRule) {
  const char* rows[][2] = {
      {"20240131", "FREQ=MONTHLY;COUNT=5"},              // months without a 31st are skipped
      {"20240229", "FREQ=YEARLY;COUNT=3"},               // leap days only
      {"20240129", "FREQ=MONTHLY;BYDAY=-1MO;COUNT=13"},  // the last Monday
      {"20240122", "FREQ=YEARLY;BYMONTH=1;BYDAY=4MO;COUNT=4"},
      {"20240115", "FREQ=DAILY;INTERVAL=10;COUNT=7"},
      {"20240115", "FREQ=WEEKLY;COUNT=53"},
      {"20240115", "FREQ=DAILY;COUNT=1000"},
  };
  for (const auto& [start, rule] : rows) {
    const TIcalContent content = Read(Calendar(Event(std::string("DTSTART:") + start + "T090000\nRRULE:" + rule)));
    ASSERT_EQ(content.Events.size(), 1u) << rule;
    icalrecur_iterator* iterator =
        icalrecur_iterator_new(icalrecurrencetype_from_string(rule), icaltime_from_string(start));
    icaltimetype last = icaltime_null_time();
    for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
         next = icalrecur_iterator_next(iterator))
      last = next;
    icalrecur_iterator_free(iterator);
    EXPECT_NE(content.Events[0].RepeatCode, rcNone) << rule;
    EXPECT_EQ(content.Events[0].RepeatRangeEnd, EncodeDate(last.year, last.month, last.day)) << start << " " << rule;
  }
}

TEST_F(TIcalTest, TheSummarySaysWhatWasExpandedAndHowFar) {
  const TIcalContent content = Read(Calendar(
      Event("DTSTART:20251225T090000\nRRULE:FREQ=DAILY\nEXDATE:20251226T090000") + "\n" +
      "BEGIN:VEVENT\nUID:u2\nDTSTART:20251201T090000\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU;COUNT=3\nEND:VEVENT\n" +
      "BEGIN:VEVENT\nUID:u3\nSUMMARY:Lone change\nRECURRENCE-ID:20240101T090000\nDTSTART:20240102T090000\nEND:VEVENT"));
  ASSERT_EQ(content.Notes.size(), 2u);
  EXPECT_EQ(content.Notes[0].Reason,
            "its repeat has several rules, exceptions or extra dates: it became 6 single events up to 2025-12-31");
  EXPECT_EQ(content.Notes[1].Reason, "the planner cannot hold its repeat rule: it became 3 single events");
  ASSERT_EQ(content.Events.size(), 10u);
  EXPECT_EQ(content.Events[0].RecurrenceId, "20251225T090000");
  EXPECT_EQ(content.Events.back().Description, "Lone change");  // a changed occurrence without its repeat
  EXPECT_EQ(content.Events.back().RecurrenceId, "20240101T090000");
}

TEST_F(TIcalTest, RemindersBecomeTheLeadTimeInItsUnit) {
  struct TRow {
    std::string Alarm;
    int Advance;
    int Unit;
  };
  const TRow rows[] = {
      {"TRIGGER:-PT15M", 15, atMinutes},
      {"TRIGGER:-PT2H", 2, atHours},
      {"TRIGGER:-P1D", 1, atDays},
      {"TRIGGER:-PT90M", 90, atMinutes},
      {"TRIGGER;RELATED=END:-PT90M", 30, atMinutes},             // the event lasts an hour
      {"TRIGGER;VALUE=DATE-TIME:20240115T060000Z", 3, atHours},  // the event starts at 09:00 UTC
      {"TRIGGER:PT10M", 0, atMinutes},                           // after the start: at the start
  };
  for (const TRow& row : rows) {
    const TIcalContent content =
        Read(Calendar(Event("DTSTART:20240115T090000Z\nDTEND:20240115T100000Z\nBEGIN:VALARM\nACTION:DISPLAY\n" +
                            row.Alarm + "\nEND:VALARM")));
    ASSERT_EQ(content.Events.size(), 1u) << row.Alarm;
    EXPECT_TRUE(content.Events[0].AlarmSet) << row.Alarm;
    EXPECT_EQ(content.Events[0].AlarmAdvance, row.Advance) << row.Alarm;
    EXPECT_EQ(content.Events[0].AlarmAdvanceType, row.Unit) << row.Alarm;
  }
}

TEST_F(TIcalTest, TasksTakeTheirFields) {
  const TIcalContent content =
      Read(Calendar("BEGIN:VTODO\nUID:t1\nSUMMARY:Pay\nDESCRIPTION:Rent\nPRIORITY:3\nDUE;VALUE=DATE:20240201\nCREATED:"
                    "20240101T080000Z\n"
                    "STATUS:COMPLETED\nCOMPLETED:20240120T170000Z\nEND:VTODO"));
  ASSERT_EQ(content.Tasks.size(), 1u);
  const TIcalTask& task = content.Tasks[0];
  EXPECT_EQ(task.Uid, "t1");
  EXPECT_EQ(task.Details, "Rent");
  EXPECT_EQ(task.Priority, 3);
  EXPECT_EQ(Shown(task.DueDate), "2024-02-01 00:00");
  EXPECT_EQ(Shown(task.CreatedOn), "2024-01-01 09:00");
  EXPECT_TRUE(task.Complete);
  EXPECT_EQ(Shown(task.CompletedOn), "2024-01-20 18:00");
}

TEST_F(TIcalTest, MalformedFilesNameTheLine) {
  struct TRow {
    const char* Name;
    std::string Text;
    int Line;
    const char* Message;
  };
  const TRow rows[] = {
      {"Empty", "", 0, "the file holds no calendar"},
      {"Blank", "\r\n  \r\n", 0, "the file holds no calendar"},
      {"Binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 3,
       "line 3 holds a NUL byte: this is no calendar file"},
      {"NotACalendar", "BEGIN:VCARD\r\nEND:VCARD\r\n", 1, "line 1: a calendar file starts with BEGIN:VCALENDAR"},
      {"Truncated", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2024", 3,
       "the file ends inside VEVENT begun on line 2"},
      {"NoColon", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", 3,
       "line 3 is no content line (name:value)"},
      {"CrossedEnd", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VTODO\r\nEND:VCALENDAR\r\n", 3,
       "line 3: END:VTODO closes VEVENT begun on line 2"},
      {"Trailing", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\nSUMMARY:x\r\n", 3,
       "line 3: SUMMARY stands outside any calendar"},
  };
  for (const TRow& row : rows) {
    TIcalContent content;
    content.Tasks.resize(1);  // kept as it was when the file is refused
    TIcalReadError error;
    EXPECT_FALSE(ReadIcal(row.Text, {}, content, error)) << row.Name;
    EXPECT_EQ(error.Line, row.Line) << row.Name;
    EXPECT_EQ(error.Message, row.Message) << row.Name;
    EXPECT_EQ(content.Tasks.size(), 1u) << row.Name;
  }
}

TEST_F(TIcalTest, AHugeLineIsRefusedFast) {
  const std::string text = "BEGIN:VCALENDAR\r\nX-BIG:" + std::string(50 << 20, 'a') + "\r\nEND:VCALENDAR\r\n";
  const auto start = std::chrono::steady_clock::now();
  TIcalContent content;
  TIcalReadError error;
  EXPECT_FALSE(ReadIcal(text, {}, content, error));
  EXPECT_EQ(error.Message, "line 2 is longer than 1048576 bytes");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
