#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "interop/exchange/export_command.h"
#include "interop/exchange/import_command.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "store/change_path.h"
#include "store/uid_table.h"
#include "tests/interop/ical_test_support.h"
#include "tests/support/planner_fixture.h"

namespace {

// A program folder with one resource, and import and export working on it.
class TExchangeFolder : public TPlannerFixture {
 public:
  TExchangeFolder() {
    CreateTables();
    Connect();
    AddActiveResource("Home");
  }
  TVpExchangeTarget Target() {
    return {DataFolder(), TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
            [](TVpFlexDataStore& store) { return store.Resources().FindResourceByName("Home"); }};
  }
  TVpImportSummary Import(const std::string& file) { return ImportFile(Target(), Writer, file); }
  // Every table file's bytes, to tell whether anything was written.
  std::vector<std::string> Tables() const {
    std::vector<std::string> files;
    for (const char* file : {"resources.xml", "events.xml", "tasks.xml", "contacts.xml", "recordids.xml", "uids.xml"})
      files.push_back(std::filesystem::exists(TableFile(file)) ? TTemporaryFolder::Read(TableFile(file)) : "");
    return files;
  }
  // The resource's records as the files have them, in a form that compares field by field.
  std::vector<TIcalEvent> Events() {
    TVpResource& resource = Loaded();
    std::vector<TIcalEvent> events;
    for (int i = 0; i < resource.Schedule().Count(); ++i) {
      events.push_back(IcalEventFrom(*resource.Schedule().Items(i)));
      events.back().CategoryName = std::to_string(resource.Schedule().Items(i)->Category());
      std::erase(events.back().Notes, '\r');  // calendar files have line feeds only
    }
    return events;
  }
  std::vector<TIcalTask> Tasks() {
    TVpResource& resource = Loaded();
    std::vector<TIcalTask> tasks;
    for (int i = 0; i < resource.Tasks().Count(); ++i) {
      tasks.push_back(IcalTaskFrom(*resource.Tasks().Items(i)));
      std::erase(tasks.back().Details, '\r');
    }
    return tasks;
  }
  std::vector<std::string> Contacts() {
    TVpResource& resource = Loaded();
    std::vector<std::string> cards;
    for (int i = 0; i < resource.Contacts().Count(); ++i)
      cards.push_back(WriteVCard(*resource.Contacts().Items(i), ""));
    std::sort(cards.begin(), cards.end());
    return cards;
  }

 private:
  TVpResource& Loaded() {
    Store().SetDayBuffer(40000);  // the events of every year the tests use
    Store().ReloadChangedTables();
    Store().SetActiveResource(Store().Resources().FindResourceByName("Home"));
    return *Store().ActiveResource();
  }
};

class Exchange : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
  // A folder holding one event of every repeat code, all-day and multi-day events, reminders of
  // every unit, non-ASCII text and line breaks, tasks and contacts.
  static void Fill(TExchangeFolder& folder) {
    TVpResource& resource = *folder.Store().ActiveResource();
    folder.Store().SetDisplayDate(At(2024, 5, 10));
    for (std::uint8_t code = rcNone; code <= rcCustom; ++code) {
      TVpEvent* event = resource.Schedule().AddEvent(-1, At(2024, 5, 1 + code, 9, 30), At(2024, 5, 1 + code, 10, 45));
      event->SetDescription("Repeat " + std::to_string(code) + " – Größe");
      event->SetRepeatCode(code);
      if (code != rcNone) event->SetRepeatRangeEnd(At(2025, 6, 30));
      if (code == rcCustom) event->SetCustomInterval(3);
      event->SetAlarmSet(true);
      event->SetAlarmAdvance(5 + code);
      event->SetAlarmAdvanceType(static_cast<std::uint8_t>(code % 3));
      event->SetCategory(code);
      event->SetChanged(true);
    }
    TVpEvent* allDay = resource.Schedule().AddEvent(-1, At(2024, 5, 20), At(2024, 5, 21));
    allDay->SetAllDayEvent(true);
    allDay->SetDescription("Holiday");
    allDay->SetChanged(true);
    TVpEvent* trip = resource.Schedule().AddEvent(-1, At(2024, 5, 22, 18), At(2024, 5, 25, 11, 15));
    trip->SetDescription("Trip");
    trip->SetNotes("first line\r\nsecond line; with, marks\\\r\nthird");
    trip->SetChanged(true);
    folder.Store().PostEvents();
    TVpTask* open = resource.Tasks().AddTask(-1);
    open->SetDescription("Steuererklärung");
    open->SetDetails("Belege\r\nsammeln");
    open->SetPriority(2);
    open->SetDueDate(At(2024, 6, 1));
    open->SetCreatedOn(At(2024, 5, 2, 8, 15));
    TVpTask* done = resource.Tasks().AddTask(-1);
    done->SetDescription("Done");
    done->SetComplete(true);
    done->SetCompletedOn(At(2024, 5, 3, 17));
    folder.Store().PostTasks();
    TVpContact* contact = resource.Contacts().AddContact(-1);
    contact->SetFirstName("Zoë");
    contact->SetLastName("Müller");
    contact->SetCompany("Werk");
    contact->SetEMail("zoe@example.org");
    contact->SetPhone(1, "+49 30 1234");
    contact->SetAddress("Hauptstraße 1");
    contact->SetCity("Berlin");
    contact->SetCountry("Germany");
    contact->SetBirthdate(At(1990, 2, 28));
    contact->SetNote("two\r\nlines");
    contact->SetChanged(true);
    folder.Store().PostContacts();
  }
};

TEST_F(Exchange, ExportedFilesImportIntoAnEmptyFolderAsTheSameRecords) {
  TExchangeFolder from;
  Fill(from);
  const std::string ics = from.Folder.File("out.ics");
  const std::string vcf = from.Folder.File("out.vcf");
  const TVpExportSummary calendar = ExportIcalFile(from.Target(), from.Writer, ics, {}, 0);
  EXPECT_EQ(calendar.Events, 10);
  EXPECT_EQ(calendar.Tasks, 2);
  EXPECT_EQ(ExportVCardFile(from.Target(), from.Writer, vcf).Contacts, 1);

  TExchangeFolder to;
  const TVpImportSummary events = to.Import(ics);
  EXPECT_EQ(events.Added, 12) << events.Text();
  EXPECT_EQ(to.Import(vcf).Added, 1);
  EXPECT_EQ(to.Events(), from.Events());
  EXPECT_EQ(to.Tasks(), from.Tasks());
  EXPECT_EQ(to.Contacts(), from.Contacts());

  // Exporting again keeps every record's UID: the new folder's export names the same items.
  const std::string again = to.Folder.File("again.ics");
  ExportIcalFile(to.Target(), to.Writer, again, {}, 0);
  EXPECT_EQ(TTemporaryFolder::Read(again), TTemporaryFolder::Read(ics));

  // Back into the folder it came from, the file changes nothing there.
  const std::vector<std::string> tables = from.Tables();
  EXPECT_EQ(from.Import(ics).Unchanged, 12);
  EXPECT_EQ(from.Import(vcf).Unchanged, 1);
  EXPECT_EQ(from.Tables(), tables);
}

TEST_F(Exchange, ImportingAFileAgainChangesNothingAndAChangedItemUpdatesItsRecord) {
  TExchangeFolder folder;
  const std::string file = folder.Folder.File("in.ics");
  auto calendar = [](const char* summary) {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:a@test\r\n") +
           "DTSTART:20240513T090000\r\nDTEND:20240513T100000\r\nSUMMARY:" + summary +
           "\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=4\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nSUMMARY:no uid\r\nEND:VTODO\r\n"
           "END:VCALENDAR\r\n";
  };
  TTemporaryFolder::Write(file, calendar("Gym"));
  std::vector<double> progress;
  const TVpImportSummary first =
      ImportFile(folder.Target(), folder.Writer, file, [&](double f) { progress.push_back(f); });
  EXPECT_EQ(first.Added, 2) << first.Text();  // the repeat and the task
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 1);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  const std::vector<std::string> tables = folder.Tables();
  const TVpImportSummary second = folder.Import(file);
  EXPECT_EQ(second.Added, 0);
  EXPECT_EQ(second.Unchanged, 2);
  EXPECT_EQ(folder.Tables(), tables) << "no file is written again";

  TTemporaryFolder::Write(file, calendar("Swim"));
  const TVpImportSummary third = folder.Import(file);
  EXPECT_EQ(third.Updated, 1);
  EXPECT_EQ(third.Unchanged, 1);
  const std::vector<TIcalEvent> events = folder.Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Description, "Swim");
  EXPECT_EQ(events[0].RepeatRule, "FREQ=WEEKLY;COUNT=4;BYDAY=MO,WE");
}

// An import kept as one step of the window's history: undo takes back exactly what it added and
// updated, redo makes it again.
TEST_F(Exchange, AnImportIsOneStepToUndoAndRedo) {
  TExchangeFolder folder;
  TVpResource& resource = *folder.Store().ActiveResource();
  TVpEvent* kept = resource.Schedule().AddEvent(-1, At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  kept->SetDescription("Kept");
  kept->SetChanged(true);
  folder.Store().PostEvents();
  const std::string file = folder.Folder.File("in.ics");
  TTemporaryFolder::Write(file,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:a@test\r\n"
                          "DTSTART:20240513T090000\r\nDTEND:20240513T100000\r\nSUMMARY:Gym\r\nEND:VEVENT\r\n"
                          "BEGIN:VTODO\r\nUID:t@test\r\nSUMMARY:Call\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
  const std::vector<std::string> before = folder.Tables();
  std::vector<TVpRowChange> rows;
  ImportFile(folder.Target(), folder.Writer, file, {}, &rows);
  EXPECT_EQ(rows.size(), 2u);
  const std::vector<std::string> after = folder.Tables();
  TVpChangePath& changes = folder.Store().Changes();
  changes.Keep("Import in.ics", rows);
  EXPECT_EQ(changes.Undo(), "Import in.ics");
  const std::vector<std::string> undone = folder.Tables();
  for (size_t table : {1u, 2u}) EXPECT_EQ(undone[table], before[table]) << table;  // events, tasks
  EXPECT_EQ(changes.Redo(), "Import in.ics");
  EXPECT_EQ(folder.Tables()[1].find("Gym") != std::string::npos, true);
  EXPECT_EQ(folder.Tables()[2].find("Call") != std::string::npos, true);
  EXPECT_EQ(after[1].find("Kept") != std::string::npos, true);
}

// What the summary says of an item is said once, and an item the planner cannot hold is told with
// its true reason.
TEST_F(Exchange, TheSummaryTellsEachItemOnceWithItsTrueReason) {
  TExchangeFolder folder;
  const std::string file = folder.Folder.File("in.ics");
  TTemporaryFolder::Write(file,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:h@test\r\nSUMMARY:Holiday\r\n"
                          "CATEGORIES:Holiday - US\r\nDTSTART:20240513T090000\r\nDTEND:20240513T100000\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=20\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:m@test\r\nSUMMARY:Moments\r\nDTSTART:20240513T090000\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=3\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:f@test\r\nSUMMARY:Forever\r\nDTSTART:00010101T000000\r\n"
                          "DTEND:99991231T235959\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  const TVpImportSummary summary = folder.Import(file);
  EXPECT_EQ(summary.Added, 1);
  EXPECT_EQ(summary.NotesText(),
            "Changed: \"Forever\" (f@test): its end \"DTEND:99991231T235959\" lies outside the years 1 to 3000 and "
            "was left out\n"
            "Changed: \"Holiday\" (h@test): no category is named \"Holiday - US\": put in the first\n"
            "Skipped: \"Moments\" (m@test): it has no length: it ends as it starts\n"
            "Skipped: \"Forever\" (f@test): it has no length: it ends as it starts\n");
}

// An export writes where the user pointed: a symbolic link at the path is refused and left as it
// is, and the file it points to is not touched.
TEST_F(Exchange, AnExportRefusesASymbolicLinkAtItsPath) {
  TExchangeFolder folder;
  Fill(folder);
  const std::string victim = folder.Folder.File("victim.txt");
  const std::string link = folder.Folder.File("out.ics");
  TTemporaryFolder::Write(victim, "keep me");
  std::filesystem::create_symlink(victim, link);
  try {
    ExportIcalFile(folder.Target(), folder.Writer, link, {}, 0);
    FAIL() << "exported through the link";
  } catch (const EFileWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write \"" + link +
                                         "\": it is a symbolic link, and an export never writes through one; name the "
                                         "file itself");
  }
  EXPECT_EQ(TTemporaryFolder::Read(victim), "keep me");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}

struct TBadFile {
  const char* Name;
  const char* File;
  const char* Text;
  const char* Error;  // the end of the message
};

class ExchangeRefuses : public Exchange, public ::testing::WithParamInterface<TBadFile> {};

TEST_P(ExchangeRefuses, AMalformedFileAndWritesNothing) {
  TExchangeFolder folder;
  Fill(folder);
  const std::vector<std::string> tables = folder.Tables();
  const std::string file = folder.Folder.File(GetParam().File);
  TTemporaryFolder::Write(file, GetParam().Text);
  try {
    folder.Import(file);
    FAIL() << "imported";
  } catch (const EVpImportError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message, file + GetParam().Error);
  }
  EXPECT_EQ(folder.Tables(), tables);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeRefuses,
    ::testing::Values(TBadFile{"TruncatedCalendar", "cut.ics",
                               "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\nDTSTART:20240101T090000\r\nSUMMARY:x\r\n",
                               ":6: the file ends inside VEVENT begun on line 2"},
                      TBadFile{"CardWithoutEnd", "cut.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\n",
                               ":1: the card begun here has no END:VCARD"},
                      TBadFile{"Neither", "notes.txt", "hello\n",
                               ": neither a calendar file (.ics) nor an address-book file (.vcf)"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(UidTable, KeepsEachRecordsUidAcrossOpeningsAndMovesAReusedUid) {
  TTemporaryFolder folder;
  TAtomicFileWriter writer;
  {
    TVpUidTable uids(writer);
    uids.Open(folder.Path().string());
    EXPECT_EQ(uids.UidOf(tkEvents, 1), "");
    uids.Set(tkEvents, 1, "one@test");
    uids.Set(tkContacts, 1, "one@test");  // kinds are apart
    uids.Set(tkEvents, 2, "one@test");    // the UID moves to the record that has it now
  }
  TVpUidTable uids(writer);
  uids.Open(folder.Path().string());
  EXPECT_EQ(uids.UidOf(tkEvents, 1), "");
  EXPECT_EQ(uids.UidOf(tkEvents, 2), "one@test");
  EXPECT_EQ(uids.RecordOf(tkContacts, "one@test"), 1);
  EXPECT_EQ(uids.Table().RecordCount(), 2);
  const std::string made = NewUid();
  EXPECT_EQ(made.size(), 32u + 6u);
  EXPECT_EQ(made.substr(32), "@koret");
  EXPECT_NE(made, NewUid());
}

}  // namespace
