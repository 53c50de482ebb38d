#include "sync/session_sync_local.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "interop/ical/ical_writer.h"
#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "model/day_number.h"
#include "sync/calendar_sync_codec.h"
#include "sync/sync_server.h"

namespace {

constexpr int kMostIDsAtOnce = 512;

TVpTableKind TableOf(TSyncItemKind kind) {
  return kind == sikEvent ? tkEvents : kind == sikTask ? tkTasks : tkContacts;
}

const char* TableNameOf(TSyncItemKind kind) {
  return kind == sikEvent ? "Events" : kind == sikTask ? "Tasks" : "Contacts";
}

// An item text read the way the codecs read it: one record per item, and one per changed
// occurrence of an event (after the event).
struct TReadItem {
  TSyncItemKind Kind = sikEvent;
  std::vector<TIcalEvent> Events;
  TIcalTask Task;
  TVpContact Contact;
  std::string Uid;
};

void ReadItem(TSyncCollectionKind collection, const std::string& text, TReadItem& item) {
  if (collection == sckAddressBook) {
    try {
      const std::vector<TVpVCard> cards = ReadVCards(text);
      item.Kind = sikContact;
      item.Uid = MapVCardToContact(cards.front(), item.Contact).Uid;
      return;
    } catch (const EVpVCardError& e) {
      throw ESyncError(std::string("A card from the server cannot be read: ") + e.what());
    }
  }
  TIcalContent content;
  std::string error;
  if (!ReadCalendarItem(text, content, error))
    throw ESyncError("A calendar item from the server cannot be read: " + error);
  if (!content.Events.empty()) {
    item.Events = content.Events;
    item.Uid = item.Events.front().Uid;
  } else {
    item.Kind = sikTask;
    item.Task = content.Tasks.front();
    item.Uid = item.Task.Uid;
  }
}

int CategoryOf(const TVpFlexDataStore& store, const std::string& name) {
  return name.empty() ? 0 : std::max(0, CategoryNamed(store.CategoryColorMap(), name));
}

// Every field the card reader sets, so that what the old card had and the new one lacks goes.
void CopyContactFields(const TVpContact& from, TVpContact& to) {
  to.SetLastName(from.LastName());
  to.SetFirstName(from.FirstName());
  to.SetTitle(from.Title());
  to.SetCompany(from.Company());
  to.SetPosition(from.Position());
  to.SetAddress(from.Address());
  to.SetCity(from.City());
  to.SetState(from.State());
  to.SetZip(from.Zip());
  to.SetCountry(from.Country());
  to.SetAddressType(from.AddressType());
  to.SetEMail(from.EMail());
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number) {
    to.SetPhone(number, from.Phone(number));
    to.SetPhoneType(number, from.PhoneType(number));
  }
  to.SetBirthdate(from.Birthdate());
  to.SetAnniversary(from.Anniversary());
  to.SetNote(from.Note());
  to.SetCategory(from.Category());
  for (int number = 1; number <= TVpContact::kCustomCount; ++number) to.SetCustom(number, from.Custom(number));
}

// The records of the resource by kind and ID, with their texts as they would be uploaded now.
class TRecords {
 public:
  TRecords(TVpExchangeSession& session, TVpResource& resource, std::time_t stamp)
      : Session_(session), Resource_(resource), Stamp_(stamp) {
    for (int i = 0; i < resource.Schedule().Count(); ++i) {
      TVpEvent* event = resource.Schedule().Items(i);
      Events_[event->RecordID()] = event;
      if (event->SeriesID() != 0) Changes_[event->SeriesID()].push_back(event);
    }
    for (int i = 0; i < resource.Tasks().Count(); ++i)
      Tasks_[resource.Tasks().Items(i)->RecordID()] = resource.Tasks().Items(i);
    for (int i = 0; i < resource.Contacts().Count(); ++i)
      Contacts_[resource.Contacts().Items(i)->RecordID()] = resource.Contacts().Items(i);
  }

  bool Has(TSyncItemKind kind, int id) const {
    return kind == sikEvent ? Events_.count(id) : kind == sikTask ? Tasks_.count(id) : Contacts_.count(id);
  }

  // Whether the record is an item of its own: a changed occurrence travels with its series.
  bool IsItem(const TVpEvent& event) const { return event.SeriesID() == 0; }

  std::string Text(TSyncItemKind kind, int id) {
    if (kind == sikEvent) {
      std::vector<TIcalEvent> events{IcalEventOf(Session_, *Events_.at(id))};
      for (const TVpEvent* change : ChangesOf(id)) events.push_back(IcalEventOf(Session_, *change));
      return WriteIcal(events, {}, Stamp_);
    }
    if (kind == sikTask) return WriteIcal({}, {IcalTaskOf(Session_, *Tasks_.at(id))}, Stamp_);
    return WriteVCard(*Contacts_.at(id), Session_.Uids().UidGivenTo(tkContacts, id));
  }

  // Makes the record (a new one with the ID when create) and an event's changed occurrences
  // (new ones with IDs counted out by newID); false when an event would end before it starts.
  bool Apply(const TReadItem& item, int id, bool create, const std::function<int()>& newID) {
    TVpFlexDataStore& store = Session_.Store();
    if (item.Kind == sikEvent) {
      const TIcalEvent& series = item.Events.front();
      TVpEvent* event = create ? Resource_.Schedule().AddEvent(id, series.StartTime, series.EndTime) : Events_.at(id);
      if (!event) return false;
      CopyToEvent(series, *event);
      event->SetCategory(CategoryOf(store, series.CategoryName));
      if (create) event->SetChanged(true);
      Events_[id] = event;
      ApplyChanges(item, id, newID);
    } else if (item.Kind == sikTask) {
      TVpTask* task = create ? Resource_.Tasks().AddTask(id) : Tasks_.at(id);
      CopyToTask(item.Task, *task);
      task->SetCategory(CategoryOf(store, item.Task.CategoryName));
      if (create) task->SetChanged(true);
      Tasks_[id] = task;
    } else {
      TVpContact* contact = create ? Resource_.Contacts().AddContact(id) : Contacts_.at(id);
      CopyContactFields(item.Contact, *contact);
      if (create) contact->SetChanged(true);
      Contacts_[id] = contact;
    }
    return true;
  }

  // The series' changed occurrences, in the order of their starts in the series.
  std::vector<TVpEvent*> ChangesOf(int id) const {
    const auto found = Changes_.find(id);
    if (found == Changes_.end()) return {};
    std::vector<TVpEvent*> changes;
    for (TVpEvent* change : found->second)
      if (!change->Deleted()) changes.push_back(change);
    std::sort(changes.begin(), changes.end(),
              [](const TVpEvent* a, const TVpEvent* b) { return a->OriginalStart() < b->OriginalStart(); });
    return changes;
  }

  // The item's changed occurrences replace the series' own: one of the same start is updated, a
  // new one made, and one the item no longer has removed.
  void ApplyChanges(const TReadItem& item, int id, const std::function<int()>& newID) {
    std::vector<TVpEvent*> known = ChangesOf(id);
    for (auto change = item.Events.begin() + 1; change != item.Events.end(); ++change) {
      const auto same = std::find_if(known.begin(), known.end(), [&](const TVpEvent* event) {
        return ToMs(event->OriginalStart()) == ToMs(change->OriginalStart);
      });
      TVpEvent* event = nullptr;
      if (same != known.end()) {
        event = *same;
        known.erase(same);
      } else {
        const int changeID = newID();
        event = Resource_.Schedule().AddEvent(changeID, change->StartTime, change->EndTime);
        if (!event) continue;  // the organizer holds no event without a length
        event->SetSeriesID(id);
        event->SetChanged(true);
        Events_[changeID] = event;
        Changes_[id].push_back(event);
      }
      CopyToEvent(*change, *event);
      event->SetCategory(CategoryOf(Session_.Store(), change->CategoryName));
    }
    for (TVpEvent* gone : known) gone->SetDeleted(true);
  }

  void Remove(TSyncItemKind kind, int id) {
    if (kind == sikEvent) {
      Events_.at(id)->SetDeleted(true);
      for (TVpEvent* change : ChangesOf(id)) change->SetDeleted(true);
    } else if (kind == sikTask) {
      Tasks_.at(id)->SetDeleted(true);  // a plain flag on tasks: their resource is told itself
      Resource_.SetTasksDirty(true);
    } else Contacts_.at(id)->SetDeleted(true);
  }

 private:
  TVpExchangeSession& Session_;
  TVpResource& Resource_;
  std::time_t Stamp_;
  std::unordered_map<int, TVpEvent*> Events_;
  std::unordered_map<int, std::vector<TVpEvent*>> Changes_;  // by their series' RecordID
  std::unordered_map<int, TVpTask*> Tasks_;
  std::unordered_map<int, TVpContact*> Contacts_;
};

}  // namespace

TSessionSyncLocal::TSessionSyncLocal(TVpExchangeSession& session, TSyncCollectionKind kind, std::time_t stamp)
    : Session_(session), Collection_(kind), Stamp_(stamp) {}

TSyncItemKind TSessionSyncLocal::KindOfLocalID(int localID) const {
  if (Collection_ == sckAddressBook) return sikContact;
  return localID < 0 ? sikTask : sikEvent;
}

std::vector<TSyncLocalItem> TSessionSyncLocal::Items() {
  std::vector<TSyncLocalItem> items;
  Session_.WhileWriting(false, [&](TVpResource& resource) {
    TTableBatch uids(Session_.Uids().Table());
    TRecords records(Session_, resource, Stamp_);
    Given_.clear();
    auto add = [&](TSyncItemKind kind, int id) {
      TSyncLocalItem item{kind, LocalID(kind, id), "", records.Text(kind, id)};
      item.Uid = Session_.Uids().UidOf(TableOf(kind), id);
      Given_[{kind, id}] = item.Text;
      items.push_back(std::move(item));
    };
    if (Collection_ == sckCalendar) {
      for (int i = 0; i < resource.Schedule().Count(); ++i)
        if (records.IsItem(*resource.Schedule().Items(i))) add(sikEvent, resource.Schedule().Items(i)->RecordID());
      for (int i = 0; i < resource.Tasks().Count(); ++i) add(sikTask, resource.Tasks().Items(i)->RecordID());
    } else {
      for (int i = 0; i < resource.Contacts().Count(); ++i) add(sikContact, resource.Contacts().Items(i)->RecordID());
    }
    uids.Commit();
  });
  return items;
}

int TSessionSyncLocal::NewRecordID(TSyncItemKind kind) {
  std::vector<int>& free = FreeIDs_[kind];
  if (free.empty()) {
    Session_.WhileWriting(true, [&](TVpResource&) {
      TTableBatch ids(Session_.Files().RecordIDTable());
      std::vector<int> counted;
      for (int i = 0; i < IDBlock_; ++i) counted.push_back(Session_.Store().GetNextID(TableNameOf(kind)));
      ids.Commit();
      free.assign(counted.rbegin(), counted.rend());
    });
    IDBlock_ = std::min(IDBlock_ * 2, kMostIDsAtOnce);
  }
  const int id = free.back();
  free.pop_back();
  return id;
}

int TSessionSyncLocal::Create(const std::string& text) {
  TReadItem item;
  ReadItem(Collection_, text, item);
  const TSyncItemKind kind = item.Kind;
  const int id = NewRecordID(kind);
  Changes_.push_back({ckCreate, kind, id, text});
  return LocalID(kind, id);
}

void TSessionSyncLocal::Update(int recordID, const std::string& text) {
  const TSyncItemKind kind = KindOfLocalID(recordID);
  Changes_.push_back({ckUpdate, kind, LocalID(kind, recordID), text});
}

void TSessionSyncLocal::Remove(int recordID) {
  const TSyncItemKind kind = KindOfLocalID(recordID);
  Changes_.push_back({ckRemove, kind, LocalID(kind, recordID), ""});
}

std::vector<int> TSessionSyncLocal::Flush() {
  std::vector<TChange> changes;
  changes.swap(Changes_);
  std::vector<int> skipped;
  if (changes.empty()) return skipped;
  Session_.WhileWriting(true, [&](TVpResource& resource) {
    TRecords records(Session_, resource, Stamp_);
    {
      // Changed occurrences new to this side get their IDs counted out here, in one write.
      TTableBatch ids(Session_.Files().RecordIDTable());
      const auto newID = [this] { return Session_.Store().GetNextID("Events"); };
      TTableBatch uids(Session_.Uids().Table());
      resource.Schedule().BeginUpdate();
      try {
        for (const TChange& change : changes) {
          const TKey key{change.Kind, change.RecordID};
          const bool exists = records.Has(change.Kind, change.RecordID);
          // Gone, or changed by another writer since this side read it: the next sync decides.
          const bool untouched =
              exists && Given_.count(key) && records.Text(change.Kind, change.RecordID) == Given_[key];
          if (change.Change == ckRemove) {
            if (untouched) records.Remove(change.Kind, change.RecordID);
            else if (exists) skipped.push_back(LocalID(change.Kind, change.RecordID));
            if (untouched) Given_.erase(key);
            continue;
          }
          TReadItem item;
          ReadItem(Collection_, change.Text, item);
          const bool create = change.Change == ckCreate;
          if (item.Kind != change.Kind || (!create && !untouched) ||
              !records.Apply(item, change.RecordID, create, newID)) {
            skipped.push_back(LocalID(change.Kind, change.RecordID));
            continue;
          }
          if (create) Session_.Uids().Set(TableOf(change.Kind), change.RecordID, item.Uid);
          Given_[key] = records.Text(change.Kind, change.RecordID);
        }
      } catch (...) {
        resource.Schedule().EndUpdate();
        throw;
      }
      resource.Schedule().EndUpdate();
      resource.Tasks().Sort();
      ids.Commit();
      uids.Commit();
    }
    Session_.Store().PostEvents();
    Session_.Store().PostTasks();
    Session_.Store().PostContacts();
  });
  return skipped;
}
