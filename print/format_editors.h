#pragma once

#include <array>
#include <string>

#include "platform/canvas.h"
#include "print/print_format.h"

// What the format, element and shape editors show and write, without their windows.

// The largest increment, offset and pen width the spin buttons offer (from 0). A value outside
// that range, read from a file, is kept as it is.
constexpr int kMaxSpinValue = 100;

// The format editor: name, description and page step. Filled from a format, it changes nothing
// until WriteTo.
struct TVpFormatEditForm {
  std::string Name;
  std::string Description;
  int Increment = 0;
  TVpDayUnits IncrementUnit = duDay;
  bool StartsOnMonday = false;

  void Fill(const TVpPrintFormatItem& format);
  // Raises EVpPrintFormatError, writing nothing, for an empty name.
  void WriteTo(TVpPrintFormatItem& format) const;
};

// The element editor's four number fields.
enum TVpElementField { efTop, efLeft, efWidth, efHeight };

// The largest position or size the element editor accepts in a unit: 2000 pixels, 100 percent,
// 50 inches, 127 centimetres.
double UnitMaximum(TVpItemMeasurement measurement);

// The element editor. It works on the element itself for what the window changes at once (the
// caption's text and font, the shape); the rest waits for WriteTo, so a cancelled edit keeps them.
class TVpElementEditForm {
 public:
  explicit TVpElementEditForm(TVpPrintFormatElementItem& element);

  std::string Name;
  TVpItemType ItemType;
  bool Visible;
  TVpItemMeasurement Measurement;
  int DayOffset;
  TVpDayUnits DayOffsetUnits;
  int DayColumns;

  // "Shape..." is offered only for a shape, the caption group only for a caption, the day columns
  // only for a day view.
  bool ShapeEnabled() const { return ItemType == itShape; }
  bool CaptionEnabled() const { return ItemType == itCaption; }
  bool DayColumnsEnabled() const { return ItemType == itDayView; }

  // A number field's text as it stands, shown "0.00" when filled or normalised.
  const std::string& FieldText(TVpElementField field) const { return Fields_[field]; }
  void SetFieldText(TVpElementField field, std::string text) { Fields_[field] = std::move(text); }
  // Leaving a field: a number is limited to 0 and the unit maximum and shown "0.00"; false, with
  // the text unchanged, when the text is not a number.
  bool LeaveField(TVpElementField field);
  // The arrows: one hundredth up or down, within 0 and the unit maximum. A text that is not a
  // number is left alone.
  void StepField(TVpElementField field, int direction);

  const std::string& CaptionText() const { return Element_.Caption.Caption; }
  void SetCaptionText(const std::string& text) { Element_.Caption.Caption = text; }
  const TVpPrintFont& CaptionFont() const { return Element_.Caption.Font; }
  void SetCaptionFont(const TVpPrintFont& font) { Element_.Caption.Font = font; }
  // The element's own shape, which the shape editor changes directly.
  TVpPrintShape& Shape() { return Element_.Shape; }

  // Writes the name, offset, position and size (each limited to the unit maximum; a field that is
  // not a number keeps the element's value), type, offset unit, measurement, visibility and day
  // columns. The rotation passes through unchanged.
  void WriteTo(TVpPrintFormatElementItem& element) const;

 private:
  TVpPrintFormatElementItem& Element_;
  std::array<std::string, 4> Fields_;
};

// The sixteen basic colours of the shape editor's colour grids, row by row.
extern const std::array<TColor, 16> kShapeColorGrid;
// The grid cell holding the colour, or -1 when the grid has no such colour.
int ShapeColorCell(TColor color);

// The shape editor. A colour outside the grid selects no cell and is kept unless a cell is chosen.
struct TVpShapeEditForm {
  TVpShapeType ShapeType = ustRectangle;
  TColor PenColor = clBlack;
  TPenStyle PenStyle = psSolid;
  int PenWidth = 1;
  TPenMode PenMode = pmCopy;
  TColor BrushColor = clWhite;
  TVpPrintBrushStyle BrushStyle = pbsSolid;

  void Fill(const TVpPrintShape& shape);
  void WriteTo(TVpPrintShape& shape) const;
};
