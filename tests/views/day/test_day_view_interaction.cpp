#include <functional>
#include <string>
#include <vector>

#include "store/change_path.h"
#include "store/data_packet.h"
#include "tests/support/menu_choice.h"
#include "tests/views/day/test_day_view_support.h"

// What the user does in the day view: double-clicks, keys, the wheel, the popup menu, the event
// dialog's answers and dragging, driven through the view's entry points with the store and its
// files below it.

namespace {

// On kTallView every half-hour row shows: row r spans y 33 + 30 r to 33 + 30 (r + 1).
int RowY(int row) { return 33 + 30 * row + 15; }
constexpr int kSlotX = 150;

class DayViewInteraction : public DayViewTest {
 protected:
  DayViewInteraction() {
    View->OnShowMenu = [this](const std::vector<TVpMenuItem>& items, TVpMenuPlacement) {
      Menus.push_back(items);
      return MenuCommandOf(items, MenuChoice);
    };
  }

  // The events stored for the resource, as descriptions with their times.
  std::vector<std::string> StoredEvents() {
    TFieldDefs fields;
    std::vector<TRowValues> rows;
    ReadDataPacket(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), fields, rows);
    std::vector<std::string> events;
    for (const TRowValues& row : rows) {
      const TVpTime start = DecodeTime(std::get<double>(row[1]));
      const TVpTime end = DecodeTime(std::get<double>(row[2]));
      char text[64];
      std::snprintf(text, sizeof text, " %02d:%02d-%02d:%02d", start.Hour, start.Minute, end.Hour, end.Minute);
      events.push_back(ValueAsString(row[4]) + text);
    }
    return events;
  }

  TVpEvent& PostedEvent(const std::string& description, double start, double end) {
    TVpEvent& event = AddEvent(description, start, end);
    event.SetChanged(true);
    Store().PostEvents();
    return *Store().ActiveResource()->Schedule().FindByRecordID(event.RecordID());
  }

  void Drag(int fromRow, int toRow, int toX = kSlotX) {
    View->MouseDown(mbLeft, ssLeft, kSlotX, RowY(fromRow));
    View->MouseMove(ssLeft, kSlotX, RowY(fromRow) + 10);
    View->MouseMove(ssLeft, toX, RowY(toRow));
    View->MouseUp(mbLeft, 0, toX, RowY(toRow));
    Paint(kTallView);
  }

  std::string MenuChoice;
  std::vector<std::vector<TVpMenuItem>> Menus;
};

TEST_F(DayViewInteraction, ADoubleClickOnASlotAddsAnEventAndACancelLeavesNothing) {
  Paint(kTallView);
  View->DoubleClick(kSlotX, RowY(20));  // 10:00
  ASSERT_EQ(Dialogs.EditedEvents.size(), 1u);
  EXPECT_TRUE(StoredEvents().empty()) << "cancelled: the new event is gone again";
  EXPECT_EQ(Store().ActiveResource()->Schedule().Count(), 0);

  Dialogs.EditEventAnswer = [](TVpEvent& event, bool twelveHour) {
    EXPECT_TRUE(twelveHour) << "the view's time format is 12 hours";
    event.SetDescription("Standup");
    return true;
  };
  View->DoubleClick(kSlotX, RowY(20));
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Standup 10:00-10:30"});
}

// With the setting on, a new event keeps the desktop's zone the hosting window names.
TEST_F(DayViewInteraction, ANewEventKeepsTheZoneTheWindowGivesNewEvents) {
  Dialogs.NewZone = "America/New_York";
  Dialogs.EditEventAnswer = [](TVpEvent&, bool) { return true; };
  View->DoubleClick(kSlotX, RowY(20));
  ASSERT_EQ(Store().ActiveResource()->Schedule().Count(), 1);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->TimeZone(), "America/New_York");
}

// A press on an event's top or bottom edge (the pointer says so) and a drag move that edge to the
// row under the pointer; the other edge stays, and the event keeps at least one row.
TEST_F(DayViewInteraction, DraggingAnEdgeResizesTheEvent) {
  PostedEvent("Review", At(2024, 5, 10, 10), At(2024, 5, 10, 11));  // rows 20 and 21: y 633 to 693
  Paint(kTallView);
  EXPECT_EQ(View->PointerShapeAt(kSlotX, 634), psResizeVertical);
  EXPECT_EQ(View->PointerShapeAt(kSlotX, 663), psArrow);
  const auto dragEdge = [&](int y, int toRow) {
    View->MouseDown(mbLeft, ssLeft, kSlotX, y);
    View->MouseMove(ssLeft, kSlotX, y + 10);
    View->MouseMove(ssLeft, kSlotX, RowY(toRow));
    View->MouseUp(mbLeft, 0, kSlotX, RowY(toRow));
    Paint(kTallView);
  };
  dragEdge(634, 18);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Review 09:00-11:00"});
  dragEdge(692, 24);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Review 09:00-12:30"});
  dragEdge(574, 30);  // the top edge, now at 09:00
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Review 12:00-12:30"}) << "one row is left";
  Store().Changes().Undo();
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Review 09:00-12:30"}) << "each resize is one step";
}

// A double click into the all-day strip adds an all-day event on the column's day.
TEST_F(DayViewInteraction, ADoubleClickIntoTheAllDayStripAddsAnAllDayEvent) {
  TVpEvent& holiday = PostedEvent("Holiday", At(2024, 5, 10), At(2024, 5, 10, 1));
  holiday.SetAllDayEvent(true);
  holiday.SetChanged(true);
  Store().PostEvents();
  View->SetNumDays(2);
  Paint(kTallView);
  ASSERT_LT(View->StripTop(), View->HeaderHeight());
  Dialogs.EditEventAnswer = [](TVpEvent& event, bool) {
    EXPECT_TRUE(event.AllDayEvent());
    event.SetDescription("Trip");
    return true;
  };
  const int x = View->ColRects()[1].Rec.Left + 20;
  const int y = View->HeaderHeight() - 3;
  View->MouseDown(mbLeft, ssLeft, x, y);
  View->MouseUp(mbLeft, 0, x, y);
  View->DoubleClick(x, y);
  EXPECT_EQ(StoredEvents(), (std::vector<std::string>{"Holiday 00:00-23:59", "Trip 00:00-23:59"}));
  const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  ASSERT_EQ(schedule.Count(), 2);
  for (int i = 0; i < schedule.Count(); ++i)
    if (schedule.Items(i)->Description() == "Trip") {
      EXPECT_EQ(schedule.Items(i)->StartTime(), At(2024, 5, 11));
    }
}

TEST_F(DayViewInteraction, ADoubleClickOnAnEventEditsIt) {
  PostedEvent("Dentist", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Paint(kTallView);
  Dialogs.EditEventAnswer = [](TVpEvent& event, bool) {
    event.SetDescription("Dentist, moved");
    return true;
  };
  View->MouseDown(mbLeft, ssLeft, kSlotX, RowY(21));
  View->MouseUp(mbLeft, 0, kSlotX, RowY(21));
  View->DoubleClick(kSlotX, RowY(21));
  EXPECT_EQ(Dialogs.EditedEvents, std::vector<std::string>{"Dentist"});
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Dentist, moved 10:00-11:00"});
}

TEST_F(DayViewInteraction, ThePopupMenuDeletesAfterTheQuestion) {
  PostedEvent("Gym", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Paint(kTallView);
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(25));  // an empty slot
  ASSERT_EQ(Menus.size(), 1u);
  EXPECT_TRUE(Menus[0][0].Enabled);
  EXPECT_FALSE(Menus[0][1].Enabled) << "Edit Event... needs an event";
  EXPECT_FALSE(Menus[0][2].Enabled) << "Delete Event... needs an event";
  EXPECT_EQ(Menus[0][3].Caption, "Change Date");
  EXPECT_EQ(Menus[0][3].Items.size(), 11u);

  MenuChoice = "Delete Event...";
  MessageBoxes.Answers = {mrNo};
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(20));
  EXPECT_TRUE(Menus[1][1].Enabled && Menus[1][2].Enabled);
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "Delete \"Gym\" from your schedule?\r\n\nThis operation cannot be undone!");
  EXPECT_EQ(MessageBoxes.Shown[0].Buttons, mbYesNo);
  EXPECT_EQ(StoredEvents().size(), 1u) << "No keeps it";
  MessageBoxes.Answers = {mrYes};
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(20));
  EXPECT_TRUE(StoredEvents().empty());
}

// Deleting an occurrence of a repeating event asks which occurrences go: Cancel keeps them all, only
// this one leaves the series without it, all of them deletes the series.
TEST_F(DayViewInteraction, DeletingARepeatingEventAsksWhichOccurrencesGo) {
  TVpEvent& run = AddEvent("Morning run", At(2024, 5, 3, 10), At(2024, 5, 3, 11));
  run.SetRepeatCode(rcWeekly);
  run.SetRepeatRangeEnd(At(2024, 7, 19));
  run.SetChanged(true);
  Store().PostEvents();
  Paint(kTallView);
  MenuChoice = "Delete Event...";
  MessageBoxes.Choices = {-1, 0, 2};
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(20));
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text,
            "Delete \"Morning run\" from your schedule?\r\n\nIt repeats: which occurrences?");
  EXPECT_EQ(StoredEvents().size(), 1u) << "Cancel keeps it";
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(20));
  ASSERT_EQ(StoredEvents().size(), 1u);
  const TVpEvent& kept = *Store().ActiveResource()->Schedule().Items(0);
  EXPECT_EQ(kept.ExceptionDates(), "20240510T100000");
  EXPECT_FALSE(FallsOn(kept, At(2024, 5, 10)));
  EXPECT_TRUE(FallsOn(kept, At(2024, 5, 17)));
  View->SetDate(At(2024, 5, 17));
  Paint(kTallView);
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(20));
  EXPECT_TRUE(StoredEvents().empty());
}

TEST_F(DayViewInteraction, TheMenuChangesTheDate) {
  View->SetDate(At(2024, 1, 31));
  Paint(kTallView);
  const std::pair<const char*, double> cases[] = {{"Next Month", At(2024, 2, 29)},
                                                  {"Next Year", At(2025, 2, 28)},
                                                  {"Previous Week", At(2025, 2, 21)},
                                                  {"Today", At(2024, 5, 10, 9)}};
  for (const auto& [choice, expected] : cases) {
    SCOPED_TRACE(choice);
    MenuChoice = choice;
    View->MouseDown(mbRight, ssRight, kSlotX, RowY(3));
    EXPECT_EQ(View->Date(), expected);
  }
}

TEST_F(DayViewInteraction, DraggingMovesTheEventAndKeepsItsLength) {
  PostedEvent("Call", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  PostedEvent("Short", At(2024, 5, 10, 14), At(2024, 5, 10, 14, 29));
  PostedEvent("Late", At(2024, 5, 10, 23), At(2024, 5, 11, 0));
  Paint(kTallView);

  Drag(20, 47);  // the last row: the hour runs from 23:00 and ends at 23:59
  Drag(46, 16);  // back to 08:00: one hour again
  Drag(28, 30);  // a 29-minute event stays 29 minutes
  Drag(46, 4);   // an event to midnight moves too
  EXPECT_EQ(StoredEvents(), (std::vector<std::string>{"Call 08:00-09:00", "Short 15:00-15:29", "Late 02:00-03:00"}));
}

// A dragged occurrence of a repeating event moves as chosen: Cancel leaves it, only this one becomes
// an event of its own linked to the series, which leaves that day out.
TEST_F(DayViewInteraction, ARepeatingEventIsDraggedForTheOccurrencesChosen) {
  TVpEvent& daily = AddDailyEvent("Lunch", At(2024, 5, 1, 12), At(2024, 5, 1, 13));
  daily.SetChanged(true);
  Store().PostEvents();
  Paint(kTallView);
  const int writes = Writer.TotalWrites();
  MessageBoxes.Choices = {-1};
  Drag(24, 30);
  EXPECT_EQ(Writer.TotalWrites(), writes) << "Cancel";
  MessageBoxes.Choices = {0};
  Drag(24, 30);
  EXPECT_EQ(StoredEvents(), (std::vector<std::string>{"Lunch 12:00-13:00", "Lunch 15:00-16:00"}));
  const TVpSchedule& schedule = Store().ActiveResource()->Schedule();
  const TVpEvent& series = *schedule.Items(0);
  const TVpEvent& moved = *schedule.Items(1);
  EXPECT_EQ(moved.SeriesID(), series.RecordID());
  EXPECT_EQ(moved.OriginalStart(), At(2024, 5, 10, 12));
  EXPECT_EQ(series.ExceptionDates(), "20240510T120000");
  std::vector<TVpEvent*> today;
  schedule.CollectEventsOn(At(2024, 5, 10), today);
  ASSERT_EQ(today.size(), 1u);
  EXPECT_EQ(today[0], &moved);
}

// Editing one occurrence: Cancel in the event window leaves the series exactly as it was; OK writes
// the occurrence as an event of its own.
TEST_F(DayViewInteraction, EditingOneOccurrenceWritesItOnOkOnly) {
  TVpEvent& daily = AddDailyEvent("Lunch", At(2024, 5, 1, 12), At(2024, 5, 1, 13));
  daily.SetChanged(true);
  Store().PostEvents();
  Paint(kTallView);
  const std::string before = TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile));
  bool ok = false;
  Dialogs.EditEventAnswer = [&](TVpEvent& event, bool) {
    event.SetDescription("Lunch with Ann");
    return ok;
  };
  const auto doubleClickLunch = [this] {
    View->MouseDown(mbLeft, ssLeft, kSlotX, RowY(24));
    View->MouseUp(mbLeft, 0, kSlotX, RowY(24));
    View->DoubleClick(kSlotX, RowY(24));
  };
  MessageBoxes.Choices = {0};
  doubleClickLunch();
  EXPECT_EQ(TTemporaryFolder::Read(TableFile(TVpPlannerFiles::kEventsFile)), before);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Count(), 1);
  ok = true;
  MessageBoxes.Choices = {0};
  Paint(kTallView);
  doubleClickLunch();
  EXPECT_EQ(StoredEvents(), (std::vector<std::string>{"Lunch 12:00-13:00", "Lunch with Ann 12:00-13:00"}));
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->ExceptionDates(), "20240510T120000");
}

TEST_F(DayViewInteraction, AnEventWithAnUnknownRepeatCodeIsDraggedLikeOneThatDoesNotRepeat) {
  // Such an event shows on its start day only, so it moves as any other one-day event does.
  TVpEvent& odd = AddEvent("Odd", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  odd.SetRepeatCode(9);
  odd.SetRepeatRangeEnd(At(2024, 12, 31));
  odd.SetChanged(true);
  Store().PostEvents();
  Paint(kTallView);
  Drag(20, 16);
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Odd 08:00-09:00"});
}

TEST_F(DayViewInteraction, DroppingOnAnotherDayMovesTheEventThere) {
  View->SetNumDays(2);
  PostedEvent("Trip", At(2024, 5, 10, 9), At(2024, 5, 10, 10));
  Paint(kTallView);
  const int secondColumn = View->ColRects()[1].Rec.Left + 20;
  Drag(18, 18, secondColumn);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->StartTime(), At(2024, 5, 11, 9));
}

TEST_F(DayViewInteraction, WithoutWeekendsTheSecondColumnAfterAFridayIsMonday) {
  View->SetIncludeWeekends(false);
  View->SetNumDays(5);
  Paint(kTallView);
  Dialogs.EditEventAnswer = [](TVpEvent&, bool) { return true; };
  const int x = View->ColRects()[1].Rec.Left + 20;
  View->MouseDown(mbLeft, ssLeft, x, RowY(18));  // the press that comes before a double-click
  View->MouseUp(mbLeft, 0, x, RowY(18));
  View->DoubleClick(x, RowY(18));
  ASSERT_EQ(Store().ActiveResource()->Schedule().Count(), 1);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->StartTime(), At(2024, 5, 13, 9));
}

TEST_F(DayViewInteraction, AddingBeforeAnyRowWasChosenUsesTheTopRow) {
  View->Loaded();  // scrolls to 07:00
  Dialogs.EditEventAnswer = [](TVpEvent&, bool) { return true; };
  ASSERT_EQ(View->ActiveRow(), -1);
  EXPECT_TRUE(View->KeyDown(VK_RETURN, 0));
  ASSERT_EQ(Store().ActiveResource()->Schedule().Count(), 1);
  EXPECT_EQ(Store().ActiveResource()->Schedule().Items(0)->StartTime(), At(2024, 5, 10, 7));
}

TEST_F(DayViewInteraction, KeysMoveTheSelectionAndScrollOneRowAtATime) {
  Paint();  // 9 visible lines
  View->SetTopLine(10);
  View->FocusChanged(true);
  EXPECT_EQ(View->ActiveRow(), 10) << "the focus selects the top row";
  View->KeyDown(VK_UP, 0);
  EXPECT_EQ(View->ActiveRow(), 9);
  EXPECT_EQ(View->TopLine(), 9) << "Up on the top row scrolls one row";
  View->KeyDown(VK_HOME, 0);
  View->KeyDown(VK_UP, 0);
  EXPECT_EQ(View->ActiveRow(), 0);
  EXPECT_EQ(View->TopLine(), 0);
  View->KeyDown(VK_END, 0);
  EXPECT_EQ(View->ActiveRow(), 47);
  View->KeyDown(VK_LEFT, 0);
  EXPECT_EQ(View->Date(), At(2024, 5, 9));
  EXPECT_FALSE(View->KeyDown(VK_TAB, 0)) << "Tab goes on to the window";
}

TEST_F(DayViewInteraction, TheWheelStopsAtBothEnds) {
  Paint();
  View->SetTopLine(0);
  View->MouseWheel(0, 120, kSlotX, RowY(2));
  EXPECT_EQ(View->TopLine(), 0);
  for (int i = 0; i < 60; ++i) View->MouseWheel(0, -120, kSlotX, RowY(2));
  EXPECT_EQ(View->TopLine(), 48 - 9 + 1);
}

TEST_F(DayViewInteraction, AReadOnlyViewIgnoresEditing) {
  PostedEvent("Fixed", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  View->SetReadOnly(true);
  Paint(kTallView);
  View->DoubleClick(kSlotX, RowY(21));
  View->MouseDown(mbRight, ssRight, kSlotX, RowY(21));
  View->KeyDown(VK_INSERT, 0);
  Drag(20, 30);
  EXPECT_TRUE(Dialogs.EditedEvents.empty());
  EXPECT_TRUE(Menus.empty());
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Fixed 10:00-11:00"});
}

TEST_F(DayViewInteraction, AReloadWhileTheDialogIsOpenLeavesNoDanglingEvent) {
  PostedEvent("Held", At(2024, 5, 10, 10), At(2024, 5, 10, 11));
  Paint(kTallView);
  Dialogs.EditEventAnswer = [this](TVpEvent& event, bool) {
    event.SetDescription("Held, renamed");
    Store().ReloadEvents();  // a reminder window posting and reloading meanwhile
    return true;
  };
  View->MouseDown(mbLeft, ssLeft, kSlotX, RowY(20));
  View->MouseUp(mbLeft, 0, kSlotX, RowY(20));
  View->DoubleClick(kSlotX, RowY(20));
  EXPECT_EQ(StoredEvents(), std::vector<std::string>{"Held 10:00-11:00"}) << "the edit went with the freed event";
  Paint(kTallView);
}

TEST_F(DayViewInteraction, WithoutAResourceTheViewOffersToAddOne) {
  Store().SetActiveResource(nullptr);
  Paint(kTallView);
  MessageBoxes.Answers = {mrNo};
  View->DoubleClick(kSlotX, RowY(20));
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "No resource has been selected. Would you like to select one now?");
  EXPECT_TRUE(Dialogs.EditedEvents.empty());
}

}  // namespace
