#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <cstdio>

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

// Types the text into the date field key by key, the field's own text replaced; the preview's
// range must not move while the text is typed, nor the text snap back.
void TypeDate(TVpDateEditWidget& field, const std::string& text, const TVpPrintPreview& preview) {
  const double start = preview.StartDate(), end = preview.EndDate();
  field.setFocus();
  field.selectAll();
  for (size_t i = 0; i < text.size(); ++i) {
    QTest::keyClick(&field, text[i]);
    EXPECT_EQ(field.text().toStdString(), text.substr(0, i + 1)) << "the text stays as typed";
    EXPECT_EQ(preview.StartDate(), start) << text.substr(0, i + 1);
    EXPECT_EQ(preview.EndDate(), end) << text.substr(0, i + 1);
  }
}

TEST_F(PrintPreviewWindowTest, ADateTakesEffectWhenTheFieldIsLeftOrOnEnter) {
  TfrmPrintPreview window(Printer, Renderer, Clock, Locale, Messages);
  window.SetDates(EncodeDate(2026, 3, 1), EncodeDate(2026, 3, 3));
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto& start = *window.findChild<TVpDateEditWidget*>("deStartDate");
  auto& end = *window.findChild<TVpDateEditWidget*>("deEndDate");
  auto* page = window.findChild<QLabel*>("lblPage");
  EXPECT_EQ(page->text(), "Page 1 of 3");

  TypeDate(start, "3/2/2026", window.Preview());
  QTest::keyClick(&start, Qt::Key_Return);
  EXPECT_EQ(window.Preview().StartDate(), EncodeDate(2026, 3, 2));
  EXPECT_EQ(page->text(), "Page 1 of 2");

  // "3/1" reads as a date before the start while it is typed: nothing moves until the field is
  // left, and then the end is put on the start.
  TypeDate(end, "3/1/2026", window.Preview());
  QTest::keyClick(&end, Qt::Key_Tab);
  EXPECT_EQ(window.Preview().EndDate(), EncodeDate(2026, 3, 2));
  EXPECT_EQ(end.text(), "3/2/2026");
  EXPECT_EQ(page->text(), "Page 1 of 1");
  EXPECT_TRUE(Messages.Shown.empty());
}

// One Backspace turns 2026 into the year 202: a range of more than a year of pages is asked
// about first, and "No" keeps the range; a range the user wants anyway is laid out to its last
// page from the dates alone, at once.
TEST_F(PrintPreviewWindowTest, ARangeOfManyPagesIsAskedAboutAndThenLaidOutAtOnce) {
  TfrmPrintPreview window(Printer, Renderer, Clock, Locale, Messages);
  const double afternoon = EncodeTime(14, 20);  // the day view's date comes with the time of day
  window.SetDates(EncodeDate(2026, 3, 1) + afternoon, EncodeDate(2026, 3, 1) + afternoon);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto& start = *window.findChild<TVpDateEditWidget*>("deStartDate");
  auto* page = window.findChild<QLabel*>("lblPage");

  start.setFocus();
  start.end(false);
  QTest::keyClick(&start, Qt::Key_Backspace);
  EXPECT_EQ(start.text(), "3/1/202");
  Messages.Answers = {mrNo};
  QTest::keyClick(&start, Qt::Key_Return);
  ASSERT_EQ(Messages.Shown.size(), 1u);
  const long long days = static_cast<long long>(EncodeDate(2026, 3, 1) - EncodeDate(202, 3, 1)) + 1;
  EXPECT_NE(Messages.Shown[0].Text.find("prints " + std::to_string(days) + " pages"), std::string::npos)
      << Messages.Shown[0].Text;
  EXPECT_EQ(window.Preview().StartDate(), EncodeDate(2026, 3, 1) + afternoon) << "No keeps the range";
  EXPECT_EQ(start.text(), "3/1/2026");

  start.end(false);
  QTest::keyClick(&start, Qt::Key_Backspace);
  Messages.Answers = {mrYes};
  const auto began = std::chrono::steady_clock::now();  // the pages are counted at once
  QTest::keyClick(&start, Qt::Key_Return);
  EXPECT_EQ(window.Preview().StartDate(), EncodeDate(202, 3, 1));
  window.findChild<QAction*>("actLastPage")->trigger();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::printf("last of %lld pages: %.3f s\n", days, seconds);
  EXPECT_LT(seconds, 2.0);
  EXPECT_EQ(window.Preview().CurPage(), days - 1);
  EXPECT_EQ(page->text(), QString("Page %1 of %1").arg(days));
  // Passing through a field that still shows its day changes nothing and asks nothing again.
  auto& end = *window.findChild<TVpDateEditWidget*>("deEndDate");
  end.setFocus();
  QTest::keyClick(&end, Qt::Key_Tab);
  EXPECT_EQ(Messages.Shown.size(), 2u);
  EXPECT_EQ(window.Preview().EndDate(), EncodeDate(2026, 3, 1) + afternoon);
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
