#pragma once

#include <string>
#include <vector>

#include "app/core/settings/program_settings.h"
#include "app/core/settings/settings_store.h"
#include "app/core/skin/preferences_skin_page.h"
#include "platform/canvas.h"
#include "platform/log_on_entry.h"
#include "platform/message_boxes.h"

class TVpContactGrid;
class TVpDayView;
class TVpFont;
class TVpMonthView;
class TVpTaskList;
class TVpWeekView;

// The five views whose looks the preferences window sets: the live ones of the main window and
// the calendar window, or the window's own samples.
struct TPreferenceViews {
  TVpTaskList& Tasks;
  TVpDayView& Day;
  TVpWeekView& Week;
  TVpMonthView& Month;
  TVpContactGrid& Contacts;
};

// The pages of the preferences window, in tab order.
enum TPreferencesPage { ppGeneral, ppSkin, ppTasks, ppDaily, ppWeekly, ppCalendar, ppContacts, ppSync };

// A font or colour button of a look page: the element of the views it edits and the settings key
// that keeps it. A font button has Font and FontKey, a colour button Color, SetColor and ColorKey.
struct TLookButton {
  TPreferencesPage Page;
  const char* Group;  // the group box holding the button, or nothing
  const char* Caption;
  TVpFont& (*Font)(TPreferenceViews& views) = nullptr;
  TColor (*Color)(const TPreferenceViews& views) = nullptr;
  void (*SetColor)(TPreferenceViews& views, TColor color) = nullptr;
  TSettingsFont TProgramSettings::*FontKey = nullptr;
  TColor TProgramSettings::*ColorKey = nullptr;
};

// Every font and colour button, page by page in the window's order, each page's in its column's
// order (task list, day view, week view, month view, contact grid).
const std::vector<TLookButton>& LookButtons();

// Gives the samples their designed settings, which the window never changes, and makes them
// read-only.
void ConfigurePreferenceSamples(TPreferenceViews samples);

// The preferences window without the desktop: the state of its controls, what showing copies
// into the samples and what OK writes and hands to the live views. Cancel is simply not calling
// Ok: nothing is written and no live view changes.
class TPreferences {
 public:
  TPreferences(TPreferenceViews live, TPreferenceViews samples, TSettingsStore& settings, TLogOnEntry& logOn,
               std::string executable, TMessageBoxes& messageBoxes);

  // The Skin page; until it is set the window has an empty one and OK leaves the skin keys alone.
  void SetSkinPage(TPreferencesSkinPage* page) { SkinPage_ = page; }

  // Start-up: "Start Minimized", the log-on option, the time format (0 and 1 only) and the
  // sample day view's granularity. ("Don't use skin" the life cycle gives the Skin page itself.)
  void ApplyStartSettings(const TProgramSettings& settings);
  // The window is about to show: the skin page looks again, the task boxes and the samples take
  // the live views' state.
  void Showing();

  TPreferenceViews& Samples() { return Samples_; }

  bool StartWithDesktop() const { return StartWithDesktop_; }
  void SetStartWithDesktop(bool value) { StartWithDesktop_ = value; }
  bool StartMinimized() const { return StartMinimized_; }
  void SetStartMinimized(bool value) { StartMinimized_ = value; }
  // New events keep the desktop's time zone (else they are floating, the same clock time everywhere).
  bool NewEventsZoned() const { return NewEventsZoned_; }
  void SetNewEventsZoned(bool value) { NewEventsZoned_ = value; }
  // Reminders also go to the desktop's notification service.
  bool DesktopNotifications() const { return DesktopNotifications_; }
  void SetDesktopNotifications(bool value) { DesktopNotifications_ = value; }
  // 0 "12 Hours", 1 "24 Hours"; a choice sets the samples' time format.
  int TimeFormatIndex() const { return TimeFormatIndex_; }
  void SetTimeFormatIndex(int index);
  // The granularity list follows the sample day view (0 to 6); a choice sets it.
  int GranularityIndex() const;
  void SetGranularityIndex(int index);
  // The day view's second zone; empty for none.
  const std::string& SecondZone() const;
  void SetSecondZone(std::string zone);
  // The three task boxes show and set the sample task list's options.
  bool ShowAll() const;
  void SetShowAll(bool value);
  bool ShowCompleted() const;
  void SetShowCompleted(bool value);
  bool ShowDueDate() const;
  void SetShowDueDate(bool value);

  // OK: writes the settings (an error that stops it propagates, and nothing further is done),
  // sets or removes the log-on entry (a failure is reported; the choice stays), and gives the
  // live views the samples' looks.
  void Ok();

 private:
  void SetLogOnEntry();

  TPreferenceViews Live_;
  TPreferenceViews Samples_;
  TSettingsStore& Settings_;
  TLogOnEntry& LogOn_;
  std::string Executable_;
  TMessageBoxes& MessageBoxes_;
  TPreferencesSkinPage* SkinPage_ = nullptr;
  bool StartWithDesktop_ = false;
  bool StartMinimized_ = false;
  bool NewEventsZoned_ = false;
  bool DesktopNotifications_ = true;
  int TimeFormatIndex_ = 1;
};
