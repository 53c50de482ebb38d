#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "views/drawing/ex_canvas.h"

// Drawing helpers shared by the views and the print renderer; they draw on the caller's canvas.

// The text shortened to fit maxWidth pixels in the canvas's font. A text that fits comes back
// unchanged. Otherwise code points are taken off its end until it fits in maxWidth less the width
// of "..." or only minChars code points are left, "..." is appended, and while the result is still
// too wide up to 3 more code points are taken off its end.
std::string EllipsisFit(TCanvas& canvas, std::string_view text, int minChars, int maxWidth);

// A bevel: the left and top edges (from the bottom-left corner up and across to the top-right)
// in the first colour, then the right and bottom edges (down and back to the bottom-left) in the
// second. Leaves the pen in the second colour. The first form draws through a rotating context
// (every corner turned with it), the second straight on the canvas.
void DrawBevelFrame(const TVpExCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight);
void DrawBevelFrame(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight);

// True when the point lies in the rectangle with all four edges included (unlike TRect::Contains).
bool PointWithin(TPoint point, const TRect& rect);
