#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "model/day_number.h"
#include "platform/english_locale.h"
#include "platform/qt/command_guard.h"
#include "print/qt/print_preview_widget.h"
#include "print/qt/print_preview_window.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_print_target.h"
#include "views/qt/date_edit_widget.h"

namespace {

class PrintPreviewWindowTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  PrintPreviewWindowTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Link.SetDataStore(&Store());
    Printer.MutablePrintFormats() = {DayPageFormat("Day", "$ShortDate"), DayPageFormat("Another day", "$ShortDate")};
  }
  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpPrinter Printer{Poster, Writer};
  TVpPageRenderer Renderer{Printer, Link, Clock, Locale};
  TFakeMessageBoxes Messages;
};

TEST_F(PrintPreviewWindowTest, WindowShortcutsComeBeforeThePreviewsKeys) {
  TfrmPrintPreview window(Printer, Renderer, Clock, Locale, Messages);
  auto& preview = *window.findChild<TVpPrintPreviewWidget*>("VpPrintPreview1");
  auto& formats = *window.findChild<QComboBox*>("VpPrintFormatComboBox1");
  EXPECT_EQ(formats.count(), 2);
  EXPECT_EQ(formats.currentText(), "Day");  // the list is sorted: "Another day" first
  window.Preview().SetPrinterDevice({0, 0, 5100, 6600}, 600, 600);
  window.SetDates(EncodeDate(2026, 3, 1), EncodeDate(2026, 3, 3));
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  preview.setFocus();
  ASSERT_NE(window.Preview().PageBitmap(), nullptr);
  EXPECT_EQ(window.Preview().PageBitmap()->Width(), 816);  // a letter page at the screen's resolution

  auto* first = window.findChild<QAction*>("actFirstPage");
  auto* last = window.findChild<QAction*>("actLastPage");
  EXPECT_FALSE(first->isEnabled());
  EXPECT_TRUE(last->isEnabled());
  QTest::keyClick(&preview, Qt::Key_PageDown);
  QTest::keyClick(&preview, Qt::Key_PageDown);
  EXPECT_EQ(window.Preview().CurPage(), 2);
  EXPECT_FALSE(last->isEnabled());
  // Ctrl+F is the window's First page, not the control's next format.
  QTest::keyClick(&preview, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(window.Preview().CurPage(), 0);
  EXPECT_EQ(Printer.ActiveFormatIndex(), 0);
  EXPECT_FALSE(first->isEnabled());

  // A date half typed changes nothing and says nothing; an end date before the start goes back
  // to the start.
  std::vector<std::string> errors;
  SetErrorHandler([&errors](const std::string& message) { errors.push_back(message); });
  auto& end = *window.findChild<TVpDateEditWidget*>("deEndDate");
  end.selectAll();
  QTest::keyClicks(&end, "3/");
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(window.Preview().EndDate(), EncodeDate(2026, 3, 3));
  end.Edit().SetDate(EncodeDate(2026, 2, 20));
  emit end.Edited();
  EXPECT_EQ(end.Edit().Date(), EncodeDate(2026, 3, 1));
  EXPECT_EQ(window.Preview().EndDate(), EncodeDate(2026, 3, 1));
  EXPECT_FALSE(last->isEnabled());  // one day, one page

  SetErrorHandler(nullptr);
  window.findChild<QAction*>("actPrint")->trigger();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(window.Choice().FormatName, "Day");
  EXPECT_EQ(window.Choice().EndDate, EncodeDate(2026, 3, 1));
}

TEST_F(PrintPreviewWindowTest, TheControlAloneTakesCtrlFForTheNextFormat) {
  TVpPrintPreview preview(Printer, Renderer, MakePreviewBitmap, EncodeDate(2026, 3, 1));
  TVpPrintPreviewWidget widget(preview);
  widget.resize(300, 400);
  widget.show();
  QTest::keyClick(&widget, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Printer.ActiveFormatIndex(), 1);
  QTest::keyClick(&widget, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(preview.ZoomFactor(), zfActualSize);
}

}  // namespace
