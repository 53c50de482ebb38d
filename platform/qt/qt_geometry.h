#pragma once

#include <QPoint>
#include <QRect>

#include "platform/geometry.h"

// Rectangles and points cross between the plain-C++ layers and Qt only through these. Both
// rectangles leave their right and bottom edges outside: a TRect's Right is a QRect's x + width.
inline QRect ToQt(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }
inline TRect FromQt(const QRect& rect) {
  return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}
inline QPoint ToQt(TPoint point) { return QPoint(point.X, point.Y); }
inline TPoint FromQt(const QPoint& point) { return {point.x(), point.y()}; }
