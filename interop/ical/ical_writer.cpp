#include "interop/ical/ical_writer.h"

#include <libical/ical.h>
#include <map>
#include <memory>
#include <mutex>

#include "interop/ical/ical_repeat.h"
#include "interop/ical/ical_time.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/recurrence.h"

namespace {

icaltimetype DateValue(double day) {
  const TVpDate date = DecodeDate(day);
  icaltimetype time = icaltime_null_date();
  time.year = date.Year;
  time.month = date.Month;
  time.day = date.Day;
  return time;
}

icaltimetype UtcValue(std::time_t moment) {
  return icaltime_from_timet_with_zone(moment, 0, icaltimezone_get_utc_timezone());
}

// Writes local date-times in the local zone, or in UTC or floating when that is all there is.
class TTimeWriter {
 public:
  TTimeWriter() : Zone_(LocalZone()) {}

  bool NeedsZone() const { return Used_ && Zone_ && Zone_ != icaltimezone_get_utc_timezone(); }
  icaltimezone* Zone() const { return Zone_; }

  icalproperty* Timed(icalproperty* property, double local) {
    Used_ = true;
    if (Zone_ == icaltimezone_get_utc_timezone()) {
      icalproperty_set_value(property, icalvalue_new_datetime(UtcValue(UnixOfLocalDayNumber(local))));
      return property;
    }
    const TVpDate date = DecodeDate(local);
    const TVpTime time = DecodeTime(local);
    icaltimetype value = icaltime_null_time();
    value.year = date.Year;
    value.month = date.Month;
    value.day = date.Day;
    value.hour = time.Hour;
    value.minute = time.Minute;
    value.second = time.Second;
    icalproperty_set_value(property, icalvalue_new_datetime(value));
    if (Zone_) icalproperty_add_parameter(property, icalparameter_new_tzid(icaltimezone_get_location(Zone_)));
    return property;
  }

  // The UNTIL of a repeat ending on the day: a date for all-day events, else the day's last
  // second, in UTC as a zoned start wants it.
  icaltimetype Until(double lastDay, bool allDay) const {
    if (allDay) return DateValue(lastDay);
    const double end = DateOf(lastDay) + 1 - 1.0 / 86400;
    if (Zone_) return UtcValue(UnixOfLocalDayNumber(end));
    icaltimetype value = DateValue(end);
    value.is_date = 0;
    value.hour = 23;
    value.minute = 59;
    value.second = 59;
    return value;
  }

 private:
  icaltimezone* Zone_;
  bool Used_ = false;
};

// The file format knows one line break, the line feed: a CR LF pair becomes one, and so does a
// lone CR, which would otherwise be dropped and join its lines.
std::string WithLineFeeds(std::string text) {
  std::size_t kept = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool pair = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
    if (!pair) text[kept++] = text[at] == '\r' ? '\n' : text[at];
  }
  text.resize(kept);
  return text;
}

void AddText(icalcomponent* component, icalproperty* (*make)(const char*), const std::string& text) {
  if (!text.empty()) icalcomponent_add_property(component, make(WithLineFeeds(text).c_str()));
}

icalcomponent* AlarmOf(const TIcalEvent& event) {
  icaldurationtype before = icaldurationtype_null_duration();
  before.is_neg = event.AlarmAdvance > 0 ? 1 : 0;
  const auto amount = static_cast<unsigned int>(event.AlarmAdvance > 0 ? event.AlarmAdvance : 0);
  switch (event.AlarmAdvanceType) {
    case atDays: before.days = amount; break;
    case atHours: before.hours = amount; break;
    default: before.minutes = amount;
  }
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = before;
  icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icalcomponent_add_property(alarm, icalproperty_new_description(WithLineFeeds(event.Description).c_str()));
  icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
  return alarm;
}

// An event or task with what both have: UID, stamp, summary, notes and category.
icalcomponent* ItemOf(icalcomponent_kind kind, const std::string& uid, icaltimetype stamp, const std::string& summary,
                      const std::string& notes, const std::string& category) {
  icalcomponent* component = icalcomponent_new(kind);
  icalcomponent_add_property(component, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp));
  AddText(component, icalproperty_new_summary, summary);
  AddText(component, icalproperty_new_description, notes);
  AddText(component, icalproperty_new_categories, category);
  return component;
}

icalcomponent* EventOf(const TIcalEvent& event, TTimeWriter& times, icaltimetype stamp) {
  icalcomponent* component =
      ItemOf(ICAL_VEVENT_COMPONENT, event.Uid, stamp, event.Description, event.Notes, event.CategoryName);
  AddText(component, icalproperty_new_location, event.Location);
  if (event.AllDayEvent) {
    const double lastDay = std::max(DateOf(event.EndTime), DateOf(event.StartTime));
    icalcomponent_add_property(component, icalproperty_new_dtstart(DateValue(event.StartTime)));
    icalcomponent_add_property(component, icalproperty_new_dtend(DateValue(lastDay + 1)));  // exclusive
  } else {
    icalcomponent_add_property(component, times.Timed(icalproperty_new(ICAL_DTSTART_PROPERTY), event.StartTime));
    icalcomponent_add_property(component, times.Timed(icalproperty_new(ICAL_DTEND_PROPERTY), event.EndTime));
  }
  icalrecurrencetype rule;
  // A range end not after the start day shows the event on its start day only: no rule. A repeat
  // without end has no UNTIL.
  if (RuleOfRepeat(event.RepeatCode, event.CustomInterval, event.StartTime, rule) &&
      DateOf(event.RepeatRangeEnd) > DateOf(event.StartTime)) {
    if (!IsRepeatWithoutEnd(event.RepeatRangeEnd)) rule.until = times.Until(event.RepeatRangeEnd, event.AllDayEvent);
    icalcomponent_add_property(component, icalproperty_new_rrule(rule));
  }
  if (event.AlarmSet) icalcomponent_add_component(component, AlarmOf(event));
  return component;
}

icalcomponent* TaskOf(const TIcalTask& task, icaltimetype stamp) {
  icalcomponent* component =
      ItemOf(ICAL_VTODO_COMPONENT, task.Uid, stamp, task.Description, task.Details, task.CategoryName);
  if (task.Priority > 0) icalcomponent_add_property(component, icalproperty_new_priority(std::min(task.Priority, 9)));
  if (task.DueDate != 0) icalcomponent_add_property(component, icalproperty_new_due(DateValue(task.DueDate)));
  if (task.CreatedOn != 0)
    icalcomponent_add_property(component, icalproperty_new_created(UtcValue(UnixOfLocalDayNumber(task.CreatedOn))));
  icalcomponent_add_property(component,
                             icalproperty_new_status(task.Complete ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
  if (task.Complete && task.CompletedOn != 0)
    icalcomponent_add_property(component, icalproperty_new_completed(UtcValue(UnixOfLocalDayNumber(task.CompletedOn))));
  return component;
}

// The zone's description, named by its location as the events' TZID parameters name it.
icalcomponent* TimezoneOf(icaltimezone* zone) {
  icalcomponent* timezone = icalcomponent_new_clone(icaltimezone_get_component(zone));
  icalproperty* tzid = icalcomponent_get_first_property(timezone, ICAL_TZID_PROPERTY);
  icalproperty_set_tzid(tzid, icaltimezone_get_location(zone));
  return timezone;
}

std::string TextOf(icalcomponent* component) {
  char* text = icalcomponent_as_ical_string_r(component);
  std::string result = text ? text : "";
  icalmemory_free_buffer(text);
  return result;
}

// The zone's description as text, made once per zone: the zone data's descriptions are long (every
// change since the zone began) and the same in every file, and a sync writes one file per item.
const std::string& TimezoneText(icaltimezone* zone) {
  static std::mutex guard;
  static std::map<icaltimezone*, std::string> texts;
  const std::lock_guard<std::mutex> lock(guard);
  auto found = texts.find(zone);
  if (found == texts.end()) {
    std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> timezone(TimezoneOf(zone), &icalcomponent_free);
    found = texts.emplace(zone, TextOf(timezone.get())).first;
  }
  return found->second;
}

}  // namespace

std::string WriteIcal(const std::vector<TIcalEvent>& events, const std::vector<TIcalTask>& tasks, std::time_t stamp) {
  std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT),
                                                                         &icalcomponent_free);
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kIcalProductId));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  const icaltimetype stampValue = UtcValue(stamp);
  TTimeWriter times;
  std::vector<icalcomponent*> items;
  for (const TIcalEvent& event : events) items.push_back(EventOf(event, times, stampValue));
  for (const TIcalTask& task : tasks) items.push_back(TaskOf(task, stampValue));
  for (icalcomponent* item : items) icalcomponent_add_component(calendar.get(), item);
  std::string result = TextOf(calendar.get());
  // The zone goes first among the components, after the calendar's own properties.
  if (times.NeedsZone()) result.insert(result.find("\r\nBEGIN:", 1) + 2, TimezoneText(times.Zone()));
  return result;
}
