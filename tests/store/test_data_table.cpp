#include <gtest/gtest.h>
#include <sys/stat.h>
#include <filesystem>

#include "store/data_packet.h"
#include "store/data_table.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

TFieldDefs TaskFields() {
  return {FieldDef("RecordID", ftInteger, 0, true), FieldDef("ResourceID", ftInteger, 0, true),
          FieldDef("Description", ftString, 5, false), FieldDef("DueDate", ftDateTime, 0, false)};
}

class DataTable : public ::testing::Test {
 protected:
  DataTable() : Table_("Tasks", Writer_, TDataPacketFormat::Instance()) {
    Table_.SetFileName(File());
    Table_.SetWriteThrough(true);
  }

  std::string File() const { return Folder_.File("tasks.xml"); }

  // A tasks file with rows (RecordID, ResourceID, Description).
  void WriteFile(const std::vector<std::tuple<int, int, const char*>>& rows) {
    std::vector<TRowValues> values;
    for (const auto& [id, resource, text] : rows)
      values.push_back({std::int64_t{id}, std::int64_t{resource}, std::string(text), std::monostate{}});
    TTemporaryFolder::Write(File(), FormatDataPacket(TaskFields(), values));
  }

  std::vector<std::int64_t> VisibleIDs() {
    std::vector<std::int64_t> ids;
    for (Table_.First(); !Table_.Eof(); Table_.Next()) ids.push_back(Table_.FieldByName("RecordID").AsInteger());
    return ids;
  }

  TTemporaryFolder Folder_;
  TRecordingFileWriter Writer_;
  TDataTable Table_;
};

TEST_F(DataTable, OpeningAMissingOrDamagedFileFailsAndWritesNothing) {
  try {
    Table_.Open();
    FAIL() << "opened";
  } catch (const EDataTableError& e) {
    EXPECT_NE(std::string(e.what()).find("tasks.xml\" does not exist"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(Table_.Active());

  TTemporaryFolder::Write(File(), "<DATAPACKET><METADATA><FIELDS>");
  EXPECT_THROW(Table_.Open(), EDataTableError);
  EXPECT_FALSE(Table_.Active());
  Table_.Close();
  EXPECT_EQ(Writer_.TotalWrites(), 0);
  EXPECT_EQ(TTemporaryFolder::Read(File()), "<DATAPACKET><METADATA><FIELDS>");
}

// A bad value is quoted by a short excerpt only, however long it is, and the message names the
// file; a file that is no regular one fails at once the same way.
TEST_F(DataTable, AHugeBadValueOrANamedPipeGivesAShortMessageNamingTheFile) {
  const std::string hugeValue = "20240503T" + std::string(10'000'000, '9');
  TTemporaryFolder::Write(File(),
                          "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"DueDate\" "
                          "fieldtype=\"dateTime\"/></FIELDS></METADATA><ROWDATA><ROW DueDate=\"" +
                              hugeValue + "\"/></ROWDATA></DATAPACKET>");
  const auto openError = [&] {
    try {
      Table_.Open();
    } catch (const EDataTableError& e) {
      return std::string(e.what());
    }
    return std::string("opened");
  };
  const std::string message = openError();
  EXPECT_LT(message.size(), 300u);
  EXPECT_NE(message.find(File()), std::string::npos) << message;
  EXPECT_NE(message.find("\"" + hugeValue.substr(0, 60) + "\u2026\" is not a valid date-time for field \"DueDate\""),
            std::string::npos)
      << message;

  std::filesystem::remove(File());
  ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
  EXPECT_EQ(openError(), "Tasks: Unable to read \"" + File() + "\": it is a named pipe, not a regular file");
}

TEST_F(DataTable, FilterCursorAndLocate) {
  WriteFile({{1, 10, "a"}, {2, 20, "b"}, {3, 10, "c"}, {4, 10, "d"}});
  Table_.Open();
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 2, 3, 4}));
  const int resource = Table_.FieldIndex("resourceid");  // field names ignore case
  Table_.SetFilter(
      [resource](const TRowView& row) { return row[static_cast<size_t>(resource)] == TFieldValue(std::int64_t{10}); });
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 2, 3, 4})) << "the filter applies only when switched on";
  Table_.SetFiltered(true);
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 3, 4}));
  EXPECT_EQ(Table_.RecordCount(), 3);
  EXPECT_FALSE(Table_.Locate("RecordID", std::int64_t{2})) << "a filtered-out row is not found";
  ASSERT_TRUE(Table_.Locate("RecordID", std::string("3")));
  EXPECT_EQ(Table_.FieldByName("Description").AsString(), "c");
  EXPECT_THROW(Table_.FieldByName("Nope"), EDataTableError);
}

TEST_F(DataTable, EveryPostAndDeleteWritesTheFileOnce) {
  WriteFile({{1, 10, "a"}});
  Table_.Open();
  Table_.Append();
  Table_.FieldByName("RecordID").SetAsInteger(2);
  Table_.FieldByName("ResourceID").SetAsInteger(10);
  Table_.FieldByName("Description").SetAsString("Ärger\x01 und mehr");  // cut to 5 characters
  Table_.Post();
  EXPECT_EQ(Writer_.WritesOf(File()), 1);
  ASSERT_TRUE(Table_.Locate("RecordID", std::int64_t{1}));
  Table_.Delete();
  EXPECT_EQ(Writer_.WritesOf(File()), 2);

  TDataTable reread("Tasks", Writer_, TDataPacketFormat::Instance());
  reread.SetFileName(File());
  reread.Open();
  ASSERT_EQ(reread.RecordCount(), 1);
  EXPECT_EQ(reread.FieldByName("Description").AsString(), "Ärger");
  EXPECT_EQ(reread.Rows(), Table_.Rows());
}

TEST_F(DataTable, APostThatCannotBeWrittenLeavesTableAndFileAsTheyWere) {
  WriteFile({{1, 10, "a"}});
  const std::string before = TTemporaryFolder::Read(File());
  Table_.Open();
  const auto rows = Table_.Rows();
  Writer_.Fail = true;

  Table_.Edit();
  Table_.FieldByName("Description").SetAsString("b");
  EXPECT_THROW(Table_.Post(), EFileWriteError);
  EXPECT_EQ(Table_.State(), TDataTable::dsEdit) << "the edit can still be cancelled";
  Table_.Cancel();
  Table_.Append();
  Table_.FieldByName("RecordID").SetAsInteger(2);
  Table_.FieldByName("ResourceID").SetAsInteger(10);
  EXPECT_THROW(Table_.Post(), EFileWriteError);
  Table_.Cancel();
  Table_.First();
  EXPECT_THROW(Table_.Delete(), EFileWriteError);

  EXPECT_EQ(Table_.Rows(), rows);
  EXPECT_EQ(TTemporaryFolder::Read(File()), before);
  Writer_.Fail = false;
  Table_.Close();
  EXPECT_EQ(Writer_.WritesOf(File()), 3) << "closing has nothing left to write";
}

TEST_F(DataTable, RequiredFieldsMustHaveAValue) {
  WriteFile({});
  Table_.Open();
  Table_.Append();
  Table_.FieldByName("RecordID").SetAsInteger(1);
  try {
    Table_.Post();
    FAIL() << "posted";
  } catch (const EDataTableError& e) {
    EXPECT_STREQ(e.what(), "Tasks: field 'ResourceID' must have a value");
  }
  EXPECT_TRUE(Table_.Rows().empty());
  EXPECT_EQ(Writer_.TotalWrites(), 0);
}

TEST_F(DataTable, EditingAnEmptyTableStartsANewRow) {
  WriteFile({});
  Table_.Open();
  Table_.Edit();
  EXPECT_EQ(Table_.State(), TDataTable::dsInsert);
}

TEST_F(DataTable, ABatchWritesOnceAndRollsBackWhenTheWriteFails) {
  WriteFile({{1, 10, "a"}, {2, 10, "b"}, {3, 10, "c"}});
  Table_.Open();
  const auto rows = Table_.Rows();
  auto changeAll = [&] {
    TTableBatch batch(Table_);
    Table_.Locate("RecordID", std::int64_t{1});
    Table_.Edit();
    Table_.FieldByName("Description").SetAsString("x");
    Table_.Post();
    Table_.Locate("RecordID", std::int64_t{2});
    Table_.Delete();
    Table_.Append();
    Table_.FieldByName("RecordID").SetAsInteger(4);
    Table_.FieldByName("ResourceID").SetAsInteger(10);
    Table_.Post();
    batch.Commit();
  };

  Writer_.Fail = true;
  EXPECT_THROW(changeAll(), EFileWriteError);
  EXPECT_EQ(Table_.Rows(), rows);
  EXPECT_EQ(Writer_.TotalWrites(), 1);

  Writer_.Fail = false;
  changeAll();
  EXPECT_EQ(Writer_.TotalWrites(), 2);
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 3, 4}));

  {
    TTableBatch abandoned(Table_);  // ends without Commit: everything is undone
    Table_.First();
    Table_.Delete();
  }
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 3, 4}));
  EXPECT_EQ(Writer_.TotalWrites(), 2);
}

TEST_F(DataTable, DeleteWhereRemovesHiddenRowsTooWithOneWrite) {
  WriteFile({{4, 20, "d"}, {1, 10, "a"}, {2, 20, "b"}, {3, 10, "c"}});
  Table_.Open();
  const int resource = Table_.FieldIndex("ResourceID");
  Table_.SetFilter(
      [resource](const TRowView& row) { return row[static_cast<size_t>(resource)] == TFieldValue(std::int64_t{20}); });
  Table_.SetFiltered(true);
  EXPECT_EQ(Table_.DeleteWhere([resource](const TRowView& row) {
    return row[static_cast<size_t>(resource)] == TFieldValue(std::int64_t{10});
  }),
            2);
  EXPECT_EQ(Writer_.TotalWrites(), 1);
  Table_.SetFiltered(false);
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{4, 2}));
  Table_.Close();
  Table_.Open();
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{4, 2}));
}

TEST_F(DataTable, WithoutWriteThroughClosingWritesOnlyAChangedTable) {
  WriteFile({{1, 10, "a"}});
  Table_.SetWriteThrough(false);
  Table_.Open();
  Table_.Close();
  EXPECT_EQ(Writer_.TotalWrites(), 0);
  Table_.Open();
  Table_.Edit();
  Table_.FieldByName("Description").SetAsString("b");
  Table_.Post();
  EXPECT_EQ(Writer_.TotalWrites(), 0);
  Table_.Close();
  EXPECT_EQ(Writer_.TotalWrites(), 1);
}

TEST_F(DataTable, FieldsConvertBetweenKinds) {
  WriteFile({{1, 10, "12"}});
  Table_.Open();
  EXPECT_EQ(Table_.FieldByName("Description").AsInteger(), 12);
  EXPECT_EQ(Table_.FieldByName("RecordID").AsString(), "1");
  EXPECT_TRUE(Table_.FieldByName("DueDate").IsNull());
  EXPECT_EQ(Table_.FieldByName("DueDate").AsDateTime(), 0);
  Table_.Edit();
  Table_.FieldByName("Description").SetAsString("x");
  EXPECT_THROW(Table_.FieldByName("Description").AsInteger(), EDataTableError);
  EXPECT_THROW(Table_.FieldByName("RecordID").SetAsString("seven"), EDataTableError);
}

}  // namespace

namespace {

// Another writer replaces the file: the table reads it again, an unreadable version raises (and
// with retrying off is passed over afterwards), and the rows stay what they were meanwhile.
TEST_F(DataTable, ReadsAFileAnotherWriterReplacedOnlyWhenItChanged) {
  WriteFile({{1, 1, "a"}, {2, 2, "b"}});
  Table_.Open();
  Table_.SetFilter([](const TRowView& row) { return std::get<std::int64_t>(row[1]) == 1; });
  Table_.SetFiltered(true);
  const auto reads = Table_.ReadCount();
  EXPECT_FALSE(Table_.ReadAgainIfChanged());

  TTemporaryFolder::Write(File(), "<DATAPACKET");
  EXPECT_THROW(Table_.ReadAgainIfChanged(), EDataTableError);
  EXPECT_FALSE(Table_.ReadAgainIfChanged(false)) << "the same broken version is not raised twice";
  EXPECT_THROW(Table_.ReadAgainIfChanged(), EDataTableError) << "a writer must not pass it over";
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1}));

  WriteFile({{1, 1, "a"}, {3, 1, "c"}, {4, 2, "d"}});
  EXPECT_TRUE(Table_.ReadAgainIfChanged(false));
  EXPECT_EQ(Table_.ReadCount(), reads + 1);
  EXPECT_EQ(VisibleIDs(), (std::vector<std::int64_t>{1, 3})) << "the filter still holds";

  Table_.Edit();
  Table_.FieldByName("Description").SetAsString("x");
  Table_.Post();
  EXPECT_FALSE(Table_.ReadAgainIfChanged()) << "its own write is no change";
}

}  // namespace

namespace {

// Locate and HighestInteger, which keep indexes in step with the posts, give what a plain search
// of the rows gives after any mix of appends, edits, deletes, batch rollbacks, filters and rereads.
TEST_F(DataTable, LocateAndHighestFollowEveryKindOfChange) {
  WriteFile({{1, 10, "a"}, {2, 20, "b"}, {2, 10, "dup"}, {3, 10, "c"}});
  Table_.Open();
  const size_t idField = static_cast<size_t>(Table_.FieldIndex("RecordID"));
  const size_t textField = static_cast<size_t>(Table_.FieldIndex("Description"));
  const int resource = Table_.FieldIndex("ResourceID");
  Table_.SetFilter([resource](const TRowView& row) { return row.Number(static_cast<size_t>(resource)) == 10; });
  std::uint32_t seed = 7;
  auto random = [&seed](std::uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % below;
  };
  for (int step = 0; step < 300; ++step) {
    SCOPED_TRACE(step);
    const std::uint32_t action = random(8);
    const std::int64_t id = random(12);
    if (action == 0 || action == 1) {  // append
      Table_.Append();
      Table_.FieldByName("RecordID").SetAsInteger(id);
      Table_.FieldByName("ResourceID").SetAsInteger(random(2) ? 10 : 20);
      Table_.FieldByName("Description").SetAsString("t" + std::to_string(random(5)));
      Table_.Post();
    } else if (action == 2 && Table_.Locate("RecordID", id)) {  // edit in place
      Table_.Edit();
      Table_.FieldByName("RecordID").SetAsInteger(random(12));
      Table_.FieldByName("Description").SetAsString("t" + std::to_string(random(5)));
      Table_.Post();
    } else if (action == 3 && Table_.Locate("RecordID", id)) {
      Table_.Delete();
    } else if (action == 4) {  // a batch undone
      TTableBatch batch(Table_);
      Table_.Append();
      Table_.FieldByName("RecordID").SetAsInteger(id);
      Table_.FieldByName("ResourceID").SetAsInteger(10);
      Table_.Post();
      if (Table_.Locate("RecordID", std::int64_t{random(12)})) Table_.Delete();
    } else if (action == 5) {
      std::vector<size_t> rows;
      if (Table_.Locate("RecordID", id)) rows.push_back(Table_.CurrentRow());
      Table_.DeleteRows(rows);
    } else if (action == 6) {
      Table_.SetFiltered(!Table_.Filtered());
    } else {
      Table_.Close();
      Table_.Open();
    }
    // The oracle: the first row, in order, that holds the value and passes the filter.
    const std::vector<TRowValues> rows = Table_.Rows();
    auto expected = [&](size_t field, const TFieldValue& value) -> std::optional<TRowValues> {
      for (const TRowValues& row : rows)
        if (row[field] == value && (!Table_.Filtered() || row[static_cast<size_t>(resource)] == TFieldValue(10LL)))
          return row;
      return std::nullopt;
    };
    for (std::int64_t wanted = 0; wanted < 12; ++wanted) {
      const auto row = expected(idField, wanted);
      ASSERT_EQ(Table_.Locate("RecordID", wanted), row.has_value()) << wanted;
      if (row) {
        EXPECT_EQ(Table_.FieldByName("Description").AsString(), std::get<std::string>((*row)[textField]));
      }
    }
    const std::string text = "t" + std::to_string(random(5));
    ASSERT_EQ(Table_.Locate("Description", text), expected(textField, text).has_value()) << text;
    std::optional<std::int64_t> highest;
    for (const TRowValues& row : rows) highest = std::max(highest.value_or(0), std::get<std::int64_t>(row[idField]));
    EXPECT_EQ(Table_.HighestInteger("RecordID"), rows.empty() ? std::nullopt : highest);
  }
}

}  // namespace
