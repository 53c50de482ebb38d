#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "store/record_handle.h"
#include "store/row_change.h"

// What became of a record after its dialog.
enum TVpEditOutcome {
  eoAccepted,   // changed and posted
  eoCancelled,  // left as it was (or gone meanwhile)
  eoRemoved,    // a new record whose dialog was cancelled: removed again
};

// One step of the history: the table rows changed together, named for the user ("Delete
// "Dentist"").
struct TVpChangeStep {
  std::string Name;
  std::vector<TVpRowChange> Rows;
};

// The one way a record of the store's active resource changes: added or edited with its dialog,
// deleted, moved or completed at once, or changed in bulk (an import, a sync). Each finds the record
// again by its RecordID after anything that may have reloaded the store, posts it under the folder's
// lock (the store's post), removes a cancelled new record (also one a reload stored meanwhile), and
// tells the views (the post does). What the posts change is kept, row by row, as a step of a
// bounded history that Undo and Redo walk through the same store.
class TVpChangePath {
 public:
  static constexpr size_t kMostSteps = 100;

  explicit TVpChangePath(TVpCustomDataStore& store) : Store_(store) {}
  TVpChangePath(const TVpChangePath&) = delete;
  TVpChangePath& operator=(const TVpChangePath&) = delete;

  // Lets the user edit the record in its dialog: dialog fills its window from the record and, on
  // OK, writes the window into it and returns true. The record is found again afterwards; one
  // removed meanwhile by another writer is not written.
  template <class TRecord>
  TVpEditOutcome Edit(TRecord& record, bool isNew, const std::function<bool(TRecord&)>& dialog);
  // Writes a new record made without a dialog (koret-cli, a quick add).
  template <class TRecord>
  void Add(TRecord& record);
  // Deletes the record (the caller asked the user first); false when it is gone already.
  template <class TRecord>
  bool Delete(TRecord& record);
  // Changes the record at once (a drag, a completion); verb names the step ("Move", "Complete").
  // False when the record is gone.
  template <class TRecord>
  bool Change(TRecord& record, const std::string& verb, const std::function<void(TRecord&)>& change);
  // Runs posts made elsewhere (a resource's dialog, a bulk change) as one step named so.
  void Recorded(const std::string& name, const std::function<void()>& change);
  // Keeps as a step the rows another store changed in the same files (an import run in a session
  // of its own); nothing when it changed none.
  void Keep(const std::string& name, std::vector<TVpRowChange> rows);

  bool CanUndo() const { return !Done_.empty(); }
  bool CanRedo() const { return !Undone_.empty(); }
  // The names of the steps Undo and Redo would take ("" for none).
  std::string UndoName() const { return Done_.empty() ? "" : Done_.back().Name; }
  std::string RedoName() const { return Undone_.empty() ? "" : Undone_.back().Name; }
  // Takes the last step back (or makes the last step taken back again) and returns its name. When
  // another writer changed one of its records since, raises EVpChangeRefused and changes nothing;
  // the step is then dropped, as it can no longer be taken.
  std::string Undo();
  std::string Redo();

 private:
  // Runs the posts, keeping the rows they change as a step named so.
  void Record(const std::string& name, const std::function<void()>& posts);
  // Marks the occurrences of the series that were changed on their own (events of their own) as
  // deleted with it, as far as they are loaded.
  void DeleteChangedOccurrences(const TVpEvent& series);
  // Posts the collection of the record's kind.
  template <class TRecord>
  void Post();
  template <class TRecord>
  static std::string NameOf(const TRecord& record);

  TVpCustomDataStore& Store_;
  std::deque<TVpChangeStep> Done_;
  std::vector<TVpChangeStep> Undone_;
  bool Recording_ = false;
};

template <class TRecord>
void TVpChangePath::Post() {
  if constexpr (std::is_same_v<TRecord, TVpEvent>) Store_.PostEvents();
  else if constexpr (std::is_same_v<TRecord, TVpContact>) Store_.PostContacts();
  else Store_.PostTasks();
}

template <class TRecord>
std::string TVpChangePath::NameOf(const TRecord& record) {
  if constexpr (std::is_same_v<TRecord, TVpContact>) return "\"" + record.FullName() + "\"";
  else return "\"" + record.Description() + "\"";
}

template <class TRecord>
TVpEditOutcome TVpChangePath::Edit(TRecord& record, bool isNew, const std::function<bool(TRecord&)>& dialog) {
  const TVpRecordHandle<TRecord> handle(Store_, record);
  const bool accepted = dialog(record);
  TRecord* edited = handle.Find();
  if (!Store_.Connected() || edited == nullptr) return eoCancelled;
  if (accepted) {
    edited->SetChanged(true);
    Record((isNew ? "Add " : "Edit ") + NameOf(*edited), [this] { Post<TRecord>(); });
    return eoAccepted;
  }
  if (!isNew) return eoCancelled;
  // Nothing of it is kept: when a post stored it meanwhile, the post removes its row again.
  edited->SetDeleted(true);
  edited->SetChanged(true);
  Post<TRecord>();
  return eoRemoved;
}

template <class TRecord>
void TVpChangePath::Add(TRecord& record) {
  record.SetChanged(true);
  Record("Add " + NameOf(record), [this] { Post<TRecord>(); });
}

template <class TRecord>
bool TVpChangePath::Delete(TRecord& record) {
  const TVpRecordHandle<TRecord> handle(Store_, record);
  TRecord* found = handle.Find();
  if (found == nullptr) return false;
  const std::string name = "Delete " + NameOf(*found);
  found->SetDeleted(true);
  found->SetChanged(true);
  if constexpr (std::is_same_v<TRecord, TVpEvent>) DeleteChangedOccurrences(*found);
  Record(name, [this] { Post<TRecord>(); });
  return true;
}

template <class TRecord>
bool TVpChangePath::Change(TRecord& record, const std::string& verb, const std::function<void(TRecord&)>& change) {
  const TVpRecordHandle<TRecord> handle(Store_, record);
  TRecord* found = handle.Find();
  if (found == nullptr) return false;
  change(*found);
  found->SetChanged(true);
  Record(verb + " " + NameOf(*found), [this] { Post<TRecord>(); });
  return true;
}
