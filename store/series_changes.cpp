#include "store/series_changes.h"

#include <vector>

#include "model/date_stamps.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "model/resource.h"
#include "model/rule_steps.h"
#include "model/rule_text.h"
#include "model/zone_clock.h"
#include "store/data_store.h"

namespace {

// The event's fields other than its times, repeat and link: what an occurrence or a new series
// takes from the series.
void CopyOwnFields(const TVpEvent& from, TVpEvent& to) {
  to.SetDescription(from.Description());
  to.SetNotes(from.Notes());
  to.SetLocation(from.Location());
  to.SetCategory(from.Category());
  to.SetAlarmSet(from.AlarmSet());
  to.SetAlarmAdvance(from.AlarmAdvance());
  to.SetAlarmAdvanceType(from.AlarmAdvanceType());
  to.SetDingPath(from.DingPath());
  to.SetKeptProperties(from.KeptProperties());
  for (int i = 0; i < TVpRecord::kUserFieldCount; ++i) to.SetUserField(i, from.UserField(i));
}

// A new event of the series' resource with its fields over the occurrence's times.
TVpEvent& NewEventLike(TVpCustomDataStore& store, const TVpEvent& series, std::int64_t start, int recordID) {
  const std::int64_t length = MomentOf(series.EndTime()) - MomentOf(series.StartTime());
  TVpEvent& event =
      *store.ActiveResource()->Schedule().AddEvent(recordID, ValueOfMoment(start), ValueOfMoment(start + length));
  CopyOwnFields(series, event);
  event.SetAllDayEvent(series.AllDayEvent());
  event.SetTimeZone(series.TimeZone());
  event.SetStartTime(ValueOfMoment(start));
  event.SetEndTime(ValueOfMoment(start + length));
  event.SetChanged(true);
  return event;
}

// The occurrence's start on the series' own clock.
double SeriesClockOf(const TVpEvent& series, std::int64_t occurrence) {
  const double local = ValueOfMoment(occurrence);
  return series.TimeZone().empty() ? local : SnapToMs(ZoneFromLocal(local, series.TimeZone()));
}

void AddStamp(std::string& list, double wall, bool dateOnly) {
  if (!list.empty()) list += ',';
  list += StampText(wall, dateOnly);
}

// The stamps of a list before the moment (on the series' clock), and those from it on.
std::pair<std::string, std::string> SplitStamps(const std::string& list, double from) {
  std::vector<double> before, after;
  bool dateOnly = false;
  for (const TVpStamp& stamp : ParseStampList(list)) {
    dateOnly = stamp.DateOnly;
    (MomentOf(stamp.Value) < MomentOf(from) && DayNumberOf(stamp.Value) <= DayNumberOf(from) ? before : after)
        .push_back(stamp.Value);
  }
  return {StampListText(before, dateOnly), StampListText(after, dateOnly)};
}

// How many starts the series' rule places before the clock time (exception dates count, as the
// rule's COUNT counts them).
int RuleStartsBefore(const TVpEvent& series, double wall) {
  TVpRuleSteps steps;
  const double start = series.TimeZone().empty() ? series.StartTime() : series.ZoneStartTime();
  steps.Open(series.RepeatRule(), start, series.AllDayEvent(), series.TimeZone());
  int count = 0;
  while (const std::optional<double> next = steps.Next()) {
    if (MomentOf(*next) >= MomentOf(wall)) break;
    ++count;
  }
  return count;
}

// Ends the series on the last moment before the clock time, and gives the parts of its repeat from
// there on to next (nullptr: they go).
void EndSeriesBefore(TVpEvent& series, double wall, TVpEvent* next) {
  const std::int64_t cutDay = DayNumberOf(wall);
  const std::string rule = series.RepeatRule();
  if (!rule.empty()) {
    const int count = CountOf(rule);
    if (count > 0) {
      const int before = RuleStartsBefore(series, wall);
      series.SetRepeatRule(RuleEndingAfter(rule, before));
      if (next) next->SetRepeatRule(RuleEndingAfter(rule, count - before));
    } else {
      const double lastBefore =
          series.AllDayEvent() ? static_cast<double>(cutDay - 1) : ValueOfMoment(MomentOf(wall) - 1000);
      series.SetRepeatRule(RuleEndingAt(rule, lastBefore, series.AllDayEvent(), series.TimeZone()));
      if (next) next->SetRepeatRule(rule);
    }
  } else if (next) {
    next->SetRepeatCode(series.RepeatCode());
    next->SetCustomInterval(series.CustomInterval());
  }
  if (next) next->SetRepeatRangeEnd(series.RepeatRangeEnd());
  // The last day of the range: the day before the cut, its last moment (a range end must lie after
  // the start, and the start day's own last moment says "no repetition after it").
  series.SetRepeatRangeEnd(ValueOfMoment(Moment(cutDay, 0) - 1));
  const auto [exceptionsBefore, exceptionsAfter] = SplitStamps(series.ExceptionDates(), wall);
  const auto [extrasBefore, extrasAfter] = SplitStamps(series.ExtraDates(), wall);
  series.SetExceptionDates(exceptionsBefore);
  series.SetExtraDates(extrasBefore);
  if (next) {
    next->SetExceptionDates(exceptionsAfter);
    next->SetExtraDates(extrasAfter);
  }
  series.SetChanged(true);
}

}  // namespace

bool CoversWholeSeries(const TVpEvent& series, std::int64_t occurrence, TVpOccurrenceScope scope) {
  return scope == osAll || !Repeats(series) ||
         (scope == osThisAndFollowing && occurrence <= MomentOf(series.StartTime()));
}

TVpEvent& OccurrencesToChange(TVpCustomDataStore& store, TVpEvent& series, std::int64_t occurrence,
                              TVpOccurrenceScope scope) {
  if (CoversWholeSeries(series, occurrence, scope)) return series;
  const double wall = SeriesClockOf(series, occurrence);
  if (scope == osOnlyThis) {
    TVpEvent& own = NewEventLike(store, series, occurrence, -1);
    own.SetSeriesID(series.RecordID());
    own.SetOriginalStart(wall);
    std::string exceptions = series.ExceptionDates();
    AddStamp(exceptions, wall, series.AllDayEvent());
    series.SetExceptionDates(exceptions);
    series.SetChanged(true);
    return own;
  }
  TVpEvent& next = NewEventLike(store, series, occurrence, store.GetNextID("Events"));
  for (TVpEvent* changed : ChangedOccurrencesOf(store.ActiveResource()->Schedule(), series, wall)) {
    changed->SetSeriesID(next.RecordID());
    changed->SetChanged(true);
  }
  EndSeriesBefore(series, wall, &next);
  return next;
}

void DeleteOccurrences(TVpCustomDataStore& store, TVpEvent& series, std::int64_t occurrence, TVpOccurrenceScope scope) {
  const double wall = SeriesClockOf(series, occurrence);
  if (scope == osOnlyThis) {
    std::string exceptions = series.ExceptionDates();
    AddStamp(exceptions, wall, series.AllDayEvent());
    series.SetExceptionDates(exceptions);
    series.SetChanged(true);
    return;
  }
  for (TVpEvent* changed : ChangedOccurrencesOf(store.ActiveResource()->Schedule(), series, wall)) {
    changed->SetDeleted(true);
    changed->SetChanged(true);
  }
  EndSeriesBefore(series, wall, nullptr);
}

void MoveSeries(TVpCustomDataStore& store, TVpEvent& series, std::int64_t start, std::int64_t end) {
  const double wallBefore = SeriesClockOf(series, MomentOf(series.StartTime()));
  series.SetStartTime(ValueOfMoment(start));
  series.SetEndTime(ValueOfMoment(end));
  series.SetChanged(true);
  if (!Repeats(series)) return;
  const double wallAfter = SeriesClockOf(series, start);
  const std::int64_t shift = MomentOf(wallAfter) - MomentOf(wallBefore);
  const auto days = static_cast<int>(DayNumberOf(wallAfter) - DayNumberOf(wallBefore));
  if (shift == 0) return;
  const auto shifted = [&](const std::string& list) {
    std::vector<double> values;
    bool dateOnly = false;
    for (const TVpStamp& stamp : ParseStampList(list)) {
      dateOnly = stamp.DateOnly;
      values.push_back(dateOnly ? stamp.Value + days : ValueOfMoment(MomentOf(stamp.Value) + shift));
    }
    return StampListText(values, dateOnly);
  };
  for (TVpEvent* changed : ChangedOccurrencesOf(store.ActiveResource()->Schedule(), series)) {
    changed->SetOriginalStart(ValueOfMoment(MomentOf(changed->OriginalStart()) + shift));
    changed->SetChanged(true);
  }
  series.SetExceptionDates(shifted(series.ExceptionDates()));
  series.SetExtraDates(shifted(series.ExtraDates()));
  series.SetRepeatRule(RuleShiftedByDays(series.RepeatRule(), days));
  // A counted rule's last occurrence moves along; an end date stays where it was.
  if (CountOf(series.RepeatRule()) > 0) series.SetRepeatRangeEnd(series.RepeatRangeEnd() + days);
}

std::vector<TVpEvent*> ChangedOccurrencesOf(const TVpSchedule& schedule, const TVpEvent& series, double fromWall) {
  std::vector<TVpEvent*> found;
  if (series.RecordID() < 0) return found;
  for (int i = 0; i < schedule.Count(); ++i) {
    TVpEvent* event = schedule.Items(i);
    if (event->SeriesID() == series.RecordID() && MomentOf(event->OriginalStart()) >= MomentOf(fromWall))
      found.push_back(event);
  }
  return found;
}
