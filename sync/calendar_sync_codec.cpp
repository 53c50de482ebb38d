#include "sync/calendar_sync_codec.h"

#include <libical/ical.h>
#include <memory>
#include <vector>

#include "interop/ical/ical_parse.h"
#include "interop/ical/ical_reader.h"
#include "model/day_number.h"
#include "platform/ascii_text.h"
#include "sync/item_digest.h"
#include "sync/sync_server.h"

namespace {

// The parts of what the organizer maps of an item, each replaced as a whole in a merge.
enum TPart {
  ptSummary,
  ptNotes,
  ptCategory,
  ptTimes,
  ptAlarm,
  ptRepeat,
  ptPriority,
  ptDue,
  ptCompletion,
  ptLocation,
  ptRule,
  ptExceptions,
  ptExtras,
  ptChanges,
  ptCount
};
constexpr const char* kPartNames[ptCount] = {"summary", "notes",      "category", "times",      "alarm",
                                             "repeat",  "priority",   "due",      "completion", "location",
                                             "rule",    "exceptions", "extras",   "changes"};
// The first part the organizer came to map after items had been synced: from it on, an empty part
// is left out of the hash, so that the items synced before keep their hashes.
constexpr int kFirstLaterPart = ptLocation;

// What the organizer maps of one item text, part by part in canonical form.
struct TMappedItem {
  TSyncItemKind Kind = sikEvent;
  std::string Uid;
  std::array<std::string, ptCount> Parts;

  std::string Hash() const {
    TCanonicalDump dump;
    dump.Add("kind", Kind == sikEvent ? "event" : "task");
    for (int part = 0; part < ptCount; ++part)
      if (part < kFirstLaterPart || !Parts[part].empty()) dump.Add(kPartNames[part], Parts[part]);
    return dump.Hash();
  }
};

std::string Ms(double value) { return std::to_string(ToMs(value)); }

std::string WithoutCr(std::string text) {
  std::erase(text, '\r');
  return text;
}

using TComponent = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

// An item text as libical holds it: the calendar and the item's own component.
struct TParsed {
  TComponent Root{nullptr, &icalcomponent_free};
  icalcomponent* Calendar = nullptr;
  icalcomponent* Item = nullptr;
};

// The item of a calendar object, as the reader picks it: an event before a task, the repeat itself
// before its changed occurrences.
icalcomponent* ItemOf(icalcomponent* calendar) {
  icalcomponent* firstEvent = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
  for (icalcomponent* event = firstEvent; event;
       event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
    if (!icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) return event;
  return firstEvent ? firstEvent : icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
}

bool Parse(std::string_view text, TParsed& parsed) {
  TIcalReadError error;
  parsed.Root = ParseIcal(text, error);
  if (!parsed.Root) return false;
  parsed.Calendar = icalcomponent_isa(parsed.Root.get()) == ICAL_VCALENDAR_COMPONENT
                        ? parsed.Root.get()
                        : icalcomponent_get_first_component(parsed.Root.get(), ICAL_VCALENDAR_COMPONENT);
  parsed.Item = parsed.Calendar ? ItemOf(parsed.Calendar) : nullptr;
  return parsed.Item != nullptr;
}

std::string Serialize(icalcomponent* calendar) {
  char* text = icalcomponent_as_ical_string_r(calendar);
  std::string result = text ? text : "";
  icalmemory_free_buffer(text);
  return result;
}

template <class TChild, class TFirst, class TNext, class TKind>
std::vector<TChild*> Children(icalcomponent* parent, TKind kind, TFirst first, TNext next) {
  std::vector<TChild*> found;
  for (TChild* child = first(parent, kind); child; child = next(parent, kind)) found.push_back(child);
  return found;
}

std::vector<icalproperty*> PropertiesOf(icalcomponent* component, icalproperty_kind kind) {
  return Children<icalproperty>(component, kind, icalcomponent_get_first_property, icalcomponent_get_next_property);
}

std::vector<icalcomponent*> ComponentsOf(icalcomponent* component, icalcomponent_kind kind) {
  return Children<icalcomponent>(component, kind, icalcomponent_get_first_component, icalcomponent_get_next_component);
}

void RemoveProperties(icalcomponent* component, std::initializer_list<icalproperty_kind> kinds) {
  for (const icalproperty_kind kind : kinds)
    for (icalproperty* property : PropertiesOf(component, kind)) {
      icalcomponent_remove_property(component, property);
      icalproperty_free(property);
    }
}

void RemoveComponent(icalcomponent* parent, icalcomponent* child) {
  icalcomponent_remove_component(parent, child);
  icalcomponent_free(child);
}

// Replaces the properties of the kinds in `to` by copies of those in `from`.
void CopyProperties(icalcomponent* to, icalcomponent* from, std::initializer_list<icalproperty_kind> kinds) {
  RemoveProperties(to, kinds);
  for (const icalproperty_kind kind : kinds)
    for (icalproperty* property : PropertiesOf(from, kind))
      icalcomponent_add_property(to, icalproperty_new_clone(property));
}

std::string TzidOf(icalcomponent* timezone) {
  icalproperty* tzid = icalcomponent_get_first_property(timezone, ICAL_TZID_PROPERTY);
  const char* name = tzid ? icalproperty_get_tzid(tzid) : nullptr;
  return name ? name : "";
}

bool HasZone(icalcomponent* calendar, const std::string& tzid) {
  for (icalcomponent* zone : ComponentsOf(calendar, ICAL_VTIMEZONE_COMPONENT))
    if (TzidOf(zone) == tzid) return true;
  return false;
}

// Copies the VTIMEZONEs of ours that the server's event (its item when none is named) now names
// and its calendar lacks.
void CopyZones(TParsed& server, const TParsed& own, icalcomponent* event = nullptr) {
  if (!event) event = server.Item;
  for (icalproperty* property = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); property;
       property = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
    icalparameter* parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    const char* tzid = parameter ? icalparameter_get_tzid(parameter) : nullptr;
    if (!tzid || HasZone(server.Calendar, tzid)) continue;
    for (icalcomponent* zone : ComponentsOf(own.Calendar, ICAL_VTIMEZONE_COMPONENT))
      if (TzidOf(zone) == tzid) {
        icalcomponent_add_component(server.Calendar, icalcomponent_new_clone(zone));
        break;
      }
  }
}

// Replaces the server's changed occurrences of the item by ours.
void ReplaceChanges(TParsed& server, const TParsed& own) {
  for (icalcomponent* event : ComponentsOf(server.Calendar, ICAL_VEVENT_COMPONENT))
    if (event != server.Item) RemoveComponent(server.Calendar, event);
  for (icalcomponent* event : ComponentsOf(own.Calendar, ICAL_VEVENT_COMPONENT))
    if (event != own.Item) {
      icalcomponent* copy = icalcomponent_new_clone(event);
      icalcomponent_add_component(server.Calendar, copy);
      CopyZones(server, own, copy);
    }
}

void CopyAlarm(TParsed& server, const TParsed& own, bool whole) {
  icalcomponent* ours = icalcomponent_get_first_component(own.Item, ICAL_VALARM_COMPONENT);
  std::vector<icalcomponent*> theirs = ComponentsOf(server.Item, ICAL_VALARM_COMPONENT);
  if (!ours) {
    for (icalcomponent* alarm : theirs) RemoveComponent(server.Item, alarm);
  } else if (theirs.empty()) {
    icalcomponent_add_component(server.Item, icalcomponent_new_clone(ours));
  } else if (!whole) {
    // The first reminder is the organizer's: its trigger changes, what else it holds stays.
    CopyProperties(theirs.front(), ours, {ICAL_TRIGGER_PROPERTY});
  } else {
    RemoveComponent(server.Item, theirs.front());
    icalcomponent_add_component(server.Item, icalcomponent_new_clone(ours));
  }
}

void Restamp(TParsed& server, const TParsed& own) {
  icalproperty* stamp = icalcomponent_get_first_property(own.Item, ICAL_DTSTAMP_PROPERTY);
  if (!stamp) return;
  const icaltimetype now = icalproperty_get_dtstamp(stamp);
  CopyProperties(server.Item, own.Item, {ICAL_DTSTAMP_PROPERTY});
  RemoveProperties(server.Item, {ICAL_LASTMODIFIED_PROPERTY});
  icalcomponent_add_property(server.Item, icalproperty_new_lastmodified(now));
}

// The parts an event and each of its changed occurrences have of their own: where and when it
// takes place, its reminder and its repeat code.
void EventParts(const TIcalEvent& event, std::array<std::string, ptCount>& parts) {
  parts[ptTimes] = event.AllDayEvent ? "day " + Ms(DateOf(event.StartTime)) + " " + Ms(DateOf(event.EndTime))
                                     : Ms(event.StartTime) + " " + Ms(event.EndTime);
  parts[ptLocation] = WithoutCr(event.Location);
  if (event.AlarmSet)
    parts[ptAlarm] = std::to_string(event.AlarmAdvance) + " " + std::to_string(event.AlarmAdvanceType);
  if (event.RepeatCode != 0)
    parts[ptRepeat] = std::to_string(event.RepeatCode) + " " + std::to_string(event.CustomInterval) + " " +
                      Ms(DateOf(event.RepeatRangeEnd));
}

// The merge and the digest share one mapping of texts.
class TCalendarMapping {
 public:
  explicit TCalendarMapping(const std::array<std::string, TVpCategoryColorMap::kCategoryCount>& categories)
      : Categories_(categories) {}

  bool Map(std::string_view text, TMappedItem& item, std::string& error) const {
    TIcalContent content;
    if (!ReadCalendarItem(text, content, error)) return false;
    item = TMappedItem();
    // What events and tasks both have.
    auto common = [&](TSyncItemKind kind, const std::string& uid, const std::string& summary, const std::string& notes,
                      const std::string& category) {
      item.Kind = kind;
      item.Uid = uid;
      item.Parts[ptSummary] = summary;
      item.Parts[ptNotes] = WithoutCr(notes);
      item.Parts[ptCategory] = std::to_string(CategoryIndex(category));
    };
    if (!content.Events.empty()) {
      const TIcalEvent& event = content.Events.front();
      common(sikEvent, event.Uid, event.Description, event.Notes, event.CategoryName);
      EventParts(event, item.Parts);
      item.Parts[ptRule] = event.RepeatRule.empty() ? "" : event.RepeatRule + " " + Ms(DateOf(event.RepeatRangeEnd));
      item.Parts[ptExceptions] = event.ExceptionDates;
      item.Parts[ptExtras] = event.ExtraDates;
      // Each changed occurrence by its start in the series, with what it shows.
      for (auto change = content.Events.begin() + 1; change != content.Events.end(); ++change) {
        std::array<std::string, ptCount> parts;
        EventParts(*change, parts);
        TCanonicalDump dump;
        for (const TPart part : {ptTimes, ptLocation, ptAlarm}) dump.Add(kPartNames[part], parts[part]);
        dump.Add("summary", change->Description);
        dump.Add("notes", WithoutCr(change->Notes));
        item.Parts[ptChanges] += Ms(change->OriginalStart) + " " + dump.Hash() + "\n";
      }
    } else {
      const TIcalTask& task = content.Tasks.front();
      common(sikTask, task.Uid, task.Description, task.Details, task.CategoryName);
      item.Parts[ptPriority] = std::to_string(task.Priority);
      if (task.DueDate != 0) item.Parts[ptDue] = Ms(DateOf(task.DueDate));
      if (task.Complete) item.Parts[ptCompletion] = "done " + Ms(task.CompletedOn);
    }
    if (item.Uid.empty()) {
      error = "it has no UID";
      return false;
    }
    return true;
  }

 private:
  // As the organizer files a category name: the first category of that name, else the first.
  int CategoryIndex(const std::string& name) const {
    if (name.empty()) return 0;
    for (int index = 0; index < TVpCategoryColorMap::kCategoryCount; ++index)
      if (SameTextAscii(Categories_[static_cast<size_t>(index)], name)) return index;
    return 0;
  }

  const std::array<std::string, TVpCategoryColorMap::kCategoryCount>& Categories_;
};

}  // namespace

bool ReadCalendarItem(std::string_view text, TIcalContent& content, std::string& error) {
  TIcalReadError readError;
  if (!ReadIcal(text, content, readError)) {
    error = (readError.Line > 0 ? "line " + std::to_string(readError.Line) + ": " : "") + readError.Message;
    return false;
  }
  if (!content.Events.empty()) {
    // The item is the first event with its changed occurrences; a changed occurrence whose series
    // is not in the item stands for itself.
    std::vector<TIcalEvent> item{content.Events.front()};
    item.front().OriginalStart = 0;
    for (std::size_t at = 1; at < content.Events.size(); ++at)
      if (content.Events[at].IsOverride() && content.Events[at].Uid == item.front().Uid)
        item.push_back(content.Events[at]);
    content.Events = std::move(item);
  }
  if (!content.Events.empty() || !content.Tasks.empty()) return true;
  error = "it holds no event or task the organizer can take";
  for (const TIcalItemNote& note : content.Notes)
    if (note.Kind == inSkipped) error = "it was left out: " + note.Reason;
  return false;
}

TCalendarSyncCodec::TCalendarSyncCodec(const TVpCategoryColorMap& categories) {
  for (int index = 0; index < TVpCategoryColorMap::kCategoryCount; ++index)
    Categories_[static_cast<size_t>(index)] = categories.Description(index);
}

bool TCalendarSyncCodec::Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const {
  TMappedItem item;
  if (!TCalendarMapping(Categories_).Map(text, item, error)) return false;
  digest.Kind = item.Kind;
  digest.Uid = item.Uid;
  digest.Subject = item.Parts[ptSummary];
  digest.Hash = item.Hash();
  return true;
}

namespace {

// Replaces the notes: the server's labelled properties (web page, attendees) add their
// lines to the notes, so the description is ours without those lines, or the properties go when
// our notes no longer end with them.
void ReplaceNotes(TParsed& server, const std::string& wanted, const TCalendarMapping& mapping) {
  RemoveProperties(server.Item, {ICAL_DESCRIPTION_PROPERTY});
  TMappedItem rest;
  std::string error;
  const std::string extras = mapping.Map(Serialize(server.Calendar), rest, error) ? rest.Parts[ptNotes] : "";
  std::string description = wanted;
  if (!extras.empty()) {
    if (wanted == extras) description.clear();
    else if (wanted.ends_with("\n" + extras)) description.resize(wanted.size() - extras.size() - 1);
    else RemoveProperties(server.Item, {ICAL_URL_PROPERTY, ICAL_ATTENDEE_PROPERTY});
  }
  if (!description.empty()) icalcomponent_add_property(server.Item, icalproperty_new_description(description.c_str()));
}

// Replaces one part in the server's item by ours; a later pass (a part still differing after the
// others changed, as a reminder at a fixed moment does when the start moved) replaces it whole.
void ReplacePart(TPart part, TParsed& server, const TParsed& own, const TMappedItem& ours,
                 const TCalendarMapping& mapping, bool whole) {
  switch (part) {
    case ptSummary: CopyProperties(server.Item, own.Item, {ICAL_SUMMARY_PROPERTY}); break;
    case ptNotes: ReplaceNotes(server, ours.Parts[ptNotes], mapping); break;
    case ptCategory: CopyProperties(server.Item, own.Item, {ICAL_CATEGORIES_PROPERTY}); break;
    case ptTimes:
      CopyProperties(server.Item, own.Item, {ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY});
      CopyZones(server, own);
      break;
    case ptAlarm: CopyAlarm(server, own, whole); break;
    case ptRepeat:
    case ptRule: CopyProperties(server.Item, own.Item, {ICAL_RRULE_PROPERTY}); break;
    case ptExceptions:
      CopyProperties(server.Item, own.Item, {ICAL_EXDATE_PROPERTY});
      CopyZones(server, own);
      break;
    case ptExtras:
      CopyProperties(server.Item, own.Item, {ICAL_RDATE_PROPERTY});
      CopyZones(server, own);
      break;
    case ptChanges: ReplaceChanges(server, own); break;
    case ptLocation: CopyProperties(server.Item, own.Item, {ICAL_LOCATION_PROPERTY}); break;
    case ptPriority: CopyProperties(server.Item, own.Item, {ICAL_PRIORITY_PROPERTY}); break;
    case ptDue:
      CopyProperties(server.Item, own.Item, {ICAL_DUE_PROPERTY});
      CopyZones(server, own);
      break;
    case ptCompletion:
      CopyProperties(server.Item, own.Item, {ICAL_STATUS_PROPERTY, ICAL_COMPLETED_PROPERTY});
      RemoveProperties(server.Item, {ICAL_PERCENTCOMPLETE_PROPERTY});
      break;
    case ptCount: break;
  }
}

}  // namespace

std::string TCalendarSyncCodec::Merge(std::string_view serverText, std::string_view ourText) const {
  const TCalendarMapping mapping(Categories_);
  TMappedItem ours;
  TMappedItem merged;
  std::string error;
  if (!mapping.Map(ourText, ours, error)) throw ESyncError("The item to upload cannot be read: " + error);
  TParsed server;
  TParsed own;
  // Nothing of a server's text that cannot be read is worth keeping.
  if (!Parse(serverText, server) || !Parse(ourText, own) || !mapping.Map(serverText, merged, error) ||
      merged.Kind != ours.Kind || merged.Uid != ours.Uid)
    return std::string(ourText);
  bool changed = false;
  for (int pass = 0; pass < 3 && merged.Parts != ours.Parts; ++pass) {
    for (int part = 0; part < ptCount; ++part)
      if (merged.Parts[part] != ours.Parts[part])
        ReplacePart(static_cast<TPart>(part), server, own, ours, mapping, pass > 0);
    changed = true;
    if (!mapping.Map(Serialize(server.Calendar), merged, error)) return std::string(ourText);
  }
  if (!changed) return std::string(serverText);
  Restamp(server, own);
  std::string result = Serialize(server.Calendar);
  // Should the server's text still map differently, ours goes up as it is rather than a mix.
  if (!mapping.Map(result, merged, error) || merged.Parts != ours.Parts) return std::string(ourText);
  return result;
}

std::string TCalendarSyncCodec::ConflictCopy(std::string_view text, const std::string& newUid) const {
  TParsed parsed;
  if (!Parse(text, parsed)) throw ESyncError("The server's version of a conflicting item cannot be read.");
  for (const icalcomponent_kind kind : {ICAL_VEVENT_COMPONENT, ICAL_VTODO_COMPONENT})
    for (icalcomponent* item : ComponentsOf(parsed.Calendar, kind)) {
      icalcomponent_set_uid(item, newUid.c_str());
      const char* summary = icalcomponent_get_summary(item);
      std::string marked = std::string(summary ? summary : "") + std::string(kServerCopyMark);
      icalcomponent_set_summary(item, std::string(TrimBlanksAscii(marked)).c_str());
    }
  return Serialize(parsed.Calendar);
}
