#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/color.h"
#include "platform/geometry.h"

// The drawing surface every view, the printer and the preview draw on. Pen, brush and font are
// plain state that the drawing operations read when they run. Pixel conventions: a filled or
// outlined rectangle covers Left..Right-1 and Top..Bottom-1; a line leaves out its end point;
// text is placed by the top-left corner of its cell, turned about that corner by the font's
// orientation.

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen combines with what is there: copy, invert the destination, xor, xor-then-invert.
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear };

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits
enum TFontPitch { fpDefault, fpVariable, fpFixed };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

struct TFont {
  std::string Name = "Sans Serif";
  int Size = 8;  // in points; the canvas converts to its own resolution
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  // Baseline angle in tenths of a degree, counter-clockwise: 0, 900, 1800 or 2700.
  int Orientation = 0;
  TFontPitch Pitch = fpDefault;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// Views and previews lay out in pixels of a 96-dots-per-inch screen; the desktop's own scaling
// applies on top.
constexpr int kScreenPixelsPerInch = 96;

class TBitmap;

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Fills with the brush, no outline.
  virtual void FillRect(const TRect& r) = 0;
  // Outline with the pen, interior with the brush (none when the brush is clear).
  virtual void Rectangle(const TRect& r) = 0;
  virtual void Ellipse(const TRect& r) = 0;
  virtual void RoundRect(const TRect& r, int cornerWidth, int cornerHeight) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Polyline(std::span<const TPoint> points) = 0;
  TPoint PenPos() const { return PenPos_; }

  // Draws the text (UTF-8). With a solid brush the text cell is first filled with the brush colour.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Extent of the text in the current font, unturned.
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // Average character width of the current font.
  virtual int AverageCharWidth() = 0;

  // The desktop's dotted focus frame.
  virtual void DrawFocusRect(const TRect& r) = 0;

  // Limits all later drawing to the rectangle; none lifts the limit.
  virtual void SetClipRect(const std::optional<TRect>& r) = 0;
  virtual std::optional<TRect> ClipRect() const = 0;

  // Dots per inch of the target: 96 on screen, the printer's resolution when printing.
  virtual int PixelsPerInch() const = 0;

  // An off-screen picture of the given size that can be drawn on like this canvas and then
  // copied onto it.
  virtual std::unique_ptr<TBitmap> CreateBitmap(int width, int height) = 0;
  // Copies the bitmap scaled into the rectangle; pixels of its transparent colour are skipped.
  virtual void StretchDraw(const TRect& dest, const TBitmap& bitmap) = 0;
  void Draw(int x, int y, const TBitmap& bitmap);

 protected:
  TPoint PenPos_;
};

class TBitmap {
 public:
  virtual ~TBitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual TCanvas& Canvas() = 0;
  // Pixels of this colour are left out when the bitmap is drawn; none draws every pixel.
  std::optional<TColor> TransparentColor;
};
