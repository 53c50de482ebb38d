#include <gtest/gtest.h>

#include "tests/sync/sync_fixture.h"

namespace {

using TList = std::vector<std::string>;

// Counts of a summary: uploaded, downloaded, deleted here, deleted there, unchanged, conflicts,
// skipped.
std::vector<size_t> Counts(const TSyncSummary& s) {
  return {size_t(s.Uploaded),  size_t(s.Downloaded), size_t(s.DeletedHere), size_t(s.DeletedThere),
          size_t(s.Unchanged), s.Conflicts.size(),   s.Skipped.size()};
}

TEST(SyncEngine, CarriesOutEachDecisionAndThenHasNothingToDo) {
  TSyncFixture sync;
  for (const char* uid : {"a", "b", "c", "d", "e", "f", "g", "j", "k"}) sync.Local.Put(FakeItem(uid, uid));
  sync.Sync();
  sync.Server.Put(sync.Server.HrefFor("b"), FakeItem("b", "b", "theirs"));  // not a change of its content
  sync.Local.Put(FakeItem("b", "b2"));
  sync.PutThere("c", "c2");
  sync.Server.Delete(sync.Server.HrefFor("d"));
  sync.Local.Delete("e");
  sync.Local.Put(FakeItem("f", "f2"));
  sync.Server.Delete(sync.Server.HrefFor("f"));
  sync.PutThere("g", "g2");
  sync.Local.Delete("g");
  sync.Local.Put(FakeItem("h", "h"));
  sync.PutThere("i", "i");
  sync.Local.Put(FakeItem("j", "j2"));
  sync.PutThere("j", "j2");
  sync.Local.Delete("k");
  sync.Server.Delete(sync.Server.HrefFor("k"));

  std::vector<double> progress;
  sync.Options.Progress = [&progress](double done) { progress.push_back(done); };
  EXPECT_EQ(Counts(sync.Sync()), (std::vector<size_t>{3, 3, 1, 1, 2, 0, 0}));
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 1);
  const TList expected{"a|a", "b|b2", "c|c2", "f|f2", "g|g2", "h|h", "i|i", "j|j2"};
  EXPECT_EQ(sync.Here(), expected);
  EXPECT_EQ(sync.There(), expected);
  EXPECT_EQ(FakeField(sync.Server.Items[sync.Server.HrefFor("b")].Text, "X-OTHER"), "theirs");

  const int writes = sync.Server.Writes, flushes = sync.Local.Flushes;
  EXPECT_EQ(Counts(sync.Sync()), (std::vector<size_t>{0, 0, 0, 0, 8, 0, 0}));
  EXPECT_EQ(sync.Server.Writes, writes);
  EXPECT_EQ(sync.Local.Flushes, flushes);
  const int saves = sync.Writer.TotalWrites();  // the last sync took the token after our own writes
  sync.Sync();
  EXPECT_EQ(sync.Writer.TotalWrites(), saves);
}

TEST(SyncEngine, FollowsMovedItemsAndKeepsNonAsciiNames) {
  TSyncFixture sync;
  sync.Local.Put(FakeItem("a", "a"));
  sync.Local.Put(FakeItem("ünï✓@x", "Grüße"));
  sync.Server.Put("/cal/%C3%A9t%C3%A9.ics", FakeItem("été", "Fête"));
  sync.Sync();
  EXPECT_TRUE(sync.Server.Items.count("/cal/%C3%BCn%C3%AF%E2%9C%93%40x.ics"));
  sync.Server.Move(sync.Server.HrefFor("a"), "/cal/elsewhere.ics");
  EXPECT_EQ(Counts(sync.Sync()), (std::vector<size_t>{0, 0, 0, 0, 3, 0, 0}));  // not deleted and made again
  sync.Local.Put(FakeItem("a", "a2"));
  sync.Sync();
  EXPECT_EQ(FakeField(sync.Server.Items["/cal/elsewhere.ics"].Text, "SUMMARY"), "a2");
  EXPECT_EQ(sync.Here(), (TList{"a|a2", "été|Fête", "ünï✓@x|Grüße"}));
  EXPECT_EQ(sync.There(), sync.Here());
}

TEST(SyncEngine, AsksBeforeDeletingEverythingOnOneSide) {
  struct TRow {
    bool EmptyHere;
    std::optional<bool> Answer;  // none: nobody to ask
  };
  for (const TRow row :
       {TRow{true, std::nullopt}, TRow{true, false}, TRow{true, true}, TRow{false, false}, TRow{false, true}}) {
    SCOPED_TRACE(std::to_string(row.EmptyHere) + std::to_string(row.Answer.value_or(2)));
    TSyncFixture sync;
    for (const char* uid : {"a", "b", "c"}) sync.Local.Put(FakeItem(uid, uid));
    sync.Sync();
    if (row.EmptyHere) sync.Local.Records.clear();
    else sync.Server.Items.clear();
    std::string question;
    if (row.Answer)
      sync.Options.ConfirmMassDeletion = [&question, &row](const std::string& text) {
        question = text;
        return *row.Answer;
      };
    const std::string status = TTemporaryFolder::Read(sync.StatusFile());
    const TList left = row.EmptyHere ? sync.There() : sync.Here();
    const TSyncSummary summary = sync.Sync();
    EXPECT_EQ(question.find("3 items") != std::string::npos, row.Answer.has_value()) << question;
    const bool stopped = row.Answer != true;
    EXPECT_EQ(summary.StoppedBeforeMassDeletion, stopped);
    EXPECT_EQ(row.EmptyHere ? sync.There() : sync.Here(), stopped ? left : TList{});
    EXPECT_EQ(TTemporaryFolder::Read(sync.StatusFile()) == status, stopped);
  }
}

// Deleting more than half of a side's items, and more than five, asks first; "no" changes nothing,
// and restoring the server afterwards puts what the server lost back as new items.
TEST(SyncEngine, AsksBeforeDeletingMostItemsAndTheServerCanBeRestored) {
  const struct {
    int Items;
    int Deleted;
    bool Here;  // deleted here (else on the server)
    bool Asks;
  } kRows[] = {
      {34, 30, false, true}, {34, 30, true, true}, {34, 17, false, false}, {34, 18, false, true},
      {8, 5, false, false},  {8, 6, true, true},   {100, 40, true, false}, {3, 3, false, true},
      {12, 6, true, false},  {12, 7, false, true},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(std::to_string(row.Deleted) + " of " + std::to_string(row.Items) + (row.Here ? " here" : " there"));
    TSyncFixture sync;
    for (int i = 0; i < row.Items; ++i) sync.Local.Put(FakeItem("u" + std::to_string(i), "s"));
    sync.Sync();
    for (int i = 0; i < row.Deleted; ++i) {
      if (row.Here) sync.Local.Delete("u" + std::to_string(i));
      else sync.Server.Delete(sync.Server.HrefFor("u" + std::to_string(i)));
    }
    std::string question;
    sync.Options.ConfirmMassDeletion = [&question](const std::string& text) {
      question = text;
      return false;
    };
    const std::string status = TTemporaryFolder::Read(sync.StatusFile());
    const TList here = sync.Here(), there = sync.There();
    const TSyncSummary summary = sync.Sync();
    EXPECT_EQ(!question.empty(), row.Asks) << question;
    EXPECT_EQ(summary.StoppedBeforeMassDeletion, row.Asks);
    if (!row.Asks) continue;
    EXPECT_NE(question.find(std::to_string(row.Deleted) + (row.Deleted == row.Items ? " items" : " of the ")),
              std::string::npos)
        << question;
    EXPECT_EQ(sync.Here(), here);
    EXPECT_EQ(sync.There(), there);
    EXPECT_EQ(TTemporaryFolder::Read(sync.StatusFile()), status);
    if (row.Here) continue;
    sync.Options.RestoreServer = true;
    const TSyncSummary restored = sync.Sync();
    EXPECT_EQ(restored.Uploaded, row.Deleted);
    EXPECT_EQ(sync.There(), here);
    sync.Options.RestoreServer = false;
    EXPECT_EQ(sync.Sync().Unchanged, row.Items);
  }
}

// A collection that is not the kind the sync needs stops it before anything is listed, and
// nothing changes on either side or in the status table.
TEST(SyncEngine, AWrongCollectionStopsTheSyncAndChangesNothing) {
  TSyncFixture sync;
  for (const char* uid : {"a", "b", "c"}) sync.Local.Put(FakeItem(uid, uid));
  sync.Sync();
  sync.Local.Put(FakeItem("d", "d"));
  const std::string status = TTemporaryFolder::Read(sync.StatusFile());
  const TList here = sync.Here(), there = sync.There();
  for (const TSyncCollectionType type : {sctMissing, sctItem, sctPlainFolder, sctAddressBook}) {
    SCOPED_TRACE(type);
    sync.Server.Info.Type = type;
    const int calls = sync.Server.Calls;
    EXPECT_THROW(sync.Sync(), ESyncError);
    EXPECT_EQ(sync.Server.Calls, calls);
    EXPECT_EQ(sync.Here(), here);
    EXPECT_EQ(sync.There(), there);
    EXPECT_EQ(TTemporaryFolder::Read(sync.StatusFile()), status);
  }
}

// A calendar that names the components it takes and leaves out tasks syncs the events; the tasks
// here stay as they are, said once.
TEST(SyncEngine, ACalendarWithoutTasksLeavesTheTasksAlone) {
  TSyncFixture sync;
  sync.Server.Info = {sctCalendar, true, {"VEVENT"}};
  sync.Local.Put(FakeItem("e", "event"));
  sync.Local.Put(FakeItem("t1", "task", "", "task"));
  sync.Local.Put(FakeItem("t2", "task", "", "task"));
  const TSyncSummary summary = sync.Sync();
  EXPECT_EQ(sync.There(), (TList{"e|event"}));
  EXPECT_EQ(sync.Here().size(), 3u);
  EXPECT_EQ(summary.Notes,
            (std::vector<std::string>{"The calendar on the server takes no tasks: 2 tasks are not synced with it."}));
  EXPECT_TRUE(summary.Skipped.empty());
}

TEST(SyncEngine, ConflictsFollowThePolicyAndKeepWhatTheServerAdded) {
  struct TRow {
    TSyncConflictPolicy Policy;
    TList Summaries;       // on both sides
    const char* OnServer;  // the SUMMARY of the item at its href
  };
  for (const TRow& row : {TRow{scpKeepBoth, {"(server) theirs", "mine"}, "mine"},
                          TRow{scpServerWins, {"theirs"}, "theirs"}, TRow{scpOursWins, {"mine"}, "mine"}}) {
    SCOPED_TRACE(row.Policy);
    TSyncFixture sync;
    sync.Options.Policy = row.Policy;
    sync.Local.Put(FakeItem("a", "a"));
    sync.Sync();
    sync.Local.Put(FakeItem("a", "mine"));
    sync.PutThere("a", "theirs", "added there");
    const TSyncSummary summary = sync.Sync();
    ASSERT_EQ(summary.Conflicts.size(), 1u);
    EXPECT_EQ(summary.Conflicts[0].Uid, "a");
    EXPECT_EQ(summary.Conflicts[0].Subject, "mine");
    for (const TList& side : {sync.Here(), sync.There()}) {
      TList summaries;
      for (const std::string& item : side) summaries.push_back(item.substr(item.find('|') + 1));
      std::sort(summaries.begin(), summaries.end());
      EXPECT_EQ(summaries, row.Summaries);
    }
    const std::string& text = sync.Server.Items[sync.Server.HrefFor("a")].Text;
    EXPECT_EQ(FakeField(text, "SUMMARY"), row.OnServer);
    EXPECT_EQ(FakeField(text, "X-OTHER"), "added there");
    EXPECT_EQ(Counts(sync.Sync()), (std::vector<size_t>{0, 0, 0, 0, row.Summaries.size(), 0, 0}));
  }
}

TEST(SyncEngine, AWriteThatLosesARaceDecidesAgainAndNeverOverwrites) {
  for (const int races : {1, 100}) {
    SCOPED_TRACE(races);
    TSyncFixture sync;
    sync.Options.Policy = scpOursWins;
    sync.Local.Put(FakeItem("a", "a"));
    sync.Sync();
    sync.Local.Put(FakeItem("a", "mine"));
    int raced = 0;
    sync.Server.BeforeWrite = [&](const std::string& href) {
      if (raced < races) sync.Server.Put(href, FakeItem("a", "theirs " + std::to_string(++raced)));
    };
    const TSyncSummary summary = sync.Sync();
    if (races == 1) {
      EXPECT_EQ(sync.There(), (TList{"a|mine"}));
      EXPECT_EQ(summary.Conflicts.size(), 1u);
      continue;
    }
    EXPECT_EQ(summary.Skipped.size(), 1u);
    EXPECT_EQ(sync.There(), (TList{"a|theirs " + std::to_string(raced)}));
    sync.Server.BeforeWrite = nullptr;
    sync.Sync();
    EXPECT_EQ(sync.There(), (TList{"a|mine"}));
  }
}

TEST(SyncEngine, LeavesUnreadableItemsAndRecordsChangedByAnotherWriterForLater) {
  TSyncFixture sync;
  sync.Local.Put(FakeItem("a", "a"));
  sync.Local.Put(FakeItem("b", "b"));
  sync.Sync();
  sync.Server.Put(sync.Server.HrefFor("a"), "BROKEN");
  sync.Server.Put("/cal/new.ics", "BROKEN");
  sync.PutThere("b", "b2");
  sync.Local.ChangedByOther = {2};
  EXPECT_EQ(sync.Sync().Skipped.size(), 3u);
  EXPECT_EQ(sync.Here(), (TList{"a|a", "b|b"}));
  EXPECT_EQ(sync.Server.Items.size(), 3u);
  sync.Local.ChangedByOther.clear();
  EXPECT_EQ(sync.Sync().Downloaded, 1);
  EXPECT_EQ(sync.Here(), (TList{"a|a", "b|b2"}));
  EXPECT_EQ(sync.Server.Items.size(), 3u);
}

}  // namespace
