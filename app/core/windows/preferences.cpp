#include "app/core/windows/preferences.h"

#include "app/core/settings/view_settings.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

namespace {

using V = TPreferenceViews;
using S = TProgramSettings;

TLookButton FontButton(TPreferencesPage page, const char* caption, TVpFont& (*font)(V&), TSettingsFont S::*key,
                       const char* group = "") {
  return {.Page = page, .Group = group, .Caption = caption, .Font = font, .FontKey = key};
}

TLookButton ColorButton(TPreferencesPage page, const char* caption, TColor (*color)(const V&),
                        void (*setColor)(V&, TColor), TColor S::*key, const char* group = "") {
  return {.Page = page, .Group = group, .Caption = caption, .Color = color, .SetColor = setColor, .ColorKey = key};
}

// The element of a view a button edits, as the functions the table takes.
#define FONT_OF(element) [](V& v) -> TVpFont& { return v.element; }
#define COLOR_OF(view, getter, setter) \
  [](const V& v) { return v.view.getter(); }, [](V& v, TColor c) { v.view.setter(c); }

constexpr const char* kAllDay = "All Day Event";

}  // namespace

const std::vector<TLookButton>& LookButtons() {
  static const std::vector<TLookButton> buttons = {
      FontButton(ppTasks, "Header Font", FONT_OF(Tasks.TaskHeadAttributes().Font()), &S::TasksHFont),
      FontButton(ppTasks, "Task Font", FONT_OF(Tasks.Font()), &S::TasksLFont),
      ColorButton(ppTasks, "Background Color", COLOR_OF(Tasks, Color, SetColor), &S::TasksBGColor),
      ColorButton(ppTasks, "Line Color", COLOR_OF(Tasks, LineColor, SetLineColor), &S::TasksLineColor),
      ColorButton(ppTasks, "Completed Color", COLOR_OF(Tasks.DisplayOptions(), CompletedColor, SetCompletedColor),
                  &S::TasksCompletedColor),
      ColorButton(ppTasks, "Overdue Color", COLOR_OF(Tasks.DisplayOptions(), OverdueColor, SetOverdueColor),
                  &S::TasksOverDueColor),

      FontButton(ppDaily, "Header Font", FONT_OF(Day.HeadAttributes().Font()), &S::DailyHFont),
      FontButton(ppDaily, "Event Font", FONT_OF(Day.Font()), &S::DailyEFont),
      FontButton(ppDaily, "Hour Font", FONT_OF(Day.RowHeadAttributes().HourFont()), &S::DailyHourFont),
      FontButton(ppDaily, "Minute Font", FONT_OF(Day.RowHeadAttributes().MinuteFont()), &S::DailyMinFont),
      ColorButton(ppDaily, "Weekday Color", COLOR_OF(Day.TimeSlotColors(), Weekday, SetWeekday), &S::DailyWDColor),
      ColorButton(ppDaily, "Weekend Color", COLOR_OF(Day.TimeSlotColors(), Weekend, SetWeekend), &S::DailyWEColor),
      ColorButton(ppDaily, "Line Color", COLOR_OF(Day, LineColor, SetLineColor), &S::DailyLineColor),

      FontButton(ppWeekly, "Header Font", FONT_OF(Week.HeadAttributes().Font()), &S::WeeklyHFont),
      FontButton(ppWeekly, "Day Font", FONT_OF(Week.DayHeadAttributes().Font()), &S::WeeklyDFont),
      FontButton(ppWeekly, "Event Font", FONT_OF(Week.EventFont()), &S::WeeklyEFont),
      // The week's background is the all-day area's too.
      ColorButton(
          ppWeekly, "Background Color", [](const V& v) { return v.Week.Color(); },
          [](V& v, TColor c) {
            v.Week.SetColor(c);
            v.Week.AllDayEventAttributes().SetBackgroundColor(c);
          },
          &S::WeeklyBGColor),
      ColorButton(ppWeekly, "Line Color", COLOR_OF(Week, LineColor, SetLineColor), &S::WeeklyLineColor),
      FontButton(ppWeekly, "Font", FONT_OF(Week.AllDayEventAttributes().Font()), &S::WeeklyADFont, kAllDay),
      ColorButton(ppWeekly, "Background Color",
                  COLOR_OF(Week.AllDayEventAttributes(), EventBackgroundColor, SetEventBackgroundColor),
                  &S::WeeklyADBGColor, kAllDay),
      ColorButton(ppWeekly, "Border Color",
                  COLOR_OF(Week.AllDayEventAttributes(), EventBorderColor, SetEventBorderColor),
                  &S::WeeklyADBorderColor, kAllDay),

      FontButton(ppCalendar, "Header Font", FONT_OF(Month.DayHeadAttributes().Font()), &S::CalendarHFont),
      FontButton(ppCalendar, "Event Font", FONT_OF(Month.EventFont()), &S::CalendarEFont),
      FontButton(ppCalendar, "Day Number Font", FONT_OF(Month.DayNumberFont()), &S::CalendarDNFont),
      ColorButton(ppCalendar, "Background Color", COLOR_OF(Month, Color, SetColor), &S::CalendarBGColor),
      ColorButton(ppCalendar, "Off Day Color", COLOR_OF(Month, OffDayColor, SetOffDayColor), &S::CalendarODColor),
      ColorButton(ppCalendar, "Active Day Color", COLOR_OF(Month, SelectedDayColor, SetSelectedDayColor),
                  &S::CalendarADColor),
      ColorButton(ppCalendar, "Line Color", COLOR_OF(Month, LineColor, SetLineColor), &S::CalendarLineColor),

      FontButton(ppContacts, "Header Font", FONT_OF(Contacts.ContactHeadAttributes().Font()), &S::ContactsHFont),
      FontButton(ppContacts, "List Font", FONT_OF(Contacts.Font()), &S::ContactsLFont),
      ColorButton(ppContacts, "Background Color", COLOR_OF(Contacts, Color, SetColor), &S::ContactsBGColor),
      ColorButton(ppContacts, "Header Color", COLOR_OF(Contacts.ContactHeadAttributes(), Color, SetColor),
                  &S::ContactsHColor),
      ColorButton(ppContacts, "Bar Color", COLOR_OF(Contacts, BarColor, SetBarColor), &S::ContactsBarColor),
  };
  return buttons;
}

#undef FONT_OF
#undef COLOR_OF

namespace {

// Every element showing copies into the samples and OK copies back: the buttons' elements (in
// the order of the views), then the day view's granularity and the time format of the three
// date views.
void CopyLooks(V& from, V& to) {
  for (const TLookButton& button : LookButtons()) {
    if (button.Font != nullptr) button.Font(to).Assign(button.Font(from).Font());
    else button.SetColor(to, button.Color(from));
  }
  to.Day.SetGranularity(from.Day.Granularity());
  to.Day.SetSecondZone(from.Day.SecondZone());
  to.Day.SetTimeFormat(from.Day.TimeFormat());
  to.Week.SetTimeFormat(from.Week.TimeFormat());
  to.Month.SetTimeFormat(from.Month.TimeFormat());
}

}  // namespace

void ConfigurePreferenceSamples(TPreferenceViews samples) {
  TVpTaskDisplayOptions& tasks = samples.Tasks.DisplayOptions();
  tasks.SetDueDateFormat("dd.MM.yyyy");
  tasks.SetCheckStyle(csX);
  samples.Tasks.SetMaxVisibleTasks(250);
  samples.Tasks.SetShowResourceName(false);
  samples.Day.SetShowEventTimes(false);
  samples.Day.SetGutterWidth(10);
  samples.Day.SetDateLabelFormat("dddd, mmmm dd, yyyy");
  samples.Day.SetDefaultTopHour(h_07);
  samples.Week.SetDateLabelFormat("dddd, mmmm dd, yyyy");
  samples.Week.DayHeadAttributes().SetDateFormat("dddd mmmm, dd");
  samples.Week.DayHeadAttributes().SetBordered(true);
  samples.Week.SetShowEventTime(true);
  samples.Week.SetWeekStartsOn(dtMonday);
  samples.Month.SetKBNavigation(true);
  samples.Month.SetDateLabelFormat("mmmm yyyy");
  samples.Month.SetDayNameStyle(dsShort);
  samples.Month.SetEventDayStyle(fsBold);
  samples.Month.SetShowEventTime(false);
  samples.Month.SetWeekStartsOn(dtSunday);
  samples.Contacts.SetColumnWidth(145);
  samples.Contacts.SetBarWidth(3);
  samples.Contacts.ContactHeadAttributes().SetBordered(true);
  for (TVpLinkableControl* view : std::initializer_list<TVpLinkableControl*>{
           &samples.Tasks, &samples.Day, &samples.Week, &samples.Month, &samples.Contacts})
    view->SetReadOnly(true);
}

TPreferences::TPreferences(TPreferenceViews live, TPreferenceViews samples, TSettingsStore& settings,
                           TLogOnEntry& logOn, std::string executable, TMessageBoxes& messageBoxes)
    : Live_(live),
      Samples_(samples),
      Settings_(settings),
      LogOn_(logOn),
      Executable_(std::move(executable)),
      MessageBoxes_(messageBoxes) {}

void TPreferences::ApplyStartSettings(const TProgramSettings& settings) {
  StartMinimized_ = settings.StartMinimized;
  StartWithDesktop_ = settings.StartWithWindows;
  NewEventsZoned_ = settings.NewEventsZoned;
  DesktopNotifications_ = settings.DesktopNotifications;
  if (settings.TimeFormat == 0 || settings.TimeFormat == 1) TimeFormatIndex_ = settings.TimeFormat;
  const int gran = settings.DailyGran == -1 ? gr30Min : settings.DailyGran;
  if (gran >= gr05Min && gran <= gr60Min) SetGranularityIndex(gran);
  SetSecondZone(settings.DailySecondZone);
}

void TPreferences::Showing() {
  if (SkinPage_ != nullptr) SkinPage_->Showing();
  const TVpTaskDisplayOptions& live = Live_.Tasks.DisplayOptions();
  SetShowAll(live.ShowAll());
  SetShowCompleted(live.ShowCompletedTasks());
  SetShowDueDate(live.ShowDueDate());
  CopyLooks(Live_, Samples_);
}

void TPreferences::SetTimeFormatIndex(int index) {
  if (index != 0 && index != 1) return;
  TimeFormatIndex_ = index;
  const TVpTimeFormat format = index == 0 ? tf12Hour : tf24Hour;
  Samples_.Day.SetTimeFormat(format);
  Samples_.Week.SetTimeFormat(format);
  Samples_.Month.SetTimeFormat(format);
}

int TPreferences::GranularityIndex() const { return Samples_.Day.Granularity(); }

void TPreferences::SetGranularityIndex(int index) {
  if (index >= gr05Min && index <= gr60Min) Samples_.Day.SetGranularity(static_cast<TVpGranularity>(index));
}

const std::string& TPreferences::SecondZone() const { return Samples_.Day.SecondZone(); }
void TPreferences::SetSecondZone(std::string zone) { Samples_.Day.SetSecondZone(std::move(zone)); }

bool TPreferences::ShowAll() const { return Samples_.Tasks.DisplayOptions().ShowAll(); }
void TPreferences::SetShowAll(bool value) { Samples_.Tasks.DisplayOptions().SetShowAll(value); }
bool TPreferences::ShowCompleted() const { return Samples_.Tasks.DisplayOptions().ShowCompletedTasks(); }
void TPreferences::SetShowCompleted(bool value) { Samples_.Tasks.DisplayOptions().SetShowCompletedTasks(value); }
bool TPreferences::ShowDueDate() const { return Samples_.Tasks.DisplayOptions().ShowDueDate(); }
void TPreferences::SetShowDueDate(bool value) { Samples_.Tasks.DisplayOptions().SetShowDueDate(value); }

void TPreferences::Ok() {
  // Keys this window does not show keep what the file holds (the skin's, without a skin page).
  TProgramSettings settings = ReadProgramSettings(Settings_);
  settings.StartMinimized = StartMinimized_;
  settings.StartWithWindows = StartWithDesktop_;
  settings.TimeFormat = TimeFormatIndex_;
  settings.NewEventsZoned = NewEventsZoned_;
  settings.DesktopNotifications = DesktopNotifications_;
  if (SkinPage_ != nullptr) SkinPage_->WriteSettings(settings);
  settings.TasksShowAll = ShowAll();
  settings.TasksShowCompleted = ShowCompleted();
  settings.TasksShowDue = ShowDueDate();
  for (const TLookButton& button : LookButtons()) {
    if (button.Font != nullptr) {
      TSettingsFont& font = settings.*button.FontKey;
      font = SettingsFont(button.Font(Samples_).Font(), font.Charset);
    } else {
      settings.*button.ColorKey = button.Color(Samples_);
    }
  }
  settings.DailyGran = GranularityIndex();
  settings.DailySecondZone = SecondZone();
  Settings_.WriteTogether([&] { WriteProgramSettings(Settings_, settings, swPreferences); });

  SetLogOnEntry();

  TVpTaskDisplayOptions& live = Live_.Tasks.DisplayOptions();
  live.SetShowAll(ShowAll());
  live.SetShowCompletedTasks(ShowCompleted());
  live.SetShowDueDate(ShowDueDate());
  CopyLooks(Samples_, Live_);
}

void TPreferences::SetLogOnEntry() {
  try {
    if (StartWithDesktop_) LogOn_.Set(Executable_);
    else LogOn_.Remove();
  } catch (const std::exception& e) {
    MessageBoxes_.ShowError(std::string(StartWithDesktop_
                                            ? "Koret cannot be set to start when the desktop starts."
                                            : "Koret cannot be kept from starting when the desktop starts.") +
                            "\n\n" + e.what());
  }
}
