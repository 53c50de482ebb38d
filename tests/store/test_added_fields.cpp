#include <gtest/gtest.h>

#include "store/data_packet.h"
#include "store/table_schemas.h"
#include "tests/support/planner_fixture.h"

// Fields a table gained after files of it were written: an older file reads as if it had them
// (null), stays as it is until the table is written, and gains them with every value kept.
namespace {

struct TAddedFieldCase {
  const char* Name;
  TFieldDefs Fields;
  TFieldDef Added;
};

TFieldDefs Numbered(int count, TFieldType type) {
  TFieldDefs fields;
  for (int i = 0; i < count; ++i) fields.push_back(FieldDef("F" + std::to_string(i), type, 10));
  return fields;
}

// Every row a value in every field, and one row all null but its first field.
std::vector<TRowValues> RowsFor(const TFieldDefs& fields) {
  std::vector<TRowValues> rows;
  for (int row = 0; row < 3; ++row) {
    TRowValues values;
    for (size_t field = 0; field < fields.size(); ++field) {
      if (row == 2 && field > 0) {
        values.emplace_back();
        continue;
      }
      switch (fields[field].DataType) {
        case ftBoolean: values.emplace_back((row + field) % 2 == 0); break;
        case ftInteger: values.emplace_back(std::int64_t(row * 1000 + static_cast<int>(field))); break;
        default: values.emplace_back("r" + std::to_string(row) + "f" + std::to_string(field));
      }
    }
    rows.push_back(values);
  }
  return rows;
}

class AddedField : public ::testing::TestWithParam<TAddedFieldCase> {};

TEST_P(AddedField, KeepsEveryValueAndPieceAndTakesValuesOfItsOwn) {
  const TAddedFieldCase& c = GetParam();
  const std::vector<TRowValues> rows = RowsFor(c.Fields);
  const std::string text = FormatDataPacket(c.Fields, rows);
  TFieldDefs fields;
  TRowStore store;
  ReadDataPacket(text, fields, store);
  std::vector<TRowStore::TRow> before(store.Rows().begin(), store.Rows().end());

  store.AddField(c.Added);
  ASSERT_EQ(store.Size(), rows.size());
  for (size_t row = 0; row < rows.size(); ++row) {
    SCOPED_TRACE(row);
    TRowValues expected = rows[row];
    expected.emplace_back();  // the added field is null
    EXPECT_EQ(store.Values(store[row]), expected);
    EXPECT_TRUE(store.IsNull(store[row], c.Fields.size()));
    // The row's piece of the file still is the row as it would be written with the field.
    EXPECT_EQ(store[row].PieceOffset, before[row].PieceOffset);
    EXPECT_EQ(store[row].PieceLength, before[row].PieceLength);
    TFieldDefs wider = c.Fields;
    wider.push_back(c.Added);
    std::string written;
    TDataPacketFormat::Instance().AppendRow(written, wider, store.Values(store[row]));
    EXPECT_EQ(text.substr(store[row].PieceOffset, store[row].PieceLength), written);
  }
  // A new row holds a value in the added field beside the others.
  TRowValues fresh = rows[0];
  fresh.push_back(c.Added.DataType == ftBoolean   ? TFieldValue(true)
                  : c.Added.DataType == ftInteger ? TFieldValue(std::int64_t{7})
                                                  : TFieldValue(std::string("new")));
  store.Append(store.Encode(fresh));
  EXPECT_EQ(store.Values(store[rows.size()]), fresh);
  EXPECT_EQ(store.Values(store[0]).back(), TFieldValue());
}

TFieldDefs WithBoolean(TFieldDefs fields) {
  fields.push_back(FieldDef("Flag", ftBoolean));
  return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AddedField,
    ::testing::Values(TAddedFieldCase{"TextAfterTexts", Numbered(5, ftString), FieldDef("Location", ftString, 1024)},
                      TAddedFieldCase{"IntegerAfterTexts", Numbered(5, ftString), FieldDef("Kind", ftInteger)},
                      TAddedFieldCase{"FirstBoolean", Numbered(5, ftString), FieldDef("Flag", ftBoolean)},
                      TAddedFieldCase{"BooleanBesideBooleans", WithBoolean(Numbered(4, ftInteger)),
                                      FieldDef("Other", ftBoolean)},
                      TAddedFieldCase{"The65thField", Numbered(64, ftInteger), FieldDef("Location", ftString, 1024)},
                      TAddedFieldCase{"The64thField", Numbered(63, ftString), FieldDef("Kind", ftInteger)}),
    [](const auto& info) { return std::string(info.param.Name); });

// The planner's tables as files written before the added fields existed.
class OlderTables : public ::testing::Test, protected TPlannerFixture {
 protected:
  // The table's text without its added fields' definitions.
  static std::string OlderText(const std::string& tableName, const std::vector<std::string>& rows) {
    TFieldDefs fields;
    CreateFieldDefs(tableName, fields);
    const size_t added = AddedFieldDefs(tableName).size();
    EXPECT_GT(added, 0u) << tableName;
    fields.resize(fields.size() - added);
    std::string text = FormatDataPacket(fields, {});
    std::string rowText;
    for (const std::string& row : rows) rowText += "<ROW " + row + "/>";
    text.insert(text.find("</ROWDATA>"), rowText);
    return text;
  }

  void WriteOlderTables() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
    WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile,
              {"ResourceID=\"1\" EventID=\"2\" TaskID=\"0\" ContactID=\"1\""});
    // In the order of the fields, as the program writes rows.
    const std::string event = "StartTime=\"20240510T08:00:00000\" EndTime=\"20240510T09:00:00000\" ResourceID=\"1\" ";
    EventsText = OlderText("Events", {"RecordID=\"1\" " + event + "Description=\"Standup\" Notes=\"Location: Raum 1\"",
                                      "RecordID=\"2\" " + event + "Description=\"Lunch\""});
    ContactsText = OlderText("Contacts",
                             {"RecordID=\"1\" ResourceID=\"1\" FirstName=\"Ann\" Address=\"Main St 1\" City=\"Bern\""});
    TTemporaryFolder::Write(TableFile(TVpPlannerFiles::kEventsFile), EventsText);
    TTemporaryFolder::Write(TableFile(TVpPlannerFiles::kContactsFile), ContactsText);
  }

  std::string EventsOnDisk() const { return TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)); }
  std::string ContactsOnDisk() const { return TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kContactsFile)); }

  TVpResource& ConnectToResource() {
    Connect();
    Store().SetDisplayDate(EncodeDate(2024, 5, 10));
    Store().SetActiveResource(Store().Resources().Items(0));
    return *Store().ActiveResource();
  }

  std::string EventsText;
  std::string ContactsText;
};

TEST_F(OlderTables, LoadUnchangedAndStayUnwrittenUntilTheirFirstChange) {
  WriteOlderTables();
  TVpResource& resource = ConnectToResource();
  ASSERT_EQ(resource.Schedule().Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(resource.Schedule().Items(i)->Location(), "");
  // Notes of events taken in earlier are left as the user has them.
  EXPECT_EQ(resource.Schedule().Items(0)->Notes(), "Location: Raum 1");
  ASSERT_EQ(resource.Contacts().Count(), 1);
  EXPECT_EQ(resource.Contacts().Items(0)->AddressType(), adtNone);
  Files->Disconnect();
  EXPECT_EQ(EventsOnDisk(), EventsText);
  EXPECT_EQ(ContactsOnDisk(), ContactsText);
}

TEST_F(OlderTables, TheFirstWriteAddsTheFieldsAndKeepsEveryValue) {
  WriteOlderTables();
  TVpResource& resource = ConnectToResource();
  TVpEvent& lunch = *resource.Schedule().Items(1);
  lunch.SetLocation("Kantine & Hof");
  Store().PostEvents();
  TVpContact& ann = *resource.Contacts().Items(0);
  ann.SetAddressType(adtHome);
  Store().PostContacts();

  const std::string events = EventsOnDisk();
  EXPECT_NE(events.find("<FIELD attrname=\"Location\" fieldtype=\"string\" WIDTH=\"1024\"/>"), std::string::npos);
  EXPECT_NE(events.find("Location=\"Kantine &amp; Hof\""), std::string::npos) << events;
  // The untouched row is copied as it stood.
  const size_t standup = EventsText.find("<ROW RecordID=\"1\"");
  EXPECT_NE(events.find(EventsText.substr(standup, EventsText.find("/>", standup) + 2 - standup)), std::string::npos);
  EXPECT_NE(ContactsOnDisk().find("<FIELD attrname=\"AddressType\" fieldtype=\"i4\"/>"), std::string::npos);
  EXPECT_NE(ContactsOnDisk().find("AddressType=\"1\""), std::string::npos);

  // Another program reading the folder now finds everything.
  TVpPlannerFiles again(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}, Writer);
  again.SetDataFolder(DataFolder());
  again.Connect();
  again.Store().SetDisplayDate(EncodeDate(2024, 5, 10));
  again.Store().SetActiveResource(again.Store().Resources().Items(0));
  const TVpResource& read = *again.Store().ActiveResource();
  ASSERT_EQ(read.Schedule().Count(), 2);
  EXPECT_EQ(read.Schedule().Items(0)->Description(), "Standup");
  EXPECT_EQ(read.Schedule().Items(0)->Notes(), "Location: Raum 1");
  EXPECT_EQ(read.Schedule().Items(0)->Location(), "");
  EXPECT_EQ(read.Schedule().Items(1)->Location(), "Kantine & Hof");
  EXPECT_EQ(read.Contacts().Items(0)->AddressType(), adtHome);
  EXPECT_EQ(read.Contacts().Items(0)->City(), "Bern");
  again.Disconnect();
}

// A table written by another program before the fields existed, while ours has them: reading it
// again keeps the filter (the layout is the same) and the next write adds them back.
TEST_F(OlderTables, AFileReplacedByAnOlderWriterIsReadWithTheFields) {
  CreateTables();
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile, {"ResourceID=\"1\" Description=\"KORET\""});
  WriteRows("RecordIDS", TVpPlannerFiles::kRecordIDsFile,
            {"ResourceID=\"1\" EventID=\"5\" TaskID=\"0\" ContactID=\"0\""});
  TVpResource& resource = ConnectToResource();
  TVpEvent* made = resource.Schedule().AddEvent(-1, EncodeDate(2024, 5, 10) + 0.5, EncodeDate(2024, 5, 10) + 0.6);
  made->SetDescription("Ours");
  made->SetLocation("Hall");
  Store().PostEvents();
  // The older program rewrites the file in its own layout: our row without the location.
  TTemporaryFolder::Write(TableFile(TVpPlannerFiles::kEventsFile),
                          OlderText("Events", {"RecordID=\"6\" ResourceID=\"1\" StartTime=\"20240510T12:00:00000\" "
                                               "EndTime=\"20240510T14:24:00000\" Description=\"Ours\"",
                                               "RecordID=\"7\" ResourceID=\"1\" StartTime=\"20240510T15:00:00000\" "
                                               "EndTime=\"20240510T16:00:00000\" Description=\"Theirs\""}));
  ASSERT_TRUE(Store().ReloadChangedTables());
  ASSERT_EQ(resource.Schedule().Count(), 2);
  TVpEvent* theirs = resource.Schedule().FindByRecordID(7);
  ASSERT_NE(theirs, nullptr);
  theirs->SetLocation("Garden");
  Store().PostEvents();
  EXPECT_NE(EventsOnDisk().find("Location=\"Garden\""), std::string::npos);
}

}  // namespace
