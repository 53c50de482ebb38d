#include "store/change_path.h"

#include "store/series_changes.h"

void TVpChangePath::Record(const std::string& name, const std::function<void()>& posts) {
  // Posts inside a step being recorded belong to that step.
  if (Recording_) {
    posts();
    return;
  }
  std::vector<TVpRowChange> rows;
  Recording_ = true;
  Store_.SetRowChangeLog(&rows);
  try {
    posts();
  } catch (...) {
    Store_.SetRowChangeLog(nullptr);
    Recording_ = false;
    throw;
  }
  Store_.SetRowChangeLog(nullptr);
  Recording_ = false;
  Keep(name, std::move(rows));
}

void TVpChangePath::DeleteChangedOccurrences(const TVpEvent& series) {
  if (const TVpResource* resource = Store_.ActiveResource())
    for (TVpEvent* changed : ChangedOccurrencesOf(resource->Schedule(), series)) {
      changed->SetDeleted(true);
      changed->SetChanged(true);
    }
}

void TVpChangePath::Recorded(const std::string& name, const std::function<void()>& change) { Record(name, change); }

void TVpChangePath::Keep(const std::string& name, std::vector<TVpRowChange> rows) {
  if (rows.empty()) return;
  Done_.push_back({name, std::move(rows)});
  if (Done_.size() > kMostSteps) Done_.pop_front();
  Undone_.clear();
}

namespace {

// Moves the last step of one stack to the other once the store has its rows back; a step another
// writer's change refused is dropped, one that failed otherwise (a write) stays for another try.
template <class TFrom, class TTo>
std::string Walk(TVpCustomDataStore& store, TFrom& from, TTo& to, bool toBefore) {
  if (from.empty()) return "";
  TVpChangeStep step = std::move(from.back());
  from.pop_back();
  try {
    store.RestoreRows(step.Rows, toBefore);
  } catch (const EVpChangeRefused&) {
    throw;
  } catch (...) {
    from.push_back(std::move(step));
    throw;
  }
  to.push_back(std::move(step));
  return to.back().Name;
}

}  // namespace

std::string TVpChangePath::Undo() { return Walk(Store_, Done_, Undone_, true); }

std::string TVpChangePath::Redo() {
  std::string name = Walk(Store_, Undone_, Done_, false);
  if (Done_.size() > kMostSteps) Done_.pop_front();
  return name;
}
