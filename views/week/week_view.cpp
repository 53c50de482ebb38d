#include "views/week/week_view.h"

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "model/event.h"
#include "platform/scoped_value.h"
#include "store/control_link.h"
#include "store/data_store.h"
#include "store/record_handle.h"
#include "views/drawing/canvas_error.h"
#include "views/week/week_view_pass.h"

namespace {

constexpr int kInitialWidth = 300;
constexpr int kInitialHeight = 225;

}  // namespace

TVpWeekView::TVpWeekView(const TClock& clock, const TLocale& locale, const void* owner)
    : TVpLinkableControl(owner),
      Clock_(clock),
      Locale_(locale),
      Font_([this] { Invalidate(); }),
      EventFont_([this] { Invalidate(); }),
      HeadAttributes_([this] { Invalidate(); }),
      DayHeadAttributes_([this] { Invalidate(); }),
      AllDayEventAttributes_([this] { Invalidate(); }, Color_, LineColor_, Font_.Font()),
      Date_(clock.Now()),
      WeekStart_(WeekStartOf(Date_)) {
  EventFont_.Assign(Font_.Font());
  TVpLinkableControl::Resize(kInitialWidth, kInitialHeight);
}

double TVpWeekView::WeekStartOf(double date) const {
  double start = DateOf(WeekStartFor(date, WeekStartsOn_));
  if (start > date) start -= 7;
  return start;
}

void TVpWeekView::SetWeekStartsOn(TVpDayType value) {
  if (!AssignIfChanged(WeekStartsOn_, value)) return;
  WeekStart_ = WeekStartOf(Date_);
  Invalidate();
}

void TVpWeekView::SetDate(double value) {
  if (ToMs(value) == ToMs(Date_)) return;
  Date_ = value;
  if (Date_ < WeekStart_ || Date_ >= WeekStart_ + 7) WeekStart_ = WeekStartOf(Date_);
  if (Loaded_ && DataStore() != nullptr) DataStore()->SetDisplayDate(Date_);
  if (!HandlingNotification_ && ControlLink() != nullptr) ControlLink()->NotifyLinked(this, nkDateChanged, Date_);
  Invalidate();
}

void TVpWeekView::Loaded() {
  Loaded_ = true;
  if (TVpCustomDataStore* store = DataStore()) store->SetDisplayDate(Date_);
}

void TVpWeekView::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double value) {
  if (kind == nkDateChanged) {
    const TScopedValue handling(HandlingNotification_, true);
    SetDate(value);
    return;
  }
  if (kind == nkRepaint || kind == nkRepaintAll) Invalidate();
}

void TVpWeekView::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double, double renderDate,
                                 int, int, TVpGranularity, bool displayOnly) {
  if (canvas == nullptr) throw EVpCanvasError("TCanvas not assigned");
  const double weekStart = renderDate == 0 ? WeekStart_ : WeekStartOf(renderDate);
  TVpWeekViewLayout layout = TVpWeekViewPass(*this, *canvas, rect, angle, weekStart, displayOnly).Draw();
  if (!displayOnly) Screen_ = std::move(layout);
}

void TVpWeekView::Paint(TCanvas& canvas, const TRect& clientRect) {
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, WeekStart_, 0, 0, gr30Min, false);
}

TVpEvent* TVpWeekView::ActiveEvent() const { return FindRecordAgain(DataStore(), ActiveEvent_, ActiveEventID_); }

void TVpWeekView::SetActiveEvent(TVpEvent* event) {
  ActiveEvent_ = event;
  ActiveEventID_ = event != nullptr ? event->RecordID() : -1;
}
