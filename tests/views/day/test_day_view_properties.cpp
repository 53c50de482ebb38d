#include <functional>
#include <string>
#include <vector>

#include "store/control_link.h"
#include "tests/views/day/test_day_view_support.h"

// The day view's setters, its date travelling to the store and the linked views, and the state it
// keeps for scrolling and hit tests.

namespace {

class DayViewState : public DayViewTest {
 protected:
  DayViewState() {
    View->OnInvalidate = [this] { ++Repaints; };
  }
  int Repaints = 0;
};

struct TRejectedValue {
  std::string Name;
  std::function<void(TVpDayView&)> Set;
};

TEST_F(DayViewState, OutOfRangeValuesChangeNothing) {
  const std::vector<TRejectedValue> cases = {
      {"NoDays", [](TVpDayView& v) { v.SetNumDays(0); }},
      {"ThirtyOneDays", [](TVpDayView& v) { v.SetNumDays(31); }},
      {"NegativeGutter", [](TVpDayView& v) { v.SetGutterWidth(-1); }},
      {"GutterOfATenthOfTheWidth", [](TVpDayView& v) { v.SetGutterWidth(26); }},  // 265 div 10
      {"GranularityOutsideItsValues", [](TVpDayView& v) { v.SetGranularity(static_cast<TVpGranularity>(7)); }},
  };
  for (const TRejectedValue& c : cases) {
    SCOPED_TRACE(c.Name);
    Repaints = 0;
    c.Set(*View);
    EXPECT_EQ(View->NumDays(), 1);
    EXPECT_EQ(View->GutterWidth(), 7);
    EXPECT_EQ(View->Granularity(), gr30Min);
    EXPECT_EQ(Repaints, 0);
  }
  View->SetGutterWidth(25);
  EXPECT_EQ(View->GutterWidth(), 25);
}

TEST_F(DayViewState, AFinerGranularityKeepsTheHourAtTheTop) {
  View->SetGranularity(gr15Min);
  EXPECT_EQ(View->TopLine(), 28) << "07:00 in quarter hours";
  View->ScrollToHour(9);
  View->SetGranularity(gr60Min);
  EXPECT_EQ(View->TopLine(), 9);
  Paint(kTallView);  // every hour fits
  View->SetGranularity(gr30Min);
  View->SetGranularity(gr60Min);
  EXPECT_EQ(View->TopLine(), 0);
}

TEST_F(DayViewState, ANewDateReachesTheStoreOnceLoadedAndTheLinkedViews) {
  TVpControlLink link(&Window);
  TVpDayView other(Clock, Locale, &Window);
  View->SetControlLink(&link);
  other.SetControlLink(&link);

  View->SetDate(At(2024, 5, 14));
  EXPECT_EQ(other.Date(), At(2024, 5, 14)) << "the linked view follows";
  EXPECT_EQ(Store().DisplayDate(), At(2024, 5, 10, 9)) << "not loaded yet: the store keeps its date";

  View->Loaded();
  EXPECT_EQ(Store().DisplayDate(), At(2024, 5, 14));
  other.SetDate(At(2024, 6, 3));  // a notified date is not passed back, but it reaches the store
  EXPECT_EQ(View->Date(), At(2024, 6, 3));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 6, 3));

  Repaints = 0;
  View->SetDate(At(2024, 6, 3));
  EXPECT_EQ(Repaints, 0) << "the same date changes nothing";
}

TEST_F(DayViewState, TheViewFollowsADateTheStoreWasMovedTo) {
  Paint();
  Store().SetDisplayDate(At(2024, 5, 20, 8));
  Paint();
  EXPECT_EQ(View->Date(), At(2024, 5, 20, 8));
  EXPECT_EQ(View->ColRects()[0].Date, At(2024, 5, 20));
  View->SetDate(At(2024, 5, 22));  // the view's own choice stands until the store moves again
  Paint();
  EXPECT_EQ(View->Date(), At(2024, 5, 22));
}

TEST_F(DayViewState, LoadingScrollsToTheDefaultHour) {
  View->SetDefaultTopHour(h_09);
  EXPECT_EQ(View->TopLine(), 14);
  View->Loaded();
  EXPECT_EQ(View->TopLine(), 18);
  EXPECT_TRUE(View->IsLoaded());
}

TEST_F(DayViewState, TheScrollBarFollowsTheTopRow) {
  Paint();
  // From one pixel above the ruler to the border; top rows 0 to 48 - 9 + 1, 9 rows a page.
  EXPECT_EQ(View->ScrollBar(), (TVpScrollBarInfo{true, 32, 298, 2, 0, 40, 9, 14}));
  struct TStep {
    TVpScrollAction Action;
    int Position;
    int TopLine;
  };
  const std::vector<TStep> steps = {{saLineDown, 0, 15}, {saPageDown, 0, 24}, {saTrack, 40, 40}, {saLineDown, 0, 40},
                                    {saPageUp, 0, 31},   {saTrack, -5, 0},    {saLineUp, 0, 0}};
  for (const TStep& step : steps) {
    View->Scroll(step.Action, step.Position);
    EXPECT_EQ(View->TopLine(), step.TopLine) << "after action " << step.Action;
  }
  Paint(kTallView);
  EXPECT_EQ(View->ScrollBar().Max, 0);
  EXPECT_EQ(View->ScrollBar().PageSize, 48) << "every row fits: the page is the whole range";
}

TEST_F(DayViewState, SelectingARowScrollsItIntoView) {
  Paint();
  View->SetActiveRow(30);
  EXPECT_EQ(View->TopLine(), 30 - 9 + 1);
  View->SetActiveRow(5);
  EXPECT_EQ(View->TopLine(), 5);
  View->SetActiveRow(99);
  EXPECT_EQ(View->ActiveRow(), 47);
  View->SetNumDays(3);
  View->SetActiveCol(7);
  EXPECT_EQ(View->ActiveCol(), 2);
}

TEST_F(DayViewState, AViewMadeTallerPullsTheTopRowUp) {
  Paint();
  View->SetTopLine(40);
  Paint(Rect(0, 0, 400, 600));  // 19 visible lines
  EXPECT_EQ(View->TopLine(), 48 - 19 + 1);
}

TEST_F(DayViewState, PrintingLeavesTheScreensTablesAlone) {
  AddEvent("e", At(2024, 5, 10, 9), At(2024, 5, 10, 10));
  Paint();
  const TVpEventArray before = View->EventArray();
  TRecordingCanvas canvas;
  View->RenderIntoRect(&canvas, kTallView, ra90, 3.0, At(2024, 5, 11), 0, -1, gr15Min, true);
  ASSERT_EQ(View->EventArray().size(), before.size());
  EXPECT_EQ(View->EventArray()[0].Rec, before[0].Rec);
  EXPECT_EQ(View->VisibleLines(), 9);
  EXPECT_EQ(View->ColRects()[0].Date, At(2024, 5, 10));
}

TEST_F(DayViewState, DrawnAndActiveEventsAreFoundAgainAfterAReload) {
  TVpEvent* event = Store().ActiveResource()->Schedule().AddEvent(-1, At(2024, 5, 10, 9), At(2024, 5, 10, 10));
  event->SetDescription("posted");
  Paint();
  ASSERT_EQ(View->DrawnEvent(0), event) << "an event not yet posted is known by itself";
  Store().PostEvents();
  Paint();
  View->SetActiveEvent(View->DrawnEvent(0));
  Store().ReloadEvents();  // every event object is made anew
  ASSERT_NE(View->ActiveEvent(), nullptr);
  EXPECT_EQ(View->ActiveEvent()->Description(), "posted");
  EXPECT_EQ(View->DrawnEvent(0)->Description(), "posted");
  EXPECT_EQ(View->DrawnEvent(1), nullptr);

  Store().ActiveResource()->Schedule().Clear();
  EXPECT_EQ(View->ActiveEvent(), nullptr);
  EXPECT_EQ(View->DrawnEvent(0), nullptr);
}

}  // namespace
