#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/day_number.h"
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
#include "views/day/day_view.h"
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

namespace {

TVpPrintFormatItem StepFormat(int dayInc, TVpDayUnits units, bool dateElement = true) {
  TVpPrintFormatItem format;
  format.DayInc = dayInc;
  format.DayIncUnits = units;
  format.Elements = {Element(dateElement ? itWeekView : itCaption, 0, 100)};
  return format;
}

}  // namespace

// The pages of a range are counted from the dates alone, as the job would step through them.
TEST(DatePageCount, CountsTheDatesAJobStepsThrough) {
  const double jan31 = EncodeDate(2024, 1, 31);
  struct TCase {
    const char* Name;
    TVpPrintFormatItem Format;
    double Start, End;
    long long Limit, Pages;
  } const cases[] = {
      {"a day per page", StepFormat(0, duDay), jan31, jan31 + 30, 1000, 31},
      {"every third day", StepFormat(3, duDay), jan31, jan31 + 30, 1000, 11},
      {"weeks, the last one cut", StepFormat(1, duWeek), jan31, jan31 + 15, 1000, 3},
      {"months from the 31st", StepFormat(1, duMonth), jan31, EncodeDate(2024, 4, 29), 1000, 4},  // 2/29, 3/29, 4/29
      {"years", StepFormat(1, duYear), jan31, EncodeDate(2030, 1, 31), 1000, 7},
      {"backward days", StepFormat(-1, duDay), jan31, jan31 - 9, 1000, 10},
      {"one day", StepFormat(0, duDay), jan31, jan31, 1000, 1},
      {"no date element", StepFormat(0, duDay, false), jan31, jan31 + 100, 1000, 1},
      {"past the limit", StepFormat(0, duDay), EncodeDate(202, 3, 1), EncodeDate(2026, 3, 1), 366, 367},
      {"months past the limit", StepFormat(1, duMonth), EncodeDate(100, 1, 1), EncodeDate(9999, 12, 1), 500, 501},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(DatePageCount(c.Format, JobDatesFor(c.Format, c.Start, c.End), c.Limit), c.Pages);
  }
}

TEST_F(PageRendererTest, AMondayFormatStartsOnTheMondayOfTheChosenWeek) {
  UseFormat({Element(itCaption, 0, 10, "Week of $ShortDate"), Element(itDayView, 0, 100)}, 1);
  Printer.MutablePrintFormats()[0].DayIncUnits = duWeek;
  Printer.MutablePrintFormats()[0].StartsOnMonday = true;
  const double thursday = EncodeDate(2026, 12, 10), sunday = EncodeDate(2026, 12, 13);
  EXPECT_EQ(JobDatesFor(Printer.ActiveFormat(), thursday, thursday).First, EncodeDate(2026, 12, 7));
  EXPECT_EQ(JobDatesFor(Printer.ActiveFormat(), sunday, sunday).First, EncodeDate(2026, 12, 7)) << "Sunday ends it";
  Renderer.PrintFormatRange(Target, thursday, EncodeDate(2026, 12, 15));
  ASSERT_EQ(Target.Pages.size(), 2u) << "the weeks of the 7th and of the 14th";
  EXPECT_TRUE(Shows(*Target.Pages[0], "Week of 12/7/2026"));
  EXPECT_TRUE(Shows(*Target.Pages[1], "Week of 12/14/2026"));
}

// A day view element with day columns prints them side by side with one hour ruler, through the
// user's own day view, which keeps its one column on screen.
TEST_F(PageRendererTest, ADayViewElementPrintsItsDayColumnsThroughTheLinkedView) {
  TVpDayView view(Clock, Locale, &Window);
  view.SetDataStore(&Store());
  view.SetControlLink(&Link);
  view.SetTimeFormat(tf24Hour);
  UseFormat({Element(itDayView, 0, 100)});
  Printer.MutablePrintFormats()[0].Elements[0].DayColumns = 5;
  TRecordingTarget page{{0, 0, 1500, 800}};
  Renderer.PrintFormatRange(page, EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 7));
  std::vector<std::string> headers;
  for (const std::string& text : page.Pages[0]->Texts())
    if (text.find("day") != std::string::npos) headers.push_back(text);
  // "dddd, mmmm dd, yyyy" is too wide for a fifth of 1500 pixels; every column takes the next form.
  EXPECT_EQ(headers, (std::vector<std::string>{"Monday, December 7", "Tuesday, December 8", "Wednesday, December 9",
                                               "Thursday, December 10", "Friday, December 11"}));
  int hourLabels = 0;
  for (const std::string& text : page.Pages[0]->Texts()) hourLabels += text == "12" ? 1 : 0;
  EXPECT_EQ(hourLabels, 1) << "one ruler";
  EXPECT_EQ(view.NumDays(), 1);
}

// A shape's pen is in screen pixels like the rest of the format: three of them are three 96ths
// of an inch on a 300-dot page; 0 stays the thinnest line. A caption ends at the page's margin.
TEST_F(PageRendererTest, PensScaleWithThePageAndCaptionsEndAtItsMargin) {
  UseFormat({Element(itShape, 0, 50), Element(itShape, 50, 50),
             Element(itCaption, 0, 100, "A caption far too long for the page it is printed on")});
  TVpPrintFormatItem& format = Printer.MutablePrintFormats()[0];
  format.Elements[0].Shape.Pen.Width = 3;
  format.Elements[1].Shape.Pen.Width = 0;
  Printer.SetMargins({.Left = 96, .Top = 0, .Right = 96, .Bottom = 0, .Units = imAbsolutePixel});
  TRecordingTarget page{{0, 0, 3000, 3000}, 300, 300};
  Renderer.PrintFormatRange(page, EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 7));
  const auto shapes = page.Pages[0]->OpsOf(TCanvasOp::opRectangle);
  ASSERT_EQ(shapes.size(), 2u);
  EXPECT_EQ(shapes[0].Pen.Width, 9);  // round(3 x 300 / 96)
  EXPECT_EQ(shapes[1].Pen.Width, 0);
  EXPECT_EQ(shapes[0].Rect.Left, 300) << "a margin of 96 pixels is an inch";
  const auto captions = page.Pages[0]->OpsOf(TCanvasOp::opText);
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(captions[0].Clip, (std::optional<TRect>(TRect{300, 0, 2700, 3000})));
  EXPECT_EQ(page.Pages[0]->ClipRect(), std::nullopt) << "the page's own clip comes back";
}

// A contact grid too small for one card prints nothing more and says why, like a task list.
TEST_F(PageRendererTest, AListElementTooSmallForOneRowIsReported) {
  AddTasks(3);
  for (TVpItemType kind : {itTasks, itContacts}) {
    SCOPED_TRACE(kind);
    Store().ActiveResource()->Contacts().AddContact(900 + kind)->SetLastName("Someone");
    TVpPrintFormatElementItem tiny = Element(kind, 0, 100);
    tiny.Height = 5;  // 7 pixels of a page 142 high
    UseFormat({tiny});
    TRecordingTarget page{{0, 0, 300, 142}};
    Renderer.PrintFormatRange(page, EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 7));
    EXPECT_EQ(page.Pages.size(), 1u);
    EXPECT_NE(Renderer.ListNote().find("too small to hold one row"), std::string::npos);
  }
}
