#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/resource.h"
#include "model/schedule.h"
#include "platform/english_locale.h"
#include "store/flex_data_store.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/calendar/calendar.h"

namespace {

// A calendar on 15 March 2024 over a store whose active resource has events on 12 March, and on
// 27 February and 3 April (days of the neighbouring months).
class CalendarDrawing : public ::testing::Test {
 protected:
  CalendarDrawing() : Calendar(Planner.Clock, Locale) {
    Planner.CreateTables();
    Planner.Connect();
    TVpResource& resource = Planner.AddActiveResource("KORET");
    for (int id = 1; const double day : {At(2024, 3, 12), At(2024, 2, 27), At(2024, 4, 3)})
      resource.Schedule().AddEvent(id++, day + 10.0 / 24, day + 11.0 / 24);
    Calendar.SetDate(At(2024, 3, 15));
    Calendar.SetDataStore(&Planner.Store());
  }

  void Paint() {
    Canvas.Clear();
    Calendar.Paint(Canvas, {0, 0, 200, 140});
  }
  void Print() {
    Canvas.Clear();
    Calendar.RenderIntoRect(&Canvas, {0, 0, 200, 140}, ra0, 1.0, 0, -1, -1, gr30Min, true);
  }
  // The day number drawn at a position of the day table, when the neighbouring months are shown
  // (the title and the seven names come first).
  TCanvasOp DayText(int position) const { return Canvas.OpsOf(TCanvasOp::opText).at(7 + position); }
  // The last text operation drawing exactly this text (the selected day is drawn twice).
  const TCanvasOp& LastText(const std::string& text) const {
    const std::vector<TCanvasOp>& ops = Canvas.Ops();
    for (auto op = ops.rbegin(); op != ops.rend(); ++op)
      if (op->Kind == TCanvasOp::opText && op->Text == text) return *op;
    throw std::runtime_error("no text " + text);
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  TVpCalendar Calendar;
  TRecordingCanvas Canvas;
};

TEST_F(CalendarDrawing, ScreenUsesTheCalendarsColours) {
  Calendar.SetOptions(Calendar.Options() | CalOption(cdoShowInactive));
  Paint();
  const TCanvasOp& background = Canvas.Ops().front();
  EXPECT_EQ(background.Kind, TCanvasOp::opFillRect);
  EXPECT_EQ(background.Rect, (TRect{0, 0, 200, 140}));
  EXPECT_EQ(background.Brush.Color, clWindow);
  EXPECT_EQ(LastText("March 2024").Font.Color, 0xFF0000u);
  EXPECT_EQ(LastText("Mon").Font.Color, 0x000080u);
  struct TDayRow {
    const char* Name;
    int Position;  // 25 February is position 1, 1 March position 6
    std::string Text;
    TColor Color;
    TFontStyles Style;
  };
  // Colours of the starting (cscalWindows) set.
  const std::vector<TDayRow> rows = {
      {"Saturday", 7, "2", 0x0000FF, 0},
      {"Monday", 9, "4", 0x000000, 0},
      {"Sunday", 15, "10", 0x0000FF, 0},
      {"day with events", 17, "12", 0x000000, fsBold | fsUnderline},
      {"day without", 31, "26", 0x000000, 0},
      {"previous month with events", 3, "27", 0x808080, fsBold | fsUnderline},
      {"previous month on a Sunday", 1, "25", 0x808080, 0},
      {"next month with events", 39, "3", 0x808080, fsBold | fsUnderline},
  };
  for (const TDayRow& row : rows) {
    SCOPED_TRACE(row.Name);
    const TCanvasOp& op = DayText(row.Position);
    EXPECT_EQ(op.Text, row.Text);
    EXPECT_EQ(op.Font.Color, row.Color);
    EXPECT_EQ(op.Font.Style, row.Style);
  }
}

TEST_F(CalendarDrawing, SelectedDayIsAButtonPressedWhileFocused) {
  // 15 March 2024: sixth column, third week row (x 143 to 170, y 76 to 88).
  const TRect cell{143, 76, 170, 88};
  for (const bool focused : {false, true}) {
    SCOPED_TRACE(focused ? "focused" : "not focused");
    Calendar.FocusChanged(focused);
    Paint();
    const auto fills = Canvas.OpsOf(TCanvasOp::opFillRect);
    const auto face = std::find_if(fills.begin(), fills.end(), [&](const TCanvasOp& op) { return op.Rect == cell; });
    ASSERT_NE(face, fills.end());
    EXPECT_EQ(face->Brush.Color, clBtnFace);
    // The bevel's first edge is light when raised, dark when pressed.
    const auto lines = Canvas.OpsOf(TCanvasOp::opLine);
    const auto bevel = std::find_if(lines.begin(), lines.end(), [&](const TCanvasOp& op) {
      return op.Points[0] == TPoint{143, 87};
    });
    ASSERT_NE(bevel, lines.end());
    EXPECT_EQ(bevel->Points[1], (TPoint{143, 76}));
    EXPECT_EQ(bevel->Pen.Color, focused ? clBtnShadow : clBtnHighlight);
    const TCanvasOp& number = LastText("15");
    EXPECT_EQ(number.Rect, (TRect{148, 76, 164, 92}));
    EXPECT_EQ(number.Font.Color, Calendar.Colors().Days());
  }
}

TEST_F(CalendarDrawing, PrintingIsBlackOnWhite) {
  Calendar.SetOptions(Calendar.Options() | CalOption(cdoShowInactive));
  Calendar.Colors().SetColorScheme(cscalRose);
  Print();
  EXPECT_EQ(Canvas.Ops().front().Brush.Color, clWhite);
  const std::vector<TCanvasOp> texts = Canvas.OpsOf(TCanvasOp::opText);
  ASSERT_EQ(texts.size(), 1u + 7 + 42);  // no selected-day button
  EXPECT_EQ(texts[0].Font.Color, clBlack);
  EXPECT_EQ(texts[1].Font.Color, clBlack);
  EXPECT_EQ(DayText(1).Font.Color, RGB(192, 192, 192));  // 25 February, a Sunday
  EXPECT_EQ(DayText(6).Font.Color, clBlack);             // Friday 1 March
  EXPECT_EQ(DayText(7).Font.Color, 0x5F5F5Fu);           // Saturday 2 March
  EXPECT_EQ(DayText(17).Font.Color, clBlack);            // 12 March, with events
  EXPECT_EQ(DayText(17).Font.Style, fsBold | fsUnderline);
  const auto lines = Canvas.OpsOf(TCanvasOp::opLine);
  ASSERT_EQ(lines.size(), 2u);
  for (const TCanvasOp& line : lines) EXPECT_EQ(line.Pen.Color, clBlack);
}

TEST_F(CalendarDrawing, LineUnderTheNamesIsDoubleWithA3DLook) {
  // Row 1 ends at y = 52: the light line 3 pixels above it, the dark one under it, across the frame.
  Paint();
  auto lines = Canvas.OpsOf(TCanvasOp::opLine);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{0, 49}, {200, 49}}));
  EXPECT_EQ(lines[0].Pen.Color, clBtnHighlight);
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{0, 50}, {200, 50}}));
  EXPECT_EQ(lines[1].Pen.Color, clBtnShadow);
  // Without it, one line in the font's colour.
  Calendar.SetCtl3D(false);
  Calendar.Font().SetColor(clNavy);
  Paint();
  lines = Canvas.OpsOf(TCanvasOp::opLine);
  EXPECT_EQ(lines[0].Pen.Color, clNavy);
  EXPECT_NE(lines[1].Points[0].Y, 50);
}

TEST_F(CalendarDrawing, WeekStartAndNameOptionsShapeTheNamesRow) {
  Calendar.SetWeekStarts(dtMonday);
  Calendar.SetOptions(Calendar.Options() & ~CalOption(cdoShortNames));
  Calendar.SetDayNameWidth(0);
  Print();
  const std::vector<std::string> texts = Canvas.Texts();
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.begin() + 8),
            (std::vector<std::string>{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}));
  // 1 March, a Friday, in the fifth column (116 to 143).
  EXPECT_EQ(texts[8], "1");
  EXPECT_EQ(Canvas.OpsOf(TCanvasOp::opText)[8].Rect.Left, 116 + (27 - 8) / 2);
  Calendar.SetDayNameWidth(2);
  Print();
  EXPECT_EQ(Canvas.Texts()[1], "Mo");
}

TEST_F(CalendarDrawing, TitleFollowsDateFormatAndYearOption) {
  struct TTitleRow {
    TVpDateFormat Format;
    bool ShowYear;
    const char* Title;
  };
  const std::vector<TTitleRow> rows = {
      {dfLong, true, "March 2024"}, {dfLong, false, "March"}, {dfShort, true, "Mar 2024"}, {dfShort, false, "Mar"}};
  for (const TTitleRow& row : rows) {
    SCOPED_TRACE(row.Title);
    Calendar.SetDateFormat(row.Format);
    Calendar.SetOptions(row.ShowYear ? DefaultCalDisplayOptions : DefaultCalDisplayOptions & ~CalOption(cdoShowYear));
    Print();
    EXPECT_EQ(Canvas.Texts()[0], row.Title);
  }
  // A long title too wide for the title row is shortened without gaining a year it should not show.
  Calendar.SetDateFormat(dfLong);
  Canvas.Clear();
  Calendar.RenderIntoRect(&Canvas, {0, 0, 60, 140}, ra0, 1.0, At(2024, 9, 1), -1, -1, gr30Min, true);
  EXPECT_EQ(Canvas.Texts()[0], "Sep");
}

TEST_F(CalendarDrawing, EventsReplaceTheDrawingOfTitleAndCells) {
  std::vector<TRect> cells;
  TRect title;
  Calendar.OnDrawItem = [&](TVpCalendar&, TCanvas&, double, const TRect& rect) { cells.push_back(rect); };
  Calendar.OnDrawDate = [&](TVpCalendar&, TCanvas&, double, const TRect& rect) { title = rect; };
  Calendar.OnGetHighlight = [](TVpCalendar&, double, TColor& color) { color = clLime; };
  Paint();
  EXPECT_EQ(title, (TRect{32, 4, 170, 27}));
  ASSERT_EQ(cells.size(), 31u);  // the days of March; no selected-day button
  EXPECT_EQ(cells.front(), (TRect{143, 52, 170, 64}));
  EXPECT_EQ(Canvas.Texts().size(), 7u);  // only the names
  Calendar.OnDrawItem = nullptr;
  Paint();
  EXPECT_EQ(DayText(6).Font.Color, clLime);
}

TEST_F(CalendarDrawing, TheCanvasGetsItsStateBackAlsoWhenAnEventRaises) {
  Canvas.Pen = TPen{clRed, 2, psDot, pmCopy};
  Canvas.Brush = TBrush{clYellow, bsClear};
  Canvas.Font.Name = "Serif";
  const TPen pen = Canvas.Pen;
  const TBrush brush = Canvas.Brush;
  Print();
  EXPECT_EQ(Canvas.Pen, pen);
  EXPECT_EQ(Canvas.Brush, brush);
  EXPECT_EQ(Canvas.Font.Name, "Serif");
  Calendar.OnDrawItem = [](TVpCalendar&, TCanvas& canvas, double, const TRect&) {
    canvas.Font.Name = "Mono";
    throw std::runtime_error("drawing failed");
  };
  EXPECT_THROW(Print(), std::runtime_error);
  EXPECT_EQ(Canvas.Pen, pen);
  EXPECT_EQ(Canvas.Brush, brush);
  EXPECT_EQ(Canvas.Font.Name, "Serif");
}

TEST_F(CalendarDrawing, RotatedPrintTurnsTheFrameAndTheText) {
  // A quarter turn: the 140 × 200 viewport holds the 200 × 140 frame lying on its side.
  Calendar.RenderIntoRect(&Canvas, {0, 0, 140, 200}, ra90, 1.0, 0, -1, -1, gr30Min, true);
  EXPECT_EQ(Canvas.Ops().front().Rect, (TRect{0, 0, 140, 200}));
  const TCanvasOp* title = Canvas.FindText("March 2024");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Font.Orientation, 2700);
  // The title's top-left corner (61, 4) lands at (140 - 4, 61).
  EXPECT_EQ(title->Rect.Left, 136);
  EXPECT_EQ(title->Rect.Top, 61);
}

TEST_F(CalendarDrawing, DrawingNeverFailsOnADate) {
  // A page asking for a date the calendar cannot hold gets the nearest month within.
  EXPECT_NO_THROW(Calendar.RenderIntoRect(&Canvas, {0, 0, 200, 140}, ra0, 1.0, At(50, 6, 1), -1, -1, gr30Min, true));
  EXPECT_EQ(Canvas.Texts()[0], "January 0100");
  EXPECT_NO_THROW(Calendar.RenderIntoRect(nullptr, {0, 0, 200, 140}, ra0, 1.0, 0, -1, -1, gr30Min, true));
  // Tiny frames lay out without fault.
  for (const TRect frame : {TRect{0, 0, 0, 0}, TRect{0, 0, 5, 3}, TRect{10, 10, 0, 0}})
    EXPECT_NO_THROW(Calendar.RenderIntoRect(&Canvas, frame, ra0, 1.0, 0, -1, -1, gr30Min, false));
}

TEST_F(CalendarDrawing, ColourChangesRepaintAndMakeTheSetCustom) {
  int repaints = 0;
  Calendar.OnInvalidate = [&] { ++repaints; };
  TVpCalColors& colors = Calendar.Colors();
  EXPECT_EQ(colors.ColorScheme(), cscalCustom);
  colors.SetColorScheme(cscalOcean);
  EXPECT_EQ(colors.Days(), 0xFFFF00u);
  colors.SetDays(0xFFFF00);  // the same value: nothing happens
  EXPECT_EQ(colors.ColorScheme(), cscalOcean);
  colors.SetColor(2, clRed);
  EXPECT_EQ(colors.ColorScheme(), cscalCustom);
  EXPECT_EQ(repaints, 2);
  EXPECT_THROW(colors.SetColor(7, clRed), EVpIndexError);
}

}  // namespace
