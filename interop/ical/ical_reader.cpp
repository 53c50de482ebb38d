#include "interop/ical/ical_reader.h"

#include <strings.h>
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "interop/ical/ical_alarm.h"
#include "interop/ical/ical_kept.h"
#include "interop/ical/ical_parse.h"
#include "interop/ical/ical_repeat.h"
#include "interop/ical/ical_time.h"
#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/recurrence.h"
#include "model/rule_steps.h"
#include "model/zone_clock.h"

namespace {

std::string TextOf(const char* text) { return text ? text : ""; }

// A moment of the file with the zone it was written in.
struct TMoment {
  icaltimetype Time = icaltime_null_time();
  icaltimezone* Zone = nullptr;
  double Local = 0;
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

// The clock an event keeps (see TVpEvent): a zone the zone data knows (UTC included), or none
// for a floating or all-day event and for one whose zone the zone data does not know (its times
// were read as local times).
struct TClock {
  std::string Name;
  icaltimezone* Zone = nullptr;
  bool DateOnly = false;
};

// A moment of the file on the clock, as a day number of that clock: a whole day stays its day, a
// floating time stays as written on a zone's clock.
double OnClock(const TMoment& moment, const TClock& clock) {
  if (moment.Time.is_date) return WallOf(moment.Time);
  if (!clock.Zone) return moment.Local;
  const bool utc = icaltime_is_utc(moment.Time);
  if (!utc && !moment.Zone) return WallOf(moment.Time);
  const time_t unix = icaltime_as_timet_with_zone(moment.Time, utc ? nullptr : moment.Zone);
  return WallOf(icaltime_from_timet_with_zone(unix, 0, clock.Zone));
}

// The stamp of a moment on the clock (a whole day's for a whole day or an all-day event).
std::string StampOn(const TMoment& moment, const TClock& clock) {
  return StampText(OnClock(moment, clock), clock.DateOnly || moment.Time.is_date);
}

// A list of stamps without repeats, in the order first given.
class TStampList {
 public:
  explicit TStampList(const std::string& text = {}) {
    for (const TVpStamp& stamp : ParseStampList(text)) Add(StampText(stamp.Value, stamp.DateOnly));
  }
  void Add(const std::string& stamp) {
    if (Seen_.insert(stamp).second) Text_ += (Text_.empty() ? "" : ",") + stamp;
  }
  const std::string& Text() const { return Text_; }

 private:
  std::set<std::string> Seen_;
  std::string Text_;
};

// Whether the reminder says no more than the event's reminder fields hold, as the organizer
// writes them: shown, with the event's summary, whole minutes before the start.
bool IsPlainReminder(icalcomponent* alarm, const std::string& summary) {
  if (icalcomponent_get_first_component(alarm, ICAL_ANY_COMPONENT)) return false;
  for (icalproperty* property = icalcomponent_get_first_property(alarm, ICAL_ANY_PROPERTY); property;
       property = icalcomponent_get_next_property(alarm, ICAL_ANY_PROPERTY)) {
    switch (icalproperty_isa(property)) {
      case ICAL_ACTION_PROPERTY:
        if (icalproperty_get_action(property) != ICAL_ACTION_DISPLAY) return false;
        break;
      case ICAL_DESCRIPTION_PROPERTY:
        if (TextOf(icalproperty_get_description(property)) != summary) return false;
        break;
      case ICAL_TRIGGER_PROPERTY: {
        const icaltriggertype trigger = icalproperty_get_trigger(property);
        const int seconds = icaldurationtype_as_int(trigger.duration);
        if (!icaltime_is_null_time(trigger.time) || icalproperty_get_first_parameter(property, ICAL_ANY_PARAMETER) ||
            seconds > 0 || seconds % 60 != 0)
          return false;
        break;
      }
      default: return false;
    }
  }
  return true;
}

// Whether the event's repeat code is written as the rule: then the code holds the rule as it is.
bool SameRule(const TIcalEvent& coded, const icalrecurrencetype& rule) {
  icalrecurrencetype written;
  if (!WrittenRuleOfRepeat(coded, written)) return false;
  char* ours = icalrecurrencetype_as_string_r(&written);
  char* theirs = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&rule));
  const bool same = ours && theirs && std::string(ours) == theirs;
  icalmemory_free_buffer(ours);
  icalmemory_free_buffer(theirs);
  return same;
}

// Whether an extra date is given as a period (start and end or length), which the organizer
// does not hold.
bool IsPeriod(icalproperty* rdate) { return icaltime_is_null_time(icalproperty_get_rdate(rdate).time); }

class TIcalMapping {
 public:
  TIcalMapping(icalcomponent* calendar, TIcalContent& content) : Calendar_(calendar), Content_(content) {}

  // A repeat or single event with its changed occurrences (RECURRENCE-ID, same UID).
  void ReadEvent(icalcomponent* master, const std::vector<icalcomponent*>& overrides);
  // A changed occurrence whose series is not in the file, on its own clock.
  void ReadOrphan(icalcomponent* change);
  void ReadTask(icalcomponent* todo);

 private:
  bool MomentOf(icalproperty* property, icaltimetype time, TMoment& moment);
  // The fields of one event without its repetition, and its clock; false with the reason when it
  // cannot be had.
  bool ReadSingle(icalcomponent* component, TIcalEvent& item, TMoment& start, TClock& clock, std::string& reason);
  TClock ClockOf(icalproperty* dtstart, const TMoment& start);
  void ReadAlarm(icalcomponent* component, TIcalEvent& item);
  // The repeat rule, exception and extra dates, on the event's own clock.
  void ReadRepeat(icalcomponent* master, const TMoment& start, const TClock& clock, TIcalEvent& item);
  // A changed occurrence of a series on the series' clock (its own when null); false when skipped.
  bool ReadChange(icalcomponent* change, const TClock* seriesClock, TIcalEvent& item);
  // The description; a task's has labelled lines for what it has no field of its own for: the
  // location, web page and attendees (an event keeps those as they are, see KeptOf).
  std::string NotesOf(icalcomponent* component, bool forTask);
  // The first category's name; an event keeps the others (see KeptOf).
  std::string CategoryOf(icalcomponent* component, bool forTask);
  // The lines of an event the organizer holds no field for, as they are (stamps aside): they
  // travel back out with the event. rule: the repeat rule read into fields, if any.
  std::string KeptOf(icalcomponent* component, icalproperty* rule);
  void Note(TIcalNoteKind kind, const std::string& uid, const std::string& summary, std::string reason);
  void FlushChanges(const std::string& uid, const std::string& summary);

  icalcomponent* Calendar_;
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

TClock TIcalMapping::ClockOf(icalproperty* dtstart, const TMoment& start) {
  TClock clock;
  clock.DateOnly = start.Time.is_date;
  if (start.Time.is_date) return clock;
  if (icaltime_is_utc(start.Time)) {
    clock.Name = "UTC";
  } else if (icalparameter* tzid = icalproperty_get_first_parameter(dtstart, ICAL_TZID_PARAMETER)) {
    clock.Name = KnownZoneName(icalparameter_get_tzid(tzid), start.Zone);
  }
  clock.Zone = ZoneOfName(clock.Name);
  if (!clock.Zone) clock.Name.clear();
  return clock;
}

std::string TIcalMapping::CategoryOf(icalcomponent* component, bool forTask) {
  icalproperty* property = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY);
  if (!property) return {};
  std::string first = TextOf(icalproperty_get_categories(property));
  const std::size_t comma = first.find(',');
  if (forTask && (comma != std::string::npos || icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)))
    Changes_.push_back("of several categories only \"" + first.substr(0, comma) + "\" was kept");
  first.erase(std::min(comma, first.size()));
  return first;
}

std::string TIcalMapping::KeptOf(icalcomponent* component, icalproperty* rule) {
  static constexpr icalproperty_kind kMapped[] = {
      ICAL_UID_PROPERTY,      ICAL_DTSTAMP_PROPERTY,     ICAL_CREATED_PROPERTY,      ICAL_LASTMODIFIED_PROPERTY,
      ICAL_SUMMARY_PROPERTY,  ICAL_DESCRIPTION_PROPERTY, ICAL_LOCATION_PROPERTY,     ICAL_DTSTART_PROPERTY,
      ICAL_DTEND_PROPERTY,    ICAL_DURATION_PROPERTY,    ICAL_RECURRENCEID_PROPERTY, ICAL_EXDATE_PROPERTY,
      ICAL_XLICERROR_PROPERTY};
  std::string kept;
  bool firstCategory = true;
  for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); property;
       property = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
    const icalproperty_kind kind = icalproperty_isa(property);
    if (property == rule || std::find(std::begin(kMapped), std::end(kMapped), kind) != std::end(kMapped) ||
        (kind == ICAL_RDATE_PROPERTY && !IsPeriod(property)))
      continue;
    if (kind == ICAL_CATEGORIES_PROPERTY && std::exchange(firstCategory, false)) {
      // The first category is the event's; the others of its line stay a line of their own.
      const std::string names = TextOf(icalproperty_get_categories(property));
      if (const std::size_t comma = names.find(','); comma != std::string::npos) {
        icalproperty* rest = icalproperty_new_categories(names.substr(comma + 1).c_str());
        KeepProperty(kept, rest);
        icalproperty_free(rest);
      }
      continue;
    }
    KeepProperty(kept, property);
  }
  // The first reminder is the event's own; kept too (as the first kept one) when it says more than
  // the event's reminder fields, or when further reminders are kept.
  icalcomponent* own = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT);
  const bool ownIsPlain = own && !icalcomponent_get_next_component(component, ICAL_VALARM_COMPONENT) &&
                          IsPlainReminder(own, TextOf(icalcomponent_get_summary(component)));
  for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); inner;
       inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
    if (inner != own || !ownIsPlain) KeepComponent(kept, inner);
  return kept;
}

std::string TIcalMapping::NotesOf(icalcomponent* component, bool forTask) {
  std::string notes = TextOf(icalcomponent_get_description(component));
  auto add = [&notes](const std::string& label, const std::string& text) {
    if (text.empty()) return;
    notes += (notes.empty() ? "" : "\n") + label + ": " + text;
  };
  std::string attendees;
  for (icalproperty* attendee = icalcomponent_get_first_property(component, ICAL_ATTENDEE_PROPERTY);
       forTask && attendee; attendee = icalcomponent_get_next_property(component, ICAL_ATTENDEE_PROPERTY)) {
    std::string who = TextOf(icalproperty_get_attendee(attendee));
    if (who.size() > 7 && strncasecmp(who.c_str(), "mailto:", 7) == 0) who.erase(0, 7);
    if (icalparameter* name = icalproperty_get_first_parameter(attendee, ICAL_CN_PARAMETER))
      who = TextOf(icalparameter_get_cn(name)) + " <" + who + ">";
    attendees += (attendees.empty() ? "" : ", ") + who;
  }
  if (forTask) {
    add("Location", TextOf(icalcomponent_get_location(component)));
    if (icalproperty* url = icalcomponent_get_first_property(component, ICAL_URL_PROPERTY))
      add("URL", TextOf(icalproperty_get_url(url)));
    add("Attendees", attendees);
  }
  for (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); error;
       error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
    const std::string what = TextOf(icalproperty_get_xlicerror(error));
    // A property with an empty value ("DESCRIPTION:") held nothing, so nothing was left out.
    if (what.rfind("No value for ", 0) == 0) continue;
    Changes_.push_back("a line was not understood and left out (" + what + ")");
  }
  return notes;
}

void TIcalMapping::ReadAlarm(icalcomponent* component, TIcalEvent& item) {
  icalcomponent* alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT);
  if (!alarm) return;
  if (icalcomponent_get_next_component(component, ICAL_VALARM_COMPONENT))
    Changes_.push_back("of several reminders only the first reminds here; the others are kept with the event");
  icalproperty* property = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (!property) {
    Changes_.push_back("a reminder without a trigger was left out");
    return;
  }
  long long secondsBefore = SecondsBeforeStart(property, Calendar_, item.StartTime, item.EndTime);
  if (secondsBefore < 0) {
    Changes_.push_back("a reminder after the start now reminds at the start");
    secondsBefore = 0;
  }
  SetAlarmAdvance(item, secondsBefore);
}

bool TIcalMapping::ReadSingle(icalcomponent* component, TIcalEvent& item, TMoment& start, TClock& clock,
                              std::string& reason) {
  item.Uid = TextOf(icalcomponent_get_uid(component));
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
  clock = ClockOf(dtstart, start);
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
  if (clock.Zone) {
    // A zoned event's local times follow from its start on its zone's clock, as the event places
    // them; its length stays.
    const std::int64_t length = ToMs(item.EndTime) - ToMs(item.StartTime);
    item.TimeZone = clock.Name;
    item.ZoneStartTime = SnapToMs(OnClock(start, clock));
    item.StartTime = SnapToMs(LocalFromZone(item.ZoneStartTime, clock.Name));
    item.EndTime = FromMs(ToMs(item.StartTime) + length);
  }
  item.Notes = NotesOf(component, false);
  item.Location = TextOf(icalcomponent_get_location(component));
  item.CategoryName = CategoryOf(component, false);
  ReadAlarm(component, item);
  return true;
}

void TIcalMapping::ReadRepeat(icalcomponent* master, const TMoment& start, const TClock& clock, TIcalEvent& item) {
  const double own = OnClock(start, clock);
  icalproperty* rrule = icalcomponent_get_first_property(master, ICAL_RRULE_PROPERTY);
  if (rrule && icalcomponent_get_next_property(master, ICAL_RRULE_PROPERTY))
    Changes_.push_back(
        "of several repeat rules only the first places occurrences here; the others are kept with "
        "the event");
  const icalrecurrencetype rule = rrule ? icalproperty_get_rrule(rrule) : icalrecurrencetype{};
  TMoment until;
  const bool hasUntil = rrule && !icaltime_is_null_time(rule.until);
  if (hasUntil) {
    until.Time = rule.until;
    until.Local = SnapToMs(LocalDayNumberOf(rule.until, nullptr));
  }
  if (rrule) {
    // Held by a repeat code where one places the same occurrences, the repeat reaches past its
    // first day and the code is written back as the same rule (a count is not); the range end is
    // a day on the event's own clock.
    const TIcalRepeatShape shape = RepeatShapeOf(rule, start.Time);
    double rangeEnd = kRepeatWithoutEnd;
    if (hasUntil) {
      // The day of UNTIL, or the day before when that day's occurrence would come after it.
      const double last = OnClock(until, clock);
      rangeEnd = DateOf(last) + TimeOf(own) > last ? DateOf(last) - 1 : DateOf(last);
    }
    TIcalEvent coded = item;
    coded.RepeatCode = static_cast<std::uint8_t>(shape.RepeatCode);
    coded.CustomInterval = shape.CustomInterval;
    coded.RepeatRangeEnd = rangeEnd;
    if (shape.RepeatCode != rcNone && SameRule(coded, rule)) {
      item = coded;
    } else {
      // Held as it is; the range end is the last local day it reaches, for the store to know which
      // events a span of days may need.
      char* text = icalproperty_get_value_as_string_r(rrule);
      item.RepeatRule = TextOf(text);
      icalmemory_free_buffer(text);
      item.RepeatRangeEnd = RuleRangeEnd(item.RepeatRule, own, clock.DateOnly, clock.Zone ? clock.Name : "");
    }
  }
  TStampList exceptions;
  for (icalproperty* exdate = icalcomponent_get_first_property(master, ICAL_EXDATE_PROPERTY); exdate;
       exdate = icalcomponent_get_next_property(master, ICAL_EXDATE_PROPERTY)) {
    TMoment moment;
    if (MomentOf(exdate, icalproperty_get_exdate(exdate), moment)) exceptions.Add(StampOn(moment, clock));
  }
  item.ExceptionDates = exceptions.Text();
  TStampList extras;
  for (icalproperty* rdate = icalcomponent_get_first_property(master, ICAL_RDATE_PROPERTY); rdate;
       rdate = icalcomponent_get_next_property(master, ICAL_RDATE_PROPERTY)) {
    TMoment moment;
    if (IsPeriod(rdate)) {
      Changes_.push_back("an extra occurrence given as a period (\"" + LineOf(rdate) +
                         "\") is not shown here; it is kept with the event");
    } else if (MomentOf(rdate, icalproperty_get_rdate(rdate).time, moment)) {
      extras.Add(StampOn(moment, clock));
      // The range end of a repeat not held by a code reaches its last extra date: the store loads
      // a repeating event for the days up to it.
      if (item.RepeatCode == rcNone) item.RepeatRangeEnd = std::max(item.RepeatRangeEnd, DateOf(moment.Local));
    }
  }
  item.ExtraDates = extras.Text();
}

bool TIcalMapping::ReadChange(icalcomponent* change, const TClock* seriesClock, TIcalEvent& item) {
  TMoment start;
  TClock clock;
  std::string reason;
  TMoment original;
  icalproperty* id = icalcomponent_get_first_property(change, ICAL_RECURRENCEID_PROPERTY);
  if (!ReadSingle(change, item, start, clock, reason) || !MomentOf(id, icalproperty_get_recurrenceid(id), original)) {
    if (reason.empty()) reason = "its occurrence (\"" + LineOf(id) + "\") lies outside the years 1 to 3000";
    Changes_.clear();
    Note(inSkipped, item.Uid, item.Description, "a changed occurrence: " + reason);
    return false;
  }
  const TClock& on = seriesClock ? *seriesClock : clock;
  item.OriginalStart =
      SnapToMs(on.DateOnly || original.Time.is_date ? DateOf(OnClock(original, on)) : OnClock(original, on));
  item.KeptProperties = KeptOf(change, nullptr);
  FlushChanges(item.Uid, item.Description);
  return true;
}

void TIcalMapping::ReadOrphan(icalcomponent* change) {
  TIcalEvent item;
  if (ReadChange(change, nullptr, item)) Content_.Events.push_back(std::move(item));
}

void TIcalMapping::ReadEvent(icalcomponent* master, const std::vector<icalcomponent*>& overrides) {
  TIcalEvent item;
  TMoment start;
  TClock clock;
  std::string reason;
  if (!ReadSingle(master, item, start, clock, reason)) {
    Changes_.clear();
    Note(inSkipped, item.Uid, item.Description, reason);
    for (icalcomponent* change : overrides) ReadOrphan(change);
    return;
  }
  ReadRepeat(master, start, clock, item);
  item.KeptProperties = KeptOf(master, icalcomponent_get_first_property(master, ICAL_RRULE_PROPERTY));
  FlushChanges(item.Uid, item.Description);
  // A changed occurrence stands in for the series' own: its start is among the exceptions.
  std::vector<TIcalEvent> changes;
  TStampList exceptions(item.ExceptionDates);
  for (icalcomponent* change : overrides) {
    TIcalEvent changed;
    if (!ReadChange(change, &clock, changed)) continue;
    exceptions.Add(StampText(changed.OriginalStart, clock.DateOnly));
    changes.push_back(std::move(changed));
  }
  item.ExceptionDates = exceptions.Text();
  Content_.Events.push_back(std::move(item));
  for (TIcalEvent& changed : changes) Content_.Events.push_back(std::move(changed));
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
  item.CategoryName = CategoryOf(todo, true);
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

void ReadCalendar(icalcomponent* calendar, TIcalContent& content) {
  TIcalMapping mapping(calendar, content);
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
      mapping.ReadEvent(event, changes == overrides.end() || uid.empty() ? std::vector<icalcomponent*>{}
                                                                         : std::exchange(changes->second, {}));
    } else if (!masters.count(uid)) {
      mapping.ReadOrphan(event);
    }
  }
  for (icalcomponent* todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT); todo;
       todo = icalcomponent_get_next_component(calendar, ICAL_VTODO_COMPONENT))
    mapping.ReadTask(todo);
}

}  // namespace

bool ReadIcal(std::string_view bytes, TIcalContent& content, TIcalReadError& error) {
  const TIcalComponentPtr root = ParseIcal(bytes, error);
  if (!root) return false;
  TIcalContent read;
  if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
    ReadCalendar(root.get(), read);
  } else {
    for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); calendar;
         calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
      ReadCalendar(calendar, read);
  }
  content = std::move(read);
  return true;
}
