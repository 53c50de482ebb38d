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
  EXPECT_TRUE(ReadIcal(text, content, error)) << error.Message;
  return content;
}

std::vector<std::string> Placements(const TIcalContent& content) {
  std::vector<std::string> shown;
  for (const TIcalEvent& event : content.Events) shown.push_back(Shown(event));
  return shown;
}

std::string NoteKinds(const TIcalContent& content) {
  std::string kinds;
  for (const TIcalItemNote& note : content.Notes) kinds += "CS"[note.Kind];
  return kinds;
}

struct TPlacementRow {
  const char* Name;
  std::string Lines;
  std::vector<std::string> Expected;
  const char* Notes;  // C changed, S skipped, in order
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
                      {"2024-01-15 10:00..2024-01-15 11:00 zone UTC"},
                      ""},
        TPlacementRow{"OwnZone",
                      kFixedZone + Event("DTSTART;TZID=Test Plus Five:20240115T090000\nDURATION:PT90M"),
                      {"2024-01-15 05:00..2024-01-15 06:30"},
                      ""},
        TPlacementRow{"IanaName",
                      Event("DTSTART;TZID=America/New_York:20240715T090000"),
                      {"2024-07-15 15:00..2024-07-15 15:00 zone America/New_York"},
                      ""},
        TPlacementRow{"WindowsName",
                      Event("DTSTART;TZID=Tokyo Standard Time:20240115T090000"),
                      {"2024-01-15 01:00..2024-01-15 01:00 zone Asia/Tokyo"},
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
                      {"2024-01-15 10:00..2024-01-15 10:00 zone UTC rule FREQ=WEEKLY;COUNT=4 to 2024-02-05"},
                      ""},
        TPlacementRow{"MonthlyByDayUntil",
                      Event("DTSTART:20240115T090000Z\nRRULE:FREQ=MONTHLY;BYDAY=3MO;UNTIL=20240601T000000Z"),
                      {"2024-01-15 10:00..2024-01-15 10:00 zone UTC rule FREQ=MONTHLY;UNTIL=20240601T000000Z;BYDAY=3MO "
                       "to 2024-06-01"},
                      ""},
        TPlacementRow{
            "LastFridayYearly",
            Event("DTSTART;VALUE=DATE:20240329\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1FR;COUNT=2"),
            {"2024-03-29 00:00..2024-03-29 23:59 all-day rule FREQ=YEARLY;COUNT=2;BYDAY=-1FR;BYMONTH=3 to 2025-03-28"},
            ""},
        TPlacementRow{"WeeklyUntilTheDaysEnd",  // the code is written back as the same rule
                      Event("DTSTART:20240115T090000\nRRULE:FREQ=WEEKLY;UNTIL=20240205T235959"),
                      {"2024-01-15 09:00..2024-01-15 09:00 repeat 2 to 2024-02-05"},
                      ""},
        TPlacementRow{
            "EveryThirdDay",
            Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;INTERVAL=3;UNTIL=20240125T090000"),
            {"2024-01-15 09:00..2024-01-15 09:00 rule FREQ=DAILY;UNTIL=20240125T090000;INTERVAL=3 to 2024-01-25"},
            ""},
        TPlacementRow{"EndlessStaysWithoutEnd",
                      Event("DTSTART;VALUE=DATE:20240229\nRRULE:FREQ=YEARLY"),
                      {"2024-02-29 00:00..2024-02-29 23:59 all-day repeat 6 to 9999-12-31"},
                      ""},
        TPlacementRow{"UntilBeforeStart",
                      Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;UNTIL=20240101T000000"),
                      {"2024-01-15 09:00..2024-01-15 09:00 rule FREQ=DAILY;UNTIL=20240101T000000 to 2024-01-01"},
                      ""},
        TPlacementRow{"ByDayList",
                      Event("DTSTART:20240115T090000\nDTEND:20240115T100000\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=4"),
                      {"2024-01-15 09:00..2024-01-15 10:00 rule FREQ=WEEKLY;COUNT=4;BYDAY=MO,WE to 2024-01-24"},
                      ""},
        TPlacementRow{"Exdate",
                      Event("DTSTART:20240115T090000Z\nRRULE:FREQ=DAILY;COUNT=3\nEXDATE:20240116T090000Z"),
                      {"2024-01-15 10:00..2024-01-15 10:00 zone UTC rule FREQ=DAILY;COUNT=3 to 2024-01-17 except "
                       "20240116T090000"},
                      ""},
        TPlacementRow{
            "Override",
            Event("DTSTART:20240115T090000\nRRULE:FREQ=DAILY;COUNT=3") +
                "\nBEGIN:VEVENT\nUID:u1\nRECURRENCE-ID:20240116T090000\nSUMMARY:Moved\nDTSTART:"
                "20240116T140000\nEND:VEVENT",
            {"2024-01-15 09:00..2024-01-15 09:00 rule FREQ=DAILY;COUNT=3 to 2024-01-17 except 20240116T090000",
             "2024-01-16 14:00..2024-01-16 14:00 in place of 2024-01-16 09:00"},
            ""},
        TPlacementRow{"EndlessRuleStaysWithoutEnd",
                      Event("DTSTART:20251229T090000\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU"),
                      {"2025-12-29 09:00..2025-12-29 09:00 rule FREQ=WEEKLY;BYDAY=MO,TU to 9999-12-31"},
                      ""},
        TPlacementRow{"ExtraDatesOnTheSeriesClock",
                      Event("DTSTART;TZID=America/New_York:20240115T090000\nRDATE:20240120T140000Z\n"
                            "RDATE;VALUE=DATE:20240125\nEXDATE;TZID=Europe/Berlin:20240120T150000"),
                      {"2024-01-15 15:00..2024-01-15 15:00 zone America/New_York except 20240120T090000 extra "
                       "20240120T090000,20240125 to 2024-01-25"},
                      ""},
        TPlacementRow{"NoStart",
                      Event("DTEND:20240115T100000") + "\n" + Event("DTSTART:20240115T090000"),
                      {"2024-01-15 09:00..2024-01-15 09:00"},
                      "S"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TIcalTest, TextsSurviveFoldingAndEncoding) {
  const std::string folded = Calendar(
      Event("DTSTART:20240115T090000\nDESCRIPTION:Gr\xC3\n \xBC\xC3\x9F"
            "e\\, Welt\\nZeile 2\nLOCATION:Raum 1\n"
            "URL:https://example.org/a\nATTENDEE;CN=Ann:mailto:ann@example.org\nATTENDEE:mailto:bo@example.org\n"
            "CATEGORIES:Work,Travel"));
  TIcalContent content = Read(folded);
  ASSERT_EQ(content.Events.size(), 1u);
  EXPECT_EQ(content.Events[0].Notes, "Grüße, Welt\nZeile 2");
  EXPECT_EQ(content.Events[0].Location, "Raum 1");
  EXPECT_EQ(content.Events[0].CategoryName, "Work");
  // Web page, attendees and the second category stay lines of their own, not notes.
  EXPECT_EQ(content.Events[0].KeptProperties,
            "URL:https://example.org/a\nATTENDEE;CN=Ann:mailto:ann@example.org\nATTENDEE:mailto:bo@example.org\n"
            "CATEGORIES:Travel\n");
  EXPECT_EQ(NoteKinds(content), "");

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

// The range end a COUNT gives is the day of the last occurrence the calendar library's own
// iterator finds.
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
    // The rule is kept as the calendar library writes it.
    const icalrecurrencetype read = icalrecurrencetype_from_string(rule);
    char* written = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&read));
    EXPECT_EQ(content.Events[0].RepeatRule, written) << rule;
    icalmemory_free_buffer(written);
    EXPECT_EQ(content.Events[0].RepeatRangeEnd, EncodeDate(last.year, last.month, last.day)) << start << " " << rule;
  }
}

// A series is one event; its changed occurrences follow it, each standing in for the start it
// replaces, which the series skips. One whose series is not in the file names its start on its
// own clock.
TEST_F(TIcalTest, ChangedOccurrencesFollowTheirSeries) {
  const TIcalContent content = Read(Calendar(
      Event("DTSTART;TZID=Europe/Berlin:20251201T090000\nRRULE:FREQ=WEEKLY;BYDAY=MO,TU;COUNT=6\n"
            "EXDATE;TZID=Europe/Berlin:20251202T090000") +
      "\nBEGIN:VEVENT\nUID:u1\nSUMMARY:Moved\nRECURRENCE-ID:20251208T080000Z\n"
      "DTSTART;TZID=Europe/Berlin:20251210T170000\nDTEND;TZID=Europe/Berlin:20251210T180000\nEND:VEVENT\n"
      "BEGIN:VEVENT\nUID:u3\nSUMMARY:Lone change\nRECURRENCE-ID:20240101T090000\nDTSTART:20240102T090000\nEND:VEVENT"));
  EXPECT_EQ(NoteKinds(content), "");
  ASSERT_EQ(content.Events.size(), 3u);
  // The 08:00 UTC occurrence of 8 December is 09:00 on the series' clock; the last of six
  // occurrences falls on 16 December.
  EXPECT_EQ(Shown(content.Events[0]),
            "2025-12-01 09:00..2025-12-01 09:00 zone Europe/Berlin rule FREQ=WEEKLY;COUNT=6;BYDAY=MO,TU to 2025-12-16 "
            "except 20251202T090000,20251208T090000");
  EXPECT_EQ(Shown(content.Events[1]),
            "2025-12-10 17:00..2025-12-10 18:00 zone Europe/Berlin in place of 2025-12-08 09:00");
  EXPECT_EQ(content.Events[1].Uid, "u1");
  EXPECT_EQ(content.Events[1].Description, "Moved");
  EXPECT_EQ(Shown(content.Events[2]), "2024-01-02 09:00..2024-01-02 09:00 in place of 2024-01-01 09:00");
}

// What the organizer has no field for is kept as the file wrote it; what it maps is not kept twice.
TEST_F(TIcalTest, UnmappedLinesAreKeptAsTheyCame) {
  const TIcalContent content = Read(Calendar(
      Event("DTSTART:20240115T090000\nDTSTAMP:20240101T000000Z\nLAST-MODIFIED:20240101T000000Z\n"
            "ORGANIZER;CN=Bo:mailto:bo@example.org\nSTATUS:CONFIRMED\nX-OTHER;X-P=1:value\nCATEGORIES:Work,Travel\n"
            "RRULE:FREQ=DAILY;COUNT=2\nRRULE:FREQ=WEEKLY;COUNT=3\nRDATE;VALUE=PERIOD:20240120T090000/PT1H\n"
            "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT5M\nEND:VALARM\nBEGIN:VALARM\nACTION:AUDIO\nTRIGGER:-PT1H\n"
            "END:VALARM")));
  ASSERT_EQ(content.Events.size(), 1u);
  const TIcalEvent& event = content.Events[0];
  EXPECT_EQ(event.CategoryName, "Work");
  EXPECT_EQ(event.RepeatRule, "FREQ=DAILY;COUNT=2");
  EXPECT_EQ(event.AlarmAdvance, 5);
  EXPECT_EQ(event.KeptProperties,
            "ORGANIZER;CN=Bo:mailto:bo@example.org\nSTATUS:CONFIRMED\nX-OTHER;X-P=1:value\nCATEGORIES:Travel\n"
            "RRULE:FREQ=WEEKLY;COUNT=3\nRDATE;VALUE=PERIOD:20240120T090000/PT1H\n"
            "BEGIN:VALARM\nACTION:DISPLAY\nTRIGGER:-PT5M\nEND:VALARM\nBEGIN:VALARM\nACTION:AUDIO\nTRIGGER:-PT1H\n"
            "END:VALARM\n");
  EXPECT_EQ(NoteKinds(content), "C");  // the second rule, the period and the second reminder
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
    EXPECT_FALSE(ReadIcal(row.Text, content, error)) << row.Name;
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
  EXPECT_FALSE(ReadIcal(text, content, error));
  EXPECT_EQ(error.Message, "line 2 is longer than 1048576 bytes");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
