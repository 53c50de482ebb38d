#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/locale.h"
#include "print/caption_variables.h"
#include "print/page_geometry.h"
#include "print/print_target.h"
#include "print/printer.h"

class TVpControlLink;
class TVpLinkableControl;
class TVpPrintStoreDays;

// The first and last page date of a job over the range, and which way the dates run: a format
// whose step goes back in time runs from the later date to the earlier one.
struct TVpJobDates {
  double First = 0;
  double Last = 0;
  bool Forward = true;
};
TVpJobDates JobDatesFor(const TVpPrintFormatItem& format, double startDate, double endDate);

// The number of page dates of a job, counted without drawing; 1 for a format without a visible
// day, week, month view or calendar, whose pages do not step through the dates. Counting stops
// past `limit` (it returns limit + 1 then). Lists that run over more pages come on top.
long long DatePageCount(const TVpPrintFormatItem& format, const TVpJobDates& dates, long long limit);

// What the elements of one page drew: a date element (day, week, month view, calendar), a task
// list, a contact grid.
struct TVpPageElements {
  bool Dates = false;
  bool Tasks = false;
  bool Contacts = false;
};

// Where the preview's next page starts: its date and the first task and contact rows still to
// print (-1 when a list is done).
struct TVpPageStart {
  double PageDate = 0;
  int TaskRow = 0;
  int ContactRow = 0;
};

// Draws the printer's active format: one page on a canvas, a whole job on a print target, or the
// job's pages one at a time for the preview. Views are drawn through RenderIntoRect: the first
// view of the control link of the element's kind, so that prints look like the user's views, or
// else a hidden view of that kind owned by the renderer. A print pass never changes what a click
// on a view on screen hits, nor the store's display date.
class TVpPageRenderer {
 public:
  TVpPageRenderer(TVpPrinter& printer, TVpControlLink& link, const TClock& clock, const TLocale& locale);
  ~TVpPageRenderer();
  TVpPageRenderer(const TVpPageRenderer&) = delete;
  TVpPageRenderer& operator=(const TVpPageRenderer&) = delete;

  // Draws the active format for the page date into the page area (margins already applied).
  void DrawFormatPage(TCanvas& canvas, const TRect& area, double pageDate, TVpResolution resolution);

  // The whole job for the format of the name: the format is resolved (raising
  // EVpPrintFormatError when it is gone) before the target's document begins, and the document is
  // ended also when the job fails.
  void PrintFormat(TVpPrintTarget& target, const std::string& formatName, double startDate, double endDate);
  // The pages of the active format from the start to the end date on a target whose document has
  // begun, until the dates and the lists are used up.
  void PrintFormatRange(TVpPrintTarget& target, double startDate, double endDate);

  // Draws page pageNumber (from 1) of the job that JobDatesFor gives, into the rectangle of the
  // canvas, starting as `start` says; `start` then describes the next page. True when this was
  // the job's last page.
  bool DrawPreviewPage(TCanvas& canvas, const TRect& rect, int pageNumber, TVpPageStart& start,
                       const TVpJobDates& dates);
  // What the elements of the last page drawn drew.
  const TVpPageElements& LastPageElements() const { return Page_; }
  // Whether a job ends after a page whose elements drew as given, when the next page would start
  // as `next`: the next date lies beyond the last (after it going forward, before it going
  // backward) and the lists drawn are used up.
  static bool JobComplete(const TVpPageElements& page, const TVpPageStart& next, double lastDate, bool forward);

  // Why the last job or preview page ended a list early (an element too small for one row), or
  // an empty text.
  const std::string& ListNote() const { return ListNote_; }

  TVpOnGetVariableEvent OnGetVariable;
  std::function<void(int pageNumber, double pageDate)> OnPageStart;
  // The date is the one the following page would have.
  std::function<void(int pageNumber, double nextDate, bool lastPage)> OnPageEnd;

 private:
  void SetStandardVariables(double pageDate);
  void DrawElement(TCanvas& canvas, const TVpPrintFormatElementItem& element, const TRect& area, double pageDate,
                   TVpResolution resolution);
  void DrawView(TCanvas& canvas, const TVpPrintFormatElementItem& element, const TRect& rect, double date,
                TVpResolution resolution);
  TVpLinkableControl& ViewOfKind(TVpItemType kind);
  std::unique_ptr<TVpLinkableControl> MakeHiddenView(TVpItemType kind) const;

  TVpPrinter& Printer_;
  TVpControlLink& Link_;
  const TClock& Clock_;
  const TLocale& Locale_;
  std::map<TVpItemType, std::unique_ptr<TVpLinkableControl>> HiddenViews_;
  TVpPrintStoreDays* StoreDays_ = nullptr;  // the pass's, while a job or preview page runs
  TVpPageElements Page_;
  bool InJob_ = false;
  int TaskRow_ = 0;
  int ContactRow_ = 0;
  std::string ListNote_;
};
