#pragma once

#include <functional>
#include <string>

#include "app/qt_skin_target.h"
#include "model/enumerations.h"
#include "platform/file_writer.h"
#include "platform/qt/desktop_notifications.h"
#include "platform/qt/desktop_sound_player.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_message_poster.h"
#include "platform/qt/qt_timer.h"
#include "store/store_services.h"
#include "views/edit_dialogs.h"

// The views' edit windows: the event, task and contact windows and the resource windows.
class TQtEditDialogs : public TVpEditDialogs {
 public:
  explicit TQtEditDialogs(const TLocale& locale) : Locale_(locale) {}
  bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) override;
  // The desktop's zone while new events keep it (a setting), else floating.
  std::string NewEventZone() const override;
  void SetNewEventsZoned(bool value) { NewEventsZoned_ = value; }
  bool EditTask(TVpCustomDataStore& store, TVpTask& task) override;
  bool EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) override;
  bool AddResource(TVpCustomDataStore& store) override;
  bool SelectResource(TVpCustomDataStore& store) override;

 private:
  const TLocale& Locale_;
  bool NewEventsZoned_ = false;
};

// The store's reminder window, whose "Open Item" opens the event in the edit windows.
class TQtReminderWindows : public TVpReminderWindows {
 public:
  TQtReminderWindows(const TLocale& locale, TVpEditDialogs& editDialogs) : Locale_(locale), EditDialogs_(editDialogs) {}
  // Where the program's time format is read when a reminder shows (12-hour while none is given).
  void SetTimeFormat(std::function<TVpTimeFormat()> timeFormat) { TimeFormat_ = std::move(timeFormat); }
  // Where reminders also go to the desktop's notifications (none while not set).
  void SetNotifications(TDesktopNotifications* notifications) { Notifications_ = notifications; }
  void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) override;
  // The list of missed reminders, and one desktop notification that brings it up.
  bool ShowMissed(TVpCustomDataStore& store, const std::vector<int>& recordIDs) override;

 private:
  const TLocale& Locale_;
  TVpEditDialogs& EditDialogs_;
  TDesktopNotifications* Notifications_ = nullptr;
  std::function<TVpTimeFormat()> TimeFormat_;
};

// Everything the program takes from the desktop, in one place.
struct TQtDesktop {
  TQtClock Clock;
  TQtTimerFactory Timers;
  TDesktopSoundPlayer Sound;
  TQtMessagePoster Poster;
  TQtMessageBoxes MessageBoxes;
  TQtLocale Locale;
  TQtEditDialogs EditDialogs{Locale};
  TQtReminderWindows Reminders{Locale, EditDialogs};
  TDesktopNotifications Notifications;
  TAtomicFileWriter Writer;
  TQtSkinTarget SkinTarget;

  TVpStoreServices StoreServices() { return {Clock, Timers, Sound, Poster, MessageBoxes, Reminders}; }
};
