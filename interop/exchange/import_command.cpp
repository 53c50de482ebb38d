#include "interop/exchange/import_command.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <unordered_map>

#include "interop/ical/ical_reader.h"
#include "interop/ical/ical_writer.h"
#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "model/date_stamps.h"
#include "model/day_number.h"
#include "platform/ascii_text.h"
#include "platform/file_reader.h"
#include "platform/fnv_hash.h"

namespace {

enum TFileKind { fkCalendar, fkCards };

// What the file is: its first line tells, else its extension.
TFileKind KindOf(std::string_view bytes, const std::string& file) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const size_t start = bytes.find_first_not_of(" \t\r\n");
  const std::string_view head = start == std::string_view::npos ? std::string_view() : bytes.substr(start, 15);
  if (SameTextAscii(head.substr(0, 15), "BEGIN:VCALENDAR")) return fkCalendar;
  if (SameTextAscii(head.substr(0, 11), "BEGIN:VCARD")) return fkCards;
  const std::string extension = std::filesystem::path(file).extension().string();
  if (SameTextAscii(extension, ".ics")) return fkCalendar;
  if (SameTextAscii(extension, ".vcf")) return fkCards;
  throw EVpImportError(file + ": neither a calendar file (.ics) nor an address-book file (.vcf)");
}

// A UID for an item its file gives none: made of the item's content, so that importing the same
// file again finds the same records.
std::string ContentUid(std::string_view content) {
  std::uint64_t hash = Fnv1a64(content);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string uid;
  for (int i = 0; i < 16; ++i, hash >>= 4) uid += kHex[hash & 15];
  return uid + "@content.koret";
}

// The key an event is known by in the UID table: a changed occurrence whose series the folder
// does not hold by its series' UID and its start there.
std::string EventKey(const TIcalEvent& item) {
  const std::string uid = item.Uid.empty() ? ContentUid(WriteIcal({item}, {}, 0)) : item.Uid;
  return item.IsOverride() ? uid + "#" + StampText(item.OriginalStart, item.AllDayEvent) : uid;
}

std::string TaskKey(const TIcalTask& item) {
  return item.Uid.empty() ? ContentUid(WriteIcal({}, {item}, 0)) : item.Uid;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// The file read and mapped, before anything is written.
struct TMapped {
  TFileKind Kind = fkCalendar;
  TIcalContent Calendar;
  std::vector<TVpVCard> Cards;
  std::vector<std::string> CardKeys;
};

TMapped ReadAndMap(const std::string& file, TVpImportSummary& summary) {
  std::optional<std::string> bytes;
  try {
    bytes = ReadWholeFile(file);
  } catch (const std::exception& e) {
    throw EVpImportError(e.what());
  }
  if (!bytes) throw EVpImportError(file + ": the file does not exist");
  TMapped mapped;
  mapped.Kind = KindOf(*bytes, file);
  if (mapped.Kind == fkCalendar) {
    TIcalReadError error;
    if (!ReadIcal(*bytes, mapped.Calendar, error))
      throw EVpImportError(file + (error.Line > 0 ? ":" + std::to_string(error.Line) : "") + ": " + error.Message);
    summary.Notes = mapped.Calendar.Notes;
    return mapped;
  }
  try {
    mapped.Cards = ReadVCards(*bytes);
  } catch (const EVpVCardError& e) {
    const std::string what = e.what();  // "line N: ..."
    throw EVpImportError(file + ":" + std::to_string(e.Line()) + what.substr(what.find(':')));
  }
  for (const TVpVCard& card : mapped.Cards) {
    TVpContact contact;
    const TVpVCardMapping mapping = MapVCardToContact(card, contact);
    const std::string name = contact.FirstName() + (contact.FirstName().empty() ? "" : " ") + contact.LastName();
    mapped.CardKeys.push_back(mapping.Uid.empty() ? ContentUid(WriteVCard(contact, "")) : mapping.Uid);
    auto note = [&](const char* what, const std::vector<std::string>& names) {
      if (!names.empty()) summary.Notes.push_back({inChanged, mapping.Uid, name, what + Joined(names)});
    };
    note("kept in the notes: ", mapping.IntoNotes);
    note("left out: ", mapping.Skipped);
    note("faulty characters replaced in: ", mapping.Repaired);
  }
  return mapped;
}

// The record's own text when the item's differs from it only in the kind of line breaks (calendar
// files know only line feeds, records may hold CR LF), else the item's.
std::string KeepLineBreaks(const std::string& record, const std::string& item) {
  std::string plain = record;
  std::erase(plain, '\r');
  return plain == item ? record : item;
}

// Counts one item: a new record, or a known one that did or did not change.
void Count(TVpImportSummary& summary, bool added, bool changed) {
  if (added) ++summary.Added;
  else if (changed) ++summary.Updated;
  else ++summary.Unchanged;
}

// The loaded records by their RecordID.
template <class TCollection>
auto ByRecordID(const TCollection& records) {
  std::unordered_map<int, decltype(records.Items(0))> byID;
  for (int i = 0; i < records.Count(); ++i) byID[records.Items(i)->RecordID()] = records.Items(i);
  return byID;
}

class TImport {
 public:
  TImport(TVpExchangeSession& session, TVpImportSummary& summary, const TVpExchangeProgress& progress, size_t items)
      : Session_(session), Store_(session.Store()), Summary_(summary), Progress_(progress), Items_(items) {}

  void Events(TVpResource& resource, const std::vector<TIcalEvent>& items) {
    TVpSchedule& schedule = resource.Schedule();
    auto byID = ByRecordID(schedule);
    schedule.BeginUpdate();
    try {
      for (const TIcalEvent& item : items) {
        // A changed occurrence of a series the folder holds is linked to it; one of a series it
        // does not hold stands alone.
        TVpEvent* series = item.IsOverride() ? KnownEvent(byID, item.Uid) : nullptr;
        TVpEvent* event =
            series ? ChangedOccurrence(byID, *series, item.OriginalStart) : KnownEvent(byID, EventKey(item));
        const bool added = event == nullptr;
        if (added) {
          const int id = Store_.GetNextID("Events");
          event = schedule.AddEvent(id, item.StartTime, item.EndTime);
          if (event == nullptr) {  // the planner holds no event without a length
            NoteOnce(
                inSkipped, item.Uid, item.Description,
                item.EndTime < item.StartTime ? "it ends before it starts" : "it has no length: it ends as it starts");
            continue;
          }
          byID[id] = event;
          if (!series) {
            NewUids_.emplace_back(tkEvents, id, EventKey(item));
            Made_[EventKey(item)] = id;
          }
        }
        TIcalEvent taken = item;
        taken.Notes = KeepLineBreaks(event->Notes(), item.Notes);
        if (!series) taken.OriginalStart = 0;
        const TIcalEvent before = IcalEventFrom(*event);
        const int categoryBefore = event->Category();
        const int seriesBefore = event->SeriesID();
        CopyToEvent(taken, *event);
        event->SetCategory(Category(item.CategoryName, item.Uid, item.Description));
        if (series) {
          event->SetSeriesID(series->RecordID());
          // The series skips the occurrence the changed one stands in for.
          const std::string stamp = StampText(item.OriginalStart, series->AllDayEvent());
          std::vector<TVpStamp> known = ParseStampList(series->ExceptionDates());
          if (std::none_of(known.begin(), known.end(),
                           [&](const TVpStamp& k) { return StampText(k.Value, k.DateOnly) == stamp; }))
            series->SetExceptionDates(series->ExceptionDates() + (series->ExceptionDates().empty() ? "" : ",") + stamp);
        }
        // Some setters mark the event changed even for the value it holds: compare instead.
        const bool changed = added || !(IcalEventFrom(*event) == before) || event->Category() != categoryBefore ||
                             event->SeriesID() != seriesBefore;
        event->SetChanged(changed);
        Count(Summary_, added, changed);
        Step();
      }
    } catch (...) {
      schedule.EndUpdate();
      throw;
    }
    schedule.EndUpdate();
  }

  void Tasks(TVpResource& resource, const std::vector<TIcalTask>& items) {
    TVpTasks& tasks = resource.Tasks();
    auto byID = ByRecordID(tasks);
    for (const TIcalTask& item : items) {
      const std::string key = TaskKey(item);
      TVpTask* task = Known(byID, tkTasks, key);
      const bool added = task == nullptr;
      if (added) {
        const int id = Store_.GetNextID("Tasks");
        task = tasks.AddTask(id);
        byID[id] = task;
        NewUids_.emplace_back(tkTasks, id, key);
      }
      TIcalTask taken = item;
      taken.Details = KeepLineBreaks(task->Details(), item.Details);
      CopyToTask(taken, *task);
      task->SetCategory(Category(item.CategoryName, item.Uid, item.Description));
      Count(Summary_, added, task->Changed());
      Step();
    }
    tasks.Sort();
  }

  // A contact of a known UID that differs is replaced by a new one (with the UID): the card's
  // mapping sets only what the card has, and the old contact's other fields must not stay.
  void Contacts(TVpResource& resource, const std::vector<TVpVCard>& cards, const std::vector<std::string>& keys) {
    TVpContacts& contacts = resource.Contacts();
    auto byID = ByRecordID(contacts);
    for (size_t i = 0; i < cards.size(); ++i) {
      TVpContact* known = Known(byID, tkContacts, keys[i]);
      TVpContact mapped;
      MapVCardToContact(cards[i], mapped);
      if (known != nullptr && WriteVCard(*known, keys[i]) == WriteVCard(mapped, keys[i])) {
        Count(Summary_, false, false);
        Step();
        continue;
      }
      if (known != nullptr) known->SetDeleted(true);
      const int id = Store_.GetNextID("Contacts");
      TVpContact* contact = contacts.AddContact(id);
      MapVCardToContact(cards[i], *contact);
      contact->SetChanged(true);
      byID[id] = contact;
      NewUids_.emplace_back(tkContacts, id, keys[i]);
      Count(Summary_, known == nullptr, true);
      Step();
    }
  }

  // Stores the UIDs of the new records.
  void StoreUids() {
    TVpUidTable& uids = Session_.Uids();
    if (NewUids_.empty()) return;
    TTableBatch batch(uids.Table());
    for (const auto& [kind, id, uid] : NewUids_) uids.Set(kind, id, uid);
    batch.Commit();
  }

 private:
  // The event made by this import or loaded that has the key, or nullptr.
  TVpEvent* KnownEvent(const std::unordered_map<int, TVpEvent*>& byID, const std::string& key) const {
    const auto made = Made_.find(key);
    if (made == Made_.end()) return Known(byID, tkEvents, key);
    const auto found = byID.find(made->second);
    return found == byID.end() ? nullptr : found->second;
  }

  // The event standing in for the series' occurrence that starts at the moment (on the series'
  // clock), or nullptr.
  static TVpEvent* ChangedOccurrence(const std::unordered_map<int, TVpEvent*>& byID, const TVpEvent& series,
                                     double originalStart) {
    for (const auto& [id, event] : byID)
      if (!event->Deleted() && event->SeriesID() == series.RecordID() &&
          ToMs(event->OriginalStart()) == ToMs(originalStart))
        return event;
    return nullptr;
  }

  // The loaded record the UID table gives the key to, or nullptr.
  template <class TRecord>
  TRecord* Known(const std::unordered_map<int, TRecord*>& byID, TVpTableKind kind, const std::string& key) const {
    const std::optional<int> id = Session_.Uids().RecordOf(kind, key);
    if (!id) return nullptr;
    const auto found = byID.find(*id);
    return found == byID.end() ? nullptr : found->second;
  }

  int Category(const std::string& name, const std::string& uid, const std::string& summary) {
    if (name.empty()) return 0;
    const int category = CategoryNamed(Store_.CategoryColorMap(), name);
    if (category >= 0) return category;
    NoteOnce(inChanged, uid, summary, "no category is named \"" + name + "\": put in the first");
    return 0;
  }

  // What is said of an item is said once for it.
  void NoteOnce(TIcalNoteKind kind, const std::string& uid, const std::string& summary, const std::string& reason) {
    if (Noted_.emplace(uid.empty() ? summary : uid, reason).second)
      Summary_.Notes.push_back({kind, uid, summary, reason});
  }

  void Step() {
    if (Progress_ && ++Done_ % 500 == 0)
      Progress_(0.5 + 0.4 * static_cast<double>(Done_) / static_cast<double>(Items_));
  }

  TVpExchangeSession& Session_;
  TVpFlexDataStore& Store_;
  TVpImportSummary& Summary_;
  const TVpExchangeProgress& Progress_;
  size_t Items_;
  size_t Done_ = 0;
  std::vector<std::tuple<TVpTableKind, int, std::string>> NewUids_;
  std::unordered_map<std::string, int> Made_;            // the events this import made, by their keys
  std::set<std::pair<std::string, std::string>> Noted_;  // (item, reason)
};

}  // namespace

TVpImportSummary ImportFile(const TVpExchangeTarget& target, TFileWriter& writer, const std::string& file,
                            const TVpExchangeProgress& progress, std::vector<TVpRowChange>* rows) {
  auto report = [&](double fraction) {
    if (progress) progress(fraction);
  };
  report(0);
  TVpImportSummary summary;
  const TMapped mapped = ReadAndMap(file, summary);
  summary.Events = static_cast<int>(mapped.Calendar.Events.size());
  summary.Tasks = static_cast<int>(mapped.Calendar.Tasks.size());
  summary.Contacts = static_cast<int>(mapped.Cards.size());
  report(0.5);

  TVpExchangeSession session(target, writer);
  const TVpResource* resource = session.WhileWriting(true, [&](TVpResource& resource) {
    TImport import(session, summary, progress,
                   std::max<size_t>(1, static_cast<size_t>(summary.Events + summary.Tasks + summary.Contacts)));
    TVpFlexDataStore& store = session.Store();
    {
      // The new records' IDs are counted out first, with one write of the counters; then their
      // UIDs are stored, then the records. Should a later write fail, the UIDs name records that
      // do not exist, which the next import of the file makes anew.
      TTableBatch ids(session.Files().RecordIDTable());
      import.Events(resource, mapped.Calendar.Events);
      import.Tasks(resource, mapped.Calendar.Tasks);
      import.Contacts(resource, mapped.Cards, mapped.CardKeys);
      ids.Commit();
    }
    import.StoreUids();
    store.SetRowChangeLog(rows);
    try {
      store.PostEvents();
      store.PostTasks();
      store.PostContacts();
    } catch (...) {
      store.SetRowChangeLog(nullptr);
      throw;
    }
    store.SetRowChangeLog(nullptr);
  });
  summary.Resource = resource->Description();
  report(1);
  return summary;
}

std::string TVpImportSummary::Text() const { return CountsText() + NotesText(); }

std::string TVpImportSummary::CountsText() const {
  return "Imported into \"" + Resource + "\": " + std::to_string(Events) + " events, " + std::to_string(Tasks) +
         " tasks, " + std::to_string(Contacts) + " contacts; " + std::to_string(Added) + " added, " +
         std::to_string(Updated) + " updated, " + std::to_string(Unchanged) + " unchanged.\n";
}

std::string TVpImportSummary::NotesText() const {
  std::string text;
  static const char* const kKinds[] = {"Changed", "Skipped"};
  for (const TIcalItemNote& note : Notes)
    text += std::string(kKinds[note.Kind]) + ": \"" + note.Summary + "\"" +
            (note.Uid.empty() ? "" : " (" + note.Uid + ")") + ": " + note.Reason + "\n";
  return text;
}
