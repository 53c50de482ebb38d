#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "platform/qt/command_guard.h"
#include "tests/support/fake_timers.h"
#include "views/qt/date_edit_widget.h"
#include "views/qt/view_widget.h"

namespace {

// A date field on an English desktop, today 10 May 2024, showing that date.
class DateEditWidget : public ::testing::Test {
 protected:
  DateEditWidget() : Edit((Clock.Set(EncodeDate(2024, 5, 10) + 0.5), Clock), Locale), Widget(Edit) {
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
    Edit.OnExit = [this](TVpDateEdit&) { ++Exits; };
    Edit.SetDate(EncodeDate(2024, 5, 10));
    Widget.show();
  }
  ~DateEditWidget() override { SetErrorHandler(nullptr); }

  void LeaveField() {
    QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&Widget, &leaving);
  }
  void OpenDropDown() {
    QTest::mouseClick(&Widget.Button(), Qt::LeftButton);
    ASSERT_TRUE(Edit.DropDownOpen());
    ASSERT_NE(Widget.DropDown(), nullptr);
  }

  TFakeClock Clock;
  TEnglishLocale Locale;
  TVpDateEdit Edit;
  TVpDateEditWidget Widget;
  std::vector<std::string> Errors;
  int Exits = 0;
};

TEST_F(DateEditWidget, TypedTextGoesToTheEditAndLeavingTheFieldReadsIt) {
  QSignalSpy edited(&Widget, &TVpDateEditWidget::Edited);
  EXPECT_EQ(Widget.text(), "5/10/2024");
  // "+" steps the date a day on instead of being typed.
  QTest::keyClick(&Widget, '+');
  EXPECT_EQ(Widget.text(), "5/11/2024");
  Widget.selectAll();
  QTest::keyClicks(&Widget, "jun 3 24");
  EXPECT_EQ(Edit.Text(), "jun 3 24");
  LeaveField();
  EXPECT_EQ(Widget.text(), "6/3/2024");
  EXPECT_EQ(Exits, 1);
  EXPECT_GE(edited.count(), 3);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(DateEditWidget, AnUnreadableTextIsReportedWhenTheFieldIsLeft) {
  Widget.selectAll();
  QTest::keyClicks(&Widget, "5/45/2024");
  LeaveField();
  EXPECT_EQ(Errors, std::vector<std::string>{"Error: Day is required."});
  EXPECT_EQ(Exits, 0);
}

TEST_F(DateEditWidget, TheDropDownShowsTheCalendarBelowTheFieldAndAChoiceClosesIt) {
  OpenDropDown();
  TVpViewWidget& popup = *Widget.DropDown();
  EXPECT_TRUE(popup.isVisible());
  EXPECT_EQ(popup.size(), QSize(Edit.PopupCalWidth(), Edit.PopupCalHeight()));
  // 2 pixels below the field's bottom-left corner (the desktop may add its frame margins).
  const QPoint below = Widget.mapToGlobal(QPoint(0, Widget.height() + 2));
  EXPECT_NEAR(popup.geometry().left(), below.x(), 2);
  EXPECT_NEAR(popup.geometry().top(), below.y(), 2);
  // A move keeps it open and shows the date; Enter chooses it.
  QTest::keyClick(&popup, Qt::Key_Right);
  EXPECT_EQ(Widget.text(), "5/11/2024");
  EXPECT_TRUE(Edit.DropDownOpen());
  QTest::keyClick(&popup, Qt::Key_Return);
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(Widget.text(), "5/11/2024");
}

TEST_F(DateEditWidget, EscapeInTheDropDownReturnsToTheDateItOpenedWith) {
  OpenDropDown();
  QTest::keyClick(Widget.DropDown(), Qt::Key_Down);
  EXPECT_EQ(Widget.text(), "5/17/2024");
  QTest::keyClick(Widget.DropDown(), Qt::Key_Escape);
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_EQ(Widget.text(), "5/10/2024");
}

TEST_F(DateEditWidget, ThePopupClosedByTheDesktopOrADisabledFieldClosesTheDropDown) {
  OpenDropDown();
  Widget.DropDown()->hide();
  EXPECT_FALSE(Edit.DropDownOpen());
  OpenDropDown();
  Widget.setEnabled(false);
  EXPECT_FALSE(Edit.DropDownOpen());
  EXPECT_FALSE(Widget.Button().isEnabled());
}

}  // namespace
