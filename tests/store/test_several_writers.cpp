#include <gtest/gtest.h>

#include <map>

#include "platform/error_text.h"
#include "store/data_packet.h"
#include "tests/support/planner_fixture.h"
#include "views/linkable_control.h"

namespace {

// Two writers on one data folder: the fixture's planner files ("ours") and a second set over the
// same files, as another program would have them.
class SeveralWriters : public ::testing::Test, protected TPlannerFixture {
 protected:
  SeveralWriters() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile,
              {"ResourceID=\"1\" EventID=\"3\" TaskID=\"0\" ContactID=\"0\""});
    WriteRows("Events", TVpPlannerFiles::kEventsFile, {Event(1, "a"), Event(2, "b"), Event(3, "c")});
  }

  static std::string Event(int id, const char* description) {
    return "RecordID=\"" + std::to_string(id) + "\" ResourceID=\"1\" StartTime=\"20240510T08:00:00000\" " +
           "EndTime=\"20240510T09:00:00000\" Description=\"" + description + "\"";
  }

  TVpFlexDataStore& ConnectBoth() {
    Other = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                              OtherWriter);
    Other->SetDataFolder(DataFolder());
    Other->Connect();
    Other->Store().SetActiveResource(Other->Store().Resources().Items(0));
    Connect();
    Store().SetActiveResource(Store().Resources().Items(0));
    return Store();
  }

  // "ID:description" of every event row in the file, by ID.
  std::string EventsOnDisk() {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), fields, rows);
    std::map<std::int64_t, std::string> byID;
    for (const TRowValues& row : rows) byID[std::get<std::int64_t>(row[0])] = std::get<std::string>(row[4]);
    std::string text;
    for (const auto& [id, description] : byID)
      text += (text.empty() ? "" : " ") + std::to_string(id) + ":" + description;
    return text;
  }

  TRecordingFileWriter OtherWriter;
  std::unique_ptr<TVpPlannerFiles> Other;
};

// A view of the store's window that counts its repaints.
struct TView : TVpLinkableControl {
  explicit TView(const void* owner) : TVpLinkableControl(owner) {
    OnInvalidate = [this] { ++Repaints; };
  }
  TVpItemType GetItemType() const override { return itDayView; }
  void RenderIntoRect(TCanvas*, const TRect&, TVpRotationAngle, double, double, int, int, TVpGranularity,
                      bool) override {}
  void HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind, double) override {}
  int Repaints = 0;
};

enum TChange { chAdd, chChange, chDelete };

// Adds an event "new", or changes or deletes event 2, and posts.
void Make(TVpFlexDataStore& store, TChange change, const char* description) {
  TVpSchedule& events = store.ActiveResource()->Schedule();
  if (change == chAdd) {
    events.AddEvent(-1, At(2024, 5, 10, 10), At(2024, 5, 10, 11))->SetDescription(description);
  } else if (change == chChange) {
    events.FindByRecordID(2)->SetDescription(description);
  } else {
    events.FindByRecordID(2)->SetDeleted(true);
  }
  store.PostEvents();
}

struct TMergeCase {
  TChange Theirs;
  TChange Ours;
  const char* Stored;  // the events file afterwards
};

class MergeOnPost : public SeveralWriters, public ::testing::WithParamInterface<TMergeCase> {};

// The other writer posts first; our post applies our own changes on top of its file by RecordID.
// A row the other writer changed or deleted and we changed: ours wins.
TEST_P(MergeOnPost, KeepsTheOtherWritersRowsAndAppliesOurs) {
  TVpFlexDataStore& ours = ConnectBoth();
  Make(Other->Store(), GetParam().Theirs, "theirs");
  Make(ours, GetParam().Ours, "ours");
  EXPECT_EQ(EventsOnDisk(), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, MergeOnPost,
                         ::testing::Values(TMergeCase{chAdd, chAdd, "1:a 2:b 3:c 4:theirs 5:ours"},
                                           TMergeCase{chAdd, chChange, "1:a 2:ours 3:c 4:theirs"},
                                           TMergeCase{chAdd, chDelete, "1:a 3:c 4:theirs"},
                                           TMergeCase{chChange, chAdd, "1:a 2:theirs 3:c 4:ours"},
                                           TMergeCase{chChange, chChange, "1:a 2:ours 3:c"},
                                           TMergeCase{chChange, chDelete, "1:a 3:c"},
                                           TMergeCase{chDelete, chAdd, "1:a 3:c 4:ours"},
                                           TMergeCase{chDelete, chChange, "1:a 2:ours 3:c"},
                                           TMergeCase{chDelete, chDelete, "1:a 3:c"}));

TEST_F(SeveralWriters, ReloadingShowsTheOtherWritersChangesAndKeepsUnpostedOnes) {
  TVpFlexDataStore& ours = ConnectBoth();
  EXPECT_FALSE(ours.ReloadChangedTables()) << "nothing changed yet";
  Make(Other->Store(), chAdd, "theirs");
  TView view(&Window);
  view.SetDataStore(&ours);
  view.Repaints = 0;
  EXPECT_TRUE(ours.ReloadChangedTables());
  ASSERT_NE(ours.ActiveResource()->Schedule().FindByRecordID(4), nullptr);
  EXPECT_GT(view.Repaints, 0);
  EXPECT_FALSE(ours.ReloadChangedTables()) << "read once";

  // An edit not yet posted keeps the events from being reloaded; its post merges instead.
  ours.ActiveResource()->Schedule().FindByRecordID(1)->SetDescription("pending");
  Make(Other->Store(), chChange, "theirs");
  EXPECT_FALSE(ours.ReloadChangedTables());
  EXPECT_EQ(ours.ActiveResource()->Schedule().FindByRecordID(1)->Description(), "pending");
  ours.PostEvents();
  EXPECT_TRUE(ours.ReloadChangedTables());
  EXPECT_EQ(ours.ActiveResource()->Schedule().FindByRecordID(2)->Description(), "theirs");
  EXPECT_EQ(EventsOnDisk(), "1:pending 2:theirs 3:c 4:theirs");

  // A new resource of the other writer's: the list is read again and ours stays active.
  TVpResource* added = Other->Store().Resources().AddResource(Other->Store().GetNextID("Resources"));
  added->SetDescription("Second");
  Other->Store().PostResources();
  EXPECT_TRUE(ours.ReloadChangedTables());
  EXPECT_EQ(ours.Resources().Count(), 2);
  ASSERT_NE(ours.ActiveResource(), nullptr);
  EXPECT_EQ(ours.ActiveResource()->Description(), "KORET");
  EXPECT_EQ(ours.ActiveResource()->Schedule().Count(), 4);
}

TEST_F(SeveralWriters, AWriterThatWaitsTooLongWritesNothing) {
  TVpFlexDataStore& ours = ConnectBoth();
  Files->WriteLock().SetTimeoutMs(200);
  const std::string before = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));
  Other->WriteLock().Acquire();
  try {
    Make(ours, chChange, "ours");
    ADD_FAILURE() << "posted while another writer held the lock";
  } catch (const EFolderLockError& e) {
    EXPECT_NE(std::string(e.what()).find(DataFolder() + "/koret.lock"), std::string::npos) << e.what();
  }
  EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), before);
  EXPECT_TRUE(ours.ActiveResource()->EventsDirty()) << "the change waits for the next post";
  Other->WriteLock().Release();
  ours.PostEvents();
  EXPECT_EQ(EventsOnDisk(), "1:a 2:ours 3:c");
}

struct TCounterCase {
  const char* Name;
  std::vector<std::string> Counters;  // the counters table's rows
  int HighestEvent;                   // 0: no event rows
  int NextID;                         // 0: an error
};

class RecordIDRule : public ::testing::Test,
                     protected TPlannerFixture,
                     public ::testing::WithParamInterface<TCounterCase> {};

// A new ID is above both the counter and every ID in the table, and inside the 4-byte range.
TEST_P(RecordIDRule, NeverGivesAnIDTwiceNorOutsideTheRange) {
  CreateTables();
  WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile, GetParam().Counters);
  std::vector<std::string> events;
  if (GetParam().HighestEvent > 0)
    events.push_back("RecordID=\"" + std::to_string(GetParam().HighestEvent) +
                     "\" ResourceID=\"1\" StartTime=\"20240510T08:00:00000\" EndTime=\"20240510T09:00:00000\"");
  WriteRows("Events", TVpPlannerFiles::kEventsFile, events);
  const std::string counters = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kRecordIDsFile));
  Connect();
  if (GetParam().NextID > 0) {
    EXPECT_EQ(Store().GetNextID("Events"), GetParam().NextID);
    const std::string counted = "EventID=\"" + std::to_string(GetParam().NextID) + "\"";
    EXPECT_NE(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kRecordIDsFile)).find(counted), std::string::npos);
  } else {
    try {
      Store().GetNextID("Events");
      ADD_FAILURE() << "an ID was given out";
    } catch (const EDataTableError& e) {
      EXPECT_NE(std::string(e.what()).find("no record ID is left for Events"), std::string::npos) << e.what();
    }
    EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kRecordIDsFile)), counters);
  }
}

const char* const kRest = " ResourceID=\"0\" TaskID=\"0\" ContactID=\"0\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordIDRule,
    ::testing::Values(TCounterCase{"Zero", {std::string("EventID=\"0\"") + kRest}, 7, 8},
                      TCounterCase{"NoRow", {}, 3, 4}, TCounterCase{"NoCounter", {kRest}, 0, 1},
                      TCounterCase{"Negative", {std::string("EventID=\"-5\"") + kRest}, 0, 1},
                      TCounterCase{"AheadOfTheTable", {std::string("EventID=\"10\"") + kRest}, 3, 11},
                      TCounterCase{"LastOfTheRange", {std::string("EventID=\"2147483646\"") + kRest}, 0, 2147483647},
                      TCounterCase{"RangeUsedUp", {std::string("EventID=\"2147483647\"") + kRest}, 0, 0},
                      TCounterCase{"TableAtTheEnd", {std::string("EventID=\"3\"") + kRest}, 2147483647, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// A number a field cannot hold is not wrapped into one it can (4294967297 would read as 1 and meet
// record 1): the table is not opened, and the reason names the file, the row and the field.
TEST(NumbersOutOfRange, AreAReadErrorNamingFileRowAndField) {
  struct TRow {
    const char* Table;
    const char* File;
    std::vector<std::string> Rows;
    const char* Reason;
  };
  const std::string event = " StartTime=\"20240510T08:00:00000\" EndTime=\"20240510T09:00:00000\"";
  const TRow rows[] = {
      {"Events",
       TVpPlannerFiles::kEventsFile,
       {"RecordID=\"1\" ResourceID=\"1\"" + event, "RecordID=\"4294967297\" ResourceID=\"1\"" + event},
       "row 2: \"4294967297\" is outside the range -2147483648 to 2147483647 for field \"RecordID\""},
      {"Events",
       TVpPlannerFiles::kEventsFile,
       {"RecordID=\"1\" ResourceID=\"-2147483649\"" + event},
       "row 1: \"-2147483649\" is outside the range -2147483648 to 2147483647 for field \"ResourceID\""},
      {"RecordIDS",
       TVpPlannerFiles::kRecordIDsFile,
       {std::string("EventID=\"9223372036854775807\"") + kRest},
       "row 1: \"9223372036854775807\" is outside the range"},
  };
  for (const TRow& row : rows) {
    TPlannerFixture folder;
    folder.CreateTables();
    folder.WriteRows(row.Table, row.File, row.Rows);
    try {
      folder.Connect();
      ADD_FAILURE() << "connected with " << row.Reason;
    } catch (const EVpTableOpenError& e) {
      const std::string reason = DescribeError(e, ": ");
      EXPECT_NE(reason.find(row.Reason), std::string::npos) << reason;
      // The table is named once, then the file.
      EXPECT_EQ(reason.rfind("Error: Unable to open " + std::string(row.Table) + ": \"" + folder.TableFile(row.File) +
                                 "\" is not a readable table: ",
                             0),
                0u)
          << reason;
    }
  }
}

struct TLayoutCase {
  const char* File;         // replaced by another table's file
  const char* CopiedTable;  // the table whose empty file is copied over it
  const char* Message;      // the reason given
};

class TableLayout : public ::testing::Test,
                    protected TPlannerFixture,
                    public ::testing::WithParamInterface<TLayoutCase> {};

// A file holding another table's layout is not opened; the store is not connected, says so when a
// command needs it, and names the file.
TEST_P(TableLayout, AnotherTablesFileIsNotOpened) {
  CreateTables();
  TTemporaryFolder::Write(TableFile(GetParam().File), EmptyTableText(GetParam().CopiedTable));
  try {
    Connect();
    ADD_FAILURE() << "connected";
  } catch (const EVpTableOpenError& e) {
    try {
      std::rethrow_if_nested(e);
    } catch (const std::exception& reason) {
      EXPECT_NE(std::string(reason.what()).find(GetParam().Message), std::string::npos) << reason.what();
    }
  }
  EXPECT_FALSE(Store().Connected());
}

INSTANTIATE_TEST_SUITE_P(Cases, TableLayout,
                         ::testing::Values(TLayoutCase{TVpPlannerFiles::kEventsFile, "Tasks",
                                                       "lacks fields the Events table needs: StartTime, EndTime"},
                                           TLayoutCase{TVpPlannerFiles::kTasksFile, "Resources",
                                                       "lacks fields the Tasks table needs: RecordID"},
                                           TLayoutCase{TVpPlannerFiles::kRecordIDsFile, "Events",
                                                       "lacks fields the RecordIDS table needs: EventID, TaskID, "
                                                       "ContactID"}));

class NotConnected : public ::testing::Test, protected TPlannerFixture {};

// A view's command on a store whose files did not open names the file, not missing resources.
TEST_F(NotConnected, ACommandSaysWhichDataFileCouldNotBeOpened) {
  CreateTables();
  TTemporaryFolder::Write(TableFile(TVpPlannerFiles::kEventsFile), "not a table");
  EXPECT_THROW(Connect(), EVpTableOpenError);
  TView view(&Window);
  view.SetDataStore(&Store());
  view.SetEditDialogs(&Dialogs);
  EXPECT_FALSE(view.CheckResourceSelected());
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  const std::string shown = MessageBoxes.Shown[0].Text;
  EXPECT_EQ(shown.rfind("The data file \"" + TableFile(TVpPlannerFiles::kEventsFile) + "\" could not be opened", 0), 0u)
      << shown;
  EXPECT_EQ(Dialogs.AddResourceCalls, 0);
}

}  // namespace
