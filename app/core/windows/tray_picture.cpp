#include "app/core/windows/tray_picture.h"

#include <vector>

namespace {

constexpr TColor kFrame = RGB(0x42, 0x59, 0x73);  // slate blue
constexpr TColor kPage = RGB(0xFF, 0xFB, 0xFF);   // near-white: opaque, unlike pure white
constexpr TColor kBlueBand = RGB(0x00, 0x61, 0xC6);

// The calendar page: a slate-blue frame with white corners, a red band (darker toward the
// right) on rows 1 and 2, a blue band on row 3, and the page below.
void DrawPage(TCanvas& canvas) {
  const int n = kTrayIconSize;
  auto fill = [&](TColor color, int left, int top, int right, int bottom) {
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(TRect{left, top, right, bottom});
  };
  fill(kFrame, 0, 0, n, n);
  fill(kPage, 1, 4, n - 1, n - 1);
  for (int x = 1; x < n - 1; ++x) fill(RGB(0xEF - x * 4, 0x28, 0x00), x, 1, x + 1, 3);
  fill(kBlueBand, 1, 3, n - 1, 4);
  for (const TPoint corner : {TPoint{0, 0}, TPoint{n - 1, 0}, TPoint{0, n - 1}, TPoint{n - 1, n - 1}})
    fill(kTrayTransparentColor, corner.X, corner.Y, corner.X + 1, corner.Y + 1);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1)
    lines.push_back(text.substr(start, cr - start));
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::unique_ptr<TBitmap> DrawTrayPicture(TCanvas& canvas, const std::string& text) {
  // The text cell: the day in bold black on white, centred, two pixels low. The page is light
  // under every skin, so the ink is dark under every skin too (a skin's window-text colour may
  // be as light as the page).
  constexpr int kOffsetX = 0;
  constexpr int kOffsetY = 2;
  const TColor cell = clWhite;
  std::unique_ptr<TBitmap> textCell = canvas.CreateBitmap(kTrayIconSize, kTrayIconSize);
  TCanvas& c = textCell->Canvas();
  c.Brush.Color = cell;
  c.Brush.Style = bsSolid;
  c.FillRect(TRect{0, 0, kTrayIconSize, kTrayIconSize});
  c.Font.Name = "MS Sans Serif";
  c.Font.Size = 8;
  c.Font.Style = fsBold;
  c.Font.Color = clBlack;
  c.Brush.Style = bsClear;
  const std::vector<std::string> lines = Lines(text);
  if (lines.size() > 1) {
    const int lineHeight = c.TextHeight(text.substr(text.find('\r')));
    const int top = (15 - static_cast<int>(lines.size()) * lineHeight) / 2 + kOffsetY;
    for (size_t i = 0; i < lines.size(); ++i)
      c.TextOut((15 - c.TextWidth(lines[i])) / 2 + kOffsetX, top + static_cast<int>(i) * lineHeight, lines[i]);
  } else {
    c.TextOut((15 - c.TextWidth(text)) / 2 + kOffsetX, (15 - c.TextHeight(text)) / 2 + kOffsetY, text);
  }

  // The page with the text's pixels over it: the cell's white is left out.
  std::unique_ptr<TBitmap> picture = canvas.CreateBitmap(kTrayIconSize, kTrayIconSize);
  DrawPage(picture->Canvas());
  textCell->TransparentColor = cell;
  picture->Canvas().Draw(0, 0, *textCell);
  picture->TransparentColor = kTrayTransparentColor;
  return picture;
}
