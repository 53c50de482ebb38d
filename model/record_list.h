#pragma once

#include <exception>
#include <memory>
#include <vector>

#include "model/selection_sort.h"
#include "model/vp_exception.h"

// The list part of a planner collection. The collection owns its records; every record's
// ListIndex is its position. While the update counter is above 0 sorting is put off; the last
// EndUpdate sorts once, which is how many records are added in one go.
template <class TRecord>
class TVpRecordList {
 public:
  TVpRecordList() = default;
  TVpRecordList(const TVpRecordList&) = delete;
  TVpRecordList& operator=(const TVpRecordList&) = delete;
  virtual ~TVpRecordList() { DestroyAll(); }

  int Count() const { return static_cast<int>(Items_.size()); }
  // The record at the position; raises EVpIndexError for a position outside the list.
  TRecord* Items(int index) const {
    if (index < 0 || index >= Count()) throw EVpIndexError(index);
    return Items_[static_cast<size_t>(index)].get();
  }

  // The first record with the RecordID, or nullptr: how a view or dialog that keeps a record's
  // ID across a reload finds the record again (or learns that it is gone).
  TRecord* FindByRecordID(int recordID) const {
    for (const auto& record : Items_)
      if (record->RecordID() == recordID) return record.get();
    return nullptr;
  }

  void BeginUpdate() { ++UpdateCount_; }
  void EndUpdate() {
    if (--UpdateCount_ > 0) return;
    UpdateCount_ = 0;
    UpdateEnded();
    Sort();
  }

  // Sorts by the collection's own order (skipped while updating).
  virtual void Sort() = 0;

  // Destroys every record, last first.
  void Clear() {
    BeginUpdate();
    DestroyAll();
    EndUpdate();
  }

 protected:
  bool Updating() const { return UpdateCount_ > 0; }
  // Called by the last EndUpdate, before the sort.
  virtual void UpdateEnded() {}

  // Takes the record into the list at its end.
  TRecord& Append(std::unique_ptr<TRecord> record) {
    record->ListIndex_ = Count();
    Items_.push_back(std::move(record));
    return *Items_.back();
  }

  // Takes a newly made record in at the end and sets it up while it is Loading; should making or
  // setting it up fail, nothing of it stays in the list and TError is raised instead.
  template <class TError, class TMake, class TSetUp>
  TRecord* AppendNew(TMake make, TSetUp setUp) {
    TRecord* record = nullptr;
    try {
      record = &Append(make());
      record->SetLoading(true);
      setUp(*record);
      record->SetLoading(false);
    } catch (const std::exception&) {
      if (record) Extract(*record);
      throw TError();
    }
    return record;
  }

  // Takes the record's slot out of the list and hands the record back, to be destroyed by the
  // caller; the records after it are renumbered. Nothing happens to a record of another list.
  std::unique_ptr<TRecord> Extract(const TRecord& record) {
    const int index = IndexOf(record);
    if (index < 0) return nullptr;
    std::unique_ptr<TRecord> taken = std::move(Items_[static_cast<size_t>(index)]);
    Items_.erase(Items_.begin() + index);
    Renumber(static_cast<size_t>(index));
    taken->ListIndex_ = -1;
    return taken;
  }

  template <class Less>
  void SortBy(Less less) {
    if (Updating()) return;
    SelectionSortOrder(
        Items_, [&](const std::unique_ptr<TRecord>& a, const std::unique_ptr<TRecord>& b) { return less(*a, *b); });
    Renumber(0);
  }

  const std::vector<std::unique_ptr<TRecord>>& Records() const { return Items_; }

 private:
  // The record's position: its ListIndex when that still points at it, else found by a search.
  int IndexOf(const TRecord& record) const {
    const int hint = record.ListIndex_;
    if (hint >= 0 && hint < Count() && Items_[static_cast<size_t>(hint)].get() == &record) return hint;
    for (int i = 0; i < Count(); ++i)
      if (Items_[static_cast<size_t>(i)].get() == &record) return i;
    return -1;
  }

  void Renumber(size_t from) {
    for (size_t i = from; i < Items_.size(); ++i) Items_[i]->ListIndex_ = static_cast<int>(i);
  }

  void DestroyAll() {
    while (!Items_.empty()) Items_.pop_back();
  }

  std::vector<std::unique_ptr<TRecord>> Items_;
  int UpdateCount_ = 0;
};
