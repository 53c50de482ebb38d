#include <cstdlib>
#include <string>

#include "model/enumerations.h"
#include "model/occurrences.h"
#include "tests/dialogs/event/event_form_fixture.h"

namespace {

// --- times ---

TEST_F(EventFormTest, AStartAtOrAfterTheEndMovesToTheEntryBeforeTheEnd) {
  struct TRow {
    const char* Chosen;
    const char* Start;
  };
  const TRow rows[] = {
      {"09:00", "09:00"}, {"10:30", "10:30"}, {"11:00", "10:30"}, {"15:00", "10:30"}, {"23:59", "10:30"}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Chosen);
    Open([](TVpEvent&) {});  // 10:00 - 11:00
    SelectStart(row.Chosen);
    EXPECT_EQ(StartText(), row.Start);
    EXPECT_EQ(EndText(), "11:00");
  }
}

TEST_F(EventFormTest, AnEndAtOrBeforeTheStartMovesToTheEntryAfterTheStart) {
  struct TRow {
    const char* Chosen;
    const char* End;
  };
  // Midnight at the top of the list stands for the end of the day.
  const TRow rows[] = {{"12:00", "12:00"}, {"10:00", "10:30"}, {"08:00", "10:30"}, {"00:00", "23:59"}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Chosen);
    Open([](TVpEvent&) {});
    SelectEnd(row.Chosen);
    EXPECT_EQ(StartText(), "10:00");
    EXPECT_EQ(EndText(), row.End);
  }
  Open([](TVpEvent&) {}, true);
  SelectEnd("12:00 AM");
  EXPECT_EQ(EndText(), "11:59 PM");
}

TEST_F(EventFormTest, TheEndOfTheDayOfAnEventEndingAtMidnightStaysMidnight) {
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 10, 23));
    e.SetEndTime(At(2024, 5, 11));
  });
  SelectStart("23:59");
  EXPECT_EQ(StartText(), "23:59");
  SelectEnd("23:30");
  EXPECT_EQ(EndText(), "23:59");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10, 23, 59)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 11)));
}

TEST_F(EventFormTest, TimesOfAnEventOverSeveralDaysCompareWithTheirDays) {
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 10, 22));
    e.SetEndTime(At(2024, 5, 12, 8));
  });
  SelectStart("23:00");
  SelectEnd("07:00");
  EXPECT_EQ(StartText(), "23:00");
  EXPECT_EQ(EndText(), "07:00");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10, 23)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 12, 7)));
}

// A 45-minute meeting from 09:15: typed times are kept exactly; text that is no time is marked.
TEST_F(EventFormTest, TypedTimesAreKeptExactly) {
  Open([](TVpEvent&) {});
  EXPECT_TRUE(Form.TypeStartTime("9:15"));
  EXPECT_TRUE(Form.TypeEndTime("10:00"));
  EXPECT_FALSE(Form.TypeEndTime("25:00"));
  EXPECT_TRUE(Form.Marked(ecEndTime));
  EXPECT_EQ(StartText(), "09:15");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10, 9, 15)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 10, 10)));
}

// A zoned event's times are shown and typed on its zone's clock: 09:00 in New York is 14:00 in
// Berlin in the weeks after the US clocks changed and before the European ones did.
TEST_F(EventFormTest, TimesOfAZonedEventAreOnItsZonesClock) {
  const std::string before = std::getenv("TZ") ? std::getenv("TZ") : "";
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2027, 3, 15, 14));
    e.SetEndTime(At(2027, 3, 15, 15));
    e.SetTimeZone("America/New_York");
  });
  EXPECT_EQ(Form.Zone(), "America/New_York");
  EXPECT_EQ(StartText(), "09:00");
  EXPECT_EQ(EndText(), "10:00");
  EXPECT_TRUE(Form.TypeEndTime("11:00"));
  EXPECT_TRUE(Form.TypeStartTime("10:00"));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2027, 3, 15, 15)));
  EXPECT_EQ(ToMs(Event->ZoneStartTime()), ToMs(At(2027, 3, 15, 10)));
  Reopen();
  Form.SetZone("");  // floating: the clock times shown stay
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->TimeZone(), "");
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2027, 3, 15, 10)));
  if (before.empty()) unsetenv("TZ");
  else setenv("TZ", before.c_str(), 1);
  tzset();
}

TEST_F(EventFormTest, TwelveHourEntriesAreWrittenAsTheirTimes) {
  Open([](TVpEvent&) {}, true);
  SelectEnd("1:30 PM");
  SelectStart("12:30 PM");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10, 12, 30)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 10, 13, 30)));
}

// --- dates ---

TEST_F(EventFormTest, MovingTheStartDateKeepsTheEventsLength) {
  struct TRow {
    const char* Typed;
    double Start, End;
  };
  const TRow rows[] = {{"5/20/2024", At(2024, 5, 20, 22), At(2024, 5, 21, 2)},
                       {"5/1/2024", At(2024, 5, 1, 22), At(2024, 5, 2, 2)}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Typed);
    Open([](TVpEvent& e) {
      e.SetStartTime(At(2024, 5, 10, 22));
      e.SetEndTime(At(2024, 5, 11, 2));
    });
    TypeDate(Form.StartDate(), row.Typed);
    ASSERT_TRUE(Form.WriteTo(*Event));
    EXPECT_EQ(ToMs(Event->StartTime()), ToMs(row.Start));
    EXPECT_EQ(ToMs(Event->EndTime()), ToMs(row.End));
  }
}

TEST_F(EventFormTest, AStartDateTypedWithoutLeavingTheFieldIsTakenOnOk) {
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 10, 23));
    e.SetEndTime(At(2024, 5, 11));
  });
  Form.StartDate().SetText("6/3/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 6, 3, 23)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 6, 4)));
}

TEST_F(EventFormTest, RepeatUntilNeverLiesBeforeTheStartDate) {
  Open([](TVpEvent& e) {
    e.SetRepeatCode(rcDaily);
    e.SetRepeatRangeEnd(At(2024, 5, 15));
  });
  EXPECT_EQ(Form.RepeatUntil().Text(), "5/15/2024");
  TypeDate(Form.StartDate(), "5/20/2024");
  EXPECT_EQ(Form.RepeatUntil().Text(), "5/20/2024");
  TypeDate(Form.RepeatUntil(), "5/2/2024");
  EXPECT_EQ(Form.RepeatUntil().Text(), "5/20/2024");
  TypeDate(Form.RepeatUntil(), "7/1/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(At(2024, 7, 1)));
}

// Whether the event falls on the day after its start day: the repetition's own answer.
bool RepeatsNextDay(const TVpEvent& event) { return FallsOn(event, DateOf(event.StartTime()) + 1); }

TEST_F(EventFormTest, RepeatUntilTheEventsOwnDayEndsTheRepetitionThere) {
  Open([](TVpEvent& e) {
    e.SetRepeatCode(rcDaily);
    e.SetRepeatRangeEnd(At(2024, 8, 30));
  });
  ASSERT_TRUE(RepeatsNextDay(*Event));
  TypeDate(Form.RepeatUntil(), "5/10/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_FALSE(RepeatsNextDay(*Event));
  EXPECT_TRUE(FallsOn(*Event, At(2024, 5, 10)));
  // Shown again, the range end reads as that day.
  Reopen();
  EXPECT_EQ(Form.RepeatUntil().Text(), "5/10/2024");
}

// Every repeat chosen with an empty "Repeat Until" repeats without end, read back as an empty
// field; a range end emptied by the user likewise.
TEST_F(EventFormTest, ARepeatWithoutRepeatUntilRepeatsWithoutEnd) {
  const struct {
    int Code;
    double Later;  // an occurrence long after the start (Friday 10 May 2024)
  } kRows[] = {{rcDaily, At(2031, 1, 7)},          {rcWeekly, At(2031, 1, 10)},      {rcMonthlyByDay, At(2031, 1, 10)},
               {rcMonthlyByDate, At(2031, 1, 10)}, {rcYearlyByDay, At(2030, 5, 10)}, {rcYearlyByDate, At(2031, 5, 10)},
               {rcCustom, At(2024, 5, 10) + 70}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Code);
    Open([](TVpEvent&) {});
    Form.SelectRepeat(row.Code);
    EXPECT_EQ(Form.RepeatUntil().Text(), "");
    if (row.Code == rcCustom) Form.SetIntervalText("7");
    ASSERT_TRUE(Form.WriteTo(*Event));
    EXPECT_TRUE(IsRepeatWithoutEnd(Event->RepeatRangeEnd()));
    EXPECT_TRUE(FallsOn(*Event, row.Later));
    Reopen();
    EXPECT_EQ(Form.RepeatUntil().Text(), "");
  }
  Open([](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetRepeatRangeEnd(At(2024, 8, 30));
  });
  TypeDate(Form.RepeatUntil(), "");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_TRUE(FallsOn(*Event, At(2031, 1, 10)));
}

// A repeat whose range end is 0 (files of every age: it never recurs) keeps that meaning through
// the dialog: it shows its own day as the range end.
TEST_F(EventFormTest, ARepeatThatNeverRecursShowsItsDayAndStaysSo) {
  Open([](TVpEvent& e) { e.SetRepeatCode(rcWeekly); });
  EXPECT_EQ(Form.RepeatUntil().Text(), "5/10/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRangeEnd(), 0);
  EXPECT_FALSE(FallsOn(*Event, At(2024, 5, 17)));
}

// A rule the choices cannot say is shown in words and kept through OK; a choice replaces it.
TEST_F(EventFormTest, ARuleTheChoicesCannotSayIsShownInWordsAndKeptUntilReplaced) {
  const auto withRule = [](TVpEvent& e) {
    e.SetRepeatRule("FREQ=WEEKLY;BYDAY=MO,WE,FR;BYMONTH=6,7;COUNT=10");
    e.SetRepeatRangeEnd(At(2024, 6, 3));
    e.SetExtraDates("20240601T100000");
  };
  Open(withRule);
  EXPECT_EQ(Form.RepeatIndex(), -1);
  EXPECT_TRUE(Form.Visible(ecRepeatRule));
  EXPECT_EQ(Form.RepeatRuleText(), "Every week on Monday, Wednesday and Friday in June and July, 10 times");
  EXPECT_FALSE(Form.Enabled(ecRepeatUntil));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRule(), "FREQ=WEEKLY;BYDAY=MO,WE,FR;BYMONTH=6,7;COUNT=10");
  EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(At(2024, 6, 3)));
  EXPECT_FALSE(Event->Changed());

  Open(withRule);
  Form.SelectRepeat(rcWeekly);
  EXPECT_FALSE(Form.Visible(ecRepeatRule));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatRule(), "");
  EXPECT_EQ(Event->ExtraDates(), "");
  EXPECT_EQ(Event->RepeatCode(), rcWeekly);
}

// --- repetition and reminder ---

TEST_F(EventFormTest, CustomShowsTheIntervalOfAtLeastOneAndKeepsAnEmptyRangeEnd) {
  Open([](TVpEvent&) {});
  EXPECT_FALSE(Form.Visible(ecInterval));
  EXPECT_FALSE(Form.Enabled(ecRepeatUntil));
  Form.SelectRepeat(rcCustom);
  EXPECT_TRUE(Form.Visible(ecInterval));
  EXPECT_TRUE(Form.Enabled(ecRepeatUntil));
  EXPECT_EQ(Form.RepeatUntil().Text(), "");
  EXPECT_EQ(Form.IntervalText(), "1");
  Form.SelectRepeat(rcWeekly);
  EXPECT_FALSE(Form.Visible(ecInterval));
  EXPECT_TRUE(Form.Enabled(ecRepeatUntil));
}

TEST_F(EventFormTest, SwitchingToCustomKeepsARangeEndAlreadyGiven) {
  Open([](TVpEvent& e) {
    e.SetRepeatCode(rcWeekly);
    e.SetRepeatRangeEnd(At(2024, 8, 30));
  });
  Form.SelectRepeat(rcCustom);
  Form.SetIntervalText("10");
  EXPECT_EQ(Form.RepeatUntil().Text(), "8/30/2024");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->RepeatCode(), rcCustom);
  EXPECT_EQ(Event->CustomInterval(), 10);
  EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(At(2024, 8, 30)));
}

TEST_F(EventFormTest, TheIntervalKeepsFiveDigitsAndNeverZero) {
  struct TRow {
    const char* Typed;
    const char* Shown;
    int Saved;
  };
  const TRow rows[] = {{"a1b2", "12", 12}, {"0", "1", 1}, {"123456", "12345", 12345}, {"", "", 1}, {"x", "", 1}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Typed);
    Open([](TVpEvent& e) {
      e.SetRepeatCode(rcCustom);
      e.SetCustomInterval(4);
    });
    Form.SetIntervalText(row.Typed);
    EXPECT_EQ(Form.IntervalText(), row.Shown);
    ASSERT_TRUE(Form.WriteTo(*Event));
    EXPECT_EQ(Event->CustomInterval(), row.Saved);
  }
}

TEST_F(EventFormTest, SpinButtonsStayWithinTheirRange) {
  Open([](TVpEvent& e) {
    e.SetAlarmSet(true);
    e.SetAlarmAdvance(99);
    e.SetRepeatCode(rcCustom);
    e.SetCustomInterval(2);
  });
  Form.StepAlarmAdvance(5);
  EXPECT_EQ(Form.AlarmAdvanceText(), "100");
  Form.StepAlarmAdvance(-101);
  EXPECT_EQ(Form.AlarmAdvanceText(), "0");
  Form.StepInterval(-5);
  EXPECT_EQ(Form.IntervalText(), "1");
  Form.StepInterval(1);
  EXPECT_EQ(Form.IntervalText(), "2");
}

TEST_F(EventFormTest, AnEmptiedAdvanceIsSavedAsZero) {
  Open([](TVpEvent& e) {
    e.SetAlarmSet(true);
    e.SetAlarmAdvance(20);
  });
  Form.SetAlarmAdvanceText("");
  Form.SelectAlarmAdvanceType(atDays);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->AlarmAdvance(), 0);
  EXPECT_EQ(Event->AlarmAdvanceType(), atDays);
}

TEST_F(EventFormTest, ControlsFollowTheirGroupsFlags) {
  Open([](TVpEvent&) {});
  for (TVpEventControl control : {ecStartDate, ecStartTime, ecEndTime}) EXPECT_TRUE(Form.Enabled(control));
  EXPECT_FALSE(Form.Visible(ecEndDate));
  Form.SetAllDay(true);
  // An all-day event has a first and a last day in place of the times.
  for (TVpEventControl control : {ecStartTime, ecEndTime}) EXPECT_FALSE(Form.Enabled(control));
  for (TVpEventControl control : {ecStartTime, ecEndTime}) EXPECT_FALSE(Form.Visible(control));
  EXPECT_TRUE(Form.Enabled(ecStartDate));
  EXPECT_TRUE(Form.Visible(ecEndDate));
  EXPECT_TRUE(Form.Enabled(ecDescription));
  Form.SetAlarmSet(true);
  for (TVpEventControl control : {ecAlarmAdvance, ecAlarmAdvanceType, ecSound}) EXPECT_TRUE(Form.Enabled(control));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_TRUE(Event->AllDayEvent());
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 10)));
  EXPECT_EQ(ToMs(Event->EndTime()), ToMs(At(2024, 5, 10, 23, 59)));
}

// --- OK and Cancel ---

TEST_F(EventFormTest, SnoozeIsClearedByOkOnly) {
  Open([](TVpEvent& e) {
    e.SetAlarmSet(true);
    e.SetSnoozeTime(At(2024, 5, 10, 9, 55));
  });
  // Cancel: the form is dropped without writing.
  EXPECT_EQ(ToMs(Event->SnoozeTime()), ToMs(At(2024, 5, 10, 9, 55)));
  EXPECT_FALSE(Event->Changed());
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->SnoozeTime(), 0);
  EXPECT_TRUE(Event->Changed());
}

TEST_F(EventFormTest, AFieldThatCannotBeReadWritesNothingAndIsMarked) {
  struct TRow {
    const char* Name;
    TVpEventControl Field;
    std::function<void(TVpEventEditRules&)> Spoil;
    const char* Mark;
  };
  const TRow rows[] = {
      {"start date", ecStartDate, [](TVpEventEditRules& f) { f.StartDate().SetText("5/45/2024"); },
       "Error: Day is required."},
      {"empty start date", ecStartDate, [](TVpEventEditRules& f) { f.StartDate().SetText(" "); },
       "Error: Day is required."},
      {"repeat until", ecRepeatUntil, [](TVpEventEditRules& f) { f.RepeatUntil().SetText("xyz 3"); },
       "Error: Month Is Required."},
      {"subject too long", ecDescription, [](TVpEventEditRules& f) { f.SetDescription(std::string(256, 'x')); },
       "The subject is longer than 255 characters."},
      {"location too long", ecLocation, [](TVpEventEditRules& f) { f.SetLocation(std::string(1025, 'l')); },
       "The location is longer than 1024 characters."},
      {"notes too long", ecNotes, [](TVpEventEditRules& f) { f.SetNotes(std::string(1025, 'n')); },
       "The notes are longer than 1024 characters."},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Open([](TVpEvent& e) {
      e.SetRepeatCode(rcDaily);
      e.SetDescription("Before");
    });
    const std::string before = Snapshot(*Event);
    Form.SetDescription("After");
    Form.SelectStartTime(0);
    row.Spoil(Form);
    EXPECT_FALSE(Form.WriteTo(*Event));
    EXPECT_EQ(Snapshot(*Event), before);
    EXPECT_FALSE(Event->Changed());
    EXPECT_TRUE(Form.Marked(row.Field));
    EXPECT_EQ(Form.MarkText(row.Field), row.Mark);
    Form.TakeFocusRequest();
    EXPECT_FALSE(Form.Validate());
    EXPECT_EQ(Form.TakeFocusRequest(), row.Field);
  }
}

TEST_F(EventFormTest, AnUnreadableRangeEndOfAnEventThatDoesNotRepeatIsKept) {
  Open([](TVpEvent& e) { e.SetRepeatRangeEnd(At(2024, 6, 1)); });
  Form.RepeatUntil().SetText("xyz");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->RepeatRangeEnd()), ToMs(At(2024, 6, 1)));
}

TEST_F(EventFormTest, AMarkGoesWhenTheFieldIsPutRight) {
  Open([](TVpEvent&) {});
  Form.StartDate().SetText("5/45/2024");
  EXPECT_FALSE(Form.Validate());
  TypeDate(Form.StartDate(), "5/14/2024");
  EXPECT_FALSE(Form.Marked(ecStartDate));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(ToMs(Event->StartTime()), ToMs(At(2024, 5, 14, 10)));
}

TEST_F(EventFormTest, EditedNotesKeepTheEventsLineBreaks) {
  Open([](TVpEvent& e) { e.SetNotes("one\r\ntwo"); });
  EXPECT_EQ(Form.Notes(), "one\ntwo");
  Form.SetNotes("one\ntwo\nthree");
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->Notes(), "one\r\ntwo\r\nthree");
}

}  // namespace
