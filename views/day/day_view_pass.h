#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "views/day/day_view_event_layout.h"
#include "views/day/day_view_tables.h"
#include "views/drawing/drawing_pass.h"

class TVpDayView;
class TVpResource;
class TVpCategoryColorMap;
class TVpPicture;

// The zone's place, as people name it: "America/New_York" is "New York".
std::string PlaceOfZone(const std::string& zone);

// The colours of one pass: the desktop's on screen, black and white when printing.
struct TVpDayViewColors {
  TColor Shadow;
  TColor Highlight;
  TColor DarkShadow;
  TColor Face;
  TColor Window;  // events without a category
  TColor Header;
  TColor RulerLines;
  TColor Background;
};

// One drawing pass of a day view into a rectangle of a canvas, at a rotation and a scale. The
// layout is worked out when the pass is made; Draw draws it and hands back the tables. The pass
// changes nothing in the view.
//
// A printed pass (displayOnly) with a stop line shows every timed event of its days: its rows
// reach from the earliest start to the latest end when those lie outside the start and stop
// lines, and get lower when they would not fit otherwise. An event that still finds no row, and
// any beyond the most a day lays out, is told by the "more" marks at the foot of its column.
class TVpDayViewPass : private TVpDrawingPass {
 public:
  // numDays, when above 0, is the number of day columns instead of the view's NumDays.
  TVpDayViewPass(const TVpDayView& view, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle, double scale,
                 double renderDate, int startLine, int stopLine, TVpGranularity granularity, bool displayOnly,
                 int numDays = 0);

  int VisibleLines() const { return VisibleLines_; }
  // Draws the view; the canvas's pen, brush, font and clip are as they were when the pass goes.
  TVpDayViewLayout Draw();

 private:
  // Widens the printed rows to the days' timed events and fits them into the cell height.
  void HoldEveryEvent(TCanvas& canvas);
  // The form of the columns' date labels: on screen DateLabelFormat (a label too wide is shortened
  // with "..."); a print first tries shorter forms that keep the whole day name.
  std::string LabelFormat(const TFont& font, int width);

  // --- one file each: frame and headers, ruler, cells, events ---
  void DrawCorner();
  void DrawColumnHeader(const TRect& rect, int column, double day);
  void DrawBorder();
  void DrawRuler(const TRect& ruler);
  // Left of the ruler, the hours of the view's second zone, its name in the corner above.
  void DrawSecondRuler(const TRect& ruler);
  void DrawCells(const TRect& cell, int column, double day);
  void DrawEvents(int column, double day);
  // The events of each shown day, once per pass: timed ones for the rows, all-day ones for the
  // strip between the date headers and the rows.
  void CollectDayEvents();
  void DrawAllDayStrip(const TRect& strip, int column);
  // On screen, a line across today's column at the time it is now.
  void DrawNowLine(int column, double day);
  // False when the event lies outside the rows drawn.
  bool DrawEvent(const TVpPlacedEvent& placed, double day, int column, const TRect& slots, int cellBottom);
  void DrawTimeBar(const TVpPlacedEvent& placed, const TRect& event);
  TRect DrawIcons(const TVpEvent& event, const TRect& eventRect, int level);
  void DrawEventText(const TVpEvent& event, double day, const TRect& rect, const TRect& icons);
  // A bitmap of the picture for this pass's canvas, made once per pass.
  const TBitmap* IconBitmap(const TVpPicture& picture, std::unique_ptr<TBitmap>& cache);

  const TVpDayView& View_;
  double Scale_;
  TVpGranularity RulerGranularity_;
  TVpDayViewColors Colors_;
  int LineCount_;
  int RowHeight_;
  int HeaderHeight_;  // the date header and the all-day strip below it
  int StripHeight_ = 0;
  int StripPitch_ = 0;
  int RulerWidth_;  // with the second zone's hours
  int SecondRulerWidth_ = 0;
  int GutterPixels_;
  int StartLine_;
  int StopLine_;
  int VisibleLines_;
  int LastRow_;  // the last row drawn
  bool ShowsResourceName_;
  std::vector<double> Days_;
  std::vector<std::vector<TVpEvent*>> Timed_;   // per column
  std::vector<std::vector<TVpEvent*>> AllDay_;  // per column
  std::string LabelFormat_;                     // chosen at the first column header
  // The resource whose events are drawn; none when no events can be drawn.
  const TVpResource* Resource_ = nullptr;
  const TVpCategoryColorMap* Categories_ = nullptr;
  TVpLineArray Lines_;  // the rows of a day, nothing drawn
  TVpDayViewLayout Layout_;
  std::unique_ptr<TBitmap> AlarmIcon_;
  std::unique_ptr<TBitmap> RecurringIcon_;
};
