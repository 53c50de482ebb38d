#pragma once

#include <optional>
#include <string>

#include "app/core/settings/settings_store.h"
#include "platform/color.h"

// A font as the settings file keeps it: five keys with a common prefix (Name, Charset, Color,
// Size in points, Style bits 1 bold, 2 italic, 4 underline, 8 strike-out).
struct TSettingsFont {
  std::string Name = "MS Sans Serif";
  int Charset = 1;
  TColor Color = clWindowText;
  int Size = 8;
  int Style = 0;
  friend bool operator==(const TSettingsFont&, const TSettingsFont&) = default;
};

// Every setting of the program with its default. Colours are written as signed decimal numbers.
// The views' backgrounds and the fonts default to the desktop scheme's window and text colours
// (white and black on a light desktop, and in print), so that views follow the skin until the
// user gives them colours of their own.
struct TProgramSettings {
  // General
  bool StartMinimized = false;
  std::optional<int> MFLeft;  // defaults computed from the desktop and the window's designed size
  std::optional<int> MFTop;
  int Width = 500;
  int Height = 560;
  bool Maximized = false;  // MFLeft to Height are then the place it goes back to
  bool StartWithWindows = true;
  int ActTab = 0;
  int TimeFormat = 1;                // 0: 12 hours, 1: 24 hours; anything else changes nothing
  bool NewEventsZoned = false;       // new events keep the desktop's zone; else floating
  bool DesktopNotifications = true;  // reminders also go to the desktop's notifications
  std::string ActiveResource = "KORET";
  // Skin
  std::string SkinFileName;
  int SkinColor = 0;
  int SkinBrightness = 0;
  bool DontUseSkin = true;
  // Daily: the day view and the week view beside it
  bool ShowWV = false;
  int WVWidth = 1;
  TSettingsFont DailyHFont{.Size = 10};
  TSettingsFont DailyEFont{};
  TColor DailyWDColor = clWindow;
  TColor DailyWEColor = 15780518;
  TColor DailyLineColor = 8421504;
  int DailyGran = 5;            // granularity 0 to 6; -1 counts as 5
  std::string DailySecondZone;  // a zone whose hours the day view shows too; empty for none
  TSettingsFont DailyHourFont{.Size = 14};
  TSettingsFont DailyMinFont{};
  // Calendar: the calendar window and its month view
  int CalendarWidth = 290;
  int CalendarHeight = 320;
  int CalendarLeft = 370;
  int CalendarTop = 220;
  TSettingsFont CalendarHFont{.Size = 10};
  TSettingsFont CalendarEFont{};
  TSettingsFont CalendarDNFont{};
  TColor CalendarBGColor = clWindow;
  TColor CalendarODColor = 12632256;
  TColor CalendarLineColor = 8421504;
  TColor CalendarADColor = 255;
  // Tasks: the task list
  bool TasksShowAll = false;
  bool TasksShowCompleted = true;
  bool TasksShowDue = true;
  TColor TasksCompletedColor = 8421504;
  TColor TasksOverDueColor = 255;
  TColor TasksBGColor = clWindow;
  TColor TasksLineColor = 8421504;
  TSettingsFont TasksLFont{};
  TSettingsFont TasksHFont{.Size = 10};
  // Weekly: the week view
  TSettingsFont WeeklyEFont{};
  TColor WeeklyLineColor = 8421504;
  TColor WeeklyBGColor = clWindow;
  TSettingsFont WeeklyHFont{.Size = 10};
  TSettingsFont WeeklyDFont{.Size = 10};
  TSettingsFont WeeklyADFont{};
  TColor WeeklyADBGColor = clBtnFace;
  TColor WeeklyADBorderColor = 8421504;
  // Contacts: the contact grid
  int ContactsCW = 145;
  TSettingsFont ContactsHFont{.Size = 10};
  TSettingsFont ContactsLFont{};
  TColor ContactsBGColor = clWindow;
  TColor ContactsHColor = clBtnFace;
  TColor ContactsBarColor = 8421504;
};

// Who writes a setting: the exit of the program (window geometry and layout), the preferences
// window's OK, or the choice of the active resource.
enum TSettingsWriter { swExit, swPreferences, swResource };

// Reads every setting (missing or unreadable keys give the defaults).
TProgramSettings ReadProgramSettings(const TSettingsStore& store);
// Writes the settings a writer is responsible for, in the order the program writes them.
void WriteProgramSettings(TSettingsStore& store, const TProgramSettings& settings, TSettingsWriter writer);
