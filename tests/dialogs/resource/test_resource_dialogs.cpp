#include <gtest/gtest.h>

#include <functional>

#include "dialogs/resource/select_resource_rules.h"
#include "model/resources.h"
#include "model/vp_exception.h"
#include "store/data_store.h"
#include "tests/support/planner_fixture.h"

namespace {

// The resource windows, scripted by the test: the user's work, ending with OK (the form's answer
// to it) or Cancel (false).
class TScriptedEditWindow : public TVpResourceEditWindow {
 public:
  bool Show(TVpResourceEditRules& form, const TVpDialogPlacement& placement, TVpDialogOptions) override {
    Placement = placement;
    return Work ? Work(form) : false;
  }
  std::function<bool(TVpResourceEditRules&)> Work;
  TVpDialogPlacement Placement;
};
class TScriptedSelectWindow : public TVpSelectResourceWindow {
 public:
  bool Show(TVpSelectResourceRules& form) override { return Work(form); }
  std::function<bool(TVpSelectResourceRules&)> Work;
};

class ResourceDialogs : public ::testing::Test, protected TPlannerFixture {
 protected:
  ResourceDialogs() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialog.SetDataStore(&Store());
  }
  std::string ResourcesFile() const { return TTemporaryFolder::Read(TableFile("resources.xml")); }
  std::string Active() { return Store().ActiveResource() ? Store().ActiveResource()->Description() : "<none>"; }
  // The user types the description and presses OK.
  static std::function<bool(TVpResourceEditRules&)> Typed(std::string description) {
    return [=](TVpResourceEditRules& form) {
      form.SetDescription(description);
      return form.PressOk();
    };
  }

  TScriptedEditWindow Window;
  TVpResourceEditDialog Dialog;
};

TEST_F(ResourceDialogs, OkIsEnabledOnlyWithADescriptionAndRefusesOverlongTexts) {
  TVpResourceEditRules form(Store().Resources(), -1);
  form.SetNotes("only notes");
  EXPECT_FALSE(form.OkEnabled()) << "notes alone do not make a resource";
  EXPECT_THROW(form.PressOk(), EVpException);
  form.SetDescription(std::string(256, 'd'));
  EXPECT_TRUE(form.OkEnabled());
  EXPECT_THROW(form.PressOk(), EVpException) << "longer than the table keeps";
  form.SetDescription(std::string(255, 'd'));
  form.SetNotes(std::string(1025, 'n'));
  EXPECT_THROW(form.PressOk(), EVpException);
  form.SetNotes(std::string(1024, 'n'));
  EXPECT_TRUE(form.PressOk());
}

TEST_F(ResourceDialogs, OkWithoutAChangeAndCancelWriteNothing) {
  const std::string before = ResourcesFile();
  Window.Work = [](TVpResourceEditRules& form) { return form.PressOk(); };
  EXPECT_FALSE(Dialog.EditResource(Window));
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Window.Placement.Width, 400);
  EXPECT_EQ(Window.Placement.Height, 250);
  Window.Work = [](TVpResourceEditRules& form) {
    form.SetDescription("Room 2");
    return false;
  };
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Store().Resources().Count(), 1) << "a cancelled add leaves no resource";
  EXPECT_EQ(ResourcesFile(), before);
  EXPECT_EQ(Active(), "KORET");
}

TEST_F(ResourceDialogs, ADuplicateKeepsTheWindowOpenAndWritesNothing) {
  const std::string before = ResourcesFile();
  Window.Work = [](TVpResourceEditRules& form) {
    form.SetDescription("koret");  // the same name in other letter case
    EXPECT_THROW(form.PressOk(), EDuplicateResource);
    return false;  // the user gives up
  };
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Store().Resources().Count(), 1) << "no nameless resource is left in the list";
  Store().PostResources();
  EXPECT_EQ(ResourcesFile(), before) << "nor written by the next post";

  // On edit the user puts the name right after the error: the name and the notes both count.
  Window.Work = Typed("Room 2");
  ASSERT_TRUE(Dialog.AddResource(Window));
  EXPECT_EQ(Active(), "Room 2");
  Window.Work = [](TVpResourceEditRules& form) {
    form.SetNotes("moved");
    form.SetDescription("KORET");
    EXPECT_THROW(form.PressOk(), EDuplicateResource);
    form.SetDescription("Room 3");
    return form.PressOk();
  };
  EXPECT_TRUE(Dialog.EditResource(Window));
  EXPECT_EQ(Active(), "Room 3");
  EXPECT_NE(ResourcesFile().find("Description=\"Room 3\" Notes=\"moved\""), std::string::npos);
}

TEST_F(ResourceDialogs, AnAddSurvivesCancellingTheSelectionWindow) {
  Store().SetActiveResource(nullptr);
  TScriptedSelectWindow select;
  select.Work = [this](TVpSelectResourceRules& form) {
    EXPECT_EQ(form.ResourceList().ItemIndex(), -1);
    Window.Work = Typed("Room 2");
    EXPECT_TRUE(form.AddNewResource());
    Poster.DeliverAll();
    EXPECT_EQ(form.ResourceList().Items(), (std::vector<std::string>{"KORET", "Room 2"}));
    return false;
  };
  EXPECT_FALSE(ShowResourceSelection(Store(), select, Window));
  EXPECT_EQ(Active(), "Room 2");
  EXPECT_NE(ResourcesFile().find("Room 2"), std::string::npos);

  select.Work = [this](TVpSelectResourceRules& form) {
    form.ResourceList().SelectItem(0);
    EXPECT_EQ(Active(), "KORET") << "at once, before OK";
    return true;
  };
  EXPECT_TRUE(ShowResourceSelection(Store(), select, Window));
  Store().SetActiveResource(nullptr);
  select.Work = [](TVpSelectResourceRules&) { return true; };
  EXPECT_FALSE(ShowResourceSelection(Store(), select, Window)) << "OK with nothing chosen is no choice";
}

}  // namespace
