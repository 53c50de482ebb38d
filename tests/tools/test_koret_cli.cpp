#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "tests/support/temporary_folder.h"
#include "tools/koret_cli/cli_commands.h"

namespace {

// A program folder with its Data folder, and koret-cli run on it in-process.
class KoretCli : public ::testing::Test {
 protected:
  KoretCli() { EXPECT_EQ(Run({"create-tables"}), 0); }

  int Run(const std::vector<std::string>& args) {
    Out.str("");
    Err.str("");
    return RunKoretCli(args, Folder.Path().string(), Out, Err);
  }

  TTemporaryFolder Folder;
  std::ostringstream Out;
  std::ostringstream Err;
};

TEST_F(KoretCli, AFreshFolderHasAnEmptyAgenda) {
  EXPECT_EQ(Run({"agenda", "--from", "2024-05-01", "--days", "31"}), 0);
  EXPECT_EQ(Out.str(), "");
  EXPECT_EQ(Run({"create-tables"}), 0);
  EXPECT_EQ(Out.str(), "") << "existing tables are never replaced";
}

// The reminders of a range in time order, a series' one per occurrence; the agenda marks events
// with a reminder.
TEST_F(KoretCli, RemindersListWhatFallsDueAndTheAgendaMarksThem) {
  ASSERT_EQ(Run({"add", "Standup 2024-05-06 9:00 for 15 min every day remind me 10 min before"}), 0) << Err.str();
  ASSERT_EQ(Run({"add", "Dentist 2024-05-07 12:00 remind me 1 hour before"}), 0) << Err.str();
  ASSERT_EQ(Run({"add", "Lunch 2024-05-07 13:00"}), 0) << Err.str();
  EXPECT_EQ(Run({"reminders", "--from", "2024-05-06", "--to", "2024-05-07"}), 0) << Err.str();
  EXPECT_EQ(Out.str(),
            "2024-05-06 08:50\t2024-05-06 09:00\t1\tStandup\n"
            "2024-05-07 08:50\t2024-05-07 09:00\t1\tStandup\n"
            "2024-05-07 11:00\t2024-05-07 12:00\t2\tDentist\n");
  EXPECT_EQ(Run({"agenda", "--from", "2024-05-07"}), 0);
  EXPECT_EQ(Out.str(),
            "2024-05-07\t09:00-09:15\t1\tStandup\t[reminder]\n"
            "2024-05-07\t12:00-13:00\t2\tDentist\t[reminder]\n"
            "2024-05-07\t13:00-14:00\t3\tLunch\n");
  EXPECT_EQ(Run({"reminders", "--from", "2024-05-07", "--to", "2024-05-06"}), 2);
}

TEST_F(KoretCli, AddedEventsShowInTheAgendaOnTheirDays) {
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:30", "--subject", "Standup",
                 "--repeat", "2", "--until", "2024-05-31"}),
            0)
      << Err.str();
  EXPECT_EQ(Out.str(), "1\n");
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-08 08:00", "--end", "2024-05-09 08:30", "--subject",
                 "Night\tshift\nstarts"}),
            0);
  EXPECT_EQ(Out.str(), "2\n");
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-02 12:00", "--end", "2024-05-02 13:00", "--subject", "Lunch",
                 "--repeat", "7", "--until", "2024-05-08", "--interval", "3"}),
            0);
  EXPECT_EQ(Run({"agenda", "--from", "2024-04-30", "--days", "10"}), 0);
  EXPECT_EQ(Out.str(),
            "2024-05-01\t09:00-10:30\t1\tStandup\n"
            "2024-05-02\t12:00-13:00\t3\tLunch\n"
            "2024-05-05\t12:00-13:00\t3\tLunch\n"
            "2024-05-08\t08:00-08:30\t2\tNight shift starts\n"
            "2024-05-08\t09:00-10:30\t1\tStandup\n"
            "2024-05-08\t12:00-13:00\t3\tLunch\n"
            "2024-05-09\t08:00-08:30\t2\tNight shift starts\n")
      << "an event over two days is listed on both, with its own times";
}

// add reads a line of English; one without a day or time, or without a subject, is refused and
// nothing is written.
TEST_F(KoretCli, AddTakesALineAndRefusesOneWithoutADay) {
  ASSERT_EQ(Run({"add", "Review 2024-05-03 from 9 to 10:30 at Room 4 every week 3 times"}), 0) << Err.str();
  EXPECT_EQ(Out.str(), "Event \"Review\", on Friday, 3 May 2024, 09:00 to 10:30, at Room 4, every week, 3 times\n1\n");
  EXPECT_EQ(Run({"add", "just some words"}), 2);
  EXPECT_NE(Err.str().find("no date or time found in \"just some words\""), std::string::npos) << Err.str();
  EXPECT_EQ(Run({"add", "tomorrow 9:00"}), 2) << "no subject";
  EXPECT_EQ(Run({"add"}), 2);
  EXPECT_EQ(Run({"agenda", "--from", "2024-05-01", "--days", "31"}), 0);
  EXPECT_EQ(Out.str(),
            "2024-05-03\t09:00-10:30\t1\tReview (Room 4)\n"
            "2024-05-10\t09:00-10:30\t1\tReview (Room 4)\n"
            "2024-05-17\t09:00-10:30\t1\tReview (Room 4)\n");
}

// The location follows the subject in the agenda; it comes from a file's LOCATION and goes back
// out as LOCATION, never as a line of the notes.
TEST_F(KoretCli, TheLocationTravelsWithTheEventAndShowsInTheAgenda) {
  const std::string in = Folder.File("in.ics");
  TTemporaryFolder::Write(in,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:loc-1\r\n"
                          "SUMMARY:Review\r\nDTSTART:20240502T140000\r\nDTEND:20240502T150000\r\n"
                          "DESCRIPTION:Bring slides\r\nLOCATION:Room 4\\, 2nd floor\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n");
  ASSERT_EQ(Run({"import", in}), 0) << Err.str();
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-02 09:00", "--end", "2024-05-02 10:00", "--subject", "Standup",
                 "--location", "Hall\nB"}),
            0)
      << Err.str();
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-02 11:00", "--end", "2024-05-02 12:00", "--subject", "Call"}), 0);
  EXPECT_EQ(Run({"agenda", "--from", "2024-05-02"}), 0);
  EXPECT_EQ(Out.str(),
            "2024-05-02\t09:00-10:00\t2\tStandup (Hall B)\n"
            "2024-05-02\t11:00-12:00\t3\tCall\n"
            "2024-05-02\t14:00-15:00\t1\tReview (Room 4, 2nd floor)\n");
  const std::string out = Folder.File("out.ics");
  ASSERT_EQ(Run({"export", "--ics", out}), 0) << Err.str();
  const std::string text = TTemporaryFolder::Read(out);
  EXPECT_NE(text.find("DESCRIPTION:Bring slides\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("LOCATION:Room 4\\, 2nd floor\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("LOCATION:Hall\\nB\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Location:"), std::string::npos) << text;
}

// A repeat without --until has no end: the agenda shows it years later, and the export's rule has
// no UNTIL, which an import reads back as no end.
TEST_F(KoretCli, ARepeatWithoutUntilHasNoEnd) {
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00", "--subject", "Run",
                 "--repeat", "2"}),
            0)
      << Err.str();
  EXPECT_EQ(Run({"agenda", "--from", "2031-04-29", "--days", "7"}), 0);
  EXPECT_EQ(Out.str(), "2031-04-30\t09:00-10:00\t1\tRun\n");
  const std::string file = Folder.File("run.ics");
  ASSERT_EQ(Run({"export", "--ics", file}), 0) << Err.str();
  const std::string text = TTemporaryFolder::Read(file);
  EXPECT_NE(text.find("RRULE:FREQ=WEEKLY\r\n"), std::string::npos) << text;
}

// Calendar files other programs wrote, imported and shown by the agenda on their days and local
// times (in Berlin); a second import of each adds nothing.
TEST_F(KoretCli, ImportedCalendarFilesShowInTheAgenda) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  const std::string samples = KORET_INTEROP_SAMPLES;
  const char* files[] = {"ical4j__EXDATE.ics", "ical4j__Standup.ics", "khal__tz_windows_format.ics",
                         "pyical__alarm_google_future.ics", "pyical__bom_calendar.ics"};
  auto agenda = [&] {
    std::string shown;
    for (const auto& [from, days] :
         {std::pair{"2006-01-01", "8"}, {"2009-03-09", "3"}, {"2019-11-20", "1"}, {"2024-10-04", "1"}}) {
      EXPECT_EQ(Run({"agenda", "--from", from, "--days", days}), 0) << Err.str();
      shown += Out.str();
    }
    return shown;
  };
  for (const char* file : files) ASSERT_EQ(Run({"import", samples + "/" + file}), 0) << file << Err.str();
  const std::string expected =
      "2006-01-01\t03:00-04:00\t1\tRepeating Event\n"  // Brisbane noon; two days left out
      "2006-01-02\t03:00-04:00\t1\tRepeating Event\n"
      "2006-01-05\t03:00-04:00\t1\tRepeating Event\n"
      "2006-01-06\t03:00-04:00\t1\tRepeating Event\n"
      "2006-01-07\t03:00-04:00\t1\tRepeating Event\n"
      "2009-03-09\t23:30-23:45\t2\tStandup\t[reminder]\n"  // weekdays 09:30 in Sydney
      "2009-03-10\t23:30-23:45\t2\tStandup\t[reminder]\n"
      "2009-03-11\t23:30-23:45\t2\tStandup\t[reminder]\n";
  const std::string shown = agenda();
  EXPECT_EQ(shown.substr(0, expected.size()), expected);
  // The file's own zone description under a Windows name: +01:00 that day.
  EXPECT_NE(shown.find("2019-11-20\t13:00-14:30\t"), std::string::npos) << shown;
  EXPECT_NE(shown.find("2019-11-20\t23:30-23:45\t"), std::string::npos) << shown;
  EXPECT_NE(shown.find("2024-10-04\t20:15-21:00\t"), std::string::npos) << shown;  // 18:15 UTC

  for (const char* file : files) {
    ASSERT_EQ(Run({"import", samples + "/" + file}), 0);
    EXPECT_NE(Out.str().find(" 0 added, 0 updated,"), std::string::npos) << Out.str();
  }
  EXPECT_EQ(agenda(), shown);
}

// A series of another client with a cancelled and a moved occurrence is one record and one linked
// record: the agenda shows what the other client shows, and the export gives the series back as
// it came.
TEST_F(KoretCli, ASeriesWithACancelledAndAMovedOccurrenceTravelsWhole) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  const std::string in = Folder.File("series.ics");
  TTemporaryFolder::Write(in,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:mwf@test\r\n"
                          "SUMMARY:Team\r\nDTSTART;TZID=Europe/Berlin:20270301T100000\r\n"
                          "DTEND;TZID=Europe/Berlin:20270301T110000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR\r\n"
                          "EXDATE;TZID=Europe/Berlin:20270305T100000\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                          "UID:mwf@test\r\nSUMMARY:Team (moved)\r\nRECURRENCE-ID;TZID=Europe/Berlin:20270310T100000\r\n"
                          "DTSTART;TZID=Europe/Berlin:20270311T150000\r\nDTEND;TZID=Europe/Berlin:20270311T160000\r\n"
                          "END:VEVENT\r\nEND:VCALENDAR\r\n");
  ASSERT_EQ(Run({"import", in}), 0) << Err.str();
  EXPECT_EQ(Out.str(), "Imported into \"KORET\": 2 events, 0 tasks, 0 contacts; 2 added, 0 updated, 0 unchanged.\n");
  const std::string expected =
      "2027-03-01\t10:00-11:00\t1\tTeam\n"
      "2027-03-03\t10:00-11:00\t1\tTeam\n"  // not on Friday the 5th
      "2027-03-08\t10:00-11:00\t1\tTeam\n"
      "2027-03-11\t15:00-16:00\t2\tTeam (moved)\n"  // from Wednesday the 10th
      "2027-03-12\t10:00-11:00\t1\tTeam\n"
      "2027-03-15\t10:00-11:00\t1\tTeam\n"
      "2027-03-17\t10:00-11:00\t1\tTeam\n"
      "2027-03-19\t10:00-11:00\t1\tTeam\n";
  ASSERT_EQ(Run({"agenda", "--from", "2027-03-01", "--days", "21"}), 0) << Err.str();
  EXPECT_EQ(Out.str(), expected);

  const std::string out = Folder.File("out.ics");
  ASSERT_EQ(Run({"export", "--ics", out}), 0) << Err.str();
  const std::string text = TTemporaryFolder::Read(out);
  auto count = [&text](const std::string& line) {
    int found = 0;
    for (std::size_t at = text.find("\r\n" + line + "\r\n"); at != std::string::npos;
         at = text.find("\r\n" + line + "\r\n", at + 1))
      ++found;
    return found;
  };
  EXPECT_EQ(count("UID:mwf@test"), 2) << text;
  EXPECT_EQ(count("RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR"), 1) << text;
  EXPECT_EQ(count("EXDATE;TZID=Europe/Berlin:20270305T100000"), 1) << text;
  EXPECT_EQ(text.find("EXDATE;TZID=Europe/Berlin:20270310T100000"), std::string::npos) << text;
  EXPECT_EQ(count("RECURRENCE-ID;TZID=Europe/Berlin:20270310T100000"), 1) << text;
  EXPECT_EQ(count("DTSTART;TZID=Europe/Berlin:20270311T150000"), 1) << text;

  // Imported again, the file changes nothing.
  ASSERT_EQ(Run({"import", in}), 0) << Err.str();
  EXPECT_NE(Out.str().find("0 added, 0 updated, 2 unchanged"), std::string::npos) << Out.str();
  ASSERT_EQ(Run({"agenda", "--from", "2027-03-01", "--days", "21"}), 0);
  EXPECT_EQ(Out.str(), expected);
}

// A weekly 09:00 in New York is 15:00 in Berlin, and 14:00 in the weeks between the two places'
// clock changes.
TEST_F(KoretCli, AZonedRepeatFollowsItsZonesClock) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  const std::string in = Folder.File("ny.ics");
  TTemporaryFolder::Write(in,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:ny@test\r\n"
                          "SUMMARY:Call\r\nDTSTART;TZID=America/New_York:20270301T090000\r\n"
                          "DTEND;TZID=America/New_York:20270301T093000\r\nRRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n");
  ASSERT_EQ(Run({"import", in}), 0) << Err.str();
  ASSERT_EQ(Run({"agenda", "--from", "2027-03-01", "--days", "35"}), 0) << Err.str();
  EXPECT_EQ(Out.str(),
            "2027-03-01\t15:00-15:30\t1\tCall\n"
            "2027-03-08\t15:00-15:30\t1\tCall\n"
            "2027-03-15\t14:00-14:30\t1\tCall\n"  // New York's clocks went forward on the 14th
            "2027-03-22\t14:00-14:30\t1\tCall\n"
            "2027-03-29\t15:00-15:30\t1\tCall\n");  // Berlin's on the 28th
}

TEST_F(KoretCli, ExportWritesTheEventsAndRefusesAnUnwritableFile) {
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00", "--subject", "Dentist"}), 0);
  const std::string file = Folder.File("out.ics");
  ASSERT_EQ(Run({"export", "--ics", file, "--from", "2024-05-01", "--to", "2024-05-31"}), 0) << Err.str();
  EXPECT_EQ(Out.str(), "Exported from \"KORET\": 1 events, 0 tasks, 0 contacts.\n");
  EXPECT_NE(TTemporaryFolder::Read(file).find("SUMMARY:Dentist\r\n"), std::string::npos);
  ASSERT_EQ(Run({"export", "--ics", file, "--from", "2024-06-01", "--to", "2024-06-30"}), 0);
  EXPECT_EQ(Out.str(), "Exported from \"KORET\": 0 events, 0 tasks, 0 contacts.\n");
  EXPECT_EQ(Run({"export", "--vcf", Folder.File("missing/out.vcf")}), 1);
  EXPECT_NE(Err.str().find("missing/out.vcf"), std::string::npos) << Err.str();
}

TEST_F(KoretCli, TheResourceCanBeNamed) {
  ASSERT_EQ(Run({"add-event", "--start", "2024-05-01 09:00", "--end", "2024-05-01 10:00", "--subject", "x"}), 0);
  EXPECT_EQ(Run({"agenda", "--resource", "koret", "--from", "2024-05-01"}), 0);
  EXPECT_EQ(Out.str(), "2024-05-01\t09:00-10:00\t1\tx\n");
  EXPECT_EQ(Run({"agenda", "--resource", "Nobody", "--from", "2024-05-01"}), 1);
  EXPECT_EQ(Err.str(), "koret-cli: no resource is named \"Nobody\"\n");
}

// delete removes the record of each kind by its UID; another run finds it gone.
TEST_F(KoretCli, DeleteRemovesTheRecordWithTheUid) {
  const std::string ics = Folder.File("in.ics"), vcf = Folder.File("in.vcf");
  TTemporaryFolder::Write(ics,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:e@test\r\nDTSTART:20240501T090000Z\r\n"
                          "DTEND:20240501T100000Z\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nUID:t@test\r\n"
                          "SUMMARY:Call\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
  TTemporaryFolder::Write(vcf, "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c@test\r\nN:Lovelace;Ada;;;\r\nEND:VCARD\r\n");
  ASSERT_EQ(Run({"import", ics}), 0) << Err.str();
  ASSERT_EQ(Run({"import", vcf}), 0) << Err.str();
  for (const auto& [uid, shown] : {std::pair{"e@test", "Deleted the event \"Dentist\".\n"},
                                   {"t@test", "Deleted the task \"Call\".\n"},
                                   {"c@test", "Deleted the contact \"Ada Lovelace\".\n"}}) {
    EXPECT_EQ(Run({"delete", "--uid", uid}), 0) << Err.str();
    EXPECT_EQ(Out.str(), shown);
    EXPECT_EQ(Run({"delete", "--uid", uid}), 1);
  }
  ASSERT_EQ(Run({"export", "--ics", ics}), 0);
  EXPECT_EQ(Out.str(), "Exported from \"KORET\": 0 events, 0 tasks, 0 contacts.\n");
  ASSERT_EQ(Run({"export", "--vcf", vcf}), 0);
  EXPECT_EQ(Out.str(), "Exported from \"KORET\": 0 events, 0 tasks, 0 contacts.\n");
}

struct TBadLine {
  const char* Name;
  std::vector<std::string> Args;
  int Code;
  const char* Message;  // the first line of the error output
};

class KoretCliRefuses : public KoretCli, public ::testing::WithParamInterface<TBadLine> {};

TEST_P(KoretCliRefuses, WithAClearMessage) {
  EXPECT_EQ(Run(GetParam().Args), GetParam().Code);
  const std::string err = Err.str();
  EXPECT_EQ(err.substr(0, err.find('\n')), GetParam().Message);
  EXPECT_EQ(Out.str(), "");
}

const std::vector<std::string> kEvent = {"add-event", "--start", "2024-05-01 09:00", "--subject", "s"};

std::vector<std::string> With(std::vector<std::string> args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KoretCliRefuses,
    ::testing::Values(
        TBadLine{"UnknownCommand", {"agnda"}, 2, "koret-cli: unknown command \"agnda\""},
        TBadLine{"UnknownOption", {"agenda", "--form", "2024-05-01"}, 2, "koret-cli: unknown option \"--form\""},
        TBadLine{"MissingValue", {"agenda", "--from"}, 2, "koret-cli: option \"--from\" needs a value"},
        TBadLine{"MissingFrom", {"agenda"}, 2, "koret-cli: --from is required"},
        TBadLine{"BadDate",
                 {"agenda", "--from", "2024-02-30"},
                 2,
                 "koret-cli: --from must be a date written YYYY-MM-DD, not \"2024-02-30\""},
        TBadLine{"BadDays",
                 {"agenda", "--from", "2024-02-01", "--days", "0"},
                 2,
                 "koret-cli: --days must be a whole number from 1 to 36600, not \"0\""},
        TBadLine{"HugeDays",
                 {"agenda", "--from", "2024-02-01", "--days", "99999999999999999999"},
                 2,
                 "koret-cli: --days must be a whole number from 1 to 36600, not \"99999999999999999999\""},
        TBadLine{"EndBeforeStart", With(kEvent, {"--end", "2024-05-01 09:00"}), 2,
                 "koret-cli: --end must be later than --start"},
        TBadLine{"BadTime", With(kEvent, {"--end", "2024-05-01 24:00"}), 2,
                 "koret-cli: --end must be a date and time written YYYY-MM-DD HH:MM, not \"2024-05-01 24:00\""},
        TBadLine{"BadRepeat", With(kEvent, {"--end", "2024-05-01 10:00", "--repeat", "8"}), 2,
                 "koret-cli: --repeat must be a whole number from 0 to 7, not \"8\""},
        TBadLine{
            "IntervalWithoutCustom",
            With(kEvent, {"--end", "2024-05-01 10:00", "--repeat", "1", "--until", "2024-06-01", "--interval", "2"}), 2,
            "koret-cli: --interval needs --repeat 7"},
        TBadLine{"ImportWithoutFile", {"import", "--data", "x"}, 2, "koret-cli: import needs the FILE to import"},
        TBadLine{"ImportOfNothing",
                 {"import", "/nonexistent.ics"},
                 1,
                 "koret-cli: /nonexistent.ics: the file does not exist"},
        TBadLine{"ExportOfBoth",
                 {"export", "--ics", "a", "--vcf", "b"},
                 2,
                 "koret-cli: export needs one of --ics FILE and --vcf FILE"},
        TBadLine{"ExportHalfARange",
                 {"export", "--ics", "a", "--from", "2024-01-01"},
                 2,
                 "koret-cli: --from and --to go together"},
        TBadLine{"PrintWithoutFormat",
                 {"print", "--from", "2026-12-07", "--pdf", "x.pdf"},
                 2,
                 "koret-cli: --format is required"},
        TBadLine{"PrintBadTo",
                 {"print", "--format", "Day", "--from", "2026-12-07", "--to", "12/13/2026", "--pdf", "x.pdf"},
                 2,
                 "koret-cli: --to must be a date written YYYY-MM-DD, not \"12/13/2026\""},
        TBadLine{
            "PrintWithoutPdf", {"print", "--format", "Day", "--from", "2026-12-07"}, 2, "koret-cli: --pdf is required"},
        TBadLine{"PrintWithoutDesktop",
                 {"print", "--format", "Day", "--from", "2026-12-07", "--pdf", "x.pdf"},
                 1,
                 "koret-cli: this koret-cli was built without the desktop libraries and cannot print"},
        TBadLine{"DeleteOfAnUnknownUid",
                 {"delete", "--uid", "nobody@test"},
                 1,
                 "koret-cli: no event, task or contact has the UID \"nobody@test\""},
        TBadLine{"SyncWithoutDesktop",
                 {"sync", "--yes"},
                 1,
                 "koret-cli: this koret-cli was built without the desktop libraries and cannot sync"},
        TBadLine{"MissingData",
                 {"agenda", "--from", "2024-05-01", "--data", "/nonexistent/Data"},
                 1,
                 "koret-cli: Error: Unable to open Resources: the file \"/nonexistent/Data/resources.xml\" "
                 "does not exist"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
