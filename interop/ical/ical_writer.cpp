#include "interop/ical/ical_writer.h"

#include <libical/ical.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "interop/ical/ical_alarm.h"
#include "interop/ical/ical_kept.h"
#include "interop/ical/ical_repeat.h"
#include "interop/ical/ical_time.h"
#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/enumerations.h"

namespace {

// Writes clock times: on a named zone's clock with its TZID (the zone's description goes into the
// file once per zone), in UTC, or floating (the same clock time wherever the file is read).
class TTimeWriter {
 public:
  // The clock time on the zone's clock ("UTC", a zone data name, or empty: floating).
  icaltimetype Value(double wall, const std::string& zone) {
    icaltimetype value = ClockTimeOf(wall);
    if (zone == "UTC") value = icaltime_set_timezone(&value, icaltimezone_get_utc_timezone());
    return value;
  }

  // Names the zone in the property's TZID when it needs one.
  icalproperty* Named(icalproperty* property, const std::string& zone) {
    if (zone.empty() || zone == "UTC") return property;
    icalproperty_add_parameter(property, icalparameter_new_tzid(zone.c_str()));
    Zones_.insert(zone);
    return property;
  }

  icalproperty* Timed(icalproperty* property, double wall, const std::string& zone) {
    icalproperty_set_value(property, icalvalue_new_datetime(Value(wall, zone)));
    return Named(property, zone);
  }

  const std::set<std::string>& Zones() const { return Zones_; }

 private:
  std::set<std::string> Zones_;
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
  icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icalcomponent_add_property(alarm, icalproperty_new_description(WithLineFeeds(event.Description).c_str()));
  icalcomponent_add_property(alarm, icalproperty_new_trigger(TriggerOf(event)));
  return alarm;
}

// The event's first kept reminder as the event's own: as it came while it reminds as the event
// does, else with the event's trigger.
icalcomponent* KeptAlarmOf(const TIcalEvent& event, icalcomponent* kept) {
  icalcomponent* alarm = icalcomponent_new_clone(kept);
  icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  TIcalEvent came;
  if (trigger)
    SetAlarmAdvance(came, std::max(0LL, SecondsBeforeStart(trigger, nullptr, event.StartTime, event.EndTime)));
  if (!trigger || came.AlarmAdvance != event.AlarmAdvance || came.AlarmAdvanceType != event.AlarmAdvanceType) {
    if (trigger) {
      icalcomponent_remove_property(alarm, trigger);
      icalproperty_free(trigger);
    }
    icalcomponent_add_property(alarm, icalproperty_new_trigger(TriggerOf(event)));
  }
  return alarm;
}

// The kept lines of the event, its reminder among them: the first kept reminder stands for the
// event's own, or the event's own is added. An event that reminds no more has no reminder at all:
// a file's first reminder is read as the event's own.
void AddKept(icalcomponent* component, const TIcalEvent& event) {
  const TIcalComponentPtr kept = KeptComponent(event.KeptProperties);
  for (icalproperty* property = icalcomponent_get_first_property(kept.get(), ICAL_ANY_PROPERTY); property;
       property = icalcomponent_get_next_property(kept.get(), ICAL_ANY_PROPERTY))
    icalcomponent_add_property(component, icalproperty_new_clone(property));
  bool reminded = false;
  for (icalcomponent* inner = icalcomponent_get_first_component(kept.get(), ICAL_ANY_COMPONENT); inner;
       inner = icalcomponent_get_next_component(kept.get(), ICAL_ANY_COMPONENT)) {
    if (icalcomponent_isa(inner) != ICAL_VALARM_COMPONENT) {
      icalcomponent_add_component(component, icalcomponent_new_clone(inner));
    } else if (event.AlarmSet) {
      icalcomponent_add_component(
          component, std::exchange(reminded, true) ? icalcomponent_new_clone(inner) : KeptAlarmOf(event, inner));
    }
  }
  if (event.AlarmSet && !reminded) icalcomponent_add_component(component, AlarmOf(event));
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

// The stamps of the list on the event's clock as properties of the kind (EXDATE, RDATE), but for
// the left-out ones.
void AddStamps(icalcomponent* component, icalproperty_kind kind, const std::string& list, const std::string& zone,
               const std::set<std::string>& leftOut, TTimeWriter& times) {
  for (const TVpStamp& stamp : ParseStampList(list)) {
    if (leftOut.count(StampText(stamp.Value, stamp.DateOnly))) continue;
    const icaltimetype value = stamp.DateOnly ? DateValueOf(stamp.Value) : times.Value(stamp.Value, zone);
    icalproperty* property = nullptr;
    if (kind == ICAL_EXDATE_PROPERTY) {
      property = icalproperty_new_exdate(value);
    } else {
      icaldatetimeperiodtype date{};
      date.time = value;
      date.period = icalperiodtype_null_period();
      property = icalproperty_new_rdate(date);
    }
    if (stamp.DateOnly) icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    else times.Named(property, zone);
    icalcomponent_add_property(component, property);
  }
}

// series: the event a changed occurrence belongs to, when the file holds it (its clock names the
// occurrence); leftOut: the exception dates that travel as changed occurrences.
icalcomponent* EventOf(const TIcalEvent& event, const TIcalEvent* series, const std::set<std::string>& leftOut,
                       TTimeWriter& times, icaltimetype stamp) {
  icalcomponent* component =
      ItemOf(ICAL_VEVENT_COMPONENT, event.Uid, stamp, event.Description, event.Notes, event.CategoryName);
  AddText(component, icalproperty_new_location, event.Location);
  if (event.IsOverride()) {
    const TIcalEvent& clock = series ? *series : event;
    icalproperty* id = icalproperty_new(ICAL_RECURRENCEID_PROPERTY);
    if (clock.AllDayEvent) icalproperty_set_value(id, icalvalue_new_date(DateValueOf(event.OriginalStart)));
    else times.Timed(id, event.OriginalStart, clock.TimeZone);
    icalcomponent_add_property(component, id);
  }
  if (event.AllDayEvent) {
    const double lastDay = std::max(DateOf(event.EndTime), DateOf(event.StartTime));
    icalcomponent_add_property(component, icalproperty_new_dtstart(DateValueOf(event.StartTime)));
    icalcomponent_add_property(component, icalproperty_new_dtend(DateValueOf(lastDay + 1)));  // exclusive
  } else {
    const std::string& zone = event.TimeZone;
    const double end = zone.empty() ? event.EndTime : ZoneFromLocal(event.EndTime, zone);
    icalcomponent_add_property(component,
                               times.Timed(icalproperty_new(ICAL_DTSTART_PROPERTY), OwnStartOf(event), zone));
    icalcomponent_add_property(component, times.Timed(icalproperty_new(ICAL_DTEND_PROPERTY), end, zone));
  }
  icalrecurrencetype rule;
  if (!event.RepeatRule.empty()) {
    icalcomponent_add_property(component, icalproperty_new_from_string(("RRULE:" + event.RepeatRule).c_str()));
  } else if (WrittenRuleOfRepeat(event, rule)) {
    icalcomponent_add_property(component, icalproperty_new_rrule(rule));
  }
  AddStamps(component, ICAL_EXDATE_PROPERTY, event.ExceptionDates, event.TimeZone, leftOut, times);
  AddStamps(component, ICAL_RDATE_PROPERTY, event.ExtraDates, event.TimeZone, {}, times);
  AddKept(component, event);
  return component;
}

icalcomponent* TaskOf(const TIcalTask& task, icaltimetype stamp) {
  icalcomponent* component =
      ItemOf(ICAL_VTODO_COMPONENT, task.Uid, stamp, task.Description, task.Details, task.CategoryName);
  if (task.Priority > 0) icalcomponent_add_property(component, icalproperty_new_priority(std::min(task.Priority, 9)));
  if (task.DueDate != 0) icalcomponent_add_property(component, icalproperty_new_due(DateValueOf(task.DueDate)));
  if (task.CreatedOn != 0)
    icalcomponent_add_property(component, icalproperty_new_created(UtcValueOf(UnixOfLocalDayNumber(task.CreatedOn))));
  icalcomponent_add_property(component,
                             icalproperty_new_status(task.Complete ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
  if (task.Complete && task.CompletedOn != 0)
    icalcomponent_add_property(component,
                               icalproperty_new_completed(UtcValueOf(UnixOfLocalDayNumber(task.CompletedOn))));
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
  const icaltimetype stampValue = UtcValueOf(stamp);
  // Each series with the starts of its changed occurrences, which travel as events of their own
  // rather than as exceptions.
  std::map<std::string, const TIcalEvent*> series;
  std::map<std::string, std::set<std::string>> changed;
  for (const TIcalEvent& event : events)
    if (!event.IsOverride()) series.emplace(event.Uid, &event);
  for (const TIcalEvent& event : events) {
    const auto found = event.IsOverride() ? series.find(event.Uid) : series.end();
    if (found != series.end()) changed[event.Uid].insert(StampText(event.OriginalStart, found->second->AllDayEvent));
  }
  TTimeWriter times;
  std::vector<icalcomponent*> items;
  for (const TIcalEvent& event : events) {
    const auto found = event.IsOverride() ? series.find(event.Uid) : series.end();
    const auto leftOut = event.IsOverride() ? changed.end() : changed.find(event.Uid);
    items.push_back(EventOf(event, found == series.end() ? nullptr : found->second,
                            leftOut == changed.end() ? std::set<std::string>{} : leftOut->second, times, stampValue));
  }
  for (const TIcalTask& task : tasks) items.push_back(TaskOf(task, stampValue));
  for (icalcomponent* item : items) icalcomponent_add_component(calendar.get(), item);
  std::string result = TextOf(calendar.get());
  // The zones go first among the components, after the calendar's own properties.
  std::string zones;
  for (const std::string& zone : times.Zones())
    if (icaltimezone* named = ZoneOfName(zone)) zones += TimezoneText(named);
  result.insert(result.find("\r\nBEGIN:", 1) + 2, zones);
  return result;
}
