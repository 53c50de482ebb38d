#pragma once

#include <functional>

#include "app/qt_skin_target.h"
#include "model/enumerations.h"
#include "platform/file_writer.h"
#include "platform/qt/desktop_sound_player.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_message_poster.h"
#include "platform/qt/qt_timer.h"
#include "store/store_services.h"

// The store's windows: the reminder window, the event, task and contact windows and the resource
// windows.
class TQtStoreDialogs : public TVpStoreDialogs {
 public:
  explicit TQtStoreDialogs(const TLocale& locale) : Locale_(locale) {}
  // Where the program's time format is read when a reminder shows (12-hour while none is given).
  void SetTimeFormat(std::function<TVpTimeFormat()> timeFormat) { TimeFormat_ = std::move(timeFormat); }
  void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) override;
  bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) override;
  bool EditTask(TVpCustomDataStore& store, TVpTask& task) override;
  bool EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) override;
  bool AddResource(TVpCustomDataStore& store) override;
  bool SelectResource(TVpCustomDataStore& store) override;

 private:
  const TLocale& Locale_;
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
  TQtStoreDialogs Dialogs{Locale};
  TAtomicFileWriter Writer;
  TQtSkinTarget SkinTarget;

  TVpStoreServices StoreServices() { return {Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}; }
};
