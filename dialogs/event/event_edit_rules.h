#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/event/time_list.h"
#include "model/date_stamps.h"
#include "model/rule_shape.h"
#include "platform/clock.h"
#include "platform/color.h"
#include "platform/locale.h"
#include "views/date_edit/date_edit.h"

class TVpCategoryColorMap;
class TVpEvent;

// The controls of the event window that the rules enable, show, mark or focus.
enum TVpEventControl {
  ecDescription,
  ecCategory,
  ecAllDay,
  ecStartDate,
  ecStartTime,  // with its label "From:"
  ecEndTime,    // with its label "To:"
  ecAlarmSet,
  ecAlarmAdvance,
  ecAlarmAdvanceType,
  ecSound,
  ecRepeat,
  ecRepeatUntil,
  ecInterval,
  ecNotes,
  ecLocation,
  ecRepeatRule,  // the rule in words, for a repeat the choices cannot say
  ecTimeZone,
  ecEndDate,           // the last day of an all-day event, with its label
  ecRulePanel,         // the rule editor: shown for the rule choice
  ecRuleInterval,      // "Every" N, with the frequency
  ecRuleWeekdays,      // a weekly rule's weekdays
  ecRuleMonthly,       // a monthly rule: on a day of the month or on a weekday
  ecRuleMonthDay,      // the day of the month
  ecRuleMonthWeekday,  // the n-th or last weekday
  ecRuleCount,         // ending after a number of occurrences, with its label
  ecExceptions,        // the occurrences taken out of a series, with the Remove button
};

// An occurrence taken out of a series: its date (and time for a timed event) in the user's form.
// One changed on its own (a record of its own stands in for it) is marked and cannot be removed,
// nor can one whose occurrence may have been: brought back, it would show twice.
struct TVpExceptionEntry {
  std::string Text;
  bool Removable = true;
};

// The series' occurrences changed on their own as the caller knows them: their original starts
// (OriginalStart), found among the events of the days from KnownFrom to KnownTo unless AllKnown.
struct TVpChangedOccurrences {
  std::vector<double> Starts;
  bool AllKnown = true;
  double KnownFrom = 0;
  double KnownTo = 0;
};

// An entry of the category list: a category that has a description, with its number (0 to 9).
struct TVpCategoryEntry {
  int Number = 0;
  std::string Description;
  TColor Color = 0;
};

// The event rules: of the three event-editing classes, the one without a window (the component a
// caller uses is TVpEventEditDialog in dialogs/event/event_edit_dialog.h, the Qt window TDlgEventEdit
// in dialogs/qt/dlg_event_edit.h).
//
// What the event window shows and how its controls depend on each other, without the window: the
// window calls one method per user action and then shows the form's state again. Filled from an
// event, the form changes nothing until WriteTo, so Cancel leaves the event as it was; WriteTo
// reads and checks every field before it writes any, and an event opened and confirmed unchanged
// stays exactly as it was (off-grid and midnight times, spans over several days, hidden
// categories, repetition and reminder settings).
//
// Times are kept as the selected entries of the two time lists plus two days: the date in the
// StartDate field and a hidden end day, taken from the event's EndTime and moved along with the
// start date so that the event keeps its length. The end always stays after the start.
class TVpEventEditRules {
 public:
  // "Minutes", "Hours", "Days": positions are the TVpAlarmAdvanceType values.
  static const std::vector<std::string>& AlarmAdvanceTypeNames();
  // "None" to "Custom": positions are the TVpRepeatCode values.
  static const std::vector<std::string>& RepeatNames();
  // The repeat choice after the eight codes: a rule made in the rule editor.
  static constexpr int kRuleChoice = 8;
  static const std::string& RuleChoiceName();
  // "days", "weeks", "months", "years": positions are the TVpRuleFrequency values.
  static const std::vector<std::string>& RuleUnitNames();
  // "On day", "On the": a monthly rule on a day of the month or on a weekday.
  static const std::vector<std::string>& RuleMonthlyNames();
  // "first" to "fourth", "last", and the weekday positions they stand for.
  static const std::vector<std::string>& RulePositionNames();
  static int RulePositionOf(int index);

  TVpEventEditRules(const TClock& clock, const TLocale& locale);
  TVpEventEditRules(const TVpEventEditRules&) = delete;
  TVpEventEditRules& operator=(const TVpEventEditRules&) = delete;

  // Shows the event: times in 12-hour form when asked, the categories that have a description.
  // The exceptions of an occurrence in changed cannot be removed. Raises EVpException when the
  // event starts outside the years the date field can show.
  void Fill(const TVpEvent& event, bool twelveHour, const TVpCategoryColorMap& categories,
            const TVpChangedOccurrences& changed = {});

  // --- subject, location, category, notes ---
  const std::string& Description() const { return Description_; }
  void SetDescription(std::string text) { Description_ = std::move(text); }
  const std::string& Location() const { return Location_; }
  void SetLocation(std::string text) { Location_ = std::move(text); }
  const std::vector<TVpCategoryEntry>& Categories() const { return Categories_; }
  // -1 when the event's category is not in the list (it is then kept).
  int CategoryIndex() const { return CategoryIndex_; }
  void SelectCategory(int index);
  // The notes with line feeds between lines, as a text field shows them.
  const std::string& Notes() const { return Notes_; }
  void SetNotes(std::string text) { Notes_ = std::move(text); }

  // --- date and times ---
  bool AllDay() const { return AllDay_; }
  // Closes the date drop-downs; the times are usable only without the flag, the end date only with
  // it.
  void SetAllDay(bool value);
  TVpDateEdit& StartDate() { return StartDate_; }
  // The last day of an all-day event: never before the start date, and moved along with it.
  TVpDateEdit& EndDate() { return EndDate_; }
  const TVpTimeList& StartTimes() const { return StartTimes_; }
  const TVpTimeList& EndTimes() const { return EndTimes_; }
  // A start at or after the end moves to the entry before the end.
  void SelectStartTime(int index);
  // The first entry (midnight) stands for the end of the day; an end at or before the start moves
  // to the entry after the start.
  void SelectEndTime(int index);
  // A time typed into From or To (see ParseTimeOfDay): selected as if chosen from the list, with
  // an entry of its own when the list has none; false, and the field marked, for text that is no
  // time of day.
  bool TypeStartTime(const std::string& text);
  bool TypeEndTime(const std::string& text);
  // The hidden end day (a day number).
  std::int64_t EndDay() const { return EndDay_; }

  // The zone whose clock the event keeps (a zone data name), empty for floating. The times shown
  // and typed are on that clock; choosing another zone keeps the clock times shown.
  const std::string& Zone() const { return Zone_; }
  void SetZone(std::string zone) { Zone_ = std::move(zone); }

  // --- reminder ---
  bool AlarmSet() const { return AlarmSet_; }
  void SetAlarmSet(bool value) { AlarmSet_ = value; }
  const std::string& AlarmAdvanceText() const { return AlarmAdvanceText_; }
  // Keeps the digits of the text; the spin button takes the number.
  void SetAlarmAdvanceText(const std::string& text);
  // The spin button moved by steps (0 to 100); its position becomes the text.
  void StepAlarmAdvance(int steps);
  // -1 when the event's unit is none of the list's (it is then kept).
  int AlarmAdvanceTypeIndex() const { return AlarmAdvanceTypeIndex_; }
  void SelectAlarmAdvanceType(int index);
  // The reminder's sound file; empty for the default sound.
  const std::string& SoundFile() const { return SoundFile_; }
  void SetSoundFile(std::string path) { SoundFile_ = std::move(path); }

  // --- repetition ---
  // -1 when the event's repeat code is none of the list's, or a rule the choices cannot say places
  // its occurrences (either is then kept).
  int RepeatIndex() const { return RepeatIndex_; }
  // The kept rule in words; empty when there is none or a choice replaced it.
  std::string RepeatRuleText() const { return RepeatIndex_ < 0 ? RuleText_ : std::string(); }
  // Custom shows the interval and, when Repeat Until holds no date, puts the start date there; any
  // other choice closes Repeat Until's drop-down. A choice replaces a rule the event had.
  void SelectRepeat(int index);
  TVpDateEdit& RepeatUntil() { return RepeatUntil_; }
  const std::string& IntervalText() const { return IntervalText_; }
  // Keeps at most five digits of the text; "0" becomes "1"; the spin button takes the number.
  void SetIntervalText(const std::string& text);
  void StepInterval(int steps);

  // --- the rule editor (the rule choice) ---
  // Choosing the rule after a code starts it as the code's repeat; a rule the event had that the
  // editor can hold is shown in it. The rule ends with Repeat Until or after the count.
  const TVpRuleShape& Rule() const { return Rule_; }
  void SelectRuleFrequency(int index);
  const std::string& RuleIntervalText() const { return RuleIntervalText_; }
  void SetRuleIntervalText(const std::string& text);
  void StepRuleInterval(int steps);
  // Weekdays 1 (Sunday) to 7 (Saturday).
  void SetRuleWeekday(int weekday, bool on);
  void SelectRuleMonthly(int index);
  // The day of the month, 1 to 31.
  void SelectRuleMonthDay(int day);
  void SelectRulePosition(int index);
  void SelectRuleWeekday(int weekday);
  // The number of occurrences, digits only; empty for none (Repeat Until ends the rule then).
  const std::string& RuleCountText() const { return RuleCountText_; }
  void SetRuleCountText(const std::string& text);
  void StepRuleCount(int steps);

  // --- exceptions ---
  // The exceptions of the series still kept, in the order stored.
  std::vector<TVpExceptionEntry> Exceptions() const;
  // Removes the exception at the position in Exceptions() when it is removable: its occurrence
  // comes back on OK.
  void RemoveException(int index);

  // --- the window's look ---
  bool Enabled(TVpEventControl control) const;
  bool Visible(TVpEventControl control) const;
  // A control whose content cannot be written is marked (drawn red); the text says why.
  bool Marked(TVpEventControl control) const { return Marks_.count(control) != 0; }
  std::string MarkText(TVpEventControl control) const;
  // The control that should take the keyboard focus, asked once.
  std::optional<TVpEventControl> TakeFocusRequest();

  // --- OK ---
  // Reads and checks every field without writing: false marks the first field that cannot be
  // written and asks for the focus there.
  bool Validate();
  // Validates, then writes the fields into the event through its setters (each marks the event
  // changed only when the value differs) and clears its snooze time; false writes nothing.
  bool WriteTo(TVpEvent& event);

 private:
  // What Validate read: the span on the time line (milliseconds, see Moment), the Repeat Until
  // day (0 for none) and the rule the editor holds.
  struct TValues {
    std::int64_t Start = 0;
    std::int64_t End = 0;
    std::int64_t UntilDay = 0;
    TVpRuleShape Rule;
  };
  // An exception as stored: its text in the list, the stamp it names (when it is one) and whether
  // it is still kept.
  struct TException {
    std::string Stored;
    std::optional<TVpStamp> Stamp;
    bool Changed = false;  // changed on its own
    bool Unknown = false;  // outside the days the changed occurrences are known for
    bool Kept = true;
  };

  std::int64_t Start() const;
  std::int64_t End() const;
  // The start date field was set or left: the end day moves by as many days, and Repeat Until
  // follows when it lies before the new date.
  // The day a date field was set to or left with; nothing while filling, for an empty field or
  // text that cannot be read (the field reports it).
  std::optional<std::int64_t> CommittedDay(const TVpDateEdit& field, TVpEventControl control);
  void StartDateCommitted();
  void RepeatUntilCommitted();
  void EndDateCommitted();
  void ShowEndDay();
  void ApplyStartDay(std::int64_t day);
  void KeepRepeatUntilFromStart();
  // An end that is not after the start becomes start + 30 minutes on the start day, at most 23:59;
  // when even that is not after the start, the start moves to the entry before it.
  void EnsureEndAfterStart();
  // A time typed into the control: selected in its list as a choice of it would be.
  bool TypeTime(const std::string& text, TVpEventControl control, TVpTimeList& times,
                void (TVpEventEditRules::*select)(int));
  std::optional<TValues> ReadValues();
  std::optional<TValues> Fail(TVpEventControl control, const std::string& text);
  void WriteRepeatRangeEnd(TVpEvent& event, std::int64_t untilDay) const;
  // The rule editor's repeat: as a code where one says it, else as the rule.
  void WriteRule(TVpEvent& event, const TValues& values) const;
  void FillExceptions(const TVpEvent& event, const TVpChangedOccurrences& changed);
  std::string ExceptionText(const TVpStamp& stamp) const;
  bool RuleCounts() const { return RepeatIndex_ == kRuleChoice && !RuleCountText_.empty(); }
  std::string NotesToWrite() const;

  const TLocale& Locale_;
  TVpDateEdit StartDate_;
  TVpDateEdit EndDate_;
  TVpDateEdit RepeatUntil_;
  bool TwelveHour_ = false;
  bool Filling_ = false;

  std::string Description_;
  std::string OriginalDescription_;
  std::string Location_;
  std::string OriginalLocation_;
  std::vector<TVpCategoryEntry> Categories_;
  int CategoryIndex_ = -1;
  std::string Notes_;
  std::string NotesShown_;     // Notes_ as filled
  std::string OriginalNotes_;  // the event's notes as they were, line breaks and all
  bool AllDay_ = false;
  TVpTimeList StartTimes_;
  TVpTimeList EndTimes_;
  std::int64_t StartDay_ = 0;  // the start date last taken from the field
  std::int64_t EndDay_ = 0;
  bool AlarmSet_ = false;
  std::string AlarmAdvanceText_;
  int AdvancePosition_ = 0;
  int AlarmAdvanceTypeIndex_ = 0;
  std::string SoundFile_;
  std::string OriginalSoundFile_;
  int RepeatIndex_ = 0;
  std::string Zone_;
  std::string RuleText_;             // the event's repeat rule in words, empty for none
  std::int64_t FilledUntilDay_ = 0;  // the Repeat Until day the event was shown with
  std::string IntervalText_;
  int IntervalPosition_ = 0;
  TVpRuleShape Rule_;                       // the editor's fields; Interval and Count are the texts'
  std::optional<TVpRuleShape> FilledRule_;  // the event's rule as filled, when the editor holds it
  double FilledStart_ = 0;                  // the start on the event's clock as filled
  std::string RuleIntervalText_;
  std::string RuleCountText_;
  std::vector<TException> Exceptions_;
  bool ExceptionsShown_ = false;  // the event had exceptions when filled

  std::map<TVpEventControl, std::string> Marks_;
  std::optional<TVpEventControl> FocusRequest_;
};
