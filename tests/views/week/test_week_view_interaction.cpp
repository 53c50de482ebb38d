#include <functional>
#include <string>
#include <vector>

#include "model/date_format.h"
#include "model/event.h"
#include "store/control_link.h"
#include "tests/support/menu_choice.h"
#include "tests/views/week/test_week_view_support.h"
#include "views/day/day_view.h"

// What the user does in the week view, through its entry points with the store and its files
// below it: keys, double-clicks, the popup menu, the event dialog's answers, deleting, dragging,
// and dates shared with the day view.

namespace {

// Points inside the boxes of the 400 x 300 view, below any event line.
constexpr TPoint kEmptyMonday{100, 112};
constexpr TPoint kEmptyThursday{300, 112};
// The first timed line of a box starts below its caption: Monday's is (1, 59, 201, 78).
constexpr TPoint kFirstMondayLine{100, 68};
constexpr TPoint kFirstThursdayLine{300, 68};

class WeekViewInteraction : public WeekViewTest {
 protected:
  WeekViewInteraction() {
    View->OnShowMenu = [this](const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
      Menus.push_back(items);
      MenuPoints.push_back(placement.At);
      return MenuCommandOf(items, MenuChoice);
    };
  }

  // The events as the store reads them back from its file: description, day and time.
  std::vector<std::string> StoredEvents() {
    Store().ReloadEvents();
    std::vector<std::string> events;
    const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
    for (int i = 0; i < schedule.Count(); ++i) {
      const TVpEvent& event = *schedule.Items(i);
      events.push_back(event.Description() + " " + FormatDateTime("yyyy-mm-dd hh:nn", event.StartTime(), Locale) + "-" +
                       FormatDateTime("hh:nn", event.EndTime(), Locale));
    }
    return events;
  }

  TVpEvent& PostedEvent(const std::string& description, double start, double end) {
    TVpEvent& event = AddEvent(description, start, end);
    event.SetChanged(true);
    Store().PostEvents();
    return *Store().ActiveResource()->Schedule().FindByRecordID(event.RecordID());
  }

  void Drag(TPoint from, TPoint to) {
    View->MouseDown(mbLeft, ssLeft, from.X, from.Y);
    View->MouseMove(ssLeft, from.X + 10, from.Y);
    View->MouseMove(ssLeft, to.X, to.Y);
    View->MouseUp(mbLeft, 0, to.X, to.Y);
    Paint();
  }

  std::string MenuChoice;
  std::vector<std::vector<TVpMenuItem>> Menus;
  std::vector<TPoint> MenuPoints;
};

}  // namespace

TEST_F(WeekViewInteraction, TheArrowsMoveAcrossTheTwoColumns) {
  struct TCase {
    double From;
    int Key;
    TShiftState Shift;
    double To;
  };
  const double mon = At(2024, 5, 6, 9), tue = mon + 1, wed = mon + 2, thu = mon + 3, fri = mon + 4, sat = mon + 5,
               sun = mon + 6;
  const TCase cases[] = {
      {mon, VK_RIGHT, 0, thu},
      {tue, VK_LEFT, 0, fri},
      {wed, VK_RIGHT, 0, sat},
      {thu, VK_LEFT, 0, mon},
      {sat, VK_RIGHT, 0, wed},
      {sun, VK_LEFT, 0, wed},
      {sun, VK_RIGHT, 0, wed},
      {mon, VK_UP, 0, wed},
      {thu, VK_UP, 0, sun},
      {fri, VK_UP, 0, thu},
      {wed, VK_DOWN, 0, mon},
      {sun, VK_DOWN, 0, thu},
      {sat, VK_DOWN, 0, sun},
      {wed, VK_LEFT, ssShift, wed - 7},
      {wed, VK_RIGHT, ssShift, wed + 7},
      {At(2024, 1, 31, 9), VK_RIGHT, ssCtrl, At(2024, 2, 29)},
      {wed, VK_LEFT, ssCtrl, At(2024, 4, 8)},
      {At(2024, 2, 29), VK_LEFT, ssCtrl | ssShift, At(2023, 2, 28)},
      {wed, VK_UP, ssShift, wed},
      {wed, VK_DOWN, ssCtrl, wed},
  };
  for (TVpDayType start : {dtMonday, dtSunday}) {
    View->SetWeekStartsOn(start);
    for (const TCase& c : cases) {
      View->SetDate(c.From);
      EXPECT_TRUE(View->KeyDown(c.Key, c.Shift));
      EXPECT_EQ(View->Date(), c.To) << "key " << c.Key << " shift " << c.Shift << " from day " << c.From;
      EXPECT_LE(View->WeekStart(), View->Date());
      EXPECT_LT(View->Date(), View->WeekStart() + 7);
    }
  }
  EXPECT_FALSE(View->KeyDown(VK_TAB, 0)) << "Tab goes on to the next control";
}

TEST_F(WeekViewInteraction, ADoubleClickOnAnEmptyDayAddsAnEventAtNoonAndACancelRemovesIt) {
  Paint();
  View->DoubleClick(kEmptyThursday.X, kEmptyThursday.Y);
  EXPECT_EQ(View->Date(), At(2024, 5, 8, 9)) << "a double-click alone does not move the date";
  View->MouseDown(mbLeft, ssLeft, kEmptyThursday.X, kEmptyThursday.Y);
  View->MouseUp(mbLeft, 0, kEmptyThursday.X, kEmptyThursday.Y);
  EXPECT_EQ(View->Date(), At(2024, 5, 9));
  ASSERT_EQ(Dialogs.EditedEvents.size(), 1u);
  EXPECT_TRUE(StoredEvents().empty()) << "cancelled: the new event is gone again";

  Dialogs.EditEventAnswer = [](TVpEvent& event, bool twelveHour) {
    EXPECT_TRUE(twelveHour);
    event.SetDescription("Lunch");
    return true;
  };
  View->DoubleClick(kEmptyThursday.X, kEmptyThursday.Y);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Lunch 2024-05-09 12:00-12:30"});

  // A double-click on the drawn event edits it.
  Paint();
  Dialogs.EditEventAnswer = [](TVpEvent& event, bool) {
    event.SetDescription("Long lunch");
    return true;
  };
  View->DoubleClick(kFirstThursdayLine.X, kFirstThursdayLine.Y);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Long lunch 2024-05-09 12:00-12:30"});
}

TEST_F(WeekViewInteraction, AReloadDuringTheDialogLeavesTheEventToBeFoundAgain) {
  PostedEvent("Gym", At(2024, 5, 6, 18), At(2024, 5, 6, 19));
  Paint();
  Dialogs.EditEventAnswer = [this](TVpEvent&, bool) {
    Store().ReloadEvents();  // the event object given is freed here
    Store().ActiveResource()->Schedule().FindByRecordID(1)->SetDescription("Swim");
    return true;
  };
  View->DoubleClick(kFirstMondayLine.X, kFirstMondayLine.Y);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Swim 2024-05-06 18:00-19:00"});
  // The table of the last paint still names the freed event; a click there finds the reloaded one.
  View->MouseDown(mbLeft, ssLeft, kFirstMondayLine.X, kFirstMondayLine.Y);
  EXPECT_NE(View->ActiveEvent(), nullptr) << "looked up by its record ID";
}

TEST_F(WeekViewInteraction, DeleteAsksFirstAndTheMenuOffersEventItemsOnlyOnAnEvent) {
  PostedEvent("Gym", At(2024, 5, 6, 18), At(2024, 5, 6, 19));
  Paint();
  View->MouseDown(mbRight, ssRight, kEmptyThursday.X, kEmptyThursday.Y);
  ASSERT_EQ(Menus.size(), 1u);
  EXPECT_FALSE(Menus[0][1].Enabled) << "Edit Event... without an event";
  EXPECT_FALSE(Menus[0][2].Enabled);
  EXPECT_EQ(View->Date(), At(2024, 5, 9)) << "the right press selects the day";

  MessageBoxes.Answers = {mrNo};
  MenuChoice = "&Delete Event...";
  View->MouseDown(mbRight, ssRight, kFirstMondayLine.X, kFirstMondayLine.Y);
  EXPECT_TRUE(Menus[1][1].Enabled && Menus[1][2].Enabled);
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "Delete \"Gym\" from your schedule?\r\n\nThis operation cannot be undone!");
  EXPECT_EQ(StoredEvents().size(), 1u);

  Paint();
  MessageBoxes.Answers = {mrYes};
  View->MouseDown(mbLeft, ssLeft, kFirstMondayLine.X, kFirstMondayLine.Y);
  EXPECT_TRUE(View->KeyDown(VK_DELETE, 0));
  EXPECT_TRUE(StoredEvents().empty());
  EXPECT_EQ(View->ActiveEvent(), nullptr);

  // Shift+F10 opens the menu near the top-left corner; F10 alone is not the view's.
  MenuChoice = "Next Month";
  EXPECT_TRUE(View->KeyDown(VK_F10, ssShift));
  EXPECT_EQ(MenuPoints.back(), (TPoint{10, 10}));
  EXPECT_EQ(View->Date(), At(2024, 6, 6));
  EXPECT_FALSE(View->KeyDown(VK_F10, 0));
}

TEST_F(WeekViewInteraction, DraggingAnEventToAnotherDayKeepsItsTimesARepeatingOneAsChosen) {
  PostedEvent("Gym", At(2024, 5, 6, 18), At(2024, 5, 6, 19, 30));
  Paint();
  Drag(kFirstMondayLine, kEmptyThursday);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Gym 2024-05-09 18:00-19:30"});

  TVpEvent& gym = *Store().ActiveResource()->Schedule().FindByRecordID(1);
  gym.SetRepeatCode(rcWeekly);
  gym.SetRepeatRangeEnd(At(2024, 12, 31));
  Store().PostEvents();
  Paint();
  MessageBoxes.Choices = {-1};
  Drag(kFirstThursdayLine, kEmptyMonday);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Gym 2024-05-09 18:00-19:30"}) << "Cancel";
  MessageBoxes.Choices = {2};
  Drag(kFirstThursdayLine, kEmptyMonday);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Gym 2024-05-06 18:00-19:30"}) << "all occurrences";

  View->SetReadOnly(true);
  View->DoubleClick(kEmptyMonday.X, kEmptyMonday.Y);
  EXPECT_TRUE(View->KeyDown(VK_INSERT, 0));
  EXPECT_EQ(Dialogs.EditedEvents.size(), 0u) << "a read-only view adds nothing";
}

TEST_F(WeekViewInteraction, DatesFollowTheDayViewThroughTheControlLink) {
  TVpControlLink link;
  TVpDayView day(Clock, Locale, &Window);
  day.SetDataStore(&Store());
  day.SetControlLink(&link);
  View->SetControlLink(&link);
  day.SetDate(At(2024, 5, 20, 9));
  EXPECT_EQ(View->Date(), At(2024, 5, 20, 9));
  EXPECT_EQ(View->WeekStart(), At(2024, 5, 20));
  EXPECT_TRUE(View->KeyDown(VK_RIGHT, 0));
  EXPECT_EQ(day.Date(), At(2024, 5, 23, 9));

  View->Loaded();
  View->SetDate(At(2024, 7, 1));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 7, 1)) << "a loaded view hands its date to the store";
}
