#include <string>
#include <vector>

#include "tests/views/tasks/test_task_list_support.h"

namespace {

TEST_F(TaskListTest, DisplayOptionsChooseTheShownTasks) {
  AddTask("Open");
  AddCompletedTask("Yesterday", Today - 1 + 0.5);
  AddCompletedTask("Today", Today + 0.25);
  struct TCase {
    bool ShowAll;
    bool ShowCompleted;
    std::vector<std::string> Shown;
  };
  const TCase cases[] = {
      {false, false, {"Open"}},
      {false, true, {"Open", "Today"}},
      {true, false, {"Open", "Today", "Yesterday"}},
  };
  for (const TCase& c : cases) {
    List->DisplayOptions().SetShowAll(c.ShowAll);
    List->DisplayOptions().SetShowCompletedTasks(c.ShowCompleted);
    Paint();
    EXPECT_EQ(RowDescriptions(), c.Shown) << c.ShowAll << c.ShowCompleted;
  }
}

TEST_F(TaskListTest, RowsSortByDueDateThenDescriptionAndColourByState) {
  AddTask("Later", Today + 1);
  AddTask("Beta", Today);
  AddTask("Alpha", Today);
  AddTask("Undated", 0);
  AddTask("Old", Today - 1);
  AddCompletedTask("Done", Today + 0.1).SetDueDate(Today - 3);
  List->DisplayOptions().SetShowCompletedTasks(true);
  List->DisplayOptions().SetOverdueColor(clRed);
  List->DisplayOptions().SetCompletedColor(clGray);
  const TRecordingCanvas canvas = Paint(Rect(0, 0, 300, 400));
  const std::vector<TCanvasOp> texts = RowTexts(canvas);
  ASSERT_EQ(texts.size(), 6u);
  const std::vector<std::pair<std::string, TColor>> expected = {
      {"Undated", List->Font().Font().Color},
      {"07.05.2024 - Done", clGray},
      {"09.05.2024 - Old", clRed},
      {"10.05.2024 - Alpha", List->Font().Font().Color},
      {"10.05.2024 - Beta", List->Font().Font().Color},
      {"11.05.2024 - Later", List->Font().Font().Color},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(texts[i].Text, expected[i].first);
    EXPECT_EQ(texts[i].Font.Color, expected[i].second) << texts[i].Text;
    EXPECT_EQ((texts[i].Font.Style & fsStrikeOut) != 0, i == 1) << texts[i].Text;
    EXPECT_EQ(texts[i].Rect.Left, 33);
    EXPECT_EQ(texts[i].Rect.Top, 34 + 28 * static_cast<int>(i));
  }
  List->DisplayOptions().SetShowDueDate(false);
  EXPECT_EQ(RowTexts(Paint(Rect(0, 0, 300, 400)))[2].Text, "Old");
}

TEST_F(TaskListTest, RowsAndCheckBoxesLieWhereClicksAreTested) {
  AddTask("One");
  AddCompletedTask("Two", Today + 0.1);
  List->DisplayOptions().SetShowAll(true);
  List->DisplayOptions().SetCheckStyle(csX);
  const TRecordingCanvas canvas = Paint();
  const TVpTaskListLayout& layout = List->ScreenLayout();
  EXPECT_EQ(layout.HeaderBottom, 28);
  EXPECT_EQ(layout.RowHeight, 28);
  ASSERT_EQ(layout.Rows.size(), 2u);
  EXPECT_EQ(layout.Rows[0].CheckRect, Rect(11, 37, 21, 47));
  EXPECT_EQ(layout.Rows[0].TextRect, Rect(27, 28, 298, 56));
  EXPECT_EQ(layout.Rows[1].CheckRect, Rect(11, 65, 21, 75));
  int boxes = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opRectangle))
    if (op.Pen.Color == RGB(192, 204, 216)) ++boxes;
  EXPECT_EQ(boxes, 2);
  // The X of the completed task: six strokes in the check colour.
  int strokes = 0;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opLine))
    if (op.Pen.Color == cl3DDkShadow && op.Points.front().Y >= 64 && op.Points.front().Y < 80) ++strokes;
  EXPECT_EQ(strokes, 6);
}

TEST_F(TaskListTest, HeaderNamesTheResourceOnScreenOnly) {
  const auto caption = [](const TRecordingCanvas& canvas) { return canvas.OpsOf(TCanvasOp::opText).at(0).Text; };
  EXPECT_EQ(caption(Paint()), "Task List - KORET");
  EXPECT_EQ(caption(Print(kView, 0)), "Task List");
  List->SetShowResourceName(false);
  EXPECT_EQ(caption(Paint()), "Task List");
}

// On screen the header shows the check pad (12 by 14 pixels, 16 in and 6 down) and the caption
// moves right by its width and 6; printed, or with ShowIcon off, neither.
TEST_F(TaskListTest, TheHeaderShowsTheCheckPadOnScreen) {
  const auto captionLeft = [](const TRecordingCanvas& canvas) {
    return canvas.OpsOf(TCanvasOp::opText).at(0).Rect.Left;
  };
  const auto pads = [](const TRecordingCanvas& canvas) {
    int count = 0;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opFillRect))
      count += op.Rect.Width() == 12 && op.Rect.Height() == 14 ? 1 : 0;
    return count;
  };
  const TRecordingCanvas shown = Paint();
  EXPECT_EQ(pads(shown), 1);
  EXPECT_EQ(captionLeft(shown), 2 + 16 + 18);
  const TRecordingCanvas printed = Print(kView, 0);
  EXPECT_EQ(pads(printed), 0);
  List->SetShowIcon(false);
  const TRecordingCanvas plain = Paint();
  EXPECT_EQ(pads(plain), 0);
  EXPECT_EQ(captionLeft(plain), 2 + 16);
}

TEST_F(TaskListTest, LongTextsEndInDotsCutAtWholeCodePoints) {
  const auto repeated = [](const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
  };
  const std::string accent = "\xC3\xA9";  // two bytes, one code point
  AddTask("Fits");
  AddTask(repeated("x", 40));
  AddTask(repeated(accent, 40));
  const std::vector<TCanvasOp> texts = RowTexts(Paint());
  ASSERT_EQ(texts.size(), 3u);
  // The text may be 298 - 2 - 21 - 6 = 269 wide: 30 code points and the dots.
  EXPECT_EQ(texts[0].Text, "Fits");
  EXPECT_EQ(texts[1].Text, repeated("x", 30) + "...");
  EXPECT_EQ(texts[2].Text, repeated(accent, 30) + "...");
}

// Paper has nothing to click, but a reader wants to see what is done: every printed row has a
// black box, marked for a completed task, and the rows printed are ruled, not the rest of the page.
TEST_F(TaskListTest, PrintingShowsBlackBoxesPrioritiesAndRulesOnlyThePrintedRows) {
  List->DisplayOptions().SetShowAll(true);
  AddTask("One").SetPriority(1);
  AddTask("Two").SetComplete(true);
  const TRecordingCanvas canvas = Print(kView, 0);
  const std::vector<TCanvasOp> boxes = canvas.OpsOf(TCanvasOp::opRectangle);
  ASSERT_EQ(boxes.size(), 2u);
  for (const TCanvasOp& box : boxes) EXPECT_EQ(box.Pen.Color, clBlack);
  std::vector<std::string> texts;
  for (const TCanvasOp& text : RowTexts(canvas)) texts.push_back(text.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"High", "One", "Two"})) << "the priority first, at the row's end";
  EXPECT_EQ(RowTexts(canvas)[1].Rect.Left, 33) << "the text follows the box as on screen";
  EXPECT_EQ(RowTexts(canvas)[0].Rect.Right, 300 - 2 - 6) << "the priority ends 6 pixels before the row";
  std::vector<int> rules;
  int marks = 0;
  for (const TCanvasOp& line : canvas.OpsOf(TCanvasOp::opLine)) {
    if (line.Points[0].X == 0 && line.Points[1].X == 298 && line.Points[0].Y == line.Points[1].Y)
      rules.push_back(line.Points[0].Y);
    marks += line.Points[0].X > boxes[1].Rect.Left && line.Points[0].Y > boxes[1].Rect.Top ? 1 : 0;
  }
  EXPECT_EQ(rules, (std::vector<int>{56, 84})) << "a rule under each of the two rows, none below";
  EXPECT_GT(marks, 0) << "the completed task's box is marked";
}

// Rows begin at y 28 and are 28 high; on paper a row is printed only whole, above the border's
// 2 pixels, and the next page starts with the row that was cut off.
TEST_F(TaskListTest, PrintingGoesOnWhereThePageEnded) {
  for (const char* name : {"A", "B", "C", "D", "E"}) AddTask(name);
  struct TCase {
    int Bottom;
    int StartLine;
    int MaxVisible;
    int Next;
  };
  const TCase cases[] = {
      {114, 0, 250, 3},                    // the third row ends at 112, on the border's top
      {113, 0, 250, 2},                    // ... and one pixel less leaves it for the next page
      {100, 3, 250, -1},                   // the rest fits
      {400, 0, 250, -1},  {400, 0, 2, 2},  // the row table is full: the next page goes on
      {400, -4, 250, -1},                  // a start before the first row starts with it
      {40, 2, 250, 2},                     // not even one row fits: the same row comes back...
      {400, 0, 0, 0},                      // ... as it does for a table that holds no row
  };
  for (const TCase& c : cases) {
    List->SetMaxVisibleTasks(static_cast<uint16_t>(c.MaxVisible));
    Print(Rect(0, 0, 300, c.Bottom), c.StartLine);
    EXPECT_EQ(List->NextPrintLine(), c.Next) << c.Bottom << " " << c.StartLine << " " << c.MaxVisible;
  }
}

TEST_F(TaskListTest, PrintingLeavesTheScreenTablesAlone) {
  for (const char* name : {"A", "B", "C", "D", "E"}) AddTask(name);
  Paint(Rect(0, 0, 300, 100));
  const std::vector<std::string> rows = RowDescriptions();
  const TVpScrollBarInfo bar = List->ScrollBar();
  Print(Rect(0, 0, 300, 400), 3);
  EXPECT_EQ(RowDescriptions(), rows);
  EXPECT_EQ(List->ScrollBar(), bar);
  EXPECT_EQ(bar.Max, 2) << "the greatest first line: five tasks, three rows";
  EXPECT_EQ(bar.PageSize, 3);
  EXPECT_EQ(bar.Top, 28);
}

}  // namespace
