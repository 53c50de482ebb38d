#include "print/page_renderer.h"

#include <algorithm>
#include <cstdint>

#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/scoped_value.h"
#include "print/print_store_days.h"
#include "store/control_link.h"
#include "store/data_store.h"
#include "views/calendar/calendar.h"
#include "views/contacts/contact_grid.h"
#include "views/day/day_view.h"
#include "views/day/time_slots.h"
#include "views/drawing/drawing_pass.h"
#include "views/drawing/ex_canvas.h"
#include "views/month/month_view.h"
#include "views/tasks/task_list.h"
#include "views/week/week_view.h"

namespace {

// Days around an element's date whose events its view may show: a month grid reaches back to
// the week before the month, a day view of many columns a month ahead.
constexpr double kDaysAroundDate = 42;

std::string Hour12(int hour) { return std::to_string(hour % 12 == 0 ? 12 : hour % 12); }

// A shape's pen width is in screen pixels, like the rest of a format, so that a line prints as
// thick as the preview shows it; 0 stays the thinnest line the target draws.
void DrawShape(TCanvas& canvas, const TVpPrintShape& shape, const TRect& r, TVpResolution resolution) {
  canvas.Pen = shape.Pen;
  if (shape.Pen.Width > 0)
    canvas.Pen.Width =
        std::max(1, RoundHalfEven(static_cast<double>(shape.Pen.Width) * resolution.X / kScreenPixelsPerInch));
  canvas.Brush = {shape.BrushColor, shape.BrushStyle == pbsClear ? bsClear : bsSolid};
  auto line = [&canvas](int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  switch (shape.Shape) {
    case ustRectangle: canvas.Rectangle(r); break;
    case ustTopLine: line(r.Left, r.Top, r.Right, r.Top); break;
    case ustBottomLine: line(r.Left, r.Bottom, r.Right, r.Bottom); break;
    case ustLeftLine: line(r.Left, r.Top, r.Left, r.Bottom); break;
    case ustRightLine: line(r.Right, r.Top, r.Right, r.Bottom); break;
    case ustTLToBRLine: line(r.Left, r.Top, r.Right, r.Bottom); break;
    case ustBLToTRLine: line(r.Left, r.Bottom, r.Right, r.Top); break;
    case ustEllipse: canvas.Ellipse(r); break;
  }
}

bool IsDateKind(TVpItemType kind) {
  return kind == itDayView || kind == itWeekView || kind == itMonthView || kind == itCalendar;
}

}  // namespace

TVpJobDates JobDatesFor(const TVpPrintFormatItem& format, double startDate, double endDate) {
  const bool forward = ToMs(NextPageDate(format, startDate)) >= ToMs(startDate);
  const bool startFirst = (ToMs(startDate) <= ToMs(endDate)) == forward;
  const double first = startFirst ? startDate : endDate;
  return {format.StartsOnMonday ? MondayOfWeek(first) : first, startFirst ? endDate : startDate, forward};
}

long long DatePageCount(const TVpPrintFormatItem& format, const TVpJobDates& dates, long long limit) {
  const bool steps = std::any_of(format.Elements.begin(), format.Elements.end(),
                                 [](const auto& element) { return element.Visible && IsDateKind(element.ItemType); });
  if (!steps) return 1;
  const std::int64_t first = ToMs(dates.First), last = ToMs(dates.Last);
  if (dates.Forward ? first > last : first < last) return 1;  // the first page is printed still
  // Days and weeks are a fixed number of milliseconds; months and years are counted page by page,
  // at most limit + 1 of them.
  if (format.DayInc == 0 || format.DayIncUnits == duDay || format.DayIncUnits == duWeek) {
    const std::int64_t step = ToMs(NextPageDate(format, dates.First)) - first;
    if (step == 0) return limit + 1;
    return std::min<long long>((last - first) / step + 1, limit + 1);
  }
  long long count = 1;
  for (double date = NextPageDate(format, dates.First); count <= limit; date = NextPageDate(format, date)) {
    if (dates.Forward ? ToMs(date) > last : ToMs(date) < last) break;
    ++count;
  }
  return count;
}

TVpPageRenderer::TVpPageRenderer(TVpPrinter& printer, TVpControlLink& link, const TClock& clock, const TLocale& locale)
    : Printer_(printer), Link_(link), Clock_(clock), Locale_(locale) {}

TVpPageRenderer::~TVpPageRenderer() = default;

void TVpPageRenderer::SetStandardVariables(double pageDate) {
  TVpCaptionVariables& variables = Printer_.CaptionVariables();
  SetDateVariables(variables, pageDate, Locale_);
  const int start = Printer_.DayStart();
  const int stop = Printer_.DayEnd();
  variables.Set("StartHour12", Hour12(start));
  variables.Set("StartHour24", std::to_string(start));
  variables.Set("StartHourAMPM", start < 12 ? "AM" : "PM");
  variables.Set("StopHour12", Hour12(stop));
  variables.Set("StopHour24", std::to_string(stop));
  variables.Set("StopHourAMPM", stop < 12 ? "AM" : "PM");
  variables.Set("Granularity", std::to_string(GranularityMinutes(Printer_.Granularity())));
  if (const TVpCustomDataStore* store = Link_.DataStore()) {
    variables.Set("ResourceID", std::to_string(store->ResourceID()));
    if (const TVpResource* resource = store->ActiveResource()) {
      variables.Set("Resource", resource->Description());
      variables.Set("ResourceNotes", resource->Notes());
    }
  }
}

void TVpPageRenderer::DrawFormatPage(TCanvas& canvas, const TRect& area, double pageDate, TVpResolution resolution) {
  const TVpPrintFormatItem& format = Printer_.ActiveFormat();
  if (!InJob_) TaskRow_ = ContactRow_ = 0;
  SetStandardVariables(pageDate);
  for (const TVpPrintFormatElementItem& element : format.Elements)
    if (element.Visible) DrawElement(canvas, element, area, pageDate, resolution);
}

void TVpPageRenderer::DrawElement(TCanvas& canvas, const TVpPrintFormatElementItem& element, const TRect& area,
                                  double pageDate, TVpResolution resolution) {
  const TRect rect = ElementRect(element, area, resolution);
  const double date = ElementDate(element, pageDate);
  switch (element.ItemType) {
    case itCaption: {
      SetDateVariables(Printer_.CaptionVariables(), date, Locale_);
      const std::string text = ExpandCaption(element.Caption.Caption, Printer_.CaptionVariables(), OnGetVariable);
      // A caption too long for the page ends at the page's margin instead of running off it.
      const TVpCanvasStateScope keepClip(canvas);
      canvas.SetClipRect(area);
      canvas.Font = CanvasFontOf(element.Caption.Font);
      TVpExCanvas(&canvas, element.Rotation, area).TextOutDevice(rect.Left, rect.Top, text);
      break;
    }
    case itShape: DrawShape(canvas, element.Shape, rect, resolution); break;
    default: DrawView(canvas, element, rect, date, resolution);
  }
}

void TVpPageRenderer::DrawView(TCanvas& canvas, const TVpPrintFormatElementItem& element, const TRect& rect,
                               double date, TVpResolution resolution) {
  const TVpItemType kind = element.ItemType;
  TVpLinkableControl& view = ViewOfKind(kind);
  if (IsDateKind(kind) && StoreDays_ != nullptr)
    StoreDays_->Show(DateOf(date) - kDaysAroundDate, DateOf(date) + kDaysAroundDate);
  const int slots = SlotsPerHour(Printer_.Granularity());
  int* row = kind == itTasks ? &TaskRow_ : kind == itContacts ? &ContactRow_ : nullptr;
  const int startLine = row != nullptr ? *row : Printer_.DayStart() * slots;
  const double scale = static_cast<double>(resolution.Y) / kScreenPixelsPerInch;
  const int stopLine = Printer_.DayEnd() * slots;
  auto* dayView = kind == itDayView && element.DayColumns > 0 ? dynamic_cast<TVpDayView*>(&view) : nullptr;
  if (dayView != nullptr)
    dayView->PrintDaysIntoRect(&canvas, rect, element.Rotation, scale, date, startLine, stopLine,
                               Printer_.Granularity(), element.DayColumns);
  else
    view.RenderIntoRect(&canvas, rect, element.Rotation, scale, date, startLine, stopLine, Printer_.Granularity(),
                        true);
  if (row == nullptr) {
    Page_.Dates = true;
    return;
  }
  (kind == itTasks ? Page_.Tasks : Page_.Contacts) = true;
  *row = view.NextPrintLine();
  if (*row >= 0 && *row <= startLine) {
    // Not even the first remaining row fits: the list would never end, so it ends here (a contact
    // grid's end is -2, which draws no more cards).
    *row = kind == itTasks ? -1 : -2;
    ListNote_ = std::string(kind == itTasks ? "The task list" : "The contact list") +
                " element is too small to hold one row; the rest of the list is not printed.";
  }
}

TVpLinkableControl& TVpPageRenderer::ViewOfKind(TVpItemType kind) {
  for (TVpLinkListener* listener : Link_.Controls()) {
    auto* view = dynamic_cast<TVpLinkableControl*>(listener);
    if (view != nullptr && view->GetItemType() == kind) return *view;
  }
  std::unique_ptr<TVpLinkableControl>& hidden = HiddenViews_[kind];
  if (!hidden) hidden = MakeHiddenView(kind);
  if (hidden->DataStore() != Link_.DataStore()) hidden->SetDataStore(Link_.DataStore());
  return *hidden;
}

std::unique_ptr<TVpLinkableControl> TVpPageRenderer::MakeHiddenView(TVpItemType kind) const {
  switch (kind) {
    case itWeekView: return std::make_unique<TVpWeekView>(Clock_, Locale_, this);
    case itMonthView: return std::make_unique<TVpMonthView>(Clock_, Locale_, this);
    case itCalendar: return std::make_unique<TVpCalendar>(Clock_, Locale_, this);
    case itTasks: return std::make_unique<TVpTaskList>(Clock_, Locale_, this);
    case itContacts: return std::make_unique<TVpContactGrid>(this);
    default: return std::make_unique<TVpDayView>(Clock_, Locale_, this);
  }
}

bool TVpPageRenderer::JobComplete(const TVpPageElements& page, const TVpPageStart& next, double lastDate,
                                  bool forward) {
  const bool datesDone = forward ? ToMs(next.PageDate) > ToMs(lastDate) : ToMs(next.PageDate) < ToMs(lastDate);
  return (!page.Dates || datesDone) && (!page.Tasks || next.TaskRow < 0) && (!page.Contacts || next.ContactRow < 0);
}

void TVpPageRenderer::PrintFormat(TVpPrintTarget& target, const std::string& formatName, double startDate,
                                  double endDate) {
  Printer_.SetActiveFormatIndex(Printer_.IndexOfFormatName(formatName));
  target.BeginDocument();
  try {
    PrintFormatRange(target, startDate, endDate);
  } catch (...) {
    target.EndDocument();
    throw;
  }
  target.EndDocument();
}

void TVpPageRenderer::PrintFormatRange(TVpPrintTarget& target, double startDate, double endDate) {
  const TVpPrintFormatItem& format = Printer_.ActiveFormat();
  const TScopedValue inJob(InJob_, true);
  TVpPrintStoreDays storeDays(Link_.DataStore());
  const TScopedValue storeDaysOfJob(StoreDays_, &storeDays);
  TaskRow_ = ContactRow_ = 0;
  ListNote_.clear();
  SetStandardVariables(startDate);
  const TVpResolution resolution = UsableResolution(target.DotsPerInchX(), target.DotsPerInchY());
  const TRect area = PageArea(target.PageRect(), Printer_.Margins(), resolution);
  const TVpJobDates dates = JobDatesFor(format, startDate, endDate);
  double pageDate = dates.First;
  for (int page = 1;; ++page) {
    Page_ = {};
    SetDateVariables(Printer_.CaptionVariables(), pageDate, Locale_);
    Printer_.CaptionVariables().Set("Page", std::to_string(page));
    if (OnPageStart) OnPageStart(page, pageDate);
    DrawFormatPage(target.Canvas(), area, pageDate, resolution);
    const double next = NextPageDate(format, pageDate);
    const bool complete = JobComplete(Page_, {next, TaskRow_, ContactRow_}, dates.Last, dates.Forward);
    if (OnPageEnd) OnPageEnd(page, next, complete);
    if (complete) break;
    target.NewPage();
    pageDate = next;
  }
  storeDays.Restore();
}

bool TVpPageRenderer::DrawPreviewPage(TCanvas& canvas, const TRect& rect, int pageNumber, TVpPageStart& start,
                                      const TVpJobDates& dates) {
  const TVpPrintFormatItem& format = Printer_.ActiveFormat();
  const TScopedValue inJob(InJob_, true);
  const TScopedValue keepTaskRow(TaskRow_, start.TaskRow);
  const TScopedValue keepContactRow(ContactRow_, start.ContactRow);
  TVpPrintStoreDays storeDays(Link_.DataStore());
  const TScopedValue storeDaysOfPage(StoreDays_, &storeDays);
  if (pageNumber == 1) ListNote_.clear();
  Page_ = {};
  SetStandardVariables(start.PageDate);
  const TVpResolution resolution = UsableResolution(canvas.PixelsPerInch(), canvas.PixelsPerInch());
  Printer_.CaptionVariables().Set("Page", std::to_string(pageNumber));
  DrawFormatPage(canvas, PageArea(rect, Printer_.Margins(), resolution), start.PageDate, resolution);
  // A preview page's dates run the way its own step goes.
  const double pageDate = start.PageDate;
  start = {NextPageDate(format, pageDate), TaskRow_, ContactRow_};
  const bool last = JobComplete(Page_, start, dates.Last, ToMs(start.PageDate) >= ToMs(pageDate));
  storeDays.Restore();
  return last;
}
