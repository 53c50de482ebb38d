#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "tests/support/fake_timers.h"
#include "tests/support/recording_canvas.h"
#include "views/calendar/calendar.h"
#include "views/calendar/calendar_day_table.h"

namespace {

// The recording canvas's 8-point font: "Yy" is 16 pixels high, each character 8 pixels wide.
constexpr int TextHeight8 = 16;

struct TPrintedMonth {
  TRecordingCanvas Canvas;
  std::vector<TCanvasOp> Texts;
};

class CalendarLayout : public ::testing::Test {
 protected:
  CalendarLayout() { Clock.Set(EncodeDate(2024, 5, 10)); }

  // The texts of March 2024 printed into a frame of the width, 140 pixels high.
  std::vector<TCanvasOp> PrintMarch2024(int width) {
    TVpCalendar calendar(Clock, Locale);
    Canvas.Clear();
    calendar.RenderIntoRect(&Canvas, {0, 0, width, 140}, ra0, 1.0, EncodeDate(2024, 3, 15), -1, -1, gr30Min, true);
    return Canvas.OpsOf(TCanvasOp::opText);
  }

  TFakeClock Clock;
  TEnglishLocale Locale;
  TRecordingCanvas Canvas;
};

TEST_F(CalendarLayout, ColumnsShareTheWidthWithTheFirstOnesAPixelWider) {
  // 200 wide: 192 = 7 * 27 + 3, so the first four columns are 28.
  const TVpCalendarLayout wide({0, 0, 200, 140}, TextHeight8, true);
  std::vector<int> widths;
  for (int column = 0; column < 7; ++column) widths.push_back(wide.ColumnWidth(column));
  EXPECT_EQ(widths, (std::vector<int>{28, 28, 28, 28, 27, 27, 27}));
  // 110 wide: 102 = 7 * 14 + 4, so the first five are 15.
  const TVpCalendarLayout narrow({0, 0, 110, 140}, TextHeight8, true);
  widths.clear();
  for (int column = 0; column < 7; ++column) widths.push_back(narrow.ColumnWidth(column));
  EXPECT_EQ(widths, (std::vector<int>{15, 15, 15, 15, 15, 14, 14}));
}

TEST_F(CalendarLayout, RowsGiveTheLeftOverToTitleAndNames) {
  struct TRow {
    const char* Name;
    int Height;
    int TextHeight;
    bool ButtonBand;
    std::vector<int> Rows;
  };
  // Title round(1.4 TH), names round(1.5 TH) halves to even; weeks share the rest; the left-over
  // pixels go to the title (larger half) and the names.
  const std::vector<TRow> rows = {
      {"screen 140 high", 140, 16, true, {23, 25, 12, 12, 12, 12, 12, 12, 12}},
      {"print 140 high", 140, 16, false, {23, 25, 14, 14, 14, 14, 14, 14, 14}},
      {"names 16.5 round to 16", 100, 11, true, {18, 18, 8, 8, 8, 8, 8, 8, 8}},
      {"three pixels left over", 141, 16, false, {24, 25, 14, 14, 14, 14, 14, 14, 14}},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    const TVpCalendarLayout layout({0, 0, 200, row.Height}, row.TextHeight, row.ButtonBand);
    std::vector<int> heights;
    for (int i = 0; i < TVpCalendarLayout::Rows; ++i) heights.push_back(layout.RowHeight(i));
    EXPECT_EQ(heights, row.Rows);
  }
}

TEST_F(CalendarLayout, CellsStartInsideTheMarginOfAnOffsetFrame) {
  const TVpCalendarLayout layout({10, 20, 210, 160}, TextHeight8, false);
  EXPECT_EQ(layout.Cell(0, 0), (TRect{14, 24, 42, 47}));
  EXPECT_EQ(layout.Cell(7, 6), (TRect{180, 142, 207, 156}));
  EXPECT_EQ(layout.TitleRect(), (TRect{42, 24, 180, 47}));
  EXPECT_EQ(layout.DayCellAt({14, 76}), (std::pair{2, 0}));
  EXPECT_FALSE(layout.DayCellAt({14, 71}));  // the weekday names
}

TEST_F(CalendarLayout, March2024StartsOnItsFridayColumn) {
  // 1 March 2024 was a Friday: the sixth column with weeks from Sunday, the fifth from Monday.
  const TVpCalendarDayTable sunday(EncodeDate(2024, 3, 15), dtSunday);
  EXPECT_EQ(sunday.FirstPosition(), 6);
  EXPECT_EQ(sunday.MonthLength(), 31);
  std::vector<int> before;
  for (int position = 1; position < 6; ++position) before.push_back(sunday.DayAt(position));
  EXPECT_EQ(before, (std::vector<int>{25, 26, 27, 28, 29}));
  EXPECT_FALSE(sunday.IsActive(5));
  EXPECT_TRUE(sunday.IsActive(6));
  EXPECT_TRUE(sunday.IsActive(36));
  EXPECT_FALSE(sunday.IsActive(37));
  EXPECT_EQ(sunday.DateAt(37), EncodeDate(2024, 4, 1));
  EXPECT_EQ(TVpCalendarDayTable(EncodeDate(2024, 3, 1), dtMonday).FirstPosition(), 5);
  // A month starting on the week's first day starts the first row; one starting the day before
  // it fills the first row with the previous month.
  EXPECT_EQ(TVpCalendarDayTable(EncodeDate(2024, 9, 1), dtSunday).FirstPosition(), 1);
  EXPECT_EQ(TVpCalendarDayTable(EncodeDate(2024, 9, 1), dtMonday).FirstPosition(), 7);
}

TEST_F(CalendarLayout, PrintedMonthAt200PixelsHasItsTextsInTheirCells) {
  const std::vector<TCanvasOp> texts = PrintMarch2024(200);
  // Title, seven names, 31 days (the neighbouring months are not shown).
  ASSERT_EQ(texts.size(), 39u);
  // Title between the left of the second and of the last column (32 to 170), centred.
  EXPECT_EQ(texts[0].Text, "March 2024");
  EXPECT_EQ(texts[0].Rect, (TRect{61, 4, 141, 20}));
  const std::vector<std::pair<std::string, TRect>> names = {
      {"Sun", {6, 27, 30, 43}},    {"Mon", {34, 27, 58, 43}},   {"Tue", {62, 27, 86, 43}},  {"Wed", {90, 27, 114, 43}},
      {"Thu", {117, 27, 141, 43}}, {"Fri", {144, 27, 168, 43}}, {"Sat", {171, 27, 195, 43}}};
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i].first);
    EXPECT_EQ(texts[1 + i].Text, names[i].first);
    EXPECT_EQ(texts[1 + i].Rect, names[i].second);
  }
  // Weeks 14 pixels high from y = 52; the text is higher than the cell, so it is not lowered.
  const std::vector<std::pair<std::string, TRect>> days = {
      {"1", {152, 52, 160, 68}}, {"2", {179, 52, 187, 68}},  {"3", {14, 66, 22, 82}},      {"9", {179, 66, 187, 82}},
      {"10", {10, 80, 26, 96}},  {"24", {10, 108, 26, 124}}, {"30", {175, 108, 191, 124}}, {"31", {10, 122, 26, 138}}};
  for (const auto& [text, rect] : days) {
    SCOPED_TRACE(text);
    const TCanvasOp* op = Canvas.FindText(text);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->Rect, rect);
  }
  EXPECT_EQ(texts.back().Text, "31");
}

TEST_F(CalendarLayout, PrintedMonthAt110PixelsShortensTheTitleAndStartsWideTexts) {
  const std::vector<TCanvasOp> texts = PrintMarch2024(110);
  ASSERT_EQ(texts.size(), 39u);
  // "March 2024" (80) does not fit 19 to 93 (74): the short form is centred instead.
  EXPECT_EQ(texts[0].Text, "Mar 2024");
  EXPECT_EQ(texts[0].Rect, (TRect{24, 4, 88, 20}));
  // Names of 24 pixels in columns of 15 and 14 start at the column's left edge.
  const std::vector<int> nameLefts = {4, 19, 34, 49, 64, 79, 93};
  for (size_t i = 0; i < nameLefts.size(); ++i) EXPECT_EQ(texts[1 + i].Rect.Left, nameLefts[i]) << texts[1 + i].Text;
  const std::vector<std::pair<std::string, TRect>> days = {
      {"1", {82, 52, 90, 68}}, {"2", {96, 52, 104, 68}}, {"10", {4, 80, 20, 96}}, {"31", {4, 122, 20, 138}}};
  for (const auto& [text, rect] : days) {
    SCOPED_TRACE(text);
    const TCanvasOp* op = Canvas.FindText(text);
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->Rect, rect);
  }
}

TEST_F(CalendarLayout, ButtonsSitInTheTitleRowAndTheBottomBand) {
  struct TButtonRow {
    TVpCalendarButton Button;
    TRect At200;
    TRect At110;  // narrow columns: the year buttons are widened to their picture + 3
  };
  const std::vector<TButtonRow> rows = {
      {cbPreviousYear, {4, 4, 27, 23}, {4, 4, 16, 23}},    {cbPreviousMonth, {27, 4, 51, 23}, {16, 4, 27, 23}},
      {cbNextMonth, {149, 4, 172, 23}, {84, 4, 94, 23}},   {cbNextYear, {172, 4, 196, 23}, {94, 4, 106, 23}},
      {cbRevert, {92, 125, 142, 137}, {54, 125, 78, 137}}, {cbToday, {146, 125, 196, 137}, {82, 125, 106, 137}},
  };
  TVpCalendar calendar(Clock, Locale);
  EXPECT_FALSE(calendar.ButtonRect(cbToday));  // nothing is known before the first paint
  calendar.Paint(Canvas, {0, 0, 200, 140});
  for (const TButtonRow& row : rows) {
    SCOPED_TRACE(CalendarButtonHint(row.Button));
    EXPECT_EQ(calendar.ButtonRect(row.Button), row.At200);
  }
  calendar.Paint(Canvas, {0, 0, 110, 140});
  for (const TButtonRow& row : rows) {
    SCOPED_TRACE(CalendarButtonHint(row.Button));
    EXPECT_EQ(calendar.ButtonRect(row.Button), row.At110);
  }
  EXPECT_EQ(calendar.ButtonHintAt({100, 130}), "Today");
  EXPECT_EQ(calendar.ButtonHintAt({60, 10}), "");
}

}  // namespace
