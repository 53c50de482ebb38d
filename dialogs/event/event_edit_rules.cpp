#include "dialogs/event/event_edit_rules.h"

#include <algorithm>
#include <charconv>

#include "dialogs/common/line_breaks.h"
#include "model/category_color_map.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/recurrence.h"
#include "model/rule_words.h"
#include "model/vp_exception.h"
#include "platform/scoped_value.h"
#include "platform/utf8.h"
#include "views/calendar/calendar_date_range.h"

namespace {

constexpr std::int64_t kHalfHourMs = 30 * kMsPerMinute;
constexpr std::int64_t kLastMinuteMs = kMsPerDay - kMsPerMinute;
// The spin buttons of the advance and the interval run from 0 to 100.
constexpr int kSpinMax = 100;
constexpr size_t kIntervalDigits = 5;
// What a reminder starts with when the event has none yet.
constexpr const char* kDefaultAdvance = "15";

std::string DigitsOf(const std::string& text) {
  std::string digits;
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
  return digits;
}

}  // namespace

const std::vector<std::string>& TVpEventEditRules::AlarmAdvanceTypeNames() {
  static const std::vector<std::string> names = {"Minutes", "Hours", "Days"};
  return names;
}

const std::vector<std::string>& TVpEventEditRules::RepeatNames() {
  static const std::vector<std::string> names = {
      "None", "Daily", "Weekly", "Monthly By Day", "Monthly By Date", "Yearly By Day", "Yearly By Date", "Custom"};
  return names;
}

TVpEventEditRules::TVpEventEditRules(const TClock& clock, const TLocale& locale)
    : StartDate_(clock, locale), RepeatUntil_(clock, locale) {
  StartDate_.UseProgramFieldSetUp();
  RepeatUntil_.UseProgramFieldSetUp();
  StartDate_.OnExit = [this](TVpDateEdit&) { StartDateCommitted(); };
  StartDate_.OnSetDate = [this](TVpDateEdit&) { StartDateCommitted(); };
  RepeatUntil_.OnExit = [this](TVpDateEdit&) { RepeatUntilCommitted(); };
  RepeatUntil_.OnSetDate = [this](TVpDateEdit&) { RepeatUntilCommitted(); };
}

void TVpEventEditRules::Fill(const TVpEvent& event, bool twelveHour, const TVpCategoryColorMap& categories) {
  const TScopedValue filling(Filling_, true);
  Marks_.clear();

  // Date and times. An end at midnight after the start day is shown as the end of the day before.
  if (!WithinCalendarRange(event.StartTime()))
    throw EVpException("The event cannot be edited: its date lies outside the years 100 to 9999.");
  // A zoned event's times are shown on its zone's clock.
  Zone_ = event.TimeZone();
  const double shownStart = Zone_.empty() ? event.StartTime() : event.ZoneStartTime();
  const double shownEnd = ValueOfMoment(MomentOf(shownStart) + MomentOf(event.EndTime()) - MomentOf(event.StartTime()));
  StartDay_ = DayNumberOf(shownStart);
  StartDate_.SetDate(static_cast<double>(StartDay_));
  StartTimes_ = TVpTimeList(twelveHour);
  StartTimes_.SelectTime(TimeMsOf(shownStart));
  EndTimes_ = TVpTimeList(twelveHour);
  EndDay_ = DayNumberOf(shownEnd);
  std::int64_t endMs = TimeMsOf(shownEnd);
  if (endMs == 0 && EndDay_ > StartDay_) {
    --EndDay_;
    endMs = kMsPerDay;
  }
  EndTimes_.SelectTime(endMs);
  EnsureEndAfterStart();
  AllDay_ = event.AllDayEvent();

  Description_ = OriginalDescription_ = event.Description();
  Location_ = OriginalLocation_ = event.Location();
  OriginalNotes_ = event.Notes();
  Notes_ = NotesShown_ = WithLineFeeds(OriginalNotes_);

  // Reminder: a stored advance is shown even while the reminder is off, so that switching it on
  // again brings it back.
  AlarmSet_ = event.AlarmSet();
  AdvancePosition_ = 0;
  SetAlarmAdvanceText(event.AlarmSet() || event.AlarmAdvance() != 0 ? std::to_string(event.AlarmAdvance())
                                                                    : std::string(kDefaultAdvance));
  const int advanceTypes = static_cast<int>(AlarmAdvanceTypeNames().size());
  AlarmAdvanceTypeIndex_ = event.AlarmAdvanceType() < advanceTypes ? event.AlarmAdvanceType() : -1;
  SoundFile_ = OriginalSoundFile_ = event.DingPath();

  // Repetition: the event's own range end is shown, whatever the repeat code; a repeat without end
  // shows an empty field, and a repeat whose range end of 0 keeps it to its start day shows that
  // day, so that an empty field always means "no end".
  RepeatIndex_ = event.RepeatCode() < static_cast<int>(RepeatNames().size()) ? event.RepeatCode() : -1;
  RuleText_ = RepeatRuleInWords(event.RepeatRule());
  if (!RuleText_.empty()) RepeatIndex_ = -1;
  double rangeEnd = event.RepeatRangeEnd() == 0 ? 0 : DateOf(ClampToCalendarRange(event.RepeatRangeEnd()));
  if (IsRepeatWithoutEnd(event.RepeatRangeEnd())) rangeEnd = 0;
  else if (rangeEnd == 0 && IsRepeating(event.RepeatCode())) rangeEnd = static_cast<double>(StartDay_);
  RepeatUntil_.SetDate(rangeEnd);
  FilledUntilDay_ = DayNumberOf(rangeEnd);
  // A custom repeat every 0 days would never repeat: the interval is at least 1.
  IntervalText_ = std::to_string(std::max(event.CustomInterval(), 1));
  IntervalPosition_ = std::clamp(event.CustomInterval(), 1, kSpinMax);

  // Categories: those with a description, keeping their numbers.
  Categories_.clear();
  CategoryIndex_ = -1;
  for (int number = 0; number < TVpCategoryColorMap::kCategoryCount; ++number) {
    const std::string description = categories.Description(number);
    if (description.empty()) continue;
    if (number == event.Category()) CategoryIndex_ = static_cast<int>(Categories_.size());
    Categories_.push_back({number, description, categories.Color(number)});
  }
  FocusRequest_ = ecDescription;
}

// --- subject, category ---

void TVpEventEditRules::SelectCategory(int index) {
  CategoryIndex_ = std::clamp(index, -1, static_cast<int>(Categories_.size()) - 1);
}

// --- date and times ---

std::int64_t TVpEventEditRules::Start() const { return Moment(StartDay_, StartTimes_.SelectedMs()); }
std::int64_t TVpEventEditRules::End() const { return Moment(EndDay_, EndTimes_.SelectedMs()); }

void TVpEventEditRules::SetAllDay(bool value) {
  StartDate_.CloseDropDown();
  AllDay_ = value;
}

void TVpEventEditRules::SelectStartTime(int index) {
  StartTimes_.Select(index);
  if (End() > Start()) return;
  const int before = StartTimes_.LastBefore(End() - Moment(StartDay_, 0));
  if (before >= 0) StartTimes_.Select(before);
  EnsureEndAfterStart();
}

void TVpEventEditRules::SelectEndTime(int index) {
  EndTimes_.Select(index);
  if (EndTimes_.SelectedMs() == 0) EndTimes_.Select(EndTimes_.EndOfDay());
  if (End() > Start()) return;
  const int after = EndTimes_.FirstAfter(Start() - Moment(EndDay_, 0));
  if (after >= 0) EndTimes_.Select(after);
  EnsureEndAfterStart();
}

bool TVpEventEditRules::TypeStartTime(const std::string& text) {
  return TypeTime(text, ecStartTime, StartTimes_, &TVpEventEditRules::SelectStartTime);
}

bool TVpEventEditRules::TypeEndTime(const std::string& text) {
  return TypeTime(text, ecEndTime, EndTimes_, &TVpEventEditRules::SelectEndTime);
}

bool TVpEventEditRules::TypeTime(const std::string& text, TVpEventControl control, TVpTimeList& times,
                                 void (TVpEventEditRules::*select)(int)) {
  const std::optional<std::int64_t> ms = ParseTimeOfDay(text);
  if (!ms) {
    Fail(control, "\"" + text + "\" is not a time of day.");
    return false;
  }
  Marks_.erase(control);
  times.SelectTime(*ms);
  (this->*select)(times.Selected());
  return true;
}

void TVpEventEditRules::EnsureEndAfterStart() {
  if (End() > Start()) return;
  EndDay_ = StartDay_;
  EndTimes_.SelectTime(std::min(StartTimes_.SelectedMs() + kHalfHourMs, kLastMinuteMs));
  if (End() > Start()) return;
  StartTimes_.Select(StartTimes_.LastBefore(EndTimes_.SelectedMs()));
}

void TVpEventEditRules::StartDateCommitted() {
  if (Filling_) return;
  double date = 0;
  try {
    date = StartDate_.Date();
  } catch (const EVpDateEditError&) {
    return;  // the field reports its own text
  }
  if (date == 0) return;
  Marks_.erase(ecStartDate);
  ApplyStartDay(DayNumberOf(date));
}

void TVpEventEditRules::ApplyStartDay(std::int64_t day) {
  EndDay_ += day - StartDay_;
  StartDay_ = day;
  KeepRepeatUntilFromStart();
}

void TVpEventEditRules::RepeatUntilCommitted() {
  if (Filling_) return;
  Marks_.erase(ecRepeatUntil);
  KeepRepeatUntilFromStart();
}

void TVpEventEditRules::KeepRepeatUntilFromStart() {
  double until = 0;
  try {
    until = RepeatUntil_.Date();
  } catch (const EVpDateEditError&) {
    return;
  }
  if (until != 0 && DayNumberOf(until) < StartDay_) RepeatUntil_.SetDate(static_cast<double>(StartDay_));
}

// --- reminder ---

namespace {

std::optional<int> NumberOf(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

void TVpEventEditRules::SetAlarmAdvanceText(const std::string& text) {
  AlarmAdvanceText_ = DigitsOf(text);
  if (const std::optional<int> number = NumberOf(AlarmAdvanceText_))
    AdvancePosition_ = std::clamp(*number, 0, kSpinMax);
}

void TVpEventEditRules::StepAlarmAdvance(int steps) {
  AdvancePosition_ = std::clamp(AdvancePosition_ + steps, 0, kSpinMax);
  AlarmAdvanceText_ = std::to_string(AdvancePosition_);
}

void TVpEventEditRules::SelectAlarmAdvanceType(int index) {
  AlarmAdvanceTypeIndex_ = std::clamp(index, 0, static_cast<int>(AlarmAdvanceTypeNames().size()) - 1);
}

// --- repetition ---

void TVpEventEditRules::SelectRepeat(int index) {
  RepeatIndex_ = std::clamp(index, 0, static_cast<int>(RepeatNames().size()) - 1);
  // The range end stays as it is, also for "Custom": an empty one repeats without end (the event's
  // own date there would end the repeat before its first repetition).
  if (RepeatIndex_ != rcCustom) RepeatUntil_.CloseDropDown();
}

void TVpEventEditRules::SetIntervalText(const std::string& text) {
  IntervalText_ = DigitsOf(text).substr(0, kIntervalDigits);
  if (IntervalText_ == "0") IntervalText_ = "1";
  if (const std::optional<int> number = NumberOf(IntervalText_)) IntervalPosition_ = std::clamp(*number, 1, kSpinMax);
}

void TVpEventEditRules::StepInterval(int steps) {
  IntervalPosition_ = std::clamp(IntervalPosition_ + steps, 1, kSpinMax);
  SetIntervalText(std::to_string(IntervalPosition_));
}

// --- the window's look ---

bool TVpEventEditRules::Enabled(TVpEventControl control) const {
  switch (control) {
    case ecStartDate:
    case ecStartTime:
    case ecEndTime:
    case ecTimeZone: return !AllDay_;
    case ecAlarmAdvance:
    case ecAlarmAdvanceType:
    case ecSound: return AlarmSet_;
    case ecRepeatUntil: return RepeatIndex_ > rcNone;
    case ecInterval: return RepeatIndex_ == rcCustom;
    default: return true;
  }
}

bool TVpEventEditRules::Visible(TVpEventControl control) const {
  if (control == ecRepeatRule) return !RepeatRuleText().empty();
  return control != ecInterval || RepeatIndex_ == rcCustom;
}

std::string TVpEventEditRules::MarkText(TVpEventControl control) const {
  const auto mark = Marks_.find(control);
  return mark == Marks_.end() ? std::string() : mark->second;
}

std::optional<TVpEventControl> TVpEventEditRules::TakeFocusRequest() {
  std::optional<TVpEventControl> request = FocusRequest_;
  FocusRequest_.reset();
  return request;
}

// --- OK ---

std::optional<TVpEventEditRules::TValues> TVpEventEditRules::Fail(TVpEventControl control, const std::string& text) {
  Marks_[control] = text;
  FocusRequest_ = control;
  return std::nullopt;
}

std::optional<TVpEventEditRules::TValues> TVpEventEditRules::ReadValues() {
  Marks_.clear();
  double startDate = 0;
  try {
    startDate = StartDate_.Date();
  } catch (const EVpDateEditError& error) {
    return Fail(ecStartDate, error.what());
  }
  if (startDate == 0) return Fail(ecStartDate, "Error: Day is required.");
  ApplyStartDay(DayNumberOf(startDate));

  std::int64_t untilDay = FilledUntilDay_;
  try {
    untilDay = DayNumberOf(RepeatUntil_.Date());
  } catch (const EVpDateEditError& error) {
    // A disabled field cannot be put right by the user: its stored value stays.
    if (Enabled(ecRepeatUntil)) return Fail(ecRepeatUntil, error.what());
  }

  if (End() <= Start()) return Fail(ecEndTime, "The event must end after it starts.");
  // The table keeps only so many characters of these; a longer edit would be cut off unseen.
  struct TLimit {
    TVpEventControl Control;
    const std::string& Text;
    const std::string& Filled;
    int MaxCharacters;
    const char* Message;
  };
  const TLimit limits[] = {
      {ecDescription, Description_, OriginalDescription_, 255, "The subject is longer than 255 characters."},
      {ecLocation, Location_, OriginalLocation_, 1024, "The location is longer than 1024 characters."},
      {ecNotes, Notes_, NotesShown_, 1024, "The notes are longer than 1024 characters."},
      {ecSound, SoundFile_, OriginalSoundFile_, 255, "The sound file name is longer than 255 characters."},
  };
  for (const TLimit& limit : limits)
    if (limit.Text != limit.Filled && CodePointCount(limit.Text) > limit.MaxCharacters)
      return Fail(limit.Control, limit.Message);
  return TValues{Start(), End(), untilDay};
}

bool TVpEventEditRules::Validate() { return ReadValues().has_value(); }

bool TVpEventEditRules::WriteTo(TVpEvent& event) {
  const std::optional<TValues> values = ReadValues();
  if (!values) return false;
  event.SetTimeZone(Zone_);
  if (event.TimeZone().empty()) {
    event.SetStartTime(ValueOfMoment(values->Start));
    event.SetEndTime(ValueOfMoment(values->End));
  } else {
    // The times were given on the zone's clock; the local ones follow from it.
    event.SetZoneStartTime(ValueOfMoment(values->Start));
    event.SetEndTime(ValueOfMoment(MomentOf(event.StartTime()) + values->End - values->Start));
  }
  if (RepeatIndex_ >= 0 && !RuleText_.empty()) {
    // A choice replaced the rule: its extra dates go with it (exception dates can only take out).
    event.SetRepeatRule("");
    event.SetExtraDates("");
  }
  if (RepeatIndex_ >= 0) event.SetRepeatCode(static_cast<std::uint8_t>(RepeatIndex_));
  // A kept rule keeps the range end it reaches.
  if (RepeatIndex_ >= 0 || RuleText_.empty()) WriteRepeatRangeEnd(event, values->UntilDay);
  event.SetDescription(Description_);
  event.SetLocation(Location_);
  event.SetNotes(NotesToWrite());
  if (CategoryIndex_ >= 0) event.SetCategory(Categories_[static_cast<size_t>(CategoryIndex_)].Number);
  event.SetAlarmSet(AlarmSet_);
  // The advance of a reminder that is off is not used, and stays as it was.
  if (AlarmSet_) {
    event.SetAlarmAdvance(NumberOf(AlarmAdvanceText_).value_or(0));
    if (AlarmAdvanceTypeIndex_ >= 0) event.SetAlarmAdvanceType(static_cast<std::uint8_t>(AlarmAdvanceTypeIndex_));
  }
  event.SetCustomInterval(std::max(NumberOf(IntervalText_).value_or(1), 1));
  event.SetAllDayEvent(AllDay_);
  event.SetDingPath(SoundFile_);
  // The reminder is worked out afresh from what was confirmed.
  event.SetSnoozeTime(0);
  return true;
}

void TVpEventEditRules::WriteRepeatRangeEnd(TVpEvent& event, std::int64_t untilDay) const {
  // A repeat with an empty "Repeat Until" repeats without end.
  if (untilDay == 0 && IsRepeating(event.RepeatCode())) {
    if (!IsRepeatWithoutEnd(event.RepeatRangeEnd())) event.SetRepeatRangeEnd(kRepeatWithoutEnd);
    return;
  }
  // The day shown at opening, unchanged: the stored value stays exactly as it was.
  if (untilDay == FilledUntilDay_) return;
  if (untilDay > StartDay_) {
    event.SetRepeatRangeEnd(static_cast<double>(untilDay));
    return;
  }
  // Repeat until the event's own day: no repetition after it. The record takes only a range end
  // later than the start, so the last moment of the start day says it, unless the stored end
  // already lies on or before that day.
  if (DayNumberOf(event.RepeatRangeEnd()) > StartDay_)
    event.SetRepeatRangeEnd(ValueOfMoment(Moment(StartDay_, kMsPerDay - 1)));
}

std::string TVpEventEditRules::NotesToWrite() const { return TextToStore(OriginalNotes_, NotesShown_, Notes_); }
