#include <string>
#include <vector>

#include "model/day_number.h"
#include "tests/views/day/test_day_view_support.h"
#include "views/day/day_view_metrics.h"

// What a printed day view shows: every timed event of its days, on rows widened by whole hours
// and lowered to fit, and a mark for what still cannot be shown.

namespace {

double T(int hour, int minute = 0) { return At(2024, 5, 10, hour, minute); }

TEST(PrintedRows, FitTheWantedRowsIntoTheCellDownToTheLeastHeight) {
  struct TCase {
    const char* Name;
    int CellHeight, RowHeight, Least, Wanted;
    TVpPrintedRows Rows;
  } const cases[] = {
      {"room to spare", 1000, 30, 20, 20, {30, 20}},
      {"exactly", 600, 30, 20, 20, {30, 20}},
      {"lowered", 590, 30, 20, 20, {29, 20}},
      {"at the least", 300, 30, 20, 20, {20, 15}},
      {"least above the row", 100, 10, 20, 20, {10, 10}},
      {"no room", 0, 30, 20, 20, {20, 1}},
      {"nothing wanted", 100, 30, 20, 0, {30, 1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TVpPrintedRows rows = PrintedRowsFor(c.CellHeight, c.RowHeight, c.Least, c.Wanted);
    EXPECT_EQ(rows.RowHeight, c.Rows.RowHeight);
    EXPECT_EQ(rows.Rows, c.Rows.Rows);
  }
}

// The ruler's hour labels of a print, top to bottom (the 24-hour ruler's big labels).
std::vector<std::string> HourLabels(const TRecordingCanvas& canvas) {
  std::vector<std::string> hours;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
    if (op.Font.Size == 18) hours.push_back(op.Text);
  return hours;
}

std::vector<std::string> Hours(int first, int last) {
  std::vector<std::string> hours;
  for (int hour = first; hour <= last; ++hour) hours.push_back(std::to_string(hour));
  return hours;
}

class DayViewPrint : public DayViewTest {
 protected:
  DayViewPrint() { View->SetTimeFormat(tf24Hour); }
  // A print of rows 14 (07:00) to 46 (23:00), as the organizer prints a day.
  TRecordingCanvas Print(const TRect& rect) {
    TRecordingCanvas canvas;
    View->RenderIntoRect(&canvas, rect, ra0, 1.0, View->Date(), 14, 46, gr30Min, true);
    return canvas;
  }
};

TEST_F(DayViewPrint, RowsWidenByWholeHoursToTheEarliestStartAndTheLatestEnd) {
  struct TCase {
    const char* Name;
    double Start, End;
    bool AllDay;
    int FirstHour, LastHour;
  } const cases[] = {
      {"within the day's hours", T(9), T(10), false, 7, 23},
      {"early", T(6, 30), T(7), false, 6, 23},
      {"before dawn, to midnight", T(2, 15), T(23, 45), false, 2, 23},
      {"all day asks for nothing", T(0), T(23, 59), true, 7, 23},
  };
  TVpEvent* previous = nullptr;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (previous != nullptr) Store().ActiveResource()->Schedule().DeleteEvent(previous);
    previous = &AddEvent("e", c.Start, c.End);
    previous->SetAllDayEvent(c.AllDay);
    const TRecordingCanvas canvas = Print(kTallView);
    EXPECT_EQ(HourLabels(canvas), Hours(c.FirstHour, c.LastHour));
    EXPECT_NE(canvas.FindText("e"), nullptr);
  }
}

// Rows 7:00 to 23:00 are 33 of 30 pixels, more than the 265 pixels of the cell: they are lowered
// to 20 (the minute font's 18 pixels and 2), of which 13 fit; the events below get the marks at
// the cell's bottom right corner (printing keeps 2 pixels for the scroll bar: cell 85, 33, 400, 298).
TEST_F(DayViewPrint, RowsAreLoweredToFitAndWhatStillFindsNoRowIsMarked) {
  AddEvent("morning", T(8), T(9));
  const std::vector<TRect> marks = {Rect(380, 291, 383, 294), Rect(387, 291, 390, 294), Rect(394, 291, 397, 294)};
  const TRecordingCanvas fitting = Print(kView);
  EXPECT_EQ(HourLabels(fitting), Hours(7, 13));
  EXPECT_NE(fitting.FindText("morning"), nullptr);
  EXPECT_TRUE(FillsOf(fitting, clBlack).empty()) << "nothing left out";

  AddEvent("evening", T(20), T(21));
  const TRecordingCanvas cut = Print(kView);
  EXPECT_EQ(cut.FindText("evening"), nullptr);
  EXPECT_EQ(FillsOf(cut, clBlack), marks);

  // On screen the rows scroll: an event below them is not marked.
  TRecordingCanvas screen;
  View->RenderIntoRect(&screen, kView, ra0, 1.0, View->Date(), 14, 46, gr30Min, false);
  EXPECT_TRUE(FillsOf(screen, clBlack).empty());
}

// Printed columns all take the first label form that fits each of them, keeping the day's name.
TEST_F(DayViewPrint, NarrowColumnsShortenTheirLabelsAlikeAndKeepTheDayName) {
  struct TCase {
    int Width;
    std::vector<std::string> Labels;
  } const cases[] = {
      {2000,
       {"Friday, May 10, 2024", "Saturday, May 11, 2024", "Sunday, May 12, 2024", "Monday, May 13, 2024",
        "Tuesday, May 14, 2024"}},
      {700, {"Friday 10", "Saturday 11", "Sunday 12", "Monday 13", "Tuesday 14"}},
      {500, {"Fri 10", "Sat 11", "Sun 12", "Mon 13", "Tue 14"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Width);
    TRecordingCanvas canvas;
    View->PrintDaysIntoRect(&canvas, Rect(0, 0, c.Width, 300), ra0, 1.0, View->Date(), 14, 46, gr30Min, 5);
    std::vector<std::string> labels;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Rect.Top < 32) labels.push_back(op.Text);
    EXPECT_EQ(labels, c.Labels);
  }
  EXPECT_EQ(View->NumDays(), 1);
}

}  // namespace
