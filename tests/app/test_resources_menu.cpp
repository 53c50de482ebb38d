#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <filesystem>

#include "app/main_window.h"
#include "model/contact.h"
#include "model/event.h"
#include "model/task.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/temporary_folder.h"

namespace {

// The hidden Resource menu of the main window on a new installation.
class ResourcesMenu : public ::testing::Test {
 protected:
  ResourcesMenu() {
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR), Folder.Path(), std::filesystem::copy_options::recursive);
    Window.Created();
    QApplication::processEvents();  // the second start-up stage makes the resource KORET
  }

  TVpFlexDataStore& Store() { return Window.LifeCycle().Planner().Store(); }
  QMenu& ResourceMenu() {
    for (QAction* menu : Window.menuBar()->actions())
      if (menu->menu() != nullptr && menu->text() == "Resource") return *menu->menu();
    throw std::runtime_error("no Resource menu");
  }
  QAction& Entry(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
      if (action->text() == caption) return *action;
    throw std::runtime_error("no entry " + caption.toStdString());
  }
  QMenu& ResourcesSubmenu() { return *Entry(ResourceMenu(), "Resources").menu(); }
  // The submenu's entries, the checked one marked with a star.
  std::vector<std::string> SubmenuEntries() {
    std::vector<std::string> entries;
    for (QAction* action : ResourcesSubmenu().actions())
      entries.push_back(action->text().toStdString() + (action->isChecked() ? "*" : ""));
    return entries;
  }
  // The descriptions of the active resource's events, tasks and contacts.
  std::vector<std::string> ActiveRecords() {
    TVpResource& resource = *Store().ActiveResource();
    std::vector<std::string> records;
    for (int i = 0; i < resource.Schedule().Count(); ++i)
      records.push_back(resource.Schedule().Items(i)->Description());
    for (int i = 0; i < resource.Tasks().Count(); ++i) records.push_back(resource.Tasks().Items(i)->Description());
    for (int i = 0; i < resource.Contacts().Count(); ++i) records.push_back(resource.Contacts().Items(i)->LastName());
    return records;
  }
  std::string ActiveSetting() { return Window.LifeCycle().Settings().ReadString("General", "ActiveResource", "?"); }

  TTemporaryFolder Folder;
  TQtDesktop Desktop;
  TForm1 Window{Folder.Path().string(), Desktop};
  QObject Guard;
};

TEST_F(ResourcesMenu, ANewResourceHasItsOwnRecordsAndChoosingTheFirstBringsItsRecordsBack) {
  ASSERT_NE(Store().ActiveResource(), nullptr);
  EXPECT_FALSE(ResourceMenu().menuAction()->isVisible()) << "the menu stays hidden";
  TVpResource& first = *Store().ActiveResource();
  const double day = Store().DisplayDate();
  first.Schedule().AddEvent(Store().GetNextID("Events"), day, day + 1.0 / 24)->SetDescription("Dentist");
  first.Tasks().AddTask(Store().GetNextID("Tasks"))->SetDescription("Taxes");
  first.Contacts().AddContact(Store().GetNextID("Contacts"))->SetLastName("Smith");
  Store().PostEvents();
  Store().PostTasks();
  Store().PostContacts();
  const std::vector<std::string> firstRecords{"Dentist", "Taxes", "Smith"};
  ASSERT_EQ(ActiveRecords(), firstRecords);

  WhenModalShows<TResEditForm>(Guard, [](TResEditForm& edit) {
    Control<QLineEdit>(edit, "DescriptionEdit").insert("Second");  // as typed
    Control<QPushButton>(edit, "OkBtn").click();
  });
  Entry(ResourceMenu(), "New Resource").trigger();
  ASSERT_EQ(Store().ActiveResource()->Description(), "Second");
  EXPECT_EQ(ActiveRecords(), std::vector<std::string>{}) << "the new resource starts without records";
  EXPECT_EQ(SubmenuEntries(), (std::vector<std::string>{"KORET", "Second*"}));
  EXPECT_EQ(ActiveSetting(), "Second");

  Entry(ResourcesSubmenu(), "KORET").trigger();
  EXPECT_EQ(Store().ActiveResource()->Description(), "KORET");
  EXPECT_EQ(ActiveRecords(), firstRecords);
  EXPECT_EQ(SubmenuEntries(), (std::vector<std::string>{"KORET*", "Second"}));
  EXPECT_EQ(ActiveSetting(), "KORET");

  Entry(ResourcesSubmenu(), "Second").trigger();
  EXPECT_EQ(ActiveRecords(), std::vector<std::string>{});
}

}  // namespace
