#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
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
  EXPECT_EQ(window.minimumSize(), QSize(402, 396));
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

// The window is at least its designed size and as large as its pages need at the desktop's font:
// every tab caption whole at that font, every button's caption whole, every sample at least its
// designed size, nothing outside its page.
TEST_F(PreferencesWindow, TheWindowGrowsToWhatItsPagesNeedAtTheDesktopsFont) {
  window.Connect({tasks, day, week, month, contacts}, store, link, settings);
  auto& pages = Control<QTabWidget>("PageControl1");
  pages.addTab(new QWidget, "Sync");  // the eighth tab, as the program has it
  const QFont desktop = QApplication::font();
  for (const qreal points : {8.0, 10.0, 16.0}) {
    SCOPED_TRACE(points);
    QFont font = desktop;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    QApplication::processEvents();  // every control takes the font
    Open();
    EXPECT_GE(window.width(), 402);
    EXPECT_GE(window.height(), 396);
    const QTabBar& bar = *pages.tabBar();
    EXPECT_EQ(bar.font().pointSizeF(), points) << "the captions keep the desktop's size";
    for (int i = 0; i < bar.count(); ++i)
      EXPECT_GE(bar.tabRect(i).width(), bar.fontMetrics().horizontalAdvance(bar.tabText(i))) << i;
    EXPECT_LE(bar.tabRect(bar.count() - 1).right(), pages.width());
    for (int i = 0; i < pages.count(); ++i) {
      QWidget& page = *pages.widget(i);
      pages.setCurrentIndex(i);
      QApplication::processEvents();
      for (QWidget* child : page.findChildren<QWidget*>()) {
        if (!child->isVisible()) continue;
        const QRect place(child->mapTo(&page, QPoint()), child->size());
        EXPECT_TRUE(page.rect().contains(place))
            << pages.tabText(i).toStdString() << " " << child->metaObject()->className();
        if (auto* button = qobject_cast<QPushButton*>(child)) {
          EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
      }
      if (auto* preview = page.findChild<QGroupBox*>("Preview")) {
        EXPECT_GE(preview->width(), 271);
        EXPECT_GE(preview->height(), 316);
      }
    }
    window.hide();
  }
  QApplication::setFont(desktop);
}

}  // namespace
