#include <gtest/gtest.h>

#include <filesystem>

#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "views/linkable_control.h"

namespace {

// A view that counts its repaints and records the notifications it gets.
class TCountingView : public TVpLinkableControl {
 public:
  explicit TCountingView(const void* owner) : TVpLinkableControl(owner) {
    OnInvalidate = [this] { ++Repaints; };
  }
  TVpItemType GetItemType() const override { return itDayView; }
  void RenderIntoRect(TCanvas*, const TRect&, TVpRotationAngle, double, double, int, int, TVpGranularity,
                      bool) override {}
  void HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind kind, double value) override {
    Notifications.emplace_back(kind, value);
  }
  int Repaints = 0;
  std::vector<std::pair<TVpNotificationKind, double>> Notifications;
};

class StoreCore : public ::testing::Test, protected TPlannerFixture {
 protected:
  StoreCore() {
    CreateTables();
    Connect();
  }

  TVpEvent& AddEvent(TVpResource& resource, const char* description, double start, double end) {
    TVpEvent* event = resource.Schedule().AddEvent(-1, start, end);
    event->SetDescription(description);
    return *event;
  }
};

TEST_F(StoreCore, TheLoadedWindowFollowsTheDisplayDate) {
  TVpFlexDataStore& store = Store();
  TCountingView view(&Window);
  AddActiveResource("KORET");
  store.SetDisplayDate(At(2024, 5, 10));
  store.SetDayBuffer(31);
  EXPECT_EQ(store.LoadedRange().StartTime(), At(2024, 4, 9));
  EXPECT_EQ(store.LoadedRange().EndTime(), At(2024, 6, 11));

  view.SetDataStore(&store);
  view.Repaints = 0;
  store.SetDisplayDate(At(2024, 5, 11));
  EXPECT_EQ(view.Repaints, 0) << "inside the window and the same month: nothing reloads";
  store.SetDisplayDate(At(2024, 6, 1));
  EXPECT_EQ(view.Repaints, 1) << "another month reloads, although 1 June lies inside the window";
  EXPECT_EQ(store.LoadedRange().StartTime(), At(2024, 5, 1));
  EXPECT_EQ(store.LoadedRange().EndTime(), At(2024, 7, 3));

  store.SetDayBuffer(0);
  EXPECT_EQ(store.LoadedRange().StartTime(), At(2024, 5, 1)) << "a buffer of 0 leaves the window";
}

TEST_F(StoreCore, RemindersFallDueStrictlyAfterTheirTime) {
  TVpFlexDataStore& store = Store();
  TVpResource& resource = AddActiveResource("KORET");
  TVpEvent& event = AddEvent(resource, "Dentist", At(2024, 5, 10, 10, 0), At(2024, 5, 10, 11, 0));
  event.SetAlarmSet(true);
  event.SetAlarmAdvance(15);
  store.PostEvents();

  Clock.Set(At(2024, 5, 10, 9, 44, 59));
  store.CheckAlarms();
  Clock.Set(At(2024, 5, 10, 9, 45, 0));
  store.CheckAlarms();
  EXPECT_TRUE(Dialogs.Reminders.empty()) << "a tick at exactly 09:45:00.000 is not later than it";
  Clock.Set(At(2024, 5, 10, 9, 45, 0, 1));
  store.CheckAlarms();
  EXPECT_EQ(Dialogs.Reminders, std::vector<std::string>{"Dentist"});
  store.CheckAlarms();
  EXPECT_EQ(Dialogs.Reminders.size(), 1u) << "an open reminder window is not opened again";
  EXPECT_EQ(Sound.Played, std::vector<std::string>{"<beep>"}) << "no sound file: the default beep";
}

TEST_F(StoreCore, TheRemindersAreCheckedHalfASecondAfterStartThenHalfASecondPastEveryFullMinute) {
  TVpFlexDataStore& store = Store();
  TVpResource& resource = AddActiveResource("KORET");
  TVpEvent& event = AddEvent(resource, "Call", At(2024, 5, 10, 9, 3), At(2024, 5, 10, 9, 30));
  event.SetAlarmSet(true);
  store.PostEvents();
  // The store was made at 09:00:00.000: the first check comes at 09:00:00.500, the next ones at
  // 09:01:00.500, 09:02:00.500, ... (the timer ticks every few seconds between them).
  Timers.Advance(3 * 60 * 1000);
  EXPECT_TRUE(Dialogs.Reminders.empty());
  Timers.Advance(499);
  EXPECT_TRUE(Dialogs.Reminders.empty());
  Timers.Advance(1);
  EXPECT_EQ(Dialogs.Reminders, std::vector<std::string>{"Call"});

  Clock.Set(At(2024, 5, 10, 12, 34, 20));
  store.CheckAlarms();
  Timers.Advance(40499);
  const size_t before = Dialogs.Reminders.size();
  event.SetAlertDisplayed(false);
  Timers.Advance(1);
  EXPECT_EQ(Dialogs.Reminders.size(), before + 1) << "after a check at 12:34:20 the next comes at 12:35:00.500";
}

TEST_F(StoreCore, ReminderSoundsFallBackFromTheEventsFileToTheDefaultToTheBeep) {
  TVpFlexDataStore& store = Store();
  TVpResource& resource = AddActiveResource("KORET");
  const std::string own = Folder.File("own.wav");
  const std::string fallback = Folder.File("default.wav");
  TTemporaryFolder::Write(own, "RIFF");
  TTemporaryFolder::Write(fallback, "RIFF");
  TVpEvent& event = AddEvent(resource, "Walk", At(2024, 5, 10, 8, 0), At(2024, 5, 10, 9, 0));

  event.SetDingPath(own);
  store.SetDefaultEventSound(fallback);
  store.ShowAlarm(event);
  event.SetAlertDisplayed(false);
  event.SetDingPath(Folder.File("missing.wav"));
  store.ShowAlarm(event);
  event.SetAlertDisplayed(false);
  store.SetDefaultEventSound(Folder.File("also-missing.wav"));
  store.ShowAlarm(event);
  event.SetAlertDisplayed(false);
  store.SetPlayEventSounds(false);
  store.ShowAlarm(event);
  EXPECT_EQ(Sound.Played, (std::vector<std::string>{own, fallback, "<beep>"}));
  EXPECT_EQ(Dialogs.Reminders.size(), 4u);

  int alerts = 0;
  store.OnAlert = [&](TVpCustomDataStore&, TVpEvent&) { ++alerts; };
  event.SetAlertDisplayed(false);
  store.SetPlayEventSounds(true);
  store.ShowAlarm(event);
  EXPECT_EQ(alerts, 1);
  EXPECT_EQ(Sound.Played.size(), 3u) << "OnAlert replaces sound and window";
  EXPECT_EQ(Dialogs.Reminders.size(), 4u);
}

TEST_F(StoreCore, RemindersSurviveAWindowThatPostsAndReloads) {
  TVpFlexDataStore& store = Store();
  TVpResource& resource = AddActiveResource("KORET");
  for (const char* name : {"first", "second", "third"}) {
    TVpEvent& event = AddEvent(resource, name, At(2024, 5, 10, 8, 0), At(2024, 5, 10, 9, 30));
    event.SetAlarmSet(true);
  }
  store.PostEvents();
  // Dismissing a reminder clears it and posts; posting and reloading free every event object.
  Dialogs.WhileShown = [](TVpCustomDataStore& s, TVpEvent& e) {
    e.SetAlarmSet(false);
    s.PostEvents();
    s.ReloadEvents();
  };
  store.CheckAlarms();
  EXPECT_EQ(Dialogs.Reminders, (std::vector<std::string>{"first", "second", "third"}));
  store.CheckAlarms();
  EXPECT_EQ(Dialogs.Reminders.size(), 3u) << "each was dismissed";
}

TEST_F(StoreCore, AnUnknownResourceIDLeavesNoResourceActiveAndKeepsTheOldID) {
  TVpFlexDataStore& store = Store();
  TVpResource& resource = AddActiveResource("KORET");
  const int id = resource.ResourceID();
  store.SetResourceID(99);
  EXPECT_EQ(store.ActiveResource(), nullptr);
  EXPECT_EQ(store.ResourceID(), id);
}

TEST_F(StoreCore, OnlyViewsOfTheStoresWindowAreRepaintedAndWatchersAreTold) {
  TVpFlexDataStore& store = Store();
  TCountingView own(&Window);
  TCountingView other(&Folder);  // another window
  own.SetDataStore(&store);
  other.SetDataStore(&store);
  own.Repaints = other.Repaints = 0;
  struct TWatcher : TMessageTarget {
    void HandleMessage(int message) override { Messages.push_back(message); }
    std::vector<int> Messages;
  } watcher;
  store.AddWatcher(&watcher);
  store.AddWatcher(&watcher);
  store.NotifyLinkedControls();
  EXPECT_EQ(own.Repaints, 1);
  EXPECT_EQ(other.Repaints, 0);
  Poster.DeliverAll();
  EXPECT_EQ(watcher.Messages, std::vector<int>{StoreChanged});
  store.RemoveWatcher(&watcher);
  store.NotifyLinkedControls();
  EXPECT_EQ(Poster.Pending(), 0u);
}

TEST_F(StoreCore, TheControlLinkKeepsDatesInStepAndForgetsViewsThatGo) {
  TVpControlLink link(&Window);
  TCountingView a(&Window);
  auto b = std::make_unique<TCountingView>(&Window);
  a.SetControlLink(&link);
  b->SetControlLink(&link);
  a.SetControlLink(&link);
  EXPECT_EQ(link.Controls().size(), 2u);
  link.NotifyLinked(&a, nkDateChanged, At(2024, 5, 10));
  ASSERT_EQ(b->Notifications.size(), 1u);
  EXPECT_EQ(b->Notifications[0].second, At(2024, 5, 10));
  EXPECT_TRUE(a.Notifications.empty()) << "the sender is not told";
  b.reset();
  EXPECT_EQ(link.Controls().size(), 1u);
}

TEST_F(StoreCore, CheckResourceSelectedOffersToAddOrChoose) {
  TVpFlexDataStore& store = Store();
  TCountingView view(&Window);
  EXPECT_FALSE(view.CheckResourceSelected()) << "no store";
  view.SetDataStore(&store);
  EXPECT_FALSE(view.CheckResourceSelected()) << "no edit windows";
  EXPECT_TRUE(MessageBoxes.Shown.empty());
  view.SetEditDialogs(&Dialogs);
  MessageBoxes.Answers = {mrYes};
  Dialogs.AddResourceAnswer = true;
  EXPECT_TRUE(view.CheckResourceSelected());
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "No resources have been defined. Would you like to add one now?");

  AddActiveResource("KORET");
  EXPECT_TRUE(view.CheckResourceSelected());
  store.SetActiveResource(nullptr);
  MessageBoxes.Answers = {mrNo};
  EXPECT_FALSE(view.CheckResourceSelected());
  EXPECT_EQ(MessageBoxes.Shown.back().Text, "No resource has been selected. Would you like to select one now?");
  EXPECT_EQ(Dialogs.SelectResourceCalls, 0);
}

}  // namespace
