#include "store/db_data_store.h"

#include <exception>
#include <memory>

#include "model/day_number.h"
#include "model/vp_exception.h"

namespace {

template <class TRecord>
const std::vector<TRecordField<TRecord>>& FieldsOf();
template <>
const std::vector<TRecordField<TVpResource>>& FieldsOf() {
  return ResourceRecordFields();
}
template <>
const std::vector<TRecordField<TVpEvent>>& FieldsOf() {
  return EventRecordFields();
}
template <>
const std::vector<TRecordField<TVpContact>>& FieldsOf() {
  return ContactRecordFields();
}
template <>
const std::vector<TRecordField<TVpTask>>& FieldsOf() {
  return TaskRecordFields();
}

void Destroy(TVpSchedule& events, TVpEvent* event) { events.DeleteEvent(event); }
void Destroy(TVpContacts& contacts, TVpContact* contact) { contacts.DeleteContact(contact); }
void Destroy(TVpTasks& tasks, TVpTask* task) { tasks.DeleteTask(task); }

// Runs a write; any failure becomes EDBPostError, with the cause kept as its nested exception.
template <class F>
void Posting(F&& write) {
  try {
    write();
  } catch (const EDBPostError&) {
    throw;
  } catch (...) {
    std::throw_with_nested(EDBPostError());
  }
}

}  // namespace

template <class TCollection>
struct TVpCustomDBDataStore::TRecordKind {
  using TRecord = std::remove_pointer_t<decltype(std::declval<TCollection&>().Items(0))>;
  TVpTableKind Table;
  TDataTable* (TVpCustomDBDataStore::*TableOf)() const;
  TCollection& (TVpResource::*Records)();
  bool (TVpResource::*Dirty)() const;
  void (TVpResource::*SetDirty)(bool);
  void (TVpCustomDataStore::*Load)();
  // The counter that gives out the records' new IDs.
  const char* IDTable;
  // The store keys a record is created from, besides RecordID, and how.
  std::vector<const char*> CreatedFrom;
  TRecord* (*Create)(TCollection& records, int recordID, const std::vector<TField>& from);
  // Only events are loaded for a window of days; the other kinds are loaded whole.
  bool LoadsWindowOnly = false;
  // A new task counts as changed (it is new work) and raises TasksDirty as it is made, so loading
  // tasks clears the flag again; loading events or contacts never raises it.
  bool ClearDirtyAfterLoad = false;
  // Events are written only where there is a Resources table to hold their resource's row, and
  // every post of them repaints the views (the day view shows the outcome of its edits that way);
  // contacts and tasks are written without that table and tell nobody.
  bool PostNeedsResourceTable = false;
  bool NotifyAfterPost = false;
};

const TVpCustomDBDataStore::TRecordKind<TVpSchedule> TVpCustomDBDataStore::kEventKind = {
    .Table = tkEvents,
    .TableOf = &TVpCustomDBDataStore::EventsTable,
    .Records = &TVpResource::Schedule,
    .Dirty = &TVpResource::EventsDirty,
    .SetDirty = &TVpResource::SetEventsDirty,
    .Load = &TVpCustomDataStore::LoadEvents,
    .IDTable = "Events",
    .CreatedFrom = {"StartTime", "EndTime"},
    // A row that ends before it starts makes no event and is left out.
    .Create =
        [](TVpSchedule& events, int recordID, const std::vector<TField>& from) {
          return events.AddEvent(recordID, from[0].AsDateTime(), from[1].AsDateTime());
        },
    .LoadsWindowOnly = true,
    .PostNeedsResourceTable = true,
    .NotifyAfterPost = true};

const TVpCustomDBDataStore::TRecordKind<TVpContacts> TVpCustomDBDataStore::kContactKind = {
    .Table = tkContacts,
    .TableOf = &TVpCustomDBDataStore::ContactsTable,
    .Records = &TVpResource::Contacts,
    .Dirty = &TVpResource::ContactsDirty,
    .SetDirty = &TVpResource::SetContactsDirty,
    .Load = &TVpCustomDataStore::LoadContacts,
    .IDTable = "Contacts",
    .CreatedFrom = {},
    .Create = [](TVpContacts& contacts, int recordID, const std::vector<TField>&) {
      return contacts.AddContact(recordID);
    }};

const TVpCustomDBDataStore::TRecordKind<TVpTasks> TVpCustomDBDataStore::kTaskKind = {
    .Table = tkTasks,
    .TableOf = &TVpCustomDBDataStore::TasksTable,
    .Records = &TVpResource::Tasks,
    .Dirty = &TVpResource::TasksDirty,
    .SetDirty = &TVpResource::SetTasksDirty,
    .Load = &TVpCustomDataStore::LoadTasks,
    .IDTable = "Tasks",
    .CreatedFrom = {},
    .Create = [](TVpTasks& tasks, int recordID, const std::vector<TField>&) { return tasks.AddTask(recordID); },
    .ClearDirtyAfterLoad = true};

template <class F>
void TVpCustomDBDataStore::Writing(F&& write) {
  if (OnWrite) OnWrite(write);
  else write();
}

std::vector<std::string> TVpCustomDBDataStore::RequiredFieldsOf(TVpTableKind kind) const {
  std::vector<const char*> keys = {"ResourceID"};
  auto recordKeys = [&](const auto& recordKind) {
    if (recordKind.Table != kind) return;
    keys = {"RecordID", "ResourceID"};
    keys.insert(keys.end(), recordKind.CreatedFrom.begin(), recordKind.CreatedFrom.end());
  };
  recordKeys(kEventKind);
  recordKeys(kContactKind);
  recordKeys(kTaskKind);
  std::vector<std::string> fields;
  for (const char* key : keys)
    if (std::string field = TableFieldFor(kind, key); !field.empty()) fields.push_back(field);
  return fields;
}

std::string TVpCustomDBDataStore::TableFieldFor(TVpTableKind kind, const std::string& storeKey) const {
  return CanonicalTableField(kind, storeKey);
}

std::optional<TField> TVpCustomDBDataStore::FieldFor(TVpTableKind kind, TDataTable& table,
                                                     const std::string& storeKey) {
  const std::string name = TableFieldFor(kind, storeKey);
  if (name.empty()) return std::nullopt;
  const int index = table.FieldIndex(name);
  if (index < 0) return std::nullopt;
  return TField(table, index);
}

template <class TRecord>
TVpCustomDBDataStore::TColumns<TRecord> TVpCustomDBDataStore::ColumnsFor(TVpTableKind kind, TDataTable& table) {
  TColumns<TRecord> columns;
  for (const TRecordField<TRecord>& field : FieldsOf<TRecord>())
    if (auto value = FieldFor(kind, table, field.Key)) columns.emplace_back(&field, *value);
  return columns;
}

template <class TRecord>
void TVpCustomDBDataStore::ReadFields(const TColumns<TRecord>& columns, TRecord& record) {
  for (const auto& [field, value] : columns)
    // A field without a value keeps the record's default (a phone kind, a resource's Active).
    if (field->Read && !value.IsNull()) field->Read(record, value);
}

template <class TRecord>
void TVpCustomDBDataStore::WriteFields(TColumns<TRecord>& columns, const TRecord& record) {
  for (auto& [field, value] : columns) field->Write(record, value);
}

namespace {

// An event that began before the window and goes on into it is loaded too, when it began no more
// than a year before the window (a longer one shows in the year after its start).
constexpr std::int64_t kLongestLoadedSpanMs = 366 * kMsPerDay;

}  // namespace

std::vector<TDataTable::TNamedRange> TVpCustomDBDataStore::EventWindowRanges(double start, double end) const {
  const std::int64_t from = ToMs(start);
  return {{TableFieldFor(tkEvents, "StartTime"), from - kLongestLoadedSpanMs, ToMs(end),
           TableFieldFor(tkEvents, "EndTime"), from},
          {TableFieldFor(tkEvents, "RepeatRangeEnd"),
           from,
           INT64_MAX,
           {},
           INT64_MIN,
           TableFieldFor(tkEvents, "StartTime"),
           ToMs(end)}};
}

void TVpCustomDBDataStore::SetFilterCriteria(TDataTable& table, bool useDates, int resourceID, double start,
                                             double end) {
  const int resource = table.FieldIndex("ResourceID");
  const int startTime = table.FieldIndex("StartTime");
  const int endTime = table.FieldIndex("EndTime");
  const int repeatCode = table.FieldIndex("RepeatCode");
  const int rangeEnd = table.FieldIndex("RepeatRangeEnd");
  const int repeatRule = table.FieldIndex("RepeatRule");
  const int extraDates = table.FieldIndex("ExtraDates");
  const bool dates = useDates && startTime >= 0;
  const std::int64_t from = ToMs(start);
  const std::int64_t to = ToMs(end);
  auto number = [](const TRowView& row, int index) -> std::int64_t {
    return index < 0 ? 0 : row.Number(static_cast<size_t>(index));
  };
  auto ms = [](const TRowView& row, int index) -> std::int64_t {
    return index < 0 ? 0 : row.Ms(static_cast<size_t>(index));
  };
  auto given = [](const TRowView& row, int index) { return index >= 0 && !row.IsNull(static_cast<size_t>(index)); };
  const std::int64_t earliest = from - kLongestLoadedSpanMs;
  // Only rows that start in the window or the year before it, or whose repetition ends in it or
  // later, can pass: the table finds those through its index of days.
  std::vector<TDataTable::TFieldRange> ranges;
  if (dates) {
    ranges.push_back({startTime, earliest, to});
    if (repeatCode >= 0 && rangeEnd >= 0) ranges.push_back({rangeEnd, from, INT64_MAX});
  }
  table.SetFilter(
      [=](const TRowView& row) {
        if (number(row, resource) != resourceID) return false;
        if (!dates) return true;
        // An event is loaded when it starts in the window (also when it ends after it), when it
        // goes on into the window, or when it repeats into the window from before it.
        const std::int64_t starts = ms(row, startTime);
        if (starts >= from && starts < to) return true;
        if (starts >= earliest && starts < from && ms(row, endTime) > from) return true;
        const bool repeats = number(row, repeatCode) > 0 || given(row, repeatRule) || given(row, extraDates);
        return repeats && starts < from && from <= ms(row, rangeEnd);
      },
      std::move(ranges));
  table.SetFiltered(true);
}

// --- loading ---

void TVpCustomDBDataStore::LoadResources() {
  WhileLoading([&] {
    TDataTable* table = ResourceTable();
    if (table == nullptr) return;
    table->Open();
    if (table->Active()) LoadResourceRows(*table);
  });
  NotifyLinkedControls();
}

void TVpCustomDBDataStore::LoadResourceRows(TDataTable& table) {
  LoadedReads_[tkResources] = table.ReadCount();
  SetActiveResource(nullptr);
  Resources().Clear();
  table.SetFiltered(false);
  const auto id = FieldFor(tkResources, table, "ResourceID");
  const auto columns = ColumnsFor<TVpResource>(tkResources, table);
  int row = 0;
  for (table.First(); !table.Eof(); table.Next()) {
    ++row;
    TVpResource* resource = Resources().AddResource(-1);
    try {
      resource->SetLoading(true);
      if (id) resource->SetResourceID(static_cast<int>(id->AsInteger()));
      ReadFields(columns, *resource);
      resource->SetLoading(false);
      resource->SetChanged(false);  // a row just read is not a change
    } catch (const std::exception&) {
      Resources().DeleteResource(resource);  // no half-read resource stays in the list
      // The reason (a second resource of the same name, say) is told with the row it stands in.
      std::throw_with_nested(
          EDataTableError(table.Name() + ": \"" + table.FileName() + "\", row " + std::to_string(row)));
    }
    if (resource->ResourceID() == ResourceID() && resource->Active()) SetActiveResource(resource);
  }
  Resources().Sort();
}

template <class TRecord, class TCollection, class TAdd>
void TVpCustomDBDataStore::ReadRows(TVpTableKind kind, TDataTable& table, TCollection& records, TAdd add) {
  const auto columns = ColumnsFor<TRecord>(kind, table);
  records.BeginUpdate();  // sorted once at the end
  try {
    for (table.First(); !table.Eof(); table.Next()) {
      TRecord* record = add();
      if (record == nullptr) continue;
      record->SetLoading(true);
      ReadFields(columns, *record);
      record->SetLoading(false);
      record->SetChanged(false);  // a new task counts as changed; a record just read is not
    }
  } catch (...) {
    records.EndUpdate();
    throw;
  }
  records.EndUpdate();
}

template <class TCollection>
void TVpCustomDBDataStore::LoadRecords(const TRecordKind<TCollection>& kind) {
  TDataTable* table = (this->*kind.TableOf)();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr) return;
  // The window's filter is set also on a closed table, to hold once it opens.
  if (kind.LoadsWindowOnly)
    SetFilterCriteria(*table, true, resource->ResourceID(), LoadedRange().StartTime(), LoadedRange().EndTime());
  if (!table->Active()) return;
  LoadedReads_[kind.Table] = table->ReadCount();
  if (!kind.LoadsWindowOnly) SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
  const auto id = FieldFor(kind.Table, *table, "RecordID");
  std::vector<TField> from;
  for (const char* key : kind.CreatedFrom)
    if (auto field = FieldFor(kind.Table, *table, key)) from.push_back(*field);
  if (!id || from.size() < kind.CreatedFrom.size()) return;
  TCollection& records = (resource->*kind.Records)();
  ReadRows<typename TRecordKind<TCollection>::TRecord>(
      kind.Table, *table, records, [&] { return kind.Create(records, static_cast<int>(id->AsInteger()), from); });
  if (kind.ClearDirtyAfterLoad) (resource->*kind.SetDirty)(false);
}

void TVpCustomDBDataStore::LoadEvents() { LoadRecords(kEventKind); }
void TVpCustomDBDataStore::LoadContacts() { LoadRecords(kContactKind); }
void TVpCustomDBDataStore::LoadTasks() { LoadRecords(kTaskKind); }

template <class TCollection>
void TVpCustomDBDataStore::ReloadRecords(const TRecordKind<TCollection>& kind) {
  if (TVpResource* resource = ActiveResource()) {
    (resource->*kind.Records)().Clear();
    (this->*kind.Load)();
  }
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::ReloadEvents() { ReloadRecords(kEventKind); }
void TVpCustomDBDataStore::ReloadContacts() { ReloadRecords(kContactKind); }
void TVpCustomDBDataStore::ReloadTasks() { ReloadRecords(kTaskKind); }

void TVpCustomDBDataStore::ReloadResource() {
  if (ActiveResource() == nullptr) SetActiveResource(Resources().FindResourceByID(ResourceID()));
  if (TVpResource* resource = ActiveResource()) {
    resource->Schedule().Clear();
    resource->Tasks().Clear();
    resource->Contacts().Clear();
    TDataTable* table = ResourceTable();
    if (table != nullptr) {
      table->Open();
      const std::string idField = TableFieldFor(tkResources, "ResourceID");
      if (table->Active() && !idField.empty() && table->Locate(idField, std::int64_t{resource->ResourceID()})) {
        resource->SetLoading(true);
        try {
          ReadFields(ColumnsFor<TVpResource>(tkResources, *table), *resource);
        } catch (...) {
          resource->SetLoading(false);
          throw;
        }
        resource->SetLoading(false);
        resource->SetChanged(false);
        LoadEvents();
        LoadContacts();
        LoadTasks();
      }
    }
  }
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::SelectResourceByName(const std::string& description) {
  TVpResource* found = nullptr;
  for (int i = 0; i < Resources().Count() && found == nullptr; ++i)
    if (Resources().Items(i)->Description() == description) found = Resources().Items(i);
  if (found == nullptr || found->ResourceID() == ResourceID()) return;
  SetResourceID(found->ResourceID());
  ReloadResource();
}

// --- removing ---

// Every row of the resource goes, not only those of the loaded window, with one write; then the
// collection is emptied as the plain store does.
template <class TCollection>
void TVpCustomDBDataStore::RemoveAllRecords(const TRecordKind<TCollection>& kind, TVpResource* resource) {
  if (resource == nullptr) return;
  if (TDataTable* table = (this->*kind.TableOf)()) {
    Writing([&] {
      Posting([&] {
        table->Open();
        const int index = table->FieldIndex(TableFieldFor(kind.Table, "ResourceID"));
        if (index < 0) return;
        table->DeleteWhere(
            [&](const TRowView& row) { return row.Number(static_cast<size_t>(index)) == resource->ResourceID(); });
      });
    });
  }
  (resource->*kind.Records)().Clear();
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::RemoveResource(TVpResource* resource) {
  if (resource == nullptr) return;
  resource->SetDeleted(true);
  PostResources();
  LoadResources();
}

void TVpCustomDBDataStore::RemoveAllEvents(TVpResource* resource) { RemoveAllRecords(kEventKind, resource); }
void TVpCustomDBDataStore::RemoveAllContacts(TVpResource* resource) { RemoveAllRecords(kContactKind, resource); }
void TVpCustomDBDataStore::RemoveAllTasks(TVpResource* resource) { RemoveAllRecords(kTaskKind, resource); }

// --- posting ---

bool TVpCustomDBDataStore::ActiveResourceHasRow() {
  TDataTable* table = ResourceTable();
  const std::string idField = TableFieldFor(tkResources, "ResourceID");
  bool found = false;
  Posting([&] {
    table->Open();
    table->SetFiltered(false);
    found = !idField.empty() && table->Locate(idField, std::int64_t{ActiveResource()->ResourceID()});
  });
  return found;
}

template <class TFill>
void TVpCustomDBDataStore::WriteRow(TDataTable& table, bool found, TFill fill) {
  found ? table.Edit() : table.Append();
  try {
    fill();
    table.Post();
  } catch (...) {
    table.Cancel();
    throw;
  }
}

// The pending records are taken first (deleted or changed, last to first) and written in one
// batch, so the file is written once; only when that write succeeded are deleted records
// destroyed, new IDs given out and Changed cleared. A failure rolls the table back and leaves
// every record as it was.
template <class TCollection>
void TVpCustomDBDataStore::PostRecords(TVpTableKind kind, TDataTable& table, TCollection& records,
                                       const char* idTable) {
  using TRecord = std::remove_pointer_t<decltype(records.Items(0))>;
  std::vector<TRecord*> pending;
  for (int i = records.Count() - 1; i >= 0; --i)
    if (records.Items(i)->Deleted() || records.Items(i)->Changed()) pending.push_back(records.Items(i));
  if (pending.empty()) return;

  const std::string idField = TableFieldFor(kind, "RecordID");
  std::vector<std::pair<TRecord*, int>> newIDs;
  std::vector<TVpRowChange> logged;
  Posting([&] {
    TTableBatch batch(table);
    auto id = FieldFor(kind, table, "RecordID");
    auto resource = FieldFor(kind, table, "ResourceID");
    auto columns = ColumnsFor<TRecord>(kind, table);
    if (!id || !resource) throw EDataTableError(table.Name() + ": RecordID and ResourceID are needed");
    // The rows of deleted records go at the end, all at once: removing them one by one would move
    // the rows after each.
    std::vector<size_t> deletedRows;
    for (TRecord* record : pending) {
      const bool found = record->RecordID() >= 0 && table.Locate(idField, std::int64_t{record->RecordID()});
      std::optional<TVpRowImage> before;
      if (found && LoggingRowChanges()) before = table.CurrentValues();
      if (record->Deleted()) {
        if (found) deletedRows.push_back(table.CurrentRow());
        if (found && LoggingRowChanges()) logged.push_back({kind, record->RecordID(), std::move(before), {}});
        continue;
      }
      int recordID = record->RecordID();
      WriteRow(table, found, [&] {
        if (recordID < 0) {  // the field is required: a new record takes the next ID
          recordID = GetNextID(idTable);
          newIDs.emplace_back(record, recordID);
        }
        id->SetAsInteger(recordID);
        resource->SetAsInteger(ActiveResource()->ResourceID());
        WriteFields(columns, *record);
      });
      if (LoggingRowChanges()) logged.push_back({kind, recordID, std::move(before), table.CurrentValues()});
    }
    if (!deletedRows.empty()) table.DeleteRows(deletedRows);
    batch.Commit();
  });
  LogRowChanges(std::move(logged));

  records.BeginUpdate();
  for (const auto& [record, recordID] : newIDs) record->SetRecordID(recordID);
  for (TRecord* record : pending) {
    if (record->Deleted()) Destroy(records, record);
    else record->SetChanged(false);
  }
  records.EndUpdate();
}

template <class TCollection>
void TVpCustomDBDataStore::PostCollection(const TRecordKind<TCollection>& kind) {
  TDataTable* table = (this->*kind.TableOf)();
  if (table == nullptr) return;
  TVpResource* resource = ActiveResource();
  const bool resourceTable = ResourceTable() != nullptr;
  if (resource != nullptr && (resource->*kind.Dirty)() && (resourceTable || !kind.PostNeedsResourceTable)) {
    Writing([&] {
      if (resourceTable && !ActiveResourceHasRow()) throw EDBPostError();
      SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
      TCollection& records = (resource->*kind.Records)();
      PostRecords(kind.Table, *table, records, kind.IDTable);
      (resource->*kind.SetDirty)(false);
      records.Sort();
    });
  }
  if (kind.NotifyAfterPost && !Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::PostEvents() { PostCollection(kEventKind); }
void TVpCustomDBDataStore::PostContacts() { PostCollection(kContactKind); }
void TVpCustomDBDataStore::PostTasks() { PostCollection(kTaskKind); }

void TVpCustomDBDataStore::PostResources() {
  TDataTable* table = ResourceTable();
  if (Resources().Count() == 0 || table == nullptr) return;
  Writing([&] {
    WhileLoading([&] {
      std::vector<TVpResource*> deleted;
      std::vector<TVpResource*> changed;
      for (int i = 0; i < Resources().Count(); ++i) {
        TVpResource* resource = Resources().Items(i);
        if (resource->Deleted()) deleted.push_back(resource);
        else if (resource->Changed()) changed.push_back(resource);
      }
      if (deleted.empty() && changed.empty()) return;

      // The resource rows first, in one write: should removing a resource's records fail after
      // that, rows nobody sees are left behind rather than a resource without its records.
      const std::string idField = TableFieldFor(tkResources, "ResourceID");
      std::vector<std::pair<TVpResource*, int>> newIDs;
      std::vector<TVpRowChange> logged;
      Posting([&] {
        table->Open();
        table->SetFiltered(false);
        TTableBatch batch(*table);
        auto id = FieldFor(tkResources, *table, "ResourceID");
        auto columns = ColumnsFor<TVpResource>(tkResources, *table);
        if (!id) throw EDataTableError(table->Name() + ": ResourceID is needed");
        for (TVpResource* resource : deleted) {
          if (!table->Locate(idField, std::int64_t{resource->ResourceID()})) continue;
          if (LoggingRowChanges()) logged.push_back({tkResources, resource->ResourceID(), table->CurrentValues(), {}});
          table->Delete();
        }
        for (TVpResource* resource : changed) {
          const bool found =
              resource->ResourceID() >= 0 && table->Locate(idField, std::int64_t{resource->ResourceID()});
          std::optional<TVpRowImage> before;
          if (found && LoggingRowChanges()) before = table->CurrentValues();
          int resourceID = resource->ResourceID();
          WriteRow(*table, found, [&] {
            if (resourceID < 0) {
              resourceID = GetNextID("Resources");
              newIDs.emplace_back(resource, resourceID);
            }
            id->SetAsInteger(resourceID);
            WriteFields(columns, *resource);
          });
          if (LoggingRowChanges())
            logged.push_back({tkResources, resourceID, std::move(before), table->CurrentValues()});
        }
        batch.Commit();
      });
      LogRowChanges(std::move(logged));

      for (const auto& [resource, resourceID] : newIDs) resource->SetResourceID(resourceID);
      for (TVpResource* resource : deleted) {
        RemoveAllEvents(resource);
        RemoveAllContacts(resource);
        RemoveAllTasks(resource);
        if (resource == ActiveResource()) SetResourceID(-1);
        Resources().DeleteResource(resource);
      }
      for (TVpResource* resource : changed) {
        if (resource->ResourceID() == ResourceID() && resource == ActiveResource()) {
          PostEvents();
          PostContacts();
          PostTasks();
        }
        resource->SetChanged(false);
      }
    });
  });
}

// --- undo and redo ---

TDataTable* TVpCustomDBDataStore::TableOfKind(TVpTableKind kind) const {
  switch (kind) {
    case tkResources: return ResourceTable();
    case tkEvents: return EventsTable();
    case tkContacts: return ContactsTable();
    case tkTasks: return TasksTable();
  }
  return nullptr;
}

namespace {

// How a message names the record of a row change.
std::string RecordNamed(const TVpRowChange& change) {
  static const char* const kKinds[] = {"resource", "event", "contact", "task"};
  return std::string("the ") + kKinds[change.Kind] + " " + std::to_string(change.RecordID);
}

}  // namespace

// Every row is checked before any is written: a row another writer changed since the change
// (or since its undo) refuses the whole step. Then each table gets its rows back in one batch.
void TVpCustomDBDataStore::RestoreRows(const std::vector<TVpRowChange>& changes, bool toBefore) {
  bool kinds[4] = {};
  Writing([&] {
    const auto locate = [&](TDataTable& table, const TVpRowChange& change) {
      table.Open();
      table.SetFiltered(false);
      const std::string idField = TableFieldFor(change.Kind, change.Kind == tkResources ? "ResourceID" : "RecordID");
      return !idField.empty() && table.Locate(idField, std::int64_t{change.RecordID});
    };
    for (const TVpRowChange& change : changes) {
      TDataTable* table = TableOfKind(change.Kind);
      if (table == nullptr) throw EVpChangeRefused("There is no table for " + RecordNamed(change) + ".");
      std::optional<TVpRowImage> now;
      if (locate(*table, change)) now = table->CurrentValues();
      if (now != (toBefore ? change.After : change.Before))
        throw EVpChangeRefused("Another program changed " + RecordNamed(change) + " since; nothing was changed.");
    }
    Posting([&] {
      std::vector<std::unique_ptr<TTableBatch>> batches;
      for (TDataTable* table : {ResourceTable(), EventsTable(), ContactsTable(), TasksTable()})
        if (table != nullptr && table->Active()) batches.push_back(std::make_unique<TTableBatch>(*table));
      for (const TVpRowChange& change : changes) {
        TDataTable& table = *TableOfKind(change.Kind);
        const bool found = locate(table, change);
        const std::optional<TVpRowImage>& wanted = toBefore ? change.Before : change.After;
        kinds[change.Kind] = true;
        if (!wanted) {
          if (found) table.Delete();
          continue;
        }
        WriteRow(table, found, [&] {
          for (const TFieldDef& field : table.FieldDefs()) {
            const auto value = wanted->find(field.Name);
            table.FieldByName(field.Name).SetValue(value != wanted->end() ? value->second : TFieldValue());
          }
        });
      }
      for (auto& batch : batches) batch->Commit();
    });
  });
  // The records take the rows back: the resources anew (the active one found again by its ID), else
  // the active resource's records of the kinds changed.
  if (kinds[tkResources]) {
    const TVpResource* active = ActiveResource();
    const int activeID = active != nullptr ? active->ResourceID() : -1;
    LoadResources();
    if (active != nullptr) SetResourceID(activeID);
  } else {
    if (kinds[tkEvents]) ReloadEvents();
    if (kinds[tkContacts]) ReloadContacts();
    if (kinds[tkTasks]) ReloadTasks();
  }
  NotifyLinkedControls();
}

// --- changes made by other writers ---

bool TVpCustomDBDataStore::HasPendingChanges() const {
  for (int i = 0; i < Resources().Count(); ++i)
    if (Resources().Items(i)->Changed() || Resources().Items(i)->Deleted()) return true;
  const TVpResource* resource = ActiveResource();
  return resource != nullptr && (resource->EventsDirty() || resource->ContactsDirty() || resource->TasksDirty());
}

bool TVpCustomDBDataStore::ReloadChangedTables() {
  if (!Connected()) return false;
  for (TDataTable* table : {ResourceTable(), EventsTable(), ContactsTable(), TasksTable()})
    if (table != nullptr) table->ReadAgainIfChanged(false);
  auto stale = [&](TVpTableKind kind, TDataTable* table) {
    return table != nullptr && table->Active() && table->ReadCount() != LoadedReads_[kind];
  };
  if (stale(tkResources, ResourceTable())) {
    // The resources are made anew; the active one is found again by its ID, which reloads its
    // records too. Not while anything waits to be posted: the post merges it first.
    if (HasPendingChanges()) return false;
    const TVpResource* active = ActiveResource();
    const int activeID = active != nullptr ? active->ResourceID() : -1;
    LoadResources();
    if (active != nullptr) SetResourceID(activeID);
    return true;
  }
  TVpResource* resource = ActiveResource();
  if (resource == nullptr) return false;
  bool reloaded = false;
  auto reload = [&](const auto& kind) {
    if (!stale(kind.Table, (this->*kind.TableOf)()) || (resource->*kind.Dirty)()) return;
    ReloadRecords(kind);
    reloaded = true;
  };
  reload(kEventKind);
  reload(kContactKind);
  reload(kTaskKind);
  return reloaded;
}
