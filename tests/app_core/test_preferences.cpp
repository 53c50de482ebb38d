#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/core/settings/view_settings.h"
#include "app/core/windows/preferences.h"
#include "platform/english_locale.h"
#include "tests/support/failing_file_calls.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_timers.h"
#include "tests/support/temporary_folder.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

namespace {

// One of each view kind, made as the program makes them.
struct TViewSet {
  TViewSet(const TClock& clock, const TLocale& locale)
      : Tasks(clock, locale), Day(clock, locale), Week(clock, locale), Month(clock, locale) {}
  TPreferenceViews Views() { return {Tasks, Day, Week, Month, Contacts}; }

  TVpTaskList Tasks;
  TVpDayView Day;
  TVpWeekView Week;
  TVpMonthView Month;
  TVpContactGrid Contacts;
};

// The value a button's element holds in the views, as text, so that fonts and colours compare alike.
std::string ElementOf(const TLookButton& button, TPreferenceViews views) {
  if (button.Font == nullptr) return std::to_string(button.Color(views));
  const TFont& font = button.Font(views).Font();
  return font.Name + "/" + std::to_string(font.Size) + "/" + std::to_string(font.Color) + "/" +
         std::to_string(font.Style);
}

// A distinct value for the i-th button's element.
void SetDistinct(const TLookButton& button, TPreferenceViews views, int i) {
  if (button.Font != nullptr)
    button.Font(views).Assign({.Name = "Font " + std::to_string(i),
                               .Size = 6 + i,
                               .Color = static_cast<TColor>(0x10000 + i),
                               .Style = static_cast<TFontStyles>(i % 16)});
  else button.SetColor(views, static_cast<TColor>(0x20000 + i));
}

class Preferences : public ::testing::Test {
 protected:
  Preferences() {
    settings.SetFileName(folder.File("Config.ini"));
    TTemporaryFolder::Write(settings.FileName(), "[Daily]\nGran=3\n[Skin]\nFilename=Dark.skin\n");
    settings.Open();
    ConfigurePreferenceSamples(samples.Views());
  }

  std::string SettingsFile() const { return TTemporaryFolder::Read(settings.FileName()); }

  TTemporaryFolder folder;
  TFakeClock clock;
  TEnglishLocale locale;
  TAtomicFileWriter writer;
  TSettingsStore settings{writer};
  TFakeMessageBoxes messageBoxes;
  const std::string autostartFile = folder.File("my config/autostart/koret.desktop");
  TAutostartEntry autostart{autostartFile, writer};
  TViewSet live{clock, locale};
  TViewSet samples{clock, locale};
  TPreferences preferences{live.Views(), samples.Views(), settings, autostart, "/opt/my apps/koret", messageBoxes};
};

// A button wired to the wrong key or the wrong view comes back from a restart with another
// value: every element gets its own, and the start-up path reads them into fresh views.
TEST_F(Preferences, EveryFontAndColourSurvivesOkAndARestart) {
  preferences.Showing();
  const std::vector<TLookButton>& buttons = LookButtons();
  for (size_t i = 0; i < buttons.size(); ++i) SetDistinct(buttons[i], samples.Views(), static_cast<int>(i));
  preferences.Ok();

  TSettingsStore reread{writer};
  reread.SetFileName(settings.FileName());
  reread.Open();
  const TProgramSettings stored = ReadProgramSettings(reread);
  TViewSet restarted{clock, locale};
  ApplyTaskListSettings(restarted.Tasks, stored);
  ApplyDayViewSettings(restarted.Day, stored);
  ApplyWeekViewSettings(restarted.Week, stored);
  ApplyMonthViewSettings(restarted.Month, stored);
  ApplyContactGridSettings(restarted.Contacts, stored);
  std::set<std::string> seen;
  for (const TLookButton& button : buttons) {
    const std::string expected = ElementOf(button, samples.Views());
    EXPECT_TRUE(seen.insert(expected).second) << button.Caption << ": two buttons edit one element";
    EXPECT_EQ(ElementOf(button, live.Views()), expected) << button.Page << " " << button.Caption << " (live)";
    EXPECT_EQ(ElementOf(button, restarted.Views()), expected) << button.Page << " " << button.Caption;
  }
  EXPECT_EQ(restarted.Week.AllDayEventAttributes().BackgroundColor(), samples.Week.Color());
  EXPECT_EQ(live.Week.AllDayEventAttributes().BackgroundColor(), samples.Week.Color());
}

TEST_F(Preferences, WeeklyBackgroundColourSetsTheAllDayAreaToo) {
  const auto weekly = std::find_if(LookButtons().begin(), LookButtons().end(), [](const TLookButton& b) {
    return b.Page == ppWeekly && std::string(b.Caption) == "Background Color" && std::string(b.Group).empty();
  });
  ASSERT_NE(weekly, LookButtons().end());
  TPreferenceViews views = samples.Views();
  weekly->SetColor(views, clYellow);
  EXPECT_EQ(samples.Week.Color(), clYellow);
  EXPECT_EQ(samples.Week.AllDayEventAttributes().BackgroundColor(), clYellow);
  EXPECT_NE(samples.Week.AllDayEventAttributes().EventBackgroundColor(), clYellow) << "the events keep theirs";
}

// Cancel is not calling OK: whatever the user did in the window, the file and the live views
// stay as they were.
TEST_F(Preferences, ChangesWithoutOkWriteNothingAndLeaveTheLiveViews) {
  const std::string before = SettingsFile();
  const std::vector<TLookButton>& buttons = LookButtons();
  std::vector<std::string> liveBefore;
  for (const TLookButton& button : buttons) liveBefore.push_back(ElementOf(button, live.Views()));
  const bool showAll = live.Tasks.DisplayOptions().ShowAll();
  preferences.Showing();
  for (size_t i = 0; i < buttons.size(); ++i) SetDistinct(buttons[i], samples.Views(), static_cast<int>(i));
  preferences.SetShowAll(!showAll);
  preferences.SetTimeFormatIndex(0);
  preferences.SetGranularityIndex(gr05Min);
  preferences.SetStartMinimized(true);
  EXPECT_EQ(SettingsFile(), before);
  for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(ElementOf(buttons[i], live.Views()), liveBefore[i]);
  EXPECT_EQ(live.Tasks.DisplayOptions().ShowAll(), showAll);
  EXPECT_EQ(live.Day.Granularity(), gr30Min);
  EXPECT_FALSE(std::filesystem::exists(autostartFile));
}

// Start-up set the samples to the stored 15 minutes, but the main day view runs at 30: showing
// copies that, and OK writes it. The skin's key stays as stored without a skin page.
TEST_F(Preferences, OkWritesTheLiveGranularityAndTheStartOptions) {
  TProgramSettings start;
  start.DailyGran = 3;
  start.TimeFormat = 0;
  start.StartMinimized = true;
  preferences.ApplyStartSettings(start);
  EXPECT_EQ(preferences.GranularityIndex(), 3);
  live.Day.SetGranularity(gr30Min);
  preferences.Showing();
  preferences.Ok();
  const TProgramSettings stored = ReadProgramSettings(settings);
  EXPECT_EQ(stored.DailyGran, 5);
  EXPECT_EQ(stored.TimeFormat, 0);
  EXPECT_TRUE(stored.StartMinimized);
  EXPECT_EQ(stored.SkinFileName, "Dark.skin");
  EXPECT_EQ(live.Day.TimeFormat(), tf12Hour);
}

TEST_F(Preferences, OkWritesOrRemovesTheAutostartEntry) {
  preferences.SetStartWithDesktop(true);
  preferences.Ok();
  EXPECT_NE(TTemporaryFolder::Read(autostartFile).find("\nExec=\"/opt/my apps/koret\"\n"), std::string::npos);
  preferences.SetStartWithDesktop(false);
  preferences.Ok();
  EXPECT_FALSE(std::filesystem::exists(autostartFile));
  preferences.Ok();  // no entry to remove is no error
  EXPECT_TRUE(messageBoxes.Shown.empty());
  EXPECT_FALSE(ReadProgramSettings(settings).StartWithWindows);
}

// An entry that cannot be written is reported with its file and the reason; the choice is kept.
TEST_F(Preferences, AnAutostartEntryThatCannotBeWrittenIsReported) {
  TFailingCalls failing(stRename, EACCES);
  TAtomicFileWriter failingWriter(failing);
  TAutostartEntry entry(autostartFile, failingWriter);
  TPreferences window(live.Views(), samples.Views(), settings, entry, "/opt/koret", messageBoxes);
  window.SetStartWithDesktop(true);
  window.Ok();
  ASSERT_EQ(messageBoxes.Shown.size(), 1u);
  EXPECT_NE(messageBoxes.Shown[0].Text.find(autostartFile), std::string::npos) << messageBoxes.Shown[0].Text;
  EXPECT_NE(messageBoxes.Shown[0].Text.find("Permission denied"), std::string::npos);
  EXPECT_TRUE(ReadProgramSettings(settings).StartWithWindows);
}

}  // namespace
