#include "model/rule_steps.h"

#include <libical/ical.h>

#include <algorithm>

#include "model/clock_time.h"
#include "model/day_number.h"
#include "model/moment.h"
#include "model/recurrence.h"
#include "model/zone_clock.h"

namespace {

// One step of the frequency in days, and the most steps a rule is walked from its start.
struct TStepBudget {
  double Days;
  double Steps;
};

TStepBudget BudgetOf(icalrecurrencetype_frequency frequency) {
  switch (frequency) {
    case ICAL_SECONDLY_RECURRENCE: return {1.0 / 86400, 100000};
    case ICAL_MINUTELY_RECURRENCE: return {1.0 / 1440, 100000};
    case ICAL_HOURLY_RECURRENCE: return {1.0 / 24, 100000};
    case ICAL_DAILY_RECURRENCE: return {1, 100000};
    case ICAL_WEEKLY_RECURRENCE: return {7, 20000};
    case ICAL_MONTHLY_RECURRENCE: return {31, 5000};
    default: return {366, 1000};
  }
}

bool ReadRule(const std::string& text, icalrecurrencetype& rule) {
  icalerror_clear_errno();
  rule = icalrecurrencetype_from_string(text.c_str());
  return rule.freq != ICAL_NO_RECURRENCE && icalerrno == ICAL_NO_ERROR;
}

}  // namespace

struct TVpRuleSteps::TState {
  std::unique_ptr<icalrecur_iterator, decltype(&icalrecur_iterator_free)> Iterator{nullptr, &icalrecur_iterator_free};
  int Count = 0;  // the rule's COUNT, 0 for none
  int Taken = 0;
  double Start = 0;
  bool StartGiven = false;
  bool DateOnly = false;
  double StepDays = 0;
};

TVpRuleSteps::TVpRuleSteps() : State_(std::make_unique<TState>()) {}
TVpRuleSteps::~TVpRuleSteps() = default;

bool TVpRuleSteps::Open(const std::string& text, double start, bool dateOnly, const std::string& zone) {
  State_ = std::make_unique<TState>();
  State_->Start = start;
  State_->DateOnly = dateOnly;
  icalrecurrencetype rule;
  if (!ReadRule(text, rule)) return false;
  // The library stops at UNTIL between steps, so an UNTIL bounds its work; it takes no COUNT beside
  // one, so occurrences are counted here.
  State_->Count = rule.count;
  rule.count = 0;
  // The steps are clock times of the event; an UNTIL in UTC is a moment, read on the same clock.
  if (!icaltime_is_null_time(rule.until) && icaltime_is_utc(rule.until) && !rule.until.is_date)
    rule.until = ClockTimeOf(ZoneClockOfUnix(icaltime_as_timet(rule.until), zone), false);
  // A yearly rule naming months alone recurs on the start's day of those months; the library,
  // walking whole days, takes the months' last days instead, so the day is named for it.
  auto unset = [](const short* list) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; };
  if (rule.freq == ICAL_YEARLY_RECURRENCE && !unset(rule.by_month) && unset(rule.by_month_day) && unset(rule.by_day) &&
      unset(rule.by_year_day) && unset(rule.by_week_no)) {
    rule.by_month_day[0] = static_cast<short>(DecodeDate(start).Day);
    rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
  }
  const TStepBudget budget = BudgetOf(rule.freq);
  State_->StepDays = budget.Days * std::max<short>(rule.interval, 1);
  const double limit =
      std::min(start + budget.Days * std::max<short>(rule.interval, 1) * budget.Steps, EncodeDate(9999, 12, 31));
  const icaltimetype limitTime = ClockTimeOf(limit, dateOnly);
  if (icaltime_is_null_time(rule.until) || icaltime_compare(rule.until, limitTime) > 0) rule.until = limitTime;
  State_->Iterator.reset(icalrecur_iterator_new(rule, ClockTimeOf(start, dateOnly)));
  return State_->Iterator != nullptr;
}

std::optional<double> TVpRuleSteps::Next() {
  TState& state = *State_;
  if (state.Count > 0 && state.Taken >= state.Count) return std::nullopt;
  // The event's own start is the first occurrence, whether or not the rule would place it.
  if (!state.StartGiven) {
    state.StartGiven = true;
    ++state.Taken;
    return state.Start;
  }
  if (!state.Iterator) return std::nullopt;
  for (icaltimetype next = icalrecur_iterator_next(state.Iterator.get()); !icaltime_is_null_time(next);
       next = icalrecur_iterator_next(state.Iterator.get())) {
    const double wall = WallOf(next);
    if (MomentOf(wall) <= MomentOf(state.Start)) continue;
    ++state.Taken;
    return wall;
  }
  state.Iterator.reset();
  return std::nullopt;
}

bool TVpRuleSteps::SkipTo(double wall) {
  TState& state = *State_;
  if (!state.Iterator || state.Count > 0 || MomentOf(wall) <= MomentOf(state.Start)) return false;
  // The day asked for at the start's time of day: the rule's own times come from its start.
  const double from = static_cast<double>(DayNumberOf(wall)) + (wall < 0 ? -1 : 1) * TimeOf(state.Start);
  if (!icalrecur_iterator_set_start(state.Iterator.get(), ClockTimeOf(from, state.DateOnly))) return false;
  state.StartGiven = true;
  return true;
}

double TVpRuleSteps::StepDays() const { return State_->StepDays; }

double RuleRangeEnd(const std::string& text, double start, bool dateOnly, const std::string& zone) {
  const auto local = [&zone](double wall) { return zone.empty() ? wall : LocalFromZone(wall, zone); };
  icalrecurrencetype rule;
  if (!ReadRule(text, rule)) return DateOf(local(start));
  if (!icaltime_is_null_time(rule.until)) {
    if (icaltime_is_utc(rule.until) && !rule.until.is_date)
      return DateOf(LocalDayNumberOfUnix(icaltime_as_timet(rule.until)));
    return DateOf(WallOf(rule.until));
  }
  if (rule.count <= 0) return kRepeatWithoutEnd;
  TVpRuleSteps steps;
  double last = start;
  if (steps.Open(text, start, dateOnly, zone))
    while (const std::optional<double> next = steps.Next()) last = *next;
  return DateOf(local(last));
}
