#include "store/flex_data_store.h"

#include <exception>
#include <tuple>

#include "platform/ascii_text.h"
#include "store/record_fields.h"

std::string MapField(const TVpFieldMappings& mapping, const std::string& key) {
  for (const TVpFieldMapping& pair : mapping)
    if (SameTextAscii(pair.StoreKey, key)) return pair.TableField;
  return {};
}

TVpFlexDataStore::TVpFlexDataStore(TVpStoreServices services, const void* owner)
    : TVpCustomDBDataStore(services, owner) {}

std::string TVpFlexDataStore::TableFieldFor(TVpTableKind kind, const std::string& storeKey) const {
  switch (kind) {
    case tkResources: return MapField(ResourceFieldMappings, storeKey);
    case tkEvents: return MapField(EventFieldMappings, storeKey);
    case tkContacts: return MapField(ContactFieldMappings, storeKey);
    case tkTasks: return MapField(TaskFieldMappings, storeKey);
  }
  return {};
}

int TVpFlexDataStore::GetNextID(const std::string& tableName) {
  return OnGetNextID ? OnGetNextID(*this, tableName) : -1;
}

void TVpFlexDataStore::SetFilterCriteria(TDataTable& table, bool useDates, int resourceID, double start, double end) {
  if (OnSetFilterCriteria) OnSetFilterCriteria(table, useDates, resourceID, start, end);
  else TVpCustomDBDataStore::SetFilterCriteria(table, useDates, resourceID, start, end);
}

void TVpFlexDataStore::SetConnected(bool value) {
  if (value == Connected()) return;
  const std::tuple<TDataTable*, const char*, TVpTableKind> tables[] = {{ResourceTable(), "Resources", tkResources},
                                                                       {EventsTable(), "Events", tkEvents},
                                                                       {ContactsTable(), "Contacts", tkContacts},
                                                                       {TasksTable(), "Tasks", tkTasks}};
  if (value) {
    std::vector<TDataTable*> opened;
    for (const auto& [table, name, kind] : tables) {
      if (table == nullptr) continue;
      // A file holding another table's layout (a tasks table copied over the events) is refused.
      table->SetRequiredFields(RequiredFieldsOf(kind));
      try {
        try {
          table->Open();
        } catch (const std::exception&) {
          if (!OnCreateTable) throw;
          OnCreateTable(*this, name);
          table->Open();
        }
      } catch (const std::exception& e) {
        // The tables opened so far are closed unchanged (nothing is written), and the store
        // stays unconnected.
        for (TDataTable* done : opened) done->Close();
        SetConnectionProblem("The data file \"" + table->FileName() + "\" could not be opened (" + e.what() + ").");
        RaiseTableOpenError(name);
      }
      opened.push_back(table);
    }
    LoadResources();
    SetConnectionProblem({});
  } else {
    for (const auto& [table, name, kind] : tables)
      if (table != nullptr) table->Close();
  }
  TVpCustomDBDataStore::SetConnected(value);
}

void RaiseTableOpenError(const std::string& tableName) {
  try {
    throw;
  } catch (const EDataTableError& e) {
    const std::string reason = e.what();
    if (reason.rfind(tableName + ": ", 0) != 0) std::throw_with_nested(EVpTableOpenError(tableName));
    try {
      throw EDataTableError(reason.substr(tableName.size() + 2));
    } catch (const EDataTableError&) {
      std::throw_with_nested(EVpTableOpenError(tableName));
    }
  } catch (...) {
    std::throw_with_nested(EVpTableOpenError(tableName));
  }
}

void SetProgramFieldMappings(TVpFlexDataStore& store) {
  auto mapping = [](TVpTableKind kind, const auto& recordFields, std::initializer_list<const char*> keys) {
    TVpFieldMappings result;
    for (const char* key : keys) result.push_back({key, CanonicalTableField(kind, key)});
    for (const auto& field : recordFields) result.push_back({field.Key, CanonicalTableField(kind, field.Key)});
    return result;
  };
  store.ResourceFieldMappings = mapping(tkResources, ResourceRecordFields(), {"ResourceID", "ImageIndex"});
  store.EventFieldMappings = mapping(tkEvents, EventRecordFields(), {"RecordID", "ResourceID"});
  store.ContactFieldMappings = mapping(tkContacts, ContactRecordFields(), {"RecordID", "ResourceID"});
  store.TaskFieldMappings = mapping(tkTasks, TaskRecordFields(), {"RecordID", "ResourceID"});
}
