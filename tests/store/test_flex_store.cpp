#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error_text.h"
#include "store/data_packet.h"
#include "tests/support/failing_file_calls.h"
#include "tests/support/planner_fixture.h"

namespace {

// A date-time as the table files write it.
std::string Stamp(int y, int m, int d, int h = 0, int n = 0) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d:%02d:00000", y, m, d, h, n);
  return text;
}

std::string EventRow(int id, int resource, const std::string& start, const std::string& end,
                     const std::string& more = "") {
  return "RecordID=\"" + std::to_string(id) + "\" ResourceID=\"" + std::to_string(resource) + "\" StartTime=\"" +
         start + "\" EndTime=\"" + end + "\" " + more;
}

class FlexStore : public ::testing::Test, protected TPlannerFixture {
 protected:
  FlexStore() { CreateTables(); }

  // The descriptions of the loaded events of the active resource, in schedule order.
  std::vector<std::string> LoadedEvents() {
    std::vector<std::string> names;
    const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
    for (int i = 0; i < schedule.Count(); ++i) names.push_back(schedule.Items(i)->Description());
    return names;
  }

  // The rows of a table file as another reader of the file sees them.
  std::vector<TRowValues> RowsOf(const char* file, TFieldDefs* fields = nullptr) {
    TFieldDefs defs;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(file)), defs, rows);
    if (fields != nullptr) *fields = defs;
    return rows;
  }

  // Starts the program over on the same files.
  void Restart() {
    Files.reset();
    Files = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                              Writer, &Window);
    Files->SetDataFolder(DataFolder());
    Connect();
  }

  TVpEvent& NewEvent(const char* description, double start, double end) {
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(-1, start, end);
    event->SetDescription(description);
    return *event;
  }
};

TEST_F(FlexStore, NewRecordsTakeTheirIDsFromTheCounters) {
  Connect();
  AddActiveResource("KORET");
  for (const char* name : {"one", "two", "three"}) {
    NewEvent(name, At(2024, 5, 10, 10), At(2024, 5, 10, 11));
    Store().PostEvents();
  }
  TVpTask* task = Store().ActiveResource()->Tasks().AddTask(-1);
  task->SetDescription("task");
  Store().PostTasks();

  std::vector<int> ids;
  const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  for (int i = 0; i < schedule.Count(); ++i) ids.push_back(schedule.Items(i)->RecordID());
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(task->RecordID(), 1);
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kRecordIDsFile),
            (std::vector<TRowValues>{{std::int64_t{1}, std::int64_t{3}, std::int64_t{1}, std::int64_t{0}}}));
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kEventsFile).size(), 3u) << "each event is on disk once posted";
}

TEST_F(FlexStore, AnEmptyCountersTableGetsARowWithEveryCounter) {
  WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile, {});
  Connect();
  AddActiveResource("KORET");
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kRecordIDsFile),
            (std::vector<TRowValues>{{std::int64_t{1}, std::int64_t{0}, std::int64_t{0}, std::int64_t{0}}}));
}

// The window loads the events that start in it, go on into it or repeat into it.
TEST_F(FlexStore, TheWindowLoadsEventsStartingInItAndRepeatsReachingIt) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"KORET\" ResourceActive=\"TRUE\""});
  WriteRows("Events", TVpPlannerFiles::kEventsFile,
            {EventRow(1, 1, Stamp(2024, 5, 3, 10), Stamp(2024, 5, 3, 11), "Description=\"one-off\""),
             EventRow(2, 1, Stamp(2024, 1, 1, 8), Stamp(2024, 1, 1, 9),
                      "Description=\"daily\" RepeatCode=\"1\" RepeatRangeEnd=\"" + Stamp(2024, 12, 31) + "\""),
             EventRow(3, 1, Stamp(2024, 3, 1, 10), Stamp(2024, 3, 1, 11), "Description=\"March\""),
             EventRow(4, 1, Stamp(2024, 3, 31, 22), Stamp(2024, 4, 1, 2), "Description=\"overnight before\""),
             EventRow(5, 1, Stamp(2024, 6, 1, 22), Stamp(2024, 6, 3, 2), "Description=\"runs out of the window\""),
             EventRow(6, 2, Stamp(2024, 5, 3, 10), Stamp(2024, 5, 3, 11), "Description=\"other resource\""),
             EventRow(7, 1, Stamp(2024, 5, 4, 10), Stamp(2024, 5, 4, 10), "Description=\"ends as it starts\""),
             EventRow(8, 1, Stamp(2024, 3, 30, 22), Stamp(2024, 4, 1, 0), "Description=\"ends at the window\""),
             EventRow(9, 1, Stamp(2024, 6, 3, 8), Stamp(2024, 6, 3, 9),
                      "Description=\"repeats from after the window\" RepeatCode=\"2\" RepeatRangeEnd=\"" +
                          Stamp(2024, 12, 31) + "\""),
             EventRow(10, 1, Stamp(2024, 2, 5, 8), Stamp(2024, 2, 5, 9),
                      "Description=\"by a rule\" RepeatRule=\"FREQ=WEEKLY;BYDAY=MO,TH\" RepeatRangeEnd=\"" +
                          Stamp(2024, 12, 31) + "\"")});
  Store().SetDisplayDate(At(2024, 5, 2));
  Store().SetDayBuffer(31);  // 1 April to 2 June
  Connect();
  Store().SelectResourceByName("KORET");
  ASSERT_NE(Store().ActiveResource(), nullptr);
  EXPECT_EQ(LoadedEvents(),
            (std::vector<std::string>{"daily", "by a rule", "overnight before", "one-off", "runs out of the window"}));
  for (int i = 0; i < Store().ActiveResource()->Schedule().Count(); ++i)
    EXPECT_FALSE(Store().ActiveResource()->Schedule().Items(i)->Changed()) << "rows just read are no changes";
}

TEST_F(FlexStore, APostWritesTheFileOnceHoweverManyRecordsChanged) {
  Connect();
  AddActiveResource("KORET");
  for (int i = 0; i < 5; ++i) NewEvent("e", At(2024, 5, 10, 8 + i), At(2024, 5, 10, 9 + i));
  Store().PostEvents();
  const int before = Writer.WritesOf(TableFile(TVpPlannerFiles::kEventsFile));
  EXPECT_EQ(before, 1);

  TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  schedule.Items(0)->SetDeleted(true);
  schedule.Items(2)->SetDescription("changed");
  schedule.Items(4)->SetDeleted(true);
  NewEvent("new", At(2024, 5, 10, 20), At(2024, 5, 10, 21));
  Store().PostEvents();
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kEventsFile)), before + 1);
  EXPECT_EQ(LoadedEvents(), (std::vector<std::string>{"e", "changed", "e", "new"}));
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kEventsFile).size(), 4u);
}

TEST_F(FlexStore, AFailedWriteKeepsRecordsFlagsAndFile) {
  Connect();
  TVpResource& resource = AddActiveResource("KORET");
  NewEvent("kept", At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  Store().PostEvents();
  const std::string before = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));

  TVpEvent& existing = *resource.Schedule().Items(0);
  existing.SetDescription("edited");
  existing.SetDeleted(false);
  NewEvent("added", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Writer.Fail = true;
  EXPECT_THROW(Store().PostEvents(), EDBPostError);
  EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), before);
  EXPECT_TRUE(existing.Changed());
  EXPECT_TRUE(resource.EventsDirty());
  EXPECT_EQ(resource.Schedule().Count(), 2);

  Writer.Fail = false;
  Store().PostEvents();
  EXPECT_FALSE(resource.EventsDirty());
  Restart();
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kEventsFile).size(), 2u);
}

TEST_F(FlexStore, PostingWithoutTheResourcesRowIsAnErrorNotASuccess) {
  Connect();
  TVpResource* resource = Store().Resources().AddResource(7);  // never posted
  resource->SetDescription("ghost");
  Store().SetActiveResource(resource);
  NewEvent("lost?", At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  EXPECT_THROW(Store().PostEvents(), EDBPostError);
  EXPECT_TRUE(resource->EventsDirty());
  TVpTask* task = resource->Tasks().AddTask(-1);
  (void)task;
  EXPECT_THROW(Store().PostTasks(), EDBPostError);
  EXPECT_TRUE(resource->TasksDirty());
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kEventsFile)), 0);
}

TEST_F(FlexStore, ADeletedEventThatWasNeverWrittenIsOnlyDestroyed) {
  Connect();
  AddActiveResource("KORET");
  NewEvent("gone", At(2024, 5, 10, 8), At(2024, 5, 10, 9)).SetDeleted(true);
  Store().PostEvents();
  EXPECT_TRUE(LoadedEvents().empty());
  EXPECT_TRUE(RowsOf(TVpPlannerFiles::kEventsFile).empty());
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kRecordIDsFile)), 1) << "only the resource took an ID";
}

TEST_F(FlexStore, FieldsGoThroughTheMappings) {
  Connect();
  AddActiveResource("KORET");
  TVpContact* contact = Store().ActiveResource()->Contacts().AddContact(-1);
  contact->SetLastName("Brandt");
  contact->SetPosition("Engineer");
  contact->SetChanged(true);
  Store().PostContacts();
  TFieldDefs fields;
  const auto rows = RowsOf(TVpPlannerFiles::kContactsFile, &fields);
  ASSERT_EQ(rows.size(), 1u);
  size_t position = 0;
  while (fields[position].Name != "Job_Position") ++position;
  EXPECT_EQ(rows[0][position], TFieldValue(std::string("Engineer")));
  Restart();
  Store().SelectResourceByName("KORET");
  ASSERT_EQ(Store().ActiveResource()->Contacts().Count(), 1);
  EXPECT_EQ(Store().ActiveResource()->Contacts().Items(0)->Position(), "Engineer");
}

TEST_F(FlexStore, MappingKeysIgnoreLetterCaseAndAMissingPairDropsTheField) {
  for (TVpFieldMapping& pair : Store().EventFieldMappings)
    if (pair.StoreKey == "Description") pair.StoreKey = "DESCRIPTION";
  std::erase_if(Store().EventFieldMappings,
                [](const TVpFieldMapping& pair) { return pair.StoreKey == "AlarmWavPath"; });
  Connect();
  AddActiveResource("KORET");
  TVpEvent& event = NewEvent("subject", At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  event.SetDingPath("/sounds/bell.wav");
  Store().PostEvents();
  Restart();
  for (TVpFieldMapping& pair : Store().EventFieldMappings)
    if (pair.StoreKey == "Description") pair.StoreKey = "description";
  Store().SelectResourceByName("KORET");
  Store().ReloadEvents();
  ASSERT_EQ(LoadedEvents(), std::vector<std::string>{"subject"});
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->DingPath(), "");
}

TEST_F(FlexStore, ADuplicateResourceNameStopsLoadingCleanly) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Home\" ResourceActive=\"TRUE\"",
             "ResourceID=\"2\" Description=\"HOME\" ResourceActive=\"TRUE\""});
  try {
    Connect();
    FAIL() << "connected";
  } catch (const std::exception& e) {  // the file and the row are named before the reason
    EXPECT_EQ(DescribeError(e, ": "),
              "Resources: \"" + TableFile(TVpPlannerFiles::kResourcesFile) + "\", row 2: Error: Duplicate Resource.");
  }
  EXPECT_FALSE(Store().Loading()) << "notifications must not stay switched off";
  ASSERT_EQ(Store().Resources().Count(), 1);
  EXPECT_EQ(Store().Resources().Items(0)->Description(), "Home");
}

TEST_F(FlexStore, AMissingTableFailsTheConnectionAndWritesNothing) {
  std::filesystem::remove(TableFile(TVpPlannerFiles::kTasksFile));
  try {
    Connect();
    FAIL() << "connected";
  } catch (const EVpTableOpenError& e) {
    EXPECT_STREQ(e.what(), "Error: Unable to open Tasks");
  }
  EXPECT_FALSE(Store().Connected());
  EXPECT_EQ(Writer.TotalWrites(), 0);
  EXPECT_FALSE(std::filesystem::exists(TableFile(TVpPlannerFiles::kTasksFile)));
}

TEST_F(FlexStore, DeletingAResourceRemovesAllItsRows) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Home\" ResourceActive=\"TRUE\"",
             "ResourceID=\"2\" Description=\"Work\" ResourceActive=\"TRUE\""});
  WriteRows("Events", TVpPlannerFiles::kEventsFile,
            {EventRow(1, 1, Stamp(2024, 5, 3, 10), Stamp(2024, 5, 3, 11)),
             EventRow(2, 1, Stamp(2020, 1, 1, 10), Stamp(2020, 1, 1, 11)),  // far outside the window
             EventRow(3, 2, Stamp(2024, 5, 3, 10), Stamp(2024, 5, 3, 11))});
  WriteRows("Tasks", TVpPlannerFiles::kTasksFile,
            {"RecordID=\"1\" ResourceID=\"1\"", "RecordID=\"2\" ResourceID=\"2\""});
  Connect();
  Store().SelectResourceByName("Home");
  Writer.Written.clear();
  Store().RemoveResource(Store().ActiveResource());
  EXPECT_EQ(Store().ActiveResource(), nullptr);
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kEventsFile).size(), 1u);
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kTasksFile).size(), 1u);
  EXPECT_EQ(RowsOf(TVpPlannerFiles::kResourcesFile).size(), 1u);
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kResourcesFile)), 1);
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kEventsFile)), 1);
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kTasksFile)), 1);
  EXPECT_EQ(Writer.WritesOf(TableFile(TVpPlannerFiles::kContactsFile)), 0) << "it had no contacts";
}

TEST_F(FlexStore, TasksReadFromTheTableAreNotChanged) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Home\" ResourceActive=\"TRUE\""});
  WriteRows("Tasks", TVpPlannerFiles::kTasksFile,
            {"RecordID=\"1\" ResourceID=\"1\" Description=\"a\" Complete=\"TRUE\" CompletedOn=\"" + Stamp(2024, 1, 2) +
             "\""});
  Connect();
  Store().SelectResourceByName("Home");
  TVpResource& resource = *Store().ActiveResource();
  ASSERT_EQ(resource.Tasks().Count(), 1);
  EXPECT_FALSE(resource.Tasks().Items(0)->Changed());
  EXPECT_FALSE(resource.TasksDirty());
  EXPECT_EQ(resource.Tasks().Items(0)->CompletedOn(), At(2024, 1, 2));
  Writer.Written.clear();
  Store().PostTasks();
  EXPECT_EQ(Writer.TotalWrites(), 0) << "nothing to post";
}

TEST_F(FlexStore, LoadingThousandsOfTasksReadsTheClockOnceAndANewTaskStillGetsTheCurrentMoment) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Home\" ResourceActive=\"TRUE\""});
  std::vector<std::string> rows = {"RecordID=\"0\" ResourceID=\"1\""};  // no CreatedOn: stamped at the load
  for (int id = 1; id < 5000; ++id)
    rows.push_back("RecordID=\"" + std::to_string(id) + "\" ResourceID=\"1\" CreatedOn=\"" + Stamp(2023, 4, 5) + "\"");
  WriteRows("Tasks", TVpPlannerFiles::kTasksFile, rows);
  Connect();
  Store().SelectResourceByName("Home");
  TVpTasks& tasks = Store().ActiveResource()->Tasks();

  const int before = Clock.Reads;
  Store().ReloadTasks();
  EXPECT_EQ(Clock.Reads - before, 1);
  ASSERT_EQ(tasks.Count(), 5000);
  EXPECT_EQ(tasks.FindByRecordID(0)->CreatedOn(), Clock.Now());
  EXPECT_EQ(tasks.FindByRecordID(4999)->CreatedOn(), At(2023, 4, 5));

  Clock.Set(At(2024, 6, 1, 12, 30));
  Store().ReloadTasks();
  EXPECT_EQ(tasks.FindByRecordID(0)->CreatedOn(), At(2024, 6, 1, 12, 30)) << "each load reads the clock anew";
  Clock.Set(At(2024, 6, 1, 12, 45));
  EXPECT_EQ(tasks.AddTask(-1)->CreatedOn(), At(2024, 6, 1, 12, 45)) << "the moment of the new task, not of the load";
}

// Reading AllDayEvent moves the times to the start day, but a span of several days keeps its days.
TEST_F(FlexStore, AllDayEventsReadKeepTheirDays) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Home\" ResourceActive=\"TRUE\""});
  WriteRows(
      "Events", TVpPlannerFiles::kEventsFile,
      {EventRow(1, 1, Stamp(2026, 12, 24, 10, 30), Stamp(2026, 12, 24, 14), "Description=\"one\" AllDayEvent=\"TRUE\""),
       EventRow(2, 1, Stamp(2026, 12, 24), Stamp(2026, 12, 26, 23, 59), "Description=\"three\" AllDayEvent=\"TRUE\"")});
  Store().SetDisplayDate(At(2026, 12, 24));
  Connect();
  Store().SelectResourceByName("Home");
  const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  ASSERT_EQ(LoadedEvents(), (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(schedule.Items(0)->StartTime(), At(2026, 12, 24));
  EXPECT_EQ(schedule.Items(0)->EndTime(), At(2026, 12, 24, 23, 59));
  EXPECT_EQ(schedule.Items(1)->EndTime(), At(2026, 12, 26, 23, 59));
}

TEST_F(FlexStore, ReloadResourceWithoutAFoundResourceStops) {
  Connect();
  AddActiveResource("KORET");
  Store().SetActiveResource(nullptr);  // the ID becomes -1, which no resource has
  Store().ReloadResource();
  EXPECT_EQ(Store().ActiveResource(), nullptr);
}

}  // namespace

namespace {

class FlexStoreWriteFailure : public FlexStore, public ::testing::WithParamInterface<TStep> {};

// Whichever step of replacing the events file fails, the post reports it, the file is as it was,
// and the store still knows what is unsaved.
TEST_P(FlexStoreWriteFailure, LeavesFileAndFlagsAsTheyWere) {
  Connect();
  TVpResource& resource = AddActiveResource("KORET");
  NewEvent("saved", At(2024, 5, 10, 8), At(2024, 5, 10, 9));
  Store().PostEvents();
  const std::string before = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));

  resource.Schedule().Items(0)->SetDescription("edited");
  TFailingCalls calls(GetParam(), ENOSPC);
  Writer.UseCalls(calls);
  try {
    Store().PostEvents();
    FAIL() << "posted";
  } catch (const EDBPostError& e) {
    try {
      std::rethrow_if_nested(e);
    } catch (const EFileWriteError& cause) {
      EXPECT_NE(std::string(cause.what()).find("No space left on device"), std::string::npos) << cause.what();
    }
  }
  EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), before);
  EXPECT_TRUE(resource.Schedule().Items(0)->Changed());
  EXPECT_TRUE(resource.EventsDirty());
}

std::string StepName(const ::testing::TestParamInfo<TStep>& info) {
  static const char* const names[] = {"Create", "Write", "Flush", "Close", "Rename"};
  return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachStep, FlexStoreWriteFailure,
                         ::testing::Values(stCreate, stWrite, stFlush, stClose, stRename), StepName);

}  // namespace
