#include "interop/ical/ical_alarm.h"

#include "interop/ical/ical_time.h"
#include "model/day_number.h"
#include "model/enumerations.h"

long long SecondsBeforeStart(icalproperty* trigger, icalcomponent* calendar, double start, double end) {
  const icaltriggertype value = icalproperty_get_trigger(trigger);
  if (!icaltime_is_null_time(value.time)) {
    icalparameter* tzid = icalproperty_get_first_parameter(trigger, ICAL_TZID_PARAMETER);
    icaltimezone* zone = tzid ? ResolveZone(calendar, icalparameter_get_tzid(tzid)) : nullptr;
    return ToMs(start - SnapToMs(LocalDayNumberOf(value.time, zone))) / 1000;
  }
  long long seconds = -static_cast<long long>(icaldurationtype_as_int(value.duration));
  icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
  if (related && icalparameter_get_related(related) == ICAL_RELATED_END) seconds -= ToMs(end - start) / 1000;
  return seconds;
}

void SetAlarmAdvance(TIcalEvent& item, long long seconds) {
  const long long minutes = (seconds + 30) / 60;
  item.AlarmSet = true;
  if (minutes > 0 && minutes % 1440 == 0) {
    item.AlarmAdvance = static_cast<int>(minutes / 1440);
    item.AlarmAdvanceType = atDays;
  } else if (minutes > 0 && minutes % 60 == 0) {
    item.AlarmAdvance = static_cast<int>(minutes / 60);
    item.AlarmAdvanceType = atHours;
  } else {
    item.AlarmAdvance = static_cast<int>(minutes);
    item.AlarmAdvanceType = atMinutes;
  }
}

icaltriggertype TriggerOf(const TIcalEvent& item) {
  icaldurationtype before = icaldurationtype_null_duration();
  before.is_neg = item.AlarmAdvance > 0 ? 1 : 0;
  const auto amount = static_cast<unsigned int>(item.AlarmAdvance > 0 ? item.AlarmAdvance : 0);
  switch (item.AlarmAdvanceType) {
    case atDays: before.days = amount; break;
    case atHours: before.hours = amount; break;
    default: before.minutes = amount;
  }
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = before;
  return trigger;
}
