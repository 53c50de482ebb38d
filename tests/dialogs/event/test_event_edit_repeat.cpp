#include <functional>
#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/recurrence.h"
#include "tests/dialogs/event/event_form_fixture.h"

// The rule editor, the exceptions of a series and the last day of an all-day event. The event
// starts on Friday 10 May 2024 at 10:00.
namespace {

constexpr int kRule = TVpEventEditRules::kRuleChoice;

// The editor's fields as the window shows them.
std::string Fields(TVpEventEditRules& form) {
  const TVpRuleShape& rule = form.Rule();
  return "frequency " + std::to_string(rule.Frequency) + " every " + form.RuleIntervalText() + " weekdays " +
         std::to_string(rule.Weekdays) + " byWeekday " + std::to_string(rule.ByWeekday) + " day " +
         std::to_string(rule.MonthDay) + " position " + std::to_string(rule.WeekdayPosition) + " weekday " +
         std::to_string(rule.Weekday) + " count " + form.RuleCountText() + " until " +
         std::to_string(form.RepeatUntil().Date());
}

struct TEdit {
  const char* Name;
  std::function<void(TVpEventEditRules&)> Edit;
  const char* Rule;  // written, by hand; empty where a code says it
  int Code;
  double RangeEnd;
};

// Fields made in the editor are written as the rule (or the code that says it) and come back as
// the same fields.
TEST_F(EventFormTest, EveryRuleTheEditorMakesComesBackInTheEditor) {
  const double noEnd = kRepeatWithoutEnd;
  const TEdit edits[] = {
      {"Monday, Wednesday and Friday",
       [](TVpEventEditRules& f) {
         f.SetRuleWeekday(2, true);
         f.SetRuleWeekday(4, true);
       },
       "FREQ=WEEKLY;BYDAY=MO,WE,FR", rcNone, noEnd},
      // 10, 12, 14, 16 and 18 May.
      {"every other day, five times",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfDaily);
         f.SetRuleIntervalText("2");
         f.SetRuleCountText("5");
       },
       "FREQ=DAILY;COUNT=5;INTERVAL=2", rcNone, At(2024, 5, 18)},
      {"Tuesday and Thursday every two weeks until June",
       [](TVpEventEditRules& f) {
         f.SetRuleWeekday(6, false);
         f.SetRuleWeekday(3, true);
         f.SetRuleWeekday(5, true);
         f.StepRuleInterval(1);
         EventFormTest::TypeDate(f.RepeatUntil(), "6/30/2024");
       },
       "FREQ=WEEKLY;UNTIL=20240630T235959;INTERVAL=2;BYDAY=TU,TH", rcNone, At(2024, 6, 30)},
      {"the second Tuesday of each month",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfMonthly);
         f.SelectRuleMonthly(1);
         f.SelectRulePosition(1);
         f.SelectRuleWeekday(3);
       },
       "FREQ=MONTHLY;BYDAY=2TU", rcNone, noEnd},
      // 10 May, then the last Fridays 31 May and 28 June.
      {"the last Friday, three times",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfMonthly);
         f.SelectRuleMonthly(1);
         f.SelectRulePosition(4);
         f.SetRuleCountText("3");
       },
       "FREQ=MONTHLY;COUNT=3;BYDAY=-1FR", rcNone, At(2024, 6, 28)},
      {"each month's 31st",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfMonthly);
         f.SelectRuleMonthDay(31);
       },
       "FREQ=MONTHLY;BYMONTHDAY=31", rcNone, noEnd},
      {"every third year",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfYearly);
         f.SetRuleIntervalText("3");
       },
       "FREQ=YEARLY;INTERVAL=3", rcNone, noEnd},
      // What a code says is written as the code.
      {"weekly on the start's Friday", [](TVpEventEditRules&) {}, "", rcWeekly, noEnd},
      {"every day until 1 June",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfDaily);
         EventFormTest::TypeDate(f.RepeatUntil(), "6/1/2024");
       },
       "", rcDaily, At(2024, 6, 1)},
      {"the second Friday of each month",
       [](TVpEventEditRules& f) {
         f.SelectRuleFrequency(rfMonthly);
         f.SelectRuleMonthly(1);
       },
       "", rcMonthlyByDay, noEnd},
      {"each year", [](TVpEventEditRules& f) { f.SelectRuleFrequency(rfYearly); }, "", rcYearlyByDate, noEnd},
  };
  for (const TEdit& edit : edits) {
    SCOPED_TRACE(edit.Name);
    Open([](TVpEvent&) {});
    Form.SelectRepeat(kRule);
    EXPECT_TRUE(Form.Visible(ecRulePanel));
    edit.Edit(Form);
    const std::string fields = Fields(Form);
    ASSERT_TRUE(Form.WriteTo(*Event));
    EXPECT_EQ(Event->RepeatRule(), edit.Rule);
    EXPECT_EQ(Event->RepeatCode(), edit.Code);
    EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(edit.RangeEnd));
    Reopen();
    if (edit.Code == rcNone) {
      EXPECT_EQ(Form.RepeatIndex(), kRule);
      EXPECT_EQ(Form.RepeatRuleText(), "");
      EXPECT_EQ(Fields(Form), fields);
    } else {
      EXPECT_EQ(Form.RepeatIndex(), edit.Code);
    }
  }
}

// An every-4-days custom repeat is written as its code with its interval.
TEST_F(EventFormTest, TheEditorsEveryNDaysIsTheCustomCode) {
  Open([](TVpEvent&) {});
  Form.SelectRepeat(kRule);
  Form.SelectRuleFrequency(rfDaily);
  Form.SetRuleIntervalText("4");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatCode(), rcCustom);
  EXPECT_EQ(Event->CustomInterval(), 4);
  EXPECT_EQ(Event->RepeatRule(), "");
}

// Choosing the editor after a code starts it with that code's repeat.
TEST_F(EventFormTest, TheEditorStartsWithTheRepeatChosenBefore) {
  Open([](TVpEvent& e) {
    e.SetRepeatCode(rcCustom);
    e.SetCustomInterval(3);
  });
  Form.SelectRepeat(kRule);
  EXPECT_EQ(Form.Rule().Frequency, rfDaily);
  EXPECT_EQ(Form.RuleIntervalText(), "3");
  Form.SelectRepeat(rcMonthlyByDay);
  Form.SelectRepeat(kRule);
  EXPECT_EQ(Form.Rule().Frequency, rfMonthly);
  EXPECT_TRUE(Form.Rule().ByWeekday);
  EXPECT_EQ(Form.Rule().WeekdayPosition, 2);
  EXPECT_EQ(Form.Rule().Weekday, 6);
}

// A rule the editor holds, confirmed unchanged, stays exactly as another program wrote it.
TEST_F(EventFormTest, AnEditableRuleConfirmedUnchangedStaysAsWritten) {
  Open([](TVpEvent& e) {
    e.SetRepeatRule("FREQ=WEEKLY;WKST=MO;BYDAY=MO,WE,FR;COUNT=10");
    e.SetRepeatRangeEnd(At(2024, 5, 31));
    e.SetExtraDates("20240601T100000");
  });
  EXPECT_EQ(Form.RepeatIndex(), kRule);
  EXPECT_EQ(Form.RuleCountText(), "10");
  EXPECT_FALSE(Form.Enabled(ecRepeatUntil)) << "a count ends it";
  const std::string before = Snapshot(*Event);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Snapshot(*Event), before);
  EXPECT_EQ(Event->RepeatRule(), "FREQ=WEEKLY;WKST=MO;BYDAY=MO,WE,FR;COUNT=10");
  EXPECT_FALSE(Event->Changed());

  // Changed, the rule is written afresh; its extra dates stay, and the range end reaches them.
  Reopen();
  Form.SetRuleCountText("2");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRule(), "FREQ=WEEKLY;COUNT=2;BYDAY=MO,WE,FR");
  EXPECT_EQ(Event->ExtraDates(), "20240601T100000");
  EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(At(2024, 6, 1)));
}

TEST_F(EventFormTest, AWeeklyRuleWithoutWeekdaysIsMarked) {
  Open([](TVpEvent&) {});
  Form.SelectRepeat(kRule);
  Form.SetRuleWeekday(6, false);
  EXPECT_FALSE(Form.WriteTo(*Event));
  EXPECT_TRUE(Form.Marked(ecRuleWeekdays));
  EXPECT_EQ(Form.TakeFocusRequest(), ecRuleWeekdays);
  EXPECT_FALSE(Event->Changed());
  Form.SetRuleIntervalText("40000");
  Form.SetRuleWeekday(6, true);
  EXPECT_FALSE(Form.WriteTo(*Event));
  EXPECT_TRUE(Form.Marked(ecRuleInterval));
}

TEST_F(EventFormTest, OnlyTheControlsOfTheRulesFrequencyAreShown) {
  Open([](TVpEvent&) {});
  for (TVpEventControl control : {ecRulePanel, ecRuleWeekdays, ecRuleMonthly}) EXPECT_FALSE(Form.Visible(control));
  Form.SelectRepeat(kRule);
  EXPECT_TRUE(Form.Visible(ecRuleWeekdays));
  EXPECT_FALSE(Form.Visible(ecRuleMonthly));
  Form.SelectRuleFrequency(rfMonthly);
  EXPECT_FALSE(Form.Visible(ecRuleWeekdays));
  EXPECT_TRUE(Form.Visible(ecRuleMonthDay));
  EXPECT_FALSE(Form.Visible(ecRuleMonthWeekday));
  Form.SelectRuleMonthly(1);
  EXPECT_FALSE(Form.Visible(ecRuleMonthDay));
  EXPECT_TRUE(Form.Visible(ecRuleMonthWeekday));
  EXPECT_FALSE(Form.Visible(ecInterval)) << "the custom code's interval";
}

// --- exceptions ---

TEST_F(EventFormTest, ARemovedExceptionBringsItsOccurrenceBackOnOk) {
  const auto series = [](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetRepeatRangeEnd(kRepeatWithoutEnd);
    e.SetExceptionDates("20240517T100000,20240524T100000,20240531T100000");
  };
  MakeEvent(series);
  // The 24th was changed on its own: its record stands in for it.
  Form.Fill(*Event, false, Categories, {{At(2024, 5, 24, 10)}});
  EXPECT_TRUE(Form.Visible(ecExceptions));
  const std::vector<TVpExceptionEntry> shown = Form.Exceptions();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].Text, "5/17/2024 10:00");
  EXPECT_EQ(shown[1].Text, "5/24/2024 10:00 (changed)");
  EXPECT_FALSE(shown[1].Removable);
  EXPECT_TRUE(shown[0].Removable);
  Form.RemoveException(1);
  EXPECT_EQ(Form.Exceptions().size(), 3u) << "a changed occurrence's exception stays";
  Form.RemoveException(0);
  ASSERT_EQ(Form.Exceptions().size(), 2u);
  EXPECT_EQ(Form.Exceptions()[0].Text, "5/24/2024 10:00 (changed)");
  EXPECT_EQ(Event->ExceptionDates(), "20240517T100000,20240524T100000,20240531T100000") << "nothing before OK";
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->ExceptionDates(), "20240524T100000,20240531T100000");

  // Twelve-hour times; a whole day's exception has no time.
  MakeEvent(series);
  Form.Fill(*Event, true, Categories);
  EXPECT_EQ(Form.Exceptions()[0].Text, "5/17/2024 10:00 AM");
  Open([](TVpEvent& e) {
    e.SetAllDayEvent(true);
    e.SetRepeatCode(rcDaily);
    e.SetExceptionDates("20240512");
  });
  ASSERT_EQ(Form.Exceptions().size(), 1u);
  EXPECT_EQ(Form.Exceptions()[0].Text, "5/12/2024");
  Form.SelectRepeat(rcNone);
  EXPECT_FALSE(Form.Visible(ecExceptions));
  Open([](TVpEvent& e) { e.SetRepeatCode(rcDaily); });
  EXPECT_FALSE(Form.Visible(ecExceptions));
}

// Changed occurrences are known only for the days the caller has loaded: an exception outside them
// may stand for one and stays until its days are loaded.
TEST_F(EventFormTest, AnExceptionOutsideTheKnownDaysIsNotRemoved) {
  MakeEvent([](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetExceptionDates("20240517T100000,20240621T100000");
  });
  TVpChangedOccurrences changed;
  changed.AllKnown = false;
  changed.KnownFrom = At(2024, 5, 1);
  changed.KnownTo = At(2024, 6, 1);
  Form.Fill(*Event, false, Categories, changed);
  const std::vector<TVpExceptionEntry> shown = Form.Exceptions();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[0].Removable);
  EXPECT_FALSE(shown[1].Removable);
  EXPECT_EQ(shown[1].Text, "6/21/2024 10:00 (go to its date)");
  Form.RemoveException(1);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->ExceptionDates(), "20240517T100000,20240621T100000");
}

// --- the last day of an all-day event ---

TEST_F(EventFormTest, AnAllDayEventSpansTheDaysFromItsStartToItsEndDate) {
  Open([](TVpEvent& e) { e.SetAllDayEvent(true); });
  EXPECT_EQ(Form.EndDate().Date(), At(2024, 5, 10));
  TypeDate(Form.EndDate(), "5/12/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_TRUE(Event->AllDayEvent());
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 12, 23, 59)));

  // Shown again, and confirmed unchanged, it stays; a moved start keeps its three days.
  Reopen();
  EXPECT_EQ(Form.EndDate().Date(), At(2024, 5, 12));
  const std::string before = Snapshot(*Event);
  Event->SetChanged(false);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Snapshot(*Event), before);
  EXPECT_FALSE(Event->Changed());
  TypeDate(Form.StartDate(), "5/20/2024");
  EXPECT_EQ(Form.EndDate().Date(), At(2024, 5, 22));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 20)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 22, 23, 59)));
}

TEST_F(EventFormTest, TheEndDateNeverLiesBeforeTheStart) {
  Open([](TVpEvent& e) { e.SetAllDayEvent(true); });
  TypeDate(Form.EndDate(), "5/1/2024");
  EXPECT_EQ(Form.EndDate().Date(), At(2024, 5, 10));
  // Typed and not yet left: OK marks it and writes nothing.
  Form.EndDate().SetText("5/2/2024");
  EXPECT_FALSE(Form.WriteTo(*Event));
  EXPECT_TRUE(Form.Marked(ecEndDate));
  EXPECT_FALSE(Event->Changed());
  // Both typed: the end typed counts, not the end moved along with the start; the text stays.
  Form.StartDate().SetText("5/20/2024");
  EXPECT_FALSE(Form.WriteTo(*Event));
  EXPECT_EQ(Form.EndDate().Text(), "5/2/2024");
  Form.EndDate().SetText("5/21/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 20)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 21, 23, 59)));
}

// A timed event made all-day keeps its first day and gets the days chosen; it keeps no zone.
TEST_F(EventFormTest, ATimedEventMadeAllDayCoversTheChosenDays) {
  Open([](TVpEvent& e) { e.SetTimeZone("America/New_York"); });
  Form.SetAllDay(true);
  TypeDate(Form.EndDate(), "5/12/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_TRUE(Event->AllDayEvent());
  EXPECT_EQ(Event->TimeZone(), "");
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 12, 23, 59)));
}

}  // namespace
