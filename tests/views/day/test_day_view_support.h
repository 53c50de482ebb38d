#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/day/day_view.h"

// A day view over a connected store with the active resource "KORET", on the recording canvas
// (a font of S points is 2S pixels high and S pixels a character).
//
// With the view's own fonts and ShowResourceName off, a view 400 x 300 lays out as:
//   row height 30 (9-point minutes: 18 + 12), header height 32 (10-point header: 20 + 12),
//   ruler width 82 (2 x "33" in 18 points + 10), minute column 28;
//   corner (1, 0, 85, 34), ruler (1, 33, 84, 300), visible lines (267 - 32 - 2) div 30 + 2 = 9;
//   one column 303 wide from x 85: header (85, 2, 397, 32), cell (85, 33, 388, 298), slots from
//   x 93 (gutter 7 + 1), row i of the screen at y 33 + 30 i.
class DayViewTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  static constexpr TRect kView{0, 0, 400, 300};
  // Tall enough for all 48 half-hour rows: visible lines 48, top line 0.
  static constexpr TRect kTallView{0, 0, 400, 1500};

  DayViewTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    View = std::make_unique<TVpDayView>(Clock, Locale, &Window);
    View->SetDataStore(&Store());
    View->SetEditDialogs(&Dialogs);
    View->SetShowResourceName(false);
    View->SetDate(At(2024, 5, 10));  // a Friday
  }

  TVpEvent& AddEvent(const std::string& description, double start, double end) {
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(NextEventID++, start, end);
    if (event == nullptr) throw std::logic_error("the schedule refused the event " + description);
    event->SetDescription(description);
    return *event;
  }

  // An event repeating every day from its start until the end of 2024.
  TVpEvent& AddDailyEvent(const std::string& description, double start, double end) {
    TVpEvent& event = AddEvent(description, start, end);
    event.SetRepeatCode(rcDaily);
    event.SetRepeatRangeEnd(At(2024, 12, 31));
    return event;
  }

  // Paints the view on screen into the rectangle and returns what was drawn.
  TRecordingCanvas Paint(const TRect& rect = kView) {
    TRecordingCanvas canvas;
    View->Resize(rect.Width(), rect.Height());
    View->Paint(canvas, rect);
    return canvas;
  }

  // The rectangles of the events drawn in the last on-screen pass.
  std::vector<TRect> EventRects() const {
    std::vector<TRect> rects;
    for (const TVpEventRec& drawn : View->EventArray()) rects.push_back(drawn.Rec);
    return rects;
  }

  static std::vector<TRect> FillsOf(const TRecordingCanvas& canvas, TColor color) {
    std::vector<TRect> rects;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
      if (op.Brush.Color == color) rects.push_back(op.Rect);
    return rects;
  }

  static std::vector<std::string> TextsAt(const TRecordingCanvas& canvas, int x) {
    std::vector<std::string> texts;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Rect.Left == x) texts.push_back(op.Text);
    return texts;
  }

  TEnglishLocale Locale;
  std::unique_ptr<TVpDayView> View;
  int NextEventID = 1;
};
