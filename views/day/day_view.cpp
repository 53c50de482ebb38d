#include "views/day/day_view.h"

#include "model/zone_clock.h"

#include <algorithm>

#include "model/day_number.h"
#include "platform/assign_if_changed.h"
#include "platform/scoped_value.h"
#include "store/control_link.h"
#include "store/data_store.h"
#include "views/day/day_view_metrics.h"
#include "views/day/time_slots.h"
#include "views/store_days.h"

namespace {

constexpr int kInitialWidth = 265;
constexpr int kInitialHeight = 225;

}  // namespace

TVpDayView::TVpDayView(const TClock& clock, const TLocale& locale, const void* owner)
    : TVpLinkableControl(owner),
      Clock_(clock),
      Locale_(locale),
      Font_([this] { Invalidate(); }),
      HeadAttributes_([this] { Invalidate(); }),
      RowHeadAttributes_([this] { Invalidate(); }),
      IconAttributes_([this] { Invalidate(); }),
      Date_(clock.Now()) {
  TimeSlotColors_.OnRepaint = [this] { Invalidate(); };
  TVpLinkableControl::Resize(kInitialWidth, kInitialHeight);
  RebuildTables();
  ScrollToHour(DefaultTopHour_);
}

void TVpDayView::RebuildTables() {
  const size_t columns = static_cast<size_t>(NumDays_);
  Screen_.Lines.assign(columns, BuildLineArray(Granularity_));
  Screen_.Columns.assign(columns, TVpColRec{});
  Screen_.Events.clear();
}

void TVpDayView::SetGranularity(TVpGranularity value) {
  if (value == Granularity_ || value < gr05Min || value > gr60Min) return;
  const TVpGranularity old = Granularity_;
  Granularity_ = value;
  RebuildTables();
  if (ActiveRow_ >= 0) ActiveRow_ = ConvertLine(ActiveRow_, old, value);
  // The top row stays at the hour last scrolled to, or else at the time it showed.
  TopLine_ = TopHour_ ? SlotsBeforeHour(*TopHour_, value) : ConvertLine(TopLine_, old, value);
  Screen_.VisibleLines = std::min(Screen_.VisibleLines, LineCount());
  TopLine_ = std::clamp(TopLine_, 0, LastTopLine());
  Invalidate();
}

void TVpDayView::SetGutterWidth(int value) {
  if (value < 0 || value >= Width() / 10) return;
  Store(GutterWidth_, value);
}

void TVpDayView::SetSecondZone(std::string value) {
  if (!value.empty() && !IsKnownZone(value)) value.clear();
  Store(SecondZone_, std::move(value));
}

void TVpDayView::SetNumDays(int value) {
  if (value < 1 || value > kMaxNumDays || !AssignIfChanged(NumDays_, value)) return;
  RebuildTables();
  ActiveCol_ = 0;
  LoadShownDays();
  Invalidate();
}

void TVpDayView::SetIncludeWeekends(bool value) {
  if (!AssignIfChanged(IncludeWeekends_, value)) return;
  LoadShownDays();
  Invalidate();
}

// --- date, store and control link ---

void TVpDayView::SetDate(double value) {
  if (ToMs(value) == ToMs(Date_)) return;
  Date_ = value;
  if (Loaded_ && DataStore() != nullptr) {
    DataStore()->SetDisplayDate(Date_);
    StoreDateSeen_ = DataStore()->DisplayDate();
    LoadShownDays();
  }
  if (!HandlingNotification_ && ControlLink() != nullptr) ControlLink()->NotifyLinked(this, nkDateChanged, Date_);
  Invalidate();
}

void TVpDayView::SetDataStore(TVpCustomDataStore* store) {
  TVpLinkableControl::SetDataStore(store);
  StoreDateSeen_.reset();
  if (store != nullptr) StoreDateSeen_ = store->DisplayDate();
}

void TVpDayView::Loaded() {
  ScrollToHour(DefaultTopHour_);
  Loaded_ = true;
  if (TVpCustomDataStore* store = DataStore()) {
    store->SetDisplayDate(Date_);
    StoreDateSeen_ = store->DisplayDate();
    LoadShownDays();
  }
}

void TVpDayView::FollowStoreDate() {
  const TVpCustomDataStore* store = DataStore();
  if (store == nullptr) return;
  const double storeDate = store->DisplayDate();
  if (StoreDateSeen_ && ToMs(*StoreDateSeen_) == ToMs(storeDate)) return;
  StoreDateSeen_ = storeDate;
  if (DayNumberOf(storeDate) == DayNumberOf(Date_)) return;
  Date_ = storeDate;
  LoadShownDays();
}

void TVpDayView::LoadShownDays() {
  TVpCustomDataStore* store = DataStore();
  if (!Loaded_ || store == nullptr) return;
  const std::vector<double> days = ColumnDays(Date_, NumDays_, IncludeWeekends_);
  LoadStoreDays(*store, days.front(), days.back());
}

void TVpDayView::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double value) {
  if (kind == nkDateChanged) {
    const TScopedValue handling(HandlingNotification_, true);
    SetDate(value);
    return;
  }
  if (kind == nkRepaint || kind == nkRepaintAll) Invalidate();
}
