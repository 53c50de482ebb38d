#include <gtest/gtest.h>

#include "app/core/windows/history_commands.h"
#include "store/change_path.h"
#include "tests/support/planner_fixture.h"

namespace {

// The Edit menu's Undo and Redo over a store with one event, and another program on its files.
class HistoryCommands : public ::testing::Test, protected TPlannerFixture {
 protected:
  HistoryCommands() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    Connect();
    Store().SetActiveResource(Store().Resources().Items(0));
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 10),
                                                                    At(2024, 5, 10, 11));
    event->SetDescription("Dentist & Co");
    Changes().Add(*event);
  }
  TVpChangePath& Changes() { return Store().Changes(); }
  int Events() { return Store().ActiveResource()->Schedule().Count(); }
};

TEST_F(HistoryCommands, TheEntriesNameTheStepAndTheStatusSaysWhatWasTaken) {
  EXPECT_EQ(UndoCaption(Changes()), "Undo Add \"Dentist & Co\"");
  EXPECT_EQ(RedoCaption(Changes()), "Redo");
  EXPECT_EQ(RedoLastChange(Changes(), MessageBoxes), "") << "nothing to redo";

  EXPECT_EQ(UndoLastChange(Changes(), MessageBoxes), "Undone: Add \"Dentist & Co\"");
  EXPECT_EQ(Events(), 0);
  EXPECT_EQ(UndoCaption(Changes()), "Undo");
  EXPECT_EQ(RedoCaption(Changes()), "Redo Add \"Dentist & Co\"");
  EXPECT_EQ(UndoLastChange(Changes(), MessageBoxes), "") << "nothing to undo";

  EXPECT_EQ(RedoLastChange(Changes(), MessageBoxes), "Redone: Add \"Dentist & Co\"");
  EXPECT_EQ(Events(), 1);
  EXPECT_TRUE(MessageBoxes.Shown.empty());
}

TEST_F(HistoryCommands, AnUndoAnotherWriterStandsInTheWayOfIsToldAndChangesNothing) {
  TRecordingFileWriter otherWriter;
  TVpPlannerFiles other(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}, otherWriter);
  other.SetDataFolder(DataFolder());
  other.Connect();
  other.Store().SetActiveResource(other.Store().Resources().Items(0));
  other.Store().ReloadChangedTables();
  TVpEvent* theirs = other.Store().ActiveResource()->Schedule().Items(0);
  theirs->SetDescription("Dentist at noon");
  theirs->SetChanged(true);
  other.Store().PostEvents();
  Store().ReloadChangedTables();

  EXPECT_EQ(UndoLastChange(Changes(), MessageBoxes), "");
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Kind, mkError);
  EXPECT_EQ(MessageBoxes.Shown[0].Text.rfind("Cannot undo Add \"Dentist & Co\". Another program changed", 0), 0u)
      << MessageBoxes.Shown[0].Text;
  EXPECT_EQ(Events(), 1);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->Description(), "Dentist at noon");
  EXPECT_FALSE(Changes().CanUndo()) << "a step that can no longer be taken is dropped";
}

}  // namespace
