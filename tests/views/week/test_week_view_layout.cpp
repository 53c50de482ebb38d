#include <string>
#include <vector>

#include "model/event.h"
#include "tests/views/week/test_week_view_support.h"

// The week view's picture on the recording canvas: the week shown, the header, the day boxes, the
// all-day and timed events, the "more" marks, and rectangles no picture fits in.

namespace {

const std::vector<TRect> kBoxes = {{1, 31, 201, 118},    {1, 118, 201, 208},   {1, 208, 201, 298},  {200, 31, 398, 118},
                                   {200, 118, 398, 208}, {200, 208, 398, 253}, {200, 253, 398, 298}};

std::vector<TRect> BoxesOf(const TVpWeekView& view) {
  std::vector<TRect> boxes;
  for (const TVpWeekdayRec& day : view.WeekdayArray()) boxes.push_back(day.Rec);
  return boxes;
}

}  // namespace

TEST_F(WeekViewTest, DefaultsAndChangesRepaint) {
  TVpWeekView view(Clock, Locale);
  EXPECT_EQ(view.GetItemType(), itWeekView);
  EXPECT_EQ(view.Width(), 300);
  EXPECT_EQ(view.Height(), 225);
  EXPECT_EQ(view.Date(), Clock.Now());
  EXPECT_EQ(view.WeekStart(), At(2024, 5, 6)) << "the clock's Friday 10 May";
  EXPECT_EQ(view.DateLabelFormat(), "dddd, mmmm dd, yyyy");
  EXPECT_EQ(view.DayHeadAttributes().DateFormat(), "dddd mmmm, dd");
  EXPECT_EQ(view.DayHeadAttributes().Font().Name(), "Tahoma");
  EXPECT_EQ(view.AllDayEventAttributes().BackgroundColor(), clWindow);
  EXPECT_EQ(view.AllDayEventAttributes().EventBorderColor(), clGray);
  EXPECT_EQ(view.EventFont().Font(), view.Font().Font());
  EXPECT_TRUE(view.ShowEventTime());
  EXPECT_EQ(view.TimeFormat(), tf12Hour);
  EXPECT_EQ(view.WeekStartsOn(), dtMonday);

  int repaints = 0;
  view.OnInvalidate = [&] { ++repaints; };
  view.SetColor(clWindow);
  EXPECT_EQ(repaints, 0) << "an unchanged value";
  view.SetLineColor(clRed);
  view.AllDayEventAttributes().Font().SetSize(12);
  view.DayHeadAttributes().SetBordered(false);
  view.SetWeekStartsOn(dtSunday);
  EXPECT_EQ(repaints, 4);
  EXPECT_EQ(view.WeekStart(), At(2024, 5, 5)) << "the week shown still holds the date";
  view.SetDate(At(2024, 5, 11, 23));
  EXPECT_EQ(view.WeekStart(), At(2024, 5, 5));
  view.SetDate(At(2024, 5, 12));
  EXPECT_EQ(view.WeekStart(), At(2024, 5, 12));
}

TEST_F(WeekViewTest, ASundayWithAMondayStartIsTheLastBoxAtHalfHeight) {
  View->SetDate(At(2024, 5, 12, 15));
  EXPECT_EQ(View->WeekStart(), At(2024, 5, 6));
  Paint();
  EXPECT_EQ(BoxesOf(*View), kBoxes);
  EXPECT_EQ(View->WeekdayArray()[0].Day, At(2024, 5, 6));
  EXPECT_EQ(View->WeekdayArray()[6].Day, At(2024, 5, 12));
  EXPECT_EQ(View->HeaderHeight(), 28);
  EXPECT_EQ(View->DayHeadHeight(), 28);
  EXPECT_EQ(View->EventLineHeight(), 19);

  // With a Sunday start the same Sunday begins its own week.
  View->SetWeekStartsOn(dtSunday);
  View->SetDate(At(2024, 5, 19, 15));
  EXPECT_EQ(View->WeekStart(), At(2024, 5, 19));
  View->SetDate(At(2024, 5, 25));
  EXPECT_EQ(View->WeekStart(), At(2024, 5, 19)) << "a date inside the week keeps the week";
}

TEST_F(WeekViewTest, TheHeaderCarriesTheIsoWeekOfTheFirstDay) {
  struct TCase {
    double Date;
    TVpDayType Start;
    const char* Label;
  };
  const TCase cases[] = {
      {At(2024, 12, 30), dtMonday, " 1. Week of 2024"},   // its Thursday lies in 2025
      {At(2025, 1, 5), dtMonday, " 1. Week of 2024"},     // the same week's Sunday
      {At(2020, 12, 28), dtMonday, " 53. Week of 2020"},  // 2020 began on a Wednesday
      {At(2024, 5, 6), dtMonday, " 19. Week of 2024"},
      {At(2021, 1, 3), dtSunday, " 53. Week of 2021"},  // a Sunday belongs to the week before it
      {At(2026, 1, 1), dtMonday, " 1. Week of 2025"},   // Monday 29 December 2025
  };
  View->SetDateLabelFormat("yyyy");
  for (const TCase& c : cases) {
    View->SetWeekStartsOn(c.Start);
    View->SetDate(c.Date);
    const TRecordingCanvas canvas = Paint();
    const TCanvasOp* label = canvas.FindText(c.Label);
    ASSERT_NE(label, nullptr) << c.Label;
    EXPECT_EQ(label->Rect.Left, 12);
    EXPECT_EQ(label->Rect.Top, 6);
  }
}

// An event over several days shows on each of them, marked as going on after its first.
TEST_F(WeekViewTest, AnEventOverSeveralDaysShowsOnEachMarkedAfterItsFirst) {
  AddEvent("Talk", At(2024, 5, 7, 9), At(2024, 5, 9, 17));
  View->SetTimeFormat(tf24Hour);
  const TRecordingCanvas canvas = Paint();
  EXPECT_EQ(TextsWithin(canvas, kBoxes[0]), (std::vector<std::string>{"Monday May, 06"}));
  EXPECT_EQ(TextsWithin(canvas, kBoxes[1]), (std::vector<std::string>{"Tuesday May, 07", "09:00 - 17:00:  Talk"}));
  for (int day : {2, 3}) EXPECT_EQ(TextsWithin(canvas, kBoxes[day]).back(), ">> 09:00 - 17:00:  Talk") << day;
  EXPECT_EQ(TextsWithin(canvas, kBoxes[4]).size(), 1u) << "Friday holds its caption only";
}

TEST_F(WeekViewTest, AllDayEventsComeFirstAndThoseBegunBeforeTheWeekAreMarked) {
  TVpEvent& holiday = AddEvent("Holiday", At(2024, 4, 1), At(2024, 4, 2));
  holiday.SetAllDayEvent(true);
  holiday.SetRepeatCode(rcDaily);
  holiday.SetRepeatRangeEnd(At(2024, 12, 31));
  AddEvent("Standup", At(2024, 5, 7, 9), At(2024, 5, 7, 9, 30));
  AddEvent("Trip", At(2024, 5, 7), At(2024, 5, 8)).SetAllDayEvent(true);
  View->SetTimeFormat(tf24Hour);
  const TRecordingCanvas canvas = Paint();

  // Tuesday: area from y 146 (118 + 28), 2 events: filled to 146 + 2 x 25 + 12 = 208, the box
  // bottom; the timed line would start there but passes the bottom.
  EXPECT_EQ(TextsWithin(canvas, kBoxes[1]), (std::vector<std::string>{"Tuesday May, 07", ">> Holiday", "Trip"}));
  // Monday's first: at (left + 18, area top + 6 + 6).
  EXPECT_EQ(canvas.FindText(">> Holiday")->Rect.Left, 19);
  EXPECT_EQ(canvas.FindText(">> Holiday")->Rect.Top, 71);
  // Thursday has room for the timed line below its one all-day event; Tuesday's line does not fit.
  AddEvent("Review", At(2024, 5, 9, 14), At(2024, 5, 9, 15));
  const TRecordingCanvas thursday = Paint();
  EXPECT_EQ(TextsWithin(thursday, kBoxes[3]),
            (std::vector<std::string>{"Thursday May, 09", ">> Holiday", "14:00 - 15:00:  Review"}));
  // The line starts at the all-day area's bottom: 59 + 25 + 12 = 96, text at 99.
  EXPECT_EQ(thursday.FindText("14:00 - 15:00:  Review")->Rect.Top, 99);
  EXPECT_EQ(thursday.FindText("14:00 - 15:00:  Review")->Rect.Left, 206);
}

TEST_F(WeekViewTest, ABoxTooLowForItsEventsGetsTheMoreMarks) {
  for (int i = 0; i < 3; ++i) AddEvent("Call " + std::to_string(i), At(2024, 5, 11, 9 + i), At(2024, 5, 11, 10 + i));
  View->SetShowEventTime(false);
  const TRecordingCanvas canvas = Paint();
  // Saturday (208 to 253): the first line (236 to 255) fits within 6 pixels, the second does not.
  EXPECT_EQ(TextsWithin(canvas, kBoxes[5]), (std::vector<std::string>{"Saturday May, 11", "Call 0"}));
  EXPECT_EQ(MoreMarks(canvas), (std::vector<TRect>{{378, 246, 381, 249}, {385, 246, 388, 249}, {392, 246, 395, 249}}));
  EXPECT_EQ(View->EventArray().size(), 1u);
  EXPECT_EQ(View->EventArray()[0].Rec, Rect(200, 236, 398, 255));
}

TEST_F(WeekViewTest, ABoxLowerThanItsCaptionAndTwelvePixelsShowsNoEvents) {
  AddEvent("Monday", At(2024, 5, 6, 9), At(2024, 5, 6, 10));
  AddEvent("Tuesday", At(2024, 5, 7, 9), At(2024, 5, 7, 10));
  AddEvent("Saturday", At(2024, 5, 11, 9), At(2024, 5, 11, 10));
  View->SetShowEventTime(false);
  // Height 154: day height 42; Monday is 39 high (from y 31), Tuesday 42, Saturday 21.
  const TRecordingCanvas canvas = Paint({0, 0, 400, 154});
  EXPECT_EQ(canvas.FindText("Monday"), nullptr);
  EXPECT_NE(canvas.FindText("Tuesday"), nullptr);
  EXPECT_EQ(canvas.FindText("Saturday"), nullptr);
}

TEST_F(WeekViewTest, TheDrawnEventTableGrowsWithATallView) {
  constexpr int kPerDay = 160;  // 7 x 160 lines, more than any fixed table of 1024
  for (int day = 0; day < 7; ++day)
    for (int i = 0; i < kPerDay; ++i)
      AddEvent("E", At(2024, 5, 6 + day, 8) + i / 1440.0, At(2024, 5, 6 + day, 8) + (i + 1) / 1440.0);
  Paint({0, 0, 400, 20000});
  EXPECT_EQ(View->EventArray().size(), 7u * kPerDay);
}

TEST_F(WeekViewTest, RectanglesWithoutRoomDrawNothingAndPrintsAtHighResolutionStayInside) {
  AddEvent("Meeting", At(2024, 5, 8, 9), At(2024, 5, 8, 10)).SetAllDayEvent(true);
  AddEvent("Lunch", At(2024, 5, 8, 12), At(2024, 5, 8, 13));
  for (const TRect rect : {TRect{0, 0, 0, 0}, TRect{10, 10, 10, 300}, TRect{0, 0, 400, 0}}) {
    TRecordingCanvas canvas;
    View->Paint(canvas, rect);
    EXPECT_TRUE(canvas.Ops().empty()) << rect;
    for (const TVpWeekdayRec& day : View->WeekdayArray()) EXPECT_EQ(day.Rec, kUndrawnRect);
  }
  // Reversed and tiny rectangles are laid out without a crash.
  for (const TRect rect : {TRect{50, 50, 10, 10}, TRect{0, 0, 1, 1}, TRect{0, 0, 3, 40}, TRect{0, 0, 40, 3}}) {
    TRecordingCanvas canvas;
    View->RenderIntoRect(&canvas, rect, ra0, 1, 0, 0, 0, gr30Min, true);
  }
  // A page at 600 dots per inch: every text lies inside the rectangle, both events are there.
  TRecordingCanvas printer(600);
  const TRect page{300, 300, 4800, 6300};
  for (TVpRotationAngle angle : {ra0, ra90}) {
    printer.Clear();
    View->RenderIntoRect(&printer, page, angle, 1, At(2024, 5, 8), 0, 0, gr30Min, true);
    EXPECT_NE(printer.FindText("Meeting"), nullptr);
    EXPECT_EQ(printer.OpsOf(TCanvasOp::opFocusRect).size(), 0u) << "a print has no focus frame";
    if (angle != ra0) continue;
    for (const TCanvasOp& op : printer.OpsOf(TCanvasOp::opText)) {
      EXPECT_GE(op.Rect.Left, page.Left) << op.Text;
      EXPECT_GE(op.Rect.Top, page.Top) << op.Text;
      EXPECT_LE(op.Rect.Right, page.Right) << op.Text;
      EXPECT_LE(op.Rect.Bottom, page.Bottom) << op.Text;
    }
  }
  EXPECT_EQ(View->WeekdayArray()[0].Rec, kUndrawnRect) << "printing leaves the screen's tables alone";
}

TEST_F(WeekViewTest, PrintsUseFixedColoursAndTheScreenTheViews) {
  View->SetColor(clYellow);
  View->HeadAttributes().SetColor(clAqua);
  const TRecordingCanvas screen = Paint();
  ASSERT_FALSE(screen.OpsOf(TCanvasOp::opFillRect).empty());
  EXPECT_EQ(screen.OpsOf(TCanvasOp::opFillRect)[0].Brush.Color, clYellow);
  EXPECT_EQ(screen.OpsOf(TCanvasOp::opFillRect)[1].Brush.Color, clAqua);
  EXPECT_EQ(screen.OpsOf(TCanvasOp::opFocusRect).size(), 1u);
  EXPECT_EQ(screen.OpsOf(TCanvasOp::opFocusRect)[0].Rect, Rect(3, 238, 199, 296)) << "on Wednesday";

  TRecordingCanvas printer;
  View->RenderIntoRect(&printer, kView, ra0, 1, 0, 0, 0, gr30Min, true);
  EXPECT_EQ(printer.OpsOf(TCanvasOp::opFillRect)[0].Brush.Color, clWhite);
  EXPECT_EQ(printer.OpsOf(TCanvasOp::opFillRect)[1].Brush.Color, RGB(192, 192, 192));
  EXPECT_NE(printer.FindText(" 19. Week of Monday, May 06, 2024"), nullptr) << "centred, not cut";
}
