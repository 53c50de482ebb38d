#include "views/calendar/calendar_buttons.h"

#include <algorithm>
#include <vector>

#include "views/drawing/drawing_helpers.h"

namespace {

// The buttons' pictures: small black shapes drawn in a box of this size.
constexpr int PictureHeight = 7;
constexpr int ArrowWidth = 4;  // one triangle
constexpr int GapWidth = 1;    // between the parts of a picture

int PictureWidth(TVpCalendarButton button) {
  switch (button) {
    case cbPreviousMonth:
    case cbNextMonth: return ArrowWidth;
    case cbPreviousYear:
    case cbNextYear: return 2 * ArrowWidth + GapWidth;
    case cbRevert:  // a bar and a triangle pointing back to it
      return 2 + GapWidth + ArrowWidth;
    case cbToday:  // a square: the day
      return PictureHeight;
  }
  return 0;
}

// The smallest width a button may have.
int LeastWidth(TVpCalendarButton button) { return PictureWidth(button) + 3; }

// A button that keeps to its left edge.
TRect FromLeft(TVpCalendarButton button, int left, int top, int width, int height) {
  return {left, top, left + std::max(width, LeastWidth(button)), top + height};
}
// A button that keeps to its right edge.
TRect FromRight(TVpCalendarButton button, int right, int top, int width, int height) {
  return {right - std::max(width, LeastWidth(button)), top, right, top + height};
}

// A triangle with its point to the left or the right, in a box ArrowWidth × PictureHeight.
void DrawArrow(TCanvas& canvas, int left, int top, bool pointsLeft) {
  const int tip = pointsLeft ? left : left + ArrowWidth - 1;
  const int base = pointsLeft ? left + ArrowWidth - 1 : left;
  const TPoint points[] = {{base, top}, {tip, top + PictureHeight / 2}, {base, top + PictureHeight - 1}};
  canvas.Polygon(points);
}

}  // namespace

TRect CalendarButtonRect(TVpCalendarButton button, const TVpCalendarLayout& layout, const TRect& client) {
  constexpr int Inset = 4;
  const int top = client.Top + Inset;
  const int navigationHeight = layout.RowHeight(0) - Inset;
  switch (button) {
    case cbPreviousYear:
      return FromLeft(button, client.Left + Inset, top, layout.ColumnWidth(5) - Inset, navigationHeight);
    case cbPreviousMonth: {
      const int left = CalendarButtonRect(cbPreviousYear, layout, client).Right;
      return FromLeft(button, left, top, layout.ColumnWidth(0) - Inset, navigationHeight);
    }
    case cbNextYear:
      return FromRight(button, client.Right - Inset, top, layout.ColumnWidth(1) - Inset, navigationHeight);
    case cbNextMonth: {
      const int right = CalendarButtonRect(cbNextYear, layout, client).Left;
      return FromRight(button, right, top, layout.ColumnWidth(6) - Inset, navigationHeight);
    }
    case cbToday: {
      const int height = layout.RowHeight(8);
      return FromRight(button, client.Right - Inset, client.Bottom - 3 - height,
                       layout.ColumnWidth(5) + layout.ColumnWidth(6) - Inset, height);
    }
    case cbRevert: {
      const TRect today = CalendarButtonRect(cbToday, layout, client);
      return FromRight(button, today.Left - Inset, today.Top, today.Width(), today.Height());
    }
  }
  return {};
}

const char* CalendarButtonHint(TVpCalendarButton button) {
  switch (button) {
    case cbPreviousYear: return "Previous Year";
    case cbPreviousMonth: return "Previous Month";
    case cbNextMonth: return "Next Month";
    case cbNextYear: return "Next Year";
    case cbRevert: return "Revert";
    case cbToday: return "Today";
  }
  return "";
}

void DrawCalendarButton(TCanvas& canvas, TVpCalendarButton button, const TRect& rect, bool flat) {
  canvas.Pen = TPen{};
  canvas.Brush = TBrush{clBtnFace, bsSolid};
  if (!flat) {
    canvas.FillRect(rect);
    DrawBevelFrame(canvas, {rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1}, clBtnHighlight, clBtnShadow);
  }
  canvas.Pen = TPen{clBlack};
  canvas.Brush = TBrush{clBlack, bsSolid};
  const int left = rect.Left + (rect.Width() - PictureWidth(button)) / 2;
  const int top = rect.Top + (rect.Height() - PictureHeight) / 2;
  switch (button) {
    case cbPreviousMonth:
    case cbNextMonth: DrawArrow(canvas, left, top, button == cbPreviousMonth); break;
    case cbPreviousYear:
    case cbNextYear:
      DrawArrow(canvas, left, top, button == cbPreviousYear);
      DrawArrow(canvas, left + ArrowWidth + GapWidth, top, button == cbPreviousYear);
      break;
    case cbRevert:
      canvas.FillRect({left, top, left + 2, top + PictureHeight});
      DrawArrow(canvas, left + 2 + GapWidth, top, true);
      break;
    case cbToday: canvas.FillRect({left, top, left + PictureHeight, top + PictureHeight}); break;
  }
}
