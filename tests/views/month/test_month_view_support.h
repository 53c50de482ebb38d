#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/resource.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/month/month_view.h"

// A month view over a connected store with the active resource "KORET", on the recording canvas
// (a font of S points is 2S pixels high and S pixels a character).
//
// With the view's own fonts a view 300 x 225 lays out as: header height 28 (10-point Tahoma:
// 20 + 8), day-number and event height 16, line height 18 (8 points: 16 + 2), column width
// (300 - 4) div 7 = 42, row height (225 - 56 - 4) div 6 = 27; the first cell is (1, 60, 43, 87),
// each next cell one pixel further, the last column ends at 297 inside the border (298, 299).
class MonthViewTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  static constexpr TRect kView{0, 0, 300, 225};

  MonthViewTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    View = std::make_unique<TVpMonthView>(Clock, Locale, &Window);
    View->SetDataStore(&Store());
    View->SetEditDialogs(&Dialogs);
    View->SetDate(At(2024, 9, 2));  // a Monday
  }

  TVpEvent& AddEvent(const std::string& description, double start, double end) {
    TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(NextEventID++, start, end);
    if (event == nullptr) throw std::logic_error("the schedule refused the event " + description);
    event->SetDescription(description);
    return *event;
  }

  TRecordingCanvas Paint(const TRect& rect = kView) {
    TRecordingCanvas canvas;
    View->Resize(rect.Width(), rect.Height());
    View->Paint(canvas, rect);
    return canvas;
  }

  const TVpMonthdayRec& Cell(int index) const { return View->ScreenLayout().Days[static_cast<size_t>(index)]; }

  // The text operation drawing the day number of the cell.
  static std::optional<TCanvasOp> DayNumberOp(const TRecordingCanvas& canvas, const TVpMonthdayRec& cell) {
    const std::string number = std::to_string(DecodeDate(cell.Date).Day);
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Text == number && op.Rect.Top == cell.Rec.Top + 3 && op.Rect.Left >= cell.Rec.Left &&
          op.Rect.Right <= cell.Rec.Right)
        return op;
    return std::nullopt;
  }

  TEnglishLocale Locale;
  std::unique_ptr<TVpMonthView> View;
  int NextEventID = 1;
};
