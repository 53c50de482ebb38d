#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/color.h"
#include "platform/locale.h"

class TVpEvent;

// How the user left the reminder window.
enum TVpReminderAnswer {
  raClosed = 0,    // the window was closed otherwise: nothing changes
  raDismiss = 1,   // no more reminders for the occurrence
  raSnooze = 2,    // remind again after the chosen delay (also Escape)
  raOpenItem = 3,  // edit the event in the event window
};

// A delay the reminder can be snoozed by.
struct TVpSnoozeDelay {
  const char* Text;
  std::int64_t Ms;
};

// What the reminder window shows for one event and what its answers do, without the window. The
// form copies what it shows when it is made, so it keeps nothing of the event, which a reload may
// free while the window is open.
class TVpNotificationRules {
 public:
  // "5 Minutes" to "1 Week", in the order of the window's list.
  static const std::vector<TVpSnoozeDelay>& SnoozeDelays();

  // twelveHour: the program's time format, in which the window's body gives the event's times.
  TVpNotificationRules(const TClock& clock, const TLocale& locale, const TVpEvent& event, TColor background,
                       bool twelveHour = true);

  // "OVERDUE!" once the occurrence reminded of has started, else "Reminder"; " : " and its start
  // in the short date and short time formats. Read again as the clock moves on.
  std::string Caption() const;
  const std::string& Subject() const { return Subject_; }
  // When the event is, for the window's body (a window manager may cut the caption): its day
  // written out and its times, "Monday, May 13, 2024, 10:00 – 11:00"; an event that ends on a
  // later day names that day too; an all-day event gives its days and "all day".
  std::string When() const;
  // The notes with line feeds between lines.
  const std::string& Notes() const { return Notes_; }
  const std::string& Location() const { return Location_; }
  // Whether the occurrence reminded of has started (the caption says "OVERDUE!").
  bool Overdue() const;
  // Whether the reminder was answered elsewhere while its window is up (in another window of the
  // organizer, or in another copy of it over the same files): the window then closes, answering
  // nothing. Set by the reminder dialog; never without it.
  std::function<bool()> AnsweredElsewhere;
  TColor BackgroundColor() const { return Background_; }

  // The strip across the top: blue or red, switching at every blink.
  TColor StripColor() const { return Strip_; }
  void Blink() { Strip_ = Strip_ == clBlue ? clRed : clBlue; }
  // Milliseconds between blinks.
  static constexpr int kBlinkMs = 500;

  // The chosen entry of SnoozeDelays (0 until another is chosen); an index outside the list is
  // ignored.
  int SnoozeIndex() const { return SnoozeIndex_; }
  void SelectSnooze(int index);

  // Gives the event the answer through its setters: Snooze moves SnoozeTime to now plus the
  // chosen delay; Dismiss holds the reminder back until the next occurrence's reminder is due, or
  // clears AlarmSet when no occurrence follows; the other answers leave it alone.
  void Apply(TVpReminderAnswer answer, TVpEvent& event) const;

 private:
  const TClock& Clock_;
  const TLocale& Locale_;
  double StartTime_;
  double EndTime_;
  bool AllDay_;
  bool TwelveHour_;
  std::string Subject_;
  std::string Notes_;
  std::string Location_;
  TColor Background_;
  TColor Strip_ = clBlue;
  int SnoozeIndex_ = 0;
};
