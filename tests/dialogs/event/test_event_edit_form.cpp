#include <string>
#include <tuple>

#include "model/enumerations.h"
#include "model/moment.h"
#include "model/recurrence.h"
#include "tests/dialogs/event/event_form_fixture.h"

namespace {

// --- open + OK leaves the event as it was ---

struct TRoundTrip {
  const char* Name;
  std::function<void(TVpEvent&, TVpCategoryColorMap&)> Setup;
};

const TRoundTrip kRoundTrips[] = {
    {"HalfHours",
     [](TVpEvent& e, auto&) {
       e.SetDescription("Dentist");
       e.SetCategory(2);
     }},
    {"OffGridTimes",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 10, 15));
       e.SetEndTime(At(2024, 5, 10, 11, 45));
     }},
    {"SecondsAndMilliseconds",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 10, 15, 30, 250));
       e.SetEndTime(At(2024, 5, 10, 11, 0, 1));
     }},
    {"EndAtMidnight",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 23));
       e.SetEndTime(At(2024, 5, 11));
     }},
    {"EndAtTheLastMinute",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 8));
       e.SetEndTime(At(2024, 5, 10, 23, 59));
     }},
    {"Overnight",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 22));
       e.SetEndTime(At(2024, 5, 11, 2));
     }},
    {"SeveralDays",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(At(2024, 5, 10, 9));
       e.SetEndTime(At(2024, 5, 13, 17, 15));
     }},
    {"AllDay", [](TVpEvent& e, auto&) { e.SetAllDayEvent(true); }},
    {"CategoryAfterAGap",
     [](TVpEvent& e, auto& c) {
       c.Category(3)->SetDescription("");
       e.SetCategory(5);
     }},
    {"HiddenCategory",
     [](TVpEvent& e, auto& c) {
       c.Category(3)->SetDescription("");
       e.SetCategory(3);
     }},
    {"CategoryOutOfRange", [](TVpEvent& e, auto&) { e.SetCategory(12); }},
    {"CustomRepeat",
     [](TVpEvent& e, auto&) {
       e.SetRepeatCode(rcCustom);
       e.SetCustomInterval(3);
       e.SetRepeatRangeEnd(At(2024, 6, 1));
     }},
    {"CustomRepeatWithoutRangeEnd",
     [](TVpEvent& e, auto&) {
       e.SetRepeatCode(rcCustom);
       e.SetCustomInterval(2);
     }},
    {"RangeEndWithATime",
     [](TVpEvent& e, auto&) {
       e.SetRepeatCode(rcWeekly);
       e.SetRepeatRangeEnd(At(2024, 8, 30, 15, 30));
     }},
    {"UnknownRepeatCode", [](TVpEvent& e, auto&) { e.SetRepeatCode(9); }},
    {"Reminder",
     [](TVpEvent& e, auto&) {
       e.SetAlarmSet(true);
       e.SetAlarmAdvance(2);
       e.SetAlarmAdvanceType(atHours);
       e.SetDingPath("/snd/bell.wav");
     }},
    {"ReminderOffWithAnAdvance",
     [](TVpEvent& e, auto&) {
       e.SetAlarmAdvance(30);
       e.SetAlarmAdvanceType(atDays);
     }},
    {"AdvanceBeyondTheSpinButton",
     [](TVpEvent& e, auto&) {
       e.SetAlarmSet(true);
       e.SetAlarmAdvance(240);
     }},
    {"UnknownAdvanceUnit",
     [](TVpEvent& e, auto&) {
       e.SetAlarmSet(true);
       e.SetAlarmAdvance(5);
       e.SetAlarmAdvanceType(7);
     }},
    {"MixedLineBreaks", [](TVpEvent& e, auto&) { e.SetNotes("first\r\nsecond\nthird\rfourth\r\n"); }},
    {"BeforeEighteenHundredNinetyNine",
     [](TVpEvent& e, auto&) {
       e.SetStartTime(-1.25);
       e.SetEndTime(ValueOfMoment(Moment(-1, 7 * 3600000LL)));
     }},
};

class EventRoundTrip : public EventFormTest, public ::testing::WithParamInterface<std::tuple<TRoundTrip, bool>> {};

TEST_P(EventRoundTrip, OpenAndOkLeaveTheEventUnchanged) {
  const auto& [row, twelveHour] = GetParam();
  MakeEvent([&](TVpEvent& e) { row.Setup(e, Categories); });
  const std::string before = Snapshot(*Event);
  Reopen(twelveHour);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Snapshot(*Event), before);
  EXPECT_FALSE(Event->Changed());
}

INSTANTIATE_TEST_SUITE_P(Events, EventRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kRoundTrips), ::testing::Bool()), [](const auto& info) {
                           return std::string(std::get<0>(info.param).Name) +
                                  (std::get<1>(info.param) ? "_12Hour" : "_24Hour");
                         });

// --- what the window shows ---

TEST_F(EventFormTest, AnEndAtMidnightShowsAsTheLastMinuteOfItsDay) {
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 10, 23));
    e.SetEndTime(At(2024, 5, 11));
  });
  EXPECT_EQ(EndText(), "23:59");
  EXPECT_EQ(Form.EndDay(), DayNumberOf(At(2024, 5, 10)));
  Reopen(true);
  EXPECT_EQ(StartText(), "11:00 PM");
  EXPECT_EQ(EndText(), "11:59 PM");
}

TEST_F(EventFormTest, TheEndDayComesFromTheEventsEnd) {
  Open([](TVpEvent& e) {
    e.SetStartTime(At(2024, 5, 10, 9));
    e.SetEndTime(At(2024, 5, 13, 17, 15));
  });
  EXPECT_EQ(Form.EndDay(), DayNumberOf(At(2024, 5, 13)));
  EXPECT_EQ(EndText(), "17:15");
  EXPECT_EQ(Form.StartDate().Text(), "5/10/2024");
}

TEST_F(EventFormTest, CategoriesWithoutDescriptionAreLeftOutAndPositionsKeepTheirNumbers) {
  Categories.Category(3)->SetDescription("");
  Categories.Category(4)->SetDescription("Travel");
  Open([](TVpEvent& e) { e.SetCategory(5); });
  ASSERT_EQ(Form.Categories().size(), 9u);
  EXPECT_EQ(Form.Categories()[3].Number, 4);
  EXPECT_EQ(Form.Categories()[3].Description, "Travel");
  EXPECT_EQ(Form.Categories()[3].Color, Categories.Color(4));
  EXPECT_EQ(Form.CategoryIndex(), 4);
  Form.SelectCategory(3);
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_EQ(Event->Category(), 4);
}

TEST_F(EventFormTest, AHiddenCategorySelectsNothingAndIsKept) {
  Categories.Category(3)->SetDescription("");
  Open([](TVpEvent& e) { e.SetCategory(3); });
  EXPECT_EQ(Form.CategoryIndex(), -1);
}

TEST_F(EventFormTest, ANewEventOffersAFifteenMinuteReminderAndFocusesTheSubject) {
  Open([](TVpEvent&) {});
  EXPECT_EQ(Form.AlarmAdvanceText(), "15");
  EXPECT_EQ(Form.AlarmAdvanceTypeIndex(), atMinutes);
  EXPECT_FALSE(Form.Enabled(ecAlarmAdvance));
  EXPECT_FALSE(Form.Enabled(ecSound));
  EXPECT_EQ(Form.TakeFocusRequest(), ecDescription);
  EXPECT_EQ(Form.TakeFocusRequest(), std::nullopt);
  Form.SetAlarmSet(true);
  EXPECT_TRUE(Form.Enabled(ecAlarmAdvanceType));
  ASSERT_TRUE(Form.WriteTo(*Event));
  EXPECT_TRUE(Event->AlarmSet());
  EXPECT_EQ(Event->AlarmAdvance(), 15);
}

TEST_F(EventFormTest, AnEventThatDoesNotEndAfterItStartsIsShownWithAnEndAfterTheStart) {
  struct TRow {
    const char* Name;
    double Start, End;
    const char* ShownStart;
    const char* ShownEnd;
  };
  const TRow rows[] = {
      {"half an hour later", At(2024, 5, 10, 10, 15), At(2024, 5, 10, 10), "10:15", "10:45"},
      {"not past midnight", At(2024, 5, 10, 23, 45), At(2024, 5, 10, 23, 45), "23:45", "23:59"},
      {"midnight of its own day", At(2024, 5, 10, 23, 30), At(2024, 5, 10), "23:30", "23:59"},
      {"ending before it starts", At(2024, 5, 10, 9), At(2024, 5, 9, 17), "09:00", "09:30"},
      {"no room at the end of the day", At(2024, 5, 10, 23, 59), At(2024, 5, 10, 23, 59), "23:30", "23:59"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Open([&](TVpEvent& e) {
      e.SetStartTime(row.Start);
      e.SetEndTime(row.End);
    });
    EXPECT_EQ(StartText(), row.ShownStart);
    EXPECT_EQ(EndText(), row.ShownEnd);
    ASSERT_TRUE(Form.WriteTo(*Event));
    EXPECT_GT(ToMs(Event->EndTime()), ToMs(Event->StartTime()));
    EXPECT_EQ(DayNumberOf(Event->EndTime()), DayNumberOf(At(2024, 5, 10)));
  }
}

TEST_F(EventFormTest, AnEventOutsideTheCalendarYearsCannotBeOpened) {
  MakeEvent([](TVpEvent& e) {
    e.SetStartTime(At(10000, 1, 1, 9));
    e.SetEndTime(At(10000, 1, 1, 10));
  });
  EXPECT_THROW(Reopen(), EVpException);
}

}  // namespace
