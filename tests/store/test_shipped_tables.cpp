#include <gtest/gtest.h>

#include "store/planner_files.h"
#include "tests/support/temporary_folder.h"

namespace {

// The tables a new program folder starts with are the empty tables of the program's own layout,
// so the shipped files and the code cannot disagree. (Regenerate them with
// "koret-cli create-tables --data resources/Data" after removing the old ones.)
TEST(ShippedTables, AreTheEmptyTablesOfTheProgramsLayout) {
  const std::pair<const char*, const char*> tables[] = {{"Resources", TVpPlannerFiles::kResourcesFile},
                                                        {"Events", TVpPlannerFiles::kEventsFile},
                                                        {"Contacts", TVpPlannerFiles::kContactsFile},
                                                        {"Tasks", TVpPlannerFiles::kTasksFile},
                                                        {"RecordIDS", TVpPlannerFiles::kRecordIDsFile}};
  for (const auto& [table, file] : tables) {
    SCOPED_TRACE(file);
    EXPECT_EQ(TTemporaryFolder::Read(std::string(KORET_RESOURCES_DIR) + "/Data/" + file), EmptyTableText(table));
  }
}

}  // namespace
