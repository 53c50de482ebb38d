#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "model/category_color_map.h"
#include "model/resource.h"
#include "platform/search_folding.h"
#include "store/record_search.h"
#include "tests/support/planner_fixture.h"

// Searching a folder: only the rows whose texts hold the query are read, and the records found
// are those a look at every record's texts finds, case and accents aside.
namespace {

TEST(SearchFolding, FoldsCaseAndLatinAccents) {
  const std::pair<const char*, const char*> cases[] = {{"Müller", "muller"},
                                                       {"STRASSE", "strasse"},
                                                       {"Straße", "strasse"},
                                                       {"Œuvre", "oeuvre"},
                                                       {"Ærø", "aero"},
                                                       {"Łódź", "lodz"},
                                                       {"Crème Brûlée", "creme brulee"},
                                                       {"Ελλάδα", "Ελλάδα"},
                                                       {"2 × 3", "2 × 3"},
                                                       {"\xff", "\xff"}};
  for (const auto& [text, folded] : cases) EXPECT_EQ(Folded(text), folded) << text;
  // Every ASCII character from every place in a run of eight, against the C library's lowering.
  for (size_t shift = 0; shift < 8; ++shift) {
    std::string ascii(shift, 'x');
    for (int c = 1; c < 128; ++c) ascii += static_cast<char>(c);
    std::string lowered = ascii;
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(Folded(ascii), lowered) << shift;
  }
  EXPECT_EQ(SnippetAround("Call Dr. Müller about the dentist", Folded("MULLER")), "Call Dr. Müller about the dentist");
  const std::string longText = std::string(100, 'x') + " dentist " + std::string(100, 'y');
  const std::string snippet = SnippetAround(longText, "dentist", 40);
  EXPECT_NE(snippet.find("dentist"), std::string::npos);
  EXPECT_EQ(snippet.substr(0, 3), "...");
  EXPECT_EQ(snippet.substr(snippet.size() - 3), "...");
}

std::string Stamp(int year, int month, int day, int hour) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d:00:00000", year, month, day, hour);
  return text;
}

std::string Event(int id, int year, int month, int day, const std::string& more) {
  return "RecordID=\"" + std::to_string(id) + "\" StartTime=\"" + Stamp(year, month, day, 10) + "\" EndTime=\"" +
         Stamp(year, month, day, 11) + "\" ResourceID=\"1\" " + more;
}

class RecordSearch : public ::testing::Test, protected TPlannerFixture {
 protected:
  RecordSearch() {
    CreateTables();
    WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
              {"ResourceID=\"1\" Description=\"KORET\" ResourceActive=\"TRUE\"",
               "ResourceID=\"2\" Description=\"Other\" ResourceActive=\"TRUE\""});
    WriteRows("Events", TVpPlannerFiles::kEventsFile,
              {Event(1, 2009, 3, 4, "Description=\"Dentist\""),
               Event(2, 2026, 12, 20, "Description=\"Lunch\" Notes=\"ask about the DENTIST bill\""),
               Event(3, 2026, 1, 2,
                     "Description=\"Standup\" Location=\"Café Müller\" RepeatCode=\"2\" "
                     "RepeatRangeEnd=\"20271231T00:00:00000\""),
               // An occurrence of the standup changed on its own: found with its series, once.
               Event(4, 2026, 12, 9,
                     "Description=\"Standup\" Location=\"Café Müller\" SeriesID=\"3\" "
                     "OriginalStart=\"20261211T10:00:00000\""),
               Event(5, 2026, 6, 1, "Description=\"Tom &amp; Jerry\" Category=\"3\""),
               "RecordID=\"6\" StartTime=\"" + Stamp(2026, 6, 2, 10) + "\" EndTime=\"" + Stamp(2026, 6, 2, 11) +
                   "\" ResourceID=\"2\" Description=\"Dentist\""});
    WriteRows("Tasks", TVpPlannerFiles::kTasksFile,
              {"RecordID=\"1\" ResourceID=\"1\" Description=\"Book the dentist\" DueDate=\"20270105T00:00:00000\"",
               "RecordID=\"2\" ResourceID=\"1\" Description=\"Taxes\" Details=\"receipts from Müller\""});
    WriteRows("Contacts", TVpPlannerFiles::kContactsFile,
              {"RecordID=\"1\" ResourceID=\"1\" FirstName=\"Anna\" LastName=\"Müller\" Phone2=\"+43 1 555\"",
               "RecordID=\"2\" ResourceID=\"1\" FirstName=\"Ben\" Note=\"his dentist: Dr. Ortiz\""});
  }

  // What a search finds, as "kind:id" in the order listed, read the way the program reads it.
  std::vector<std::string> Search(TVpSearchQuery query) {
    Files = std::make_unique<TVpPlannerFiles>(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                              Writer, &Window);
    Files->SetDataFolder(DataFolder());
    const TVpCategoryColorMap categories;
    Files->ReadOnlyRows(SearchRowChoices(query, categories));
    Connect();
    Store().SelectResourceByName("KORET");
    Last = FindRecords(*Store().ActiveResource(), categories, query, At(2026, 12, 10, 12));
    std::vector<std::string> found;
    for (const TVpFound& item : Last)
      found.push_back(std::string(item.Kind == fkEvent  ? "event"
                                  : item.Kind == fkTask ? "task"
                                                        : "contact") +
                      ":" + std::to_string(item.RecordID));
    return found;
  }

  std::vector<TVpFound> Last;
};

struct TSearchCase {
  TVpSearchQuery Query;
  std::vector<std::string> Found;
};

TEST_F(RecordSearch, FindsEachKindByAnyOfItsTextsCaseAndAccentsAside) {
  const double december1 = EncodeDate(2026, 12, 1), december31 = EncodeDate(2026, 12, 31);
  const TSearchCase cases[] = {
      // Nearest to now first; not the other resource's.
      {{"dentist"}, {"event:2", "event:1", "task:1", "contact:2"}},
      // A location, details, a name; the series once, without its changed occurrence.
      {{"MULLER"}, {"event:3", "task:2", "contact:1"}},
      {{"tom & jerry"}, {"event:5"}},  // the file's &amp; read as &
      {{"category 3"}, {"event:5"}},   // the category's name
      {{"555"}, {"contact:1"}},
      {{"dentist", true, true, true, december1, december31}, {"event:2", "contact:2"}},
      {{"dentist", false, true, false}, {"task:1"}},
      {{"nothing like it"}, {}},
      {{"  "}, {}},
  };
  for (const TSearchCase& c : cases) EXPECT_EQ(Search(c.Query), c.Found) << c.Query.Text;
}

TEST_F(RecordSearch, ASeriesIsListedWithItsNextAndItsPreviousOccurrence) {
  ASSERT_EQ(Search({"standup"}), (std::vector<std::string>{"event:3"}));
  EXPECT_TRUE(Last[0].Series);
  EXPECT_EQ(Last[0].When, At(2026, 12, 11, 10)) << "the Friday after now";
  EXPECT_EQ(Last[0].Previous, At(2026, 12, 4, 10));
  EXPECT_EQ(Last[0].Snippet, "Standup");
  // Only the rows that hold the text were read: the series and its changed occurrence.
  EXPECT_EQ(Files->EventsTable().RecordCount(), 2);
}

}  // namespace
