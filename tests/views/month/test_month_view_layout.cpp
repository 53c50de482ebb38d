#include <algorithm>

#include "model/day_number.h"
#include "tests/views/month/test_month_view_support.h"

namespace {

using MonthViewLayout = MonthViewTest;

// September 2024 begins on a Sunday.
struct TGridCase {
  TVpDayType WeekStartsOn;
  double FirstCell;
  int CellOfTheFirst;
};

TEST_F(MonthViewLayout, TheGridStartsWithTheWeekStartDayOfTheWeekHoldingTheFirst) {
  const TGridCase cases[] = {
      {dtMonday, At(2024, 8, 26), 6},
      {dtSunday, At(2024, 9, 1), 0},
      {dtSaturday, At(2024, 8, 31), 1},
  };
  for (const TGridCase& c : cases) {
    View->SetWeekStartsOn(c.WeekStartsOn);
    Paint();
    EXPECT_EQ(Cell(0).Date, c.FirstCell) << c.WeekStartsOn;
    EXPECT_EQ(Cell(c.CellOfTheFirst).Date, At(2024, 9, 1)) << c.WeekStartsOn;
    for (int i = 0; i < TVpMonthViewLayout::kDayCells; ++i) {
      EXPECT_EQ(Cell(i).Date, c.FirstCell + i) << "cells follow day by day";
      EXPECT_EQ(Cell(i).OffDay, DecodeDate(Cell(i).Date).Month != 9) << i;
    }
    EXPECT_TRUE(Cell(41).OffDay) << "42 cells always reach into the next month";
  }
}

TEST_F(MonthViewLayout, CellsFollowTheColumnWidthAndRowHeight) {
  Paint();
  const TVpMonthViewLayout& layout = View->ScreenLayout();
  EXPECT_EQ(layout.HeaderHeight, 28);
  EXPECT_EQ(layout.ColWidth, 42);
  EXPECT_EQ(layout.RowHeight, 27);
  EXPECT_EQ(Cell(0).Rec, Rect(1, 60, 43, 87));
  EXPECT_EQ(Cell(1).Rec, Rect(44, 60, 86, 87));
  EXPECT_EQ(Cell(7).Rec, Rect(1, 88, 43, 115));
  EXPECT_EQ(Cell(6).Rec, Rect(259, 60, 297, 87)) << "the last column ends inside the border";
  EXPECT_EQ(Cell(41).Rec.Bottom, 222) << "the last row ends inside the border";
}

TEST_F(MonthViewLayout, TheLastColumnAndItsNumbersStayWithinTheBorder) {
  // Widths whose room divides by seven leave no slack at the right.
  for (const int width : {298, 300, 305, 711}) {
    const TRecordingCanvas canvas = Paint(Rect(0, 0, width, 300));
    for (int week = 0; week < 6; ++week) {
      const TVpMonthdayRec& cell = Cell(week * 7 + 6);
      EXPECT_LE(cell.Rec.Right, width - 3) << width;
      const std::optional<TCanvasOp> number = DayNumberOp(canvas, cell);
      ASSERT_TRUE(number) << width << " week " << week;
      EXPECT_LE(number->Rect.Right, width - 3) << width;
    }
  }
}

TEST_F(MonthViewLayout, DaysOfTheNeighbouringMonthsAreShaded) {
  View->SetWeekStartsOn(dtMonday);
  const TRecordingCanvas canvas = Paint();
  std::vector<TRect> shaded;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
    if (op.Brush.Color == clSilver) shaded.push_back(op.Rect);
  std::vector<TRect> offDays;
  for (const TVpMonthdayRec& cell : View->ScreenLayout().Days)
    if (cell.OffDay) offDays.push_back(cell.Rec);
  EXPECT_EQ(offDays.size(), 12u) << "26 to 31 August and 1 to 6 October";
  EXPECT_EQ(shaded, offDays);
}

TEST_F(MonthViewLayout, DaysWithEventsHaveBoldNumbersAndTheSelectedDayIsRed) {
  TVpEvent& weekly = AddEvent("Choir", At(2024, 9, 3, 19), At(2024, 9, 3, 21));  // a Tuesday
  weekly.SetRepeatCode(rcWeekly);
  weekly.SetRepeatRangeEnd(At(2024, 10, 1));
  AddEvent("Dentist", At(2024, 9, 20, 10), At(2024, 9, 20, 11));
  AddEvent("Trip", At(2024, 9, 2, 8), At(2024, 9, 2, 9));  // on the selected day
  View->SetEventDayStyle(fsBold);
  const TRecordingCanvas canvas = Paint();

  const std::vector<double> eventDays = {At(2024, 9, 2),  At(2024, 9, 3),  At(2024, 9, 10), At(2024, 9, 17),
                                         At(2024, 9, 20), At(2024, 9, 24), At(2024, 10, 1)};
  for (const TVpMonthdayRec& cell : View->ScreenLayout().Days) {
    const std::optional<TCanvasOp> number = DayNumberOp(canvas, cell);
    ASSERT_TRUE(number) << cell.Date;
    const bool hasEvents = std::find(eventDays.begin(), eventDays.end(), cell.Date) != eventDays.end();
    EXPECT_EQ((number->Font.Style & fsBold) != 0, hasEvents || cell.Date == View->Date()) << cell.Date;
    EXPECT_EQ(number->Font.Color, cell.Date == View->Date() ? clRed : clWindowText) << cell.Date;
  }
  EXPECT_TRUE(Cell(30).OffDay) << "1 October, a neighbouring-month day with events, bold on grey";

  View->SetEventDayStyle(0);
  const TRecordingCanvas plain = Paint();
  EXPECT_EQ(DayNumberOp(plain, Cell(2))->Font.Style, 0) << "without an event-day style 3 September is plain";
}

TEST_F(MonthViewLayout, EventLinesFillTheCellAndMoreMarksShowWhatDoesNotFit) {
  for (int i = 0; i < 3; ++i) AddEvent("Call " + std::to_string(i), At(2024, 9, 5, 8 + i), At(2024, 9, 5, 9 + i));
  View->SetShowEventTime(true);
  View->SetTimeFormat(tf24Hour);
  const TRecordingCanvas canvas = Paint(Rect(0, 0, 1404, 225));
  // Columns 200 wide: 5 September is cell 4 (Sunday start), (805, 60, 1005, 87). The first line
  // (805, 60, 983, 79) keeps clear of the day number; a second 18-pixel line would end at 98,
  // past the cell.
  const TVpEventArray& events = View->ScreenLayout().Events;
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].Rec, Rect(805, 60, 983, 79));
  const TCanvasOp* line = canvas.FindText("08:00 - Call 0");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->Rect.Left, 808);
  EXPECT_EQ(line->Rect.Top, 63);
  int marks = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
    if (op.Brush.Color == clBlack && op.Rect.Width() == 3 && op.Rect.Top == 80) ++marks;
  EXPECT_EQ(marks, 3);
}

TEST_F(MonthViewLayout, ATallMonthWithManyEventsDrawsEveryLine) {
  // 30 daily events, every one of them fits in cells 656 pixels high: 42 x 30 lines, more than a
  // table of fixed size once held.
  for (int i = 0; i < 30; ++i) {
    TVpEvent& daily =
        AddEvent("Daily " + std::to_string(i), At(2024, 8, 1, 6) + i * kOneMinute, At(2024, 8, 1, 7) + i * kOneMinute);
    daily.SetRepeatCode(rcDaily);
    daily.SetRepeatRangeEnd(At(2024, 12, 31));
  }
  Paint(Rect(0, 0, 700, 4000));
  EXPECT_EQ(View->ScreenLayout().Events.size(), 42u * 30u);
}

TEST_F(MonthViewLayout, ViewsOfNoSizeDrawNoGrid) {
  AddEvent("Dentist", At(2024, 9, 20, 10), At(2024, 9, 20, 11));
  for (const TRect& rect : {Rect(0, 0, 0, 0), Rect(50, 50, 10, 10), Rect(0, 0, 6, 70), Rect(0, 0, 300, 40)}) {
    TRecordingCanvas canvas;
    View->RenderIntoRect(&canvas, rect, ra0, 1, 0, 0, 0, gr30Min, false);
    EXPECT_TRUE(canvas.Texts().empty()) << rect;
    EXPECT_EQ(View->ScreenLayout().Days[0].Rec, kUndrawnRect) << rect;
    EXPECT_TRUE(View->ScreenLayout().Events.empty()) << rect;
  }
}

TEST_F(MonthViewLayout, APrintAt600DotsPerInchDrawsInBlackAndWhiteWithinItsRectangle) {
  AddEvent("Dentist", At(2024, 9, 20, 10), At(2024, 9, 20, 11));
  View->SetEventDayStyle(fsBold);
  View->EventFont().SetSize(4);  // 25 pixels a character at 600 dots per inch
  const TRect page = Rect(300, 300, 4800, 6300);
  TRecordingCanvas canvas(600);
  View->RenderIntoRect(&canvas, page, ra0, 1, At(2024, 9, 20), 0, 0, gr30Min, true);
  int numbers = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) {
    EXPECT_GE(op.Rect.Left, page.Left) << op.Text;
    EXPECT_LE(op.Rect.Right, page.Right) << op.Text;
    EXPECT_LE(op.Rect.Bottom, page.Bottom) << op.Text;
    if (op.Font.Color == clBlack && !op.Text.empty() && std::isdigit(static_cast<unsigned char>(op.Text[0]))) ++numbers;
  }
  EXPECT_EQ(numbers, 42) << "every day number in black, the selected one too";
  const TCanvasOp* dentist = canvas.FindText("10:00am Dentist");
  ASSERT_NE(dentist, nullptr) << "a print tells when an event starts, in a line of its own below the day number";
  const TCanvasOp* twenty = canvas.FindText("20");
  ASSERT_NE(twenty, nullptr);
  EXPECT_GE(dentist->Rect.Top, twenty->Rect.Bottom);
  EXPECT_NE(canvas.FindText("September 2024"), nullptr);
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
    EXPECT_TRUE(op.Brush.Color == clWhite || op.Brush.Color == RGB(192, 192, 192) || op.Brush.Color == clBlack)
        << op.Brush.Color;
  EXPECT_EQ(View->ScreenLayout().Days[0].Rec, kUndrawnRect) << "a print keeps its layout to itself";
}

}  // namespace
