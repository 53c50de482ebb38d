#include "store/db_data_store.h"

#include <exception>

#include "model/day_number.h"
#include "model/vp_exception.h"

namespace {

template <class TRecord>
const std::vector<TRecordField<TRecord>>& FieldsOf();
template <>
const std::vector<TRecordField<TVpResource>>& FieldsOf() { return ResourceRecordFields(); }
template <>
const std::vector<TRecordField<TVpEvent>>& FieldsOf() { return EventRecordFields(); }
template <>
const std::vector<TRecordField<TVpContact>>& FieldsOf() { return ContactRecordFields(); }
template <>
const std::vector<TRecordField<TVpTask>>& FieldsOf() { return TaskRecordFields(); }

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

std::string TVpCustomDBDataStore::TableFieldFor(TVpTableKind kind, const std::string& storeKey) const {
  return CanonicalTableField(kind, storeKey);
}

std::optional<TField> TVpCustomDBDataStore::FieldFor(TVpTableKind kind, TDataTable& table, const std::string& storeKey) {
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

void TVpCustomDBDataStore::SetFilterCriteria(TDataTable& table, bool useDates, int resourceID, double start,
                                             double end) {
  const int resource = table.FieldIndex("ResourceID");
  const int startTime = table.FieldIndex("StartTime");
  const int repeatCode = table.FieldIndex("RepeatCode");
  const int rangeEnd = table.FieldIndex("RepeatRangeEnd");
  const bool dates = useDates && startTime >= 0;
  const std::int64_t from = ToMs(start);
  const std::int64_t to = ToMs(end);
  auto value = [](const TRowValues& row, int index) -> const TFieldValue& {
    static const TFieldValue none;
    return index < 0 ? none : row[static_cast<size_t>(index)];
  };
  table.SetFilter([=](const TRowValues& row) {
    if (ValueAsInteger(value(row, resource), "ResourceID") != resourceID) return false;
    if (!dates) return true;
    // An event is loaded when it starts in the window (also when it ends after it), or when it
    // repeats into the window.
    const std::int64_t starts = ToMs(ValueAsFloat(value(row, startTime), "StartTime"));
    if (starts >= from && starts < to) return true;
    return ValueAsInteger(value(row, repeatCode), "RepeatCode") > 0 &&
           from <= ToMs(ValueAsFloat(value(row, rangeEnd), "RepeatRangeEnd"));
  });
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
  SetActiveResource(nullptr);
  Resources().Clear();
  table.SetFiltered(false);
  const auto id = FieldFor(tkResources, table, "ResourceID");
  const auto columns = ColumnsFor<TVpResource>(tkResources, table);
  for (table.First(); !table.Eof(); table.Next()) {
    TVpResource* resource = Resources().AddResource(-1);
    try {
      resource->SetLoading(true);
      if (id) resource->SetResourceID(static_cast<int>(id->AsInteger()));
      ReadFields(columns, *resource);
      resource->SetLoading(false);
      resource->SetChanged(false);  // a row just read is not a change
    } catch (...) {
      Resources().DeleteResource(resource);  // no half-read resource stays in the list
      throw;
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

void TVpCustomDBDataStore::LoadEvents() {
  TDataTable* table = EventsTable();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr) return;
  SetFilterCriteria(*table, true, resource->ResourceID(), LoadedRange().StartTime(), LoadedRange().EndTime());
  if (!table->Active()) return;
  const auto id = FieldFor(tkEvents, *table, "RecordID");
  const auto start = FieldFor(tkEvents, *table, "StartTime");
  const auto end = FieldFor(tkEvents, *table, "EndTime");
  if (!id || !start || !end) return;
  TVpSchedule& schedule = resource->Schedule();
  // A row that ends before it starts makes no event and is left out.
  ReadRows<TVpEvent>(tkEvents, *table, schedule, [&] {
    return schedule.AddEvent(static_cast<int>(id->AsInteger()), start->AsDateTime(), end->AsDateTime());
  });
}

void TVpCustomDBDataStore::LoadContacts() {
  TDataTable* table = ContactsTable();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr || !table->Active()) return;
  SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
  const auto id = FieldFor(tkContacts, *table, "RecordID");
  if (!id) return;
  TVpContacts& contacts = resource->Contacts();
  ReadRows<TVpContact>(tkContacts, *table, contacts, [&] { return contacts.AddContact(static_cast<int>(id->AsInteger())); });
}

void TVpCustomDBDataStore::LoadTasks() {
  TDataTable* table = TasksTable();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr || !table->Active()) return;
  SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
  const auto id = FieldFor(tkTasks, *table, "RecordID");
  if (!id) return;
  TVpTasks& tasks = resource->Tasks();
  ReadRows<TVpTask>(tkTasks, *table, tasks, [&] { return tasks.AddTask(static_cast<int>(id->AsInteger())); });
  resource->SetTasksDirty(false);
}

void TVpCustomDBDataStore::ReloadEvents() {
  if (TVpResource* resource = ActiveResource()) {
    resource->Schedule().Clear();
    LoadEvents();
  }
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::ReloadContacts() {
  if (TVpResource* resource = ActiveResource()) {
    resource->Contacts().Clear();
    LoadContacts();
  }
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::ReloadTasks() {
  if (TVpResource* resource = ActiveResource()) {
    resource->Tasks().Clear();
    LoadTasks();
  }
  if (!Loading()) NotifyLinkedControls();
}

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

void TVpCustomDBDataStore::DeleteRowsOf(TVpTableKind kind, TDataTable* table, int resourceID) {
  if (table == nullptr) return;
  Posting([&] {
    table->Open();
    const int index = table->FieldIndex(TableFieldFor(kind, "ResourceID"));
    if (index < 0) return;
    table->DeleteWhere([&](const TRowValues& row) {
      return ValueAsInteger(row[static_cast<size_t>(index)], "ResourceID") == resourceID;
    });
  });
}

void TVpCustomDBDataStore::RemoveResource(TVpResource* resource) {
  if (resource == nullptr) return;
  resource->SetDeleted(true);
  PostResources();
  LoadResources();
}

// Every row of the resource goes, not only those of the loaded window.
void TVpCustomDBDataStore::RemoveAllEvents(TVpResource* resource) {
  if (resource == nullptr) return;
  DeleteRowsOf(tkEvents, EventsTable(), resource->ResourceID());
  TVpCustomDataStore::RemoveAllEvents(resource);
}

void TVpCustomDBDataStore::RemoveAllContacts(TVpResource* resource) {
  if (resource == nullptr) return;
  DeleteRowsOf(tkContacts, ContactsTable(), resource->ResourceID());
  TVpCustomDataStore::RemoveAllContacts(resource);
}

void TVpCustomDBDataStore::RemoveAllTasks(TVpResource* resource) {
  if (resource == nullptr) return;
  DeleteRowsOf(tkTasks, TasksTable(), resource->ResourceID());
  TVpCustomDataStore::RemoveAllTasks(resource);
}

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
  Posting([&] {
    TTableBatch batch(table);
    auto id = FieldFor(kind, table, "RecordID");
    auto resource = FieldFor(kind, table, "ResourceID");
    auto columns = ColumnsFor<TRecord>(kind, table);
    if (!id || !resource) throw EDataTableError(table.Name() + ": RecordID and ResourceID are needed");
    for (TRecord* record : pending) {
      const bool found = record->RecordID() >= 0 && table.Locate(idField, std::int64_t{record->RecordID()});
      if (record->Deleted()) {
        if (found) table.Delete();
        continue;
      }
      found ? table.Edit() : table.Append();
      try {
        int recordID = record->RecordID();
        if (recordID < 0) {  // the field is required: a new record takes the next ID
          recordID = GetNextID(idTable);
          newIDs.emplace_back(record, recordID);
        }
        id->SetAsInteger(recordID);
        resource->SetAsInteger(ActiveResource()->ResourceID());
        WriteFields(columns, *record);
        table.Post();
      } catch (...) {
        table.Cancel();
        throw;
      }
    }
    batch.Commit();
  });

  records.BeginUpdate();
  for (const auto& [record, recordID] : newIDs) record->SetRecordID(recordID);
  for (TRecord* record : pending) {
    if (record->Deleted())
      Destroy(records, record);
    else
      record->SetChanged(false);
  }
  records.EndUpdate();
}

void TVpCustomDBDataStore::PostEvents() {
  TDataTable* table = EventsTable();
  if (table == nullptr) return;
  TVpResource* resource = ActiveResource();
  if (resource != nullptr && resource->EventsDirty() && ResourceTable() != nullptr) {
    if (!ActiveResourceHasRow()) throw EDBPostError();
    SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
    PostRecords(tkEvents, *table, resource->Schedule(), "Events");
    resource->SetEventsDirty(false);
    resource->Schedule().Sort();
  }
  if (!Loading()) NotifyLinkedControls();
}

void TVpCustomDBDataStore::PostContacts() {
  TDataTable* table = ContactsTable();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr || !resource->ContactsDirty()) return;
  if (ResourceTable() != nullptr && !ActiveResourceHasRow()) throw EDBPostError();
  SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
  PostRecords(tkContacts, *table, resource->Contacts(), "Contacts");
  resource->SetContactsDirty(false);
  resource->Contacts().Sort();
}

void TVpCustomDBDataStore::PostTasks() {
  TDataTable* table = TasksTable();
  TVpResource* resource = ActiveResource();
  if (table == nullptr || resource == nullptr || !resource->TasksDirty()) return;
  if (ResourceTable() != nullptr && !ActiveResourceHasRow()) throw EDBPostError();
  SetFilterCriteria(*table, false, resource->ResourceID(), 0, 0);
  PostRecords(tkTasks, *table, resource->Tasks(), "Tasks");
  resource->SetTasksDirty(false);
  resource->Tasks().Sort();
}

void TVpCustomDBDataStore::PostResources() {
  TDataTable* table = ResourceTable();
  if (Resources().Count() == 0 || table == nullptr) return;
  WhileLoading([&] {
    std::vector<TVpResource*> deleted;
    std::vector<TVpResource*> changed;
    for (int i = 0; i < Resources().Count(); ++i) {
      TVpResource* resource = Resources().Items(i);
      if (resource->Deleted())
        deleted.push_back(resource);
      else if (resource->Changed())
        changed.push_back(resource);
    }
    if (deleted.empty() && changed.empty()) return;

    // The resource rows first, in one write: should removing a resource's records fail after
    // that, rows nobody sees are left behind rather than a resource without its records.
    const std::string idField = TableFieldFor(tkResources, "ResourceID");
    std::vector<std::pair<TVpResource*, int>> newIDs;
    Posting([&] {
      table->Open();
      table->SetFiltered(false);
      TTableBatch batch(*table);
      auto id = FieldFor(tkResources, *table, "ResourceID");
      auto columns = ColumnsFor<TVpResource>(tkResources, *table);
      if (!id) throw EDataTableError(table->Name() + ": ResourceID is needed");
      for (TVpResource* resource : deleted)
        if (table->Locate(idField, std::int64_t{resource->ResourceID()})) table->Delete();
      for (TVpResource* resource : changed) {
        const bool found = resource->ResourceID() >= 0 && table->Locate(idField, std::int64_t{resource->ResourceID()});
        found ? table->Edit() : table->Append();
        try {
          int resourceID = resource->ResourceID();
          if (resourceID < 0) {
            resourceID = GetNextID("Resources");
            newIDs.emplace_back(resource, resourceID);
          }
          id->SetAsInteger(resourceID);
          WriteFields(columns, *resource);
          table->Post();
        } catch (...) {
          table->Cancel();
          throw;
        }
      }
      batch.Commit();
    });

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
}
