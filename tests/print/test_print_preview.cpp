#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "print/print_preview.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/recording_print_target.h"

namespace {

TEST(PreviewArithmetic, ZoomFactorsScaleThePage) {
  const TPoint client{400, 300}, page{816, 1056};
  const struct {
    TVpPPZoomFactor Zoom;
    TPoint Size;
  } cases[] = {{zfFitToControl, {396, 296}}, {zfActualSize, {816, 1056}}, {zf25Percent, {204, 264}},
               {zf33Percent, {272, 352}},    {zf50Percent, {408, 528}},   {zf67Percent, {547, 708}},
               {zf75Percent, {612, 792}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Zoom);
    EXPECT_EQ(ZoomedPageSize(c.Zoom, client, page), c.Size);
  }
}

TEST(PreviewArithmetic, ScrollBarsAppearForAHalfSizeLetterPage) {
  const TPoint zoomed = ZoomedPageSize(zf50Percent, {400, 300}, {816, 1056});
  const TVpPreviewScrollBars bars = LayOutScrollBars({}, {400, 300}, 16, zoomed);
  EXPECT_TRUE(bars.Horizontal);
  EXPECT_TRUE(bars.Vertical);
  EXPECT_EQ(bars.HorzMax, 408);
  EXPECT_EQ(bars.VertMax, 528);
  EXPECT_EQ(bars.HorzPage, 384);
  EXPECT_EQ(bars.VertPage, 284);
  // Fitted to the control, the bars go again.
  const TVpPreviewScrollBars fitted =
      LayOutScrollBars(bars, {400, 300}, 16, ZoomedPageSize(zfFitToControl, {384, 284}, {816, 1056}));
  EXPECT_FALSE(fitted.Horizontal);
  EXPECT_FALSE(fitted.Vertical);
  // Only the vertical bar when the width fits; it then stays even though the width no longer would.
  const TVpPreviewScrollBars tall = LayOutScrollBars({}, {400, 300}, 16, {380, 500});
  EXPECT_FALSE(tall.Horizontal);
  EXPECT_TRUE(tall.Vertical);
}

TEST(PreviewArithmetic, PlacementTakesTheScrolledPartOfTheBitmap) {
  const TPoint client{400, 300}, page{816, 1056};
  const TVpPreviewPlacement half = PlacePreviewPage(zf50Percent, client, page, {10, 20}, std::nullopt);
  EXPECT_EQ(half.Dest, (TRect{3, 3, 397, 297}));
  EXPECT_EQ(half.Source, (TRect{20, 40, 814, 634}));
  EXPECT_EQ(half.Frame, (TPoint{408, 528}));
  const TVpPreviewPlacement actual = PlacePreviewPage(zfActualSize, client, page, {5, 6}, std::nullopt);
  EXPECT_EQ(actual.Source, (TRect{5, 6, 402, 303}));
  // A letter page at 300 dpi fitted into the control keeps its proportions, and stands in the
  // middle of the room it leaves: (400 - 227 - 2) / 2 = 85 pixels to the right.
  const TVpPreviewPlacement fit = PlacePreviewPage(zfFitToControl, client, page, {}, TPoint{2550, 3300});
  EXPECT_EQ(fit.Frame, (TPoint{227, 297}));
  EXPECT_EQ(fit.Offset, (TPoint{85, 0}));
  EXPECT_EQ(fit.Dest, (TRect{88, 3, 312, 297}));
  EXPECT_EQ(fit.Source, (TRect{0, 0, 816, 1056}));
  const std::vector<std::pair<TPoint, TPoint>> lines = PreviewFrameLines(client, fit.Frame, fit.Offset);
  ASSERT_EQ(lines.size(), 4u);  // the page is narrower and lower than the control: its own edges
  EXPECT_EQ(lines[0], (std::pair<TPoint, TPoint>{{87, 2}, {87, 297}}));
  EXPECT_EQ(lines[2], (std::pair<TPoint, TPoint>{{312, 2}, {312, 298}}));
  // A quarter-size page stands in the middle both ways.
  const TVpPreviewPlacement quarter = PlacePreviewPage(zf25Percent, {400, 400}, page, {}, std::nullopt);
  EXPECT_EQ(quarter.Offset, (TPoint{(400 - 204 - 2) / 2, (400 - 264 - 2) / 2}));
  EXPECT_EQ(half.Offset, (TPoint{0, 0})) << "a page larger than the control scrolls instead";
}

TEST(PreviewArithmetic, BitmapSizeUsesEachAxisAndTreatsZeroAsTheScreen) {
  EXPECT_EQ(PreviewBitmapSize({0, 0, 2550, 3300}, 300, 300), (TPoint{816, 1056}));
  EXPECT_EQ(PreviewBitmapSize({0, 0, 5100, 3300}, 600, 300), (TPoint{816, 1056}));
  EXPECT_EQ(PreviewBitmapSize({0, 0, 816, 1056}, 0, 0), (TPoint{816, 1056}));
}

TEST(PreviewArithmetic, EndDateNeverBeforeStart) {
  TVpPreviewRange range{10, 20};
  range.SetStart(25);
  EXPECT_EQ(range.End, 25);
  range.SetEnd(5);
  EXPECT_EQ(range.End, 25);
  range.SetEnd(30);
  EXPECT_EQ(range.End, 30);
  EXPECT_EQ(range.Start, 25);
}

class PrintPreviewTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  PrintPreviewTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Link.SetDataStore(&Store());
    Preview.SetClientSize({400, 300});
    Preview.OnPageChange = [this](int page) { Changes.push_back(page); };
  }
  void UseFormats(std::vector<TVpPrintFormatItem> formats) {
    Printer.MutablePrintFormats() = std::move(formats);
    Preview.HandleMessage(PrintFormatsChanged);
  }
  static TVpPrintFormatItem DayFormat(const char* name, bool visible = true) {
    TVpPrintFormatItem format = DayPageFormat(name, "Page $Page");
    format.Visible = visible;
    return format;
  }
  // The page caption drawn last on the page bitmap.
  std::string LastPageCaption() {
    std::string caption;
    for (const std::string& text : static_cast<TRecordingCanvas&>(Preview.PageBitmap()->Canvas()).Texts())
      if (text.starts_with("Page ")) caption = text;
    return caption;
  }

  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpPrinter Printer{Poster, Writer};
  TVpPageRenderer Renderer{Printer, Link, Clock, Locale};
  TRecordingCanvas Screen;
  TVpPrintPreview Preview{Printer, Renderer, [this](int w, int h) { return Screen.CreateBitmap(w, h); },
                          EncodeDate(2026, 3, 1)};
  std::vector<int> Changes;
};

TEST_F(PrintPreviewTest, DayPagesRunFromStartToEndAndBack) {
  UseFormats({DayFormat("Day")});
  Preview.SetEndDate(EncodeDate(2026, 3, 7));
  EXPECT_TRUE(Preview.IsFirstPage());
  EXPECT_FALSE(Preview.IsLastPage());
  Preview.LastPage();
  EXPECT_EQ(Preview.CurPage(), 6);
  EXPECT_TRUE(Preview.IsLastPage());
  EXPECT_EQ(LastPageCaption(), "Page 7");
  Preview.NextPage();  // nothing beyond the last page
  Preview.PrevPage();
  EXPECT_EQ(Preview.CurPage(), 5);
  EXPECT_EQ(Preview.PagesReached(), 7);
  EXPECT_EQ(Changes, (std::vector<int>{6, 5}));
  // A new start date starts again at the first page.
  Preview.SetStartDate(EncodeDate(2026, 3, 6));
  EXPECT_EQ(Preview.CurPage(), 0);
  Preview.LastPage();
  EXPECT_EQ(Preview.CurPage(), 1);
}

TEST_F(PrintPreviewTest, PageMenuFollowsThePageShown) {
  TVpPrintFormatItem shapes;
  shapes.SetFormatName("Shapes");
  UseFormats({shapes});
  for (const TVpPageMenuItem& item : Preview.PageMenuForRightClick()) {
    SCOPED_TRACE(item.Caption);
    EXPECT_FALSE(item.Enabled);  // one page only: it is the first and the last
  }
  UseFormats({DayFormat("Day")});
  Preview.SetEndDate(EncodeDate(2026, 3, 3));
  const auto& first = Preview.PageMenuForRightClick();
  EXPECT_EQ(std::string(first[0].Caption), "Previous Page");
  EXPECT_FALSE(first[0].Enabled);
  EXPECT_TRUE(first[1].Enabled);
  EXPECT_FALSE(first[2].Enabled);
  EXPECT_TRUE(first[3].Enabled);
}

TEST_F(PrintPreviewTest, KeysPageFormatsAndZoomRoundTheirLists) {
  UseFormats({DayFormat("A"), DayFormat("B")});
  const struct {
    int Key;
    TShiftState Shift;
    int Format;
    TVpPPZoomFactor Zoom;
    int Page;
  } steps[] = {{VK_NEXT, 0, 0, zfFitToControl, 1},   {VK_LEFT, ssCtrl, 0, zfFitToControl, 0},
               {'F', ssCtrl, 1, zfFitToControl, 0},  {'F', ssCtrl, 0, zfFitToControl, 0},
               {'F', ssShift, 1, zfFitToControl, 0}, {'Z', ssShift, 1, zf75Percent, 0},
               {'Z', ssCtrl, 1, zfFitToControl, 0},  {'Z', 0, 1, zfFitToControl, 0}};
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << s.Key << "/" << s.Shift);
    EXPECT_TRUE(Preview.KeyDown(s.Key, s.Shift));
    EXPECT_EQ(Printer.ActiveFormatIndex(), s.Format);
    EXPECT_EQ(Preview.ZoomFactor(), s.Zoom);
    EXPECT_EQ(Preview.CurPage(), s.Page);
  }
  EXPECT_FALSE(Preview.KeyDown('X', 0));
}

TEST_F(PrintPreviewTest, FormatListShowsVisibleFormatsSorted) {
  UseFormats({DayFormat("Week"), TVpPrintFormatItem{}, DayFormat("Hidden", false), DayFormat("Day")});
  Printer.SetActiveFormatIndex(3);
  const TVpFormatList list = FormatListOf(Printer);
  EXPECT_EQ(list.Entries, (std::vector<std::string>{"Day", "Unknown", "Week"}));
  EXPECT_EQ(list.Selected, 0);
  PickFormat(Printer, "Week");
  EXPECT_EQ(Printer.ActiveFormatIndex(), 0);
  PickFormat(Printer, "Hidden ");  // names no format
  EXPECT_EQ(Printer.ActiveFormatIndex(), 0);
}

}  // namespace

namespace {

// Every "Page ..." caption drawn on the preview's bitmap so far, page by page.
size_t PagesDrawnOn(TBitmap* bitmap) {
  size_t drawn = 0;
  for (const std::string& text : static_cast<TRecordingCanvas&>(bitmap->Canvas()).Texts())
    drawn += text.starts_with("Page ") ? 1 : 0;
  return drawn;
}

}  // namespace

// Pages whose lists are where they were on a page drawn before are laid out from their dates:
// the last page of ten months is found drawing a handful of pages, not three hundred.
TEST_F(PrintPreviewTest, ALongRangeIsLaidOutFromItsDatesWithoutDrawingEachPage) {
  UseFormats({DayFormat("Day")});
  Preview.SetEndDate(EncodeDate(2026, 12, 31));
  EXPECT_EQ(Preview.PageCount(), 306);
  Preview.LastPage();
  EXPECT_EQ(Preview.CurPage(), 305);
  EXPECT_EQ(LastPageCaption(), "Page 306");
  EXPECT_LT(PagesDrawnOn(Preview.PageBitmap()), 10u) << "the pages shown, and the first to learn the lists";
}

// A task list running over pages beside a day view: the preview's pages, counted and shown, are
// those the print job prints.
TEST_F(PrintPreviewTest, PagesOfAListBesideTheDaysAreThoseTheJobPrints) {
  for (int i = 0; i < 25; ++i)
    Store().ActiveResource()->Tasks().AddTask(100 + i)->SetDescription("t" + std::to_string(i));
  TVpPrintFormatItem format = DayFormat("Day and tasks");
  format.Elements[1].Width = 50;
  TVpPrintFormatElementItem tasks;
  tasks.ItemType = itTasks;
  tasks.Left = 50;
  tasks.Top = 10;
  tasks.Width = 50;
  tasks.Height = 90;
  format.Elements.push_back(tasks);
  UseFormats({format});
  Preview.SetEndDate(EncodeDate(2026, 3, 5));
  TRecordingTarget job{{0, 0, 400, 300}};
  Renderer.PrintFormatRange(job, Preview.StartDate(), Preview.EndDate());
  ASSERT_EQ(Preview.PageCount(), static_cast<int>(job.Pages.size()));
  for (int page = 0; page < Preview.PageCount(); ++page) {
    SCOPED_TRACE(page);
    Preview.SetCurPage(page);
    Preview.EnsureRendered();  // as painting does: laying out may have drawn another page since
    std::vector<std::string> printed;
    for (const std::string& text : job.Pages[static_cast<size_t>(page)]->Texts())
      if (text.starts_with("Page ") || text.starts_with("t")) printed.push_back(text);
    std::vector<std::string> shown;
    const auto& canvas = static_cast<TRecordingCanvas&>(Preview.PageBitmap()->Canvas());
    const std::vector<std::string> all = canvas.Texts();
    // The bitmap holds every page drawn on it; this page is what was drawn last.
    for (size_t i = all.size() - job.Pages[static_cast<size_t>(page)]->Texts().size(); i < all.size(); ++i)
      if (all[i].starts_with("Page ") || all[i].starts_with("t")) shown.push_back(all[i]);
    EXPECT_EQ(shown, printed);
  }
}

TEST_F(PrintPreviewTest, OnlyARangeOfMoreThanAYearOfPagesIsAskedAbout) {
  TVpPrintFormatItem tasksOnly;
  tasksOnly.SetFormatName("Tasks");
  tasksOnly.Elements.resize(1);
  tasksOnly.Elements[0].ItemType = itTasks;
  UseFormats({DayFormat("Day"), tasksOnly});
  const double start = EncodeDate(2026, 3, 1);
  EXPECT_EQ(ManyPagesQuestion(Printer, {start, start + 365}, Locale), "") << "366 pages";
  EXPECT_EQ(ManyPagesQuestion(Printer, {start, start + 366}, Locale),
            "From 3/1/2026 to 3/2/2027 the format \"Day\" prints 367 pages.\n\nShow and print all of them?");
  Printer.SetActiveFormatIndex(1);
  EXPECT_EQ(ManyPagesQuestion(Printer, {EncodeDate(100, 1, 1), start}, Locale), "")
      << "a list's pages do not step through the dates";
}

// A list element too small for one row shows its one page and says why, before anything prints.
TEST_F(PrintPreviewTest, AListTooSmallForOneRowIsToldBeforePrinting) {
  Store().ActiveResource()->Tasks().AddTask(100)->SetDescription("t");
  TVpPrintFormatItem tiny;
  tiny.SetFormatName("Tiny");
  tiny.Elements.resize(1);
  tiny.Elements[0].ItemType = itTasks;
  tiny.Elements[0].Height = 3;
  UseFormats({tiny});
  EXPECT_EQ(Preview.PageCount(), 1);
  EXPECT_NE(Preview.ListNote().find("too small to hold one row"), std::string::npos);
  UseFormats({DayFormat("Day")});
  EXPECT_EQ(Preview.ListNote(), "") << "another format starts afresh";
}
