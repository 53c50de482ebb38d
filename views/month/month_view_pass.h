#pragma once

#include <vector>

#include "model/enumerations.h"
#include "platform/canvas.h"
#include "views/drawing/drawing_pass.h"
#include "views/month/month_view_tables.h"

class TVpMonthView;
class TVpEvent;
class TVpResource;

// The colours of one pass: the view's and the desktop's on screen, black, white and silver when
// printing.
struct TVpMonthViewColors {
  TColor Highlight;
  TColor Shadow;
  TColor DarkShadow;
  TColor Face;
  TColor Background;
  TColor Header;
  TColor Lines;
  TColor OffDays;
  TColor SelectedDay;
  TColor DayNumbers;
};

// One drawing pass of a month view into a rectangle of a canvas at a rotation: the month of the
// date with that date selected. Draw hands back what it laid out; the pass changes nothing in the
// view, and each day's events are looked up once.
class TVpMonthViewPass : private TVpDrawingPass {
 public:
  TVpMonthViewPass(const TVpMonthView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle, double date,
                   bool displayOnly);

  // Draws the view; the canvas's pen, brush, font and clip are as they were when the pass goes.
  TVpMonthViewLayout Draw();

 private:
  void DrawMonthHeader();
  void DrawDayNames();
  void DrawDayCells();
  void DrawDayNumber(const TVpMonthdayRec& day, bool hasEvents);
  void DrawEventLines(const TVpMonthdayRec& day, const std::vector<TVpEvent*>& events);
  void DrawBorder();

  const TVpMonthView& View_;
  double Date_;
  TVpMonthViewColors Colors_;
  // The resource whose events are looked up; none without a connected store and active resource.
  const TVpResource* Resource_ = nullptr;
  bool EventsShown_ = false;
  TVpMonthViewLayout Layout_;
};
