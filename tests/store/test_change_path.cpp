#include <gtest/gtest.h>

#include <map>
#include <set>

#include "store/change_path.h"
#include "store/data_packet.h"
#include "tests/support/planner_fixture.h"

namespace {

// How the tests treat each kind of record alike: make one, set and read its one text, and find
// its file.
template <class TRecord>
struct TKindOf;
template <>
struct TKindOf<TVpEvent> {
  static constexpr const char* kFile = TVpPlannerFiles::kEventsFile;
  static constexpr const char* kText = "Description";
  static TVpEvent* Make(TVpFlexDataStore& store) {
    return store.ActiveResource()->Schedule().AddEvent(store.GetNextID("Events"), At(2024, 5, 10, 10),
                                                       At(2024, 5, 10, 11));
  }
  static void Set(TVpEvent& event, const std::string& text) { event.SetDescription(text); }
};
template <>
struct TKindOf<TVpTask> {
  static constexpr const char* kFile = TVpPlannerFiles::kTasksFile;
  static constexpr const char* kText = "Description";
  static TVpTask* Make(TVpFlexDataStore& store) {
    return store.ActiveResource()->Tasks().AddTask(store.GetNextID("Tasks"));
  }
  static void Set(TVpTask& task, const std::string& text) { task.SetDescription(text); }
};
template <>
struct TKindOf<TVpContact> {
  static constexpr const char* kFile = TVpPlannerFiles::kContactsFile;
  static constexpr const char* kText = "LastName";
  static TVpContact* Make(TVpFlexDataStore& store) {
    return store.ActiveResource()->Contacts().AddContact(store.GetNextID("Contacts"));
  }
  static void Set(TVpContact& contact, const std::string& text) { contact.SetLastName(text); }
};

// Ours and another program's planner files on one data folder with one resource.
class ChangePath : public ::testing::Test, protected TPlannerFixture {
 protected:
  ChangePath() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    Other = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                              OtherWriter);
    Other->SetDataFolder(DataFolder());
    Other->Connect();
    Other->Store().SetActiveResource(Other->Store().Resources().Items(0));
    Connect();
    Store().SetActiveResource(Store().Resources().Items(0));
  }

  // Every row of the kind's file with all its values, in the order of their IDs.
  template <class TRecord>
  std::string RowsOnDisk() {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(TKindOf<TRecord>::kFile)), fields, rows);
    const auto id = static_cast<size_t>(FieldIndexIn(fields, "RecordID"));
    std::map<std::int64_t, std::string> byID;
    for (const TRowValues& row : rows)
      for (size_t field = 0; field < row.size(); ++field)
        byID[std::get<std::int64_t>(row[id])] += fields[field].Name + "=" + ValueAsString(row[field]) + ";";
    std::string out;
    for (const auto& [recordID, values] : byID) out += values + "\n";
    return out;
  }

  // "ID:text" of every row of the kind's file, by ID.
  template <class TRecord>
  std::string OnDisk() {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(TKindOf<TRecord>::kFile)), fields, rows);
    const auto id = static_cast<size_t>(FieldIndexIn(fields, "RecordID"));
    const auto text = static_cast<size_t>(FieldIndexIn(fields, TKindOf<TRecord>::kText));
    std::map<std::int64_t, std::string> byID;
    for (const TRowValues& row : rows) byID[std::get<std::int64_t>(row[id])] = ValueAsString(row[text]);
    std::string out;
    for (const auto& [recordID, value] : byID) out += (out.empty() ? "" : " ") + std::to_string(recordID) + ":" + value;
    return out;
  }

  // A record of the kind stored with the text.
  template <class TRecord>
  TRecord& Stored(const std::string& text) {
    TRecord& record = *TKindOf<TRecord>::Make(Store());
    TKindOf<TRecord>::Set(record, text);
    record.SetChanged(true);
    Store().Changes().Recorded("setup", [&] {
      if constexpr (std::is_same_v<TRecord, TVpEvent>) Store().PostEvents();
      else if constexpr (std::is_same_v<TRecord, TVpTask>) Store().PostTasks();
      else Store().PostContacts();
    });
    return record;
  }

  // The other program deletes the record with the ID, or sets its text.
  template <class TRecord>
  void OtherChanges(int recordID, const char* text) {
    TVpFlexDataStore& other = Other->Store();
    other.ReloadChangedTables();
    TRecord* record = ActiveCollectionOf<TRecord>(other)->FindByRecordID(recordID);
    ASSERT_NE(record, nullptr);
    if (text == nullptr) record->SetDeleted(true);
    else TKindOf<TRecord>::Set(*record, text);
    record->SetChanged(true);
    if constexpr (std::is_same_v<TRecord, TVpEvent>) other.PostEvents();
    else if constexpr (std::is_same_v<TRecord, TVpTask>) other.PostTasks();
    else other.PostContacts();
  }

  template <class TRecord>
  void EveryWayOfChanging();

  TRecordingFileWriter OtherWriter;
  std::unique_ptr<TVpPlannerFiles> Other;
};

// Add, edit, cancel and delete go the same way for each kind: what the file holds afterwards, what
// the edit answers and the step the history names. Among the cases the record removed by another
// program while its dialog was open (not written back) and a new record that a post stored while
// its dialog was open, then cancelled (removed again).
template <class TRecord>
void ChangePath::EveryWayOfChanging() {
  using TKind = TKindOf<TRecord>;
  TVpChangePath& changes = Store().Changes();
  // A dialog writes the window into the record only on OK.
  const auto dialog = [](const char* text, bool ok) {
    return [=](TRecord& record) {
      if (ok) TKind::Set(record, text);
      return ok;
    };
  };
  TRecord& kept = Stored<TRecord>("kept");  // 1
  EXPECT_EQ(OnDisk<TRecord>(), "1:kept");

  EXPECT_EQ(changes.Edit<TRecord>(*TKind::Make(Store()), true, dialog("added", true)), eoAccepted);
  EXPECT_EQ(OnDisk<TRecord>(), "1:kept 2:added");
  EXPECT_EQ(changes.UndoName(), "Add \"added\"");

  EXPECT_EQ(changes.Edit<TRecord>(*TKind::Make(Store()), true, dialog("never", false)), eoRemoved);
  EXPECT_EQ(OnDisk<TRecord>(), "1:kept 2:added");

  EXPECT_EQ(changes.Edit<TRecord>(kept, false, dialog("edited", true)), eoAccepted);
  EXPECT_EQ(OnDisk<TRecord>(), "1:edited 2:added");
  EXPECT_EQ(changes.UndoName(), "Edit \"edited\"");

  TRecord* edited = FindRecordAgain(&Store(), &kept, 1);
  EXPECT_EQ(changes.Edit<TRecord>(*edited, false, dialog("typed", false)), eoCancelled);
  EXPECT_EQ(OnDisk<TRecord>(), "1:edited 2:added");

  EXPECT_TRUE(changes.Delete(*FindRecordAgain(&Store(), &kept, 2)));
  EXPECT_EQ(OnDisk<TRecord>(), "1:edited");
  EXPECT_EQ(changes.UndoName(), "Delete \"added\"");

  // Removed by another program while the dialog is open: nothing is written back.
  EXPECT_EQ(changes.Edit<TRecord>(*FindRecordAgain(&Store(), &kept, 1), false,
                                  [&](TRecord&) {
                                    OtherChanges<TRecord>(1, nullptr);
                                    Store().ReloadChangedTables();
                                    return true;  // the window's OK
                                  }),
            eoCancelled);
  EXPECT_EQ(OnDisk<TRecord>(), "");

  // A new record stored by a post while its dialog was open, then cancelled: its row goes again.
  EXPECT_EQ(changes.Edit<TRecord>(*TKind::Make(Store()), true,
                                  [&](TRecord& record) {
                                    TKind::Set(record, "saved meanwhile");
                                    record.SetChanged(true);
                                    Stored<TRecord>("other");
                                    return false;
                                  }),
            eoRemoved);
  EXPECT_EQ(OnDisk<TRecord>(), "5:other");
}

TEST_F(ChangePath, EventsChangeTheOneWay) { EveryWayOfChanging<TVpEvent>(); }
TEST_F(ChangePath, TasksChangeTheOneWay) { EveryWayOfChanging<TVpTask>(); }
TEST_F(ChangePath, ContactsChangeTheOneWay) { EveryWayOfChanging<TVpContact>(); }

// Every kind of change done, undone and redone: each leaves the files as they were before and
// after it, row for row, and the history names it.
TEST_F(ChangePath, EveryChangeIsUndoneAndRedone) {
  TVpEvent& event = Stored<TVpEvent>("Dentist");
  TVpTask& task = Stored<TVpTask>("Taxes");
  TVpContact& contact = Stored<TVpContact>("Berg");
  TVpChangePath& changes = Store().Changes();
  const auto files = [this] { return RowsOnDisk<TVpEvent>() + RowsOnDisk<TVpTask>() + RowsOnDisk<TVpContact>(); };
  const struct {
    const char* Name;
    std::function<void()> Do;
  } kChanges[] = {
      {"Add \"Lunch\"",
       [&] {
         changes.Edit<TVpEvent>(*TKindOf<TVpEvent>::Make(Store()), true, [](TVpEvent& e) {
           e.SetDescription("Lunch");
           return true;
         });
       }},
      {"Edit \"Dentist, moved\"",
       [&] {
         changes.Edit<TVpEvent>(*FindRecordAgain(&Store(), &event, 1), false, [](TVpEvent& e) {
           e.SetDescription("Dentist, moved");
           e.SetStartTime(At(2024, 5, 11, 10));
           e.SetEndTime(At(2024, 5, 11, 12));
           return true;
         });
       }},
      {"Move \"Dentist, moved\"",
       [&] {
         changes.Change<TVpEvent>(*FindRecordAgain(&Store(), &event, 1), "Move", [](TVpEvent& e) {
           e.SetStartTime(At(2024, 5, 10, 14));
           e.SetEndTime(At(2024, 5, 10, 15));
         });
       }},
      {"Delete \"Dentist, moved\"", [&] { changes.Delete(*FindRecordAgain(&Store(), &event, 1)); }},
      {"Complete \"Taxes\"",
       [&] {
         changes.Change<TVpTask>(*FindRecordAgain(&Store(), &task, 1), "Complete",
                                 [](TVpTask& t) { t.SetComplete(true); });
       }},
      {"Edit \"Berg-Ott\"",
       [&] {
         changes.Edit<TVpContact>(*FindRecordAgain(&Store(), &contact, 1), false, [](TVpContact& c) {
           c.SetLastName("Berg-Ott");
           c.SetPhone(1, "555");
           return true;
         });
       }},
      {"Delete \"Berg-Ott\"", [&] { changes.Delete(*FindRecordAgain(&Store(), &contact, 1)); }},
      {"Edit resource \"Home\"",
       [&] {
         changes.Recorded("Edit resource \"Home\"", [&] {
           Store().ActiveResource()->SetDescription("Home");
           Store().PostResources();
         });
       }},
      {"Import 2 events",
       [&] {
         changes.Recorded("Import 2 events", [&] {
           for (const char* text : {"one", "two"}) TKindOf<TVpEvent>::Set(*TKindOf<TVpEvent>::Make(Store()), text);
           for (int i = 0; i < Store().ActiveResource()->Schedule().Count(); ++i)
             Store().ActiveResource()->Schedule().Items(i)->SetChanged(true);
           Store().PostEvents();
         });
       }},
  };
  for (const auto& change : kChanges) {
    SCOPED_TRACE(change.Name);
    const std::string resources = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kResourcesFile));
    const std::string before = files();
    change.Do();
    const std::string after = files();
    const std::string resourcesAfter = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kResourcesFile));
    ASSERT_NE(before + resources, after + resourcesAfter) << "the change changed nothing";
    EXPECT_EQ(changes.UndoName(), change.Name);
    EXPECT_EQ(changes.Undo(), change.Name);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kResourcesFile)), resources);
    EXPECT_EQ(changes.RedoName(), change.Name);
    EXPECT_EQ(changes.Redo(), change.Name);
    EXPECT_EQ(files(), after);
    EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kResourcesFile)), resourcesAfter);
    // The next change starts from the records as the store holds them after the redo.
  }
}

// A deleted event comes back with its RecordID, and an undo after another program changed the
// record says so and changes nothing; the step is then gone.
TEST_F(ChangePath, UndoNeverOverwritesAnotherProgramsChange) {
  TVpEvent& event = Stored<TVpEvent>("Dentist");
  TVpChangePath& changes = Store().Changes();
  changes.Delete(event);
  changes.Undo();
  EXPECT_EQ(OnDisk<TVpEvent>(), "1:Dentist");
  TVpEvent* back = FindRecordAgain(&Store(), &event, 1);
  ASSERT_NE(back, nullptr);
  changes.Change<TVpEvent>(*back, "Move", [](TVpEvent& e) { e.SetStartTime(At(2024, 5, 10, 9)); });
  OtherChanges<TVpEvent>(1, "Dentist (theirs)");
  EXPECT_THROW(changes.Undo(), EVpChangeRefused);
  EXPECT_EQ(OnDisk<TVpEvent>(), "1:Dentist (theirs)");
  EXPECT_EQ(changes.UndoName(), "setup") << "the refused step is dropped";
}

TEST_F(ChangePath, DeletingASeriesDeletesItsChangedOccurrencesInOneStep) {
  TVpEvent& series = Stored<TVpEvent>("Standup");
  TVpEvent& moved = Stored<TVpEvent>("Standup, moved");
  TVpChangePath& changes = Store().Changes();
  changes.Change<TVpEvent>(moved, "Link", [&](TVpEvent& e) { e.SetSeriesID(series.RecordID()); });
  TVpEvent& other = Stored<TVpEvent>("Lunch");
  changes.Delete(*FindRecordAgain(&Store(), &series, series.RecordID()));
  EXPECT_EQ(OnDisk<TVpEvent>(), std::to_string(other.RecordID()) + ":Lunch");
  changes.Undo();
  EXPECT_EQ(OnDisk<TVpEvent>(), "1:Standup 2:Standup, moved 3:Lunch");
}

TEST(ChangeHistory, KeepsAtMostItsBoundOfSteps) {
  TPlannerFixture fixture;
  fixture.CreateTables();
  fixture.Connect();
  TVpResource& resource = fixture.AddActiveResource("KORET");
  TVpChangePath& changes = fixture.Store().Changes();
  for (size_t i = 0; i <= TVpChangePath::kMostSteps + 5; ++i)
    changes.Recorded("step " + std::to_string(i), [&] {
      resource.SetDescription("KORET " + std::to_string(i));
      fixture.Store().PostResources();
    });
  size_t undone = 0;
  while (changes.CanUndo()) {
    changes.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, TVpChangePath::kMostSteps);
}

}  // namespace
