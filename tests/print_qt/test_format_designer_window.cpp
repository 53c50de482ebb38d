#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "platform/english_locale.h"
#include "print/qt/element_edit_window.h"
#include "print/qt/format_designer_window.h"
#include "print/qt/format_edit_window.h"
#include "print/qt/print_preview_widget.h"
#include "store/control_link.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_print_target.h"
#include "views/qt/spin_text_edit.h"

namespace {

void Activate(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void ClickRadio(const QWidget& group, const QString& text) {
  for (QRadioButton* radio : group.findChildren<QRadioButton*>())
    if (radio->text() == text) return QTest::mouseClick(radio, Qt::LeftButton);
  ADD_FAILURE() << "no radio button " << text.toStdString();
}

// What the user types into a number field, then Tab to the next control.
void TypeAndLeave(TVpSpinTextEdit& field, const QString& text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, text);
  QTest::keyClick(&field, Qt::Key_Tab);
}

TEST(ElementEditWindow, TypeRadiosDriveTheButtonsAndNumberFieldsKeepToTheUnit) {
  TVpPrintFormatElementItem element;
  TVpElementEditForm form(element);
  TFakeMessageBoxes messages;
  TfrmEditElement window(form, messages);
  Activate(window);
  auto& shape = Control<QPushButton>(window, "btnShape");
  auto& columns = Control<QSpinBox>(window, "edDayColumns");
  EXPECT_FALSE(shape.isEnabled());
  EXPECT_TRUE(columns.isEnabled()) << "a day view prints day columns";
  ClickRadio(Control<QWidget>(window, "rgItemType"), "Shape");
  EXPECT_TRUE(shape.isEnabled());
  EXPECT_FALSE(columns.isEnabled());
  EXPECT_EQ(form.ItemType, itShape);

  ClickRadio(Control<QWidget>(window, "rgMeasurement"), "Inches");
  auto& top = Control<TVpSpinTextEdit>(window, "edTop");
  TypeAndLeave(top, "60");
  EXPECT_EQ(top.text(), "50.00");
  auto& left = Control<TVpSpinTextEdit>(window, "edLeft");
  TypeAndLeave(left, "x");
  ASSERT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(messages.Shown[0].Text, "Please Enter a Valid Value");
  EXPECT_TRUE(left.hasFocus());
  QTest::mouseClick(&Control<QPushButton>(window, "btnOk"), Qt::LeftButton);
  EXPECT_TRUE(window.isVisible()) << "OK is refused while a field holds no number";
}

class FormatDesignerWindow : public ::testing::Test, protected TPlannerFixture {
 protected:
  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpPrinter Printer{Poster, Writer};
  TVpPageRenderer Renderer{Printer, Link, Clock, Locale};
  TFakeMessageBoxes Messages;
};

TEST_F(FormatDesignerWindow, TheFirstFormatOfANewFileIsSelectedAndShown) {
  TfrmPrnFormat window(Printer, Renderer, Messages, Clock.Now(), nullptr);
  EXPECT_EQ(window.windowTitle(), "Print Format Designer - <Unnamed>");
  auto& newElement = Control<QPushButton>(window, "btnNewElement");
  EXPECT_FALSE(newElement.isEnabled());
  Activate(window);
  WhenModalShows<TfrmEditFormat>(window, [](TfrmEditFormat& editor) {
    QTest::keyClicks(&Control<QLineEdit>(editor, "edName"), "Mine");
    QTest::keyClick(&editor, Qt::Key_Return);
  });
  QTest::mouseClick(&Control<QPushButton>(window, "btnNewFormat"), Qt::LeftButton);
  auto& formats = Control<QListWidget>(window, "lbFormats");
  ASSERT_EQ(formats.count(), 1);
  EXPECT_EQ(formats.currentItem()->text(), "Mine");
  EXPECT_TRUE(newElement.isEnabled());
  EXPECT_TRUE(Control<TVpPrintPreviewWidget>(window, "ppPreview").isVisible());
  EXPECT_TRUE(window.Designer().Modified());
}

// The list takes the focus when the window opens; that must not make its first entry the format
// printed next.
TEST_F(FormatDesignerWindow, OpeningTheDesignerKeepsTheActiveFormat) {
  Printer.MutablePrintFormats() = {DayPageFormat("Task List", "x"), DayPageFormat("Address Book", "x")};
  TfrmPrnFormat window(Printer, Renderer, Messages, Clock.Now(), nullptr);
  Activate(window);
  auto& formats = Control<QListWidget>(window, "lbFormats");
  EXPECT_TRUE(formats.hasFocus());
  ASSERT_NE(formats.currentItem(), nullptr);
  EXPECT_EQ(formats.currentItem()->text(), "Task List");
  EXPECT_EQ(Printer.ActiveFormatIndex(), 0);
}

}  // namespace
