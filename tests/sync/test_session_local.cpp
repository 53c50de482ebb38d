#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>

#include "model/enumerations.h"
#include "sync/address_book_sync_codec.h"
#include "sync/calendar_sync_codec.h"
#include "sync/session_sync_local.h"
#include "tests/support/planner_fixture.h"
#include "tests/sync/sync_test_support.h"

namespace {

// A program folder with the resource "Home".
class THomeFolder : public TPlannerFixture {
 public:
  THomeFolder() {
    CreateTables();
    Connect();
    AddActiveResource("Home");
    Store().SetDayBuffer(40000);  // the events of every year the tests use
  }
};

// The folder and the organizer's side of its collections, which another writer (the fixture's
// own store) may change meanwhile.
class TSyncFolder : public THomeFolder {
 public:
  TVpResource& Home() {
    Store().ReloadChangedTables();
    Store().SetActiveResource(Store().Resources().FindResourceByName("Home"));
    return *Store().ActiveResource();
  }
  TVpEvent& AddEvent(const std::string& description, double start, double end) {
    TVpEvent* event = Home().Schedule().AddEvent(-1, start, end);
    event->SetDescription(description);
    event->SetChanged(true);
    return *event;
  }
  TVpEvent* EventNamed(const std::string& description) {
    for (int i = 0; i < Home().Schedule().Count(); ++i)
      if (Home().Schedule().Items(i)->Description() == description) return Home().Schedule().Items(i);
    return nullptr;
  }

  TVpExchangeTarget Target{DataFolder(), TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                           [](TVpFlexDataStore& store) { return store.Resources().FindResourceByName("Home"); }};
  TVpExchangeSession Session{Target, Writer};
  TSessionSyncLocal Calendar{Session, sckCalendar, 1715000000};
  TSessionSyncLocal AddressBook{Session, sckAddressBook, 1715000000};
};

class SessionLocal : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
  // The items by UID with their hashes.
  static std::map<std::string, std::string> Hashes(const std::vector<TSyncLocalItem>& items,
                                                   const TSyncItemCodec& codec) {
    std::map<std::string, std::string> hashes;
    for (const TSyncLocalItem& item : items) {
      const TSyncItemDigest digest = DigestOf(codec, item.Text);
      EXPECT_EQ(digest.Uid, item.Uid);
      EXPECT_EQ(digest.Kind, item.Kind);
      hashes[item.Uid] = digest.Hash;
    }
    return hashes;
  }
};

TEST_F(SessionLocal, RecordsGoThroughTheirTextsIntoAFreshFolderUnchanged) {
  TSyncFolder from;
  TVpEvent& timed = from.AddEvent("Zahnärztin – Kontrolle", At(2024, 5, 10, 8, 30), At(2024, 5, 10, 9, 15));
  timed.SetNotes("Karte mitbringen\r\nzweite Zeile; mit, Zeichen\\");
  timed.SetAlarmSet(true);
  timed.SetAlarmAdvance(2);
  timed.SetAlarmAdvanceType(atHours);
  timed.SetCategory(4);
  TVpEvent& allDay = from.AddEvent("Ferien", At(2024, 7, 1), At(2024, 7, 14, 23, 59));
  allDay.SetAllDayEvent(true);
  TVpEvent& weekly = from.AddEvent("Chor", At(2024, 5, 7, 19), At(2024, 5, 7, 21));
  weekly.SetRepeatCode(rcWeekly);
  weekly.SetRepeatRangeEnd(At(2024, 12, 17));
  TVpEvent& custom = from.AddEvent("Gießen", At(2024, 5, 1, 7), At(2024, 5, 1, 7, 10));
  custom.SetRepeatCode(rcCustom);
  custom.SetCustomInterval(3);
  custom.SetRepeatRangeEnd(At(2024, 9, 30));
  from.Store().PostEvents();
  TVpTask* task = from.Home().Tasks().AddTask(-1);
  task->SetDescription("Steuererklärung");
  task->SetDetails("Belege\r\nsammeln");
  task->SetPriority(2);
  task->SetDueDate(At(2024, 6, 1));
  TVpTask* done = from.Home().Tasks().AddTask(-1);
  done->SetDescription("Erledigt");
  done->SetComplete(true);
  done->SetCompletedOn(At(2024, 5, 3, 17));
  from.Store().PostTasks();
  TVpContact* contact = from.Home().Contacts().AddContact(-1);
  contact->SetFirstName("Zoë");
  contact->SetLastName("Müller");
  contact->SetEMail("zoe@example.org");
  contact->SetPhone(1, "+49 30 1234");
  contact->SetBirthdate(At(1990, 2, 28));
  contact->SetNote("zwei\r\nZeilen");
  contact->SetChanged(true);
  from.Store().PostContacts();

  TSyncFolder to;
  const TCalendarSyncCodec calendar(from.Session.Store().CategoryColorMap());
  const TAddressBookSyncCodec cards;
  const std::vector<TSyncLocalItem> events = from.Calendar.Items();
  const std::vector<TSyncLocalItem> contacts = from.AddressBook.Items();
  ASSERT_EQ(events.size(), 6u);
  ASSERT_EQ(contacts.size(), 1u);
  // The UIDs were given once and stay.
  EXPECT_EQ(Hashes(from.Calendar.Items(), calendar), Hashes(events, calendar));
  for (const TSyncLocalItem& item : events) to.Calendar.Create(item.Text);
  for (const TSyncLocalItem& item : contacts) to.AddressBook.Create(item.Text);
  EXPECT_TRUE(to.Calendar.Flush().empty());
  EXPECT_TRUE(to.AddressBook.Flush().empty());
  EXPECT_EQ(Hashes(to.Calendar.Items(), calendar), Hashes(events, calendar));
  EXPECT_EQ(Hashes(to.AddressBook.Items(), cards), Hashes(contacts, cards));
  ASSERT_NE(to.EventNamed("Zahnärztin – Kontrolle"), nullptr);
  EXPECT_EQ(to.EventNamed("Zahnärztin – Kontrolle")->Category(), 4);
}

// What a server holds comes back from the records as the same content, so that a sync right after
// taking it in finds nothing changed.
TEST_F(SessionLocal, ServerItemsTakenInGiveTextsOfTheSameDigest) {
  TSyncFolder folder;
  const TCalendarSyncCodec calendar(folder.Session.Store().CategoryColorMap());
  const TAddressBookSyncCodec cards;
  const std::string event = SyncSample("event.ics");
  const std::string texts[] = {
      event,
      Replaced(SyncSample("reserialised-event.ics"), "UID:event-1@example.org", "UID:event-5@example.org"),
      SyncSample("task.ics"),
      Replaced(
          Replaced(event, "RRULE:FREQ=WEEKLY;UNTIL=20240628T080000Z", "RRULE:FREQ=MONTHLY;COUNT=5\r\nLOCATION:Saal"),
          "UID:event-1@example.org", "UID:event-2@example.org"),
      Replaced(Replaced(event, "RRULE:FREQ=WEEKLY;UNTIL=20240628T080000Z", "RRULE:FREQ=WEEKLY;BYDAY=MO,TU"),
               "UID:event-1@example.org", "UID:event-3@example.org"),
      Replaced(Replaced(event, "RRULE:FREQ=WEEKLY;UNTIL=20240628T080000Z\r\n", ""), "UID:event-1@example.org",
               "UID:event-4@example.org"),
  };
  std::map<std::string, std::string> expected;
  for (const std::string& text : texts) {
    folder.Calendar.Create(text);
    expected[DigestOf(calendar, text).Uid] = DigestOf(calendar, text).Hash;
  }
  folder.AddressBook.Create(SyncSample("card.vcf"));
  EXPECT_TRUE(folder.Calendar.Flush().empty());
  EXPECT_TRUE(folder.AddressBook.Flush().empty());
  std::map<std::string, std::string> taken = Hashes(folder.Calendar.Items(), calendar);
  EXPECT_EQ(taken, expected);
  EXPECT_EQ(Hashes(folder.AddressBook.Items(), cards).at("card-1@example.org"),
            DigestOf(cards, SyncSample("card.vcf")).Hash);
}

// A server's series with an exception and changed occurrences is one item: taken in, it is the
// series record and one linked record per changed occurrence, and its text is the same item; an
// update of the item drops the changed occurrence it no longer has, and removing it removes all.
TEST_F(SessionLocal, ASeriesTravelsWithItsChangedOccurrences) {
  TSyncFolder folder;
  const TCalendarSyncCodec calendar(folder.Session.Store().CategoryColorMap());
  auto moved = [](const std::string& day, const std::string& to, const std::string& summary) {
    return "BEGIN:VEVENT\r\nUID:event-1@example.org\r\nRECURRENCE-ID;TZID=Europe/Berlin:" + day +
           "T100000\r\nDTSTART;TZID=Europe/Berlin:" + to + "\r\nDURATION:PT1H\r\nSUMMARY:" + summary +
           "\r\nEND:VEVENT\r\n";
  };
  const std::string series =
      Replaced(SyncSample("event.ics"), "END:VALARM\r\n",
               "END:VALARM\r\nEXDATE;TZID=Europe/Berlin:20240517T100000\r\nX-OTHER-FLAG:yes\r\n");
  const std::string both = Replaced(series, "END:VEVENT\r\n",
                                    "END:VEVENT\r\n" + moved("20240524", "20240524T140000", "Moved") +
                                        moved("20240531", "20240601T090000", "Saturday"));
  const int id = folder.Calendar.Create(both);
  EXPECT_TRUE(folder.Calendar.Flush().empty());
  const std::vector<TSyncLocalItem> items = folder.Calendar.Items();
  ASSERT_EQ(items.size(), 1u) << "the changed occurrences are not items of their own";
  EXPECT_EQ(items[0].RecordID, id);
  EXPECT_EQ(DigestOf(calendar, items[0].Text).Hash, DigestOf(calendar, both).Hash);
  EXPECT_NE(items[0].Text.find("X-OTHER-FLAG:yes"), std::string::npos);
  const TVpEvent* saturday = folder.EventNamed("Saturday");
  ASSERT_NE(saturday, nullptr);
  EXPECT_EQ(saturday->SeriesID(), id);
  EXPECT_EQ(saturday->OriginalStart(), At(2024, 5, 31, 10));
  EXPECT_EQ(saturday->StartTime(), At(2024, 6, 1, 9));
  EXPECT_EQ(folder.EventNamed("Café meeting")->ExceptionDates(), "20240517T100000,20240524T100000,20240531T100000");

  // The server's item now has one changed occurrence, moved again.
  const std::string one =
      Replaced(series, "END:VEVENT\r\n", "END:VEVENT\r\n" + moved("20240524", "20240524T160000", "Moved"));
  folder.Calendar.Update(id, one);
  EXPECT_TRUE(folder.Calendar.Flush().empty());
  EXPECT_EQ(folder.EventNamed("Saturday"), nullptr);
  ASSERT_NE(folder.EventNamed("Moved"), nullptr);
  EXPECT_EQ(folder.EventNamed("Moved")->StartTime(), At(2024, 5, 24, 16));
  EXPECT_EQ(DigestOf(calendar, folder.Calendar.Items().at(0).Text).Hash, DigestOf(calendar, one).Hash);

  folder.Calendar.Remove(id);
  EXPECT_TRUE(folder.Calendar.Flush().empty());
  EXPECT_EQ(folder.Home().Schedule().Count(), 0);
}

// Events and tasks are counted apart: a task's ID is given negated, so that both can be told.
TEST_F(SessionLocal, AnEventAndATaskOfTheSameRecordIDAreToldApart) {
  TSyncFolder folder;
  folder.AddEvent("Event", At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  folder.Store().PostEvents();
  folder.Home().Tasks().AddTask(-1)->SetDescription("Task");
  folder.Store().PostTasks();
  const std::vector<TSyncLocalItem> items = folder.Calendar.Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].RecordID, -items[1].RecordID);
  EXPECT_EQ(items[1].Kind, sikTask);
  folder.Calendar.Remove(items[1].RecordID);
  EXPECT_TRUE(folder.Calendar.Flush().empty());
  EXPECT_EQ(folder.Home().Tasks().Count(), 0);
  EXPECT_EQ(folder.Home().Schedule().Count(), 1);
}

TEST_F(SessionLocal, FlushLeavesRecordsAnotherWriterChangedOrRemoved) {
  TSyncFolder folder;
  const std::vector<std::string> names = {"Kept", "Changed there", "Removed there", "Remove here",
                                          "Changed and removed"};
  for (const std::string& name : names) folder.AddEvent(name, At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  folder.Store().PostEvents();
  std::map<std::string, TSyncLocalItem> items;  // by summary
  for (const TSyncLocalItem& item : folder.Calendar.Items())
    for (const std::string& name : names)
      if (item.Text.find("SUMMARY:" + name + "\r\n") != std::string::npos) items[name] = item;
  // Another writer of the folder, after this side read it.
  folder.EventNamed("Changed there")->SetNotes("their edit");
  folder.EventNamed("Changed and removed")->SetNotes("their edit");
  folder.EventNamed("Removed there")->SetDeleted(true);
  folder.Store().PostEvents();

  auto update = [&](const std::string& name, const std::string& summary) {
    folder.Calendar.Update(items[name].RecordID, Replaced(items[name].Text, "SUMMARY:" + name, "SUMMARY:" + summary));
  };
  update("Kept", "Kept and renamed");
  update("Changed there", "Ours");
  update("Removed there", "Back again?");
  folder.Calendar.Remove(items["Remove here"].RecordID);
  folder.Calendar.Remove(items["Changed and removed"].RecordID);
  std::vector<int> skipped = folder.Calendar.Flush();
  std::sort(skipped.begin(), skipped.end());
  std::vector<int> expected{items["Changed there"].RecordID, items["Removed there"].RecordID,
                            items["Changed and removed"].RecordID};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(skipped, expected);
  for (const char* name : {"Kept", "Ours", "Back again?", "Removed there", "Remove here"})
    EXPECT_EQ(folder.EventNamed(name), nullptr) << name;
  EXPECT_NE(folder.EventNamed("Kept and renamed"), nullptr);
  ASSERT_NE(folder.EventNamed("Changed there"), nullptr);
  EXPECT_EQ(folder.EventNamed("Changed there")->Notes(), "their edit");
  EXPECT_NE(folder.EventNamed("Changed and removed"), nullptr);
}

// A card's mapping sets only what the card has: an update clears the fields it lacks.
TEST_F(SessionLocal, AnUpdatedContactHasOnlyWhatTheCardHolds) {
  TSyncFolder folder;
  TVpContact* contact = folder.Home().Contacts().AddContact(-1);
  contact->SetLastName("Alt");
  contact->SetEMail("alt@example.org");
  contact->SetChanged(true);
  folder.Store().PostContacts();
  const TSyncLocalItem item = folder.AddressBook.Items().at(0);
  folder.AddressBook.Update(item.RecordID,
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + item.Uid + "\r\nN:Neu;;;;\r\nEND:VCARD\r\n");
  EXPECT_TRUE(folder.AddressBook.Flush().empty());
  ASSERT_EQ(folder.Home().Contacts().Count(), 1);
  EXPECT_EQ(folder.Home().Contacts().Items(0)->LastName(), "Neu");
  EXPECT_EQ(folder.Home().Contacts().Items(0)->EMail(), "");
  EXPECT_EQ(folder.Home().Contacts().Items(0)->RecordID(), item.RecordID);
}

TEST_F(SessionLocal, TheItemsOfTenThousandEventsComeQuickly) {
  TSyncFolder folder;
  TVpSchedule& schedule = folder.Home().Schedule();
  schedule.BeginUpdate();
  for (int i = 0; i < 10000; ++i)  // with their IDs: a new ID each would write the counters each
    schedule.AddEvent(i + 1, At(2024, 1, 1, 8) + i / 4, At(2024, 1, 1, 9) + i / 4)
        ->SetDescription("Event " + std::to_string(i));
  schedule.EndUpdate();
  folder.Store().PostEvents();
  for (const char* pass : {"first (UIDs given)", "second"}) {
    const auto start = std::chrono::steady_clock::now();
    const size_t count = folder.Calendar.Items().size();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Items() of %zu events, %s: %.3f s\n", count, pass, seconds);
    EXPECT_EQ(count, 10000u);
    EXPECT_LT(seconds, 10.0);  // about 0.5 s in an optimised build; sanitizers slow it down
  }
}

}  // namespace
