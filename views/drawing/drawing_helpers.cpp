#include "views/drawing/drawing_helpers.h"

#include <algorithm>

#include "platform/utf8.h"

namespace {

const std::string kEllipsis = "...";

}  // namespace

std::string EllipsisFit(TCanvas& canvas, std::string_view text, int minChars, int maxWidth) {
  if (canvas.TextWidth(text) <= maxWidth) return std::string(text);

  const std::vector<size_t> starts = CodePointStarts(text);
  const size_t total = starts.size() - 1;
  const size_t least = std::min(total, static_cast<size_t>(std::max(minChars, 0)));
  const int room = maxWidth - canvas.TextWidth(kEllipsis);
  auto prefix = [&](size_t codePoints) { return text.substr(0, starts[codePoints]); };

  // The longest prefix of at least `least` code points that fits the room. Prefix widths grow
  // with their length, so the search halves the candidates instead of measuring every length.
  size_t low = least, high = total;  // the answer lies in [low, high]; `low` is the fallback
  while (low < high) {
    const size_t middle = low + (high - low + 1) / 2;
    if (canvas.TextWidth(prefix(middle)) <= room) low = middle;
    else high = middle - 1;
  }

  std::string result = std::string(prefix(low)) + kEllipsis;
  for (int removed = 0; removed < 3 && canvas.TextWidth(result) > maxWidth; ++removed) {
    const std::vector<size_t> resultStarts = CodePointStarts(result);
    result.resize(resultStarts[resultStarts.size() - 2]);
  }
  return result;
}

void DrawBevelFrame(const TVpExCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight) {
  TPen& pen = canvas.Target().Pen;
  pen.Color = topLeft;
  canvas.MoveTo(rect.Left, rect.Bottom);
  canvas.LineTo(rect.Left, rect.Top);
  canvas.LineTo(rect.Right, rect.Top);
  pen.Color = bottomRight;
  canvas.LineTo(rect.Right, rect.Bottom);
  canvas.LineTo(rect.Left, rect.Bottom);
}

void DrawBevelFrame(TCanvas& canvas, const TRect& rect, TColor topLeft, TColor bottomRight) {
  // Unturned, every point maps to itself.
  DrawBevelFrame(TVpExCanvas(&canvas, ra0, rect), rect, topLeft, bottomRight);
}

bool PointWithin(TPoint point, const TRect& rect) {
  return rect.Left <= point.X && point.X <= rect.Right && rect.Top <= point.Y && point.Y <= rect.Bottom;
}
