#pragma once

#include "platform/file_writer.h"
#include "platform/qt/desktop_sound_player.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_locale.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_message_poster.h"
#include "platform/qt/qt_timer.h"
#include "store/store_services.h"

// The store's windows as far as they exist: the reminder shows as a message box whose OK dismisses
// it, and the resource windows say that they are not there yet.
class TQtStoreDialogs : public TVpStoreDialogs {
 public:
  explicit TQtStoreDialogs(TMessageBoxes& boxes) : Boxes_(boxes) {}
  void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) override;
  bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) override;
  bool EditTask(TVpCustomDataStore&, TVpTask&) override { return false; }
  bool AddResource(TVpCustomDataStore& store) override;
  bool SelectResource(TVpCustomDataStore& store) override;

 private:
  TMessageBoxes& Boxes_;
};

// Everything the program takes from the desktop, in one place.
struct TQtDesktop {
  TQtClock Clock;
  TQtTimerFactory Timers;
  TDesktopSoundPlayer Sound;
  TQtMessagePoster Poster;
  TQtMessageBoxes MessageBoxes;
  TQtLocale Locale;
  TQtStoreDialogs Dialogs{MessageBoxes};
  TAtomicFileWriter Writer;

  TVpStoreServices StoreServices() { return {Clock, Timers, Sound, Poster, MessageBoxes, Dialogs}; }
};
