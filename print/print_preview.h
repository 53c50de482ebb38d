#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/message_queue.h"
#include "print/page_renderer.h"
#include "print/print_target.h"

// How large the preview shows the page, in this order.
enum TVpPPZoomFactor { zfFitToControl, zfActualSize, zf25Percent, zf33Percent, zf50Percent, zf67Percent, zf75Percent };
constexpr int kZoomFactorCount = 7;

// The size of the page at the zoom, for a client area and a page bitmap.
TPoint ZoomedPageSize(TVpPPZoomFactor zoom, TPoint client, TPoint page);

// The preview's scroll bars: which the window carries and their range (0 to Max) and page size.
struct TVpPreviewScrollBars {
  bool Horizontal = false;
  bool Vertical = false;
  int HorzMax = 0;
  int HorzPage = 0;
  int VertMax = 0;
  int VertPage = 0;
};
// The bars for the zoomed page in an area that is `area` big without bars and loses
// `thickness` to each bar it carries, starting from the bars the window has now.
TVpPreviewScrollBars LayOutScrollBars(const TVpPreviewScrollBars& current, TPoint area, int thickness, TPoint zoomed);

// Where the page bitmap appears: the rectangle of the client area it is drawn into, the part of
// the bitmap drawn there (stretched when the sizes differ), the frame size, and how far page and
// frame are moved right and down so that a page smaller than the client area stands in its middle.
struct TVpPreviewPlacement {
  TRect Dest;
  TRect Source;
  TPoint Frame;
  TPoint Offset;
};
// `device` is the printer's page in dots, when a printer device is assigned.
TVpPreviewPlacement PlacePreviewPage(TVpPPZoomFactor zoom, TPoint client, TPoint page, TPoint scroll,
                                     std::optional<TPoint> device);
// The frame lines around the page, each from its first point to (excluding) its second, moved by
// the placement's offset.
std::vector<std::pair<TPoint, TPoint>> PreviewFrameLines(TPoint client, TPoint frame, TPoint offset = {0, 0});

// The page bitmap's size for a printer page in dots and its resolution; a resolution of 0 counts
// as the screen's.
TPoint PreviewBitmapSize(const TRect& devicePage, int dpiX, int dpiY);

// The format list: the visible formats' names, sorted, and the entry of the active format (-1 for
// none).
struct TVpFormatList {
  std::vector<std::string> Entries;
  int Selected = -1;
};
TVpFormatList FormatListOf(const TVpPrinter& printer);
// The user picked an entry: the format of that name becomes the active one; a name of no format
// changes nothing.
void PickFormat(TVpPrinter& printer, const std::string& entry);

// The date range of the preview window: the end never lies before the start.
struct TVpPreviewRange {
  double Start = 0;
  double End = 0;
  void SetStart(double value);
  void SetEnd(double value);
  friend bool operator==(const TVpPreviewRange&, const TVpPreviewRange&) = default;
};

// Ranges up to this many pages are previewed without a question: a year of one-day pages.
constexpr long long kPagesWithoutQuestion = 366;
// The question to put to the user before the active format is previewed over a range of more
// pages than that (a year typed as 202 is 1,800 years of pages), or "" when it needs none.
std::string ManyPagesQuestion(const TVpPrinter& printer, const TVpPreviewRange& range, const TLocale& locale);

// The desktop's printer as a print target. With `choose` the user picks it in the print dialog
// (none when cancelled); without, it is the current printer, for the preview's page size (none
// when no printer is known).
using TVpPrintTargetFactory = std::function<std::unique_ptr<TVpPrintTarget>(bool choose)>;

// What the user chose to print: the format's name and the two dates.
struct TReportDataRec {
  double StartDate = 0;
  double EndDate = 0;
  std::string FormatName;
};

// The page menu's items in order; backward items (first and third) are disabled on the first page,
// forward ones on the last.
enum TVpPageCommand { pcPrevPage, pcNextPage, pcFirstPage, pcLastPage };
struct TVpPageMenuItem {
  const char* Caption;
  TVpPageCommand Command;
  bool Enabled = true;
};

// The preview's logic: the page list of the active format's job from the start to the end date,
// the page shown and its bitmap, zoom and keys. The desktop shell paints the bitmap and carries
// the requests out.
class TVpPrintPreview : public TMessageTarget {
 public:
  // Makes an off-screen bitmap of the size, at the screen's resolution.
  using TBitmapMaker = std::function<std::unique_ptr<TBitmap>(int width, int height)>;
  TVpPrintPreview(TVpPrinter& printer, TVpPageRenderer& renderer, TBitmapMaker makeBitmap, double now);
  ~TVpPrintPreview() override;
  TVpPrintPreview(const TVpPrintPreview&) = delete;
  TVpPrintPreview& operator=(const TVpPrintPreview&) = delete;

  double StartDate() const { return StartDate_; }
  void SetStartDate(double value);
  double EndDate() const { return EndDate_; }
  void SetEndDate(double value);
  TVpPPZoomFactor ZoomFactor() const { return Zoom_; }
  void SetZoomFactor(TVpPPZoomFactor value);
  TColor PageColor() const { return PageColor_; }
  void SetPageColor(TColor value) { PageColor_ = value; }

  // The printer whose page size the bitmap takes (page in dots, resolution); none gives the
  // client area's size at the first rendering.
  void SetPrinterDevice(const TRect& page, int dpiX, int dpiY);
  std::optional<TPoint> DevicePage() const { return DevicePage_; }
  void SetClientSize(TPoint value);
  TPoint ClientSize() const { return Client_; }

  int CurPage() const { return CurPage_; }
  void SetCurPage(int value);
  bool IsFirstPage() const { return CurPage_ == 0; }
  bool IsLastPage();
  void FirstPage() { SetCurPage(0); }
  void PrevPage();
  void NextPage();
  void LastPage();
  void Run(TVpPageCommand command);
  // The number of pages laid out so far.
  int PagesReached() const { return static_cast<int>(Pages_.size()); }
  // The number of pages of the job, all laid out (0 while nothing can be rendered).
  int PageCount();
  // Why a list of the pages laid out so far ends early (an element too small for one row), or an
  // empty text.
  const std::string& ListNote() const { return ListNote_; }

  // The bitmap of the current page, or none before it was first rendered.
  TBitmap* PageBitmap() const { return Bitmap_.get(); }
  // Renders the current page when it has not been rendered since the last change.
  void EnsureRendered();

  // A key: true when the preview handled it. The page menu's key asks for OnPopupMenu.
  bool KeyDown(int key, TShiftState shift);
  // A right click: the items' enabled state follows the page shown; the menu opens there.
  const std::vector<TVpPageMenuItem>& PageMenuForRightClick();
  const std::vector<TVpPageMenuItem>& PageMenu() const { return Menu_; }

  // The formats changed: the preview starts again at the first page.
  void HandleMessage(int message) override;

  std::function<void(int newPage)> OnPageChange;
  // The page or the zoom changed: the shell updates its scroll bars (back to 0) and repaints.
  std::function<void()> OnRepaint;
  // The page menu is to open at the client point.
  std::function<void(TPoint at)> OnPopupMenu;

 private:
  struct TPageRecord {
    TVpPageStart Start;
    bool LaidOut = false;
    bool Last = false;
  };
  // What a page that starts with given task and contact rows does to the lists: where they go on
  // and what its elements drew. It is the same on every page starting with those rows, whatever
  // the date, so a page is drawn to learn it only once; the pages of a long range are then laid
  // out by their dates alone.
  struct TListStep {
    int TaskRow = 0;
    int ContactRow = 0;
    TVpPageElements Elements;
  };
  bool CanRender() const;
  TVpJobDates JobDates() const;
  // Draws page k on the bitmap; with `record` the list takes its results.
  bool DrawPage(int k, bool record);
  // Page k is laid out: the next page starts as given unless it was the last.
  void RecordPage(int k, const TVpPageStart& next, bool last);
  void LayOutPagesUpTo(int n);
  void RenderCurrentPage();
  void ClearPages();
  void Restart();

  TVpPrinter& Printer_;
  TVpPageRenderer& Renderer_;
  TBitmapMaker MakeBitmap_;
  double StartDate_;
  double EndDate_;
  TVpPPZoomFactor Zoom_ = zfFitToControl;
  TColor PageColor_ = clWhite;
  std::optional<TPoint> DevicePage_;
  TPoint BitmapSize_{0, 0};
  TPoint Client_{169, 225};
  std::unique_ptr<TBitmap> Bitmap_;
  std::vector<TPageRecord> Pages_;
  std::map<std::pair<int, int>, TListStep> ListSteps_;
  std::string ListNote_;
  int CurPage_ = 0;
  bool Rendered_ = false;
  std::vector<TVpPageMenuItem> Menu_;
};
