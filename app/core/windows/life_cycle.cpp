#include "app/core/windows/life_cycle.h"

#include "app/core/settings/printer_settings.h"
#include "app/core/settings/window_placement.h"
#include "app/core/skin/skin_paths.h"
#include "model/day_number.h"
#include "platform/error_text.h"
#include "store/control_link.h"

namespace {

// The names the program gives the ten event categories.
constexpr const char* kCategoryNames[] = {"Anniversary", "Birthday", "Business", "Get-together", "Gifts",
                                          "Holiday",     "Meeting",  "Personal", "Shopping",     "Other"};

}  // namespace

TLifeCycle::TLifeCycle(const std::string& programFolder, TMainWindowShell& window, TVpStoreServices services,
                       TMessagePoster& poster, TFileWriter& writer)
    : ProgramFolder_(programFolder),
      Window_(window),
      Poster_(poster),
      Settings_(writer),
      Planner_(services, writer, &window),
      RestOfEvents_(Planner_.EventsTable(), services.Timers),
      Printer_(poster, writer),
      SkinFavorites_(writer) {
  Settings_.SetFileName(ProgramFolder_ + "/Config/Config.ini");
  ApplyOrganizerPrinterSettings(Printer_);
  for (int i = 0; i < TVpCategoryColorMap::kCategoryCount; ++i)
    Planner_.Store().CategoryColorMap().Category(i)->SetDescription(kCategoryNames[i]);
}

void TLifeCycle::ReportError(const std::exception& error) { Window_.ShowError(DescribeError(error, "\n\n")); }

bool TLifeCycle::StartFirstStage() {
  try {
    Settings_.Open();
  } catch (const std::exception& e) {
    ReportError(e);  // the program starts with every setting at its default
  }
  StartSettings_ = ReadProgramSettings(Settings_);
  LoadStartSkin();
  Window_.SetTrayIconVisible(true);
  return !StartSettings_.StartMinimized;
}

void TLifeCycle::LoadStartSkin() {
  const TProgramSettings& s = StartSettings_;
  Skin_.SetHueShift(s.SkinColor);
  Skin_.SetBrightnessShift(s.SkinBrightness);
  const std::string error = Skin_.LoadSkin(SkinPathFromSetting(ProgramFolder_, s.SkinFileName));
  // A skin that is not used (the second stage drops it again) is not worth a message.
  if (!error.empty() && !s.DontUseSkin) Window_.ShowError(error + "\n\nThe program starts without a skin.");
}

void TLifeCycle::MainWindowCreated() {
  const TProgramSettings& s = StartSettings_;
  const TPoint desktop = Window_.DesktopSize();
  const int left = s.MFLeft.value_or(desktop.X - kDesignedSize.X);
  const int top = s.MFTop.value_or(desktop.Y - kDesignedSize.Y - 30);
  Window_.SetGeometry(KeepOnScreens({left, top, s.Width, s.Height}, Window_.Screens()));
  Window_.SetMaximized(s.Maximized);
  Window_.SetContactColumnWidth(s.ContactsCW);
  if (!s.StartMinimized) Window_.ShowMainWindow();
  else if (Window_.NotificationAreaAvailable()) Window_.HideMainWindow();
  else Window_.MinimizeMainWindow();  // without a notification area the window must stay reachable
  Poster_.Post(*this, StartupMessage);
}

void TLifeCycle::HandleMessage(int message) {
  if (message == StartupMessage) StartSecondStage();
}

void TLifeCycle::StartSecondStage() {
  const TProgramSettings& s = StartSettings_;
  Window_.ApplySettings(s);
  if (SkinPage_ != nullptr) SkinPage_->SetDontUseSkin(s.DontUseSkin);
  Window_.SetActiveTab(s.ActTab);
  Window_.SetWeekView(s.ShowWV, s.WVWidth);
  Window_.SetCalendarGeometry(
      KeepOnScreens({s.CalendarLeft, s.CalendarTop, s.CalendarWidth, s.CalendarHeight}, Window_.Screens()));
  Printer_.SetFormatsFileName(ProgramFolder_ + "/Config/PrintFormats.xml");
  LoadPrintFormats(Printer_.FormatsFileName());  // a file that fails is reported; the start goes on
  LoadLocalization();
  SkinFavorites_.SetFileName(ProgramFolder_ + "/Config/Skins.xml");
  Planner_.SetDataFolder(ProgramFolder_ + "/Data");
  // The main day view always starts with 30-minute slots, whatever the settings say.
  Window_.SetDayViewGranularity(gr30Min);
  try {
    const double today = DateOf(Planner_.Store().Services().Clock.Now());
    Planner_.ReadEventsForDays(today, today);
    Planner_.Connect();
    SelectActiveResource();
    RestOfEvents_.Start();
  } catch (const std::exception& e) {
    ReportError(e);
  }
  // The favourite skins do not depend on the data files: they open also when those fail.
  try {
    SkinFavorites_.Open();
  } catch (const std::exception& e) {
    ReportError(e);
  }
}

void TLifeCycle::LoadPrintFormats(const std::string& fileName) {
  try {
    const std::string error = Printer_.ReadFormatsFile(fileName, false);
    if (!error.empty())
      Window_.ShowError("The print formats file ends with an error; the formats before it were read.\n\n" + error);
  } catch (const std::exception& e) {
    ReportError(e);
  }
}

void TLifeCycle::LoadLocalization() {
  TVpControlLink& link = Window_.ControlLink();
  link.SetLocalizationFile(ProgramFolder_ + "/Config/Localize.xml");
  link.SetDefaultCountry("United States of America");
  // A missing file says nothing (the contact dialog then takes typed countries); a broken one is
  // told once, so that the user knows why countries are missing from the list.
  const std::string& error = link.Localization().LoadError();
  if (!error.empty())
    Window_.ShowError("The country list is incomplete: the localization file has an error.\n\n" + error);
}

void TLifeCycle::SelectActiveResource() {
  TVpFlexDataStore& store = Planner_.Store();
  Window_.SetResourcesMenu({}, -1);
  if (store.Resources().Count() == 0) {
    TVpResource* resource = store.Resources().AddResource(store.GetNextID("Resources"));
    store.SetActiveResource(resource);
    resource->SetDescription("KORET");
    store.PostResources();
    Settings_.WriteString("General", "ActiveResource", "KORET");
    store.LoadResources();
  }
  TVpResources& resources = store.Resources();
  if (resources.Count() == 0) return;

  // The resource the settings name, else the first; the setting is written only then.
  const std::string named = Settings_.ReadString("General", "ActiveResource", "KORET");
  TVpResource* chosen = resources.Items(0);
  for (int i = 0; i < resources.Count(); ++i)
    if (resources.Items(i)->Description() == named) chosen = resources.Items(i);
  store.SetActiveResource(chosen);
  if (named != chosen->Description()) Settings_.WriteString("General", "ActiveResource", chosen->Description());

  std::vector<std::string> descriptions;
  int checked = -1;
  for (int i = 0; i < resources.Count(); ++i) {
    descriptions.push_back(resources.Items(i)->Description());
    if (resources.Items(i) == store.ActiveResource()) checked = i;
  }
  Window_.SetResourcesMenu(descriptions, checked);
}

void TLifeCycle::ChooseResource(const std::string& description) {
  TVpFlexDataStore& store = Planner_.Store();
  store.SelectResourceByName(description);
  if (store.ActiveResource() != nullptr)
    Settings_.WriteString("General", "ActiveResource", store.ActiveResource()->Description());
}

void TLifeCycle::ResourcesChosenWithoutEntries(const std::function<void()>& newResource) {
  if (Planner_.Store().Services().MessageBoxes.AskOkCancel("Create new resource?")) newResource();
}

void TLifeCycle::ResourcesEdited() {
  TVpFlexDataStore& store = Planner_.Store();
  if (store.Resources().Count() == 0) return;
  if (store.ActiveResource() != nullptr)
    Settings_.WriteString("General", "ActiveResource", store.ActiveResource()->Description());
  SelectActiveResource();
}

void TLifeCycle::DeleteActiveResource() {
  TVpFlexDataStore& store = Planner_.Store();
  TVpResource* resource = store.ActiveResource();
  if (resource == nullptr) return;
  const std::string question = "This will permanently delete the resource \"" + resource->Description() +
                               "\" and all of its Event, Contact and Task data.\r\nAre you sure?";
  if (!store.Services().MessageBoxes.AskYesNo(question)) return;
  store.RemoveResource(resource);
  SelectActiveResource();
  // The first resource, also when the settings named another one.
  TVpResources& resources = store.Resources();
  if (resources.Count() > 0 && store.ActiveResource() != resources.Items(0)) {
    Settings_.WriteString("General", "ActiveResource", resources.Items(0)->Description());
    SelectActiveResource();
  }
}

bool TLifeCycle::CloseRequested() {
  if (!ExitRequested_) {
    HideToTray();
    return false;
  }
  if (Closed_) return true;
  Closed_ = true;
  // Every change to the planner data was written when it was made; what is left is the window's
  // state. A failure to save it is reported and does not keep the program from ending.
  try {
    SaveWindowState();
  } catch (const std::exception& e) {
    ReportError(e);
  }
  Settings_.Close();
  SkinFavorites_.Close();  // every change was written when it was made
  try {
    Planner_.Disconnect();
  } catch (const std::exception& e) {
    ReportError(e);
  }
  Window_.StopClock();
  return true;
}

void TLifeCycle::SaveWindowState() {
  TProgramSettings s = StartSettings_;
  s.ActTab = Window_.ActiveTab();
  const TRect window = Window_.Geometry();
  s.MFLeft = window.Left;
  s.MFTop = window.Top;
  s.Width = window.Width();
  s.Height = window.Height();
  s.Maximized = Window_.Maximized();
  s.ContactsCW = Window_.ContactColumnWidth();
  s.ShowWV = Window_.WeekViewShown();
  s.WVWidth = Window_.WeekViewWidth();
  const TRect calendar = Window_.CalendarGeometry();
  s.CalendarWidth = calendar.Width();
  s.CalendarHeight = calendar.Height();
  s.CalendarLeft = calendar.Left;
  s.CalendarTop = calendar.Top;
  // One replacement of the settings file for all the keys, not one synced write per key.
  Settings_.WriteTogether([&] { WriteProgramSettings(Settings_, s, swExit); });
}

void TLifeCycle::HideToTray() {
  if (Window_.NotificationAreaAvailable()) Window_.HideMainWindow();
  else Window_.MinimizeMainWindow();
}

void TLifeCycle::Exit() {
  ExitRequested_ = true;
  Window_.CloseMainWindow();
}
