#include "interop/ical/ical_rule_walk.h"

#include <algorithm>
#include <memory>

#include "model/day_number.h"

namespace {

// One step of the frequency in days, and the most steps a rule is walked from its start: the
// library takes some microseconds a step up to days, far more a step of months or years, and a
// rule the planner must expand never needs more (the cap on occurrences comes first).
struct TStepBudget {
  double Days;
  double Steps;
};

TStepBudget BudgetOf(icalrecurrencetype_frequency frequency) {
  switch (frequency) {
    case ICAL_SECONDLY_RECURRENCE: return {1.0 / 86400, 50000};
    case ICAL_MINUTELY_RECURRENCE: return {1.0 / 1440, 50000};
    case ICAL_HOURLY_RECURRENCE: return {1.0 / 24, 50000};
    case ICAL_DAILY_RECURRENCE: return {1, 50000};
    case ICAL_WEEKLY_RECURRENCE: return {7, 10000};
    case ICAL_MONTHLY_RECURRENCE: return {31, 1000};
    default: return {366, 500};
  }
}

// A time's wall-clock fields as a day number, whatever its zone.
double WallDayNumber(icaltimetype time) {
  return EncodeDate(time.year, time.month, time.day) +
         (time.is_date ? 0 : EncodeTime(time.hour, time.minute, time.second));
}

// The wall-clock day number as a time of the same kind and zone as like.
icaltimetype WallTime(double wall, icaltimetype like) {
  const TVpDate date = DecodeDate(wall);
  const TVpTime time = DecodeTime(wall);
  like.year = date.Year;
  like.month = date.Month;
  like.day = date.Day;
  if (!like.is_date) {
    like.hour = time.Hour;
    like.minute = time.Minute;
    like.second = time.Second;
  }
  return like;
}

}  // namespace

TIcalWalkEnd WalkIcalRule(const icalrecurrencetype& rule, icaltimetype start, double untilWall,
                          std::chrono::steady_clock::time_point deadline,
                          const std::function<bool(icaltimetype)>& take) {
  if (std::chrono::steady_clock::now() > deadline) return weWork;
  // The library stops at UNTIL between steps, so an UNTIL bounds its work; it takes no COUNT
  // beside one, so occurrences are counted here.
  icalrecurrencetype bounded = rule;
  bounded.count = 0;
  const TStepBudget budget = BudgetOf(rule.freq);
  double limit = std::min(WallDayNumber(start) + budget.Days * std::max<short>(rule.interval, 1) * budget.Steps,
                          EncodeDate(9999, 12, 31));
  TIcalWalkEnd end = weWork;
  if (untilWall > 0 && untilWall <= limit) {
    limit = untilWall;
    end = weHorizon;
  }
  const icaltimetype limitTime = WallTime(limit, start);
  if (!icaltime_is_null_time(rule.until) && icaltime_compare(rule.until, limitTime) <= 0) end = weRuleEnd;
  else bounded.until = limitTime;

  std::unique_ptr<icalrecur_iterator, decltype(&icalrecur_iterator_free)> iterator(
      icalrecur_iterator_new(bounded, start), &icalrecur_iterator_free);
  if (!iterator) return weRuleEnd;
  int taken = 0;
  for (icaltimetype next = icalrecur_iterator_next(iterator.get()); !icaltime_is_null_time(next);
       next = icalrecur_iterator_next(iterator.get())) {
    if ((rule.count > 0 && taken >= rule.count) || !take(next)) return weRuleEnd;
    ++taken;
    if (std::chrono::steady_clock::now() > deadline) return weWork;
  }
  return end;
}
