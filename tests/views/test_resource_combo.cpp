#include <gtest/gtest.h>

#include "tests/support/planner_fixture.h"
#include "views/resource_combo.h"

namespace {

class ResourceCombo : public ::testing::Test, protected TPlannerFixture {
 protected:
  ResourceCombo() {
    CreateTables();
    Connect();
  }
};

TEST_F(ResourceCombo, ListsNamedResourcesAndActivatesTheChoice) {
  TVpFlexDataStore& store = Store();
  AddActiveResource("Work");
  AddActiveResource("Home");
  TVpResource* unnamed = store.Resources().AddResource(store.GetNextID("Resources"));
  (void)unnamed;
  store.Resources().Sort();

  TVpResourceCombo combo;
  combo.SetDataStore(&store);
  EXPECT_EQ(combo.Items(), (std::vector<std::string>{"Home", "Work"})) << "in list order, unnamed left out";
  EXPECT_EQ(combo.ItemIndex(), 0) << "the active resource is selected";

  combo.SelectItem(1);
  EXPECT_EQ(store.ActiveResource()->Description(), "Work");

  combo.SetResourceUpdateStyle(ruOnExit);
  combo.SelectItem(0);
  EXPECT_EQ(store.ActiveResource()->Description(), "Work") << "applied only when the list loses the focus";
  combo.FocusLost();
  EXPECT_EQ(store.ActiveResource()->Description(), "Home");

  store.NotifyLinkedControls();
  Poster.DeliverAll();
  EXPECT_EQ(combo.ItemIndex(), 0) << "refilled from the store's change message";
}

TEST_F(ResourceCombo, OutlivingItsStoreIsHarmless) {
  TVpResourceCombo combo;
  {
    TVpPlannerFiles other(TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}, Writer, &Window);
    combo.SetDataStore(&other.Store());
  }
  combo.SelectItem(0);
  combo.FocusLost();
  combo.SetDataStore(nullptr);
  EXPECT_TRUE(combo.Items().empty());
}

}  // namespace
