#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "interop/ical/ical_reader.h"
#include "interop/ical/ical_writer.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/recurrence.h"
#include "model/task.h"
#include "model/zone_clock.h"
#include "tests/interop/ical_test_support.h"
#include "tests/support/fake_timers.h"
#include "tests/support/temporary_folder.h"

namespace {

TIcalEvent Timed(const std::string& uid, double start, double end) {
  TIcalEvent event;
  event.Uid = uid;
  event.Description = "Event " + uid;
  event.StartTime = SnapToMs(start);  // as the planner holds times
  event.EndTime = SnapToMs(end);
  return event;
}

// An hour on New York's clock.
TIcalEvent Zoned(const std::string& uid, double wall) {
  TIcalEvent event;
  event.Uid = uid;
  event.Description = "Event " + uid;
  event.TimeZone = "America/New_York";
  event.ZoneStartTime = SnapToMs(wall);
  event.StartTime = SnapToMs(LocalFromZone(wall, event.TimeZone));
  event.EndTime = SnapToMs(event.StartTime + EncodeTime(1, 0));
  return event;
}

// One event of each repeat code, all-day and multi-day ones, a reminder of each unit and texts the
// file format must escape.
std::vector<TIcalEvent> Events() {
  std::vector<TIcalEvent> events;
  const double start = EncodeDate(2024, 1, 15) + EncodeTime(9, 30);  // the third Monday
  for (int code = rcNone; code <= rcCustom; ++code) {
    TIcalEvent event = Timed("repeat-" + std::to_string(code), start, start + EncodeTime(1, 0));
    event.RepeatCode = static_cast<std::uint8_t>(code);
    event.RepeatRangeEnd = code == rcNone ? 0 : EncodeDate(2026, 6, 30);
    event.CustomInterval = code == rcCustom ? 10 : 0;
    events.push_back(event);
  }
  TIcalEvent lastWeek =
      Timed("last-friday", EncodeDate(2024, 3, 29) + EncodeTime(8, 0), EncodeDate(2024, 3, 29) + EncodeTime(9, 0));
  lastWeek.RepeatCode = rcMonthlyByDay;
  lastWeek.RepeatRangeEnd = EncodeDate(2024, 12, 27);
  events.push_back(lastWeek);
  TIcalEvent allDay = Timed("all-day", EncodeDate(2024, 7, 1), EncodeDate(2024, 7, 1) + 1 - kOneMinute);
  allDay.AllDayEvent = true;
  allDay.EndTime = SnapToMs(allDay.EndTime);
  allDay.RepeatCode = rcYearlyByDate;
  allDay.RepeatRangeEnd = EncodeDate(2030, 7, 1);
  events.push_back(allDay);
  TIcalEvent holiday = allDay;
  holiday.Uid = "multi-day";
  holiday.EndTime = SnapToMs(EncodeDate(2024, 7, 14) + 1 - kOneMinute);
  holiday.RepeatCode = rcNone;
  holiday.RepeatRangeEnd = 0;
  events.push_back(holiday);
  TIcalEvent overnight =
      Timed("overnight", EncodeDate(2024, 10, 26) + EncodeTime(22, 0), EncodeDate(2024, 10, 27) + EncodeTime(6, 0));
  events.push_back(overnight);
  for (int unit = atMinutes; unit <= atDays; ++unit) {
    TIcalEvent reminded = Timed("alarm-" + std::to_string(unit), start, start + EncodeTime(0, 30));
    reminded.AlarmSet = true;
    reminded.AlarmAdvance = 5 + unit;
    reminded.AlarmAdvanceType = static_cast<std::uint8_t>(unit);
    events.push_back(reminded);
  }
  TIcalEvent texts = Timed("texts", start, start);
  texts.Description = "Grüße aus Zürich; Ärger, Straße \\ 東京 – " + std::string(40, 'x') + " ✓";
  texts.Notes = "Line one\r\nLine two; with, commas\n\nÜbrig \\ end\rlone CR";
  texts.CategoryName = "Büro";
  texts.Location = "Raum 3; Gebäude B, Zürich \\ 東京";
  events.push_back(texts);
  TIcalEvent placed = Timed("placed", start, start + EncodeTime(1, 0));
  placed.Location = "Konferenzraum";  // without notes: the location alone
  events.push_back(placed);
  events.push_back(Zoned("zoned", EncodeDate(2024, 3, 4) + EncodeTime(9, 0)));
  TIcalEvent& series = events.back();
  series.RepeatRule = "FREQ=WEEKLY;BYDAY=MO,WE";
  series.RepeatRangeEnd = kRepeatWithoutEnd;
  series.ExceptionDates = "20240306T090000,20240311T090000";  // the second one is changed
  series.ExtraDates = "20240309T090000,20240323";
  series.KeptProperties = "ATTENDEE;CN=Ann:mailto:ann@example.org\nX-OTHER:kept\n";
  TIcalEvent moved = Zoned("zoned", EncodeDate(2024, 3, 12) + EncodeTime(10, 0));
  moved.Description = "Moved";
  moved.OriginalStart = EncodeDate(2024, 3, 11) + EncodeTime(9, 0);
  events.push_back(moved);
  return events;
}

// The events after a trip through a file: the format knows line feeds only.
std::vector<TIcalEvent> EventsAsRead() {
  std::vector<TIcalEvent> events = Events();
  events[events.size() - 4].Notes = "Line one\nLine two; with, commas\n\nÜbrig \\ end\nlone CR";
  return events;
}

std::vector<TIcalTask> Tasks() {
  TIcalTask open;
  open.Uid = "task-open";
  open.Description = "Steuererklärung";
  open.Details = "Belege\nsammeln";
  open.Priority = 2;
  open.DueDate = EncodeDate(2024, 5, 31);
  open.CreatedOn = EncodeDate(2024, 1, 2) + EncodeTime(8, 15);
  TIcalTask done = open;
  done.Uid = "task-done";
  done.Priority = 0;
  done.DueDate = 0;
  done.Complete = true;
  done.CompletedOn = EncodeDate(2024, 2, 3) + EncodeTime(17, 45);
  return {open, done};
}

TEST_F(TIcalTest, WrittenFilesReadBackAsTheSameRecords) {
  const std::string text = WriteIcal(Events(), Tasks(), 1700000000);
  TIcalContent content;
  TIcalReadError error;
  ASSERT_TRUE(ReadIcal(text, content, error)) << error.Message;
  EXPECT_EQ(content.Events, EventsAsRead());
  EXPECT_EQ(content.Tasks, Tasks());
  EXPECT_TRUE(content.Notes.empty());
  EXPECT_NE(text.find("PRODID:-//Koret//Koret Organizer//EN\r\n"), std::string::npos);
  // The zoned event's zone is described; floating events need none.
  EXPECT_NE(text.find("BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"), std::string::npos);
  EXPECT_EQ(text.find("TZID:Europe/Berlin"), std::string::npos);
  EXPECT_NE(text.find("\r\nDTSTART:20240115T093000\r\n"), std::string::npos);
  // The changed occurrence travels as one, not as an exception of its series.
  EXPECT_NE(text.find("\r\nRECURRENCE-ID;TZID=America/New_York:20240311T090000\r\n"), std::string::npos);
  EXPECT_EQ(text.find("EXDATE;TZID=America/New_York:20240311T090000"), std::string::npos);
  // The location is a property of its own, never a line of the description.
  EXPECT_NE(text.find("\r\nLOCATION:Konferenzraum\r\n"), std::string::npos);
  EXPECT_EQ(text.find("DESCRIPTION:Location"), std::string::npos);
}

TEST_F(TIcalTest, WrittenLinesEndInCrlfAndFoldBetweenCharacters) {
  const std::string text = WriteIcal(Events(), Tasks(), 1700000000);
  int folds = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "unterminated last line";
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    if (!line.empty() && line[0] == ' ') {
      ++folds;
      ASSERT_GT(line.size(), 1u);
      EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << "folded inside a character: " << line;
    }
    start = end + 2;
  }
  EXPECT_GT(folds, 0);
}

TEST_F(TIcalTest, AnIndependentReaderAcceptsTheWrittenFile) {
  TTemporaryFolder folder;
  const std::string file = folder.File("export.ics");
  TTemporaryFolder::Write(file, WriteIcal(Events(), Tasks(), 1700000000));
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(("/usr/bin/python3 " KORET_ICAL_CHECKER " " + file).c_str(), "r"),
                                             ::pclose);
  ASSERT_TRUE(pipe);
  std::string output;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, read);
  ASSERT_EQ(::pclose(pipe.release()), 0) << output;

  auto escaped = [](std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.replace(at, 1, "\\n");
    return text;
  };
  std::string expected;
  for (const TIcalEvent& event : EventsAsRead())
    expected += "VEVENT|" + event.Description + "|" + escaped(event.Notes) + "|" + event.Location + "|" +
                Shown(event.StartTime).substr(0, event.AllDayEvent ? 10 : 16) + "|\n";
  for (const TIcalTask& task : Tasks())
    expected += "VTODO|" + task.Description + "|" + escaped(task.Details) + "||" +
                (task.DueDate ? Shown(task.DueDate).substr(0, 10) : "") + "|\n";
  // The rules the reader printed are checked by the round trip; here only that every item came.
  std::string withoutRules;
  for (std::size_t start = 0; start < output.size();) {
    const std::size_t end = output.find('\n', start);
    const std::string line = output.substr(start, end - start);
    withoutRules += line.substr(0, line.rfind('|') + 1) + "\n";
    start = end + 1;
  }
  EXPECT_EQ(withoutRules, expected);
}

TEST_F(TIcalTest, RecordsCopyBothWays) {
  for (TIcalEvent item : Events()) {
    item.Uid.clear();  // the caller's business, as the category is
    item.CategoryName.clear();
    TVpEvent event;
    CopyToEvent(item, event);
    EXPECT_EQ(IcalEventFrom(event), item) << Shown(item);
  }
  TFakeClock clock;
  clock.Set(EncodeDate(2025, 1, 1));
  for (TIcalTask item : Tasks()) {
    item.Uid.clear();
    item.CategoryName.clear();
    TVpTask task(clock);
    CopyToTask(item, task);
    EXPECT_EQ(IcalTaskFrom(task), item) << item.Description;
  }
  TVpTask undated(clock);
  CopyToTask(TIcalTask{}, undated);
  EXPECT_EQ(undated.CreatedOn(), EncodeDate(2025, 1, 1));  // a file without CREATED keeps the new task's stamp
}

}  // namespace
