#include "views/drawing/rotation.h"

#include <utility>

TRect NormalizedRect(const TRect& r) {
  TRect result = r;
  if (result.Left > result.Right) std::swap(result.Left, result.Right);
  if (result.Top > result.Bottom) std::swap(result.Top, result.Bottom);
  return result;
}

TPoint RotatePoint(TVpRotationAngle angle, const TRect& viewport, TPoint point) {
  const TRect& v = viewport;
  switch (angle) {
    case ra0: return point;
    case ra90: return {v.Left + v.Right - point.Y, point.X};
    case ra180: return {v.Left + v.Right - point.X, v.Top + v.Bottom - point.Y};
    case ra270: return {point.Y, v.Top + v.Bottom - point.X};
  }
  return point;
}

TRect RotateRect(TVpRotationAngle angle, const TRect& viewport, const TRect& rect) {
  const TPoint topLeft = RotatePoint(angle, viewport, {rect.Left, rect.Top});
  const TPoint bottomRight = RotatePoint(angle, viewport, {rect.Right, rect.Bottom});
  return NormalizedRect({topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y});
}

TRect RotatedViewport(TVpRotationAngle angle, const TRect& viewport) {
  const TRect v = NormalizedRect(viewport);
  if (angle == ra90 || angle == ra270) return {v.Top, v.Left, v.Bottom, v.Right};
  return v;
}

int RotatedViewportWidth(TVpRotationAngle angle, const TRect& viewport) {
  return RotatedViewport(angle, viewport).Width();
}
int RotatedViewportHeight(TVpRotationAngle angle, const TRect& viewport) {
  return RotatedViewport(angle, viewport).Height();
}
int RotatedViewportLeft(TVpRotationAngle angle, const TRect& viewport) { return RotatedViewport(angle, viewport).Left; }
int RotatedViewportTop(TVpRotationAngle angle, const TRect& viewport) { return RotatedViewport(angle, viewport).Top; }
int RotatedViewportRight(TVpRotationAngle angle, const TRect& viewport) {
  return RotatedViewport(angle, viewport).Right;
}
int RotatedViewportBottom(TVpRotationAngle angle, const TRect& viewport) {
  return RotatedViewport(angle, viewport).Bottom;
}
