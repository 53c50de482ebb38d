#include <gtest/gtest.h>
#include <QApplication>
#include <QDate>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "store/change_path.h"
#include "store/planner_files.h"
#include "tests/support/temporary_folder.h"
#include "views/day/day_view.h"
#include "views/qt/view_widget.h"

// The main window on a folder with events over years: it shows today's events while the rest of
// the events file is still being read, and an event added before the rest came is kept with every
// other event.
namespace {

std::string Stamp(const QDate& day, int hour) {
  return day.toString("yyyyMMdd").toStdString() + "T" + (hour < 10 ? "0" : "") + std::to_string(hour) + ":00:00000";
}

std::string Row(int id, const QDate& day, const std::string& description) {
  return "<ROW RecordID=\"" + std::to_string(id) + "\" StartTime=\"" + Stamp(day, 10) + "\" EndTime=\"" +
         Stamp(day, 11) + "\" ResourceID=\"1\" Description=\"" + description + "\"/>";
}

size_t RowsIn(const std::string& text) {
  size_t rows = 0;
  for (size_t at = text.find("<ROW "); at != std::string::npos; at = text.find("<ROW ", at + 1)) ++rows;
  return rows;
}

class StartWithToday : public ::testing::Test {
 protected:
  StartWithToday() {
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR), Folder.Path(), std::filesystem::copy_options::recursive);
    const std::string data = Folder.Path().string() + "/Data/";
    TTemporaryFolder::Write(data + TVpPlannerFiles::kResourcesFile,
                            Table(TTemporaryFolder::Read(data + TVpPlannerFiles::kResourcesFile),
                                  "<ROW ResourceID=\"1\" Description=\"KORET\" ResourceActive=\"TRUE\"/>"));
    const QDate today = QDate::currentDate();
    std::string rows = Row(1, today, "Today's meeting");
    for (int i = 2; i <= 400; ++i) rows += Row(i, today.addDays(-30 * i), "Long ago " + std::to_string(i));
    TTemporaryFolder::Write(data + TVpPlannerFiles::kEventsFile,
                            Table(TTemporaryFolder::Read(data + TVpPlannerFiles::kEventsFile), rows));
    TTemporaryFolder::Write(Folder.Path().string() + "/Config/Config.ini", "[General]\nActTab=1\n");
  }

  // The table text with the rows given between its ROWDATA tags.
  static std::string Table(std::string text, const std::string& rows) {
    const size_t start = text.find("<ROWDATA>") + 9;
    text.replace(start, text.find("</ROWDATA>") - start, rows);
    return text;
  }

  std::string EventsFile() const {
    return TTemporaryFolder::Read(Folder.Path().string() + "/Data/" + TVpPlannerFiles::kEventsFile);
  }

  TTemporaryFolder Folder;
};

TEST_F(StartWithToday, ShowsTodayWhileTheRestLoadsAndKeepsAnEventAddedMeanwhile) {
  TQtDesktop desktop;
  TForm1 window(Folder.Path().string(), desktop);
  window.Created();
  QApplication::processEvents();  // the second start-up stage
  TVpPlannerFiles& planner = window.LifeCycle().Planner();
  ASSERT_TRUE(planner.Store().ActiveResource() != nullptr);
  EXPECT_TRUE(planner.EventsTable().Partial()) << "the rest of the file is still being read";
  EXPECT_TRUE(window.LifeCycle().RestOfEvents().Running());

  auto* dayHost = window.findChild<TVpViewWidget*>("VpDayView1");
  ASSERT_NE(dayHost, nullptr);
  dayHost->repaint();
  const auto& drawn = static_cast<TVpDayView&>(dayHost->View()).EventArray();
  ASSERT_EQ(drawn.size(), 1u) << "today's event is shown";

  // An event added before the rest came.
  TVpSchedule& schedule = planner.Store().ActiveResource()->Schedule();
  const double today = DateOf(desktop.Clock.Now());
  TVpEvent& added = *schedule.AddEvent(-1, today + 14.0 / 24, today + 15.0 / 24);
  added.SetDescription("Added while loading");
  planner.Store().Changes().Add(added);
  window.LifeCycle().RestOfEvents().Finish();
  EXPECT_FALSE(planner.EventsTable().Partial());

  const std::string file = EventsFile();
  EXPECT_EQ(RowsIn(file), 401u) << "every event of the file, and the new one";
  EXPECT_NE(file.find("Added while loading"), std::string::npos);
  EXPECT_NE(file.find("Long ago 400"), std::string::npos);
  planner.Store().ReloadEvents();
  std::vector<TVpEvent*> shown;
  schedule.CollectEventsOn(today, shown);
  EXPECT_EQ(shown.size(), 2u);
  window.LifeCycle().SessionEnding();
  window.LifeCycle().CloseRequested();
  EXPECT_EQ(RowsIn(EventsFile()), 401u) << "closing loses nothing";
}

}  // namespace
