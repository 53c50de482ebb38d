#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/day_number.h"
#include "model/enumerations.h"
#include "tests/views/day/test_day_view_support.h"

// Faults of the day view's layout that could crash it, loop, read outside its tables or draw a
// plainly wrong picture, each with the sound behaviour.

namespace {

constexpr TColor kEventColor = RGB(40, 50, 60);
constexpr TColor kBarColor = RGB(10, 20, 30);

double T(int hour, int minute = 0) { return At(2024, 5, 10, hour, minute); }

TEST_F(DayViewTest, TheDrawnEventTableHoldsEveryEventOfManyDays) {
  // 40 events a day on 30 days: more than the 1024 one day may have.
  for (int i = 0; i < 40; ++i) {
    AddDailyEvent("daily " + std::to_string(i), At(2024, 5, 1) + i * 30 * kOneMinute,
                  At(2024, 5, 1) + (i * 30 + 20) * kOneMinute);
  }
  View->SetNumDays(30);
  Paint(Rect(0, 0, 2000, 1500));
  EXPECT_EQ(View->EventArray().size(), 30u * 40u);
}

TEST_F(DayViewTest, PrintingFromALaterRowStopsTheRulerAtTheLastRow) {
  Paint(kTallView);
  ASSERT_EQ(View->TopLine(), 0);
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kTallView, ra0, 1.0, View->Date(), 46, -1, gr30Min, true);
  int rulerLines = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opLine)) rulerLines += op.Points[0].X == 78 ? 1 : 0;
  EXPECT_EQ(rulerLines, 2) << "rows 46 and 47 only";
  EXPECT_EQ(TextsAt(canvas, 84 - 36 - 30), (std::vector<std::string>{"11"})) << "23:00";
}

struct TPrintedRowsCase {
  std::string Name;
  TVpGranularity ViewGranularity;
  TVpGranularity PrintGranularity;
  int StartLine;
  int StopLine;
  int FirstHour;
  int LastHour;
};

class DayViewPrintedRows : public DayViewTest, public ::testing::WithParamInterface<TPrintedRowsCase> {};

// A print format gives its day's first and last row at its own granularity; the view's rows keep
// the view's granularity, so the rows are found by time, and exactly those rows are printed.
TEST_P(DayViewPrintedRows, FollowThePrintedHoursWhateverTheGranularity) {
  const TPrintedRowsCase& c = GetParam();
  View->SetGranularity(c.ViewGranularity);
  View->SetTimeFormat(tf24Hour);
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kTallView, ra0, 1.0, View->Date(), c.StartLine, c.StopLine, c.PrintGranularity, true);
  std::vector<std::string> expected;
  for (int hour = c.FirstHour; hour <= c.LastHour; ++hour) {
    expected.push_back("00");
    expected.push_back(std::to_string(hour));
  }
  std::vector<std::string> texts = canvas.Texts();
  texts.pop_back();  // the date header
  EXPECT_EQ(texts, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DayViewPrintedRows,
                         ::testing::Values(TPrintedRowsCase{"HoursOnHalfHourRows", gr30Min, gr60Min, 8, 17, 8, 17},
                                           TPrintedRowsCase{"QuarterHoursOnHourRows", gr60Min, gr15Min, 33, 68, 8, 17},
                                           TPrintedRowsCase{"SameGranularity", gr30Min, gr30Min, 16, 34, 8, 17},
                                           TPrintedRowsCase{"StopPastTheDay", gr30Min, gr05Min, 240, 400, 20, 23},
                                           TPrintedRowsCase{"NoStopLine", gr60Min, gr30Min, 44, -1, 22, 23}),
                         [](const ::testing::TestParamInfo<TPrintedRowsCase>& info) { return info.param.Name; });

TEST_F(DayViewTest, AScreenPassAtAnotherGranularityFillsTheViewsOwnRows) {
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kTallView, ra0, 1.0, View->Date(), 8, 17, gr60Min, false);
  const TVpLineArray& lines = View->LineMatrix()[0];
  EXPECT_EQ(lines[15].Rec, kUndrawnRect);
  EXPECT_EQ(lines[16].Rec.Top, 33);
  EXPECT_EQ(lines[34].Rec.Top, 33 + 18 * 30);
  EXPECT_EQ(lines[35].Rec, kUndrawnRect);
}

TEST_F(DayViewTest, AScaleOfZeroOrNotANumberDrawsAtScaleOne) {
  TRecordingCanvas one;
  View->RenderIntoRect(&one, kView, ra0, 1.0, View->Date(), -1, -1, gr30Min, true);
  for (double scale : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    SCOPED_TRACE(scale);
    TRecordingCanvas canvas;
    View->RenderIntoRect(&canvas, kView, ra0, scale, View->Date(), -1, -1, gr30Min, true);
    ASSERT_EQ(canvas.Ops().size(), one.Ops().size());
    for (size_t i = 0; i < one.Ops().size(); ++i) EXPECT_EQ(canvas.Ops()[i].Rect, one.Ops()[i].Rect);
  }
}

TEST_F(DayViewTest, RowsAreAtLeastAPixelAndAtLeastOneRowIsVisible) {
  TRecordingCanvas tiny;
  View->RenderIntoRect(&tiny, kView, ra0, 0.001, View->Date(), -1, -1, gr30Min, false);
  EXPECT_EQ(View->RowHeight(), 1);
  View->RowHeadAttributes().MinuteFont().SetSize(1);  // rows of 14 pixels
  Paint(Rect(0, 0, 400, 0));
  EXPECT_EQ(View->VisibleLines(), 1);
  EXPECT_EQ(View->ScrollBar().PageSize, 1);
}

TEST_F(DayViewTest, EventsBeforeTheEpochAreLaidOutByTheirTimeOfDay) {
  // Before 30 December 1899 a date-time is the day less its time of day.
  const double day = EncodeDate(1850, 6, 3);
  TVpEvent& old = AddEvent("old", T(9), T(10));
  old.SetStartTime(day - EncodeTime(9, 0));
  old.SetEndTime(day - EncodeTime(10, 0));
  View->SetDate(day);
  Paint();
  EXPECT_EQ(EventRects(), (std::vector<TRect>{Rect(92, 153, 306, 214)}));
}

TEST_F(DayViewTest, AnEventEndingNextDayOrAtItsStartKeepsItsRectangleUpright) {
  View->IconAttributes().SetAlarmBitmap(StandardAlarmPicture());
  AddEvent("late", T(22), At(2024, 5, 11, 2)).SetAlarmSet(true);
  TVpEvent& instant = AddEvent("instant", T(9), T(9, 30));
  instant.SetEndTime(T(9));
  instant.SetAlarmSet(true);
  const TRecordingCanvas canvas = Paint(kTallView);
  EXPECT_EQ(EventRects(), (std::vector<TRect>{Rect(92, 33 + 18 * 30, 306, 33 + 19 * 30 + 1),
                                              Rect(92, 33 + 44 * 30, 306, 33 + 48 * 30 + 1)}))
      << "the instant takes its slot; the late event runs to the end of its start day";
  for (const TCanvasOp& op : canvas.Ops()) EXPECT_FALSE(op.Rect.Right < op.Rect.Left || op.Rect.Bottom < op.Rect.Top);
}

TEST_F(DayViewTest, ColumnsNarrowerThanTheGutterDrawNoReversedRectangles) {
  View->IconAttributes().SetAlarmBitmap(StandardAlarmPicture());
  AddEvent("e", T(9), T(10)).SetAlarmSet(true);
  View->SetGutterWidth(20);
  View->SetNumDays(30);  // columns of 303 div 30 = 10 pixels
  const TRecordingCanvas canvas = Paint();
  for (const TCanvasOp& op : canvas.Ops()) EXPECT_FALSE(op.Rect.Right < op.Rect.Left || op.Rect.Bottom < op.Rect.Top);
  for (const TVpLineRec& line : View->LineMatrix()[0])
    EXPECT_TRUE(line.Rec == kUndrawnRect || line.Rec.Right >= line.Rec.Left);
  ASSERT_EQ(View->EventArray().size(), 1u);
  EXPECT_GT(View->EventArray()[0].Rec.Width(), 0);
}

TEST_F(DayViewTest, IconsShrinkToLowRows) {
  View->IconAttributes().SetAlarmBitmap(StandardAlarmPicture());
  View->RowHeadAttributes().MinuteFont().SetSize(0);  // rows of 12 pixels
  AddEvent("e", T(9), T(9, 30)).SetAlarmSet(true);
  const TRecordingCanvas canvas = Paint(kTallView);
  ASSERT_EQ(View->EventArray().size(), 1u);
  const TVpEventRec& drawn = View->EventArray()[0];
  // The 16 x 16 picture in a 12-pixel event: 10 x 10, a pixel in from the icon area's corner.
  EXPECT_EQ(canvas.OpsOf(TCanvasOp::opBitmap).at(0).Rect,
            Rect(drawn.Rec.Left + 1, drawn.Rec.Top + 1, drawn.Rec.Left + 11, drawn.Rec.Top + 11));
  EXPECT_EQ(drawn.IconRect, Rect(drawn.Rec.Left, drawn.Rec.Top, drawn.Rec.Left + 12, drawn.Rec.Top + 10));
}

TEST_F(DayViewTest, ARepeatingOccurrenceOverlapsByTimeOfDayAndStaysInItsColumn) {
  AddDailyEvent("daily", At(2024, 5, 1, 9), At(2024, 5, 1, 10));
  AddEvent("once", T(9, 30), T(10, 30));
  View->SetNumDays(2);
  Paint();
  // Two columns of 151: the first's slots are 143 wide from x 93, the second's from x 244.
  EXPECT_EQ(EventRects(),
            (std::vector<TRect>{Rect(92, 153, 156, 214), Rect(164, 183, 228, 244), Rect(243, 153, 343, 214)}));
}

TEST_F(DayViewTest, OccurrencesAreOrderedByTimeOfDay) {
  // The repeating event comes first in the schedule (its stored start is earlier) but starts later
  // in the day: the two do not meet and each takes the full width.
  AddDailyEvent("daily", At(2024, 5, 1, 10), At(2024, 5, 1, 11));
  AddEvent("once", T(9), T(10));
  Paint();
  EXPECT_EQ(EventRects(), (std::vector<TRect>{Rect(92, 153, 306, 214), Rect(92, 213, 306, 274)}));
}

TEST_F(DayViewTest, EventsSharingASlotStandSideBySideThoughTheirTimesDoNotMeet) {
  AddEvent("first", T(9), T(9, 10));
  AddEvent("second", T(9, 15), T(9, 25));
  Paint();
  EXPECT_EQ(EventRects(), (std::vector<TRect>{Rect(92, 153, 232, 184), Rect(240, 153, 380, 184)}));
}

TEST_F(DayViewTest, APrintedDayWidensItsRowsToHoldAnEventRunningPastTheLastRow) {
  Store().CategoryColorMap().Category(0)->SetBackgroundColor(kEventColor);
  AddEvent("long", T(8), T(12));
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kView, ra0, 1.0, View->Date(), 16, 18, gr30Min, true);
  // Rows 16 to 23 (to 12:00) from y 33, 30 high; printing keeps 2 pixels for the scroll bar:
  // slots 307 wide, which a lone event takes whole on paper.
  EXPECT_EQ(FillsOf(canvas, kEventColor), (std::vector<TRect>{Rect(92, 33, 92 + 307 - 7, 33 + 8 * 30)}));
}

TEST_F(DayViewTest, TheTopRowCanBeZeroWhenNearlyEveryRowFits) {
  Paint(Rect(0, 0, 400, 1420));  // 47 visible lines of 48
  ASSERT_EQ(View->VisibleLines(), 47);
  View->SetTopLine(0);
  EXPECT_EQ(View->TopLine(), 0);
  View->SetTopLine(5);
  EXPECT_EQ(View->TopLine(), 2);
}

TEST_F(DayViewTest, ChangingTheGranularityKeepsTheSelectionOnItsTime) {
  View->SetGranularity(gr05Min);
  Paint();
  View->SetActiveRow(200);  // 16:40
  View->SetGranularity(gr60Min);
  EXPECT_EQ(View->ActiveRow(), 16);
}

TEST_F(DayViewTest, TheStoreLoadsEveryDayTheColumnsShow) {
  Store().ActiveResource()->Schedule().AddEvent(-1, At(2024, 6, 19, 9), At(2024, 6, 19, 10))->SetDescription("far");
  Store().PostEvents();
  Store().ReloadEvents();  // 19 June lies outside the window loaded around 10 May
  View->Loaded();
  View->SetIncludeWeekends(false);
  View->SetNumDays(30);  // 10 May to 20 June
  Paint(Rect(0, 0, 3200, 300));
  ASSERT_EQ(View->EventArray().size(), 1u);
  ASSERT_NE(View->DrawnEvent(0), nullptr);
  EXPECT_EQ(View->DrawnEvent(0)->Description(), "far");
}

TEST_F(DayViewTest, APrintedHeaderLeavesNoRoomForAResourceNameItDoesNotShow) {
  View->SetShowResourceName(true);
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kView, ra0, 1.0, View->Date(), -1, -1, gr30Min, true);
  EXPECT_EQ(FillsOf(canvas, RGB(192, 192, 192)).at(0), Rect(1, 0, 85, 34)) << "the corner, as tall as one line";
  EXPECT_EQ(canvas.FindText("KORET"), nullptr);
}

TEST_F(DayViewTest, HourRowsMarkTheEventsTimesInTheirTimeBar) {
  Store().CategoryColorMap().Category(0)->SetColor(kBarColor);
  View->SetGranularity(gr60Min);
  AddEvent("e", T(9, 30), T(10, 30));
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kView, ra0, 1.0, View->Date(), 7, -1, gr60Min, false);
  // Rows 9 and 10 from y 93 to 153: half an hour is half a row.
  EXPECT_EQ(FillsOf(canvas, kBarColor), (std::vector<TRect>{Rect(85, 108, 92, 138)}));
}

TEST_F(DayViewTest, APrintAtHighResolutionFillsItsRectangleWithRows) {
  TRecordingCanvas canvas(600);
  const double scale = 600.0 / 96;
  View->RenderIntoRect(&canvas, Rect(0, 0, 2400, 3000), ra0, scale, View->Date(), 0, -1, gr30Min, true);
  // Rows of round(6.25 x 30) = 188 under a header of 200: 15 visible lines and the one after.
  int gridLines = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opLine)) gridLines += op.Pen.Color == clGray ? 1 : 0;
  EXPECT_EQ(gridLines, 2 * 16) << "rows down to 201 + 16 x 188, past the bottom at 3000";
}

TEST_F(DayViewTest, TheLastHeaderReachesTheBorderWhateverDaysAreSkipped) {
  View->HeadAttributes().SetColor(RGB(1, 1, 1));
  View->SetIncludeWeekends(false);
  View->SetNumDays(5);
  const TRecordingCanvas canvas = Paint(Rect(0, 0, 600, 300));
  EXPECT_EQ(FillsOf(canvas, RGB(1, 1, 1)).back(), Rect(485, 2, 597, 32));
}

}  // namespace
