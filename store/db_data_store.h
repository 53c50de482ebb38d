#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/data_store.h"
#include "store/data_table.h"
#include "store/record_fields.h"

// The data store whose records live in four tables (Resources, Events, Contacts, Tasks). It
// reads records from rows and writes changed, new and deleted records back. Every record field
// is read and written through the table field its store key maps to (TableFieldFor).
class TVpCustomDBDataStore : public TVpCustomDataStore {
 public:
  using TVpCustomDataStore::TVpCustomDataStore;

  // The table of each kind, or none.
  virtual TDataTable* ResourceTable() const = 0;
  virtual TDataTable* EventsTable() const = 0;
  virtual TDataTable* ContactsTable() const = 0;
  virtual TDataTable* TasksTable() const = 0;

  // Restricts the table to one resource's rows; with dates, an events table further to the
  // events starting in the window from start up to end, and the repeating events whose repetition
  // reaches the window. The filter stays on until it is set again.
  virtual void SetFilterCriteria(TDataTable& table, bool useDates, int resourceID, double start, double end);
  // The ranges of the events table's date fields that hold every event the window from start to
  // end loads (by the table fields the store keys map to), for reading only those rows.
  std::vector<TDataTable::TNamedRange> EventWindowRanges(double start, double end) const;

  void LoadResources() override;
  void LoadEvents() override;
  void LoadContacts() override;
  void LoadTasks() override;
  void ReloadEvents() override;
  void ReloadContacts() override;
  void ReloadTasks() override;
  void ReloadResource() override;
  void RemoveResource(TVpResource* resource) override;
  void RemoveAllEvents(TVpResource* resource) override;
  void RemoveAllContacts(TVpResource* resource) override;
  void RemoveAllTasks(TVpResource* resource) override;
  void SelectResourceByName(const std::string& description) override;
  void PostEvents() override;
  void PostContacts() override;
  void PostTasks() override;
  void PostResources() override;

  // Brings the store up to date with another writer: the tables whose files changed since they
  // were read are read again, and the records made from them are reloaded (the resources, and the
  // active resource's events, contacts and tasks), telling the views as a reload does. Records with
  // changes not yet posted are kept (their post merges them into the file). Returns whether
  // anything was reloaded. A file that cannot be read raises once per version of it.
  bool ReloadChangedTables();

  void RestoreRows(const std::vector<TVpRowChange>& changes, bool toBefore) override;

  // Every write on the tables (a post, a removal) runs inside it: the owner of the tables takes
  // the folder's write lock there and reads changed files again first, so that a post applies its
  // records on top of what other writers wrote. Without it a write just runs.
  std::function<void(const std::function<void()>& write)> OnWrite;

 protected:
  // The table fields a table of the kind cannot do without: its ID fields and, for events, the
  // start and end they are created from.
  std::vector<std::string> RequiredFieldsOf(TVpTableKind kind) const;

  // The table field that holds the record field with this store key; empty when the field is
  // neither read nor written. Here: the program's own tables (CanonicalTableField).
  virtual std::string TableFieldFor(TVpTableKind kind, const std::string& storeKey) const;

 private:
  // What the store knows of each kind of record held by a resource (events, contacts, tasks):
  // its table, its collection, its dirty flag, its counter and how a row makes a record. Every
  // load, reload, removal and post below is written once over it; see the definitions.
  template <class TCollection>
  struct TRecordKind;
  static const TRecordKind<TVpSchedule> kEventKind;
  static const TRecordKind<TVpContacts> kContactKind;
  static const TRecordKind<TVpTasks> kTaskKind;

  // The record's fields paired with the table fields that hold them, looked up once per operation.
  template <class TRecord>
  using TColumns = std::vector<std::pair<const TRecordField<TRecord>*, TField>>;
  template <class TRecord>
  TColumns<TRecord> ColumnsFor(TVpTableKind kind, TDataTable& table);
  template <class TRecord>
  static void ReadFields(const TColumns<TRecord>& columns, TRecord& record);
  template <class TRecord>
  static void WriteFields(TColumns<TRecord>& columns, const TRecord& record);
  // The table field for the key when the table has it; nullopt otherwise.
  std::optional<TField> FieldFor(TVpTableKind kind, TDataTable& table, const std::string& storeKey);

  template <class TCollection>
  void LoadRecords(const TRecordKind<TCollection>& kind);
  template <class TCollection>
  void ReloadRecords(const TRecordKind<TCollection>& kind);
  template <class TCollection>
  void RemoveAllRecords(const TRecordKind<TCollection>& kind, TVpResource* resource);
  template <class TCollection>
  void PostCollection(const TRecordKind<TCollection>& kind);
  // Reads every visible row into a record made by add (none: the row is left out).
  template <class TRecord, class TCollection, class TAdd>
  void ReadRows(TVpTableKind kind, TDataTable& table, TCollection& records, TAdd add);
  // Whether the Resources table holds the active resource's row; opens the table when needed.
  bool ActiveResourceHasRow();
  // Writes the pending (changed or deleted) records of one collection of the active resource in
  // one batch; see the definition.
  template <class TCollection>
  void PostRecords(TVpTableKind kind, TDataTable& table, TCollection& records, const char* idTable);
  // Edits the row the cursor is on (found) or appends one, lets fill set its fields and posts it;
  // a failure cancels the edit.
  template <class TFill>
  static void WriteRow(TDataTable& table, bool found, TFill fill);
  void LoadResourceRows(TDataTable& table);
  template <class F>
  void Writing(F&& write);
  // Whether any record of the active resource has changes not yet posted.
  bool HasPendingChanges() const;
  // The table of the kind, or none.
  TDataTable* TableOfKind(TVpTableKind kind) const;

  // Per table kind: the ReadCount of the table when its records were last loaded.
  std::uint64_t LoadedReads_[4] = {};
};
