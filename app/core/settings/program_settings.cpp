#include "app/core/settings/program_settings.h"

#include <variant>
#include <vector>

namespace {

using TMember =
    std::variant<bool TProgramSettings::*, int TProgramSettings::*, std::optional<int> TProgramSettings::*,
                 std::string TProgramSettings::*, TColor TProgramSettings::*, TSettingsFont TProgramSettings::*>;

struct TKey {
  const char* Section;
  const char* Key;  // for a font, the prefix of its five keys ("H" for HFontName, ...)
  TMember Member;
  TSettingsWriter Writer;
};

using S = TProgramSettings;

// Every key of the settings file. The keys written at exit come first, in the order the exit
// writes them.
const std::vector<TKey>& Keys() {
  static const std::vector<TKey> keys = {
      {"General", "ActTab", &S::ActTab, swExit},
      {"General", "MFLeft", &S::MFLeft, swExit},
      {"General", "MFTop", &S::MFTop, swExit},
      {"General", "Width", &S::Width, swExit},
      {"General", "Height", &S::Height, swExit},
      {"General", "Maximized", &S::Maximized, swExit},
      {"Contacts", "CW", &S::ContactsCW, swExit},
      {"Daily", "ShowWV", &S::ShowWV, swExit},
      {"Daily", "WVWidth", &S::WVWidth, swExit},
      {"Calendar", "Width", &S::CalendarWidth, swExit},
      {"Calendar", "Height", &S::CalendarHeight, swExit},
      {"Calendar", "Left", &S::CalendarLeft, swExit},
      {"Calendar", "Top", &S::CalendarTop, swExit},

      {"General", "ActiveResource", &S::ActiveResource, swResource},

      {"General", "StartMinimized", &S::StartMinimized, swPreferences},
      {"General", "StartWithWindows", &S::StartWithWindows, swPreferences},
      {"General", "TimeFormat", &S::TimeFormat, swPreferences},
      {"General", "NewEventsZoned", &S::NewEventsZoned, swPreferences},
      {"General", "DesktopNotifications", &S::DesktopNotifications, swPreferences},
      {"Skin", "Filename", &S::SkinFileName, swPreferences},
      {"Skin", "Color", &S::SkinColor, swPreferences},
      {"Skin", "Brightness", &S::SkinBrightness, swPreferences},
      {"Skin", "DontUseSkin", &S::DontUseSkin, swPreferences},
      {"Daily", "H", &S::DailyHFont, swPreferences},
      {"Daily", "E", &S::DailyEFont, swPreferences},
      {"Daily", "WDColor", &S::DailyWDColor, swPreferences},
      {"Daily", "WEColor", &S::DailyWEColor, swPreferences},
      {"Daily", "LineColor", &S::DailyLineColor, swPreferences},
      {"Daily", "Gran", &S::DailyGran, swPreferences},
      {"Daily", "SecondZone", &S::DailySecondZone, swPreferences},
      {"Daily", "Hour", &S::DailyHourFont, swPreferences},
      {"Daily", "Min", &S::DailyMinFont, swPreferences},
      {"Calendar", "H", &S::CalendarHFont, swPreferences},
      {"Calendar", "E", &S::CalendarEFont, swPreferences},
      {"Calendar", "DN", &S::CalendarDNFont, swPreferences},
      {"Calendar", "BGColor", &S::CalendarBGColor, swPreferences},
      {"Calendar", "ODColor", &S::CalendarODColor, swPreferences},
      {"Calendar", "LineColor", &S::CalendarLineColor, swPreferences},
      {"Calendar", "ADColor", &S::CalendarADColor, swPreferences},
      {"Tasks", "ShowAll", &S::TasksShowAll, swPreferences},
      {"Tasks", "ShowCompleted", &S::TasksShowCompleted, swPreferences},
      {"Tasks", "ShowDue", &S::TasksShowDue, swPreferences},
      {"Tasks", "CompletedColor", &S::TasksCompletedColor, swPreferences},
      {"Tasks", "OverDueColor", &S::TasksOverDueColor, swPreferences},
      {"Tasks", "BGColor", &S::TasksBGColor, swPreferences},
      {"Tasks", "LineColor", &S::TasksLineColor, swPreferences},
      {"Tasks", "L", &S::TasksLFont, swPreferences},
      {"Tasks", "H", &S::TasksHFont, swPreferences},
      {"Weekly", "E", &S::WeeklyEFont, swPreferences},
      {"Weekly", "LineColor", &S::WeeklyLineColor, swPreferences},
      {"Weekly", "BGColor", &S::WeeklyBGColor, swPreferences},
      {"Weekly", "H", &S::WeeklyHFont, swPreferences},
      {"Weekly", "D", &S::WeeklyDFont, swPreferences},
      {"Weekly", "AD", &S::WeeklyADFont, swPreferences},
      {"Weekly", "ADBGColor", &S::WeeklyADBGColor, swPreferences},
      {"Weekly", "ADBorderColor", &S::WeeklyADBorderColor, swPreferences},
      {"Contacts", "H", &S::ContactsHFont, swPreferences},
      {"Contacts", "L", &S::ContactsLFont, swPreferences},
      {"Contacts", "BGColor", &S::ContactsBGColor, swPreferences},
      {"Contacts", "HColor", &S::ContactsHColor, swPreferences},
      {"Contacts", "BarColor", &S::ContactsBarColor, swPreferences},
  };
  return keys;
}

// Colours are stored as signed 32-bit decimals (-16777201 is the button face).
int ColorText(TColor color) { return static_cast<int>(color); }

struct TReader {
  const TSettingsStore& Store;
  const TKey& Key;
  TProgramSettings& Settings;

  void operator()(bool S::*m) const { Settings.*m = Store.ReadBoolean(Key.Section, Key.Key, Settings.*m); }
  void operator()(int S::*m) const { Settings.*m = Store.ReadInteger(Key.Section, Key.Key, Settings.*m); }
  void operator()(std::optional<int> S::*m) const {
    Settings.*m = ParseSettingsInteger(Store.ReadString(Key.Section, Key.Key, ""));
  }
  void operator()(std::string S::*m) const { Settings.*m = Store.ReadString(Key.Section, Key.Key, Settings.*m); }
  void operator()(TColor S::*m) const {
    Settings.*m = static_cast<TColor>(Store.ReadInteger(Key.Section, Key.Key, ColorText(Settings.*m)));
  }
  void operator()(TSettingsFont S::*m) const {
    TSettingsFont& font = Settings.*m;
    const std::string prefix = Key.Key;
    font.Name = Store.ReadString(Key.Section, prefix + "FontName", font.Name);
    font.Charset = Store.ReadInteger(Key.Section, prefix + "FontCharset", font.Charset);
    font.Color = static_cast<TColor>(Store.ReadInteger(Key.Section, prefix + "FontColor", ColorText(font.Color)));
    font.Size = Store.ReadInteger(Key.Section, prefix + "FontSize", font.Size);
    font.Style = Store.ReadInteger(Key.Section, prefix + "FontStyle", font.Style);
  }
};

struct TWriter {
  TSettingsStore& Store;
  const TKey& Key;
  const TProgramSettings& Settings;

  void operator()(bool S::*m) const { Store.WriteBoolean(Key.Section, Key.Key, Settings.*m); }
  void operator()(int S::*m) const { Store.WriteInteger(Key.Section, Key.Key, Settings.*m); }
  void operator()(std::optional<int> S::*m) const {
    if (Settings.*m) Store.WriteInteger(Key.Section, Key.Key, *(Settings.*m));
  }
  void operator()(std::string S::*m) const { Store.WriteString(Key.Section, Key.Key, Settings.*m); }
  void operator()(TColor S::*m) const { Store.WriteInteger(Key.Section, Key.Key, ColorText(Settings.*m)); }
  void operator()(TSettingsFont S::*m) const {
    const TSettingsFont& font = Settings.*m;
    const std::string prefix = Key.Key;
    Store.WriteString(Key.Section, prefix + "FontName", font.Name);
    Store.WriteInteger(Key.Section, prefix + "FontCharset", font.Charset);
    Store.WriteInteger(Key.Section, prefix + "FontColor", ColorText(font.Color));
    Store.WriteInteger(Key.Section, prefix + "FontSize", font.Size);
    Store.WriteInteger(Key.Section, prefix + "FontStyle", font.Style);
  }
};

}  // namespace

TProgramSettings ReadProgramSettings(const TSettingsStore& store) {
  TProgramSettings settings;
  for (const TKey& key : Keys()) std::visit(TReader{store, key, settings}, key.Member);
  return settings;
}

void WriteProgramSettings(TSettingsStore& store, const TProgramSettings& settings, TSettingsWriter writer) {
  for (const TKey& key : Keys())
    if (key.Writer == writer) std::visit(TWriter{store, key, settings}, key.Member);
}
