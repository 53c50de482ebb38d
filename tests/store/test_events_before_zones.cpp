#include <gtest/gtest.h>

#include <string>

#include "model/occurrences.h"
#include "tests/support/planner_fixture.h"

// An events table as the program wrote it before events kept a zone, a repeat rule, exception and
// extra dates and a series (data/events_before_zones.xml, the shipped layout of that time with two
// rows): it reads as before, stays as it is until written, and then gains the fields' definitions
// while rows without such values gain no attributes.
namespace {

const char* const kNewFields[] = {"TimeZone",   "ZoneStartTime", "RepeatRule",    "ExceptionDates",
                                  "ExtraDates", "SeriesID",      "OriginalStart", "KeptProperties"};

class EventsBeforeZones : public ::testing::Test, protected TPlannerFixture {
 protected:
  EventsBeforeZones() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile,
              {"ResourceID=\"1\" EventID=\"2\" TaskID=\"0\" ContactID=\"0\""});
    Older = TTemporaryFolder::Read(std::string(KORET_STORE_TEST_DATA) + "/events_before_zones.xml");
    TTemporaryFolder::Write(TableFile(TVpPlannerFiles::kEventsFile), Older);
  }

  TVpSchedule& Connected() {
    Connect();
    Store().SetDisplayDate(EncodeDate(2024, 5, 10));
    Store().SetActiveResource(Store().Resources().Items(0));
    return Store().ActiveResource()->Schedule();
  }

  std::string EventsOnDisk() const { return TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)); }

  std::string Older;
};

TEST_F(EventsBeforeZones, ReadAsBeforeAndLeftUnwritten) {
  ASSERT_NE(Older.find("<ROW RecordID=\"2\""), std::string::npos) << "the older table is missing";
  TVpSchedule& schedule = Connected();
  ASSERT_EQ(schedule.Count(), 2);
  const TVpEvent& standup = *schedule.FindByRecordID(1);
  EXPECT_EQ(standup.Description(), "Standup");
  EXPECT_EQ(standup.Location(), "Raum 1");
  EXPECT_EQ(standup.StartTime(), At(2024, 5, 6, 8, 0));
  EXPECT_EQ(standup.RepeatCode(), 2);
  EXPECT_TRUE(standup.AlarmSet());
  EXPECT_TRUE(standup.TimeZone().empty() && standup.RepeatRule().empty() && standup.ExceptionDates().empty());
  EXPECT_EQ(standup.SeriesID(), 0);
  EXPECT_FALSE(IsWalked(standup)) << "a repeat code alone keeps its day arithmetic";
  EXPECT_TRUE(FallsOn(standup, At(2024, 6, 24)));
  EXPECT_FALSE(FallsOn(standup, At(2024, 7, 1)));
  EXPECT_EQ(schedule.FindByRecordID(2)->Description(), "Lunch & talk");
  Files->Disconnect();
  EXPECT_EQ(EventsOnDisk(), Older);
}

TEST_F(EventsBeforeZones, TheFirstWriteAddsTheFieldsAndNoEmptyValues) {
  TVpSchedule& schedule = Connected();
  TVpEvent& lunch = *schedule.FindByRecordID(2);
  lunch.SetDescription("Lunch");
  Store().PostEvents();
  const std::string written = EventsOnDisk();
  const std::string rows = written.substr(written.find("<ROWDATA>"));
  for (const char* field : kNewFields) {
    SCOPED_TRACE(field);
    EXPECT_NE(written.find("<FIELD attrname=\"" + std::string(field) + "\""), std::string::npos);
    EXPECT_EQ(rows.find(std::string(" ") + field + "="), std::string::npos) << rows;
  }

  // Values of the new fields are written where they are held, and read back.
  lunch.SetTimeZone("America/New_York");
  lunch.SetRepeatRule("FREQ=WEEKLY;BYDAY=MO,WE,FR");
  lunch.SetExceptionDates("20240513T060000");
  const double zoneStart = lunch.ZoneStartTime();
  Store().PostEvents();
  Files->Disconnect();
  const std::string again = EventsOnDisk();
  EXPECT_NE(again.find("RepeatRule=\"FREQ=WEEKLY;BYDAY=MO,WE,FR\""), std::string::npos) << again;
  const std::string standupRow = again.substr(again.find("<ROW RecordID=\"1\""));
  EXPECT_EQ(standupRow.substr(0, standupRow.find("/>")).find("TimeZone="), std::string::npos);
  TVpSchedule& reread = Connected();
  const TVpEvent& read = *reread.FindByRecordID(2);
  EXPECT_EQ(read.TimeZone(), "America/New_York");
  EXPECT_EQ(read.ZoneStartTime(), zoneStart);
  EXPECT_EQ(read.RepeatRule(), "FREQ=WEEKLY;BYDAY=MO,WE,FR");
  EXPECT_EQ(read.ExceptionDates(), "20240513T060000");
}

}  // namespace
