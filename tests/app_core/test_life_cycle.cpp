#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/skin/skin_page_logic.h"
#include "app/core/windows/life_cycle.h"
#include "store/control_link.h"
#include "store/data_packet.h"
#include "tests/app_core/skin_test_files.h"
#include "tests/support/planner_fixture.h"

namespace {

// The main window as a record of what the life cycle did to it.
class TFakeMainWindow : public TMainWindowShell {
 public:
  TPoint DesktopSize() const override { return {1920, 1080}; }
  std::vector<TRect> Screens() const override { return {{0, 0, 1920, 1080}}; }
  TRect Geometry() const override { return Rect; }
  void SetGeometry(const TRect& rect) override { Rect = rect; }
  bool Maximized() const override { return IsMaximized; }
  void SetMaximized(bool maximized) override { IsMaximized = maximized; }
  int ActiveTab() const override { return Tab; }
  void SetActiveTab(int index) override { Tab = index; }
  int ContactColumnWidth() const override { return ColumnWidth; }
  void SetContactColumnWidth(int width) override { ColumnWidth = width; }
  bool WeekViewShown() const override { return WeekShown; }
  int WeekViewWidth() const override { return WeekWidth; }
  void SetWeekView(bool shown, int width) override {
    WeekShown = shown;
    WeekWidth = width;
  }
  TRect CalendarGeometry() const override { return Calendar; }
  void SetCalendarGeometry(const TRect& rect) override { Calendar = rect; }
  void ApplySettings(const TProgramSettings& settings) override { Applied = settings; }
  void SetDayViewGranularity(TVpGranularity granularity) override { Granularity = granularity; }
  void SetResourcesMenu(const std::vector<std::string>& descriptions, int checked) override {
    Menu = descriptions;
    Checked = checked;
  }
  bool NotificationAreaAvailable() const override { return HasTray; }
  void SetTrayIconVisible(bool visible) override { TrayIcon = visible; }
  void ShowMainWindow() override { State = "shown"; }
  void HideMainWindow() override { State = "hidden"; }
  void MinimizeMainWindow() override { State = "minimised"; }
  void CloseMainWindow() override {
    if (Owner->CloseRequested()) State = "closed";
  }
  void StopClock() override { ClockStopped = true; }
  void ShowError(const std::string& message) override { Errors.push_back(message); }
  TVpControlLink& ControlLink() override { return Link; }

  TLifeCycle* Owner = nullptr;
  TRect Rect;
  bool IsMaximized = false;
  int Tab = 1;
  int ColumnWidth = 0;
  bool WeekShown = false;
  int WeekWidth = 0;
  TRect Calendar;
  std::optional<TProgramSettings> Applied;
  std::optional<TVpGranularity> Granularity;
  std::vector<std::string> Menu;
  int Checked = -2;
  bool HasTray = true;
  bool TrayIcon = false;
  std::string State = "new";
  bool ClockStopped = false;
  std::vector<std::string> Errors;
  TVpControlLink Link;
};

// A program folder as a new installation lays it out, and the program started on it.
class LifeCycle : public ::testing::Test, protected TPlannerFixture {
 protected:
  LifeCycle() {
    std::filesystem::create_directories(Folder.File("Config"));
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR) + "/Config/PrintFormats.xml", Folder.File("Config"));
    std::filesystem::copy(std::string(KORET_RESOURCES_DIR) + "/Data", DataFolder(),
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  }

  std::string ConfigFile() const { return Folder.File("Config/Config.ini"); }
  std::string Config() const {
    return std::filesystem::exists(ConfigFile()) ? TTemporaryFolder::Read(ConfigFile()) : std::string();
  }

  // Starts the program: both stages, as the event loop would run them.
  void Start() {
    Window = std::make_unique<TFakeMainWindow>();
    Program = std::make_unique<TLifeCycle>(Folder.Path().string(), *Window,
                                           TVpStoreServices{Clock, Timers, Sound, Poster, MessageBoxes, Dialogs},
                                           Poster, Writer);
    Window->Owner = Program.get();
    Window->HasTray = HasTray;
    SkinPage = std::make_unique<TSkinPageLogic>(Folder.Path().string(), Program->Skin(), Program->SkinFavorites(),
                                                MessageBoxes);
    Program->SetSkinPage(SkinPage.get());
    Program->StartFirstStage();
    Program->MainWindowCreated();
    Poster.DeliverAll();
  }

  // Ends the program with the Exit command.
  void ExitProgram() {
    Program->Exit();
    SkinPage.reset();
    Program.reset();
    Window.reset();
  }

  std::vector<TRowValues> Rows(const char* file) {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(file)), fields, rows);
    return rows;
  }

  bool HasTray = true;
  std::unique_ptr<TFakeMainWindow> Window;
  std::unique_ptr<TLifeCycle> Program;
  std::unique_ptr<TSkinPageLogic> SkinPage;
};

TEST_F(LifeCycle, TheFirstStartMakesKoretAndTheNextReusesIt) {
  Start();
  ASSERT_TRUE(Window->Errors.empty()) << Window->Errors[0];
  TVpFlexDataStore& store = Program->Planner().Store();
  ASSERT_NE(store.ActiveResource(), nullptr);
  EXPECT_EQ(store.ActiveResource()->Description(), "KORET");
  EXPECT_EQ(store.ActiveResource()->ResourceID(), 1);
  EXPECT_EQ(Rows(TVpPlannerFiles::kResourcesFile).size(), 1u);
  EXPECT_NE(Config().find("ActiveResource=KORET"), std::string::npos);
  EXPECT_EQ(Window->Menu, std::vector<std::string>{"KORET"});
  EXPECT_EQ(Window->Checked, 0);
  EXPECT_EQ(store.CategoryColorMap().Description(3), "Get-together");
  ExitProgram();

  Start();
  EXPECT_EQ(Program->Planner().Store().ActiveResource()->ResourceID(), 1);
  EXPECT_EQ(Rows(TVpPlannerFiles::kResourcesFile).size(), 1u) << "no second KORET";
}

// Without a localization file the contact dialogs take typed countries and nothing is said; a
// broken one is told once and keeps the countries before the error. The default country is set.
TEST_F(LifeCycle, TheLocalizationFileIsReadAtStartAndABrokenOneIsReported) {
  Start();
  EXPECT_TRUE(Window->Errors.empty());
  EXPECT_TRUE(Window->Link.Localization().Countries().empty());
  EXPECT_EQ(Window->Link.DefaultCountry(), "United States of America");
  ExitProgram();

  TTemporaryFolder::Write(Folder.File("Config/Localize.xml"), "<Countries><Country Name=\"Canada\"/><Coun");
  Start();
  EXPECT_EQ(Window->Link.Localization().CountryNames(), std::vector<std::string>{"Canada"});
  ASSERT_EQ(Window->Errors.size(), 1u);
  EXPECT_NE(Window->Errors[0].find("Localize.xml: Line: 1"), std::string::npos) << Window->Errors[0];
  EXPECT_NE(Program->Planner().Store().ActiveResource(), nullptr) << "the start went on";
}

TEST_F(LifeCycle, PrintFormatsAreReadAtStartAndAFailingFileIsReportedAndKeepsThem) {
  Start();
  EXPECT_TRUE(Window->Errors.empty());
  const int shipped = static_cast<int>(Program->Printer().PrintFormats().size());
  EXPECT_GT(shipped, 0);
  Program->LoadPrintFormats(Folder.File("Config/Gone.xml"));
  ASSERT_EQ(Window->Errors.size(), 1u);
  EXPECT_NE(Window->Errors[0].find("Gone.xml"), std::string::npos) << Window->Errors[0];
  EXPECT_EQ(static_cast<int>(Program->Printer().PrintFormats().size()), shipped) << "the loaded formats stay";
  ExitProgram();

  std::filesystem::remove(Folder.File("Config/PrintFormats.xml"));
  Start();
  ASSERT_EQ(Window->Errors.size(), 1u);
  EXPECT_NE(Window->Errors[0].find("PrintFormats.xml"), std::string::npos) << Window->Errors[0];
  EXPECT_NE(Program->Planner().Store().ActiveResource(), nullptr) << "the start went on";
}

// The stored skin loads in the first stage with its shifts; a stored "Don't use skin" drops it
// again; a broken skin file is told (file and line) and the start goes on without a skin.
TEST_F(LifeCycle, TheStoredSkinLoadsAtStartAndABrokenOneIsReported) {
  std::filesystem::create_directories(Folder.File("Skins"));
  TTemporaryFolder::Write(Folder.File("Skins/Dark.skin"), SkinText("Dark"));
  TTemporaryFolder::Write(ConfigFile(), "[Skin]\nFilename= Dark.skin \nColor=30\nBrightness=-5\nDontUseSkin=0\n");
  Start();
  EXPECT_TRUE(Window->Errors.empty());
  EXPECT_EQ(Program->Skin().SkinName(), "Dark");
  EXPECT_EQ(Program->Skin().HueShift(), 30);
  EXPECT_EQ(Program->Skin().BrightnessShift(), -5);
  ExitProgram();

  TTemporaryFolder::Write(ConfigFile(), "[Skin]\nFilename=Dark.skin\nDontUseSkin=1\n");
  Start();
  EXPECT_FALSE(Program->Skin().HasSkin());
  EXPECT_TRUE(SkinPage->DontUseSkin());
  ExitProgram();

  TTemporaryFolder::Write(Folder.File("Skins/Dark.skin"), "name = Dark\nwindow = #00000\n");
  TTemporaryFolder::Write(ConfigFile(), "[Skin]\nFilename=Dark.skin\nDontUseSkin=0\n");
  Start();
  EXPECT_FALSE(Program->Skin().HasSkin());
  ASSERT_EQ(Window->Errors.size(), 1u);
  EXPECT_NE(Window->Errors[0].find("Skins/Dark.skin\", line 2"), std::string::npos) << Window->Errors[0];
  EXPECT_NE(Program->Planner().Store().ActiveResource(), nullptr) << "the start went on";
}

TEST_F(LifeCycle, TheStoredResourceIsHonoured) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Alpha\" ResourceActive=\"TRUE\"",
             "ResourceID=\"2\" Description=\"Work\" ResourceActive=\"TRUE\""});
  TTemporaryFolder::Write(ConfigFile(), "[General]\nActiveResource=Work\n");
  Start();
  EXPECT_EQ(Program->Planner().Store().ActiveResource()->Description(), "Work");
  EXPECT_EQ(Window->Checked, 1);
  EXPECT_EQ(Config(), "[General]\nActiveResource=Work\n") << "nothing needed writing";

  ExitProgram();
  TTemporaryFolder::Write(ConfigFile(), "[General]\nActiveResource=Gone\n");
  Start();
  EXPECT_EQ(Program->Planner().Store().ActiveResource()->Description(), "Alpha") << "the first one, by name";
  EXPECT_NE(Config().find("ActiveResource=Alpha"), std::string::npos);
}

TEST_F(LifeCycle, AMissingTableIsReportedAndNothingIsWritten) {
  std::filesystem::remove(TableFile(TVpPlannerFiles::kTasksFile));
  Start();
  ASSERT_EQ(Window->Errors.size(), 1u);
  EXPECT_EQ(Window->Errors[0].substr(0, Window->Errors[0].find('\n')), "Error: Unable to open Tasks");
  EXPECT_EQ(Program->Planner().Store().ActiveResource(), nullptr);
  EXPECT_EQ(Writer.TotalWrites(), 0) << "no data file and no settings were written";
  EXPECT_EQ(Window->State, "shown") << "the program keeps running";
}

TEST_F(LifeCycle, ACloseRequestHidesAndWritesNothing) {
  Start();
  const std::string before = Config();
  const int writes = Writer.TotalWrites();
  EXPECT_FALSE(Program->CloseRequested());
  EXPECT_EQ(Window->State, "hidden");
  EXPECT_EQ(Config(), before);
  EXPECT_EQ(Writer.TotalWrites(), writes);
}

TEST_F(LifeCycle, WithoutANotificationAreaTheWindowIsMinimisedInstead) {
  HasTray = false;
  TTemporaryFolder::Write(ConfigFile(), "[General]\nStartMinimized=1\n");
  Start();
  EXPECT_EQ(Window->State, "minimised");
  Window->State = "shown";
  EXPECT_FALSE(Program->CloseRequested());
  EXPECT_EQ(Window->State, "minimised");
  Window->State = "shown";
  Program->HideToTray();
  EXPECT_EQ(Window->State, "minimised") << "Hide to Tray leaves the window reachable";
}

TEST_F(LifeCycle, StartMinimizedHidesTheWindowAndStillRunsTheSecondStage) {
  TTemporaryFolder::Write(ConfigFile(), "[General]\nStartMinimized=1\n");
  Start();
  EXPECT_EQ(Window->State, "hidden");
  EXPECT_TRUE(Window->TrayIcon);
  EXPECT_NE(Program->Planner().Store().ActiveResource(), nullptr);
}

TEST_F(LifeCycle, ExitWritesTheKeysOfTheWindowsStateInOneReplacementOfTheFile) {
  TTemporaryFolder::Write(ConfigFile(), "[General]\nActiveResource=KORET\n");
  Start();
  Window->Tab = 2;
  Window->Rect = {10, 20, 710, 620};
  Window->ColumnWidth = 150;
  Window->WeekShown = true;
  Window->WeekWidth = 327;
  Window->Calendar = {400, 300, 700, 650};
  Writer.Written.clear();
  Program->Exit();
  EXPECT_EQ(Window->State, "closed");
  EXPECT_TRUE(Window->ClockStopped);
  EXPECT_EQ(Config(),
            "[General]\nActiveResource=KORET\nActTab=2\nMFLeft=10\nMFTop=20\nWidth=700\nHeight=600\nMaximized=0\n"
            "[Contacts]\nCW=150\n[Daily]\nShowWV=1\nWVWidth=327\n"
            "[Calendar]\nWidth=300\nHeight=350\nLeft=400\nTop=300\n");
  EXPECT_EQ(Writer.WritesOf(ConfigFile()), 1);
  EXPECT_EQ(Writer.TotalWrites(), 1) << "the data files were all written when they changed";
  EXPECT_FALSE(Program->Planner().Store().Connected());
}

TEST_F(LifeCycle, AFailedExitWriteIsReportedLeavesTheSettingsFileAsItWasAndStillCloses) {
  const std::string before = "[General]\nActiveResource=KORET\nActTab=1\n";
  TTemporaryFolder::Write(ConfigFile(), before);
  Start();
  Window->Tab = 2;
  Writer.Fail = true;
  Program->Exit();
  EXPECT_EQ(Window->State, "closed");
  EXPECT_EQ(Window->Errors.size(), 1u);
  EXPECT_EQ(Config(), before);
}

TEST_F(LifeCycle, TheDayViewStartsWithHalfHourSlotsWhateverTheSettings) {
  TTemporaryFolder::Write(ConfigFile(), "[Daily]\nGran=3\n");
  Start();
  ASSERT_TRUE(Window->Applied);
  EXPECT_EQ(Window->Applied->DailyGran, 3);
  EXPECT_EQ(Window->Granularity, gr30Min);
}

TEST_F(LifeCycle, TheWindowIsPlacedFromTheSettingsAndKeptOnTheScreen) {
  Start();
  EXPECT_EQ(Window->Rect, TRect({1920 - 660, 1080 - 483 - 30, 1920 - 660 + 500, 1080 - 483 - 30 + 560}));
  EXPECT_EQ(Window->ColumnWidth, 145);
  ExitProgram();
  TTemporaryFolder::Write(ConfigFile(), "[General]\nMFLeft=4000\nMFTop=100\nWidth=700\nHeight=500\n");
  Start();
  EXPECT_EQ(Window->Rect, TRect({1220, 100, 1920, 600})) << "moved back onto the screen";
  ExitProgram();
  TTemporaryFolder::Write(ConfigFile(),
                          "[General]\nMFLeft=2147483647\nMFTop=2147483647\nWidth=2147483647\nHeight=2147483647\n"
                          "[Calendar]\nLeft=2147483647\nTop=2147483647\nWidth=2147483647\nHeight=2147483647\n");
  Start();
  EXPECT_EQ(Window->Rect, TRect({0, 0, 1920, 1080})) << "the size fits the screen, no sum overflows";
  EXPECT_EQ(Window->Calendar, TRect({0, 0, 1920, 1080}));
  Program->Exit();
  EXPECT_NE(Config().find("[Calendar]\nLeft=0\nTop=0\nWidth=1920\nHeight=1080\n"), std::string::npos) << Config();
}

TEST_F(LifeCycle, AMaximisedWindowIsStoredWithItsOwnPlaceAndComesBackMaximised) {
  TTemporaryFolder::Write(ConfigFile(), "[General]\nMFLeft=100\nMFTop=80\nWidth=700\nHeight=500\n");
  Start();
  EXPECT_FALSE(Window->IsMaximized) << "a file without the key: as it always was";
  Window->IsMaximized = true;  // the place stays the one it goes back to
  ExitProgram();
  for (const char* key : {"MFLeft=100\n", "MFTop=80\n", "Width=700\n", "Height=500\n", "Maximized=1\n"})
    EXPECT_NE(Config().find(key), std::string::npos) << key << Config();
  Start();
  EXPECT_TRUE(Window->IsMaximized);
  EXPECT_EQ(Window->Rect, TRect({100, 80, 800, 580}));
  EXPECT_EQ(Window->State, "shown");
  Window->IsMaximized = false;
  ExitProgram();
  EXPECT_NE(Config().find("Maximized=0\n"), std::string::npos) << Config();
  Start();
  EXPECT_FALSE(Window->IsMaximized);
}

TEST_F(LifeCycle, AMaximisedWindowStartedInTheNotificationAreaIsMaximisedBeforeItHides) {
  TTemporaryFolder::Write(ConfigFile(), "[General]\nStartMinimized=1\nMaximized=1\n");
  Start();
  EXPECT_TRUE(Window->IsMaximized);
  EXPECT_EQ(Window->State, "hidden");
}

TEST_F(LifeCycle, DeletingAResourceTakesItsRecordsAndMakesTheFirstActive) {
  WriteRows("Resources", TVpPlannerFiles::kResourcesFile,
            {"ResourceID=\"1\" Description=\"Alpha\" ResourceActive=\"TRUE\"",
             "ResourceID=\"2\" Description=\"Work\" ResourceActive=\"TRUE\""});
  WriteRows("Tasks", TVpPlannerFiles::kTasksFile,
            {"RecordID=\"1\" ResourceID=\"2\" Description=\"Report\"",
             "RecordID=\"2\" ResourceID=\"1\" Description=\"Shopping\""});
  TTemporaryFolder::Write(ConfigFile(), "[General]\nActiveResource=Work\n");
  Start();
  TVpFlexDataStore& store = Program->Planner().Store();
  Program->DeleteActiveResource();  // answered No
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text,
            "This will permanently delete the resource \"Work\" and all of its Event, Contact and Task "
            "data.\r\nAre you sure?");
  EXPECT_EQ(store.Resources().Count(), 2);

  MessageBoxes.Answers.push_back(mrYes);
  Program->DeleteActiveResource();
  EXPECT_EQ(store.ActiveResource()->Description(), "Alpha");
  EXPECT_EQ(Window->Menu, std::vector<std::string>{"Alpha"});
  EXPECT_EQ(Window->Checked, 0);
  EXPECT_NE(Config().find("ActiveResource=Alpha"), std::string::npos);
  ASSERT_EQ(Rows(TVpPlannerFiles::kTasksFile).size(), 1u) << "Work's task went with it";

  MessageBoxes.Answers.push_back(mrYes);
  Program->DeleteActiveResource();
  EXPECT_EQ(store.ActiveResource()->Description(), "KORET") << "the only resource gives way to KORET";
  EXPECT_EQ(Window->Menu, std::vector<std::string>{"KORET"});
  EXPECT_EQ(Window->Checked, 0);
  EXPECT_TRUE(Rows(TVpPlannerFiles::kTasksFile).empty());
}

// The Resources submenu without entries asks first; OK runs "New Resource", Cancel nothing. A
// delete the store cannot write leaves the resource and its menu entry.
TEST_F(LifeCycle, AnEmptyResourcesMenuOffersANewResourceAndAFailedDeleteKeepsTheMenu) {
  Start();
  int newResources = 0;
  MessageBoxes.Answers = {mrCancel, mrOk};
  Program->ResourcesChosenWithoutEntries([&] { ++newResources; });
  Program->ResourcesChosenWithoutEntries([&] { ++newResources; });
  ASSERT_EQ(MessageBoxes.Shown.size(), 2u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "Create new resource?");
  EXPECT_EQ(MessageBoxes.Shown[0].Buttons, mbOKCancel);
  EXPECT_EQ(newResources, 1);

  Writer.Fail = true;
  MessageBoxes.Answers.push_back(mrYes);
  EXPECT_ANY_THROW(Program->DeleteActiveResource());
  EXPECT_EQ(Window->Menu, std::vector<std::string>{"KORET"});
  EXPECT_EQ(Window->Checked, 0);
  Writer.Fail = false;
  EXPECT_EQ(Rows(TVpPlannerFiles::kResourcesFile).size(), 1u);
}

TEST_F(LifeCycle, SessionEndMakesTheNextCloseReal) {
  Start();
  Program->SessionEnding();
  EXPECT_TRUE(Program->CloseRequested());
  EXPECT_TRUE(Program->CloseRequested()) << "a second close does nothing more";
}

}  // namespace
