#include "platform/canvas.h"

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  StretchDraw(TRect{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}
