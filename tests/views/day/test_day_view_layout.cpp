#include <string>
#include <vector>

#include "tests/support/local_zone.h"
#include "tests/views/day/test_day_view_support.h"

// The layout the day view's own defaults give on the recording canvas; the numbers are worked
// out in test_day_view_support.h.

namespace {

constexpr TColor kBarColor = RGB(10, 20, 30);
constexpr TColor kEventColor = RGB(40, 50, 60);

TEST_F(DayViewTest, AScreenPassLeavesItsMetricsAndTablesBehind) {
  Paint();
  EXPECT_EQ(View->RowHeight(), 30);
  EXPECT_EQ(View->HeaderHeight(), 32);
  EXPECT_EQ(View->VisibleLines(), 9);
  EXPECT_EQ(View->TopLine(), 14) << "07:00 at the top";
  ASSERT_EQ(View->ColRects().size(), 1u);
  EXPECT_EQ(View->ColRects()[0].Rec, Rect(85, 33, 388, 298));
  EXPECT_EQ(View->ColRects()[0].Date, At(2024, 5, 10));
  const TVpLineArray& lines = View->LineMatrix()[0];
  EXPECT_EQ(lines[13].Rec, kUndrawnRect);
  EXPECT_EQ(lines[14].Rec, Rect(93, 33, 388, 63));
  EXPECT_EQ(lines[23].Rec, Rect(93, 303, 388, 333)) << "one row past the visible ones is laid out";
  EXPECT_EQ(lines[24].Rec, kUndrawnRect);
  EXPECT_EQ(lines[15].Hour, 7);
  EXPECT_EQ(lines[15].Minute, 30);
}

// On screen a red line crosses today's column at the time it is now (09:45: three quarters into the
// 09:30 row); another day, and paper, show none.
TEST_F(DayViewTest, ALineMarksTheTimeItIsNowInTodaysColumn) {
  const auto nowLines = [](const TRecordingCanvas& canvas) {
    std::vector<TRect> found;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
      if (op.Brush.Color == clRed) found.push_back(op.Rect);
    return found;
  };
  Clock.Set(At(2024, 5, 10, 9, 45));
  const TVpLineRec row = [&] {
    Paint();
    return View->LineMatrix()[0][19];
  }();
  ASSERT_EQ(row.Hour, 9);
  ASSERT_EQ(row.Minute, 30);
  const int y = row.Rec.Top + row.Rec.Height() / 2;
  EXPECT_EQ(nowLines(Paint()), std::vector<TRect>{Rect(85, y - 1, 388, y + 1)});
  View->SetDate(At(2024, 5, 11));
  EXPECT_TRUE(nowLines(Paint()).empty());
}

// A second zone's hours stand left of the ruler, named by the zone's place; a zone half an hour
// off names its minutes.
TEST_F(DayViewTest, ASecondZonesHoursStandBesideTheRuler) {
  const TLocalZone berlin("Europe/Berlin");
  const auto secondRulerTexts = [&] {
    const TRecordingCanvas canvas = Paint(kTallView);
    std::vector<std::string> texts;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Rect.Left < View->ColRects()[0].Rec.Left - 60) texts.push_back(op.Text);
    return texts;
  };
  View->SetSecondZone("America/New_York");
  std::vector<std::string> texts = secondRulerTexts();
  EXPECT_GT(View->ColRects()[0].Rec.Left, 85) << "the ruler widens";
  ASSERT_GE(texts.size(), 25u);
  EXPECT_EQ(texts[0], "New York");
  EXPECT_EQ(texts[1], "6pm") << "Berlin's midnight in May";
  EXPECT_EQ(texts[8], "1am") << "Berlin's 07:00";
  View->SetSecondZone("Asia/Kolkata");
  View->SetTimeFormat(tf24Hour);
  texts = secondRulerTexts();
  ASSERT_GE(texts.size(), 9u);
  EXPECT_EQ(texts[8], "10:30");
  View->SetSecondZone("Nowhere/Else");
  EXPECT_EQ(View->SecondZone(), "") << "an unknown zone is none";
}

TEST_F(DayViewTest, CornerHeaderAndCellsAreFilledWhereTheyBelong) {
  View->HeadAttributes().SetColor(RGB(1, 1, 1));
  View->SetColor(RGB(2, 2, 2));
  const TRecordingCanvas canvas = Paint();
  EXPECT_EQ(FillsOf(canvas, RGB(1, 1, 1)),
            (std::vector<TRect>{Rect(1, 0, 85, 34), Rect(1, 33, 84, 300), Rect(85, 2, 397, 32)}))
      << "corner, ruler and the header reaching over the scroll bar";
  EXPECT_EQ(FillsOf(canvas, RGB(2, 2, 2)), (std::vector<TRect>{Rect(85, 33, 92, 298), Rect(93, 33, 388, 298)}))
      << "gutter strip and slot area";
  const TCanvasOp* label = canvas.FindText("Friday, May 10, 2024");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Rect.Left, 87 + 307 / 2 - 200 / 2);
  EXPECT_EQ(label->Rect.Top, 6);
}

struct TEventCase {
  std::string Name;
  std::vector<std::pair<double, double>> Events;  // start and end, on 10 May 2024
  std::vector<TRect> Rects;                       // as the drawn-event table holds them
};

class DayViewEventLayout : public DayViewTest, public ::testing::WithParamInterface<TEventCase> {};

double T(int hour, int minute = 0) { return At(2024, 5, 10, hour, minute); }

TEST_P(DayViewEventLayout, EventsTakeTheirRowsAndShareTheColumn) {
  for (const auto& [start, end] : GetParam().Events) AddEvent("e", start, end);
  Paint();
  EXPECT_EQ(EventRects(), GetParam().Rects);
}

// The slot area is 295 wide from x 93: one event alone takes three quarters (221) less the
// gutter, starting a pixel left of the slots; two side by side take half (147) each.
INSTANTIATE_TEST_SUITE_P(
    Cases, DayViewEventLayout,
    ::testing::Values(
        TEventCase{"OneEvent", {{T(9), T(10)}}, {Rect(92, 153, 306, 214)}},
        TEventCase{"TwoOverlapping",
                   {{T(9), T(10)}, {T(9, 30), T(10, 30)}},
                   {Rect(92, 153, 232, 214), Rect(240, 183, 380, 244)}},
        TEventCase{"TwoAdjacent", {{T(9), T(10)}, {T(10), T(11)}}, {Rect(92, 153, 306, 214), Rect(92, 213, 306, 274)}},
        TEventCase{"TenPastToTenTo", {{T(9, 10), T(9, 50)}}, {Rect(92, 153, 306, 214)}},
        TEventCase{"ThreeInARowOfTwo",
                   {{T(9), T(11)}, {T(9), T(9, 30)}, {T(10), T(10, 30)}},
                   {Rect(92, 153, 232, 184), Rect(92, 213, 232, 244), Rect(240, 153, 380, 274)}},
        TEventCase{"BeforeTheTopRowStartsAtTheTop", {{T(6), T(7, 30)}}, {Rect(92, 33, 306, 64)}}),
    [](const ::testing::TestParamInfo<TEventCase>& info) { return info.param.Name; });

TEST_F(DayViewTest, TheTimeBarMarksTheEventsTimesWithinItsSlots) {
  Store().CategoryColorMap().Category(0)->SetColor(kBarColor);
  AddEvent("e", T(9, 10), T(9, 50));
  const TRecordingCanvas canvas = Paint();
  // A third of a 30-pixel row is left free above and below; level 0 puts the bar in the gutter.
  EXPECT_EQ(FillsOf(canvas, kBarColor), (std::vector<TRect>{Rect(85, 163, 92, 203)}));
}

// All-day events stand in a strip below the date headers, one line each in every column of their
// days, and leave the rows to the timed events; without any the header keeps its height.
TEST_F(DayViewTest, AllDayEventsStandInAStripAboveTheRows) {
  View->SetNumDays(3);
  TVpEvent& conference = AddEvent("conference", At(2024, 5, 10), At(2024, 5, 10, 1));
  conference.SetAllDayEvent(true);  // a whole day: the end follows
  conference.SetEndTime(At(2024, 5, 12, 23, 59));
  AddEvent("holiday", At(2024, 5, 11), At(2024, 5, 11, 23, 59)).SetAllDayEvent(true);
  AddEvent("timed", T(9), T(10));
  const TRecordingCanvas canvas = Paint();
  const int strip = View->HeaderHeight() - 32;
  ASSERT_GT(strip, 0);
  EXPECT_EQ(View->ColRects()[0].Rec.Top, View->HeaderHeight() + 1) << "the rows begin below the strip";
  std::vector<std::string> texts;
  std::vector<int> lefts;
  for (size_t i = 0; i < View->EventArray().size(); ++i) {
    const TVpEventRec& drawn = View->EventArray()[i];
    if (drawn.Rec.Top < View->HeaderHeight()) {
      EXPECT_GE(drawn.Rec.Top, 32) << "within the strip";
      lefts.push_back(drawn.Rec.Left);
    }
    texts.push_back(View->DrawnEvent(i)->Description());
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"conference", "timed", "holiday", "conference", "conference"}));
  EXPECT_EQ(lefts.size(), 4u) << "the timed event keeps to the rows";
  int goingOn = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) goingOn += op.Text.starts_with(">> ") ? 1 : 0;
  EXPECT_EQ(goingOn, 2) << "the conference going on from the day before";

  View->SetNumDays(1);
  View->SetDate(At(2024, 5, 13));
  Paint();
  EXPECT_EQ(View->HeaderHeight(), 32);
}

TEST_F(DayViewTest, EventTextIsWrappedOrShortened) {
  Store().CategoryColorMap().Category(0)->SetBackgroundColor(kEventColor);
  AddEvent("A rather long description that will not fit in one row of this event and then some more", T(9), T(10));
  View->SetWrapStyle(wsIconFlow);
  TRecordingCanvas canvas = Paint();
  // The event (92, 153, 306, 213) takes text from x 92 + 7 on: 8-point lines 16 high from y 156,
  // the first 6 pixels in (25 characters), the others 3 (25 characters); three lines fit.
  std::vector<std::string> texts;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
    if (op.Rect.Left > 84 && op.Rect.Top >= 153) texts.push_back(op.Text);  // not the ruler's
  EXPECT_EQ(texts, (std::vector<std::string>{"A rather long description", "that will not fit in one",
                                             "row of this event and"}));
  EXPECT_EQ(FillsOf(canvas, clBlack),
            (std::vector<TRect>{Rect(286, 206, 289, 209), Rect(293, 206, 296, 209), Rect(300, 206, 303, 209)}))
      << "the three marks of text that did not fit";

  View->SetWrapStyle(wsNone);
  canvas = Paint();
  const TCanvasOp* line = canvas.FindText("A rather long descript...");
  ASSERT_NE(line, nullptr) << "306 - (92 + 7 + 6) = 201 pixels hold 22 characters and the dots";
  EXPECT_EQ(line->Rect.Left, 92 + 7 + 6);
  EXPECT_EQ(line->Rect.Top, 153 + 6);
}

TEST_F(DayViewTest, EventTimesLeadTheText) {
  AddEvent("Meeting", T(9), T(13, 15));
  View->SetShowEventTimes(true);
  View->SetWrapStyle(wsNone);
  View->Font().SetSize(4);
  EXPECT_NE(Paint().FindText("9:00am-1:15pm Meeting"), nullptr);
  View->SetTimeFormat(tf24Hour);
  EXPECT_NE(Paint().FindText("9:00-13:15 Meeting"), nullptr);
}

struct TRulerCase {
  std::string Name;
  TVpGranularity Granularity;
  TVpTimeFormat Format;
  int StartLine;
  std::vector<std::string> FirstTexts;  // in the order drawn
};

class DayViewRuler : public DayViewTest, public ::testing::WithParamInterface<TRulerCase> {};

TEST_P(DayViewRuler, LabelsTheHours) {
  const TRulerCase& c = GetParam();
  View->SetGranularity(c.Granularity);
  View->SetTimeFormat(c.Format);
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kTallView, ra0, 1.0, View->Date(), c.StartLine, -1, c.Granularity, false);
  const std::vector<std::string> texts = canvas.Texts();
  ASSERT_GE(texts.size(), c.FirstTexts.size());
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + static_cast<long>(c.FirstTexts.size())),
            c.FirstTexts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayViewRuler,
    ::testing::Values(
        // Small minute label, then the large hour.
        TRulerCase{"TwelveHourHalfHoursFromSeven",
                   gr30Min,
                   tf12Hour,
                   14,
                   {"am", "7", "00", "8", "00", "9", "00", "10", "00", "11", "pm", "12", "00", "1", "00", "2"}},
        TRulerCase{"TwelveHourFromMidnight", gr30Min, tf12Hour, 0, {"am", "12", "00", "1"}},
        TRulerCase{"TwelveHourFromHalfPastSeven", gr30Min, tf12Hour, 15, {"am", "8", "00", "9"}},
        TRulerCase{"TwentyFourHourHalfHours", gr30Min, tf24Hour, 14, {"00", "7", "00", "8"}},
        TRulerCase{
            "TwelveHourHours", gr60Min, tf12Hour, 7, {"7:am", "8:00", "9:00", "10:00", "11:00", "12:pm", "1:00"}},
        TRulerCase{"TwentyFourHourHours", gr60Min, tf24Hour, 7, {"7:00", "8:00"}},
        TRulerCase{"QuarterHours", gr15Min, tf24Hour, 28, {"00", "7", "00", "8"}}),
    [](const ::testing::TestParamInfo<TRulerCase>& info) { return info.param.Name; });

TEST_F(DayViewTest, RulerLabelsAndLinesSitAtTheRightOfTheRuler) {
  const TRecordingCanvas canvas = Paint();
  const TCanvasOp* am = canvas.FindText("am");
  const TCanvasOp* seven = canvas.FindText("7");
  ASSERT_TRUE(am && seven);
  EXPECT_EQ(am->Rect, Rect(84 - 18 - 7, 39, 84 - 7, 57)) << "9 points: 18 wide, 18 high";
  EXPECT_EQ(seven->Rect, Rect(84 - 18 - 28 - 2, 37, 84 - 28 - 2, 73)) << "18 points";
  std::vector<std::vector<TPoint>> rulerLines;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opLine))
    if (op.Points[0].X == 78) rulerLines.push_back(op.Points);
  ASSERT_GE(rulerLines.size(), 2u);
  EXPECT_EQ(rulerLines[0], (std::vector<TPoint>{{78, 63}, {56, 63}})) << "07:00 to 07:30: within the hour";
  EXPECT_EQ(rulerLines[1], (std::vector<TPoint>{{78, 93}, {7, 93}})) << "07:30 to 08:00: across the ruler";
}

TEST_F(DayViewTest, SeveralDaysWithoutWeekendsSkipSaturdayAndSunday) {
  View->SetDateLabelFormat("ddd d");
  View->SetIncludeWeekends(false);
  View->SetNumDays(5);
  AddEvent("Monday", At(2024, 5, 13, 9), At(2024, 5, 13, 10));
  const TRecordingCanvas canvas = Paint(Rect(0, 0, 600, 300));
  std::vector<double> days;
  std::vector<TRect> cells;
  for (const TVpColRec& column : View->ColRects()) {
    days.push_back(column.Date);
    cells.push_back(column.Rec);
  }
  EXPECT_EQ(days,
            (std::vector<double>{At(2024, 5, 10), At(2024, 5, 13), At(2024, 5, 14), At(2024, 5, 15), At(2024, 5, 16)}));
  // (600 - 82 - 14 - 1) div 5 = 100 pixels a column.
  EXPECT_EQ(cells, (std::vector<TRect>{Rect(85, 33, 185, 298), Rect(185, 33, 285, 298), Rect(285, 33, 385, 298),
                                       Rect(385, 33, 485, 298), Rect(485, 33, 585, 298)}));
  for (const char* label : {"Fri 10", "Mon 13", "Tue 14", "Wed 15", "Thu 16"})
    EXPECT_NE(canvas.FindText(label), nullptr) << label;
  // Monday's slots are 92 wide from x 193: 0.75 x 92 = 69, less the gutter.
  EXPECT_EQ(EventRects(), (std::vector<TRect>{Rect(192, 153, 254, 214)}));
}

TEST_F(DayViewTest, WeekendColumnsTakeTheWeekendSlotColour) {
  View->TimeSlotColors().SetWeekend(RGB(1, 1, 1));
  View->TimeSlotColors().SetWeekday(RGB(2, 2, 2));
  View->SetNumDays(3);  // Friday, Saturday, Sunday
  const TRecordingCanvas canvas = Paint();
  // (400 - 82 - 14 - 1) div 3 = 101 a column; ten rows each.
  EXPECT_EQ(FillsOf(canvas, RGB(2, 2, 2)).size(), 10u);
  const std::vector<TRect> weekend = FillsOf(canvas, RGB(1, 1, 1));
  ASSERT_EQ(weekend.size(), 20u);
  EXPECT_EQ(weekend[0], Rect(186 + 8, 33, 287, 63));
  EXPECT_EQ(weekend[10], Rect(287 + 8, 33, 388, 63));
}

TEST_F(DayViewTest, TheActiveRangeColoursItsSlots) {
  View->TimeSlotColors().SetActive(RGB(1, 1, 1));
  View->TimeSlotColors().SetInactive(RGB(2, 2, 2));
  View->TimeSlotColors().ActiveRange().SetRangeBegin(h_08);
  View->TimeSlotColors().ActiveRange().SetRangeEnd(h_10);
  const TRecordingCanvas canvas = Paint();
  // Rows 14 to 23 (07:00 to 11:30): 08:00 to 09:30 are active, the last minute of 10:00 is not.
  EXPECT_EQ(FillsOf(canvas, RGB(1, 1, 1)).size(), 4u);
  EXPECT_EQ(FillsOf(canvas, RGB(2, 2, 2)).size(), 6u);
}

TEST_F(DayViewTest, TheSelectedSlotIsHighlightedOnScreenOnly) {
  Paint();
  View->SetActiveRow(16);
  const TRecordingCanvas screen = Paint();
  EXPECT_EQ(FillsOf(screen, clHighlight), (std::vector<TRect>{Rect(93, 93, 388, 123)}));
  TRecordingCanvas print;
  View->RenderIntoRect(&print, kView, ra0, 1.0, View->Date(), 14, -1, gr30Min, true);
  EXPECT_TRUE(FillsOf(print, clHighlight).empty());
}

TEST_F(DayViewTest, TheResourceNameHeadsTheFirstColumn) {
  View->SetShowResourceName(true);
  View->SetNumDays(2);
  View->SetDateLabelFormat("ddd d");
  const TRecordingCanvas canvas = Paint();
  EXPECT_EQ(View->HeaderHeight(), 2 * 20 + 18);
  const TCanvasOp* name = canvas.FindText("KORET");
  const TCanvasOp* friday = canvas.FindText("Fri 10");
  const TCanvasOp* saturday = canvas.FindText("Sat 11");
  ASSERT_TRUE(name && friday && saturday);
  EXPECT_EQ(name->Rect.Top, 6);
  EXPECT_EQ(friday->Rect.Top, 20 + 12 - 2 + 2);
  EXPECT_EQ(saturday->Rect.Top, friday->Rect.Top);
}

}  // namespace
