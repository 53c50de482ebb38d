#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <filesystem>

#include "app/main_window.h"
#include "model/day_number.h"
#include "tests/support/temporary_folder.h"
#include "views/qt/view_widget.h"

namespace {

// The Events tab of the main window on a new installation: the week view beside the day view,
// shown and hidden by the Week command, with its date following the day view's and back.
TEST(EventsTab, TheWeekViewIsToggledBesideTheDayViewAndFollowsItsDate) {
  TTemporaryFolder folder;
  std::filesystem::copy(std::string(KORET_RESOURCES_DIR), folder.Path(), std::filesystem::copy_options::recursive);
  TQtDesktop desktop;
  TForm1 window(folder.Path().string(), desktop);
  window.Created();
  window.resize(800, 600);
  window.show();
  QApplication::processEvents();

  auto* weekHost = window.findChild<TVpViewWidget*>("VpWeekView1");
  auto* dayHost = window.findChild<TVpViewWidget*>("VpDayView1");
  auto* splitter = window.findChild<QSplitter*>("sp1");
  QWidget* tab = window.findChild<QWidget*>("pnlEvents");
  ASSERT_TRUE(weekHost && dayHost && splitter && tab);
  EXPECT_FALSE(weekHost->isVisible()) << "hidden at first";
  EXPECT_EQ(splitter->handleWidth(), 0);

  auto* toggle = window.findChild<QAction*>("actWeek");
  ASSERT_NE(toggle, nullptr);
  toggle->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(weekHost->isVisible());
  EXPECT_TRUE(window.WeekViewShown());
  EXPECT_EQ(splitter->handleWidth(), 3);
  EXPECT_EQ(weekHost->width(), tab->width() / 2);
  EXPECT_TRUE(toggle->isChecked());
  window.resize(900, 600);
  QApplication::processEvents();
  EXPECT_EQ(weekHost->width(), tab->width() / 2) << "a resize gives half the tab again";

  auto& day = static_cast<TVpDayView&>(dayHost->View());
  auto& week = static_cast<TVpWeekView&>(weekHost->View());
  day.SetDate(EncodeDate(2024, 5, 12));
  EXPECT_EQ(week.Date(), EncodeDate(2024, 5, 12));
  EXPECT_EQ(week.WeekStart(), EncodeDate(2024, 5, 6));
  week.KeyDown(VK_LEFT, 0);  // Sunday to Wednesday
  EXPECT_EQ(day.Date(), EncodeDate(2024, 5, 8));

  toggle->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(weekHost->isVisible());
  EXPECT_FALSE(window.WeekViewShown());
  EXPECT_EQ(splitter->handleWidth(), 0);
  EXPECT_EQ(dayHost->width(), tab->width()) << "the day view takes the whole width";
}

}  // namespace
