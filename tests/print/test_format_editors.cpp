#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/format_editors.h"

namespace {

// Leaving a field (step 0) or pressing an arrow (+1, -1) keeps its number within the unit.
TEST(ElementEditForm, NumberFieldsKeepWithinTheUnitMaximum) {
  struct TCase {
    TVpItemMeasurement Measurement;
    const char* Typed;
    int Step;
    const char* Shown;
  };
  const std::vector<TCase> cases = {
      {imInches, "60", 0, "50.00"},
      {imAbsolutePixel, "2500", 0, "2000.00"},
      {imPercent, "100.5", 0, "100.00"},
      {imCentimetres, "130", 0, "127.00"},
      {imPercent, "-3", 0, "0.00"},
      {imCentimetres, "1,5", 0, "1.50"},
      {imAbsolutePixel, "12.345", 0, "12.35"},
      {imPercent, "abc", 0, "abc"},
      {imPercent, "", 0, ""},
      {imPercent, "1.00", +1, "1.01"},
      {imPercent, "1.00", -1, "0.99"},
      {imPercent, "0.00", -1, "0.00"},
      {imPercent, "100.00", +1, "100.00"},
      {imInches, "50.00", +1, "50.00"},
      {imAbsolutePixel, "150", +1, "150.01"},
      {imPercent, "x", +1, "x"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.Typed << " step " << c.Step);
    TVpPrintFormatElementItem element;
    TVpElementEditForm form(element);
    form.Measurement = c.Measurement;
    form.SetFieldText(efWidth, c.Typed);
    if (c.Step == 0) EXPECT_EQ(form.LeaveField(efWidth), std::string(c.Shown) != c.Typed);  // a number is reshown
    else form.StepField(efWidth, c.Step);
    EXPECT_EQ(form.FieldText(efWidth), c.Shown);
  }
}

TEST(ElementEditForm, FillsAndWritesBackEveryFieldAndCarriesTheRotation) {
  TVpPrintFormatElementItem element;
  element.ElementName = "Days";
  element.Measurement = imInches;
  element.Left = 1.25;
  element.Top = 2;
  element.Width = 3.5;
  element.Height = 4;
  element.Rotation = ra90;
  element.DayOffset = -1;  // outside the spin range, read from a file: kept
  element.DayColumns = 5;
  TVpElementEditForm form(element);
  EXPECT_EQ(form.FieldText(efLeft), "1.25");
  EXPECT_EQ(form.FieldText(efHeight), "4.00");
  EXPECT_EQ(form.DayColumns, 5);
  EXPECT_FALSE(form.ShapeEnabled());
  EXPECT_TRUE(form.DayColumnsEnabled());
  form.ItemType = itShape;
  EXPECT_TRUE(form.ShapeEnabled());
  EXPECT_FALSE(form.CaptionEnabled());
  EXPECT_FALSE(form.DayColumnsEnabled());

  TVpPrintFormatElementItem expected = element;
  form.Name = "Box";
  form.Measurement = imCentimetres;
  form.SetFieldText(efLeft, "200");  // not left, still limited when written
  form.SetFieldText(efTop, "bad");   // keeps the element's value
  form.SetFieldText(efWidth, "7.5");
  form.DayOffsetUnits = duMonth;
  form.Visible = false;
  form.DayColumns = 7;
  form.WriteTo(element);
  expected.DayColumns = 7;
  expected.ElementName = "Box";
  expected.ItemType = itShape;
  expected.Measurement = imCentimetres;
  expected.Left = 127;
  expected.Width = 7.5;
  expected.DayOffsetUnits = duMonth;
  expected.Visible = false;
  EXPECT_EQ(element, expected);
}

TEST(FormatEditForm, FillsAndWritesBackAndRefusesAnEmptyName) {
  TVpPrintFormatItem format;
  format.SetFormatName("Week");
  format.Description = "one week a page";
  format.DayInc = 7;
  format.DayIncUnits = duWeek;
  format.StartsOnMonday = true;
  TVpFormatEditForm form;
  form.Fill(format);
  TVpPrintFormatItem copy;
  form.WriteTo(copy);
  EXPECT_EQ(copy, format);
  form.Name = "";
  form.Description = "changed";
  EXPECT_THROW(form.WriteTo(copy), EVpPrintFormatError);
  EXPECT_EQ(copy, format);
}

TEST(ShapeEditForm, AColourOutsideTheGridIsKept) {
  EXPECT_EQ(ShapeColorCell(clBlack), 0);
  EXPECT_EQ(ShapeColorCell(clWhite), 15);
  EXPECT_EQ(ShapeColorCell(0x123456), -1);
  TVpPrintShape shape;
  shape.Shape = ustEllipse;
  shape.Pen = {0x123456, 3, psDot, pmXor};
  shape.BrushColor = clRed;
  shape.BrushStyle = pbsCross;
  TVpShapeEditForm form;
  form.Fill(shape);
  TVpPrintShape written;
  form.WriteTo(written);
  EXPECT_EQ(written, shape);
  form.BrushColor = kShapeColorGrid[ShapeColorCell(clBlue)];
  form.WriteTo(written);
  EXPECT_EQ(written.BrushColor, clBlue);
  EXPECT_EQ(written.Pen.Color, 0x123456);
}

}  // namespace
