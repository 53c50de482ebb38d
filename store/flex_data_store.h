#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/db_data_store.h"

// One pair of a field mapping: the store's key for a record field and the table field holding it.
struct TVpFieldMapping {
  std::string StoreKey;
  std::string TableField;
};
using TVpFieldMappings = std::vector<TVpFieldMapping>;

// The TableField of the first pair whose StoreKey equals the key, letter case aside; empty when
// there is none.
std::string MapField(const TVpFieldMappings& mapping, const std::string& key);

// The tables the store works on.
struct TVpDataSources {
  TDataTable* ResourceDataSource = nullptr;
  TDataTable* EventsDataSource = nullptr;
  TDataTable* ContactsDataSource = nullptr;
  TDataTable* TasksDataSource = nullptr;
};

// The store the program uses: the table-backed store that asks its field mappings which table
// field holds each record field, so that it works with tables whose field names differ.
class TVpFlexDataStore : public TVpCustomDBDataStore {
 public:
  explicit TVpFlexDataStore(TVpStoreServices services, const void* owner = nullptr);

  TVpDataSources& DataSources() { return DataSources_; }
  TDataTable* ResourceTable() const override { return DataSources_.ResourceDataSource; }
  TDataTable* EventsTable() const override { return DataSources_.EventsDataSource; }
  TDataTable* ContactsTable() const override { return DataSources_.ContactsDataSource; }
  TDataTable* TasksTable() const override { return DataSources_.TasksDataSource; }

  TVpFieldMappings ResourceFieldMappings;
  TVpFieldMappings EventFieldMappings;
  TVpFieldMappings ContactFieldMappings;
  TVpFieldMappings TaskFieldMappings;

  // Connecting opens the four tables (in the order Resources, Events, Contacts, Tasks) and loads
  // the resources; a table that cannot be opened raises "Error: Unable to open " and its name,
  // closes the tables opened before it, and leaves the store unconnected. Disconnecting closes
  // the tables.
  void SetConnected(bool value) override;

  // The handler's answer, or -1 without a handler.
  int GetNextID(const std::string& tableName) override;
  void SetFilterCriteria(TDataTable& table, bool useDates, int resourceID, double start, double end) override;

  std::function<int(TVpFlexDataStore& sender, const std::string& tableName)> OnGetNextID;
  // Replaces the built-in filter when assigned.
  std::function<void(TDataTable& table, bool useDates, int resourceID, double start, double end)> OnSetFilterCriteria;
  // Asked to create a table that could not be opened; the opening is tried once more after it.
  std::function<void(TVpFlexDataStore& sender, const std::string& tableName)> OnCreateTable;

 protected:
  std::string TableFieldFor(TVpTableKind kind, const std::string& storeKey) const override;

 private:
  TVpDataSources DataSources_;
};

// A table that could not be opened; the reason is the nested exception.
class EVpTableOpenError : public EVpException {
 public:
  explicit EVpTableOpenError(const std::string& tableName) : EVpException("Error: Unable to open " + tableName) {}
};

// Raises EVpTableOpenError for the table with the exception being handled as its reason; a reason
// that begins with the table's name has it left out, as the message names the table already.
// Call it only from a catch block.
[[noreturn]] void RaiseTableOpenError(const std::string& tableName);

// The mappings of the program's own tables: every key maps to the table field of the same name
// except the few the tables name differently.
void SetProgramFieldMappings(TVpFlexDataStore& store);
