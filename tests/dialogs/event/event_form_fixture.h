#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "dialogs/event/event_edit_rules.h"
#include "model/category_color_map.h"
#include "model/day_number.h"
#include "model/event.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"

// Every stored field of an event, with date-times as exact millisecond counts, so that two events
// compare field by field with a readable difference.
inline std::string Snapshot(const TVpEvent& e) {
  std::ostringstream out;
  out << "start " << ToMs(e.StartTime()) << " end " << ToMs(e.EndTime()) << " allday " << e.AllDayEvent()
      << " subject [" << e.Description() << "] location [" << e.Location() << "] notes [" << e.Notes() << "] category "
      << e.Category() << " alarm " << e.AlarmSet() << " advance " << e.AlarmAdvance() << " unit "
      << int(e.AlarmAdvanceType()) << " sound [" << e.DingPath() << "] snooze " << ToMs(e.SnoozeTime()) << " repeat "
      << int(e.RepeatCode()) << " until " << ToMs(e.RepeatRangeEnd()) << " interval " << e.CustomInterval();
  return out.str();
}

// The event window's form on an English desktop, today 10 May 2024 09:00, with an event that is not
// marked changed.
class EventFormTest : public ::testing::Test {
 protected:
  EventFormTest() : Form((Clock.Set(At(2024, 5, 10, 9)), Clock), Locale) {}

  // A fresh event set up by the callable, then marked unchanged.
  TVpEvent& MakeEvent(const std::function<void(TVpEvent&)>& setup) {
    Event = std::make_unique<TVpEvent>();
    Event->SetStartTime(At(2024, 5, 10, 10));
    Event->SetEndTime(At(2024, 5, 10, 11));
    setup(*Event);
    Event->SetChanged(false);
    return *Event;
  }
  // Fills the form from the event as it is now.
  void Reopen(bool twelveHour = false) { Form.Fill(*Event, twelveHour, Categories); }
  void Open(const std::function<void(TVpEvent&)>& setup, bool twelveHour = false) {
    MakeEvent(setup);
    Reopen(twelveHour);
  }
  std::string StartText() const { return Form.StartTimes().Entry(Form.StartTimes().Selected()).Text; }
  std::string EndText() const { return Form.EndTimes().Entry(Form.EndTimes().Selected()).Text; }
  // The index of the entry with the text (the test fails when there is none).
  static int IndexOf(const TVpTimeList& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i)
      if (list.Entry(i).Text == text) return i;
    ADD_FAILURE() << "no entry " << text;
    return 0;
  }
  void SelectStart(const std::string& text) { Form.SelectStartTime(IndexOf(Form.StartTimes(), text)); }
  void SelectEnd(const std::string& text) { Form.SelectEndTime(IndexOf(Form.EndTimes(), text)); }
  // Types the text into the date field and leaves it.
  static void TypeDate(TVpDateEdit& field, const std::string& text) {
    field.SetText(text);
    field.Exit();
  }

  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpCategoryColorMap Categories;
  TVpEventEditRules Form;
  std::unique_ptr<TVpEvent> Event;
};
