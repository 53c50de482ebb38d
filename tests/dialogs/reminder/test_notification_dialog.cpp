#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>

#include "dialogs/reminder/notification_dialog.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/resource.h"
#include "model/schedule.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"

namespace {

// The reminder window, scripted by the test: each showing runs the next step, which may do what
// the user or the program does while the window is up, and answers.
class TScriptedReminderWindow : public TVpReminderWindow {
 public:
  using TStep = std::function<TVpReminderAnswer(TVpNotificationRules&)>;
  TVpReminderAnswer Show(TVpNotificationRules& form, const TVpDialogPlacement& placement) override {
    Subjects.push_back(form.Subject());
    LastPlacement = placement;
    if (Steps.empty()) return raClosed;
    const TStep step = std::move(Steps.front());
    Steps.pop_front();
    return step(form);
  }
  std::deque<TStep> Steps;
  std::vector<std::string> Subjects;
  TVpDialogPlacement LastPlacement;
};

TScriptedReminderWindow::TStep Answer(TVpReminderAnswer answer) {
  return [answer](TVpNotificationRules&) { return answer; };
}

// The store's reminders run the real reminder dialog over the scripted window.
class ReminderDialog : public ::testing::Test, protected TPlannerFixture {
 protected:
  ReminderDialog() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Dialogs.RunReminder = [this](TVpCustomDataStore& store, TVpEvent& event) {
      TVpNotificationDialog dialog;
      dialog.SetDataStore(&store);
      dialog.SetEditDialogs(&Dialogs);
      dialog.Execute(&event, Locale, Reminder);
    };
  }

  TVpSchedule& Schedule() { return Store().ActiveResource()->Schedule(); }
  // An event with a reminder that is due now, posted.
  void AddDueEvent(const char* description) {
    TVpEvent* event = Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 8, 0), At(2024, 5, 10, 8, 30));
    event->SetDescription(description);
    event->SetAlarmSet(true);
    Store().PostEvents();
  }
  TVpEvent& Find(const char* description) {
    for (int i = 0; i < Schedule().Count(); ++i)
      if (Schedule().Items(i)->Description() == description) return *Schedule().Items(i);
    throw std::runtime_error(std::string("no event ") + description);
  }
  int EventWrites() const { return Writer.WritesOf(TableFile("events.xml")); }
  std::string EventsFile() const { return TTemporaryFolder::Read(TableFile("events.xml")); }

  TEnglishLocale Locale;
  TScriptedReminderWindow Reminder;
};

TEST_F(ReminderDialog, DismissWritesTheClearedReminderOnceAndItNeverComesBack) {
  AddDueEvent("Dentist");
  const int before = EventWrites();
  Reminder.Steps.push_back(Answer(raDismiss));
  Store().CheckAlarms();
  EXPECT_EQ(EventWrites(), before + 1);
  // The cleared reminder is written as a row that sets none (a cleared flag is left out).
  EXPECT_NE(EventsFile().find("Dentist"), std::string::npos);
  EXPECT_EQ(EventsFile().find("AlarmSet=\"TRUE\""), std::string::npos);
  EXPECT_FALSE(Find("Dentist").AlertDisplayed());
  Clock.Set(At(2024, 5, 11, 9, 0));
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects, std::vector<std::string>{"Dentist"});
  EXPECT_EQ(Reminder.LastPlacement.Width, 273);
}

TEST_F(ReminderDialog, SnoozeWritesTheNewTimeAndTheReminderReturnsWhenItPasses) {
  AddDueEvent("Call");
  Reminder.Steps.push_back([](TVpNotificationRules& form) {
    form.SelectSnooze(1);  // 10 Minutes
    return raSnooze;
  });
  Store().CheckAlarms();
  EXPECT_NE(EventsFile().find("SnoozeTime=\"20240510T09:10:00000\""), std::string::npos);
  Clock.Set(At(2024, 5, 10, 9, 10));
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects.size(), 1u) << "not before the snooze time has passed";
  Clock.Set(At(2024, 5, 10, 9, 10, 1));
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects.size(), 2u);
}

TEST_F(ReminderDialog, ClosingTheWindowChangesNothingSoTheReminderReturnsAtTheNextCheck) {
  AddDueEvent("Walk");
  const int before = EventWrites();
  Store().CheckAlarms();  // no step: the window is closed by its button
  EXPECT_EQ(EventWrites(), before);
  EXPECT_FALSE(Find("Walk").Changed());
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects.size(), 2u);
}

TEST_F(ReminderDialog, OpenItemEditsTheEventInTwelveHourForm) {
  AddDueEvent("Review");
  bool twelveHourAsked = false;
  Dialogs.EditEventAnswer = [&](TVpEvent& event, bool twelveHour) {
    twelveHourAsked = twelveHour;
    event.SetDescription("Review, moved");
    return true;
  };
  Reminder.Steps.push_back(Answer(raOpenItem));
  Store().CheckAlarms();
  EXPECT_TRUE(twelveHourAsked);
  EXPECT_NE(EventsFile().find("Review, moved"), std::string::npos);
  EXPECT_TRUE(Find("Review, moved").AlarmSet());
  EXPECT_FALSE(Find("Review, moved").AlertDisplayed());
}

TEST_F(ReminderDialog, TheWindowAndOpenItemShowTimesInTheTimeFormatGiven) {
  const struct {
    TVpTimeFormat Format;
    bool TwelveHour;
    const char* When;
  } cases[] = {{tf24Hour, false, "Friday, May 10, 2024, 08:00 \u2013 08:30"},
               {tf12Hour, true, "Friday, May 10, 2024, 8:00 AM \u2013 8:30 AM"}};
  AddDueEvent("Review");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.TwelveHour ? "12 hours" : "24 hours");
    Dialogs.RunReminder = [this, format = c.Format](TVpCustomDataStore& store, TVpEvent& event) {
      TVpNotificationDialog dialog;
      dialog.SetDataStore(&store);
      dialog.SetTimeFormat(format);
      dialog.SetEditDialogs(&Dialogs);
      dialog.Execute(&event, Locale, Reminder);
    };
    std::string when;
    std::optional<bool> twelveHour;
    Dialogs.EditEventAnswer = [&](TVpEvent&, bool asked) {
      twelveHour = asked;
      return false;
    };
    Reminder.Steps.push_back([&](TVpNotificationRules& form) {
      when = form.When();
      return raOpenItem;
    });
    Store().CheckAlarms();
    EXPECT_EQ(when, c.When);
    EXPECT_EQ(twelveHour, c.TwelveHour);
  }
}

TEST_F(ReminderDialog, AnOpenWindowIsNotOpenedAgainEvenAfterAReloadReplacedItsEvent) {
  AddDueEvent("Dentist");
  Reminder.Steps.push_back([this](TVpNotificationRules&) {
    Store().ShowAlarm(Find("Dentist"));
    Store().ReloadEvents();  // a post from another window, a change of month
    Store().ShowAlarm(Find("Dentist"));
    Timers.Advance(60 * 1000);  // the reminder timer keeps ticking
    return raDismiss;
  });
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects, std::vector<std::string>{"Dentist"});
  EXPECT_EQ(Sound.Played, std::vector<std::string>{"<beep>"});
  EXPECT_FALSE(Find("Dentist").AlarmSet()) << "the answer went to the reloaded event";
  // The cleared reminder is written as a row that sets none (a cleared flag is left out).
  EXPECT_NE(EventsFile().find("Dentist"), std::string::npos);
  EXPECT_EQ(EventsFile().find("AlarmSet=\"TRUE\""), std::string::npos);
}

TEST_F(ReminderDialog, AnEventDeletedWhileItsWindowIsUpIsLeftAlone) {
  AddDueEvent("Gone");
  Reminder.Steps.push_back([this](TVpNotificationRules&) {
    Find("Gone").SetDeleted(true);
    Store().PostEvents();
    Store().ReloadEvents();
    return raSnooze;
  });
  const int before = EventWrites();
  Store().CheckAlarms();
  EXPECT_EQ(Schedule().Count(), 0);
  EXPECT_EQ(EventWrites(), before + 1) << "only the deletion was written";
}

TEST_F(ReminderDialog, NestedRemindersEachWriteTheirOwnAnswer) {
  AddDueEvent("first");
  AddDueEvent("second");
  AddDueEvent("third");
  // The first window is up when the timer ticks: the second opens over it (and within it the
  // third), and the user answers the newest first.
  Reminder.Steps.push_back([this](TVpNotificationRules&) {
    Timers.Advance(500);  // the timer's next tick
    return raSnooze;
  });
  Reminder.Steps.push_back([this](TVpNotificationRules&) {
    Timers.Advance(500);
    return raDismiss;
  });
  Reminder.Steps.push_back(Answer(raClosed));
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_GT(Find("first").SnoozeTime(), 0);
  EXPECT_TRUE(Find("first").AlarmSet());
  EXPECT_FALSE(Find("second").AlarmSet());
  EXPECT_EQ(Find("second").SnoozeTime(), 0);
  EXPECT_TRUE(Find("third").AlarmSet());
  EXPECT_EQ(Find("third").SnoozeTime(), 0);
  for (const char* name : {"first", "second", "third"}) EXPECT_FALSE(Find(name).AlertDisplayed()) << name;
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects.back(), "third") << "the closed one comes again at the next check, not before";
  EXPECT_EQ(Reminder.Subjects.size(), 4u);
}

TEST_F(ReminderDialog, AWindowThatFailsStillClearsTheFlagSoTheReminderCanComeAgain) {
  AddDueEvent("Fragile");
  Reminder.Steps.push_back([](TVpNotificationRules&) -> TVpReminderAnswer { throw std::runtime_error("no window"); });
  EXPECT_THROW(Store().CheckAlarms(), std::runtime_error);
  EXPECT_FALSE(Find("Fragile").AlertDisplayed());
  Store().CheckAlarms();
  EXPECT_EQ(Reminder.Subjects.size(), 2u);
}

// Another copy of the organizer over the same files answered the reminder: once the store read
// that answer (the snooze), the open window is told it was answered elsewhere.
TEST_F(ReminderDialog, AWindowLearnsWhenAnotherCopyAnsweredItsReminder) {
  AddDueEvent("Dentist");
  std::vector<bool> answeredElsewhere;
  Reminder.Steps.push_back([&](TVpNotificationRules& form) {
    answeredElsewhere.push_back(form.AnsweredElsewhere());
    Find("Dentist").SetSnoozeTime(Clock.Now() + 5.0 / 1440);  // as a reload brings the other copy's snooze
    answeredElsewhere.push_back(form.AnsweredElsewhere());
    return raClosed;
  });
  Store().CheckAlarms();
  EXPECT_EQ(answeredElsewhere, (std::vector<bool>{false, true}));
}

// More reminders due at once than a few go to one list, which alone shows while it is up; a
// few still show each in its window.
TEST_F(ReminderDialog, ManyRemindersDueAtOnceGoToOneListAFewShowEachOnItsOwn) {
  for (const char* name : {"one", "two", "three"}) AddDueEvent(name);
  Reminder.Steps.assign(3, Answer(raSnooze));
  Dialogs.RunMissed = [](TVpCustomDataStore&, const std::vector<int>&) { return true; };
  Timers.Advance(10'000);
  EXPECT_TRUE(Dialogs.MissedLists.empty());
  EXPECT_EQ(Reminder.Subjects, (std::vector<std::string>{"one", "two", "three"}));

  for (const char* name : {"four", "five", "six", "seven"}) AddDueEvent(name);
  Dialogs.RunMissed = [this](TVpCustomDataStore&, const std::vector<int>& recordIDs) {
    EXPECT_EQ(recordIDs.size(), 4u);
    Timers.Advance(65'000);  // the timer ticks on while the list is up
    return true;
  };
  Timers.Advance(60'000);
  EXPECT_EQ(Dialogs.MissedLists.size(), 1u);
  EXPECT_EQ(Reminder.Subjects.size(), 3u) << "the list alone shows them";
  Dialogs.RunMissed = nullptr;  // no list: each on its own
  Reminder.Steps.assign(4, Answer(raSnooze));
  Timers.Advance(3 * 60'000);  // before the first three's snooze ends
  EXPECT_EQ(Reminder.Subjects.size(), 7u);
}

// After the clock jumps (a suspend, or the clock set), the timer's next tick shows each event whose
// reminder fell due meanwhile once, with its latest occurrence, however many were missed.
struct TClockJump {
  const char* Name;
  std::int64_t JumpMs;
  std::vector<std::string> Shown;  // subject and the caption's first word
};

class ReminderAfterClockJump : public ReminderDialog, public ::testing::WithParamInterface<TClockJump> {};

TEST_P(ReminderAfterClockJump, EachMissedReminderShowsOnceWithinTenSeconds) {
  Timers.Jump(std::llround(At(2024, 5, 10, 8, 0) * TFakeClock::kMsPerDay) - Clock.NowMs());
  TVpEvent* standup = Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 9, 0), At(2024, 5, 10, 9, 15));
  standup->SetDescription("Standup");
  standup->SetRepeatCode(rcDaily);
  standup->SetAlarmSet(true);
  standup->SetAlarmAdvance(10);
  TVpEvent* dentist = Schedule().AddEvent(Store().GetNextID("Events"), At(2024, 5, 10, 12, 0), At(2024, 5, 10, 13, 0));
  dentist->SetDescription("Dentist");
  dentist->SetAlarmSet(true);
  dentist->SetAlarmAdvance(15);
  Store().PostEvents();
  Timers.Advance(10'000);
  ASSERT_TRUE(Reminder.Subjects.empty());
  std::vector<std::string> shown;
  for (int i = 0; i < 4; ++i)
    Reminder.Steps.push_back([&](TVpNotificationRules& form) {
      shown.push_back(form.Subject() + " " + form.Caption().substr(0, form.Caption().find(' ')));
      return raSnooze;
    });
  Timers.Jump(GetParam().JumpMs);  // the machine slept: no timer ran meanwhile
  Timers.Advance(10'000);
  EXPECT_EQ(shown, GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Jumps, ReminderAfterClockJump,
    ::testing::Values(TClockJump{"forward 5 minutes, nothing due yet", 5 * 60'000, {}},
                      TClockJump{"forward 55 minutes, before the start", 55 * 60'000, {"Standup Reminder"}},
                      TClockJump{"forward 3 hours", 3 * 3'600'000, {"Standup OVERDUE!"}},
                      TClockJump{"forward 3 days", 3 * 86'400'000LL, {"Standup OVERDUE!", "Dentist OVERDUE!"}},
                      TClockJump{"backward a day", -86'400'000LL, {}}),
    [](const auto& info) {
      std::string name = info.param.Name;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

// An answered reminder stays answered in another copy of the store over the same files (a second
// session, or the program started again), and a snooze fires once at its time.
TEST_F(ReminderDialog, AnAnswerHoldsAfterARestartAndASnoozeFiresOnce) {
  AddDueEvent("Dentist");
  Reminder.Steps.push_back(Answer(raSnooze));
  Timers.Advance(10'000);
  ASSERT_EQ(Reminder.Subjects.size(), 1u);
  Files->Disconnect();
  Connect();
  Store().SetActiveResource(Store().Resources().Items(0));
  Timers.Advance(4 * 60'000);
  EXPECT_EQ(Reminder.Subjects.size(), 1u) << "snoozed for 5 minutes";
  Reminder.Steps.push_back(Answer(raDismiss));
  Timers.Advance(2 * 60'000);
  EXPECT_EQ(Reminder.Subjects.size(), 2u);
  Timers.Advance(60 * 60'000);
  EXPECT_EQ(Reminder.Subjects.size(), 2u) << "dismissed";
}

}  // namespace
