#pragma once

#include "platform/message_boxes.h"
#include "platform/message_queue.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "store/store_services.h"

// The desktop services of a program (or a worker thread) without a desktop: timers that never fire
// (there is no event loop for them), no sound, no messages, no windows. Questions get the cautious
// answer.
class TInertTimer : public TTimer {
 public:
  void SetInterval(int milliseconds) override { Interval_ = milliseconds; }
  int Interval() const override { return Interval_; }
  void SetEnabled(bool enabled) override { Enabled_ = enabled; }
  bool Enabled() const override { return Enabled_; }

 private:
  int Interval_ = 1000;
  bool Enabled_ = false;
};

class THeadlessDesktop : public TTimerFactory,
                         public TSoundPlayer,
                         public TMessagePoster,
                         public TMessageBoxes,
                         public TVpReminderWindows {
 public:
  std::unique_ptr<TTimer> CreateTimer() override { return std::make_unique<TInertTimer>(); }
  bool PlayAsync(const std::string&) override { return false; }
  bool Playing() const override { return false; }
  void Beep() override {}
  void Post(TMessageTarget&, int) override {}
  TMessageResult Show(const std::string&, TMessageKind, TMessageButtons buttons) override {
    return buttons == mbOK ? mrOk : buttons == mbYesNo ? mrNo : mrCancel;
  }
  int Choose(const std::string&, const std::vector<std::string>&) override { return -1; }
  void ShowReminder(TVpCustomDataStore&, TVpEvent&) override {}
};
