#pragma once

#include <string>
#include <vector>

#include "model/enumerations.h"
#include "model/vp_exception.h"
#include "platform/canvas.h"
#include "views/linkable_control.h"

// The failures of printing: formats missing or out of range, unreadable format files.
class EVpPrintFormatError : public EVpException {
 public:
  using EVpException::EVpException;
};

// The unit of an element's position and size (and of the page margins).
enum TVpItemMeasurement { imAbsolutePixel = 0, imPercent = 1, imInches = 2, imCentimetres = 3 };
// The unit of a format's date step and of an element's date offset.
enum TVpDayUnits { duDay = 0, duWeek = 1, duMonth = 2, duYear = 3 };
// What a shape element draws inside its rectangle.
enum TVpShapeType {
  ustRectangle = 0,
  ustTopLine = 1,
  ustBottomLine = 2,
  ustLeftLine = 3,
  ustRightLine = 4,
  ustTLToBRLine = 5,
  ustBLToTRLine = 6,
  ustEllipse = 7,
};
// The brush patterns a format file can name; the canvas fills all but bsClear solidly.
enum TVpPrintBrushStyle {
  pbsSolid,
  pbsClear,
  pbsHorizontal,
  pbsVertical,
  pbsFDiagonal,
  pbsBDiagonal,
  pbsCross,
  pbsDiagCross,
};

// A caption's font as a format file holds it. Height is in the desktop's convention: a negative
// value is the character height in pixels of a 96-dots-per-inch screen.
struct TVpPrintFont {
  int CharSet = 1;  // "Default"
  TColor Color = clWindowText;
  int Height = -11;  // 8 points
  std::string Name = "Sans Serif";
  TFontPitch Pitch = fpDefault;
  TFontStyles Style = 0;
  friend bool operator==(const TVpPrintFont&, const TVpPrintFont&) = default;
};

// The canvas font for a caption font (size in points).
TFont CanvasFontOf(const TVpPrintFont& font);

struct TVpPrintShape {
  TVpShapeType Shape = ustRectangle;
  TPen Pen;
  TColor BrushColor = clWhite;
  TVpPrintBrushStyle BrushStyle = pbsSolid;
  friend bool operator==(const TVpPrintShape&, const TVpPrintShape&) = default;
};

struct TVpPrintCaption {
  std::string Caption;  // may hold caption variables ($Name)
  TVpPrintFont Font;
  friend bool operator==(const TVpPrintCaption&, const TVpPrintCaption&) = default;
};

// One thing a format places on its pages. Every element owns a shape and a caption whatever its
// type; only the one its type uses is drawn and written to a file.
struct TVpPrintFormatElementItem {
  std::string ElementName;
  TVpItemType ItemType = itDayView;
  TVpItemMeasurement Measurement = imPercent;
  double Left = 0;
  double Top = 0;
  double Width = 100;
  double Height = 100;
  TVpRotationAngle Rotation = ra0;
  int DayOffset = 0;
  TVpDayUnits DayOffsetUnits = duDay;
  bool Visible = true;
  // For a day view: the number of day columns it prints side by side (1 to 30, one hour ruler for
  // all of them); 0 prints as many as the view shows. A file names it only when it is not 0.
  int DayColumns = 0;
  TVpPrintShape Shape;
  TVpPrintCaption Caption;
  friend bool operator==(const TVpPrintFormatElementItem&, const TVpPrintFormatElementItem&) = default;
};

// One named kind of printed page: its elements, drawn in order, and how far the date moves from
// one page to the next (DayInc 0 means one day).
class TVpPrintFormatItem {
 public:
  const std::string& FormatName() const { return FormatName_; }
  // Raises EVpPrintFormatError for an empty name.
  void SetFormatName(const std::string& value);

  std::string Description;
  int DayInc = 0;
  TVpDayUnits DayIncUnits = duDay;
  bool Visible = true;
  // The first page is the Monday of the week of the date asked for, so that a week's pages name
  // and show that week. A file names it only when it is set.
  bool StartsOnMonday = false;
  std::vector<TVpPrintFormatElementItem> Elements;

  friend bool operator==(const TVpPrintFormatItem&, const TVpPrintFormatItem&) = default;

 private:
  std::string FormatName_ = "Unknown";
};

using TVpPrintFormats = std::vector<TVpPrintFormatItem>;
