#include <gtest/gtest.h>

#include <functional>

#include "dialogs/resource/select_resource_form.h"
#include "model/resources.h"
#include "model/vp_exception.h"
#include "store/data_store.h"
#include "tests/support/planner_fixture.h"

namespace {

// The resource edit window, scripted by the test: the user's work on the form, ending with OK
// (the form's answer to it) or Cancel (false).
class TScriptedResourceWindow : public TVpResourceEditWindow {
 public:
  bool Show(TVpResourceEditForm& form, const TVpDialogPlacement& placement, TVpDialogOptions) override {
    ++Shown;
    LastPlacement = placement;
    return Work ? Work(form) : false;
  }
  std::function<bool(TVpResourceEditForm&)> Work;
  int Shown = 0;
  TVpDialogPlacement LastPlacement;
};

// The selection window, scripted the same way.
class TScriptedSelectWindow : public TVpSelectResourceWindow {
 public:
  bool Show(TVpSelectResourceForm& form) override { return Work ? Work(form) : false; }
  std::function<bool(TVpSelectResourceForm&)> Work;
};

// OK pressed once with the text cannot be stored: the window stays open with the error, and the
// user then cancels.
bool RefusedThenCancelled(const TVpResourceEditForm& form) {
  EXPECT_THROW(form.PressOk(), EDuplicateResource);
  return false;
}

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
  TVpResources& Resources() { return Store().Resources(); }
  // The user types the texts and presses OK.
  static std::function<bool(TVpResourceEditForm&)> Typed(std::string description, std::string notes = "") {
    return [=](TVpResourceEditForm& form) {
      form.SetDescription(description);
      if (!notes.empty()) form.SetNotes(notes);
      return form.PressOk();
    };
  }

  TScriptedResourceWindow Window;
  TVpResourceEditDialog Dialog;
};

TEST_F(ResourceDialogs, OkIsEnabledOnlyWhileThereIsADescription) {
  TVpResourceEditForm form(Resources(), -1);
  EXPECT_FALSE(form.OkEnabled());
  form.SetNotes("only notes");
  EXPECT_FALSE(form.OkEnabled()) << "notes alone do not make a resource";
  EXPECT_THROW(form.PressOk(), EVpException);
  form.SetDescription("Room 2");
  EXPECT_TRUE(form.OkEnabled());
  form.SetDescription("");
  EXPECT_FALSE(form.OkEnabled());
}

TEST_F(ResourceDialogs, OkWithoutAChangeActsAsCancelAndWritesNothing) {
  const std::string before = ResourcesFile();
  Window.Work = [](TVpResourceEditForm& form) {
    EXPECT_EQ(form.Description(), "KORET");
    return form.PressOk();
  };
  EXPECT_FALSE(Dialog.EditResource(Window));
  Window.Work = [](TVpResourceEditForm& form) { return form.PressOk(); };
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Resources().Count(), 1);
  EXPECT_EQ(ResourcesFile(), before);
  EXPECT_EQ(Window.LastPlacement.Width, 400);
  EXPECT_EQ(Window.LastPlacement.Height, 250);
}

TEST_F(ResourceDialogs, AnAcceptedAddIsWrittenAndBecomesActiveWithNoRecords) {
  Store().ActiveResource()->Tasks().AddTask(Store().GetNextID("Tasks"))->SetDescription("a KORET task");
  Store().PostTasks();
  Window.Work = Typed("Room 2", "first floor\nnear the lift");
  EXPECT_TRUE(Dialog.AddResource(Window));
  EXPECT_EQ(Active(), "Room 2");
  EXPECT_EQ(Store().ActiveResource()->Tasks().Count(), 0);
  EXPECT_EQ(Store().ActiveResource()->Notes(), "first floor\nnear the lift");
  EXPECT_NE(ResourcesFile().find("Description=\"Room 2\""), std::string::npos);
  EXPECT_EQ(Resources().Count(), 2);
}

TEST_F(ResourceDialogs, ADuplicateKeepsTheWindowOpenAndWritesNothing) {
  const std::string before = ResourcesFile();
  Window.Work = [](TVpResourceEditForm& form) {
    form.SetDescription("koret");  // the same name in other letter case
    return RefusedThenCancelled(form);
  };
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Resources().Count(), 1) << "no nameless resource is left in the list";
  Store().PostResources();
  EXPECT_EQ(ResourcesFile(), before) << "nor written by the next post";

  // On edit, the user puts the name right after the error: both the name and the notes count.
  Window.Work = Typed("Room 2");
  ASSERT_TRUE(Dialog.AddResource(Window));
  Window.Work = [](TVpResourceEditForm& form) {
    form.SetDescription("KORET");
    form.SetNotes("moved");
    EXPECT_THROW(form.PressOk(), EDuplicateResource);
    form.SetDescription("Room 3");
    return form.PressOk();
  };
  EXPECT_TRUE(Dialog.EditResource(Window));
  EXPECT_EQ(Active(), "Room 3");
  EXPECT_EQ(Store().ActiveResource()->Notes(), "moved");
  EXPECT_NE(ResourcesFile().find("Description=\"Room 3\" Notes=\"moved\""), std::string::npos);
}

TEST_F(ResourceDialogs, TheOwnNameInOtherLettersAndOverlongTexts) {
  Window.Work = [](TVpResourceEditForm& form) {
    form.SetNotes(std::string(1025, 'n'));
    form.SetDescription(std::string(256, 'd'));
    EXPECT_THROW(form.PressOk(), EVpException) << "longer than the table keeps";
    form.SetDescription("Koret");
    EXPECT_THROW(form.PressOk(), EVpException);
    form.SetNotes(std::string(1024, 'n'));
    return form.PressOk();
  };
  EXPECT_TRUE(Dialog.EditResource(Window));
  EXPECT_EQ(Active(), "Koret");
}

TEST_F(ResourceDialogs, ACancelledAddLeavesNoRow) {
  const std::string before = ResourcesFile();
  Window.Work = [](TVpResourceEditForm& form) {
    form.SetDescription("Room 2");
    return false;
  };
  EXPECT_FALSE(Dialog.AddResource(Window));
  EXPECT_EQ(Resources().Count(), 1);
  EXPECT_EQ(ResourcesFile(), before);
  EXPECT_EQ(Active(), "KORET");
}

TEST_F(ResourceDialogs, EditingWhatWasRemovedMeanwhileWritesNothing) {
  Window.Work = [this](TVpResourceEditForm& form) {
    form.SetDescription("Room 2");
    Resources().Clear();  // another writer's change was read while the window was up
    Store().SetActiveResource(nullptr);
    return form.PressOk();
  };
  EXPECT_FALSE(Dialog.EditResource(Window));
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(ResourcesFile().find("Room 2"), std::string::npos);
}

// The selection window: what its buttons did stays done when it is cancelled; the list makes the
// chosen resource active.
TEST_F(ResourceDialogs, AnAddSurvivesCancellingTheSelectionWindow) {
  Store().SetActiveResource(nullptr);
  TScriptedSelectWindow select;
  select.Work = [this](TVpSelectResourceForm& form) {
    EXPECT_EQ(form.ResourceList().Items(), std::vector<std::string>{"KORET"});
    EXPECT_EQ(form.ResourceList().ItemIndex(), -1);
    Window.Work = Typed("Room 2");
    EXPECT_TRUE(form.AddNewResource());
    Poster.DeliverAll();
    EXPECT_EQ(form.ResourceList().Items(), (std::vector<std::string>{"KORET", "Room 2"}));
    EXPECT_EQ(form.ResourceList().ItemIndex(), 1);
    return false;
  };
  EXPECT_FALSE(ShowResourceSelection(Store(), select, Window));
  EXPECT_EQ(Active(), "Room 2");
  EXPECT_NE(ResourcesFile().find("Room 2"), std::string::npos);

  select.Work = [this](TVpSelectResourceForm& form) {
    form.ResourceList().SelectItem(0);
    EXPECT_EQ(Active(), "KORET") << "at once, before OK";
    Window.Work = Typed("KORET 2");
    EXPECT_TRUE(form.EditThisResource());
    return true;
  };
  EXPECT_TRUE(ShowResourceSelection(Store(), select, Window));
  EXPECT_EQ(Active(), "KORET 2");

  Store().SetActiveResource(nullptr);
  select.Work = [](TVpSelectResourceForm&) { return true; };
  EXPECT_FALSE(ShowResourceSelection(Store(), select, Window)) << "OK with nothing chosen is no choice";
}

}  // namespace
