#include "store/flex_data_store.h"

#include <exception>

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
  if (OnSetFilterCriteria)
    OnSetFilterCriteria(table, useDates, resourceID, start, end);
  else
    TVpCustomDBDataStore::SetFilterCriteria(table, useDates, resourceID, start, end);
}

void TVpFlexDataStore::SetConnected(bool value) {
  if (value == Connected()) return;
  const std::pair<TDataTable*, const char*> tables[] = {{ResourceTable(), "Resources"},
                                                        {EventsTable(), "Events"},
                                                        {ContactsTable(), "Contacts"},
                                                        {TasksTable(), "Tasks"}};
  if (value) {
    std::vector<TDataTable*> opened;
    for (const auto& [table, name] : tables) {
      if (table == nullptr) continue;
      try {
        try {
          table->Open();
        } catch (const std::exception&) {
          if (!OnCreateTable) throw;
          OnCreateTable(*this, name);
          table->Open();
        }
      } catch (const std::exception&) {
        // The tables opened so far are closed unchanged (nothing is written), and the store
        // stays unconnected.
        for (TDataTable* done : opened) done->Close();
        std::throw_with_nested(EVpTableOpenError(name));
      }
      opened.push_back(table);
    }
    LoadResources();
  } else {
    for (const auto& [table, name] : tables)
      if (table != nullptr) table->Close();
  }
  TVpCustomDBDataStore::SetConnected(value);
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
