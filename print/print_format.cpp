#include "print/print_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TFont CanvasFontOf(const TVpPrintFont& font) {
  TFont result;
  result.Name = font.Name;
  // Heights are screen pixels at 96 dots per inch; a point is 1/72 inch.
  result.Size = std::max(1, static_cast<int>(std::nearbyint(std::abs(font.Height) * 72.0 / 96.0)));
  result.Color = font.Color;
  result.Style = font.Style;
  result.Pitch = font.Pitch;
  return result;
}

void TVpPrintFormatItem::SetFormatName(const std::string& value) {
  if (value.empty()) throw EVpPrintFormatError("FormatName cannot be blank");
  FormatName_ = value;
}
