#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "tests/support/fake_timers.h"
#include "tests/support/recording_canvas.h"
#include "views/date_edit/date_edit.h"

namespace {

double Day(int year, int month, int day) { return EncodeDate(year, month, day); }

// Day-month-year with a two-digit year and dots, as many European desktops have it.
class TDottedLocale : public TEnglishLocale {
 public:
  std::string ShortDateFormat() const override { return "dd.mm.yy"; }
  char DateSeparator() const override { return '.'; }
};

// Records what the edit asked of its window; the drop-down is painted when shown, as a window
// would, so that clicks find their cells.
class TFakeDateEditWindow : public TVpDateEditWindow {
 public:
  void TextReplaced() override { Calls.push_back("text"); }
  void ShowDropDown(TVpCalendar& calendar) override {
    Calls.push_back("show");
    calendar.Paint(Canvas, {0, 0, calendar.Width(), calendar.Height()});
  }
  void HideDropDown() override { Calls.push_back("hide"); }
  void FocusField(bool caretToEnd) override { Calls.push_back(caretToEnd ? "focus, caret at end" : "focus"); }

  std::vector<std::string> Calls;
  TRecordingCanvas Canvas;
};

// A date edit as the program's windows use it: read-only, Epoch 2000, today 10 May 2024.
class DateEdit : public ::testing::Test {
 protected:
  DateEdit() : Edit((Clock.Set(Day(2024, 5, 10) + 0.75), Clock), Locale) {
    Edit.SetWindow(&Window);
    Edit.SetReadOnly(true);
    Edit.SetEpoch(2000);
    Edit.OnExit = [this](TVpDateEdit&) { ++Exits; };
  }

  std::string Error(const std::function<void()>& action) {
    try {
      action();
    } catch (const EVpDateEditError& error) {
      return error.what();
    }
    return "";
  }

  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpDateEdit Edit;
  TFakeDateEditWindow Window;
  int Exits = 0;
};

TEST_F(DateEdit, StartsFromTheLocaleAndTheClock) {
  TVpDateEdit fresh(Clock, Locale);
  EXPECT_EQ(fresh.FieldOrder(), foMonthDayYear);
  EXPECT_EQ(fresh.TodayString(), "/");
  EXPECT_EQ(fresh.Epoch(), 2000);
  const TDottedLocale dotted;
  TVpDateEdit european(Clock, dotted);
  EXPECT_EQ(european.FieldOrder(), foDayMonthYear);
  EXPECT_EQ(european.TodayString(), ".");
}

TEST_F(DateEdit, DateIsShownInTheShortDateFormat) {
  Edit.SetDate(Day(2024, 3, 5));
  EXPECT_EQ(Edit.Text(), "3/5/2024");
  EXPECT_EQ(Window.Calls, (std::vector<std::string>{"text"}));
  Edit.SetDate(0);
  EXPECT_EQ(Edit.Text(), "");
  const TDottedLocale dotted;
  TVpDateEdit european(Clock, dotted);
  european.SetDate(Day(2024, 3, 5));
  EXPECT_EQ(european.Text(), "05.03.24");
  european.SetForceCentury(true);
  EXPECT_EQ(european.Text(), "05.03.2024");
  // A text that does not read is left as the user typed it.
  european.SetText("5.XYZ");
  european.SetForceCentury(false);
  EXPECT_EQ(european.Text(), "5.XYZ");
}

TEST_F(DateEdit, ReadingTheDateLeavesTheTextAsTyped) {
  Edit.SetText("3 5 24");
  EXPECT_EQ(Edit.Date(), Day(2024, 3, 5));
  EXPECT_EQ(Edit.Text(), "3 5 24");
  Edit.SetText("");
  EXPECT_EQ(Edit.Date(), 0);
  Edit.SetText("/");
  EXPECT_EQ(Edit.Date(), Day(2024, 5, 10));
  EXPECT_EQ(Edit.Text(), "/");
  Edit.SetText("3");
  EXPECT_EQ(Edit.TextError(), "Error: Day is required.");
  EXPECT_THROW(Edit.Date(), EVpDateEditError);
  Edit.SetText("3/5");
  EXPECT_EQ(Edit.TextError(), "");
}

TEST_F(DateEdit, PlusAndMinusStepFromTheTextOrToday) {
  struct TStepRow {
    const char* Name;
    std::string Text;
    char32_t Key;
    std::string After;
  };
  const std::vector<TStepRow> rows = {
      {"plus in an empty field is tomorrow", "", U'+', "5/11/2024"},
      {"minus in an empty field is yesterday", "", U'-', "5/9/2024"},
      {"plus on 31 December", "12/31/2024", U'+', "1/1/2025"},
      {"minus on 1 March of a leap year", "3/1/2024", U'-', "2/29/2024"},
      {"the typed text is read first", "7 4", U'+', "7/5/2024"},
      {"plus on the last day of the range stays", "12/31/9999", U'+', "12/31/9999"},
      {"minus on the first day of the range stays", "1/1/0100", U'-', "1/1/0100"},
  };
  for (const TStepRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Edit.SetText(row.Text);
    EXPECT_TRUE(Edit.KeyPress(row.Key));  // read-only fields step too
    EXPECT_EQ(Edit.Text(), row.After);
  }
  Edit.SetAllowIncDec(false);
  EXPECT_FALSE(Edit.KeyPress(U'+'));
  EXPECT_FALSE(Edit.KeyPress(U'x'));
}

TEST_F(DateEdit, PlusOnUnreadableTextRaisesAndKeepsIt) {
  Edit.SetText("13/45");
  EXPECT_EQ(Error([&] { Edit.KeyPress(U'+'); }), "Error: Month Is Required.");
  EXPECT_EQ(Edit.Text(), "13/45");
}

TEST_F(DateEdit, SetDateRefusesDatesOutsideTheRange) {
  Edit.SetDate(Day(2024, 3, 5));
  EXPECT_EQ(Error([&] { Edit.SetDate(Day(99, 12, 31)); }), "Error: Invalid Date.");
  EXPECT_EQ(Edit.Text(), "3/5/2024");
}

TEST_F(DateEdit, LeavingTheFieldFormatsTheTextOrKeepsTheFocus) {
  int dateSets = 0;
  Edit.OnSetDate = [&](TVpDateEdit&) { ++dateSets; };
  Edit.SetText("3-5-24");
  Edit.Exit();
  EXPECT_EQ(Edit.Text(), "3/5/2024");
  EXPECT_EQ(Exits, 1);
  EXPECT_EQ(dateSets, 0);  // reading is not setting

  Window.Calls.clear();
  Edit.SetText("2/30/2024");
  EXPECT_EQ(Error([&] { Edit.Exit(); }), "Error: Invalid Date. \"2/30/2024\"");
  EXPECT_EQ(Window.Calls, (std::vector<std::string>{"focus"}));
  EXPECT_EQ(Edit.Text(), "2/30/2024");
  EXPECT_EQ(Exits, 1);

  Edit.SetText("  ");
  Edit.Exit();
  EXPECT_EQ(Edit.Text(), "");
  EXPECT_EQ(Exits, 2);
}

TEST_F(DateEdit, ButtonSitsAtTheRightAndIsDisabledWhenReadOnly) {
  EXPECT_EQ(Edit.ButtonRect(120, 20), (TRect{98, 0, 116, 20}));  // 3/4 of 20 is below the least 18
  EXPECT_EQ(Edit.ButtonRect(120, 32), (TRect{92, 0, 116, 32}));
  Edit.SetCtl3D(false);
  EXPECT_EQ(Edit.ButtonRect(120, 32), (TRect{94, 0, 118, 32}));
  Edit.ButtonClicked();
  EXPECT_FALSE(Edit.DropDownOpen());
  Edit.SetReadOnly(false);
  Edit.ButtonClicked();
  EXPECT_TRUE(Edit.DropDownOpen());
}

TEST_F(DateEdit, DropDownOpensOnTheEditsDateOrNow) {
  EXPECT_FALSE(Edit.KeyDown(VK_DOWN, 0));
  EXPECT_TRUE(Edit.KeyDown(VK_DOWN, ssAlt));
  ASSERT_TRUE(Edit.DropDownOpen());
  TVpCalendar& calendar = *Edit.PopupCalendar();
  EXPECT_EQ(calendar.Date(), Day(2024, 5, 10) + 0.75);  // empty field: now
  EXPECT_TRUE(calendar.Focused());
  EXPECT_TRUE(calendar.DropDown());
  EXPECT_EQ(calendar.Width(), 200);
  EXPECT_EQ(calendar.Height(), 140);
  Edit.CloseDropDown();

  Edit.SetText("3/5/24");
  Edit.SetWeekStarts(dtMonday);
  Edit.SetPopupCalWidth(250);
  Edit.PopupCalColors().SetColorScheme(cscalOcean);
  Edit.KeyDown(VK_DOWN, ssAlt);
  EXPECT_EQ(Edit.PopupCalendar(), &calendar);  // made once, kept for the edit's life
  EXPECT_EQ(calendar.Date(), Day(2024, 3, 5));
  EXPECT_EQ(Edit.Text(), "3/5/2024");
  EXPECT_EQ(calendar.WeekStarts(), dtMonday);
  EXPECT_EQ(calendar.Width(), 250);
  EXPECT_EQ(calendar.Colors().ColorScheme(), cscalOcean);
}

TEST_F(DateEdit, ArrowsFollowInTheFieldAndEnterCloses) {
  Edit.SetDate(Day(2024, 3, 5));
  Edit.OpenDropDown();
  Window.Calls.clear();
  EXPECT_TRUE(Edit.DropDownKeyDown(VK_RIGHT, 0));
  EXPECT_TRUE(Edit.DropDownKeyDown(VK_NEXT, 0));
  EXPECT_EQ(Edit.Text(), "4/6/2024");
  EXPECT_TRUE(Edit.DropDownOpen());
  EXPECT_TRUE(Edit.DropDownKeyPress(U'\r'));
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_EQ(Window.Calls, (std::vector<std::string>{"text", "text", "focus, caret at end", "hide"}));
  EXPECT_FALSE(Edit.PopupCalendar()->Focused());
}

TEST_F(DateEdit, EscapeRestoresTheOpeningDateAltUpKeepsTheNewOne) {
  Edit.SetDate(Day(2024, 3, 5));
  Edit.OpenDropDown();
  Edit.DropDownKeyDown(VK_DOWN, 0);
  EXPECT_EQ(Edit.Text(), "3/12/2024");
  EXPECT_TRUE(Edit.DropDownKeyDown(VK_ESCAPE, 0));
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_EQ(Edit.Text(), "3/5/2024");

  Edit.OpenDropDown();
  Edit.DropDownKeyDown(VK_LEFT, 0);
  Window.Calls.clear();
  EXPECT_TRUE(Edit.DropDownKeyDown(VK_UP, ssAlt));
  EXPECT_EQ(Window.Calls, (std::vector<std::string>{"focus", "hide"}));  // the caret stays
  EXPECT_EQ(Edit.Text(), "3/4/2024");
}

TEST_F(DateEdit, ClickOnADayChoosesItAndCloses) {
  Edit.SetDate(Day(2024, 3, 5));
  Edit.OpenDropDown();
  // 20 March 2024: fourth column, fourth week row of the 200 × 140 calendar.
  Edit.DropDownMouseDown(mbLeft, 0, 93, 93);
  Edit.DropDownMouseUp(mbLeft, 0, 93, 93);
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_EQ(Edit.Text(), "3/20/2024");
}

TEST_F(DateEdit, ReleaseOutsideOrLosingTheFocusCloses) {
  Edit.OpenDropDown();
  Edit.DropDownMouseUp(mbLeft, 0, 100, -5);
  EXPECT_FALSE(Edit.DropDownOpen());
  Edit.OpenDropDown();
  Edit.DropDownMouseUp(mbLeft, 0, 100, 70);  // inside: stays
  EXPECT_TRUE(Edit.DropDownOpen());
  Edit.DropDownFocusLost();
  EXPECT_FALSE(Edit.DropDownOpen());
  // Input reaching a closed drop-down is not used.
  EXPECT_FALSE(Edit.DropDownKeyDown(VK_RIGHT, 0));
  EXPECT_FALSE(Edit.DropDownKeyPress(U' '));
}

TEST_F(DateEdit, FieldLeftForTheDropDownRaisesNoExit) {
  Edit.SetText("2/30");
  EXPECT_EQ(Error([&] { Edit.OpenDropDown(); }), "Error: Invalid Date. \"2/30\"");
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_EQ(Window.Calls, (std::vector<std::string>{}));
  Edit.SetText("2/29");
  Edit.OpenDropDown();
  Edit.Exit();  // the calendar took the focus
  EXPECT_EQ(Exits, 0);
  Edit.CloseDropDown();
  Edit.Exit();  // a failed opening left no open flag behind
  EXPECT_EQ(Exits, 1);
}

}  // namespace
