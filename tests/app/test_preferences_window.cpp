#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <cstdlib>
#include <filesystem>

#include "app/preferences_window.h"
#include "store/control_link.h"
#include "store/flex_data_store.h"
#include "tests/support/temporary_folder.h"

namespace {

// The window's controls reach the settings and the live views through OK, and only through it.
// The autostart entry goes to a temporary folder.
class PreferencesWindow : public ::testing::Test {
 protected:
  PreferencesWindow() {
    settings.SetFileName(folder.File("Config.ini"));
    settings.Open();
  }
  ~PreferencesWindow() override { unsetenv("XDG_CONFIG_HOME"); }

  template <class T>
  T& Control(const char* name) {
    T* control = window.findChild<T*>(name);
    if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *control;
  }
  void Open() {
    window.show();
    QApplication::processEvents();
  }

  TTemporaryFolder folder;
  // Before the window, which takes its autostart entry's place from it.
  const int configHome = setenv("XDG_CONFIG_HOME", folder.File("xdg").c_str(), 1);
  TQtDesktop desktop;
  TSettingsStore settings{desktop.Writer};
  TVpTaskList tasks{desktop.Clock, desktop.Locale};
  TVpDayView day{desktop.Clock, desktop.Locale};
  TVpWeekView week{desktop.Clock, desktop.Locale};
  TVpMonthView month{desktop.Clock, desktop.Locale};
  TVpContactGrid contacts;
  TVpFlexDataStore store{desktop.StoreServices()};
  TVpControlLink link;
  TfrmOpt window{desktop, nullptr};
};

TEST_F(PreferencesWindow, StartUpShowingAndOkCarryTheControlsState) {
  window.Connect({tasks, day, week, month, contacts}, store, link, settings);
  TProgramSettings start;
  start.TimeFormat = 0;
  start.StartMinimized = true;
  start.StartWithWindows = false;
  window.ApplyStartSettings(start);
  EXPECT_EQ(window.size(), QSize(402, 396));
  auto& pages = Control<QTabWidget>("PageControl1");
  ASSERT_EQ(pages.count(), 7);
  EXPECT_EQ(pages.tabText(6), "Contacts");
  EXPECT_EQ(Control<QComboBox>("cbTime").currentIndex(), 0);
  EXPECT_TRUE(Control<QCheckBox>("cbMinimized").isChecked());
  EXPECT_FALSE(Control<QCheckBox>("cbStartup").isChecked());

  tasks.DisplayOptions().SetShowAll(true);
  Open();
  EXPECT_TRUE(Control<QCheckBox>("cbShowAll").isChecked()) << "showing takes the live list's options";
  EXPECT_TRUE(Control<QComboBox>("cbGran").isHidden());
  Control<QCheckBox>("cbShowDue").click();
  Control<QComboBox>("cbTime").setCurrentIndex(1);
  EXPECT_TRUE(tasks.DisplayOptions().ShowDueDate()) << "the live list waits for OK";
  Control<QPushButton>("btnOK").click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(tasks.DisplayOptions().ShowDueDate());
  EXPECT_EQ(day.TimeFormat(), tf24Hour);
  const TProgramSettings stored = ReadProgramSettings(settings);
  EXPECT_TRUE(stored.StartMinimized);
  EXPECT_FALSE(stored.TasksShowDue);
  EXPECT_EQ(stored.TimeFormat, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.File("xdg/autostart/koret.desktop")));
}

}  // namespace
