#include "views/tasks/task_list.h"

#include <algorithm>

#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "store/data_store.h"
#include "views/drawing/canvas_error.h"

namespace {

constexpr int kInitialWidth = 169;
constexpr int kInitialHeight = 225;

}  // namespace

TVpTaskList::TVpTaskList(const TClock& clock, const TLocale& locale, const void* owner)
    : TVpLinkableControl(owner),
      Clock_(clock),
      Locale_(locale),
      DisplayOptions_([this] { Invalidate(); }, locale.ShortDateFormat()),
      Font_([this] { Invalidate(); }),
      HeadAttributes_([this] { Invalidate(); }) {
  HeadAttributes_.Font().Assign(Font_.Font());
  TVpLinkableControl::Resize(kInitialWidth, kInitialHeight);
}

TVpResource* TVpTaskList::ActiveResource() const {
  TVpCustomDataStore* store = DataStore();
  return store != nullptr ? store->ActiveResource() : nullptr;
}

TVpTask* TVpTaskList::ActiveTask() const {
  TVpResource* resource = ActiveResource();
  return resource != nullptr && ActiveTaskID_ != -1 ? resource->Tasks().FindByRecordID(ActiveTaskID_) : nullptr;
}

void TVpTaskList::SetActiveTask(TVpTask* task) { ActiveTaskID_ = task != nullptr ? task->RecordID() : -1; }

TVpTask* TVpTaskList::LiveTask(const TVpVisibleTask& row) const {
  TVpResource* resource = ActiveResource();
  return resource != nullptr ? resource->Tasks().FindByRecordID(row.RecordID) : nullptr;
}

void TVpTaskList::HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double) {
  if (kind == nkRepaint || kind == nkRepaintAll) Invalidate();
}

void TVpTaskList::RenderIntoRect(TCanvas* canvas, const TRect& rect, TVpRotationAngle angle, double, double,
                                 int startLine, int, TVpGranularity, bool displayOnly) {
  if (canvas == nullptr) throw EVpCanvasError("TCanvas not assigned");
  TVpTaskListLayout layout = TVpTaskListPass(*this, *canvas, rect, angle, startLine, displayOnly).Draw();
  SetNextPrintLine(layout.NextPrintLine);
  if (displayOnly) return;
  Screen_ = std::move(layout);
  if (ActiveResource() == nullptr) return;
  const int rowsDrawn = static_cast<int>(Screen_.Rows.size());
  // The bar's positions are the first lines the list can show: with every task in view it cannot
  // move.
  ScrollBar_ = {
      true, Screen_.HeaderBottom, Height(), 2, 0, std::max(0, GreatestFirstLine()), std::max(1, rowsDrawn), FirstLine_};
}

void TVpTaskList::Paint(TCanvas& canvas, const TRect& clientRect) {
  RenderIntoRect(&canvas, clientRect, ra0, 1.0, Clock_.Now(), FirstLine_, -1, gr30Min, false);
  // Fewer tasks than before (a delete, another resource) can leave the top row past the end: the
  // list then shows its last rows instead of an empty page.
  if (FirstLine_ > 0 && Screen_.Rows.empty()) {
    FirstLine_ = 0;  // a pass from the top tells how many rows a page holds
    RenderIntoRect(&canvas, clientRect, ra0, 1.0, Clock_.Now(), FirstLine_, -1, gr30Min, false);
    FirstLine_ = GreatestFirstLine();
    if (FirstLine_ > 0) RenderIntoRect(&canvas, clientRect, ra0, 1.0, Clock_.Now(), FirstLine_, -1, gr30Min, false);
  }
}
