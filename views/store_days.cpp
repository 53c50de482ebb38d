#include "views/store_days.h"

#include <algorithm>

#include "model/day_number.h"
#include "store/data_store.h"

void LoadStoreDays(TVpCustomDataStore& store, double first, double last) {
  if (!store.Connected()) return;
  const TVpTimeRange& window = store.LoadedRange();
  if (ToMs(first) >= ToMs(window.StartTime()) && ToMs(last + 1) <= ToMs(window.EndTime())) return;
  const auto date = DayNumberOf(store.DisplayDate());
  const auto needed = std::max(DayNumberOf(last) - date, date - DayNumberOf(first)) + 1;
  store.SetDayBuffer(std::max(store.DayBuffer(), static_cast<int>(needed)));
  store.ReloadEvents();
}
