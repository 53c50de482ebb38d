#include <gtest/gtest.h>

#include <string>

#include "platform/file_reader.h"
#include "print/print_formats_file.h"

namespace {

// The formats a new program folder starts with, as code: the shipped file must be exactly what
// the writer makes of them, so that it reads back unchanged.
TVpPrintFormatElementItem Placed(const char* name, TVpItemType type, double left, double top, double width,
                                 double height) {
  TVpPrintFormatElementItem element;
  element.ElementName = name;
  element.ItemType = type;
  element.Left = left;
  element.Top = top;
  element.Width = width;
  element.Height = height;
  return element;
}

TVpPrintFormatItem Format(const char* name, const char* description, const char* title, int dayInc, TVpDayUnits units) {
  TVpPrintFormatItem format;
  format.SetFormatName(name);
  format.Description = description;
  format.DayInc = dayInc;
  format.DayIncUnits = units;
  TVpPrintFormatElementItem heading = Placed("Title", itCaption, 0, 0, 100, 5);
  heading.Caption.Caption = title;
  heading.Caption.Font.Height = -19;
  heading.Caption.Font.Style = fsBold;
  TVpPrintFormatElementItem rule = Placed("Rule", itShape, 0, 5, 100, 1);
  rule.Shape.Shape = ustTopLine;
  TVpPrintFormatElementItem footer = Placed("Page number", itCaption, 90, 97.5, 10, 2.5);
  footer.Caption.Caption = "Page $Page";
  format.Elements = {heading, rule, footer};
  return format;
}

TVpPrintFormats ShippedFormats() {
  constexpr double kTop = 7;
  constexpr double kHeight = 90;
  TVpPrintFormats formats;
  TVpPrintFormatItem day = Format("Day", "One day per page", "$DayName, $MonthName $DayNumber, $LongYear", 0, duDay);
  day.Elements.push_back(Placed("Day", itDayView, 0, kTop, 100, kHeight));
  formats.push_back(day);

  TVpPrintFormatItem workWeek = Format("Work Week", "Monday to Friday of the chosen week side by side, a week per page",
                                       "Week of $MonthName $DayNumber, $LongYear", 1, duWeek);
  workWeek.StartsOnMonday = true;
  TVpPrintFormatElementItem days = Placed("Days", itDayView, 0, kTop, 100, kHeight);
  days.DayColumns = 5;
  workWeek.Elements.push_back(days);
  formats.push_back(workWeek);

  TVpPrintFormatItem week =
      Format("Week", "The week view, a week per page", "Week of $MonthName $DayNumber, $LongYear", 1, duWeek);
  week.StartsOnMonday = true;
  week.Elements.push_back(Placed("Week", itWeekView, 0, kTop, 100, kHeight));
  formats.push_back(week);

  TVpPrintFormatItem month = Format("Month", "The month view, a month per page", "$MonthName $LongYear", 1, duMonth);
  month.Elements.push_back(Placed("Month", itMonthView, 0, kTop, 100, kHeight));
  formats.push_back(month);

  TVpPrintFormatItem tasks =
      Format("Task List", "All tasks, over as many pages as they need", "Tasks of $Resource", 0, duDay);
  tasks.Elements.push_back(Placed("Tasks", itTasks, 0, kTop, 100, kHeight));
  formats.push_back(tasks);

  TVpPrintFormatItem contacts =
      Format("Address Book", "All contacts, over as many pages as they need", "Contacts of $Resource", 0, duDay);
  contacts.Elements.push_back(Placed("Contacts", itContacts, 0, kTop, 100, kHeight));
  formats.push_back(contacts);

  TVpPrintFormatItem combined = Format("Day and Tasks", "One day with the task list beside it",
                                       "$DayName, $MonthName $DayNumber, $LongYear", 0, duDay);
  combined.Elements.push_back(Placed("Day", itDayView, 0, kTop, 60, kHeight));
  combined.Elements.push_back(Placed("Tasks", itTasks, 61, kTop, 39, kHeight));
  formats.push_back(combined);
  return formats;
}

}  // namespace

TEST(ShippedFormats, TheFileIsWhatTheWriterMakesOfThem) {
  const auto shipped = ReadWholeFile(KORET_RESOURCES_DIR "/Config/PrintFormats.xml");
  ASSERT_TRUE(shipped.has_value());
  const TVpPrintFormats formats = ShippedFormats();
  EXPECT_EQ(*shipped, PrintFormatsDocument(formats));
  TVpPrintFormats read;
  EXPECT_EQ(ReadPrintFormatsDocument(read, *shipped, "PrintFormats.xml", false), "");
  EXPECT_EQ(read, formats);
}
