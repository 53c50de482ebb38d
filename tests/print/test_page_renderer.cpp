#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/event.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "print/page_renderer.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/recording_print_target.h"
#include "views/tasks/task_list.h"

namespace {

// A list view that never gets past its first row, whatever room it has.
class TStuckList : public TVpLinkableControl {
 public:
  TVpItemType GetItemType() const override { return itTasks; }
  void RenderIntoRect(TCanvas*, const TRect&, TVpRotationAngle, double, double, int startLine, int, TVpGranularity,
                      bool) override {
    SetNextPrintLine(startLine);
  }
  void HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind, double) override {}
};

TVpPrintFormatElementItem Element(TVpItemType type, double left, double width, const char* caption = "") {
  TVpPrintFormatElementItem element;
  element.ItemType = type;
  element.Left = left;
  element.Width = width;
  element.Caption.Caption = caption;
  return element;
}

class PageRendererTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  PageRendererTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Link.SetDataStore(&Store());
  }

  void UseFormat(std::vector<TVpPrintFormatElementItem> elements, int dayInc = 0) {
    TVpPrintFormatItem format;
    format.SetFormatName("F");
    format.DayInc = dayInc;
    format.Elements = std::move(elements);
    Printer.MutablePrintFormats() = {format};
  }
  void AddTasks(int count) {
    for (int i = 0; i < count; ++i)
      Store().ActiveResource()->Tasks().AddTask(100 + i)->SetDescription("task " + std::to_string(i));
  }
  static bool Shows(const TRecordingCanvas& page, const std::string& text) {
    for (const std::string& drawn : page.Texts())
      if (drawn.find(text) != std::string::npos) return true;
    return false;
  }
  // The texts of every page the preview shows for the range, page by page.
  std::vector<std::vector<std::string>> PreviewPages(const TRect& rect, double start, double end) {
    const TVpJobDates dates = JobDatesFor(Printer.ActiveFormat(), start, end);
    TVpPageStart next{dates.First, 0, 0};
    std::vector<std::vector<std::string>> pages;
    for (int page = 1; page < 100; ++page) {
      TRecordingCanvas canvas;
      const bool last = Renderer.DrawPreviewPage(canvas, rect, page, next, dates);
      pages.push_back(canvas.Texts());
      if (last) break;
    }
    return pages;
  }

  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpPrinter Printer{Poster, Writer};
  TVpPageRenderer Renderer{Printer, Link, Clock, Locale};
  // Header 28 and four whole rows of 28 above the list's 2-pixel border fit a page this high.
  TRecordingTarget Target{{0, 0, 300, 142}};
};

}  // namespace

TEST_F(PageRendererTest, CaptionsAndShapesMakeOnePageWhateverTheRange) {
  UseFormat({Element(itCaption, 0, 10, "Page $Page of $DayName, $MonthName $DayNumber"), Element(itShape, 0, 50)});
  Printer.MutablePrintFormats()[0].Elements[0].DayOffset = 1;
  std::vector<int> ends;
  Renderer.OnPageEnd = [&ends](int page, double, bool last) { ends.push_back(last ? -page : page); };
  Renderer.PrintFormatRange(Target, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 20));
  ASSERT_EQ(Target.Pages.size(), 1u);
  EXPECT_EQ(ends, std::vector<int>{-1});
  EXPECT_EQ(Target.Pages[0]->Texts(), std::vector<std::string>{"Page 1 of Wednesday, March 6"});
  const auto rectangles = Target.Pages[0]->OpsOf(TCanvasOp::opRectangle);
  ASSERT_EQ(rectangles.size(), 1u);
  EXPECT_EQ(rectangles[0].Rect.Right, 150);
}

TEST_F(PageRendererTest, DayPagesRunEitherWayAndInvisibleViewsDoNotStep) {
  UseFormat({Element(itCaption, 0, 10, "$ShortDate"), Element(itDayView, 0, 100)});
  Renderer.PrintFormatRange(Target, EncodeDate(2024, 3, 7), EncodeDate(2024, 3, 5));
  ASSERT_EQ(Target.Pages.size(), 3u);  // from the earlier date on
  EXPECT_EQ(Target.Pages[0]->Texts().front(), "3/5/2024");
  EXPECT_EQ(Target.Pages[2]->Texts().front(), "3/7/2024");

  UseFormat({Element(itCaption, 0, 10, "$ShortDate"), Element(itDayView, 0, 100)}, -1);  // backwards
  const TVpJobDates back = JobDatesFor(Printer.ActiveFormat(), EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 7));
  EXPECT_EQ(back.First, EncodeDate(2024, 3, 7));
  EXPECT_FALSE(back.Forward);
  Printer.MutablePrintFormats()[0].Elements[1].Visible = false;
  TRecordingTarget single{{0, 0, 300, 142}};
  Renderer.PrintFormatRange(single, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 7));
  EXPECT_EQ(single.Pages.size(), 1u);
}

TEST_F(PageRendererTest, ATaskListGoesOnOverPagesPastTheEndDate) {
  AddTasks(10);
  UseFormat({Element(itTasks, 0, 100)});
  Renderer.PrintFormatRange(Target, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 5));
  ASSERT_EQ(Target.Pages.size(), 3u);
  for (int i = 0; i < 10; ++i) {
    int shown = 0;
    for (const auto& page : Target.Pages) shown += Shows(*page, "task " + std::to_string(i)) ? 1 : 0;
    EXPECT_EQ(shown, 1) << i;
  }
  EXPECT_TRUE(Shows(*Target.Pages[2], "task 9"));
}

TEST_F(PageRendererTest, AListThatMakesNoProgressEndsTheJob) {
  TStuckList stuck;
  stuck.SetControlLink(&Link);  // the first linked view of its kind prints
  UseFormat({Element(itTasks, 0, 100)});
  Renderer.PrintFormatRange(Target, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Target.Pages.size(), 1u);
  EXPECT_NE(Renderer.ListNote(), "");
  const auto preview = PreviewPages({0, 0, 300, 142}, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 5));
  EXPECT_EQ(preview.size(), 1u);
}

TEST_F(PageRendererTest, ThePreviewShowsThePagesTheJobPrints) {
  AddTasks(10);
  UseFormat({Element(itCaption, 0, 10, "Page $Page $ShortDate"), Element(itDayView, 0, 50), Element(itTasks, 50, 50)});
  TVpTaskList live(Clock, Locale, &Window);  // a list on screen: printing must not move its rows
  live.SetDataStore(&Store());
  live.SetControlLink(&Link);
  TRecordingCanvas screen;
  live.Resize(300, 200);
  live.Paint(screen, {0, 0, 300, 200});
  const size_t rowsOnScreen = live.ScreenLayout().Rows.size();

  Renderer.PrintFormatRange(Target, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 6));
  const auto preview = PreviewPages({0, 0, 300, 142}, EncodeDate(2024, 3, 5), EncodeDate(2024, 3, 6));
  ASSERT_EQ(Target.Pages.size(), 3u);  // the list outlasts the two days
  ASSERT_EQ(preview.size(), Target.Pages.size());
  for (size_t i = 0; i < preview.size(); ++i) EXPECT_EQ(preview[i], Target.Pages[i]->Texts()) << i;
  EXPECT_EQ(preview[2].front(), "Page 3 3/7/2024");
  EXPECT_EQ(live.ScreenLayout().Rows.size(), rowsOnScreen);
}

TEST_F(PageRendererTest, AFarDateShowsItsEventsAndTheStoreStaysWhereItWas) {
  TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(500, EncodeDate(2025, 3, 1) + 0.375,
                                                                  EncodeDate(2025, 3, 1) + 0.4375);
  event->SetDescription("far away");
  Store().PostEvents();
  Store().ReloadEvents();
  const double shown = Store().DisplayDate();
  UseFormat({Element(itDayView, 0, 100)});
  TRecordingTarget page{{0, 0, 400, 800}};
  Renderer.PrintFormatRange(page, EncodeDate(2025, 3, 1), EncodeDate(2025, 3, 1));
  EXPECT_TRUE(Shows(*page.Pages[0], "far away"));
  EXPECT_EQ(Store().DisplayDate(), shown);
  EXPECT_EQ(Store().ActiveResource()->Schedule().CountEventsOn(EncodeDate(2025, 3, 1)), 0);  // the window is back
}

TEST_F(PageRendererTest, AVanishedFormatFailsBeforeTheDocumentBegins) {
  UseFormat({Element(itCaption, 0, 10, "x")});
  EXPECT_THROW(Renderer.PrintFormat(Target, "gone", 0, 0), EVpPrintFormatError);
  EXPECT_EQ(Target.Begun, 0);
  Renderer.PrintFormat(Target, "F", 0, 0);
  EXPECT_EQ(Target.Begun, 1);
  EXPECT_EQ(Target.Ended, 1);
}
