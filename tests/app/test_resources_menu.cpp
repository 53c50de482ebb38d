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

QAction& Entry(const QWidget& menu, const QString& caption) {
  for (QAction* action : menu.actions())
    if (action->text() == caption) return *action;
  throw std::runtime_error("no entry " + caption.toStdString());
}

// The descriptions of the active resource's events, tasks and contacts.
std::vector<std::string> ActiveRecords(const TVpResource& resource) {
  std::vector<std::string> records;
  for (int i = 0; i < resource.Schedule().Count(); ++i) records.push_back(resource.Schedule().Items(i)->Description());
  for (int i = 0; i < resource.Tasks().Count(); ++i) records.push_back(resource.Tasks().Items(i)->Description());
  for (int i = 0; i < resource.Contacts().Count(); ++i) records.push_back(resource.Contacts().Items(i)->LastName());
  return records;
}

// The hidden Resource menu of the main window on a new installation: a new resource starts
// without records, and choosing the first one again brings its records back from the data files.
TEST(ResourcesMenu, ANewResourceHasItsOwnRecordsAndChoosingTheFirstBringsItsRecordsBack) {
  TTemporaryFolder folder;
  std::filesystem::copy(std::string(KORET_RESOURCES_DIR), folder.Path(), std::filesystem::copy_options::recursive);
  TQtDesktop desktop;
  TForm1 window(folder.Path().string(), desktop);
  window.Created();
  QApplication::processEvents();  // the second start-up stage makes the resource KORET
  TVpFlexDataStore& store = window.LifeCycle().Planner().Store();
  ASSERT_NE(store.ActiveResource(), nullptr);
  TVpResource& first = *store.ActiveResource();
  const double day = store.DisplayDate();
  first.Schedule().AddEvent(store.GetNextID("Events"), day, day + 1.0 / 24)->SetDescription("Dentist");
  first.Tasks().AddTask(store.GetNextID("Tasks"))->SetDescription("Taxes");
  first.Contacts().AddContact(store.GetNextID("Contacts"))->SetLastName("Smith");
  store.PostEvents();
  store.PostTasks();
  store.PostContacts();
  const std::vector<std::string> firstRecords{"Dentist", "Taxes", "Smith"};

  QMenu& menu = *Entry(*window.menuBar(), "Resource").menu();
  EXPECT_FALSE(menu.menuAction()->isVisible()) << "the menu stays hidden";
  QMenu& resources = *Entry(menu, "Resources").menu();
  auto checkedEntry = [&] {
    for (QAction* action : resources.actions())
      if (action->isChecked()) return action->text().toStdString();
    return std::string("<none>");
  };
  QObject guard;
  WhenModalShows<TResEditForm>(guard, [](TResEditForm& edit) {
    Control<QLineEdit>(edit, "DescriptionEdit").insert("Second");  // as typed
    Control<QPushButton>(edit, "OkBtn").click();
  });
  Entry(menu, "New Resource").trigger();
  ASSERT_EQ(store.ActiveResource()->Description(), "Second");
  EXPECT_EQ(ActiveRecords(*store.ActiveResource()), std::vector<std::string>{});
  EXPECT_EQ(resources.actions().size(), 2);
  EXPECT_EQ(checkedEntry(), "Second");
  EXPECT_EQ(window.LifeCycle().Settings().ReadString("General", "ActiveResource", ""), "Second");

  Entry(resources, "KORET").trigger();
  EXPECT_EQ(ActiveRecords(*store.ActiveResource()), firstRecords);
  EXPECT_EQ(checkedEntry(), "KORET");
  EXPECT_EQ(window.LifeCycle().Settings().ReadString("General", "ActiveResource", ""), "KORET");
  Entry(resources, "Second").trigger();
  EXPECT_EQ(ActiveRecords(*store.ActiveResource()), std::vector<std::string>{});
}

}  // namespace
