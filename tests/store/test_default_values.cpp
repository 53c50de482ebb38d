#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/contact.h"
#include "model/resource.h"
#include "tests/support/planner_fixture.h"

// A row the program writes carries no attribute for a field whose record holds the value a new
// record has: reading nothing gives that value back. Every other value is written and read back
// as it was; files that spell the defaults out (as the program wrote them before) read the same.
namespace {

// One event field: its attribute in the file, a value other than a new event's, and how the value
// reads (as text, to compare).
struct TEventFieldCase {
  const char* Attribute;
  std::function<void(TVpEvent&)> Set;
  std::function<std::string(const TVpEvent&)> Read;
};

std::string Number(double value) { return std::to_string(ToMs(value)); }

const TEventFieldCase kEventFields[] = {
    {"Description", [](TVpEvent& e) { e.SetDescription("Lunch"); }, [](const TVpEvent& e) { return e.Description(); }},
    {"Notes", [](TVpEvent& e) { e.SetNotes("bring\r\nslides"); }, [](const TVpEvent& e) { return e.Notes(); }},
    {"Location", [](TVpEvent& e) { e.SetLocation("Room 4"); }, [](const TVpEvent& e) { return e.Location(); }},
    {"Category", [](TVpEvent& e) { e.SetCategory(3); }, [](const TVpEvent& e) { return std::to_string(e.Category()); }},
    {"DingPath", [](TVpEvent& e) { e.SetDingPath("/tmp/ding.wav"); }, [](const TVpEvent& e) { return e.DingPath(); }},
    {"AllDayEvent", [](TVpEvent& e) { e.SetAllDayEvent(true); },
     [](const TVpEvent& e) { return std::to_string(e.AllDayEvent()) + " " + Number(e.EndTime()); }},
    {"AlarmSet", [](TVpEvent& e) { e.SetAlarmSet(true); },
     [](const TVpEvent& e) { return std::to_string(e.AlarmSet()); }},
    {"AlarmAdvance", [](TVpEvent& e) { e.SetAlarmAdvance(15); },
     [](const TVpEvent& e) { return std::to_string(e.AlarmAdvance()); }},
    {"AlarmAdvanceType", [](TVpEvent& e) { e.SetAlarmAdvanceType(1); },
     [](const TVpEvent& e) { return std::to_string(e.AlarmAdvanceType()); }},
    {"SnoozeTime", [](TVpEvent& e) { e.SetSnoozeTime(At(2024, 5, 10, 9, 5)); },
     [](const TVpEvent& e) { return Number(e.SnoozeTime()); }},
    {"RepeatCode", [](TVpEvent& e) { e.SetRepeatCode(2); },
     [](const TVpEvent& e) { return std::to_string(e.RepeatCode()); }},
    {"RepeatRangeEnd", [](TVpEvent& e) { e.SetRepeatRangeEnd(At(2024, 12, 31)); },
     [](const TVpEvent& e) { return Number(e.RepeatRangeEnd()); }},
    {"CustomInterval",
     [](TVpEvent& e) {
       e.SetRepeatCode(rcCustom);
       e.SetCustomInterval(3);
     },
     [](const TVpEvent& e) { return std::to_string(e.CustomInterval()); }},
    {"TimeZone", [](TVpEvent& e) { e.SetTimeZone("America/New_York"); },
     [](const TVpEvent& e) { return e.TimeZone() + " " + Number(e.ZoneStartTime()); }},
    {"RepeatRule", [](TVpEvent& e) { e.SetRepeatRule("FREQ=WEEKLY;BYDAY=MO,WE"); },
     [](const TVpEvent& e) { return e.RepeatRule(); }},
    {"ExceptionDates", [](TVpEvent& e) { e.SetExceptionDates("20240513T100000"); },
     [](const TVpEvent& e) { return e.ExceptionDates(); }},
    {"ExtraDates", [](TVpEvent& e) { e.SetExtraDates("20240515T100000"); },
     [](const TVpEvent& e) { return e.ExtraDates(); }},
    {"SeriesID", [](TVpEvent& e) { e.SetSeriesID(7); }, [](const TVpEvent& e) { return std::to_string(e.SeriesID()); }},
    {"OriginalStart", [](TVpEvent& e) { e.SetOriginalStart(At(2024, 5, 9, 10)); },
     [](const TVpEvent& e) { return Number(e.OriginalStart()); }},
    {"KeptProperties", [](TVpEvent& e) { e.SetKeptProperties("X-KEPT:1"); },
     [](const TVpEvent& e) { return e.KeptProperties(); }},
    {"UserField3", [](TVpEvent& e) { e.SetUserField(3, "kept"); }, [](const TVpEvent& e) { return e.UserField(3); }},
};

class DefaultValues : public ::testing::Test, protected TPlannerFixture {
 protected:
  DefaultValues() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Store().SetDisplayDate(EncodeDate(2024, 5, 10));
  }

  TVpSchedule& Schedule() { return Store().ActiveResource()->Schedule(); }
  // A new event to post (a new record is marked changed by the window that makes it).
  TVpEvent& NewEvent() {
    TVpEvent& event = *Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 10), At(2024, 5, 10, 11));
    event.SetChanged(true);
    return event;
  }
  // The ROW element of the event with the ID in the events file.
  std::string RowOnDisk(int id) const {
    const std::string text = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));
    const auto at = text.find("<ROW RecordID=\"" + std::to_string(id) + "\"");
    return at == std::string::npos ? std::string() : text.substr(at, text.find("/>", at) + 2 - at);
  }
  // Reads the events again from the file, as a new start does.
  void ReadAgain() {
    Files->Disconnect();
    Connect();
    Store().SetDisplayDate(EncodeDate(2024, 5, 10));
    Store().SelectResourceByName("KORET");
  }
};

TEST_F(DefaultValues, ANewEventIsWrittenWithItsPlaceAlone) {
  const int id = NewEvent().RecordID();
  Store().PostEvents();
  EXPECT_EQ(RowOnDisk(id), "<ROW RecordID=\"" + std::to_string(id) +
                               "\" StartTime=\"20240510T10:00:00000\" EndTime=\"20240510T11:00:00000\" "
                               "ResourceID=\"1\"/>");
}

TEST_F(DefaultValues, EachValueOtherThanANewEventsIsWrittenAndReadBack) {
  std::vector<std::pair<int, std::string>> written;
  for (const TEventFieldCase& field : kEventFields) {
    TVpEvent& event = NewEvent();
    field.Set(event);
    written.emplace_back(event.RecordID(), field.Read(event));
  }
  const int plain = NewEvent().RecordID();
  Store().PostEvents();
  for (size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE(kEventFields[i].Attribute);
    EXPECT_NE(RowOnDisk(written[i].first).find(std::string(" ") + kEventFields[i].Attribute + "=\""), std::string::npos)
        << RowOnDisk(written[i].first);
  }
  ReadAgain();
  ASSERT_NE(Schedule().FindByRecordID(plain), nullptr);
  const TVpEvent& fresh = *Schedule().FindByRecordID(plain);
  TVpSchedule scratch;
  const TVpEvent& made = *scratch.AddEvent(1, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  for (size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE(kEventFields[i].Attribute);
    const TVpEvent* event = Schedule().FindByRecordID(written[i].first);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(kEventFields[i].Read(*event), written[i].second);
    // The row left without the attribute reads as a new event.
    EXPECT_EQ(kEventFields[i].Read(fresh), kEventFields[i].Read(made));
  }
}

TEST_F(DefaultValues, DefaultsSpelledOutReadAsLeftOutAndTheFileStaysAsItIs) {
  Files->Disconnect();
  const std::string place = "StartTime=\"20240510T10:00:00000\" EndTime=\"20240510T11:00:00000\" ResourceID=\"1\"";
  WriteRows("Events", TVpPlannerFiles::kEventsFile,
            {"RecordID=\"1\" " + place +
                 " Description=\"\" Notes=\"\" Category=\"0\" AllDayEvent=\"FALSE\" DingPath=\"\" AlarmSet=\"false\" "
                 "AlarmAdvance=\"0\" AlarmAdvanceType=\"0\" SnoozeTime=\"18991230T00:00:00000\" RepeatCode=\"0\" "
                 "RepeatRangeEnd=\"18991230T00:00:00000\" CustomInterval=\"0\" UserField0=\"\"",
             "RecordID=\"2\" " + place});
  const std::string before = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));
  ReadAgain();
  const TVpEvent* spelled = Schedule().FindByRecordID(1);
  const TVpEvent* left = Schedule().FindByRecordID(2);
  ASSERT_TRUE(spelled != nullptr && left != nullptr);
  for (const TEventFieldCase& field : kEventFields) {
    SCOPED_TRACE(field.Attribute);
    EXPECT_EQ(field.Read(*spelled), field.Read(*left));
  }
  Files->Disconnect();
  EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), before);
}

TEST_F(DefaultValues, AContactKeepsEveryPhoneKindThatIsNotTheNewContactsOne) {
  TVpContacts& contacts = Store().ActiveResource()->Contacts();
  TVpContact& changed = *contacts.AddContact(Store().GetNextID("Contacts"));
  changed.SetLastName("Müller");
  for (int i = 1; i <= TVpContact::kPhoneCount; ++i) changed.SetPhoneType(i, 0);  // the last one is 0 already
  changed.SetCustom(2, "blue");
  TVpContact& plain = *contacts.AddContact(Store().GetNextID("Contacts"));
  plain.SetChanged(true);
  const int changedID = changed.RecordID();
  const int plainID = plain.RecordID();
  Store().PostContacts();
  const std::string text = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kContactsFile));
  EXPECT_EQ(text.find("PhoneType5="), std::string::npos);
  EXPECT_EQ(text.find("FirstName="), std::string::npos);
  ReadAgain();
  const TVpContact* readChanged = Store().ActiveResource()->Contacts().FindByRecordID(changedID);
  const TVpContact* readPlain = Store().ActiveResource()->Contacts().FindByRecordID(plainID);
  ASSERT_TRUE(readChanged != nullptr && readPlain != nullptr);
  const TVpContact fresh;
  for (int i = 1; i <= TVpContact::kPhoneCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(readChanged->PhoneType(i), 0);
    EXPECT_EQ(readPlain->PhoneType(i), fresh.PhoneType(i));
  }
  EXPECT_EQ(readChanged->LastName(), "Müller");
  EXPECT_EQ(readChanged->Custom(2), "blue");
  EXPECT_EQ(readPlain->LastName(), "");
}

TEST_F(DefaultValues, ATaskKeepsTheTimeItWasCreated) {
  TVpTask& task = *Store().ActiveResource()->Tasks().AddTask(Store().GetNextID("Tasks"));
  const double created = task.CreatedOn();
  const int id = task.RecordID();
  Store().PostTasks();
  Clock.Set(At(2024, 6, 1, 12));
  ReadAgain();
  const TVpTask* read = Store().ActiveResource()->Tasks().FindByRecordID(id);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(ToMs(read->CreatedOn()), ToMs(created));
  EXPECT_FALSE(read->Complete());
}

}  // namespace
