#include "model/occurrences.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/rule_steps.h"
#include "model/zone_clock.h"

namespace {

std::int64_t LengthMs(const TVpEvent& event) {
  return std::max<std::int64_t>(0, MomentOf(event.EndTime()) - MomentOf(event.StartTime()));
}

TVpOccurrence OccurrenceFrom(std::int64_t start, std::int64_t length) { return {start, start + length}; }

}  // namespace

// --- the walk ---

struct TVpOccurrenceCache::TState {
  std::int64_t Length = 0;
  std::string Zone;  // empty: the event's clock is the local one
  bool DateOnly = false;
  std::vector<std::int64_t> ExceptionMoments;  // on the event's clock, sorted
  std::vector<std::int64_t> ExceptionDays;     // whole days taken out, sorted
  std::vector<std::int64_t> Extras;            // local starts of the extra dates, sorted
  std::vector<std::int64_t> Starts;            // local starts the rule placed so far, ascending
  bool Finished = false;

  // Where the rule's starts come from: a rule, or a repeat code walked day by day.
  TVpRuleSteps Rule;
  bool ByRule = false;
  // A rule walk may skip ahead to a moment asked for far beyond the starts known; Starts then holds
  // every start from SkippedTo on only (the first moment otherwise). Once a question needed the
  // starts before, the walk goes from the beginning and skips no more.
  std::int64_t SkippedTo = std::numeric_limits<std::int64_t>::min();
  bool MaySkip = true;
  std::int64_t StartLocal = 0;  // the event's own start
  std::function<void(TVpRuleSteps&)> OpenRule;
  TVpRecurrence Code;
  std::int64_t NextDay = 0;  // the next day the code is asked about
  std::int64_t TimeOfDayMs = 0;

  bool IsException(std::int64_t wall) const {
    return std::binary_search(ExceptionMoments.begin(), ExceptionMoments.end(), wall) ||
           std::binary_search(ExceptionDays.begin(), ExceptionDays.end(), DayOfMoment(wall));
  }

  std::int64_t LocalOf(std::int64_t wall) const {
    return Zone.empty() ? wall : MomentOf(LocalFromZone(ValueOfMoment(wall), Zone));
  }

  // The next start the rule places on the event's clock, or nothing at its end.
  std::optional<std::int64_t> NextWall() {
    if (ByRule) {
      const std::optional<double> next = Rule.Next();
      if (!next) return std::nullopt;
      return MomentOf(*next);
    }
    const std::int64_t last = std::min(Code.RangeEndDay, NextDay + LongestGapDays(Code));
    for (; NextDay <= last; ++NextDay) {
      if (NextDay == Code.StartDay ||
          (IsRepeating(Code.RepeatCode) && OccursOn(Code, FactsOf(static_cast<double>(NextDay)))))
        return Moment(NextDay++, TimeOfDayMs);
    }
    return std::nullopt;
  }

  // Skips the rule's walk ahead when the moment lies many steps beyond the starts known: a series
  // begun years ago need not be walked start by start to the days shown.
  void SkipAheadFor(std::int64_t moment) {
    if (!ByRule || !MaySkip || Finished) return;
    const std::int64_t margin =
        std::max<std::int64_t>(2 * kMsPerDay, static_cast<std::int64_t>(8 * Rule.StepDays() * kMsPerDay));
    const std::int64_t known = Starts.empty() ? std::max(SkippedTo, StartLocal) : Starts.back();
    if (moment - known < 4 * margin) return;
    const std::int64_t target = moment - margin;
    const double wall = Zone.empty() ? ValueOfMoment(target) : ZoneFromLocal(ValueOfMoment(target), Zone);
    if (!Rule.SkipTo(wall)) return;
    Starts.clear();
    SkippedTo = target;
  }

  // Walks from the beginning again, skipping no more (a question reached before the starts known).
  void WalkFromBeginning() {
    MaySkip = false;
    Starts.clear();
    SkippedTo = std::numeric_limits<std::int64_t>::min();
    Finished = false;
    OpenRule(Rule);
  }

  // Walks on until a start later than the moment is known, or the walk ends.
  void WalkPast(std::int64_t moment) {
    SkipAheadFor(moment);
    while (!Finished && (Starts.empty() || Starts.back() <= moment)) {
      if (Starts.size() >= kMaxWalkedOccurrences) {
        Finished = true;
        break;
      }
      const std::optional<std::int64_t> wall = NextWall();
      if (!wall) {
        Finished = true;
        break;
      }
      if (IsException(*wall)) continue;
      const std::int64_t local = LocalOf(*wall);
      // Local times run backwards where the clocks go back; keep the starts in order.
      Starts.insert(std::upper_bound(Starts.begin(), Starts.end(), local), local);
    }
  }
};

TVpOccurrenceCache::TVpOccurrenceCache() = default;
TVpOccurrenceCache::~TVpOccurrenceCache() = default;
TVpOccurrenceCache::TVpOccurrenceCache(const TVpOccurrenceCache&) {}
TVpOccurrenceCache& TVpOccurrenceCache::operator=(const TVpOccurrenceCache&) {
  Clear();
  return *this;
}
void TVpOccurrenceCache::Clear() { State_.reset(); }
void TVpOccurrenceCache::SetState(std::unique_ptr<TState> state) { State_ = std::move(state); }

namespace {

std::unique_ptr<TVpOccurrenceCache::TState> StartWalk(const TVpEvent& event) {
  auto state = std::make_unique<TVpOccurrenceCache::TState>();
  state->Length = LengthMs(event);
  state->DateOnly = event.AllDayEvent();
  if (!event.TimeZone().empty() && IsKnownZone(event.TimeZone())) state->Zone = event.TimeZone();
  const double start = state->Zone.empty() ? event.StartTime() : event.ZoneStartTime();
  state->TimeOfDayMs = TimeMsOf(start);
  state->StartLocal = MomentOf(event.StartTime());

  for (const TVpStamp& stamp : ParseStampList(event.ExceptionDates())) {
    // A stamp of a whole day takes out that day's occurrence, whatever its time.
    if (stamp.DateOnly) state->ExceptionDays.push_back(DayNumberOf(stamp.Value));
    else state->ExceptionMoments.push_back(MomentOf(stamp.Value));
  }
  std::sort(state->ExceptionMoments.begin(), state->ExceptionMoments.end());
  std::sort(state->ExceptionDays.begin(), state->ExceptionDays.end());

  for (const TVpStamp& stamp : ParseStampList(event.ExtraDates())) {
    // An extra whole day of a timed event starts at the event's time of day.
    const std::int64_t wall =
        stamp.DateOnly ? Moment(DayNumberOf(stamp.Value), state->TimeOfDayMs) : MomentOf(stamp.Value);
    if (!state->IsException(wall)) state->Extras.push_back(state->LocalOf(wall));
  }
  std::sort(state->Extras.begin(), state->Extras.end());

  if (!event.RepeatRule().empty()) {
    state->ByRule = true;
    state->OpenRule = [rule = event.RepeatRule(), start, dateOnly = state->DateOnly,
                       zone = state->Zone](TVpRuleSteps& steps) { steps.Open(rule, start, dateOnly, zone); };
    state->OpenRule(state->Rule);
  } else {
    state->Code = RecurrenceFrom(event.RepeatCode(), event.CustomInterval(), start,
                                 IsRepeating(event.RepeatCode()) ? event.RepeatRangeEnd() : start);
    state->NextDay = state->Code.StartDay;
  }
  return state;
}

TVpOccurrenceCache::TState& WalkOf(const TVpEvent& event) {
  TVpOccurrenceCache& cache = event.Occurrences();
  if (!cache.State()) cache.SetState(StartWalk(event));
  return *cache.State();
}

// --- day arithmetic for events repeating by a code alone ---

// The first day after the day after that an occurrence of the series starts on, looked for no
// further than the longest gap and within the series' range.
std::optional<std::int64_t> NextStartDay(const TVpRecurrence& rule, std::int64_t after) {
  const std::int64_t last = std::min(rule.RangeEndDay, after + 1 + LongestGapDays(rule));
  for (std::int64_t day = std::max(after + 1, rule.StartDay); day <= last; ++day)
    if (day == rule.StartDay || OccursOn(rule, FactsOf(static_cast<double>(day)))) return day;
  return std::nullopt;
}

std::optional<TVpOccurrence> ArithmeticAtOrBefore(const TVpEvent& event, std::int64_t moment) {
  const std::int64_t start = MomentOf(event.StartTime());
  if (moment < start) return std::nullopt;
  if (!IsRepeating(event.RepeatCode())) return OccurrenceFrom(start, LengthMs(event));
  const TVpRecurrence rule = RecurrenceOf(event);
  const std::int64_t timeOfDay = TimeMsOf(event.StartTime());
  const std::int64_t latest = std::min(DayOfMoment(moment - timeOfDay), rule.RangeEndDay);
  const std::optional<std::int64_t> day =
      CoveringStartDay(rule, true, LongestGapDays(rule), FactsOf(static_cast<double>(latest)));
  if (!day) return std::nullopt;
  return OccurrenceFrom(Moment(*day, timeOfDay), LengthMs(event));
}

std::optional<TVpOccurrence> ArithmeticAfter(const TVpEvent& event, std::int64_t moment) {
  const std::int64_t start = MomentOf(event.StartTime());
  if (moment < start) return OccurrenceFrom(start, LengthMs(event));
  if (!IsRepeating(event.RepeatCode())) return std::nullopt;
  const std::int64_t timeOfDay = TimeMsOf(event.StartTime());
  const std::optional<std::int64_t> day = NextStartDay(RecurrenceOf(event), DayOfMoment(moment - timeOfDay));
  if (!day) return std::nullopt;
  return OccurrenceFrom(Moment(*day, timeOfDay), LengthMs(event));
}

std::optional<TVpOccurrence> ArithmeticOn(const TVpEvent& event, std::int64_t day) {
  const std::int64_t extraDays = ExtraDaysOf(event);
  const std::optional<std::int64_t> startDay = CoveringStartDay(RecurrenceOf(event), IsRepeating(event.RepeatCode()),
                                                                extraDays, FactsOf(static_cast<double>(day)));
  if (!startDay) return std::nullopt;
  const std::int64_t start = MomentOf(event.StartTime());
  return OccurrenceFrom(start + (*startDay - DayOfMoment(start)) * kMsPerDay, LengthMs(event));
}

}  // namespace

bool Repeats(const TVpEvent& event) {
  return IsRepeating(event.RepeatCode()) || !event.RepeatRule().empty() || !event.ExtraDates().empty();
}

bool IsWalked(const TVpEvent& event) {
  if (!event.RepeatRule().empty() || !event.ExtraDates().empty()) return true;
  return IsRepeating(event.RepeatCode()) && (!event.TimeZone().empty() || !event.ExceptionDates().empty());
}

std::optional<TVpOccurrence> OccurrenceAtOrBefore(const TVpEvent& event, std::int64_t moment) {
  if (!IsWalked(event)) return ArithmeticAtOrBefore(event, moment);
  auto& walk = WalkOf(event);
  walk.WalkPast(moment);
  // The walk skipped ahead past the latest start before the moment (or past the moment itself).
  const bool skippedPast = walk.SkippedTo != std::numeric_limits<std::int64_t>::min() &&
                           (moment < walk.SkippedTo || walk.Starts.empty() || walk.Starts.front() > moment);
  if (skippedPast) {
    walk.WalkFromBeginning();
    walk.WalkPast(moment);
  }
  std::optional<std::int64_t> best;
  for (const auto* starts : {&walk.Starts, &walk.Extras}) {
    const auto after = std::upper_bound(starts->begin(), starts->end(), moment);
    if (after != starts->begin()) best = std::max(best.value_or(std::numeric_limits<std::int64_t>::min()), after[-1]);
  }
  if (!best) return std::nullopt;
  return OccurrenceFrom(*best, walk.Length);
}

std::optional<TVpOccurrence> OccurrenceAfter(const TVpEvent& event, std::int64_t moment) {
  if (!IsWalked(event)) return ArithmeticAfter(event, moment);
  auto& walk = WalkOf(event);
  walk.WalkPast(moment);
  // The first start after the moment may lie before the starts the skipped walk knows.
  if (walk.SkippedTo != std::numeric_limits<std::int64_t>::min() && moment < walk.SkippedTo) {
    walk.WalkFromBeginning();
    walk.WalkPast(moment);
  }
  std::optional<std::int64_t> best;
  for (const auto* starts : {&walk.Starts, &walk.Extras}) {
    const auto after = std::upper_bound(starts->begin(), starts->end(), moment);
    if (after != starts->end()) best = std::min(best.value_or(std::numeric_limits<std::int64_t>::max()), *after);
  }
  if (!best) return std::nullopt;
  return OccurrenceFrom(*best, walk.Length);
}

std::optional<TVpOccurrence> OccurrenceOn(const TVpEvent& event, double day) {
  const std::int64_t dayNumber = DayNumberOf(day);
  if (!IsWalked(event)) return ArithmeticOn(event, dayNumber);
  const std::int64_t dayStart = Moment(dayNumber, 0);
  const std::optional<TVpOccurrence> latest = OccurrenceAtOrBefore(event, dayStart + kMsPerDay - 1);
  if (!latest || (latest->Start < dayStart && latest->End <= dayStart)) return std::nullopt;
  return latest;
}

TVpOccurrenceTimes OccurrenceTimesOn(const TVpEvent& event, double day) {
  const std::optional<TVpOccurrence> occurrence = OccurrenceOn(event, day);
  if (!occurrence) return {event.StartTime(), event.EndTime()};
  return {ValueOfMoment(occurrence->Start), ValueOfMoment(occurrence->End)};
}

bool FallsOn(const TVpEvent& event, double day) { return OccurrenceOn(event, day).has_value(); }

bool GoesOnInto(const TVpEvent& event, double day) {
  // An event within one day (and not walked: a zone may move an occurrence) goes on into none.
  if (!IsWalked(event) && ExtraDaysOf(event) == 0) return false;
  const std::optional<TVpOccurrence> occurrence = OccurrenceOn(event, day);
  return occurrence && occurrence->Start < Moment(DayNumberOf(day), 0);
}

TVpDayPart DayPartOf(const TVpEvent& event, double day) {
  const std::int64_t dayStart = Moment(DayNumberOf(day), 0);
  // An event within one day has its occurrence start on the day itself; no search is needed.
  std::optional<TVpOccurrence> occurrence;
  if (IsWalked(event) || ExtraDaysOf(event) > 0) occurrence = OccurrenceOn(event, day);
  if (!occurrence) occurrence = OccurrenceFrom(dayStart + TimeMsOf(event.StartTime()), LengthMs(event));
  return {std::clamp<std::int64_t>(occurrence->Start - dayStart, 0, kMsPerDay),
          std::clamp<std::int64_t>(occurrence->End - dayStart, 0, kMsPerDay)};
}
