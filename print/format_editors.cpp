#include "print/format_editors.h"

#include <algorithm>
#include <charconv>

#include "print/decimal_text.h"

namespace {

// A number as the editor's fields show it: two decimals, a point as separator whatever the locale.
std::string TwoDecimals(double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
  return std::string(digits, result.ptr);
}

double& ElementValue(TVpPrintFormatElementItem& element, TVpElementField field) {
  switch (field) {
    case efTop: return element.Top;
    case efLeft: return element.Left;
    case efWidth: return element.Width;
    case efHeight: return element.Height;
  }
  return element.Top;
}

}  // namespace

void TVpFormatEditForm::Fill(const TVpPrintFormatItem& format) {
  Name = format.FormatName();
  Description = format.Description;
  Increment = format.DayInc;
  IncrementUnit = format.DayIncUnits;
  StartsOnMonday = format.StartsOnMonday;
}

void TVpFormatEditForm::WriteTo(TVpPrintFormatItem& format) const {
  format.SetFormatName(Name);
  format.Description = Description;
  format.DayInc = Increment;
  format.DayIncUnits = IncrementUnit;
  format.StartsOnMonday = StartsOnMonday;
}

double UnitMaximum(TVpItemMeasurement measurement) {
  switch (measurement) {
    case imAbsolutePixel: return 2000;
    case imPercent: return 100;
    case imInches: return 50;
    case imCentimetres: return 127;
  }
  return 100;
}

TVpElementEditForm::TVpElementEditForm(TVpPrintFormatElementItem& element)
    : Name(element.ElementName),
      ItemType(element.ItemType),
      Visible(element.Visible),
      Measurement(element.Measurement),
      DayOffset(element.DayOffset),
      DayOffsetUnits(element.DayOffsetUnits),
      DayColumns(element.DayColumns),
      Element_(element) {
  for (TVpElementField field : {efTop, efLeft, efWidth, efHeight})
    Fields_[field] = TwoDecimals(ElementValue(element, field));
}

bool TVpElementEditForm::LeaveField(TVpElementField field) {
  const auto value = ParseDecimal(Fields_[field]);
  if (!value) return false;
  Fields_[field] = TwoDecimals(std::clamp(*value, 0.0, UnitMaximum(Measurement)));
  return true;
}

void TVpElementEditForm::StepField(TVpElementField field, int direction) {
  const auto value = ParseDecimal(Fields_[field]);
  if (!value) return;
  const double stepped = *value + (direction > 0 ? 0.01 : -0.01);
  if (stepped >= 0 && stepped <= UnitMaximum(Measurement) + 1e-9) Fields_[field] = TwoDecimals(stepped);
}

void TVpElementEditForm::WriteTo(TVpPrintFormatElementItem& element) const {
  element.ElementName = Name;
  element.DayOffset = DayOffset;
  for (TVpElementField field : {efTop, efLeft, efHeight, efWidth})
    if (const auto value = ParseDecimal(Fields_[field]))
      ElementValue(element, field) = std::clamp(*value, 0.0, UnitMaximum(Measurement));
  element.ItemType = ItemType;
  element.DayOffsetUnits = DayOffsetUnits;
  element.Measurement = Measurement;
  element.Visible = Visible;
  element.DayColumns = DayColumns;
}

const std::array<TColor, 16> kShapeColorGrid = {clBlack, clMaroon,  clGreen, clOlive, clNavy, clPurple,
                                                clTeal,  clSilver,  clGray,  clRed,   clLime, clYellow,
                                                clBlue,  clFuchsia, clAqua,  clWhite};

int ShapeColorCell(TColor color) {
  const auto cell = std::find(kShapeColorGrid.begin(), kShapeColorGrid.end(), color);
  return cell == kShapeColorGrid.end() ? -1 : static_cast<int>(cell - kShapeColorGrid.begin());
}

void TVpShapeEditForm::Fill(const TVpPrintShape& shape) {
  ShapeType = shape.Shape;
  PenColor = shape.Pen.Color;
  PenStyle = shape.Pen.Style;
  PenWidth = shape.Pen.Width;
  PenMode = shape.Pen.Mode;
  BrushColor = shape.BrushColor;
  BrushStyle = shape.BrushStyle;
}

void TVpShapeEditForm::WriteTo(TVpPrintShape& shape) const {
  shape.Shape = ShapeType;
  shape.Pen.Style = PenStyle;
  shape.Pen.Mode = PenMode;
  shape.Pen.Color = PenColor;
  shape.BrushStyle = BrushStyle;
  shape.BrushColor = BrushColor;
  shape.Pen.Width = PenWidth;
}
