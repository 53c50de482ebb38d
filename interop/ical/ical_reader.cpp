#include "interop/ical/ical_reader.h"

#include <strings.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "interop/ical/ical_parse.h"
#include "interop/ical/ical_repeat.h"
#include "interop/ical/ical_rule_walk.h"
#include "interop/ical/ical_time.h"
#include "model/date_format.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/recurrence.h"

namespace {

std::string TextOf(const char* text) { return text ? text : ""; }

// A moment of the file with the zone it was written in.
struct TMoment {
  icaltimetype Time = icaltime_null_time();
  icaltimezone* Zone = nullptr;
  double Local = 0;
};

// A reminder lead time in seconds as the planner's advance and unit: whole days or hours where it
// divides, minutes otherwise.
void SetAdvance(TIcalEvent& item, long long seconds) {
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

// What ended the expansion of a repeat before its own end.
enum TCut {
  ctNone,     // the repeat's own end
  ctHorizon,  // the horizon
  ctCap,      // the most occurrences taken from one repeat
  ctWork      // the most work one repeat may cost
};

// Whether the time's fields make a moment that exists: the calendar library takes "20261301T250000"
// as it stands and would carry the overflow into the next year and day.
bool IsPossibleTime(icaltimetype time) {
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > icaltime_days_in_month(time.month, time.year))
    return false;
  return time.is_date || (time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 &&
                          time.second >= 0 && time.second <= 60);  // 60: a leap second
}

// The property as the file wrote it, on one line.
std::string LineOf(icalproperty* property) {
  std::string line = TextOf(icalproperty_as_ical_string(property));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

// Whether every moment the property holds (a date, a date-time, a period's ends, a rule's UNTIL)
// is possible.
bool HoldsPossibleTimes(icalproperty* property) {
  const icalvalue* value = icalproperty_get_value(property);
  if (value == nullptr) return true;
  auto possible = [](icaltimetype time) { return icaltime_is_null_time(time) || IsPossibleTime(time); };
  switch (icalvalue_isa(value)) {
    case ICAL_DATE_VALUE:
    case ICAL_DATETIME_VALUE: return possible(icalvalue_get_datetime(value));
    case ICAL_PERIOD_VALUE: {
      const icalperiodtype period = icalvalue_get_period(value);
      return possible(period.start) && possible(period.end);
    }
    case ICAL_DATETIMEPERIOD_VALUE: {
      const icaldatetimeperiodtype date = icalvalue_get_datetimeperiod(value);
      return possible(date.time) && possible(date.period.start) && possible(date.period.end);
    }
    case ICAL_RECUR_VALUE: return possible(icalvalue_get_recur(value).until);
    case ICAL_TRIGGER_VALUE: return possible(icalvalue_get_trigger(value).time);
    default: return true;
  }
}

// The first line of the component (its reminders included) that names a moment that does not
// exist, as the file wrote it; empty when there is none.
std::string ImpossibleTimeLine(icalcomponent* component) {
  for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); property;
       property = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
    if (!HoldsPossibleTimes(property)) return LineOf(property);
  }
  for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); inner;
       inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
    if (std::string line = ImpossibleTimeLine(inner); !line.empty()) return line;
  return {};
}

// The reason an item with an impossible moment is left out.
std::string ImpossibleTimeReason(const std::string& line) {
  return "the line \"" + line + "\" names a date or time that does not exist";
}

class TIcalMapping {
 public:
  TIcalMapping(icalcomponent* calendar, const TIcalReadOptions& options, TIcalContent& content)
      : Calendar_(calendar), Options_(options), Content_(content) {}

  void ReadEvent(icalcomponent* master, const std::vector<icalcomponent*>& overrides);
  void ReadTask(icalcomponent* todo);

 private:
  bool MomentOf(icalproperty* property, icaltimetype time, TMoment& moment);
  // The fields of one event without its repetition; false with the reason when it cannot be had.
  bool ReadSingle(icalcomponent* component, TIcalEvent& item, TMoment& start, std::string& reason);
  void ReadAlarm(icalcomponent* component, const TMoment& start, TIcalEvent& item);
  // The description with labelled lines for what has no field of its own: the location (when
  // asked: a task has no location), web page and attendees.
  std::string NotesOf(icalcomponent* component, bool withLocation);
  std::string CategoryOf(icalcomponent* component);
  // The occurrences of the component's rules, RDATEs and its start, less its EXDATEs, in order of
  // local time up to the rules' end, the horizon or the cap; says which of the last two stopped them.
  TCut Occurrences(icalcomponent* component, const TMoment& start, std::map<std::int64_t, icaltimetype>& found);
  void Note(TIcalNoteKind kind, const std::string& uid, const std::string& summary, std::string reason);
  void FlushChanges(const std::string& uid, const std::string& summary);

  icalcomponent* Calendar_;
  const TIcalReadOptions& Options_;
  TIcalContent& Content_;
  std::vector<std::string> Changes_;  // of the item being read
};

void TIcalMapping::Note(TIcalNoteKind kind, const std::string& uid, const std::string& summary, std::string reason) {
  Content_.Notes.push_back({kind, uid, summary, std::move(reason)});
}

void TIcalMapping::FlushChanges(const std::string& uid, const std::string& summary) {
  std::string reasons;
  for (const std::string& change : Changes_) reasons += (reasons.empty() ? "" : "; ") + change;
  if (!reasons.empty()) Note(inChanged, uid, summary, reasons);
  Changes_.clear();
}

bool TIcalMapping::MomentOf(icalproperty* property, icaltimetype time, TMoment& moment) {
  if (!property || icaltime_is_null_time(time) || !icaltime_is_valid_time(time) || time.year < 1 || time.year > 9999)
    return false;
  moment.Time = time;
  moment.Zone = nullptr;
  if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
      tzid && !time.is_date && !icaltime_is_utc(time)) {
    const char* name = icalparameter_get_tzid(tzid);
    moment.Zone = ResolveZone(Calendar_, name);
    if (!moment.Zone)
      Changes_.push_back("time zone \"" + TextOf(name) + "\" is unknown: its times were read as local times");
  }
  moment.Local = SnapToMs(LocalDayNumberOf(time, moment.Zone));
  return true;
}

std::string TIcalMapping::CategoryOf(icalcomponent* component) {
  icalproperty* property = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY);
  if (!property) return {};
  std::string first = TextOf(icalproperty_get_categories(property));
  const std::size_t comma = first.find(',');
  if (comma != std::string::npos || icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)) {
    first.erase(std::min(comma, first.size()));
    Changes_.push_back("of several categories only \"" + first + "\" was kept");
  }
  return first;
}

std::string TIcalMapping::NotesOf(icalcomponent* component, bool withLocation) {
  std::string notes = TextOf(icalcomponent_get_description(component));
  auto add = [&notes](const std::string& label, const std::string& text) {
    if (text.empty()) return;
    notes += (notes.empty() ? "" : "\n") + label + ": " + text;
  };
  if (withLocation) add("Location", TextOf(icalcomponent_get_location(component)));
  if (icalproperty* url = icalcomponent_get_first_property(component, ICAL_URL_PROPERTY))
    add("URL", TextOf(icalproperty_get_url(url)));
  std::string attendees;
  for (icalproperty* attendee = icalcomponent_get_first_property(component, ICAL_ATTENDEE_PROPERTY); attendee;
       attendee = icalcomponent_get_next_property(component, ICAL_ATTENDEE_PROPERTY)) {
    std::string who = TextOf(icalproperty_get_attendee(attendee));
    if (who.size() > 7 && strncasecmp(who.c_str(), "mailto:", 7) == 0) who.erase(0, 7);
    if (icalparameter* name = icalproperty_get_first_parameter(attendee, ICAL_CN_PARAMETER))
      who = TextOf(icalparameter_get_cn(name)) + " <" + who + ">";
    attendees += (attendees.empty() ? "" : ", ") + who;
  }
  add("Attendees", attendees);
  for (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); error;
       error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
    const std::string what = TextOf(icalproperty_get_xlicerror(error));
    // A property with an empty value ("DESCRIPTION:") held nothing, so nothing was left out.
    if (what.rfind("No value for ", 0) == 0) continue;
    Changes_.push_back("a line was not understood and left out (" + what + ")");
  }
  return notes;
}

void TIcalMapping::ReadAlarm(icalcomponent* component, const TMoment& start, TIcalEvent& item) {
  icalcomponent* alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT);
  if (!alarm) return;
  if (icalcomponent_get_next_component(component, ICAL_VALARM_COMPONENT))
    Changes_.push_back("of several reminders only the first was kept");
  icalproperty* property = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (!property) {
    Changes_.push_back("a reminder without a trigger was left out");
    return;
  }
  const icaltriggertype trigger = icalproperty_get_trigger(property);
  long long secondsBefore = 0;
  if (!icaltime_is_null_time(trigger.time)) {
    TMoment moment;
    if (!MomentOf(property, trigger.time, moment)) return;
    secondsBefore = ToMs(start.Local - moment.Local) / 1000;
  } else {
    secondsBefore = -static_cast<long long>(icaldurationtype_as_int(trigger.duration));
    icalparameter* related = icalproperty_get_first_parameter(property, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
      secondsBefore -= ToMs(item.EndTime - item.StartTime) / 1000;
  }
  if (secondsBefore < 0) {
    Changes_.push_back("a reminder after the start now reminds at the start");
    secondsBefore = 0;
  }
  SetAdvance(item, secondsBefore);
}

bool TIcalMapping::ReadSingle(icalcomponent* component, TIcalEvent& item, TMoment& start, std::string& reason) {
  item.Uid = TextOf(icalcomponent_get_uid(component));
  if (icalproperty* id = icalcomponent_get_first_property(component, ICAL_RECURRENCEID_PROPERTY))
    item.RecurrenceId = icaltime_as_ical_string(icalproperty_get_recurrenceid(id));
  item.Description = TextOf(icalcomponent_get_summary(component));
  if (const std::string line = ImpossibleTimeLine(component); !line.empty()) {
    reason = ImpossibleTimeReason(line);
    return false;
  }
  icalproperty* dtstart = icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
  if (!dtstart || !MomentOf(dtstart, icalproperty_get_dtstart(dtstart), start)) {
    reason = dtstart ? "its start \"" + LineOf(dtstart) + "\" lies outside the years 1 to 3000"
                     : "it has no start (DTSTART)";
    return false;
  }
  item.AllDayEvent = start.Time.is_date;
  item.StartTime = start.Local;
  TMoment end;
  icalproperty* dtend = icalcomponent_get_first_property(component, ICAL_DTEND_PROPERTY);
  icalproperty* duration = icalcomponent_get_first_property(component, ICAL_DURATION_PROPERTY);
  if (dtend && MomentOf(dtend, icalproperty_get_dtend(dtend), end)) {
    item.EndTime = end.Local;
  } else if (dtend) {
    Changes_.push_back("its end \"" + LineOf(dtend) + "\" lies outside the years 1 to 3000 and was left out");
    item.EndTime = start.Time.is_date ? start.Local + 1 : start.Local;
  } else if (duration) {
    item.EndTime = SnapToMs(start.Local + icaldurationtype_as_int(icalproperty_get_duration(duration)) / 86400.0);
  } else {
    item.EndTime = start.Time.is_date ? start.Local + 1 : start.Local;  // a day, or a moment
  }
  if (item.AllDayEvent) {
    // The file's end day is exclusive; the planner's all-day event ends at 23:59 of its last day.
    const double lastDay = std::max(DateOf(item.EndTime) - 1, item.StartTime);
    item.EndTime = SnapToMs(lastDay + 1 - kOneMinute);
  } else if (item.EndTime < item.StartTime) {
    Changes_.push_back("its end lay before its start and was set to the start");
    item.EndTime = item.StartTime;
  }
  item.Notes = NotesOf(component, false);
  item.Location = TextOf(icalcomponent_get_location(component));
  item.CategoryName = CategoryOf(component);
  ReadAlarm(component, start, item);
  return true;
}

TCut TIcalMapping::Occurrences(icalcomponent* component, const TMoment& start,
                               std::map<std::int64_t, icaltimetype>& found) {
  const double horizonEnd = Options_.Horizon > 0 ? Options_.Horizon + 1 : 0;
  TCut cut = ctNone;
  auto add = [&](icaltimetype time, double local) {
    if (horizonEnd > 0 && local >= horizonEnd) {
      cut = std::max(cut, ctHorizon);
      return false;
    }
    if (found.size() >= static_cast<std::size_t>(kMaxIcalOccurrences)) {
      cut = std::max(cut, ctCap);
      return false;
    }
    found.emplace(ToMs(local), time);
    return true;
  };
  add(start.Time, start.Local);
  // The rules are walked in the start's own wall-clock time, a little past the horizon: the start's
  // zone may lie a day from this machine's.
  const double untilWall = horizonEnd > 0 ? horizonEnd + 2 : 0;
  const auto deadline = std::chrono::steady_clock::now() + kMaxIcalItemWalk;
  for (icalproperty* rrule = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY); rrule;
       rrule = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
    const TIcalWalkEnd end =
        WalkIcalRule(icalproperty_get_rrule(rrule), start.Time, untilWall, deadline,
                     [&](icaltimetype time) { return add(time, SnapToMs(LocalDayNumberOf(time, start.Zone))); });
    if (end == weHorizon) cut = std::max(cut, ctHorizon);
    if (end == weWork) cut = ctWork;
    if (cut == ctCap) break;
  }
  for (icalproperty* rdate = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY); rdate;
       rdate = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
    TMoment moment;
    const icaldatetimeperiodtype date = icalproperty_get_rdate(rdate);
    if (MomentOf(rdate, icaltime_is_null_time(date.time) ? date.period.start : date.time, moment) &&
        !add(moment.Time, moment.Local) && cut == ctCap)
      break;
  }
  for (icalproperty* exdate = icalcomponent_get_first_property(component, ICAL_EXDATE_PROPERTY); exdate;
       exdate = icalcomponent_get_next_property(component, ICAL_EXDATE_PROPERTY)) {
    TMoment moment;
    if (!MomentOf(exdate, icalproperty_get_exdate(exdate), moment)) continue;
    if (moment.Time.is_date && !start.Time.is_date) {  // a whole day excluded from a timed repeat
      found.erase(found.lower_bound(ToMs(DateOf(moment.Local))), found.lower_bound(ToMs(DateOf(moment.Local) + 1)));
    } else {
      found.erase(ToMs(moment.Local));
    }
  }
  return cut;
}

void TIcalMapping::ReadEvent(icalcomponent* master, const std::vector<icalcomponent*>& overrides) {
  TIcalEvent item;
  TMoment start;
  std::string reason;
  if (!ReadSingle(master, item, start, reason)) {
    Changes_.clear();
    Note(inSkipped, item.Uid, item.Description, reason);
    for (icalcomponent* change : overrides) ReadEvent(change, {});  // changed occurrences stand on their own
    return;
  }
  icalproperty* rrule = icalcomponent_get_first_property(master, ICAL_RRULE_PROPERTY);
  const bool expand = Options_.ExpandRepeats;
  const bool simple =
      rrule && !icalcomponent_get_next_property(master, ICAL_RRULE_PROPERTY) &&
      (!expand || (overrides.empty() && !icalcomponent_get_first_property(master, ICAL_EXDATE_PROPERTY) &&
                   !icalcomponent_get_first_property(master, ICAL_RDATE_PROPERTY)));
  const bool repeats = expand && (rrule || icalcomponent_get_first_property(master, ICAL_RDATE_PROPERTY));
  const icalrecurrencetype rule = rrule ? icalproperty_get_rrule(rrule) : icalrecurrencetype{};
  const TIcalRepeatShape shape = simple ? RepeatShapeOf(rule, start.Time) : TIcalRepeatShape{};
  if (!repeats || shape.RepeatCode != rcNone) {
    if (shape.RepeatCode != rcNone) {
      item.RepeatCode = static_cast<std::uint8_t>(shape.RepeatCode);
      item.CustomInterval = shape.CustomInterval;
      if (rule.count > 0) {
        icaltimetype last = start.Time;
        const TVpDate date = LastDateOfCount(shape, {start.Time.year, start.Time.month, start.Time.day}, rule.count);
        last.year = date.Year;
        last.month = date.Month;
        last.day = date.Day;
        item.RepeatRangeEnd = DateOf(LocalDayNumberOf(last, start.Zone));
      } else if (!icaltime_is_null_time(rule.until)) {
        // The day of UNTIL, or the day before when that day's occurrence would come after it.
        const double until = LocalDayNumberOf(rule.until, start.Zone);
        item.RepeatRangeEnd = DateOf(until) + TimeOf(item.StartTime) > until ? DateOf(until) - 1 : DateOf(until);
      } else {
        item.RepeatRangeEnd = kRepeatWithoutEnd;  // the planner holds the repeat as it is: without end
      }
      if (DateOf(item.RepeatRangeEnd) <= DateOf(item.StartTime)) {
        item.RepeatCode = rcNone;
        item.RepeatRangeEnd = 0;
        item.CustomInterval = 0;
        Changes_.push_back("its repeat ends before a second occurrence: it was taken in once");
      }
    }
    Content_.Events.push_back(item);
    FlushChanges(item.Uid, item.Description);
    for (icalcomponent* change : overrides) ReadEvent(change, {});  // of an event that does not repeat
    return;
  }
  // The planner cannot hold this repetition: one single event per occurrence.
  std::map<std::int64_t, icaltimetype> found;
  const TCut cut = Occurrences(master, start, found);
  std::map<std::int64_t, icalcomponent*> replaced;
  for (icalcomponent* change : overrides) {
    icalproperty* id = icalcomponent_get_first_property(change, ICAL_RECURRENCEID_PROPERTY);
    TMoment moment;
    if (MomentOf(id, icalproperty_get_recurrenceid(id), moment)) replaced[ToMs(moment.Local)] = change;
  }
  const double duration = item.EndTime - item.StartTime;
  int made = 0;
  for (const auto& [ms, time] : found) {
    TIcalEvent single = item;
    single.RecurrenceId = icaltime_as_ical_string(time);
    if (const auto change = replaced.find(ms); change != replaced.end()) {
      icalcomponent* changed = change->second;
      replaced.erase(change);
      TMoment changedStart;
      if (!ReadSingle(changed, single, changedStart, reason)) {
        Note(inSkipped, single.Uid, single.Description, "a changed occurrence: " + reason);
        continue;
      }
    } else {
      single.StartTime = FromMs(ms);
      single.EndTime = SnapToMs(single.StartTime + duration);
    }
    Content_.Events.push_back(single);
    ++made;
  }
  std::string why = !overrides.empty() ? "some of its occurrences were changed"
                    : simple           ? "the planner cannot hold its repeat rule"
                                       : "its repeat has several rules, exceptions or extra dates";
  why += ": it became " + std::to_string(made) + " single events";
  if (cut == ctCap) why += ", cut off after " + std::to_string(kMaxIcalOccurrences);
  if (cut == ctHorizon) why += " up to " + IsoDateText(Options_.Horizon);
  if (cut == ctWork)
    why += " up to " + IsoDateText(FromMs(found.rbegin()->first)) +
           ": finding more of its occurrences would take too long";
  Note(inExpanded, item.Uid, item.Description, why);
  FlushChanges(item.Uid, item.Description);
  for (const auto& [ms, change] : replaced) ReadEvent(change, {});  // changed occurrences moved off the rule
}

void TIcalMapping::ReadTask(icalcomponent* todo) {
  TIcalTask item;
  item.Uid = TextOf(icalcomponent_get_uid(todo));
  item.Description = TextOf(icalcomponent_get_summary(todo));
  if (const std::string line = ImpossibleTimeLine(todo); !line.empty()) {
    Note(inSkipped, item.Uid, item.Description, ImpossibleTimeReason(line));
    return;
  }
  item.Details = NotesOf(todo, true);
  item.CategoryName = CategoryOf(todo);
  TMoment moment;
  if (icalproperty* due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY);
      MomentOf(due, due ? icalproperty_get_due(due) : icaltime_null_time(), moment))
    item.DueDate = DateOf(moment.Local);
  if (icalproperty* created = icalcomponent_get_first_property(todo, ICAL_CREATED_PROPERTY);
      MomentOf(created, created ? icalproperty_get_created(created) : icaltime_null_time(), moment))
    item.CreatedOn = moment.Local;
  icalproperty* completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY);
  item.Complete = icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED || completed;
  if (MomentOf(completed, completed ? icalproperty_get_completed(completed) : icaltime_null_time(), moment))
    item.CompletedOn = moment.Local;
  if (icalproperty* priority = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY))
    item.Priority = std::clamp(icalproperty_get_priority(priority), 0, 9);
  Content_.Tasks.push_back(item);
  FlushChanges(item.Uid, item.Description);
}

void ReadCalendar(icalcomponent* calendar, const TIcalReadOptions& options, TIcalContent& content) {
  TIcalMapping mapping(calendar, options, content);
  // Changed occurrences travel as events of their own, with the UID of their repeat.
  std::map<std::string, std::vector<icalcomponent*>> overrides;
  std::set<std::string> masters;
  for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
       event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    const std::string uid = TextOf(icalcomponent_get_uid(event));
    if (!uid.empty() && icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
      overrides[uid].push_back(event);
    else masters.insert(uid);
  }
  for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
       event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    const std::string uid = TextOf(icalcomponent_get_uid(event));
    const bool isOverride = !uid.empty() && icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
    if (!isOverride) {
      const auto changes = overrides.find(uid);
      mapping.ReadEvent(event, changes == overrides.end() || uid.empty() || !options.ExpandRepeats
                                   ? std::vector<icalcomponent*>{}
                                   : changes->second);
    } else if (!masters.count(uid)) {
      mapping.ReadEvent(event, {});  // a changed occurrence whose repeat is not in the file
    }
  }
  for (icalcomponent* todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT); todo;
       todo = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT))
    mapping.ReadTask(todo);
}

}  // namespace

bool ReadIcal(std::string_view bytes, const TIcalReadOptions& options, TIcalContent& content, TIcalReadError& error) {
  const TIcalComponentPtr root = ParseIcal(bytes, error);
  if (!root) return false;
  TIcalContent read;
  if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
    ReadCalendar(root.get(), options, read);
  } else {
    for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); calendar;
         calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
      ReadCalendar(calendar, options, read);
  }
  content = std::move(read);
  return true;
}
