#include "store/control_link.h"
#include "tests/views/month/test_month_view_support.h"

namespace {

class MonthViewInput : public MonthViewTest {
 protected:
  MonthViewInput() {
    View->OnDateChanged = [this](TVpMonthView&, double date) { Announced.push_back(date); };
    View->OnShowMenu = [this](const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
      MenuShownAt.push_back(placement.At);
      for (const TVpMenuItem& item : items)
        if (item.Caption == MenuAnswer) return item.Command;
      return -1;
    };
  }

  std::vector<double> Announced;
  std::vector<TPoint> MenuShownAt;
  std::string MenuAnswer;
};

struct TKeyCase {
  double From;
  int Key;
  TShiftState Shift;
  double To;
};

TEST_F(MonthViewInput, KeysMoveByDayWeekMonthAndYear) {
  const TKeyCase cases[] = {
      {At(2024, 4, 30), VK_END, 0, At(2024, 5, 31)},  // already at the end: on to next month's
      {At(2024, 4, 15), VK_END, 0, At(2024, 4, 30)},
      {At(2024, 5, 1), VK_HOME, 0, At(2024, 4, 1)},  // already at the start: the month before
      {At(2024, 5, 15), VK_HOME, 0, At(2024, 5, 1)},
      {At(2024, 1, 1), VK_HOME, 0, At(2023, 12, 1)},
      {At(2024, 2, 29), VK_DOWN, ssCtrl, At(2025, 2, 28)},
      {At(2024, 2, 29), VK_UP, ssCtrl, At(2023, 2, 28)},
      {At(2024, 3, 31), VK_LEFT, ssCtrl, At(2024, 2, 29)},
      {At(2024, 1, 31), VK_RIGHT, ssCtrl, At(2024, 2, 29)},
      {At(2024, 12, 15), VK_NEXT, 0, At(2025, 1, 15)},
      {At(2024, 1, 15), VK_PRIOR, 0, At(2023, 12, 15)},
      {At(2024, 9, 1), VK_LEFT, 0, At(2024, 8, 31)},
      {At(2024, 9, 30), VK_RIGHT, 0, At(2024, 10, 1)},
      {At(2024, 9, 3), VK_UP, 0, At(2024, 8, 27)},
      {At(2024, 9, 28), VK_DOWN, 0, At(2024, 10, 5)},
  };
  for (const TKeyCase& c : cases) {
    View->SetDate(c.From);
    EXPECT_TRUE(View->KeyDown(c.Key, c.Shift));
    EXPECT_EQ(View->Date(), c.To) << "key " << c.Key << " from " << c.From;
  }
  EXPECT_FALSE(View->KeyDown(VK_TAB, 0)) << "Tab goes on to the window";

  View->SetKBNavigation(false);
  EXPECT_FALSE(View->KeyDown(VK_RIGHT, 0));
  EXPECT_EQ(View->Date(), At(2024, 10, 5));
}

TEST_F(MonthViewInput, EveryDateAssignmentIsAnnouncedButOnlyChangesReachTheLinkAndTheStore) {
  TVpControlLink link(&Window);
  TVpMonthView other(Clock, Locale, &Window);
  View->SetControlLink(&link);
  other.SetControlLink(&link);
  View->Loaded();
  Announced.clear();

  View->SetDate(At(2024, 9, 12, 15, 30));
  View->SetDate(At(2024, 9, 12));  // unchanged
  EXPECT_EQ(Announced, (std::vector<double>{At(2024, 9, 12), At(2024, 9, 12)}));
  EXPECT_EQ(View->Date(), At(2024, 9, 12)) << "always a whole date";
  EXPECT_EQ(other.Date(), At(2024, 9, 12));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 9, 12));

  other.SetDate(At(2024, 11, 3));
  EXPECT_EQ(View->Date(), At(2024, 11, 3)) << "a linked view's date is followed";
  EXPECT_EQ(Announced.back(), At(2024, 11, 3));
}

TEST_F(MonthViewInput, ADateTheStoreWasMovedToIsTakenUpOnThePaint) {
  View->Loaded();
  Paint();
  Announced.clear();
  Store().SetDisplayDate(At(2024, 10, 20, 8));
  Paint();
  EXPECT_EQ(View->Date(), At(2024, 10, 20));
  EXPECT_EQ(Announced, (std::vector<double>{At(2024, 10, 20)}));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 10, 20, 8)) << "the store keeps its own date";
}

TEST_F(MonthViewInput, ALoadedViewHasTheStoreLoadEveryDayItsGridShows) {
  TVpEvent* late = Store().ActiveResource()->Schedule().AddEvent(-1, At(2024, 10, 11, 9), At(2024, 10, 11, 10));
  late->SetDescription("Late");
  Store().PostEvents();
  View->SetDate(At(2024, 9, 1));
  View->Loaded();  // 31 days either side of 1 September end before 11 October, the 40th cell
  EXPECT_GE(Store().LoadedRange().EndTime(), At(2024, 10, 13));
  Paint();
  ASSERT_EQ(View->ScreenLayout().Events.size(), 1u);
  EXPECT_EQ(View->ScreenLayout().Events[0].Rec.Left, Cell(40).Rec.Left);
}

TEST_F(MonthViewInput, ANewWeekStartHasTheStoreLoadTheDaysOfTheNewGrid) {
  TVpEvent* late = Store().ActiveResource()->Schedule().AddEvent(-1, At(2025, 1, 10, 9), At(2025, 1, 10, 10));
  late->SetDescription("Late");
  Store().PostEvents();
  View->SetWeekStartsOn(dtMonday);
  View->SetDate(At(2024, 12, 1));  // a Sunday: the Monday grid ends on 5 January
  View->Loaded();
  View->SetWeekStartsOn(dtSunday);  // this grid ends on 11 January
  Paint();
  ASSERT_EQ(View->ScreenLayout().Events.size(), 1u);
  EXPECT_EQ(View->ScreenLayout().Events[0].Rec.Left, Cell(40).Rec.Left);
}

TEST_F(MonthViewInput, ALeftClickSelectsTheDayAndTheEventLineUnderIt) {
  AddEvent("Dentist", At(2024, 9, 20, 10), At(2024, 9, 20, 11));
  Paint(Rect(0, 0, 1404, 225));
  // 20 September is cell 19: column 5 (1006 to 1206), row 2 (116 to 143).
  View->MouseDown(mbLeft, 0, 1010, 120);
  EXPECT_EQ(View->Date(), At(2024, 9, 20));
  ASSERT_NE(View->ActiveEvent(), nullptr);
  EXPECT_EQ(View->ActiveEvent()->Description(), "Dentist");

  View->MouseDown(mbLeft, 0, 201, 115);  // the bottom-right corner of cell 7, edges included
  EXPECT_EQ(View->Date(), At(2024, 9, 8));
  EXPECT_EQ(View->ActiveEvent(), nullptr);

  View->MouseDown(mbLeft, 0, 100, 20);  // the header
  EXPECT_EQ(View->Date(), At(2024, 9, 8));

  View->SetReadOnly(true);
  View->MouseDown(mbLeft, 0, 1010, 120);
  EXPECT_EQ(View->Date(), At(2024, 9, 8)) << "a read-only view ignores the mouse";
  EXPECT_TRUE(View->KeyDown(VK_RIGHT, 0));
  EXPECT_EQ(View->Date(), At(2024, 9, 9)) << "and still moves by the keys";
}

TEST_F(MonthViewInput, ARightClickSelectsTheDayThenOpensTheMenu) {
  Paint();
  MenuAnswer = "Next Month";
  View->MouseDown(mbRight, 0, 50, 100);  // 9 September
  EXPECT_EQ(MenuShownAt, (std::vector<TPoint>{{50, 100}}));
  EXPECT_EQ(View->Date(), At(2024, 10, 9));

  View->SetRightClickChangeDate(false);
  MenuAnswer = "Previous Year";
  View->MouseDown(mbRight, 0, 10, 70);
  EXPECT_EQ(View->Date(), At(2023, 10, 9)) << "only the menu's command moved the date";

  MenuAnswer = "Today";
  EXPECT_TRUE(View->KeyDown(VK_F10, ssShift));
  EXPECT_EQ(MenuShownAt.back(), (TPoint{10, 10}));
  EXPECT_EQ(View->Date(), At(2024, 5, 10)) << "the fixture's clock";
}

}  // namespace
