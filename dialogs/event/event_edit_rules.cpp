#include "dialogs/event/event_edit_rules.h"

#include <algorithm>
#include <charconv>

#include "dialogs/common/line_breaks.h"
#include "model/category_color_map.h"
#include "model/date_format.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/recurrence.h"
#include "model/rule_steps.h"
#include "model/rule_words.h"
#include "model/vp_exception.h"
#include "model/zone_clock.h"
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

const std::string& TVpEventEditRules::RuleChoiceName() {
  static const std::string name = "Custom rule";
  return name;
}

const std::vector<std::string>& TVpEventEditRules::RuleUnitNames() {
  static const std::vector<std::string> names = {"days", "weeks", "months", "years"};
  return names;
}

const std::vector<std::string>& TVpEventEditRules::RuleMonthlyNames() {
  static const std::vector<std::string> names = {"On day", "On the"};
  return names;
}

const std::vector<std::string>& TVpEventEditRules::RulePositionNames() {
  static const std::vector<std::string> names = {"first", "second", "third", "fourth", "last"};
  return names;
}

int TVpEventEditRules::RulePositionOf(int index) { return index >= 4 ? -1 : std::max(index, 0) + 1; }

TVpEventEditRules::TVpEventEditRules(const TClock& clock, const TLocale& locale)
    : Locale_(locale), StartDate_(clock, locale), EndDate_(clock, locale), RepeatUntil_(clock, locale) {
  StartDate_.UseProgramFieldSetUp();
  EndDate_.UseProgramFieldSetUp();
  RepeatUntil_.UseProgramFieldSetUp();
  StartDate_.OnExit = [this](TVpDateEdit&) { StartDateCommitted(); };
  StartDate_.OnSetDate = [this](TVpDateEdit&) { StartDateCommitted(); };
  EndDate_.OnExit = [this](TVpDateEdit&) { EndDateCommitted(); };
  EndDate_.OnSetDate = [this](TVpDateEdit&) { EndDateCommitted(); };
  RepeatUntil_.OnExit = [this](TVpDateEdit&) { RepeatUntilCommitted(); };
  RepeatUntil_.OnSetDate = [this](TVpDateEdit&) { RepeatUntilCommitted(); };
}

void TVpEventEditRules::Fill(const TVpEvent& event, bool twelveHour, const TVpCategoryColorMap& categories,
                             const TVpChangedOccurrences& changed) {
  const TScopedValue filling(Filling_, true);
  Marks_.clear();
  TwelveHour_ = twelveHour;

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
  ShowEndDay();
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
  // A rule the editor can hold is shown in it.
  FilledStart_ = AllDay_ ? DateOf(shownStart) : shownStart;
  FilledRule_.reset();
  if (!RuleText_.empty()) FilledRule_ = RuleShapeOf(event.RepeatRule(), FilledStart_, AllDay_ ? "" : Zone_);
  Rule_ = FilledRule_ ? *FilledRule_ : RuleShapeOfRepeat(event.RepeatCode(), event.CustomInterval(), FilledStart_);
  RuleIntervalText_ = std::to_string(Rule_.Interval);
  RuleCountText_ = Rule_.Count > 0 ? std::to_string(Rule_.Count) : std::string();
  double rangeEnd = event.RepeatRangeEnd() == 0 ? 0 : DateOf(ClampToCalendarRange(event.RepeatRangeEnd()));
  if (IsRepeatWithoutEnd(event.RepeatRangeEnd())) rangeEnd = 0;
  else if (rangeEnd == 0 && IsRepeating(event.RepeatCode())) rangeEnd = static_cast<double>(StartDay_);
  if (FilledRule_) {
    RepeatIndex_ = kRuleChoice;
    rangeEnd = static_cast<double>(FilledRule_->UntilDay);
  }
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
  FillExceptions(event, changed);
  FocusRequest_ = ecDescription;
}

void TVpEventEditRules::FillExceptions(const TVpEvent& event, const TVpChangedOccurrences& changed) {
  Exceptions_.clear();
  const std::string& stored = event.ExceptionDates();
  for (size_t from = 0; from <= stored.size() && !stored.empty();) {
    const size_t comma = std::min(stored.find(',', from), stored.size());
    TException entry;
    entry.Stored = stored.substr(from, comma - from);
    // An entry that is no stamp is kept as it is, unshown.
    if (const std::vector<TVpStamp> stamps = ParseStampList(entry.Stored); stamps.size() == 1) {
      entry.Stamp = stamps.front();
      entry.Changed = std::any_of(changed.Starts.begin(), changed.Starts.end(),
                                  [&](double start) { return ToMs(start) == ToMs(entry.Stamp->Value); });
      // A day's margin: the days known are local, the stamps on the event's clock.
      const double stamp = entry.Stamp->Value;
      entry.Unknown = !changed.AllKnown && (stamp < changed.KnownFrom + 1 || stamp >= changed.KnownTo - 1);
    }
    Exceptions_.push_back(std::move(entry));
    from = comma + 1;
  }
  ExceptionsShown_ = !Exceptions().empty();
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
  EndDate_.CloseDropDown();
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

std::optional<std::int64_t> TVpEventEditRules::CommittedDay(const TVpDateEdit& field, TVpEventControl control) {
  if (Filling_) return std::nullopt;
  double date = 0;
  try {
    date = field.Date();
  } catch (const EVpDateEditError&) {
    return std::nullopt;  // the field reports its own text
  }
  if (date == 0) return std::nullopt;
  Marks_.erase(control);
  return DayNumberOf(date);
}

void TVpEventEditRules::StartDateCommitted() {
  if (const std::optional<std::int64_t> day = CommittedDay(StartDate_, ecStartDate)) ApplyStartDay(*day);
}

void TVpEventEditRules::ApplyStartDay(std::int64_t day) {
  if (day != StartDay_) {
    EndDay_ += day - StartDay_;
    StartDay_ = day;
    ShowEndDay();
  }
  KeepRepeatUntilFromStart();
}

void TVpEventEditRules::ShowEndDay() {
  const TScopedValue showing(Filling_, true);
  EndDate_.SetDate(static_cast<double>(EndDay_));
}

void TVpEventEditRules::EndDateCommitted() {
  const std::optional<std::int64_t> day = CommittedDay(EndDate_, ecEndDate);
  if (!day) return;
  // The last day never lies before the first.
  EndDay_ = std::max(*day, StartDay_);
  ShowEndDay();
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
  const int before = RepeatIndex_;
  RepeatIndex_ = std::clamp(index, 0, kRuleChoice);
  // The editor starts with the repeat chosen before, unless it holds the event's rule.
  if (RepeatIndex_ == kRuleChoice && before != kRuleChoice && !FilledRule_) {
    const int interval = NumberOf(IntervalText_).value_or(1);
    Rule_ = RuleShapeOfRepeat(std::max(before, 0), interval, static_cast<double>(StartDay_));
    RuleIntervalText_ = std::to_string(Rule_.Interval);
  }
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

// --- the rule editor ---

void TVpEventEditRules::SelectRuleFrequency(int index) {
  Rule_.Frequency = static_cast<TVpRuleFrequency>(std::clamp(index, 0, static_cast<int>(rfYearly)));
}

void TVpEventEditRules::SetRuleIntervalText(const std::string& text) {
  RuleIntervalText_ = DigitsOf(text).substr(0, kIntervalDigits);
  if (RuleIntervalText_ == "0") RuleIntervalText_ = "1";
  Marks_.erase(ecRuleInterval);
}

void TVpEventEditRules::StepRuleInterval(int steps) {
  const int now = NumberOf(RuleIntervalText_).value_or(1);
  SetRuleIntervalText(std::to_string(std::clamp(now + steps, 1, kMaxRuleInterval)));
}

void TVpEventEditRules::SetRuleWeekday(int weekday, bool on) {
  if (weekday < 1 || weekday > 7) return;
  if (on) Rule_.Weekdays |= WeekdayBit(weekday);
  else Rule_.Weekdays &= ~WeekdayBit(weekday);
  Marks_.erase(ecRuleWeekdays);
}

void TVpEventEditRules::SelectRuleMonthly(int index) { Rule_.ByWeekday = index == 1; }

void TVpEventEditRules::SelectRuleMonthDay(int day) { Rule_.MonthDay = std::clamp(day, 1, 31); }

void TVpEventEditRules::SelectRulePosition(int index) { Rule_.WeekdayPosition = RulePositionOf(index); }

void TVpEventEditRules::SelectRuleWeekday(int weekday) { Rule_.Weekday = std::clamp(weekday, 1, 7); }

void TVpEventEditRules::SetRuleCountText(const std::string& text) {
  RuleCountText_ = DigitsOf(text).substr(0, kIntervalDigits);
  if (RuleCountText_ == "0") RuleCountText_.clear();
  if (RuleCounts()) RepeatUntil_.CloseDropDown();
}

void TVpEventEditRules::StepRuleCount(int steps) {
  const int now = NumberOf(RuleCountText_).value_or(0);
  SetRuleCountText(std::to_string(std::clamp(now + steps, 0, 99999)));
}

// --- exceptions ---

std::string TVpEventEditRules::ExceptionText(const TVpStamp& stamp) const {
  std::string text = FormatShortDate(stamp.Value, Locale_);
  if (!stamp.DateOnly) text += " " + FormatTimeOfDay(TimeMsOf(stamp.Value), TwelveHour_);
  return text;
}

std::vector<TVpExceptionEntry> TVpEventEditRules::Exceptions() const {
  std::vector<TVpExceptionEntry> entries;
  for (const TException& exception : Exceptions_) {
    if (!exception.Kept || !exception.Stamp) continue;
    std::string text = ExceptionText(*exception.Stamp);
    if (exception.Changed) text += " (changed)";
    else if (exception.Unknown) text += " (go to its date)";
    entries.push_back({text, !exception.Changed && !exception.Unknown});
  }
  return entries;
}

void TVpEventEditRules::RemoveException(int index) {
  for (TException& exception : Exceptions_) {
    if (!exception.Kept || !exception.Stamp) continue;
    if (index-- != 0) continue;
    // A changed occurrence has a record of its own: brought back, it would show twice.
    if (!exception.Changed && !exception.Unknown) exception.Kept = false;
    return;
  }
}

// --- the window's look ---

bool TVpEventEditRules::Enabled(TVpEventControl control) const {
  switch (control) {
    case ecStartTime:
    case ecEndTime:
    case ecTimeZone: return !AllDay_;
    case ecAlarmAdvance:
    case ecAlarmAdvanceType:
    case ecSound: return AlarmSet_;
    case ecRepeatUntil: return RepeatIndex_ > rcNone && !RuleCounts();
    case ecInterval: return RepeatIndex_ == rcCustom;
    default: return true;
  }
}

bool TVpEventEditRules::Visible(TVpEventControl control) const {
  const bool monthly = Rule_.Frequency == rfMonthly;
  switch (control) {
    case ecRepeatRule: return !RepeatRuleText().empty();
    case ecInterval: return RepeatIndex_ == rcCustom;
    case ecStartTime:
    case ecEndTime: return !AllDay_;
    case ecEndDate: return AllDay_;
    case ecRulePanel:
    case ecRuleInterval:
    case ecRuleCount: return RepeatIndex_ == kRuleChoice;
    case ecRuleWeekdays: return RepeatIndex_ == kRuleChoice && Rule_.Frequency == rfWeekly;
    case ecRuleMonthly: return RepeatIndex_ == kRuleChoice && monthly;
    case ecRuleMonthDay: return RepeatIndex_ == kRuleChoice && monthly && !Rule_.ByWeekday;
    case ecRuleMonthWeekday: return RepeatIndex_ == kRuleChoice && monthly && Rule_.ByWeekday;
    case ecExceptions: return ExceptionsShown_ && RepeatIndex_ != rcNone;
    default: return true;
  }
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
  // An end date typed and not yet left counts as typed; else the end moves with the start.
  std::int64_t endDay = EndDay_;
  if (AllDay_) {
    double endDate = 0;
    try {
      endDate = EndDate_.Date();
    } catch (const EVpDateEditError& error) {
      return Fail(ecEndDate, error.what());
    }
    if (endDate == 0) return Fail(ecEndDate, "Error: Day is required.");
    endDay = DayNumberOf(endDate);
  }
  const bool endTyped = endDay != EndDay_;
  if (endTyped && endDay < DayNumberOf(startDate)) return Fail(ecEndDate, "The event cannot end before its first day.");
  ApplyStartDay(DayNumberOf(startDate));
  if (endTyped) {
    EndDay_ = endDay;
    ShowEndDay();
  }

  std::int64_t untilDay = FilledUntilDay_;
  try {
    untilDay = DayNumberOf(RepeatUntil_.Date());
  } catch (const EVpDateEditError& error) {
    // A disabled field cannot be put right by the user: its stored value stays.
    if (Enabled(ecRepeatUntil)) return Fail(ecRepeatUntil, error.what());
  }

  if (!AllDay_ && End() <= Start()) return Fail(ecEndTime, "The event must end after it starts.");
  TVpRuleShape rule = Rule_;
  if (RepeatIndex_ == kRuleChoice) {
    const int interval = NumberOf(RuleIntervalText_).value_or(1);
    if (interval > kMaxRuleInterval)
      return Fail(ecRuleInterval, "The rule repeats at most every " + std::to_string(kMaxRuleInterval) + " " +
                                      RuleUnitNames()[Rule_.Frequency] + ".");
    if (Rule_.Frequency == rfWeekly && Rule_.Weekdays == 0)
      return Fail(ecRuleWeekdays, "Choose the weekdays the event repeats on.");
    rule.Interval = interval;
    rule.Count = NumberOf(RuleCountText_).value_or(0);
    rule.UntilDay = rule.Count > 0 ? 0 : untilDay;
  }
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
  // An all-day event covers its days whole.
  if (AllDay_) return TValues{Moment(StartDay_, 0), Moment(EndDay_ + 1, 0) - kMsPerMinute, untilDay, rule};
  return TValues{Start(), End(), untilDay, rule};
}

bool TVpEventEditRules::Validate() { return ReadValues().has_value(); }

bool TVpEventEditRules::WriteTo(TVpEvent& event) {
  const std::optional<TValues> values = ReadValues();
  if (!values) return false;
  // An all-day event keeps no zone: switching it on first moves its times and drops the zone.
  if (AllDay_) event.SetAllDayEvent(true);
  else event.SetTimeZone(Zone_);
  if (event.TimeZone().empty()) {
    event.SetStartTime(ValueOfMoment(values->Start));
    event.SetEndTime(ValueOfMoment(values->End));
  } else {
    // The times were given on the zone's clock; the local ones follow from it.
    event.SetZoneStartTime(ValueOfMoment(values->Start));
    event.SetEndTime(ValueOfMoment(MomentOf(event.StartTime()) + values->End - values->Start));
  }
  if (RepeatIndex_ == kRuleChoice) {
    WriteRule(event, *values);
  } else {
    if (RepeatIndex_ >= 0 && !RuleText_.empty()) {
      // A choice replaced the rule: its extra dates go with it (exception dates can only take out).
      event.SetRepeatRule("");
      event.SetExtraDates("");
    }
    if (RepeatIndex_ >= 0) event.SetRepeatCode(static_cast<std::uint8_t>(RepeatIndex_));
    // A kept rule keeps the range end it reaches.
    if (RepeatIndex_ >= 0 || RuleText_.empty()) WriteRepeatRangeEnd(event, values->UntilDay);
    event.SetCustomInterval(std::max(NumberOf(IntervalText_).value_or(1), 1));
  }
  if (std::any_of(Exceptions_.begin(), Exceptions_.end(), [](const TException& e) { return !e.Kept; })) {
    std::string kept;
    for (const TException& exception : Exceptions_)
      if (exception.Kept) kept += (kept.empty() ? "" : ",") + exception.Stored;
    event.SetExceptionDates(kept);
  }
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

void TVpEventEditRules::WriteRule(TVpEvent& event, const TValues& values) const {
  const double start = ValueOfMoment(values.Start);
  // The rule as filled, from the same start: the stored rule and its range end stay exactly.
  if (FilledRule_ && values.Rule == *FilledRule_ && ToMs(start) == ToMs(FilledStart_)) return;
  const std::string zone = AllDay_ ? std::string() : Zone_;
  int interval = 0;
  // A rule a repeat code says is written as the code, which every reader of the tables knows.
  if (const int code = RepeatCodeOf(values.Rule, start, interval); code != rcNone) {
    event.SetRepeatRule("");
    event.SetRepeatCode(static_cast<std::uint8_t>(code));
    event.SetCustomInterval(interval);
    WriteRepeatRangeEnd(event, values.Rule.UntilDay);
    return;
  }
  const std::string rule = RuleTextOf(values.Rule, AllDay_, zone);
  event.SetRepeatCode(rcNone);
  event.SetRepeatRule(rule);
  // The store loads the event for the days up to the last its rule or extra dates reach.
  double rangeEnd = RuleRangeEnd(rule, start, AllDay_, zone);
  for (const TVpStamp& extra : ParseStampList(event.ExtraDates()))
    rangeEnd = std::max(rangeEnd, DateOf(zone.empty() ? extra.Value : LocalFromZone(extra.Value, zone)));
  const std::int64_t startDay = DayNumberOf(event.StartTime());
  event.SetRepeatRangeEnd(DayNumberOf(rangeEnd) > startDay ? rangeEnd : ValueOfMoment(Moment(startDay, kMsPerDay - 1)));
}

std::string TVpEventEditRules::NotesToWrite() const { return TextToStore(OriginalNotes_, NotesShown_, Notes_); }
