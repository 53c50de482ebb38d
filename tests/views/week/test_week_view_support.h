#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/week/week_view.h"

// A week view over a connected store with the active resource "KORET", on the recording canvas
// (a font of S points is 2S pixels high and S pixels a character).
//
// With the view's own fonts (header and events 8 points, captions 10 points) a view 400 x 300
// lays out as: header height 28 (16 + 12), caption height 28 (20 + 8), event line height 19
// (16 + 3), all-day pitch 25 (16 + 9); day height (300 - 28) div 3 = 90, middle x 200, boxes from
// y 31 (ds3d):
//   Monday (1, 31, 201, 118), Tuesday (1, 118, 201, 208), Wednesday (1, 208, 201, 298),
//   Thursday (200, 31, 398, 118), Friday (200, 118, 398, 208), Saturday (200, 208, 398, 253),
//   Sunday (200, 253, 398, 298).
class WeekViewTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  static constexpr TRect kView{0, 0, 400, 300};

  WeekViewTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    View = std::make_unique<TVpWeekView>(Clock, Locale, &Window);
    View->SetDataStore(&Store());
    View->SetEditDialogs(&Dialogs);
    View->SetDate(At(2024, 5, 8, 9));  // a Wednesday; the week of Monday 6 May
  }

  TVpEvent& AddEvent(const std::string& description, double start, double end) {
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(NextEventID++, start, end);
    if (event == nullptr) throw std::logic_error("the schedule refused the event " + description);
    event->SetDescription(description);
    return *event;
  }

  // Paints the view on screen into the rectangle and returns what was drawn.
  TRecordingCanvas Paint(const TRect& rect = kView) {
    TRecordingCanvas canvas;
    View->Resize(rect.Width(), rect.Height());
    View->Paint(canvas, rect);
    return canvas;
  }

  // The texts drawn inside the rectangle, in order.
  static std::vector<std::string> TextsWithin(const TRecordingCanvas& canvas, const TRect& box) {
    std::vector<std::string> texts;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Rect.Left >= box.Left && op.Rect.Top >= box.Top && op.Rect.Left < box.Right && op.Rect.Top < box.Bottom)
        texts.push_back(op.Text);
    return texts;
  }

  // The black squares of "more" marks, as rectangles.
  static std::vector<TRect> MoreMarks(const TRecordingCanvas& canvas) {
    std::vector<TRect> marks;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
      if (op.Brush.Color == clBlack && op.Rect.Width() == 3 && op.Rect.Height() == 3) marks.push_back(op.Rect);
    return marks;
  }

  TEnglishLocale Locale;
  std::unique_ptr<TVpWeekView> View;
  int NextEventID = 1;
};
