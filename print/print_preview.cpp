#include "print/print_preview.h"

#include <algorithm>
#include <limits>

#include "model/date_format.h"
#include "model/day_number.h"
#include "print/page_geometry.h"

TPoint ZoomedPageSize(TVpPPZoomFactor zoom, TPoint client, TPoint page) {
  switch (zoom) {
    case zfFitToControl: return {client.X - 4, client.Y - 4};
    case zfActualSize: return page;
    case zf25Percent: return {page.X / 4, page.Y / 4};
    case zf33Percent: return {page.X / 3, page.Y / 3};
    case zf50Percent: return {page.X / 2, page.Y / 2};
    case zf67Percent: return {RoundHalfEven(page.X * 0.67), RoundHalfEven(page.Y * 0.67)};
    case zf75Percent: return {RoundHalfEven(page.X * 0.75), RoundHalfEven(page.Y * 0.75)};
  }
  return page;
}

TVpPreviewScrollBars LayOutScrollBars(const TVpPreviewScrollBars& current, TPoint area, int thickness, TPoint zoomed) {
  TVpPreviewScrollBars bars;
  bars.Horizontal = current.Horizontal;
  bars.Vertical = current.Vertical;
  auto client = [&] {
    return TPoint{area.X - (bars.Vertical ? thickness : 0), area.Y - (bars.Horizontal ? thickness : 0)};
  };
  // A bar that is needed but missing is added first; the client area shrinks by it.
  const TPoint before = client();
  if (zoomed.X > before.X) bars.Horizontal = true;
  if (zoomed.Y > before.Y) bars.Vertical = true;
  const TPoint after = client();
  bars.Horizontal = zoomed.X > after.X;
  if (bars.Horizontal) bars.HorzMax = zoomed.X, bars.HorzPage = after.X;
  bars.Vertical = zoomed.Y > after.Y;
  if (bars.Vertical) bars.VertMax = zoomed.Y, bars.VertPage = after.Y;
  return bars;
}

namespace {

TVpPreviewPlacement PlaceAtTheLeft(TVpPPZoomFactor zoom, TPoint client, TPoint page, TPoint scroll,
                                   std::optional<TPoint> device) {
  const int cw = client.X, ch = client.Y;
  switch (zoom) {
    case zfFitToControl: {
      int r = cw, b = ch;
      if (device) {
        const double a = cw == 6 ? 1 : device->X / static_cast<double>(cw - 6);
        const double bb = ch == 6 ? 1 : device->Y / static_cast<double>(ch - 6);
        if (a <= bb) r = RoundHalfEven(device->X / bb), b = ch - 3;
        else r = cw - 3, b = RoundHalfEven(device->Y / a);
      }
      return {{3, 3, r, b}, {0, 0, page.X, page.Y}, {r, b}, {}};
    }
    case zfActualSize: return {{3, 3, cw, ch}, {scroll.X, scroll.Y, scroll.X + cw - 3, scroll.Y + ch - 3}, page, {}};
    case zf25Percent:
    case zf33Percent:
    case zf50Percent: {
      const int n = zoom == zf25Percent ? 4 : zoom == zf33Percent ? 3 : 2;
      const int r = std::min(page.X / n, cw - 3), b = std::min(page.Y / n, ch - 3);
      return {{3, 3, r, b},
              {scroll.X * n, scroll.Y * n, (r + scroll.X) * n, (b + scroll.Y) * n},
              {page.X / n, page.Y / n},
              {}};
    }
    case zf67Percent:
    case zf75Percent: {
      const double f = zoom == zf67Percent ? 0.67 : 0.75, g = zoom == zf67Percent ? 1.5 : 1.33333;
      const TPoint zoomed{RoundHalfEven(page.X * f), RoundHalfEven(page.Y * f)};
      const int r = std::min(zoomed.X, cw - 3), b = std::min(zoomed.Y, ch - 3);
      auto at = [g](int value) { return RoundHalfEven(value * g); };
      return {{3, 3, r, b}, {at(scroll.X), at(scroll.Y), at(r + scroll.X), at(b + scroll.Y)}, zoomed, {}};
    }
  }
  return {};
}

}  // namespace

TVpPreviewPlacement PlacePreviewPage(TVpPPZoomFactor zoom, TPoint client, TPoint page, TPoint scroll,
                                     std::optional<TPoint> device) {
  TVpPreviewPlacement placed = PlaceAtTheLeft(zoom, client, page, scroll, device);
  // The page and its frame span 2 to Frame; what is left beside them is shared on both sides.
  placed.Offset = {std::max(0, (client.X - placed.Frame.X - 2) / 2), std::max(0, (client.Y - placed.Frame.Y - 2) / 2)};
  placed.Dest = {placed.Dest.Left + placed.Offset.X, placed.Dest.Top + placed.Offset.Y,
                 placed.Dest.Right + placed.Offset.X, placed.Dest.Bottom + placed.Offset.Y};
  return placed;
}

std::vector<std::pair<TPoint, TPoint>> PreviewFrameLines(TPoint client, TPoint frame, TPoint offset) {
  const int a = std::min(frame.X, client.X - 2), d = std::min(frame.Y, client.Y - 2);
  std::vector<std::pair<TPoint, TPoint>> lines{{{2, 2}, {2, d}}, {{2, 2}, {a, 2}}};
  if (frame.X < client.X - 2) lines.push_back({{frame.X, 2}, {frame.X, d + 1}});
  if (frame.Y < client.Y - 2) lines.push_back({{2, frame.Y}, {a + 1, frame.Y}});
  for (auto& [from, to] : lines) {
    from = {from.X + offset.X, from.Y + offset.Y};
    to = {to.X + offset.X, to.Y + offset.Y};
  }
  return lines;
}

TPoint PreviewBitmapSize(const TRect& devicePage, int dpiX, int dpiY) {
  const TVpResolution device = UsableResolution(dpiX, dpiY);
  return {RoundHalfEven(static_cast<double>(devicePage.Width()) * kScreenPixelsPerInch / device.X),
          RoundHalfEven(static_cast<double>(devicePage.Height()) * kScreenPixelsPerInch / device.Y)};
}

TVpFormatList FormatListOf(const TVpPrinter& printer) {
  TVpFormatList list;
  // Formats always have names (a nameless one reads as "Unknown"), so every entry names one.
  for (const TVpPrintFormatItem& format : printer.PrintFormats())
    if (format.Visible) list.Entries.push_back(format.FormatName());
  std::sort(list.Entries.begin(), list.Entries.end());
  const int active = printer.ActiveFormatIndex();
  if (active < 0 || active >= static_cast<int>(printer.PrintFormats().size())) return list;
  const auto found = std::find(list.Entries.begin(), list.Entries.end(), printer.PrintFormats()[active].FormatName());
  if (found != list.Entries.end()) list.Selected = static_cast<int>(found - list.Entries.begin());
  return list;
}

void PickFormat(TVpPrinter& printer, const std::string& entry) {
  const int index = printer.IndexOfFormatName(entry);
  if (index >= 0) printer.SetActiveFormatIndex(index);
}

void TVpPreviewRange::SetStart(double value) {
  Start = value;
  if (End < Start) End = Start;
}

void TVpPreviewRange::SetEnd(double value) {
  End = value;
  if (Start > End) End = Start;
}

std::string ManyPagesQuestion(const TVpPrinter& printer, const TVpPreviewRange& range, const TLocale& locale) {
  const int active = printer.ActiveFormatIndex();
  if (active < 0 || active >= static_cast<int>(printer.PrintFormats().size())) return {};
  const TVpPrintFormatItem& format = printer.PrintFormats()[static_cast<size_t>(active)];
  // Counted exactly far beyond any calendar's range, so the question tells the real number.
  const long long pages = DatePageCount(format, JobDatesFor(format, range.Start, range.End), 100'000'000);
  if (pages <= kPagesWithoutQuestion) return {};
  return "From " + FormatShortDate(range.Start, locale) + " to " + FormatShortDate(range.End, locale) +
         " the format \"" + format.FormatName() + "\" prints " + std::to_string(pages) +
         " pages.\n\nShow and print all of them?";
}

TVpPrintPreview::TVpPrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, TBitmapMaker makeBitmap, double now)
    : Printer_(printer),
      Renderer_(renderer),
      MakeBitmap_(std::move(makeBitmap)),
      StartDate_(now),
      EndDate_(now + 7),
      Menu_{{"Previous Page", pcPrevPage},
            {"Next Page", pcNextPage},
            {"First Page", pcFirstPage},
            {"Last Page", pcLastPage}} {
  Printer_.RegisterFormatWindow(*this);
}

TVpPrintPreview::~TVpPrintPreview() { Printer_.UnregisterFormatWindow(*this); }

void TVpPrintPreview::SetStartDate(double value) {
  if (value == StartDate_) return;
  StartDate_ = value;
  Restart();
}

void TVpPrintPreview::SetEndDate(double value) {
  if (value == EndDate_) return;
  EndDate_ = value;
  Restart();
}

void TVpPrintPreview::SetZoomFactor(TVpPPZoomFactor value) {
  if (value == Zoom_) return;
  Zoom_ = value;
  if (OnRepaint) OnRepaint();
}

void TVpPrintPreview::SetPrinterDevice(const TRect& page, int dpiX, int dpiY) {
  DevicePage_ = TPoint{page.Width(), page.Height()};
  BitmapSize_ = PreviewBitmapSize(page, dpiX, dpiY);
  Bitmap_.reset();
  Restart();
}

void TVpPrintPreview::SetClientSize(TPoint value) { Client_ = value; }

void TVpPrintPreview::SetCurPage(int value) {
  if (value < 0 || value == CurPage_) return;
  CurPage_ = value;
  Rendered_ = false;
  RenderCurrentPage();
  if (OnRepaint) OnRepaint();
  if (OnPageChange) OnPageChange(CurPage_);
}

bool TVpPrintPreview::IsLastPage() {
  if (Pages_.empty()) return true;
  LayOutPagesUpTo(CurPage_);
  return CurPage_ >= static_cast<int>(Pages_.size()) || Pages_[CurPage_].Last;
}

int TVpPrintPreview::PageCount() {
  if (!CanRender()) return 0;
  LayOutPagesUpTo(std::numeric_limits<int>::max());
  return static_cast<int>(Pages_.size());
}

void TVpPrintPreview::PrevPage() {
  if (CurPage_ > 0) SetCurPage(CurPage_ - 1);
}

void TVpPrintPreview::NextPage() {
  if (!IsLastPage()) SetCurPage(CurPage_ + 1);
}

void TVpPrintPreview::LastPage() {
  if (!CanRender()) return;
  LayOutPagesUpTo(std::numeric_limits<int>::max());
  SetCurPage(static_cast<int>(Pages_.size()) - 1);
}

void TVpPrintPreview::Run(TVpPageCommand command) {
  switch (command) {
    case pcPrevPage: PrevPage(); break;
    case pcNextPage: NextPage(); break;
    case pcFirstPage: FirstPage(); break;
    case pcLastPage: LastPage(); break;
  }
}

bool TVpPrintPreview::CanRender() const {
  const int active = Printer_.ActiveFormatIndex();
  return !Printer_.PrintFormats().empty() && active >= 0 && active < static_cast<int>(Printer_.PrintFormats().size());
}

TVpJobDates TVpPrintPreview::JobDates() const { return JobDatesFor(Printer_.ActiveFormat(), StartDate_, EndDate_); }

bool TVpPrintPreview::DrawPage(int k, bool record) {
  if (!Bitmap_) {
    const TPoint size = BitmapSize_.X > 0 && BitmapSize_.Y > 0 ? BitmapSize_ : Client_;
    Bitmap_ = MakeBitmap_(std::max(size.X, 1), std::max(size.Y, 1));
  }
  TCanvas& canvas = Bitmap_->Canvas();
  canvas.Brush = {PageColor_, bsSolid};
  canvas.FillRect({0, 0, Bitmap_->Width(), Bitmap_->Height()});
  const TVpPageStart from = Pages_[k].Start;
  TVpPageStart start = from;
  const bool last =
      Renderer_.DrawPreviewPage(canvas, {0, 0, Bitmap_->Width(), Bitmap_->Height()}, k + 1, start, JobDates());
  if (!record) return last;
  ListSteps_[{from.TaskRow, from.ContactRow}] = {start.TaskRow, start.ContactRow, Renderer_.LastPageElements()};
  if (ListNote_.empty()) ListNote_ = Renderer_.ListNote();
  RecordPage(k, start, last);
  return last;
}

void TVpPrintPreview::RecordPage(int k, const TVpPageStart& next, bool last) {
  Pages_[k].LaidOut = true;
  Pages_[k].Last = last;
  if (!last && k + 1 == static_cast<int>(Pages_.size())) Pages_.push_back({next});
}

void TVpPrintPreview::LayOutPagesUpTo(int n) {
  if (!CanRender()) return;
  const TVpJobDates dates = JobDates();
  if (Pages_.empty()) Pages_.push_back({{dates.First, 0, 0}});
  const TVpPrintFormatItem& format = Printer_.ActiveFormat();
  // Only the list's last record can still be open; laying it out appends the next unless it was
  // the job's last page.
  while (!(n < static_cast<int>(Pages_.size()) && Pages_[n].LaidOut) && !Pages_.back().LaidOut) {
    const int k = static_cast<int>(Pages_.size()) - 1;
    const TVpPageStart& from = Pages_[k].Start;
    const auto known = ListSteps_.find({from.TaskRow, from.ContactRow});
    if (known == ListSteps_.end()) {
      DrawPage(k, true);
      Rendered_ = false;  // the bitmap now holds that page
      continue;
    }
    const TListStep& step = known->second;
    const TVpPageStart next{NextPageDate(format, from.PageDate), step.TaskRow, step.ContactRow};
    RecordPage(
        k, next,
        TVpPageRenderer::JobComplete(step.Elements, next, dates.Last, ToMs(next.PageDate) >= ToMs(from.PageDate)));
  }
}

void TVpPrintPreview::RenderCurrentPage() {
  if (!CanRender()) return;
  LayOutPagesUpTo(CurPage_);
  if (CurPage_ < static_cast<int>(Pages_.size())) {
    DrawPage(CurPage_, false);
  } else if (Bitmap_) {
    // Beyond the job's last page: the format's page for the start date, without a page number.
    TCanvas& canvas = Bitmap_->Canvas();
    canvas.Brush = {PageColor_, bsSolid};
    canvas.FillRect({0, 0, Bitmap_->Width(), Bitmap_->Height()});
    Renderer_.DrawFormatPage(canvas, {0, 0, Bitmap_->Width(), Bitmap_->Height()}, StartDate_,
                             UsableResolution(canvas.PixelsPerInch(), canvas.PixelsPerInch()));
  }
  Rendered_ = true;
}

void TVpPrintPreview::EnsureRendered() {
  if (!Rendered_) RenderCurrentPage();
}

void TVpPrintPreview::ClearPages() {
  Pages_.clear();
  ListSteps_.clear();
  ListNote_.clear();
  Rendered_ = false;
  if (CurPage_ != 0) SetCurPage(0);
}

void TVpPrintPreview::Restart() {
  ClearPages();
  Rendered_ = false;
  RenderCurrentPage();
  if (OnRepaint) OnRepaint();
}

void TVpPrintPreview::HandleMessage(int message) {
  if (message == PrintFormatsChanged) Restart();
}

bool TVpPrintPreview::KeyDown(int key, TShiftState shift) {
  const bool ctrl = (shift & ssCtrl) != 0, shifted = (shift & ssShift) != 0;
  const int formats = static_cast<int>(Printer_.PrintFormats().size());
  switch (key) {
    case VK_PRIOR:
    case VK_LEFT: ctrl ? FirstPage() : PrevPage(); return true;
    case VK_NEXT:
    case VK_RIGHT: ctrl ? LastPage() : NextPage(); return true;
    case 'F':
      if (formats > 0 && ctrl) {
        Printer_.SetActiveFormatIndex(Printer_.ActiveFormatIndex() + 1 < formats ? Printer_.ActiveFormatIndex() + 1
                                                                                 : 0);
      } else if (formats > 0 && shifted) {
        Printer_.SetActiveFormatIndex(Printer_.ActiveFormatIndex() > 0 ? Printer_.ActiveFormatIndex() - 1
                                                                       : formats - 1);
      }
      return true;
    case 'Z':
      if (ctrl) SetZoomFactor(static_cast<TVpPPZoomFactor>((Zoom_ + 1) % kZoomFactorCount));
      else if (shifted) SetZoomFactor(static_cast<TVpPPZoomFactor>((Zoom_ + kZoomFactorCount - 1) % kZoomFactorCount));
      return true;
    case VK_F10:
      if (shifted && OnPopupMenu) OnPopupMenu({10, 10});
      return true;
    case VK_APPS:
      if (OnPopupMenu) OnPopupMenu({10, 10});
      return true;
    default: return false;
  }
}

const std::vector<TVpPageMenuItem>& TVpPrintPreview::PageMenuForRightClick() {
  const bool first = IsFirstPage(), last = IsLastPage();
  for (TVpPageMenuItem& item : Menu_) {
    const bool backward = item.Command == pcPrevPage || item.Command == pcFirstPage;
    item.Enabled = !(backward ? first : last);
  }
  return Menu_;
}
