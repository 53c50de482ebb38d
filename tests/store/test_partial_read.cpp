#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "model/resource.h"
#include "store/packet_rows.h"
#include "tests/support/planner_fixture.h"

// Reading the events of some days first: the events table reads only the rows those days can
// show, the store shows exactly what a whole read shows, and the rest of the file comes later
// (read apart and taken), or at once when something needs every row. A change made before the
// rest came is kept.
namespace {

std::string Stamp(int year, int month, int day, int hour) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d:00:00000", year, month, day, hour);
  return text;
}

std::string EventRow(int id, int year, int month, int day, const std::string& more = "") {
  return "RecordID=\"" + std::to_string(id) + "\" StartTime=\"" + Stamp(year, month, day, 10) + "\" EndTime=\"" +
         Stamp(year, month, day, 11) + "\" ResourceID=\"1\" Description=\"Event " + std::to_string(id) + "\"" + more;
}

class PartialRead : public ::testing::Test, protected TPlannerFixture {
 protected:
  PartialRead() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
              {"ResourceID=\"1\" Description=\"KORET\" ResourceActive=\"TRUE\""});
    WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile,
              {"ResourceID=\"1\" EventID=\"9\" TaskID=\"0\" ContactID=\"0\""});
    WriteRows("Events", TVpPlannerFiles::kEventsFile,
              {EventRow(1, 2024, 5, 10),  // today
               EventRow(2, 2024, 3, 1),   // months before, over that day
               EventRow(3, 2024, 5, 12),
               // A weekly series from years before that still repeats today (a Friday).
               EventRow(4, 2021, 1, 1, " RepeatCode=\"2\" RepeatRangeEnd=\"20300101T00:00:00000\""),
               // One that ended before.
               EventRow(5, 2020, 1, 3, " RepeatCode=\"2\" RepeatRangeEnd=\"20200601T00:00:00000\""),
               // A series that starts years after.
               EventRow(6, 2028, 8, 1, " RepeatCode=\"2\" RepeatRangeEnd=\"20300101T00:00:00000\""),
               // Over months into today.
               "RecordID=\"7\" StartTime=\"" + Stamp(2024, 2, 9, 20) + "\" EndTime=\"" + Stamp(2024, 5, 10, 2) +
                   "\" ResourceID=\"1\""});
  }

  // Connects reading the days around today first, and shows today.
  TVpSchedule& ConnectForToday() {
    Files->ReadEventsForDays(EncodeDate(2024, 5, 10), EncodeDate(2024, 5, 10));
    Connect();
    Store().SetDisplayDate(EncodeDate(2024, 5, 10));
    Store().SelectResourceByName("KORET");
    return Store().ActiveResource()->Schedule();
  }

  static std::vector<int> IDsOn(const TVpSchedule& schedule, double day) {
    std::vector<TVpEvent*> events;
    schedule.CollectEventsOn(day, events);
    std::vector<int> ids;
    for (const TVpEvent* event : events) ids.push_back(event->RecordID());
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  size_t RowsOnDisk() const {
    const std::string text = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));
    size_t rows = 0;
    for (size_t at = text.find("<ROW "); at != std::string::npos; at = text.find("<ROW ", at + 1)) ++rows;
    return rows;
  }
};

TEST_F(PartialRead, TheDaysAroundTodayShowWhatAWholeReadShows) {
  TVpSchedule& schedule = ConnectForToday();
  EXPECT_TRUE(Files->EventsTable().Partial());
  EXPECT_EQ(IDsOn(schedule, EncodeDate(2024, 5, 10)), (std::vector<int>{1, 4, 7}));
  EXPECT_EQ(IDsOn(schedule, EncodeDate(2024, 5, 12)), (std::vector<int>{3}));
  EXPECT_EQ(schedule.FindByRecordID(2), nullptr) << "a row that ended months before is not read";
  EXPECT_EQ(schedule.FindByRecordID(6), nullptr);
}

TEST_F(PartialRead, ADateFarAwayReadsTheWholeFile) {
  TVpSchedule& schedule = ConnectForToday();
  Store().SetDisplayDate(EncodeDate(2028, 8, 1));
  EXPECT_FALSE(Files->EventsTable().Partial());
  EXPECT_EQ(IDsOn(schedule, EncodeDate(2028, 8, 1)), (std::vector<int>{6}));
  Store().SetDisplayDate(EncodeDate(2024, 3, 1));
  EXPECT_EQ(IDsOn(schedule, EncodeDate(2024, 3, 1)), (std::vector<int>{2, 4, 7}));
}

TEST_F(PartialRead, TheRestReadApartIsTakenAndShowsTheSame) {
  TVpSchedule& schedule = ConnectForToday();
  TDataTable::TWholeRead rest = Files->EventsTable().ReadWholeApart();
  EXPECT_TRUE(Files->EventsTable().TakeWhole(std::move(rest)));
  EXPECT_FALSE(Files->EventsTable().Partial());
  Store().ReloadEvents();
  EXPECT_EQ(IDsOn(schedule, EncodeDate(2024, 5, 10)), (std::vector<int>{1, 4, 7}));
  Files->Disconnect();
  EXPECT_EQ(RowsOnDisk(), 7u) << "closing writes nothing, and loses nothing";
}

TEST_F(PartialRead, AnEventAddedBeforeTheRestCameIsKeptWithEveryOtherRow) {
  TVpSchedule& schedule = ConnectForToday();
  // The rest is read while the user adds an event; it is ready only after the add was written.
  TDataTable::TWholeRead rest = Files->EventsTable().ReadWholeApart();
  TVpEvent& added = *schedule.AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 14), At(2024, 5, 10, 15));
  added.SetDescription("Added while loading");
  added.SetChanged(true);
  Store().PostEvents();
  EXPECT_EQ(RowsOnDisk(), 8u) << "every row of the file is kept beside the new one";
  EXPECT_FALSE(Files->EventsTable().TakeWhole(std::move(rest))) << "a read from before the change is dropped";
  const int id = added.RecordID();
  EXPECT_GT(id, 9) << "the new ID comes after every ID in the file";
  Store().ReloadEvents();
  ASSERT_NE(schedule.FindByRecordID(id), nullptr);
  EXPECT_EQ(schedule.FindByRecordID(id)->Description(), "Added while loading");
  Files->Disconnect();
  EXPECT_EQ(RowsOnDisk(), 8u);
}

TEST_F(PartialRead, AnotherWritersChangeBeforeTheRestCameIsReadInstead) {
  ConnectForToday();
  TDataTable::TWholeRead rest = Files->EventsTable().ReadWholeApart();
  WriteRows("Events", TVpPlannerFiles::kEventsFile, {EventRow(1, 2024, 5, 10), EventRow(8, 2024, 5, 10)});
  // The read holds the file as it was before: taken or not, the next look reads the new one.
  Files->EventsTable().TakeWhole(std::move(rest));
  EXPECT_TRUE(Files->EventsTable().ReadAgainIfChanged());
  EXPECT_FALSE(Files->EventsTable().Partial());
  Store().ReloadEvents();
  EXPECT_EQ(IDsOn(Store().ActiveResource()->Schedule(), EncodeDate(2024, 5, 10)), (std::vector<int>{1, 8}));
}

// The quick look at a file's rows: what it keeps, and what it cannot tell apart.
struct TPartCase {
  const char* Name;
  const char* Rows;      // between <ROWDATA> and </ROWDATA>
  const char* Expected;  // the rows kept (those with Keep="1"), or "-" when nothing can be told
};

const TPartCase kPartCases[] = {
    {"plain", R"(<ROW A="1" Keep="1"/><ROW A="2"/><ROW Keep="1" A="3"/>)",
     R"(<ROW A="1" Keep="1"/><ROW Keep="1" A="3"/>)"},
    {"spaced and single quotes", "\n  <ROW A = '1'\tKeep='1' />\n<ROW A=\"2\"/>\n", "<ROW A = '1'\tKeep='1' />"},
    {"markup in a value", R"(<ROW A="/>&lt;ROW Keep=&quot;1&quot;/>" /><ROW A=">" Keep="1"/>)",
     R"(<ROW A=">" Keep="1"/>)"},
    {"none", "", ""},
    {"a comment between rows", R"(<ROW A="1"/><!-- note --><ROW A="2"/>)", "-"},
    {"a row with content", R"(<ROW A="1"></ROW>)", "-"},
    // A row left out is looked at no further than its name, its end and the names it holds: its
    // faults are found when the whole file is read. A kept one is read whole.
    {"an unquoted value left out", R"(<ROW A=1/><ROW Keep="1"/>)", R"(<ROW Keep="1"/>)"},
    {"an unquoted value kept", R"(<ROW Keep="1" A=1/>)", R"(<ROW Keep="1" A=1/>)"},
    {"a name only inside a value", R"(<ROW A=" Keep=&quot;1&quot;"/>)", ""},
    {"a name inside a value before it", R"(<ROW A=" Keep=" Keep="1"/>)", R"(<ROW A=" Keep=" Keep="1"/>)"},
    {"a name right after a value's quote", R"(<ROW A="x"Keep="1"/>)", R"(<ROW A="x"Keep="1"/>)"},
    {"a longer name ending in it", R"(<ROW NoKeep="1"/>)", ""},
};

// Looking a name up in a row's text finds what string_view::find finds, over texts of a few
// letters where partial matches and repeated letters abound.
TEST(PacketRowName, FindsWhatFindFinds) {
  std::mt19937 random(7);
  for (const std::string_view name : {"a", "ab", "aab", "abab", "RepeatRangeEnd", "baaaaaab", "StartTime"}) {
    const TPacketRowName rowName(name);
    for (int round = 0; round < 400; ++round) {
      std::string text;
      const std::string_view letters = round % 2 ? "ab" : "RepatngEdSrTim";
      for (int i = static_cast<int>(random() % 40); i > 0; --i) text += letters[random() % letters.size()];
      if (round % 5 == 0) text.insert(random() % (text.size() + 1), name);
      for (size_t from = 0; from <= text.size() + 1; ++from)
        ASSERT_EQ(rowName.FindIn(text, from), std::string_view(text).find(name, from)) << name << " in " << text;
    }
  }
}

TEST(DataPacketPart, KeepsTheChosenRowsOrSaysItCannotTell) {
  const std::string head = "<?xml version=\"1.0\"?><DATAPACKET><METADATA/><ROWDATA>";
  const std::string tail = "</ROWDATA></DATAPACKET>";
  for (const TPartCase& c : kPartCases) {
    SCOPED_TRACE(c.Name);
    const auto part = DataPacketPart(head + c.Rows + tail, [](const TPacketRowText& row) {
      const auto keep = row.Value(TPacketRowName("Keep"));
      return keep && *keep == "1";
    });
    if (std::string(c.Expected) == "-") {
      EXPECT_FALSE(part.has_value());
    } else {
      ASSERT_TRUE(part.has_value());
      EXPECT_EQ(*part, head + c.Expected + tail);
    }
  }
}

}  // namespace
