#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QToolButton>

#include "app/calendar_window.h"
#include "platform/english_locale.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "views/day/day_view.h"

// The calendar window over a store shared with a day view through one control link, as the main
// window links them. The fixture's clock stands at 10 May 2024.

namespace {

class CalendarWindow : public ::testing::Test, protected TPlannerFixture {
 protected:
  CalendarWindow() : Link(&Window), DayView(Clock, Locale, &Window), Calendar(Clock, Locale, &Window) {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    DayView.SetDataStore(&Store());
    DayView.SetControlLink(&Link);
    Calendar.Connect(Store(), Link);
    DayView.Loaded();
    Calendar.MonthView().Loaded();
  }

  QComboBox& List(const char* name) { return *Calendar.findChild<QComboBox*>(name); }
  void Click(const char* button) { Calendar.findChild<QToolButton*>(button)->click(); }
  void Choose(const char* list, int index) {
    List(list).setCurrentIndex(index);
    emit List(list).activated(index);
  }
  void ExpectLists(const char* month, const char* year) {
    EXPECT_EQ(List("cbMonths").currentText().toStdString(), month);
    EXPECT_EQ(List("cbYears").currentText().toStdString(), year);
  }

  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpDayView DayView;
  TfrmCalendar Calendar;
};

TEST_F(CalendarWindow, TheButtonsMoveByMonthAndToToday) {
  ExpectLists("May", "2024");
  ASSERT_EQ(List("cbYears").count(), 301);
  Calendar.MonthView().SetDate(At(2024, 1, 31));
  Click("SBNextMonth");
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 2, 29));
  ExpectLists("February", "2024");
  Calendar.MonthView().SetDate(At(2024, 3, 31));
  Click("SBPrevMonth");
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 2, 29));
  Calendar.MonthView().SetDate(At(2024, 1, 15));
  Click("SBPrevMonth");
  EXPECT_EQ(Calendar.MonthView().Date(), At(2023, 12, 15));
  ExpectLists("December", "2023");
  Click("TeSpeedButton2");
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 5, 10));
}

TEST_F(CalendarWindow, TheListsChooseTheMonthOnTheSameDayWithinTheMonth) {
  Calendar.MonthView().SetDate(At(2024, 1, 31));
  Choose("cbMonths", 1);  // February
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 2, 29));
  Choose("cbYears", 2023 - 1900);
  EXPECT_EQ(Calendar.MonthView().Date(), At(2023, 2, 28));
  EXPECT_EQ(DayView.Date(), At(2023, 2, 28)) << "the day view follows";
}

TEST_F(CalendarWindow, DatesAreLinkedWithTheDayViewBothWays) {
  DayView.SetDate(At(2024, 8, 14, 9));
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 8, 14));
  ExpectLists("August", "2024");
  Calendar.MonthView().SetDate(At(2024, 9, 3));
  EXPECT_EQ(DayView.Date(), At(2024, 9, 3));
  EXPECT_EQ(Store().DisplayDate(), At(2024, 9, 3));
}

TEST_F(CalendarWindow, AYearBeyondTheListKeepsTheYearShown) {
  DayView.SetDate(At(2300, 3, 1));
  EXPECT_EQ(Calendar.MonthView().Date(), At(2300, 3, 1));
  ExpectLists("March", "2024");
  Choose("cbMonths", 5);  // June of the year shown
  EXPECT_EQ(Calendar.MonthView().Date(), At(2024, 6, 1));
}

TEST_F(CalendarWindow, EscapeHidesTheWindowAndReleasesTheButton) {
  int closed = 0;
  Calendar.OnClosed = [&] { ++closed; };
  Calendar.show();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&Calendar, &escape);
  EXPECT_FALSE(Calendar.isVisible());
  EXPECT_EQ(closed, 1);
}

}  // namespace
