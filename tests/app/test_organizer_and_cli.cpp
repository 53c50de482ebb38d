#include <gtest/gtest.h>
#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <filesystem>

#include "app/main_window.h"
#include "tests/support/run_until.h"
#include "tests/support/temporary_folder.h"

namespace {

// The organizer's main window on a new installation while koret-cli adds an event: the event
// shows in the window's store within two seconds, and the window's own next post keeps it.
TEST(OrganizerAndCli, AnEventAddedOutsideShowsAndSurvivesTheOrganizersPost) {
  TTemporaryFolder folder;
  std::filesystem::copy(std::string(KORET_RESOURCES_DIR), folder.Path(), std::filesystem::copy_options::recursive);
  const std::string data = folder.File("Data");
  TQtDesktop desktop;
  TForm1 window(folder.Path().string(), desktop);
  window.Created();
  TVpFlexDataStore& store = window.LifeCycle().Planner().Store();
  ASSERT_TRUE(RunUntil([&] { return store.ActiveResource() != nullptr; }, 5000));

  const QString today = QDate::currentDate().toString("yyyy-MM-dd");
  QProcess cli;
  cli.start(KORET_CLI, {"add-event", "--data", QString::fromStdString(data), "--start", today + " 09:00", "--end",
                        today + " 10:00", "--subject", "from the command line"});
  ASSERT_TRUE(cli.waitForFinished(10000));
  const int added = cli.readAllStandardOutput().trimmed().toInt();
  ASSERT_GT(added, 0) << cli.readAllStandardError().toStdString();
  QElapsedTimer shown;
  shown.start();
  EXPECT_TRUE(RunUntil([&] { return store.ActiveResource()->Schedule().FindByRecordID(added) != nullptr; }, 2000));
  EXPECT_LT(shown.elapsed(), 2000);

  // The window's own edit, made as the day view makes a new event.
  const double now = desktop.Clock.Now();
  TVpEvent* own = store.ActiveResource()->Schedule().AddEvent(store.GetNextID("Events"), now, now + 0.01);
  own->SetDescription("from the window");
  own->SetChanged(true);
  store.PostEvents();
  EXPECT_NE(own->RecordID(), added);
  const std::string events = TTemporaryFolder::Read(data + "/events.xml");
  EXPECT_NE(events.find("Description=\"from the command line\""), std::string::npos) << events;
  EXPECT_NE(events.find("Description=\"from the window\""), std::string::npos) << events;
}

}  // namespace
