#pragma once

#include "platform/file_writer.h"
#include "platform/qt/desktop_sound_player.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_message_poster.h"
#include "platform/qt/qt_timer.h"
#include "store/store_services.h"

// The store's windows as far as they exist: the reminder window and the event and task windows;
// the resource windows say that they are not there yet.
class TQtStoreDialogs : public TVpStoreDialogs {
 public:
  TQtStoreDialogs(TMessageBoxes& boxes, const TLocale& locale) : Boxes_(boxes), Locale_(locale) {}
  void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) override;
  bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) override;
  bool EditTask(TVpCustomDataStore& store, TVpTask& task) override;
  bool AddResource(TVpCustomDataStore& store) override;
  bool SelectResource(TVpCustomDataStore& store) override;

 private:
  TMessageBoxes& Boxes_;
  const TLocale& Locale_;
};

// Everything the program takes from the desktop, in one place.
struct TQtDesktop {
  TQtClock Clock;
  TQtTimerFactory Timers;
  TDesktopSoundPlayer Sound;
  TQtMessagePoster Poster;
  TQtMessageBoxes MessageBoxes;
  TQtLocale Locale;
  TQtStoreDialogs Dialogs{MessageBoxes, Locale};
  TAtomicFileWriter Writer;

  TVpStoreServices StoreServices() { return {Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}; }
};
