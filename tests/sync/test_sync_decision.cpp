#include <gtest/gtest.h>

#include <filesystem>

#include "sync/sync_decision.h"
#include "sync/sync_status_table.h"
#include "tests/sync/sync_fixture.h"

namespace {

const TSyncSide kGone{};
TSyncSide Has(const char* hash) { return {true, hash}; }

struct TDecisionRow {
  const char* Name;
  std::optional<std::string> Last;  // the status entry's hash; none: never synced
  TSyncSide Ours, Theirs;
  TSyncAction Expected;
};

const TDecisionRow kDecisions[] = {
    {"new here", std::nullopt, Has("a"), kGone, saCreateThere},
    {"new there", std::nullopt, kGone, Has("a"), saCreateHere},
    {"new on both alike: paired", std::nullopt, Has("a"), Has("a"), saInSync},
    {"new on both differently", std::nullopt, Has("a"), Has("b"), saConflict},
    {"unchanged", "a", Has("a"), Has("a"), saInSync},
    {"changed here", "a", Has("b"), Has("a"), saUpload},
    {"changed there", "a", Has("a"), Has("b"), saDownload},
    {"changed on both alike", "a", Has("b"), Has("b"), saInSync},
    {"changed on both differently", "a", Has("b"), Has("c"), saConflict},
    {"deleted there, unchanged here", "a", Has("a"), kGone, saDeleteHere},
    {"deleted here, unchanged there", "a", kGone, Has("a"), saDeleteThere},
    {"changed here, deleted there", "a", Has("b"), kGone, saCreateThere},
    {"deleted here, changed there", "a", kGone, Has("b"), saCreateHere},
    {"deleted on both", "a", kGone, kGone, saForget},
};

TEST(SyncDecision, CoversTheWholeTable) {
  for (const TDecisionRow& row : kDecisions) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(DecideSync(row.Last, row.Ours, row.Theirs), row.Expected);
  }
}

TEST(SyncStatusTable, KeepsLongTextsAndTheTokenAcrossSaves) {
  TSyncFixture sync;
  std::string text = "SUMMARY:Grüße & <\"quotes\">\ttab\r\n";
  while (text.size() < 20000) text += "DESCRIPTION:a long line of text\r\n";
  const TSyncStatusEntry entry{"ünï@x", "/cal/%C3%BC.ics", "\"e1\"", 7, sikTask, "h1", text, swsNone, {}};
  const TSyncStatusEntry writing{"new", "/cal/new.ics", "", 9, sikEvent, "", "", swsThere, "h3"};
  TSyncStatusTable saved(sync.StatusFile(), sync.Writer);
  saved.Set(entry);
  saved.Set({"b", "/cal/b.ics", "", 8, sikEvent, "h2", "x", swsNone, {}});
  saved.BeginWrite(writing, swsThere, "h3");
  saved.SetToken("token 1");
  saved.Save();
  saved.Remove("b");
  saved.Save();
  TSyncStatusTable read(sync.StatusFile(), sync.Writer);
  read.Open();
  EXPECT_EQ(read.Entries(), (std::map<std::string, TSyncStatusEntry>{{entry.Uid, entry}, {"new", writing}}));
  EXPECT_EQ(read.Token(), "token 1");
  read.AbandonWrite("new");  // never synced: the entry goes
  EXPECT_EQ(read.Find("new"), nullptr);
  EXPECT_EQ(std::filesystem::status(sync.StatusFile()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A status file written before writes were recorded ahead reads as it always did; its first save
// writes it with the new fields.
TEST(SyncStatusTable, AFileWithoutTheWriteFieldsIsReadAndRewritten) {
  TSyncFixture sync;
  TTemporaryFolder::Write(
      sync.StatusFile(),
      "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
      "<FIELD attrname=\"UID\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/><FIELD attrname=\"Href\" fieldtype=\"bin.hex\" "
      "SUBTYPE=\"Text\"/><FIELD attrname=\"ETag\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/><FIELD attrname=\"RecordID\" "
      "fieldtype=\"i4\"/><FIELD attrname=\"Kind\" fieldtype=\"i4\"/><FIELD attrname=\"Hash\" fieldtype=\"bin.hex\" "
      "SUBTYPE=\"Text\"/><FIELD attrname=\"ServerText\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/><FIELD "
      "attrname=\"SyncToken\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/></FIELDS><PARAMS/></METADATA><ROWDATA>"
      "<ROW UID=\"a\" Href=\"/cal/a.ics\" ETag=\"e\" RecordID=\"1\" Kind=\"0\" Hash=\"a|a\" ServerText=\"UID:a\"/>"
      "<ROW SyncToken=\"v1\"/></ROWDATA></DATAPACKET>");
  TSyncStatusTable table(sync.StatusFile(), sync.Writer);
  table.Open();
  EXPECT_EQ(table.Entries().at("a"),
            (TSyncStatusEntry{"a", "/cal/a.ics", "e", 1, sikEvent, "a|a", "UID:a", swsNone, {}}));
  table.BeginWrite(table.Entries().at("a"), swsHere, "a|b");
  table.Save();
  TSyncStatusTable read(sync.StatusFile(), sync.Writer);
  read.Open();
  EXPECT_EQ(read.Entries(), table.Entries());
  EXPECT_EQ(read.Token(), "v1");
}

TEST(SyncStatusTable, AnUnreadableFileStopsTheSyncAndStaysAsItWas) {
  for (const std::string bytes : {"<DATAPACKET",
                                  "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"UID\" "
                                  "fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>"}) {
    TSyncFixture sync;
    TTemporaryFolder::Write(sync.StatusFile(), bytes);
    try {
      sync.Sync();
      ADD_FAILURE() << "no error";
    } catch (const ESyncError& e) {
      EXPECT_NE(std::string(e.what()).find(sync.StatusFile()), std::string::npos) << e.what();
    }
    EXPECT_EQ(TTemporaryFolder::Read(sync.StatusFile()), bytes);
    EXPECT_EQ(sync.Server.Calls, 0);
  }
}

}  // namespace
