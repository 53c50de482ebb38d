#pragma once

#include <vector>

#include "platform/canvas.h"
#include "views/drawing/drawing_pass.h"
#include "views/week/week_view_tables.h"

class TVpWeekView;
class TVpResource;
class TVpEvent;

// The colours of one pass: the view's and the desktop's on screen, black, white and grey when
// printing.
struct TVpWeekViewColors {
  TColor Highlight;
  TColor Shadow;
  TColor DarkShadow;
  TColor Face;
  TColor ColumnLine;
  TColor Background;
  TColor DayHead;
  TColor Header;
  TColor AllDay;
  TColor AllDayEventFill;
  TColor AllDayEventFrame;
};

// One drawing pass of a week view into a rectangle of a canvas at a rotation: the week that starts
// on weekStart (a whole date). Draw draws it and hands back the tables; the pass changes nothing in
// the view. A rectangle without area draws nothing.
class TVpWeekViewPass : private TVpDrawingPass {
 public:
  TVpWeekViewPass(const TVpWeekView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle, double weekStart,
                  bool displayOnly);

  TVpWeekViewLayout Draw();

 private:
  void DrawHeader();
  void DrawDay(const TRect& box, double day);
  // The day's all-day events in the area below the caption; returns the bottom of the area drawn.
  int DrawAllDayEvents(const std::vector<TVpEvent*>& events, double day, const TRect& area);
  void DrawTimedEvents(const std::vector<TVpEvent*>& events, double day, const TRect& box, int top);
  void DrawBorder();

  const TVpWeekView& View_;
  double WeekStart_;
  TVpWeekViewColors Colors_;
  // The resource whose events are drawn; none when no events can be drawn.
  const TVpResource* Resource_ = nullptr;
  TVpWeekViewLayout Layout_;
};
