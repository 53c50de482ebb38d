#include "views/month/month_view.h"

#include "model/day_number.h"
#include "platform/scoped_value.h"
#include "store/control_link.h"
#include "store/data_store.h"
#include "store/record_handle.h"
#include "views/month/month_view_pass.h"
#include "views/store_days.h"

TVpMonthView::TVpMonthView(const TClock& clock, const TLocale& locale, const void* owner)
    : TVpLinkableControl(owner),
      Clock_(clock),
      Locale_(locale),
      DayHeadAttributes_([this] { Invalidate(); }),
      Font_([this] { Invalidate(); }),
      DayNumberFont_([this] { Invalidate(); }),
      EventFont_([this] { Invalidate(); }),
      Date_(DateOf(clock.Now())) {
  DayNumberFont_.Assign(Font_.Font());
  EventFont_.Assign(Font_.Font());
  TVpLinkableControl::Resize(kInitialWidth, kInitialHeight);
}

void TVpMonthView::SetWeekStartsOn(TVpDayType value) {
  if (!AssignIfChanged(WeekStartsOn_, value)) return;
  if (Loaded_ && DataStore() != nullptr) LoadShownDays();
  Invalidate();
}

void TVpMonthView::SetDate(double value) {
  const double date = DateOf(value);
  if (date != Date_) {
    Date_ = date;
    if (Loaded_ && DataStore() != nullptr) {
      DataStore()->SetDisplayDate(Date_);
      StoreDateSeen_ = DataStore()->DisplayDate();
      LoadShownDays();
    }
    Invalidate();
    if (!HandlingNotification_ && ControlLink() != nullptr) ControlLink()->NotifyLinked(this, nkDateChanged, Date_);
  }
  if (OnDateChanged) OnDateChanged(*this, Date_);
}

void TVpMonthView::Loaded() {
  Loaded_ = true;
  if (TVpCustomDataStore* store = DataStore()) {
    store->SetDisplayDate(Date_);
    StoreDateSeen_ = store->DisplayDate();
    LoadShownDays();
  }
}

void TVpMonthView::LoadShownDays() {
  const double first = MonthGridStart(Date_, WeekStartsOn_);
  LoadStoreDays(*DataStore(), first, first + TVpMonthViewLayout::kDayCells - 1);
}

void TVpMonthView::SetDataStore(TVpCustomDataStore* store) {
  TVpLinkableControl::SetDataStore(store);
  StoreDateSeen_ = store != nullptr ? store->DisplayDate() : -1;
}

void TVpMonthView::FollowStoreDate() {
  const TVpCustomDataStore* store = DataStore();
  if (store == nullptr || ToMs(store->DisplayDate()) == ToMs(StoreDateSeen_)) return;
  StoreDateSeen_ = store->DisplayDate();
  // The store's date is taken up as it is: neither handed back nor passed on to the link.
  if (DateOf(StoreDateSeen_) == Date_) return;
  Date_ = DateOf(StoreDateSeen_);
  if (Loaded_) LoadShownDays();
  if (OnDateChanged) OnDateChanged(*this, Date_);
}

TVpEvent* TVpMonthView::ActiveEvent() const { return FindRecordAgain(DataStore(), ActiveEvent_, ActiveEventID_); }

void TVpMonthView::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double, double renderDate,
                                  int, int, TVpGranularity, bool displayOnly) {
  if (canvas == nullptr) return;
  TVpMonthViewPass pass(*this, *canvas, rect, angle, renderDate == 0 ? Date_ : renderDate, displayOnly);
  TVpMonthViewLayout layout = pass.Draw();
  if (!displayOnly) Screen_ = std::move(layout);
}

void TVpMonthView::Paint(TCanvas& canvas, const TRect& clientRect) {
  FollowStoreDate();
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, Date_, 0, 0, gr30Min, false);
}

void TVpMonthView::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double value) {
  if (kind == nkDateChanged) {
    const TScopedValue handling(HandlingNotification_, true);
    SetDate(value);
    return;
  }
  if (kind == nkRepaint || kind == nkRepaintAll) Invalidate();
}
