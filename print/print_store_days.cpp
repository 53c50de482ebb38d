#include "print/print_store_days.h"

#include <utility>

#include "model/day_number.h"
#include "store/data_store.h"
#include "views/store_days.h"

namespace {

// Runs the change without telling the store's date-changed handler.
template <class F>
void Quietly(TVpCustomDataStore& store, F change) {
  auto handler = std::exchange(store.OnDateChanged, nullptr);
  try {
    change();
  } catch (...) {
    store.OnDateChanged = std::move(handler);
    throw;
  }
  store.OnDateChanged = std::move(handler);
}

}  // namespace

TVpPrintStoreDays::TVpPrintStoreDays(TVpCustomDataStore* store) : Store_(store) {
  if (Store_ == nullptr) return;
  DisplayDate_ = Store_->DisplayDate();
  DayBuffer_ = Store_->DayBuffer();
}

TVpPrintStoreDays::~TVpPrintStoreDays() {
  try {
    Restore();
  } catch (...) {  // a destructor cannot report; callers that want to see the error call Restore
  }
}

void TVpPrintStoreDays::Show(double first, double last) {
  if (Store_ == nullptr || !Store_->Connected()) return;
  const TVpTimeRange& window = Store_->LoadedRange();
  if (ToMs(first) >= ToMs(window.StartTime()) && ToMs(last + 1) <= ToMs(window.EndTime())) return;
  Moved_ = true;
  Quietly(*Store_, [&] {
    Store_->SetDisplayDate(DateOf(first + (last - first) / 2));
    LoadStoreDays(*Store_, first, last);
  });
}

void TVpPrintStoreDays::Restore() {
  if (!std::exchange(Moved_, false)) return;
  Quietly(*Store_, [&] {
    Store_->SetDayBuffer(DayBuffer_);
    Store_->SetDisplayDate(DisplayDate_);
    Store_->ReloadEvents();
  });
}
