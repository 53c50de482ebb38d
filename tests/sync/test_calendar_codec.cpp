#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>

#include "interop/ical/ical_writer.h"
#include "model/enumerations.h"
#include "sync/calendar_sync_codec.h"
#include "sync/sync_server.h"
#include "tests/support/planner_fixture.h"
#include "tests/sync/sync_test_support.h"

namespace {

class CalendarCodec : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    Categories.Category(2)->SetDescription("Work");
    Categories.Category(3)->SetDescription("Home");
  }
  const TSyncItemCodec& Codec() {
    if (!Codec_) Codec_ = std::make_unique<TCalendarSyncCodec>(Categories);
    return *Codec_;
  }
  // The event of event.ics as the organizer would write it, changed by the test.
  std::string Ours(const std::function<void(TIcalEvent&)>& change = {}) {
    TIcalEvent event;
    event.Uid = "event-1@example.org";
    event.Description = "Café meeting";
    event.Notes = "Agenda: Grüße\nsecond line";
    event.CategoryName = "Work";
    event.StartTime = At(2024, 5, 10, 10);
    event.EndTime = At(2024, 5, 10, 11, 30);
    event.TimeZone = "Europe/Berlin";
    event.ZoneStartTime = event.StartTime;
    event.AlarmSet = true;
    event.AlarmAdvance = 15;
    event.AlarmAdvanceType = atMinutes;
    event.RepeatRule = "FREQ=WEEKLY;UNTIL=20240628T080000Z";
    event.RepeatRangeEnd = At(2024, 6, 28);
    if (change) change(event);
    return WriteIcal({event}, {}, 1715000000);
  }

  // The series with its occurrence of 24 May moved to 14:00 ("Moved"), as the organizer writes
  // them; each changed by the test.
  std::string Held(const std::function<void(TIcalEvent&)>& change = {},
                   const std::function<void(TIcalEvent&)>& changeMoved = {}) {
    TIcalEvent series;
    TIcalEvent moved;
    Ours([&](TIcalEvent& e) {
      e.ExceptionDates = "20240517T100000,20240524T100000";
      if (change) change(e);
      series = e;
    });
    moved.Uid = series.Uid;
    moved.Description = "Moved";
    moved.TimeZone = "Europe/Berlin";
    moved.StartTime = moved.ZoneStartTime = At(2024, 5, 24, 14);
    moved.EndTime = At(2024, 5, 24, 15);
    moved.OriginalStart = At(2024, 5, 24, 10);
    if (changeMoved) changeMoved(moved);
    return WriteIcal({series, moved}, {}, 1715000000);
  }

  TVpCategoryColorMap Categories;

 private:
  std::unique_ptr<TCalendarSyncCodec> Codec_;
};

// A changed occurrence of event.ics's series: the one of 24 May moved to the afternoon.
const std::string kMoved =
    "BEGIN:VEVENT\r\nUID:event-1@example.org\r\nRECURRENCE-ID;TZID=Europe/Berlin:20240524T100000\r\n"
    "DTSTART;TZID=Europe/Berlin:20240524T140000\r\nDTEND;TZID=Europe/Berlin:20240524T150000\r\nSUMMARY:Moved\r\n"
    "END:VEVENT\r\n";

std::string Unfolded(std::string text) {
  for (size_t at; (at = text.find("\r\n ")) != std::string::npos;) text.erase(at, 3);
  return text;
}

TEST_F(CalendarCodec, TheSameItemWrittenOtherwiseHasTheSameDigest) {
  const std::string event = SyncSample("event.ics");
  const std::string task = SyncSample("task.ics");
  const struct {
    const char* Name;
    std::string Base;
    std::string Text;
  } kForms[] = {
      {"our own writing", event, Ours()},
      {"re-serialised by another library", event, SyncSample("reserialised-event.ics")},
      {"stamps and product", event,
       Replaced(
           Replaced(event, "DTSTAMP:20240501T120000Z", "DTSTAMP:20261209T101010Z\r\nLAST-MODIFIED:20261209T101010Z"),
           "PRODID:-//Example Corp//Server 1.0//EN", "PRODID:-//Other//Other//DE")},
      {"property order", event,
       Replaced(Replaced(event, "SUMMARY:Café meeting\r\n", ""), "CATEGORIES:Work\r\n",
                "CATEGORIES:Work\r\nSUMMARY:Café meeting\r\n")},
      {"folding inside a character", event, Replaced(event, "Agenda: Grü", "Agenda: Gr\xC3\r\n \xBC")},
      {"LF line ends", event,
       [&] {
         std::string text = event;
         std::erase(text, '\r');
         return text;
       }()},
      {"UTC instead of a zone", event,
       Replaced(Replaced(event, "DTSTART;TZID=Europe/Berlin:20240510T100000", "DTSTART:20240510T080000Z"),
                "DTEND;TZID=Europe/Berlin:20240510T113000", "DTEND:20240510T093000Z")},
      {"a category in other letter case among others", event,
       Replaced(event, "CATEGORIES:Work", "CATEGORIES:WORK,Extra")},
      {"a duration instead of an end", event,
       Replaced(event, "DTEND;TZID=Europe/Berlin:20240510T113000", "DURATION:PT1H30M")},
      {"lines the organizer keeps without mapping them", event,
       Replaced(event, "END:VEVENT\r\n", "ATTENDEE;CN=Eva:mailto:eva@example.org\r\nX-OTHER:1\r\nEND:VEVENT\r\n")},
      {"task re-serialised by another library", task, SyncSample("reserialised-task.ics")},
      {"task created at another moment", task, Replaced(task, "CREATED:20240401T090000Z", "CREATED:20250101T000000Z")},
  };
  for (const auto& form : kForms) {
    SCOPED_TRACE(form.Name);
    const TSyncItemDigest base = DigestOf(Codec(), form.Base);
    const TSyncItemDigest other = DigestOf(Codec(), form.Text);
    EXPECT_EQ(other.Kind, base.Kind);
    EXPECT_EQ(other.Uid, base.Uid);
    EXPECT_EQ(other.Hash, base.Hash);
  }
}

TEST_F(CalendarCodec, EachMappedFieldChangesTheDigest) {
  const std::string event = SyncSample("event.ics");
  const std::string task = SyncSample("task.ics");
  const struct {
    const char* Name;
    std::string Base;
    std::string From;
    std::string To;
  } kChanges[] = {
      {"summary", event, "SUMMARY:Café meeting", "SUMMARY:Cafe meeting"},
      {"notes", event, "second line", "second  line"},
      {"category", event, "CATEGORIES:Work", "CATEGORIES:Home"},
      {"start", event, "DTSTART;TZID=Europe/Berlin:20240510T100000", "DTSTART;TZID=Europe/Berlin:20240510T100100"},
      {"end", event, "DTEND;TZID=Europe/Berlin:20240510T113000", "DTEND;TZID=Europe/Berlin:20240510T113001"},
      {"same local time in another zone", event, "DTSTART;TZID=Europe/Berlin", "DTSTART;TZID=Europe/London"},
      {"all day", event, "DTSTART;TZID=Europe/Berlin:20240510T100000", "DTSTART;VALUE=DATE:20240510"},
      {"reminder", event, "TRIGGER:-PT15M", "TRIGGER:-PT16M"},
      {"repeat", event, "FREQ=WEEKLY", "FREQ=DAILY"},
      {"repeat end", event, "UNTIL=20240628T080000Z", "UNTIL=20240705T080000Z"},
      {"repeat code", event, "FREQ=WEEKLY;UNTIL=20240628T080000Z", "FREQ=WEEKLY"},
      {"exception", event, "END:VALARM\r\n", "END:VALARM\r\nEXDATE;TZID=Europe/Berlin:20240517T100000\r\n"},
      {"extra date", event, "END:VALARM\r\n", "END:VALARM\r\nRDATE;TZID=Europe/Berlin:20240518T100000\r\n"},
      {"changed occurrence", event, "END:VEVENT\r\n", "END:VEVENT\r\n" + kMoved},
      {"task summary", task, "SUMMARY:Écrire le rapport", "SUMMARY:Écrire le rapport!"},
      {"task notes", task, "DESCRIPTION:Zeilen\\nzwei", "DESCRIPTION:Zeilen\\ndrei"},
      {"task priority", task, "PRIORITY:3", "PRIORITY:4"},
      {"task due", task, "DUE;VALUE=DATE:20240520", "DUE;VALUE=DATE:20240521"},
      {"task completion", task, "STATUS:COMPLETED\r\nCOMPLETED:20240515T101500Z", "STATUS:NEEDS-ACTION"},
      {"task completed at", task, "COMPLETED:20240515T101500Z", "COMPLETED:20240515T101600Z"},
      {"task category", task, "CATEGORIES:Work", "CATEGORIES:Home"},
  };
  for (const auto& change : kChanges) {
    SCOPED_TRACE(change.Name);
    EXPECT_NE(DigestOf(Codec(), Replaced(change.Base, change.From, change.To)).Hash,
              DigestOf(Codec(), change.Base).Hash);
  }
  const std::string moved = Replaced(event, "END:VEVENT\r\n", "END:VEVENT\r\n" + kMoved);
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"SUMMARY:Moved", "SUMMARY:Moved!"},
        {"T140000", "T140100"},
        {"RECURRENCE-ID;TZID=Europe/Berlin:20240524", "RECURRENCE-ID;TZID=Europe/Berlin:20240531"}})
    EXPECT_NE(DigestOf(Codec(), Replaced(moved, from, to)).Hash, DigestOf(Codec(), moved).Hash) << from;
  const std::string withoutAlarm =
      Replaced(event, "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n", "");
  EXPECT_NE(DigestOf(Codec(), withoutAlarm).Hash, DigestOf(Codec(), event).Hash);
}

TEST_F(CalendarCodec, TextsWithoutAnItemOfTheOrganizerAreRefusedWithTheReason) {
  const std::string event = SyncSample("event.ics");
  const struct {
    const char* Name;
    std::string Text;
    const char* Reason;
  } kTexts[] = {
      {"no UID", Replaced(event, "UID:event-1@example.org\r\n", ""), "it has no UID"},
      {"no start", Replaced(event, "DTSTART;TZID=Europe/Berlin:20240510T100000\r\n", ""), "it has no start (DTSTART)"},
      {"a journal only",
       "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VJOURNAL\r\nUID:j\r\nEND:VJOURNAL\r\nEND:VCALENDAR\r\n",
       "no event or task"},
      {"not a calendar", "BEGIN:VCARD\r\nEND:VCARD\r\n", "line 1"},
      {"truncated", event.substr(0, event.size() / 2), "line"},
  };
  for (const auto& text : kTexts) {
    SCOPED_TRACE(text.Name);
    TSyncItemDigest digest;
    std::string error;
    EXPECT_FALSE(Codec().Digest(text.Text, digest, error));
    EXPECT_NE(error.find(text.Reason), std::string::npos) << error;
  }
}

// A series with its exceptions and changed occurrences is one item, as the organizer writes it
// and as another program does.
TEST_F(CalendarCodec, ASeriesWithItsExceptionsAndChangesIsOneItem) {
  const std::string server = Replaced(Replaced(SyncSample("event.ics"), "END:VALARM\r\n",
                                               "END:VALARM\r\nEXDATE;TZID=Europe/Berlin:20240517T100000\r\n"),
                                      "END:VEVENT\r\n", "END:VEVENT\r\n" + kMoved);
  EXPECT_EQ(DigestOf(Codec(), server).Hash, DigestOf(Codec(), Held()).Hash);
  // A second rule is kept for other programs: the organizer's record is the same.
  const std::string twoRules =
      Replaced(SyncSample("event.ics"), "END:VALARM\r\n", "END:VALARM\r\nRRULE:FREQ=DAILY;COUNT=3\r\n");
  EXPECT_EQ(DigestOf(Codec(), twoRules).Hash, DigestOf(Codec(), Ours()).Hash);
  TIcalContent content;
  std::string error;
  ASSERT_TRUE(ReadCalendarItem(server, content, error)) << error;
  ASSERT_EQ(content.Events.size(), 2u);
  EXPECT_EQ(content.Events[0].ExceptionDates, "20240517T100000,20240524T100000");
  EXPECT_EQ(content.Events[1].OriginalStart, At(2024, 5, 24, 10));
}

TEST_F(CalendarCodec, MergeKeepsWhatOtherProgramsStoredAndDigestsToOurs) {
  const std::string server =
      Replaced(SyncSample("event.ics"), "END:VALARM\r\nEND:VEVENT\r\n",
               "X-OTHER-APP-ID:42\r\nEND:VALARM\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
               "LOCATION:Raum 4\r\nATTENDEE;CN=Eva:mailto:eva@example.org\r\nX-OTHER-FLAG:yes\r\nEND:VEVENT\r\n" +
                   kMoved);
  // What the organizer holds of it: the location in its field, the changed occurrence as a record
  // of its own.
  auto held = [](const std::function<void(TIcalEvent&)>& more = {}) {
    return [more](TIcalEvent& e) {
      e.Location = "Raum 4";
      e.ExceptionDates = "20240524T100000";
      if (more) more(e);
    };
  };
  EXPECT_EQ(DigestOf(Codec(), server).Hash, DigestOf(Codec(), Held(held())).Hash);
  const struct {
    const char* Name;
    std::function<void(TIcalEvent&)> Change;
    std::vector<std::string> Kept;
    std::vector<std::string> Gone;
    std::function<void(TIcalEvent&)> ChangeMoved = {};
  } kEdits[] = {
      {"nothing", held(), {"PRODID:-//Example Corp", "DTSTAMP:20240501T120000Z"}, {}},
      {"summary",
       held([](TIcalEvent& e) { e.Description = "Teetreffen"; }),
       {"SUMMARY:Teetreffen", "RECURRENCE-ID", "SUMMARY:Moved", "ACTION:AUDIO", "LAST-MODIFIED"},
       {"Café"}},
      {"notes", held([](TIcalEvent& e) { e.Notes = "Neu"; }), {"DESCRIPTION:Neu\r\n", "ATTENDEE"}, {"Agenda"}},
      {"location",
       held([](TIcalEvent& e) { e.Location = "Raum 5"; }),
       {"LOCATION:Raum 5", "ATTENDEE;CN=Eva", "DESCRIPTION:Agenda"},
       {"Raum 4"}},
      {"no location",
       held([](TIcalEvent& e) { e.Location.clear(); }),
       {"ATTENDEE;CN=Eva", "DESCRIPTION:Agenda"},
       {"LOCATION:"}},
      {"reminder",
       held([](TIcalEvent& e) { e.AlarmAdvance = 2, e.AlarmAdvanceType = atHours; }),
       {"TRIGGER:-PT2H", "X-OTHER-APP-ID:42", "ACTION:AUDIO"},
       {"-PT15M"}},
      // The organizer's reminder is the first; with none, no reminder may stay.
      {"no reminder", held([](TIcalEvent& e) { e.AlarmSet = false; }), {}, {"VALARM"}},
      {"start",
       held([](TIcalEvent& e) {
         e.StartTime = e.ZoneStartTime = At(2024, 5, 10, 9);
         e.EndTime = At(2024, 5, 10, 12);
       }),
       {"DTSTART;TZID=Europe/Berlin:20240510T090000", "BEGIN:VTIMEZONE", "FREQ=WEEKLY", "RECURRENCE-ID", "Moved"},
       {}},
      {"category", held([](TIcalEvent& e) { e.CategoryName = "Home"; }), {"CATEGORIES:Home"}, {"Work"}},
      {"rule",
       held([](TIcalEvent& e) { e.RepeatRule = "FREQ=WEEKLY;UNTIL=20240705T080000Z"; }),
       {"UNTIL=20240705T080000Z", "ATTENDEE"},
       {"UNTIL=20240628T080000Z"}},
      {"exception",
       held([](TIcalEvent& e) { e.ExceptionDates = "20240517T100000,20240524T100000"; }),
       {"EXDATE;TZID=Europe/Berlin:20240517T100000", "RECURRENCE-ID", "ATTENDEE"},
       {}},
      {"changed occurrence",
       held(),
       {"DTSTART;TZID=Europe/Berlin:20240524T160000", "RECURRENCE-ID;TZID=Europe/Berlin:20240524T100000"},
       {"T140000"},
       [](TIcalEvent& e) { e.StartTime = e.ZoneStartTime = At(2024, 5, 24, 16), e.EndTime = At(2024, 5, 24, 17); }},
  };
  for (const auto& edit : kEdits) {
    SCOPED_TRACE(edit.Name);
    const std::string ours = Held(edit.Change, edit.ChangeMoved);
    const std::string merged = Codec().Merge(server, ours);
    EXPECT_EQ(DigestOf(Codec(), merged).Hash, DigestOf(Codec(), ours).Hash) << merged;
    for (const char* kept : {"X-OTHER-FLAG:yes", "PRODID:-//Example"})
      EXPECT_NE(Unfolded(merged).find(kept), std::string::npos) << kept;
    for (const std::string& kept : edit.Kept)
      EXPECT_NE(Unfolded(merged).find(kept), std::string::npos) << kept << merged;
    for (const std::string& gone : edit.Gone)
      EXPECT_EQ(Unfolded(merged).find(gone), std::string::npos) << gone << merged;
  }
  EXPECT_EQ(Codec().Merge(server, Held(held())), server);
}

TEST_F(CalendarCodec, MergeOfAnUnreadableServerTextIsOurs) {
  EXPECT_EQ(Codec().Merge("garbage", Ours()), Ours());
  EXPECT_THROW(Codec().Merge(SyncSample("event.ics"), "garbage"), ESyncError);
}

TEST_F(CalendarCodec, AConflictCopyIsTheSameItemUnderANewUidWithItsSummaryMarked) {
  for (const char* sample : {"event.ics", "task.ics"}) {
    SCOPED_TRACE(sample);
    const std::string text = SyncSample(sample);
    const std::string copy = Codec().ConflictCopy(text, "copy-1@koret");
    const TSyncItemDigest digest = DigestOf(Codec(), copy);
    EXPECT_EQ(digest.Uid, "copy-1@koret");
    EXPECT_NE(digest.Hash, DigestOf(Codec(), text).Hash);
    EXPECT_NE(copy.find(" (server copy)"), std::string::npos) << copy;
    // Only the subject differs.
    const std::string unmarked =
        Replaced(Replaced(copy, " (server copy)", ""), "copy-1@koret", DigestOf(Codec(), text).Uid);
    EXPECT_EQ(DigestOf(Codec(), unmarked).Hash, DigestOf(Codec(), text).Hash);
  }
}

}  // namespace
